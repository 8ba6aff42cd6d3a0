// The marching-cubes polygoniser: the surfaces it makes must be closed and
// consistently wound (every edge of the mesh in exactly two triangles, once
// each way), measure what the field they come from measures, and reach every
// node of the volume, its faces included.
#include "iso_surface.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "iso_surface_tables.h"

namespace qv {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A volume of nu x nv x nh nodes at (sx * i, sy * j, sz * k) with the given
// values, held in arrays one node larger along each axis than the volume (as
// the data set's are), so that the strides differ from the node counts.
struct Field {
  Long nu, nv, nh;
  std::vector<double> x, y, z, v;

  Field(Long nu_, Long nv_, Long nh_, const std::function<double(double, double, double)>& value,
        std::array<double, 3> spacing = {1.0, 1.0, 1.0})
      : nu(nu_), nv(nv_), nh(nh_) {
    const std::size_t size = static_cast<std::size_t>((nu + 1) * (nv + 1) * (nh + 1));
    x.assign(size, 0.0);
    y.assign(size, 0.0);
    z.assign(size, 0.0);
    v.assign(size, 1e9);  // the spare nodes must never be read
    const IsoVolume vol = View();
    for (Long i = 0; i < nu; ++i) {
      for (Long j = 0; j < nv; ++j) {
        for (Long k = 0; k < nh; ++k) {
          const std::size_t at = vol.At(i, j, k);
          x[at] = spacing[0] * static_cast<double>(i);
          y[at] = spacing[1] * static_cast<double>(j);
          z[at] = spacing[2] * static_cast<double>(k);
          v[at] = value(x[at], y[at], z[at]);
        }
      }
    }
  }

