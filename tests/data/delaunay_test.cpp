// Delaunay triangulation for the "Delaunay Triangles" graph: the counts, the
// empty-circle property checked with exact predicates, degenerate inputs that
// once looped or crashed, and the records as the drawing reads them.
#include "data/delaunay.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "data/data_set.h"
#include "robust_predicates.h"
#include "support/scripted_message_box.h"

namespace qv {
namespace {

struct Points {
  std::vector<double> x, y;
  void Add(double px, double py) {
    x.push_back(px);
    y.push_back(py);
  }
  std::size_t Size() const { return x.size(); }
};

DelaunayResult Triangulate(const Points& p) {
  return TriangulatePoints(p.x.data(), p.y.data(), p.Size());
}

Points Random(std::size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0.0, 1000.0);
  Points p;
  for (std::size_t i = 0; i < n; ++i) p.Add(unit(random), unit(random));
  return p;
}

// Hull vertices, collinear boundary points included (exact orientation).
std::size_t HullPointCount(const Points& p) {
  std::vector<std::pair<double, double>> s;
  for (std::size_t i = 0; i < p.Size(); ++i) s.push_back({p.x[i], p.y[i]});
  std::sort(s.begin(), s.end());
  s.erase(std::unique(s.begin(), s.end()), s.end());
  if (s.size() < 3) return s.size();
  std::vector<std::pair<double, double>> hull(2 * s.size());
  std::size_t k = 0;
  auto turn = [](auto& a, auto& b, auto& c) {
    return Orient2D(a.first, a.second, b.first, b.second, c.first, c.second);
  };
  for (std::size_t i = 0; i < s.size(); ++i) {
    while (k >= 2 && turn(hull[k - 2], hull[k - 1], s[i]) < 0) --k;
    hull[k++] = s[i];
  }
  for (std::size_t i = s.size() - 1, t = k + 1; i-- > 0;) {
    while (k >= t && turn(hull[k - 2], hull[k - 1], s[i]) < 0) --k;
    hull[k++] = s[i];
  }
  return k - 1;
}

// The records as the drawing reads them: point numbers 1..n, corners
// clockwise, no triangle twice, every edge shared by at most two triangles
// in opposite directions, and the Delaunay property across every inner edge.
void ExpectValidTriangulation(const Points& p, const std::vector<DelaunayTri>& tris) {
  const auto n = static_cast<Long>(p.Size());
  std::map<std::pair<Long, Long>, Long> opposite;  // directed edge -> third corner
  std::set<Long> used;
  for (const DelaunayTri& t : tris) {
    const Long v[3] = {t.V1, t.V2, t.V3};
    for (Long c : v) {
      ASSERT_GE(c, 1);
      ASSERT_LE(c, n);
      used.insert(c);
    }
    const auto X = [&](Long c) { return p.x[static_cast<std::size_t>(c - 1)]; };
    const auto Y = [&](Long c) { return p.y[static_cast<std::size_t>(c - 1)]; };
    ASSERT_LT(Orient2D(X(v[0]), Y(v[0]), X(v[1]), Y(v[1]), X(v[2]), Y(v[2])), 0.0)
        << "clockwise: " << v[0] << " " << v[1] << " " << v[2];
    for (int e = 0; e < 3; ++e) {
      const auto edge = std::make_pair(v[e], v[(e + 1) % 3]);
      ASSERT_TRUE(opposite.emplace(edge, v[(e + 2) % 3]).second) << "edge used twice one way";
    }
  }
  const auto X = [&](Long c) { return p.x[static_cast<std::size_t>(c - 1)]; };
  const auto Y = [&](Long c) { return p.y[static_cast<std::size_t>(c - 1)]; };
  for (const auto& [edge, third] : opposite) {
    const auto across = opposite.find({edge.second, edge.first});
    if (across == opposite.end()) continue;
    // Clockwise corners: the circle test's sign is flipped.
    ASSERT_GE(InCircle(X(edge.first), Y(edge.first), X(edge.second), Y(edge.second), X(third),
                       Y(third), X(across->second), Y(across->second)),
              0.0)
        << "not Delaunay across " << edge.first << "-" << edge.second;
  }
}

// No point strictly inside any triangle's circumcircle, against every point.
void ExpectEmptyCircles(const Points& p, const std::vector<DelaunayTri>& tris) {
  for (const DelaunayTri& t : tris) {
    const std::size_t a = t.V1 - 1, b = t.V2 - 1, c = t.V3 - 1;
    for (std::size_t q = 0; q < p.Size(); ++q) {
      ASSERT_GE(InCircle(p.x[a], p.y[a], p.x[b], p.y[b], p.x[c], p.y[c], p.x[q], p.y[q]), 0.0)
          << "point " << q + 1;
    }
  }
}

TEST(Delaunay, OneOrTwoPointsGiveNoTriangles) {
  Points p;
  EXPECT_TRUE(Triangulate(p).triangles.empty());
  p.Add(1, 1);
  EXPECT_TRUE(Triangulate(p).triangles.empty());
  p.Add(2, 5);
  EXPECT_TRUE(Triangulate(p).triangles.empty());
}

TEST(Delaunay, ThreePointsGiveOneClockwiseTriangle) {
  Points p;
  p.Add(0, 0);
  p.Add(4, 0);
  p.Add(1, 3);
  const DelaunayResult r = Triangulate(p);
  ASSERT_EQ(r.triangles.size(), 1u);
  // Counter-clockwise input comes back clockwise, starting anywhere.
  std::vector<DelaunayTri> rotations = {{1, 3, 2}, {3, 2, 1}, {2, 1, 3}};
  EXPECT_NE(std::find(rotations.begin(), rotations.end(), r.triangles[0]), rotations.end());
}

TEST(Delaunay, ASquareGivesTwoTriangles) {
  Points p;
  p.Add(0, 0);
  p.Add(1, 0);
  p.Add(0, 1);
  p.Add(1, 1);
  const DelaunayResult r = Triangulate(p);
  EXPECT_EQ(r.triangles.size(), 2u);
  ExpectValidTriangulation(p, r.triangles);
}

// Data spread over less than a unit: the old whole-number super-triangle did
// not hold every point.
TEST(Delaunay, SmallExtentsAreTriangulatedWhole) {
  Points p = Random(200, 8);
  for (double& x : p.x) x = x * 1e-5 + 0.3;
  for (double& y : p.y) y = y * 1e-6 - 7;
  const DelaunayResult r = Triangulate(p);
  EXPECT_EQ(r.triangles.size(), 2 * p.Size() - 2 - HullPointCount(p));
  ExpectEmptyCircles(p, r.triangles);
}

class DelaunayRandomTest : public testing::TestWithParam<std::size_t> {};

TEST_P(DelaunayRandomTest, CountsAndDelaunayProperty) {
  const Points p = Random(GetParam(), static_cast<unsigned>(GetParam()));
  const DelaunayResult r = Triangulate(p);
  EXPECT_EQ(r.duplicates, 0u);
  EXPECT_EQ(r.triangles.size(), 2 * p.Size() - 2 - HullPointCount(p));
  ExpectValidTriangulation(p, r.triangles);
  if (p.Size() <= 2000) ExpectEmptyCircles(p, r.triangles);
}

// The old limits were 10000 triangles and 30000 edges: about 5000 points.
INSTANTIATE_TEST_SUITE_P(Sizes, DelaunayRandomTest, testing::Values(2000, 20000));

TEST(Delaunay, ALatticeOfCocircularPoints) {
  Points p;
  for (int i = 0; i < 30; ++i) {
    for (int j = 0; j < 30; ++j) p.Add(i * 0.5, j * 0.25);
  }
  const DelaunayResult r = Triangulate(p);
  EXPECT_EQ(r.triangles.size(), 2u * 29 * 29);
  ExpectValidTriangulation(p, r.triangles);
  ExpectEmptyCircles(p, r.triangles);
}

// Gridded measurements: steps that do not round exactly make near-ties on
// top of the exact ties, the tests the fast filter cannot decide.
struct LatticeCase {
  const char* name;
  double origin;
  double step;
};

class DelaunayLatticeTest : public testing::TestWithParam<LatticeCase> {};

TEST_P(DelaunayLatticeTest, CountsAndEmptyCircles) {
  const LatticeCase& c = GetParam();
  Points p;
  for (int i = 0; i < 40; ++i) {
    for (int j = 0; j < 40; ++j) p.Add(c.origin + i * c.step, c.origin + j * c.step);
  }
  const DelaunayResult r = Triangulate(p);
  EXPECT_EQ(r.duplicates, 0u);
  EXPECT_EQ(r.triangles.size(), 2 * p.Size() - 2 - HullPointCount(p));
  ExpectValidTriangulation(p, r.triangles);
  ExpectEmptyCircles(p, r.triangles);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, DelaunayLatticeTest,
    testing::Values(LatticeCase{"Tenths", 0.0, 0.1}, LatticeCase{"TenthsFarOut", 1000.3, 0.1},
                    LatticeCase{"Units", 0.0, 1.0}, LatticeCase{"Thirds", -7.0, 1.0 / 3}),
    [](const testing::TestParamInfo<LatticeCase>& info) { return info.param.name; });

TEST(Delaunay, CollinearPointsGiveNoTriangles) {
  Points line;
  // Dyadic steps, so that the points lie on the line exactly.
  for (int i = 0; i < 50; ++i) line.Add(3 + 0.125 * i, 1 - 0.375 * i);
  EXPECT_TRUE(Triangulate(line).triangles.empty());
  Points vertical;
  for (int i = 0; i < 10; ++i) vertical.Add(2, (i * 7) % 10);
  EXPECT_TRUE(Triangulate(vertical).triangles.empty());
}

TEST(Delaunay, CollinearPointsAndOneOffTheLine) {
  Points p;
  for (int i = 0; i < 20; ++i) p.Add(i, 0);
  p.Add(5.5, 3);
  const DelaunayResult r = Triangulate(p);
  EXPECT_EQ(r.triangles.size(), 19u);
  ExpectValidTriangulation(p, r.triangles);
  ExpectEmptyCircles(p, r.triangles);
}

TEST(Delaunay, DuplicatesAreTriangulatedOnceAndCounted) {
  Points p = Random(300, 4);
  const std::size_t distinct = p.Size();
  const std::size_t hull = HullPointCount(p);
  for (std::size_t i = 0; i < 100; ++i) p.Add(p.x[i * 3], p.y[i * 3]);
  p.Add(p.x[0], p.y[0]);
  const DelaunayResult r = Triangulate(p);
  EXPECT_EQ(r.duplicates, 101u);
  EXPECT_EQ(r.triangles.size(), 2 * distinct - 2 - hull);
  ExpectValidTriangulation(p, r.triangles);
  // The first of equal points is the one used.
  for (const DelaunayTri& t : r.triangles) {
    EXPECT_LE(t.V1, static_cast<Long>(distinct));
    EXPECT_LE(t.V2, static_cast<Long>(distinct));
    EXPECT_LE(t.V3, static_cast<Long>(distinct));
  }
}

TEST(Delaunay, AllPointsEqualOrOnlyTwoDistinct) {
  Points same;
  for (int i = 0; i < 10; ++i) same.Add(4, 4);
  EXPECT_TRUE(Triangulate(same).triangles.empty());
  EXPECT_EQ(Triangulate(same).duplicates, 9u);
  Points two;
  for (int i = 0; i < 10; ++i) two.Add(i % 2, i % 2);
  EXPECT_TRUE(Triangulate(two).triangles.empty());
  EXPECT_EQ(Triangulate(two).duplicates, 8u);
}

TEST(Delaunay, NonFinitePointsThrow) {
  Points p = Random(5, 1);
  p.Add(std::numeric_limits<double>::quiet_NaN(), 1);
  EXPECT_THROW(Triangulate(p), std::invalid_argument);
  p.x.back() = std::numeric_limits<double>::infinity();
  EXPECT_THROW(Triangulate(p), std::invalid_argument);
}

TEST(Delaunay, PointsOnTheHullEdges) {
  // A square's border with points on every side, and some inside.
  Points p;
  for (int i = 0; i <= 10; ++i) {
    p.Add(i, 0);
    p.Add(i, 10);
    if (i > 0 && i < 10) {
      p.Add(0, i);
      p.Add(10, i);
    }
  }
  p.Add(3.3, 4.1);
  p.Add(7.2, 2.9);
  const DelaunayResult r = Triangulate(p);
  EXPECT_EQ(r.triangles.size(), 2 * p.Size() - 2 - 40);
  ExpectValidTriangulation(p, r.triangles);
  ExpectEmptyCircles(p, r.triangles);
}

// The data set's triangulation, as the document reader calls it: arrays
// from index 1, records from 1, and one message for a whole run however many
// points coincide (the old routine showed one per point and triangle).
class DataSetTriangulation : public testing::Test {
 protected:
  Long Triangulate(const Points& p) {
    std::vector<double> x = {-1.0}, y = {-1.0};  // index 0 is not a point
    x.insert(x.end(), p.x.begin(), p.x.end());
    y.insert(y.end(), p.y.begin(), p.y.end());
    return data_.DelaunayTriangulate(static_cast<Long>(p.Size()), x, y, messages_);
  }
  DataSet data_;
  test::ScriptedMessageBox messages_;
};

TEST_F(DataSetTriangulation, OneMessageForManyCoincidentPoints) {
  Points p = Random(50, 2);
  for (int i = 0; i < 30; ++i) p.Add(p.x[i % 5], p.y[i % 5]);
  const Long count = Triangulate(p);
  EXPECT_EQ(count, static_cast<Long>(2 * 50 - 2 - HullPointCount(p)));
  ASSERT_EQ(messages_.Shown().size(), 1u);
  EXPECT_EQ(messages_.Shown()[0].text, "INCIRCUM - F - Points are coincident !!");
  EXPECT_EQ(messages_.Shown()[0].buttons, MsgButtons::OK);
}

TEST_F(DataSetTriangulation, AllPointsOnOneSpotGiveNoTrianglesAndOneMessage) {
  Points p;
  for (int i = 0; i < 100; ++i) p.Add(0.25, 0.25);
  EXPECT_EQ(Triangulate(p), 0);
  EXPECT_EQ(messages_.Shown().size(), 1u);
}

TEST_F(DataSetTriangulation, DistinctPointsShowNothing) {
  const Long count = Triangulate(Random(200, 6));
  EXPECT_EQ(count, data_.DelaunayTriRecords());
  EXPECT_TRUE(messages_.Shown().empty());
  Points line;
  for (int i = 0; i < 5; ++i) line.Add(i, 2 * i);
  EXPECT_EQ(Triangulate(line), 0);
  EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(DataSetTriangulation, RecordsFromOneAsTheDrawingReadsThem) {
  Points p;
  p.Add(0, 0);
  p.Add(1, 0);
  p.Add(0, 1);
  p.Add(1, 1);
  const Long count = Triangulate(p);
  ASSERT_EQ(count, 2);
  std::vector<DelaunayTri> records;
  for (Long r = 1; r <= count; ++r) records.push_back(data_.DelaunayTris(r));
  ExpectValidTriangulation(p, records);
  for (Long outside : {Long{0}, count + 1}) {
    try {
      data_.DelaunayTris(outside);
      ADD_FAILURE() << "record " << outside;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), kSubscriptOutOfRange);
    }
  }
}

