#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "data_set_test_support.h"

namespace qv {
namespace {

using test::DataBench;
using Point = std::array<double, 4>;

constexpr const char* kGridMessage =
    "Can not generate a regular data grid, please try another method.";
constexpr const char* kSolveMessage = "Can not solve the linear eqution group.";
const std::string kTooManyRadialPoints =
    std::string(kGridMessage) +
    "\nThe multiquadric and thin-plate methods grid at most 7500 points.";

double Rad(double degrees) { return degrees * 3.1416 / 180.0; }

// The gridded surface value of node (i, j) in data units (Cartesian kind).
double NodeZ(const DataBench& b, Long i, Long j) {
  return b.data.Reg3DZ(i, j) * b.settings.DataScaleZ;
}

// Points at whole-number places of 0..10 whose values span exactly 0..10, so
// that every drawing scale is 1 and the arrays keep the data's own numbers.
std::vector<Point> UnitScalePoints() {
  return {{0, 0, 0, 5}, {10, 0, 3, 1},  {0, 10, 7, 2}, {10, 10, 10, 9}, {5, 5, 4, 4},
          {2, 7, 6, 0}, {8, 3, 2, 10},  {3, 1, 9, 3},  {6, 9, 1, 7},    {9, 6, 5, 6},
          {1, 4, 8, 8}, {4, 8, 2.5, 2}, {7, 2, 6.5, 1}};
}

void SurfaceOnTenByTen(DataBench& b, const std::vector<Point>& points) {
  b.IrregularSurface(kIrregularSurface, 11, 11, 0, 10, 0, 10, points);
}

// Method Table

struct MethodCase {
  const char* name;
  Long method;
};

class GridMethodTest : public testing::TestWithParam<MethodCase> {};

// The gauge shown while the nodes are computed only moves forward and ends full.
TEST_P(GridMethodTest, ReportsRisingProgressThatEndsAtOne) {
  DataBench b;
  b.settings.GridMethod = GetParam().method;
  b.IrregularSurface(kIrregularSurface, 40, 30, 0, 10, 0, 10, UnitScalePoints());
  ASSERT_TRUE(b.Load());
  const std::vector<double> fractions = b.work.Fractions();
  ASSERT_FALSE(fractions.empty());
  EXPECT_GE(fractions.front(), 0.0);
  EXPECT_TRUE(std::is_sorted(fractions.begin(), fractions.end()));
  EXPECT_EQ(fractions.back(), 1.0);
  EXPECT_EQ(b.work.overlappingReports.load(), 0);
  EXPECT_EQ(b.work.ends, std::vector<WorkEnd>{WorkEnd::Done});
  EXPECT_TRUE(b.messages.Shown().empty());
}

// A gridding asked to stop half-way (the window closes) leaves the data set
// as it was and says nothing.
TEST_P(GridMethodTest, StoppedHalfWayKeepsTheDataSetAndShowsNothing) {
  DataBench b;
  b.settings.GridMethod = GetParam().method;
  b.IrregularSurface(kIrregularSurface, 200, 200, 0, 10, 0, 10, UnitScalePoints());
  ASSERT_TRUE(b.Load());
  const double before = b.data.Reg3DZ(3, 4);
  b.panel.SetText(4, "150");  // another grid, stopped before it is done
  b.work.stopAt = 0.5;
  EXPECT_FALSE(b.Load());
  EXPECT_EQ(b.work.ends.back(), WorkEnd::Stopped);
  EXPECT_LT(b.work.Fractions().back(), 1.0);
  EXPECT_EQ(b.data.Reg3DZ(3, 4), before);
  EXPECT_EQ(b.data.StepsX(), 200);
  EXPECT_TRUE(b.messages.Shown().empty());
}

// The interpolating methods reproduce every data point that lies on a node,
// in both the surface value and the colour value.
class GridExactTest : public testing::TestWithParam<MethodCase> {};

TEST_P(GridExactTest, InterpolatorsAreExactAtTheDataPoints) {
  DataBench b;
  b.settings.GridMethod = GetParam().method;
  SurfaceOnTenByTen(b, UnitScalePoints());
  ASSERT_TRUE(b.Load());
  for (const Point& p : UnitScalePoints()) {
    const auto i = static_cast<Long>(p[0]), j = static_cast<Long>(p[1]);
    EXPECT_NEAR(NodeZ(b, i, j), p[2], 1e-9) << "node " << i << ", " << j;
    EXPECT_NEAR(b.data.Reg3DC(i, j), p[3], 1e-9) << "node " << i << ", " << j;
    EXPECT_DOUBLE_EQ(b.data.Reg3DX(i, j) * b.settings.DataScaleX, p[0]);
    EXPECT_DOUBLE_EQ(b.data.Reg3DY(i, j) * b.settings.DataScaleY, p[1]);
  }
}

INSTANTIATE_TEST_SUITE_P(Surfaces, GridMethodTest,
                         testing::Values(MethodCase{"InverseDistance", 1}, MethodCase{"Shepard", 2},
                                         MethodCase{"Multiquadric", 3}, MethodCase{"ThinPlate", 4},
                                         MethodCase{"QuadraticFit", 5}),
                         [](const testing::TestParamInfo<MethodCase>& info) {
                           return std::string(info.param.name);
                         });

// The quadratic fit smooths and is left out.
INSTANTIATE_TEST_SUITE_P(Interpolators, GridExactTest,
                         testing::Values(MethodCase{"InverseDistance", 1}, MethodCase{"Shepard", 2},
                                         MethodCase{"Multiquadric", 3}, MethodCase{"ThinPlate", 4}),
                         [](const testing::TestParamInfo<MethodCase>& info) {
                           return std::string(info.param.name);
                         });

// The nodes are computed on several threads; each must equal the member
// evaluated alone at that node.
TEST(GridTest, ParallelNodesEqualTheMembersAtEachNode) {
  for (const Long method : {1, 2}) {
    DataBench b;
    b.settings.GridMethod = method;
    SurfaceOnTenByTen(b, UnitScalePoints());
    ASSERT_TRUE(b.Load());
    ASSERT_EQ(b.settings.DataScaleX * b.settings.DataScaleY * b.settings.DataScaleZ, 1.0);
    for (Long i = 0; i < 11; ++i) {
      for (Long j = 0; j < 11; ++j) {
        double w = 0.0, c = 0.0;
        if (method == 1) {
          b.data.NDS(i, j, w, 5, kIrregularSurface);
          b.data.NDSC(i, j, c, 5, kIrregularSurface);
        } else {
          w = b.data.Shepard(i, j, false, kIrregularSurface);
          c = b.data.Shepard(i, j, true, kIrregularSurface);
        }
        EXPECT_EQ(b.data.Reg3DZ(i, j), w) << "method " << method << " node " << i << ", " << j;
        EXPECT_EQ(b.data.Reg3DC(i, j), c) << "method " << method << " node " << i << ", " << j;
      }
    }
  }
}

TEST(GridTest, FewerThanFivePointsUseThemAll) {
  DataBench b;
  b.settings.GridMethod = 1;
  b.IrregularSurface(kIrregularSurface, 3, 3, 0, 10, 0, 10,
                     {{0, 0, 0, 0}, {10, 0, 10, 0}, {0, 10, 20, 0}, {10, 10, 30, 0}});
  ASSERT_TRUE(b.Load());
  const double near = 5.0, far = std::sqrt(125.0);
  const double expected = (0 / near + 10 / near + 20 / far + 30 / far) / (2 / near + 2 / far);
  EXPECT_NEAR(NodeZ(b, 1, 0), expected, 1e-12);
  EXPECT_NEAR(NodeZ(b, 1, 1), 15.0, 1e-12);
  // A node on a point takes its value.
  EXPECT_NEAR(NodeZ(b, 2, 2), 30.0, 1e-12);
}

TEST(GridTest, InverseDistanceSnapsWithinATenth) {
  DataBench b;
  b.settings.GridMethod = 1;
  b.IrregularSurface(
      kIrregularSurface, 2, 2, 0, 10, 0, 10,
      {{0.09, 0, 7, 1}, {0, 0.2, 100, 1}, {10, 10, 0, 1}, {10, 0, 0, 1}, {0, 10, 0, 1}});
  ASSERT_TRUE(b.Load());
  EXPECT_NEAR(NodeZ(b, 0, 0), 7.0, 1e-12);
}

// The quadratic fit of points that lie on a quadratic is that quadratic, and
// the colour is the surface value.
TEST(GridTest, QuadraticFitReproducesAQuadratic) {
  const auto f = [](double x, double y) {
    return 1.0 + 2.0 * x - y + 0.5 * x * y + 0.25 * x * x - 0.75 * y * y;
  };
  std::vector<Point> points;
  std::mt19937 random(7);
  for (int n = 0; n < 12; ++n) {
    const double x = 100.0 + 20.0 * (random() / 4294967296.0);
    const double y = -50.0 + 10.0 * (random() / 4294967296.0);
    const double xr = Val(FormatDouble(x)), yr = Val(FormatDouble(y));
    points.push_back({xr, yr, f(xr, yr), 0.0});
  }
  DataBench b;
  b.settings.GridMethod = 5;
  b.IrregularSurface(kIrregularSurface, 5, 4, 100, 120, -50, -40, points);
  ASSERT_TRUE(b.Load());
  for (Long i = 0; i < 5; ++i) {
    for (Long j = 0; j < 4; ++j) {
      const double z = NodeZ(b, i, j);
      EXPECT_NEAR(z, f(100 + 5.0 * i, -50 + 10.0 / 3 * j), 1e-8 * std::fabs(z) + 1e-9);
      EXPECT_NEAR(b.data.Reg3DC(i, j), z, 1e-9 * std::fabs(z));
    }
  }
}

TEST(GridTest, CylindricalNodesAndPointsAreCartesian) {
  DataBench b;
  b.settings.GridMethod = 2;
  // A, height, radius 2 everywhere, colour.
  std::vector<Point> points;
  for (int n = 0; n < 8; ++n) points.push_back({22.5 * n, 0.5 * n, 2.0, 1.0 * n});
  b.IrregularSurface(kIrregularCylindrical, 5, 3, 0, 180, 0, 4, points);
  ASSERT_TRUE(b.Load());
  const DataSet& d = b.data;
  const SharedSettings& s = b.settings;
  for (Long i = 0; i < 5; ++i) {
    for (Long j = 0; j < 3; ++j) {
      const double a = 45.0 * i, h = 2.0 * j;
      EXPECT_DOUBLE_EQ(d.Reg3DA(i, j), a);
      EXPECT_DOUBLE_EQ(d.Reg3DD(i, j), h);
      EXPECT_NEAR(d.Reg3DB(i, j), 2.0, 1e-12);
      EXPECT_NEAR(d.Reg3DX(i, j) * s.DataScaleX, 2.0 * std::cos(Rad(a)), 1e-12);
      EXPECT_NEAR(d.Reg3DY(i, j) * s.DataScaleY, 2.0 * std::sin(Rad(a)), 1e-12);
      EXPECT_NEAR(d.Reg3DZ(i, j) * s.DataScaleZ, h, 1e-12);
    }
  }
  EXPECT_EQ(d.MinA(), 0.0);
  EXPECT_EQ(d.MaxA(), 180.0);
  EXPECT_NEAR(d.Irreg3DX(2) * s.DataScaleX, 2.0 * std::cos(Rad(45.0)), 1e-12);
  EXPECT_NEAR(d.Irreg3DY(2) * s.DataScaleY, 2.0 * std::sin(Rad(45.0)), 1e-12);
  EXPECT_NEAR(d.Irreg3DZ(2) * s.DataScaleZ, 1.0, 1e-12);
  EXPECT_NEAR(d.MinX(), 2.0 * std::cos(Rad(180.0)), 1e-12);
}

TEST(GridTest, CylindricalColourSearchIsRelativeToTheRanges) {
  // Measured against the ranges, the point 10 degrees from node (0, 0) lies
  // 1/18 of the angle range away (squared 0.003, within the snap distance),
  // nearer than the point 0.5 high (1/8 of the height range), although in
  // plain numbers 0.5 < 10. The surface value searches in plain numbers.
  DataBench b;
  b.settings.GridMethod = 1;
  b.IrregularSurface(
      kIrregularCylindrical, 2, 2, 0, 180, 0, 4,
      {{10, 0, 1, 111}, {0, 0.5, 5, 222}, {180, 4, 1, 0}, {180, 0, 1, 0}, {0, 4, 1, 0}});
  ASSERT_TRUE(b.Load());
  EXPECT_EQ(b.data.Reg3DC(0, 0), 111.0);
  EXPECT_GT(b.data.Reg3DB(0, 0), 1.0);  // the radius mixes in the point 0.5 high
}

TEST(GridTest, SphericalNodes) {
  DataBench b;
  b.settings.GridMethod = 4;
  std::vector<Point> points;
  for (int n = 0; n < 9; ++n) points.push_back({40.0 * (n % 3), 30.0 + 40.0 * (n / 3), 3.0, 0.0});
  b.IrregularSurface(kIrregularSpherical, 3, 3, 0, 80, 30, 110, points);
  ASSERT_TRUE(b.Load());
  const DataSet& d = b.data;
  const SharedSettings& s = b.settings;
  for (Long i = 0; i < 3; ++i) {
    for (Long j = 0; j < 3; ++j) {
      const double a = 40.0 * i, bAngle = 30.0 + 40.0 * j;
      EXPECT_DOUBLE_EQ(d.Reg3DA(i, j), a);
      EXPECT_DOUBLE_EQ(d.Reg3DB(i, j), bAngle);
      EXPECT_NEAR(d.Reg3DD(i, j), 3.0, 1e-9);
      const double ring = std::sin(Rad(bAngle)) * 3.0;
      EXPECT_NEAR(d.Reg3DX(i, j) * s.DataScaleX, ring * std::cos(Rad(a)), 1e-9);
      EXPECT_NEAR(d.Reg3DY(i, j) * s.DataScaleY, ring * std::sin(Rad(a)), 1e-9);
      EXPECT_NEAR(d.Reg3DZ(i, j) * s.DataScaleZ, std::cos(Rad(bAngle)) * 3.0, 1e-9);
    }
  }
  EXPECT_EQ(d.MinB(), 30.0);
  EXPECT_EQ(d.MaxB(), 110.0);
  EXPECT_NEAR(d.Irreg3DZ(4) * s.DataScaleZ, std::cos(Rad(70.0)) * 3.0, 1e-12);
}

TEST(GridTest, SingleNodeSitsAtTheMinimum) {
  // One node along an axis has no spacing; it must not divide by zero.
  DataBench b;
  b.IrregularSurface(kIrregularSurface, 1, 3, 2, 8, 0, 10, UnitScalePoints());
  ASSERT_TRUE(b.Load());
  for (Long j = 0; j < 3; ++j) {
    EXPECT_DOUBLE_EQ(b.data.Reg3DX(0, j) * b.settings.DataScaleX, 2.0);
    EXPECT_TRUE(std::isfinite(b.data.Reg3DZ(0, j)));
  }
}

// Points outside the grid's span still have to fit the drawing box, or the
// scatter graphs of them would stick out of it.
TEST(GridTest, BoundsCoverTheNodesAndThePoints) {
  DataBench b;
  std::vector<Point> points = UnitScalePoints();
  points.push_back({-5, 12, 3, 20});
  b.IrregularSurface(kIrregularSurface, 3, 3, 0, 10, 0, 10, points);
  ASSERT_TRUE(b.Load());
  const DataSet& d = b.data;
  EXPECT_EQ(d.DataType(), 2);
  EXPECT_EQ(d.DataDim(), 1);
  EXPECT_EQ(d.Points(), 14);
  EXPECT_EQ(d.LoadedKind(), kIrregularSurface);
  EXPECT_EQ(d.MinX(), -5.0);
  EXPECT_EQ(d.MaxX(), 10.0);
  EXPECT_EQ(d.MaxY(), 12.0);
  EXPECT_EQ(d.MinZ(), 0.0);
  EXPECT_EQ(d.MaxZ(), 10.0);
  EXPECT_EQ(d.MaxC(), 20.0);
  EXPECT_DOUBLE_EQ(b.settings.DataScaleX, 1.5);
  EXPECT_DOUBLE_EQ(d.Irreg3DX(13), -5.0 / 1.5);
  // The grid still spans the typed bounds.
  EXPECT_DOUBLE_EQ(d.Reg3DX(0, 0) * b.settings.DataScaleX, 0.0);
  EXPECT_DOUBLE_EQ(d.Reg3DY(0, 2) * b.settings.DataScaleY, 10.0);
}

struct RefusedCase {
  const char* name;
  Long kind;
  Long method;
  std::vector<Point> points;
  std::vector<std::string> messages;
  // The quadratic fit's zero coefficients fill every node (at its place,
  // value 0); the other failures reach no node.
  bool nodesPlaced = false;
};

void LoadRefusedCase(const RefusedCase& c, DataBench& b) {
  if (c.kind == kIrregularVolume) {
    b.settings.GridMethod4D = c.method;
    b.panel.SetKindIndex(kIrregularVolume);
    b.Boxes({"0", "1", std::to_string(c.points.size()), "2", "0", "1", "2", "0", "1", "2"});
    b.PointRows(c.points);
  } else {
    b.settings.GridMethod = c.method;
    b.IrregularSurface(c.kind, 3, 3, 0, 10, 0, 10, c.points);
  }
}

class GridRefusedTest : public testing::TestWithParam<RefusedCase> {};

// A method that cannot make a grid says so, once, and the data set stays as it was.
TEST_P(GridRefusedTest, ShowsMessagesAndKeepsTheDataSet) {
  const RefusedCase& c = GetParam();
  DataBench b;
  LoadRefusedCase(c, b);
  EXPECT_FALSE(b.Load());
  EXPECT_EQ(b.messages.Texts(), c.messages);
  EXPECT_EQ(b.data.LoadedKind(), -1);
  EXPECT_EQ(b.data.DataType(), 0);
  EXPECT_EQ(b.settings.DataScaleX, 1.0);
}

// Kept, a failed gridding still loads the points, with the nodes as the
// failed method left them: a document of such data opens.
TEST_P(GridRefusedTest, KeptFailureLoadsThePointsAndTheNodesItLeft) {
  const RefusedCase& c = GetParam();
  DataBench b;
  LoadRefusedCase(c, b);
  ASSERT_TRUE(b.data.GetData(b.context, FailedGrid::Keep));
  EXPECT_EQ(b.messages.Texts(), c.messages);
  EXPECT_EQ(b.data.LoadedKind(), c.kind);
  EXPECT_EQ(b.data.Points(), static_cast<Long>(c.points.size()));
  const SharedSettings& s = b.settings;
  const double step = c.kind == kIrregularVolume ? 1.0 : 5.0;
  const auto place = [&](Long n) { return c.nodesPlaced ? n * step : 0.0; };
  if (c.kind == kIrregularVolume) {
    EXPECT_DOUBLE_EQ(b.data.Irreg4DV(1) * s.DataScaleV, c.points[1][3]);
    for (Long i = 0; i < 2; ++i) {
      for (Long j = 0; j < 2; ++j) {
        for (Long k = 0; k < 2; ++k) {
          EXPECT_DOUBLE_EQ(b.data.Reg4DX(i, j, k) * s.DataScaleX, place(i));
          EXPECT_DOUBLE_EQ(b.data.Reg4DZ(i, j, k) * s.DataScaleZ, place(k));
          EXPECT_EQ(b.data.Reg4DV(i, j, k), 0.0);
        }
      }
    }
    return;
  }
  EXPECT_DOUBLE_EQ(b.data.Irreg3DZ(1) * s.DataScaleZ, c.points[1][2]);
  for (Long i = 0; i < 3; ++i) {
    for (Long j = 0; j < 3; ++j) {
      EXPECT_DOUBLE_EQ(b.data.Reg3DX(i, j) * s.DataScaleX, place(i));
      EXPECT_DOUBLE_EQ(b.data.Reg3DY(i, j) * s.DataScaleY, place(j));
      EXPECT_EQ(b.data.Reg3DZ(i, j), 0.0);
      EXPECT_EQ(b.data.Reg3DC(i, j), 0.0);
    }
  }
}

const std::vector<Point> kOnALine = {{0, 0, 1, 0}, {1, 1, 2, 0}, {2, 2, 3, 0}, {3, 3, 4, 0},
                                     {4, 4, 5, 0}, {5, 5, 6, 0}, {6, 6, 7, 0}};

// More points than a dense system over all of them can hold.
std::vector<Point> ManyPoints(int count) {
  std::vector<Point> points;
  for (int n = 0; n < count; ++n) points.push_back({n % 100 * 0.1, n / 100 * 0.1, 1.0 * n, 0});
  return points;
}

INSTANTIATE_TEST_SUITE_P(
    Methods, GridRefusedTest,
    testing::Values(
        RefusedCase{
            "UnknownSurfaceMethod", kIrregularSurface, 6, UnitScalePoints(), {kGridMessage}},
        RefusedCase{"ZeroSurfaceMethod", kIrregularSurface, 0, UnitScalePoints(), {kGridMessage}},
        RefusedCase{"UnknownVolumeMethod", kIrregularVolume, 104, kOnALine, {kGridMessage}},
        RefusedCase{"MultiquadricCoincidentPoints",
                    kIrregularSurface,
                    3,
                    {{1, 1, 0, 0}, {1, 1, 5, 0}, {2, 3, 1, 0}, {4, 4, 2, 0}},
                    {kSolveMessage}},
        RefusedCase{"ThinPlatePointsOnALine", kIrregularSurface, 4, kOnALine, {kSolveMessage}},
        RefusedCase{"ThinPlateTooManyPoints",
                    kIrregularSurface,
                    4,
                    ManyPoints(7501),
                    {kTooManyRadialPoints}},
        RefusedCase{
            "QuadraticFitPointsOnALine", kIrregularSurface, 5, kOnALine, {kGridMessage}, true},
        RefusedCase{"QuadraticFitFivePoints",
                    kIrregularSurface,
                    5,
                    {{0, 0, 1, 0}, {10, 0, 2, 0}, {0, 10, 3, 0}, {10, 10, 4, 0}, {5, 5, 5, 0}},
                    {kGridMessage},
                    true},
        RefusedCase{
            "VolumeFitTooFewPoints", kIrregularVolume, 103, kOnALine, {kGridMessage}, true}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

// Volumes

void IrregularVolume(DataBench& b, Long method, const std::vector<Point>& points, int nodes) {
  b.settings.GridMethod4D = method;
  b.panel.SetKindIndex(kIrregularVolume);
  const std::string n = std::to_string(nodes);
  b.Boxes({"0", "1", std::to_string(points.size()), n, "0", "1", n, "0", "1", n});
  b.PointRows(points);
}

double Quadratic3(double x, double y, double z) {
  return 2 - x + 3 * y + 0.5 * z + x * y - 2 * x * z + y * z + x * x - 0.5 * y * y + 4 * z * z;
}

std::vector<Point> VolumePoints() {
  std::vector<Point> points;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      for (int k = 0; k < 3; ++k) {
        const double x = 0.5 * i, y = 0.5 * j, z = 0.5 * k;
        points.push_back({x, y, z, Quadratic3(x, y, z)});
      }
    }
  }
  return points;
}

TEST(GridVolumeTest, QuadraticFitReproducesAQuadratic) {
  DataBench b;
  IrregularVolume(b, 103, VolumePoints(), 4);
  ASSERT_TRUE(b.Load());
  const SharedSettings& s = b.settings;
  for (Long i = 0; i < 4; ++i) {
    for (Long j = 0; j < 4; ++j) {
      for (Long k = 0; k < 4; ++k) {
        const double x = i / 3.0, y = j / 3.0, z = k / 3.0;
        EXPECT_NEAR(b.data.Reg4DX(i, j, k) * s.DataScaleX, x, 1e-12);
        EXPECT_NEAR(b.data.Reg4DV(i, j, k) * s.DataScaleV, Quadratic3(x, y, z), 1e-9);
        EXPECT_NEAR(b.data.Reg4DC(i, j, k), Quadratic3(x, y, z), 1e-9);
      }
    }
  }
}

TEST(GridVolumeTest, DistanceMethodsAreExactAtTheDataPoints) {
  for (const Long method : {101, 102}) {
    DataBench b;
    IrregularVolume(b, method, VolumePoints(), 3);
    ASSERT_TRUE(b.Load());
    // Nodes 0, 0.5, 1 along every axis, each on a point.
    for (Long i = 0; i < 3; ++i) {
      for (Long j = 0; j < 3; ++j) {
        for (Long k = 0; k < 3; ++k) {
          const double expected = Quadratic3(0.5 * i, 0.5 * j, 0.5 * k);
          EXPECT_NEAR(b.data.Reg4DC(i, j, k), expected, 1e-12) << method;
        }
      }
    }
    double value = 0.0;
    b.data.NDS4D(0.0, 0.0, 0.0, value, 5);
    EXPECT_NEAR(value * b.settings.DataScaleV, Quadratic3(0, 0, 0), 1e-12);
  }
}

// Franke's Test Function

double Franke(double x, double y) {
  return 0.75 * std::exp(-((9 * x - 2) * (9 * x - 2) + (9 * y - 2) * (9 * y - 2)) / 4) +
         0.75 * std::exp(-(9 * x + 1) * (9 * x + 1) / 49 - (9 * y + 1) / 10) +
         0.5 * std::exp(-((9 * x - 7) * (9 * x - 7) + (9 * y - 3) * (9 * y - 3)) / 4) -
         0.2 * std::exp(-(9 * x - 4) * (9 * x - 4) - (9 * y - 7) * (9 * y - 7));
}

constexpr unsigned kFrankeSeed = 20261210u;

struct GridError {
  double max = 0.0;
  double rms = 0.0;
};

// 100 points scattered over the unit square, one at a random place in each
// cell of a 10 x 10 division (the generator's own numbers, so the set is the
// same on every standard library), gridded on 33 x 33 nodes.
GridError FrankeError(Long method, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<Point> points;
  for (int n = 0; n < 100; ++n) {
    const double x = Val(FormatDouble((n % 10 + random() / 4294967296.0) / 10.0));
    const double y = Val(FormatDouble((n / 10 + random() / 4294967296.0) / 10.0));
    points.push_back({x, y, Franke(x, y), 0.0});
  }
  DataBench b;
  b.settings.GridMethod = method;
  b.IrregularSurface(kIrregularSurface, 33, 33, 0, 1, 0, 1, points);
  EXPECT_TRUE(b.Load());
  GridError e;
  double sum = 0.0;
  for (Long i = 0; i < 33; ++i) {
    for (Long j = 0; j < 33; ++j) {
      const double d = NodeZ(b, i, j) - Franke(i / 32.0, j / 32.0);
      e.max = std::max(e.max, std::fabs(d));
      sum += d * d;
    }
  }
  e.rms = std::sqrt(sum / (33.0 * 33.0));
  return e;
}

TEST(FrankeTest, ThinPlateWithinFiveHundredths) {
  const char* names[] = {"",           "inverse distance", "Shepard", "multiquadric",
                         "thin plate", "quadratic fit"};
  for (Long method = 1; method <= 5; ++method) {
    const GridError e = FrankeError(method, kFrankeSeed);
    std::printf("Franke, method %d (%s): max error %.4f, RMS %.4f\n", method, names[method], e.max,
                e.rms);
    RecordProperty(std::string("method") + std::to_string(method) + "_max", std::to_string(e.max));
    if (method == 4) {
      EXPECT_LE(e.max, 0.05);
    }
  }
}

}  // namespace
}  // namespace qv