  IsoVolume View() const {
    IsoVolume vol;
    vol.lastU = nu - 1;
    vol.lastV = nv - 1;
    vol.lastH = nh - 1;
    vol.strideV = static_cast<std::size_t>(nh + 1);
    vol.strideU = static_cast<std::size_t>((nv + 1) * (nh + 1));
    vol.x = x.data();
    vol.y = y.data();
    vol.z = z.data();
    vol.v = v.data();
    return vol;
  }
};

IsoMesh Polygonised(const Field& field, double level) {
  IsoSurfacer surfacer;
  IsoMesh mesh;
  surfacer.Polygonise(field.View(), level, mesh);
  return mesh;
}

using Point = std::array<double, 3>;

Point PointOf(const IsoVertex& v) { return {v.x, v.y, v.z}; }

Point Minus(const Point& a, const Point& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

Point Cross(const Point& a, const Point& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double Dot(const Point& a, const Point& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// Every edge of the mesh lies in exactly two triangles, which pass it in
// opposite directions (a closed surface, consistently wound), and no two
// vertices share a grid edge. Returns the first fault, or "".
std::string ClosureFault(const IsoMesh& mesh) {
  std::set<std::pair<std::size_t, int>> gridEdges;
  for (const IsoGridEdge& e : mesh.edges) {
    if (!gridEdges.insert({e.node, e.axis}).second) return "two vertices on one grid edge";
  }
  std::map<std::pair<std::uint32_t, std::uint32_t>, int> directed;
  for (std::size_t t = 0; t < mesh.triangles.size(); t += 3) {
    for (int c = 0; c < 3; ++c) {
      ++directed[{mesh.triangles[t + c], mesh.triangles[t + (c + 1) % 3]}];
    }
  }
  for (const auto& [edge, count] : directed) {
    if (count != 1) return "an edge passed twice the same way";
    const auto back = directed.find({edge.second, edge.first});
    if (back == directed.end()) return "an edge in one triangle only";
  }
  return "";
}

double Area(const IsoMesh& mesh) {
  double area = 0.0;
  for (std::size_t t = 0; t < mesh.triangles.size(); t += 3) {
    const Point a = PointOf(mesh.vertices[mesh.triangles[t]]);
    const Point b = PointOf(mesh.vertices[mesh.triangles[t + 1]]);
    const Point c = PointOf(mesh.vertices[mesh.triangles[t + 2]]);
    const Point n = Cross(Minus(b, a), Minus(c, a));
    area += 0.5 * std::sqrt(Dot(n, n));
  }
  return area;
}

// The volume enclosed, positive when the triangles face outwards (divergence
// theorem over the counter-clockwise normals).
double SignedVolume(const IsoMesh& mesh) {
  double volume = 0.0;
  for (std::size_t t = 0; t < mesh.triangles.size(); t += 3) {
    const Point a = PointOf(mesh.vertices[mesh.triangles[t]]);
    const Point b = PointOf(mesh.vertices[mesh.triangles[t + 1]]);
    const Point c = PointOf(mesh.vertices[mesh.triangles[t + 2]]);
    volume += Dot(a, Cross(b, c)) / 6.0;
  }
  return volume;
}

// A ball of radius 25 in a 64^3 volume: the distance from its centre, which
// lies off the nodes so that no node sits on the surface.
class SphereFieldTest : public testing::Test {
 protected:
  static constexpr double kRadius = 25.0;
  static constexpr Point kCentre{31.3, 32.1, 31.7};

  static double Distance(double x, double y, double z) {
    return std::sqrt((x - kCentre[0]) * (x - kCentre[0]) + (y - kCentre[1]) * (y - kCentre[1]) +
                     (z - kCentre[2]) * (z - kCentre[2]));
  }

  Field field_{64, 64, 64, Distance};
  IsoMesh mesh_ = Polygonised(field_, kRadius);
};

TEST_F(SphereFieldTest, IsClosedAndWoundAlike) {
  ASSERT_GT(mesh_.TriangleCount(), 1000u);
  EXPECT_EQ(ClosureFault(mesh_), "");
}

TEST_F(SphereFieldTest, AreaAndVolumeAreTheBallsWithinTwoPercent) {
  const double area = 4.0 * kPi * kRadius * kRadius;
  const double volume = 4.0 / 3.0 * kPi * kRadius * kRadius * kRadius;
  EXPECT_NEAR(Area(mesh_), area, 0.02 * area);
  // Positive: the triangles face outwards, where the values lie above the
  // level.
  EXPECT_NEAR(SignedVolume(mesh_), volume, 0.02 * volume);
}

// The normals point up the gradient, to the side the triangles face, so
// that one- and two-sided lighting light the side that is seen.
TEST_F(SphereFieldTest, NormalsPointOutwardsAsTheTrianglesFace) {
  for (const IsoVertex& v : mesh_.vertices) {
    const Point radial = Minus(PointOf(v), kCentre);
    const double cosine = Dot({v.nx, v.ny, v.nz}, radial) / std::sqrt(Dot(radial, radial));
    ASSERT_GT(cosine, 0.99) << v.x << " " << v.y << " " << v.z;
  }
}

// Random values inside a frame of high ones: every case of the tables,
// ambiguous faces included, occurs, and the surface must still be closed,
// wound alike and enclose a positive volume (the low region).
TEST(IsoSurfaceTest, RandomFieldsGiveClosedConsistentlyWoundSurfaces) {
  std::set<unsigned> cases;
  for (unsigned seed = 1; seed <= 4; ++seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    const Long n = 18;
    Field field(n, n, n, [&](double x, double y, double z) {
      const bool frame = x == 0 || y == 0 || z == 0 || x == n - 1 || y == n - 1 || z == n - 1;
      return frame ? 2.0 : uniform(random);
    });
    const IsoMesh mesh = Polygonised(field, 0.5);
    SCOPED_TRACE("seed " + std::to_string(seed));
    ASSERT_GT(mesh.TriangleCount(), 0u);
    EXPECT_EQ(ClosureFault(mesh), "");
    EXPECT_GT(SignedVolume(mesh), 0.0);
    const IsoVolume vol = field.View();
    for (Long i = 0; i + 1 < n; ++i) {
      for (Long j = 0; j + 1 < n; ++j) {
        for (Long k = 0; k + 1 < n; ++k) {
          unsigned cube = 0;
          for (int c = 0; c < kCellCorners; ++c) {
            const auto& o = kCornerOffsets[c];
            if (0.5f > static_cast<float>(field.v[vol.At(i + o[0], j + o[1], k + o[2])]))
              cube |= 1u << c;
          }
          cases.insert(cube);
        }
      }
    }
  }
  EXPECT_GT(cases.size(), 200u);
}

TEST(IsoSurfaceTest, ALevelOutsideTheValuesGivesNoTriangle) {
  const Field field(5, 6, 7, [](double x, double y, double z) { return x + y + z; });
  for (double level : {-100.0, -0.5, 15.5, 100.0}) {
    SCOPED_TRACE(level);
    EXPECT_EQ(Polygonised(field, level).TriangleCount(), 0u);
  }
}

// A volume with one node along an axis has no cell.
TEST(IsoSurfaceTest, AFlatVolumeGivesNoTriangle) {
  const Field field(4, 4, 1, [](double x, double, double) { return x; });
  EXPECT_EQ(Polygonised(field, 1.5).TriangleCount(), 0u);
}

// A surface between the last two node planes of an axis: the cells of the
// last layer are polygonised too (they used to be dropped).
class LastLayerTest : public testing::TestWithParam<int> {};

TEST_P(LastLayerTest, TheSurfaceInTheLastLayerIsDrawn) {
  const int axis = GetParam();
  const Field field(4, 5, 6, [axis](double x, double y, double z) {
    const double p[3] = {x, y, z};
    return p[axis];
  });
  const Long last[3] = {3, 4, 5};
  const double level = static_cast<double>(last[axis]) - 0.5;
  const IsoMesh mesh = Polygonised(field, level);
  ASSERT_GT(mesh.TriangleCount(), 0u);
  for (const IsoVertex& v : mesh.vertices) {
    const float p[3] = {v.x, v.y, v.z};
    EXPECT_EQ(p[axis], static_cast<float>(level));
  }
}

INSTANTIATE_TEST_SUITE_P(EachAxis, LastLayerTest, testing::Values(0, 1, 2));

// A level equal to node values puts the points on those nodes exactly.
TEST(IsoSurfaceTest, ALevelOnTheNodesPutsThePointsOnThem) {
  const Field field(5, 4, 4, [](double x, double, double) { return x; });
  const IsoMesh mesh = Polygonised(field, 2.0);
  ASSERT_GT(mesh.TriangleCount(), 0u);
  for (const IsoVertex& v : mesh.vertices) EXPECT_EQ(v.x, 2.0f);
}

// A linear field on nodes spaced differently along each axis: every normal,
// on the faces, edges and corners of the volume as inside it, is the
// field's gradient direction (central and one-sided differences agree on a
// linear field, and the spacing is divided out).
TEST(IsoSurfaceTest, NormalsFollowTheGradientEverywhereOnUnevenSpacing) {
  const auto linear = [](double x, double y, double z) { return x + 2.0 * y + 3.0 * z; };
  const Field field(6, 7, 5, linear, {2.0, 0.5, 1.0});
  const double length = std::sqrt(1.0 + 4.0 + 9.0);
  for (double level : {1.3, 6.7, 12.2}) {
    const IsoMesh mesh = Polygonised(field, level);
    ASSERT_GT(mesh.TriangleCount(), 0u);
    for (const IsoVertex& v : mesh.vertices) {
      EXPECT_NEAR(v.nx, 1.0 / length, 1e-6);
      EXPECT_NEAR(v.ny, 2.0 / length, 1e-6);
      EXPECT_NEAR(v.nz, 3.0 / length, 1e-6);
    }
  }
}

// Values 1, 0, 1, 0 along i: the gradient vanishes half way between the
// middle nodes, and the point there gets no normal rather than a made-up
// or undefined one.
TEST(IsoSurfaceTest, AVanishingGradientGivesNoNormal) {
  const Field field(4, 3, 3, [](double x, double, double) { return x == 0 || x == 2 ? 1.0 : 0.0; });
  const IsoMesh mesh = Polygonised(field, 0.5);
  ASSERT_GT(mesh.TriangleCount(), 0u);
  int middle = 0;
  for (const IsoVertex& v : mesh.vertices) {
    if (v.x != 1.5f) continue;
    ++middle;
    EXPECT_EQ(v.nx, 0.0f);
    EXPECT_EQ(v.ny, 0.0f);
    EXPECT_EQ(v.nz, 0.0f);
  }
  EXPECT_GT(middle, 0);
}

// The surfacer keeps its storage between calls: a larger volume after a
// smaller one, then the smaller one again, gives what a fresh one gives.
TEST(IsoSurfaceTest, ReusedSurfacerGivesWhatAFreshOneGives) {
  const auto ball = [](double x, double y, double z) {
    return (x - 4.2) * (x - 4.2) + (y - 3.9) * (y - 3.9) + (z - 4.1) * (z - 4.1);
  };
  const Field small(9, 9, 9, ball);
  const Field large(12, 11, 10, ball);
  IsoSurfacer surfacer;
  IsoMesh first, again, other;
  surfacer.Polygonise(small.View(), 9.0, first);
  surfacer.Polygonise(large.View(), 9.0, other);
  surfacer.Polygonise(small.View(), 9.0, again);
  const IsoMesh fresh = Polygonised(small, 9.0);
  ASSERT_EQ(again.triangles, fresh.triangles);
  ASSERT_EQ(again.vertices.size(), fresh.vertices.size());
  for (std::size_t n = 0; n < fresh.vertices.size(); ++n) {
    EXPECT_EQ(again.vertices[n].x, fresh.vertices[n].x);
    EXPECT_EQ(again.vertices[n].nz, fresh.vertices[n].nz);
  }
  EXPECT_EQ(first.triangles, fresh.triangles);
}

}  // namespace
}  // namespace qv