TEST(InCircum, InsideOrOnTheCircle) {
  double xc = 0, yc = 0, r = 0;
  EXPECT_TRUE(InCircum(1, 1, 0, 0, 1, 0, 0, 1, xc, yc, r));  // on the circle
  EXPECT_DOUBLE_EQ(xc, 0.5);
  EXPECT_DOUBLE_EQ(yc, 0.5);
  EXPECT_DOUBLE_EQ(r, std::sqrt(0.5));
  EXPECT_TRUE(InCircum(0.5, 0.5, 0, 0, 1, 0, 0, 1, xc, yc, r));
  EXPECT_FALSE(InCircum(1.01, 1, 0, 0, 1, 0, 0, 1, xc, yc, r));
  // The winding of the corners does not matter.
  EXPECT_TRUE(InCircum(1, 1, 0, 0, 0, 1, 1, 0, xc, yc, r));
  EXPECT_FALSE(InCircum(-0.3, 1.2, 0, 0, 0, 1, 1, 0, xc, yc, r));
}

TEST(InCircum, CornersOnOneLineHaveNoCircle) {
  double xc = 7, yc = 8, r = 9;
  EXPECT_FALSE(InCircum(0, 0, 0, 0, 1, 1, 2, 2, xc, yc, r));
  EXPECT_FALSE(InCircum(0, 0, 0, 5, 1, 5, 2, 5, xc, yc, r));
  EXPECT_FALSE(InCircum(0, 0, 1, 1, 1, 1, 3, 0, xc, yc, r));
  EXPECT_EQ(xc, 7);
  EXPECT_EQ(yc, 8);
  EXPECT_EQ(r, 9);
}

}  // namespace
}  // namespace qv
