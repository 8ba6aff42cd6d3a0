// Where the contour lines go in each view kind and plane orientation, and
// how the GL sink emits them.
#include "contour_drawing.h"

#include <GL/gl.h>

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "contour_test_support.h"
#include "gl_feedback.h"
#include "platform/osmesa/offscreen_context.h"

namespace qv::test {
namespace {

constexpr Long kNodes = 101;
constexpr double kSpacing = 0.1;
// The circle of level 16 of x^2 + y^2 has radius 4.
constexpr double kLevel = 16.0;
constexpr double kRadius = 4.0;

// The in-plane coordinates of the circle's grid: first 2 + x, second -1 + y,
// the plane at 0.7; the scene centre (CenterX, CenterY, CenterZ) = (0.5,
// 0.25, -0.3).
struct CircleGrid {
  std::vector<double> values = CircleField(kNodes, kSpacing);
  std::vector<double> first, second;
  SharedSettings settings;
  CircleGrid() {
    const double c = (kNodes - 1) / 2.0;
    for (Long i = 0; i < kNodes; ++i) {
      for (Long j = 0; j < kNodes; ++j) {
        first.push_back(2.0 + (i - c) * kSpacing);
        second.push_back(-1.0 + (j - c) * kSpacing);
      }
    }
    settings.CenterX = 0.5;
    settings.CenterY = 0.25;
    settings.CenterZ = -0.3;
  }
};

// Which scene coordinate carries the first and the second in-plane
// coordinate and the plane's own, and where the circle's centre and the
// plane must come out.
struct PlacementCase {
  const char* name;
  bool flat2D;
  ContourPlane plane;
  int firstAxis, secondAxis, planeAxis;
  double firstCentre, secondCentre, planeAt;
};

void PrintTo(const PlacementCase& c, std::ostream* out) { *out << c.name; }

class ContourPlacementTest : public testing::TestWithParam<PlacementCase> {};

double Axis(const ScenePoint& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

// x^2 + y^2 on 101 x 101 nodes at one level: one closed line on the circle,
// within 1% of its radius, in the plane its placement says.
TEST_P(ContourPlacementTest, TheCircleLiesInItsPlaneOnItsRadius) {
  const PlacementCase& c = GetParam();
  CircleGrid g;
  ContourTracer tracer(kNodes, kNodes, g.values, kLevel);
  const PlanePlacer placer(kNodes, g.first, g.second, 0.7, c.flat2D, c.plane, g.settings);
  RecordingSink sink;
  tracer.Trace(placer, {}, sink);
  const std::vector<RecordedLine> circle = sink.LinesAt(kLevel);
  ASSERT_EQ(circle.size(), 1u);
  EXPECT_TRUE(sink.Closed(circle[0]));
  for (const ScenePoint& p : circle[0].points) {
    const double r =
        std::hypot(Axis(p, c.firstAxis) - c.firstCentre, Axis(p, c.secondAxis) - c.secondCentre);
    ASSERT_NEAR(r, kRadius, 0.01 * kRadius);
    ASSERT_DOUBLE_EQ(Axis(p, c.planeAxis), c.planeAt);
  }
}

INSTANTIATE_TEST_SUITE_P(
    ViewKinds, ContourPlacementTest,
    testing::Values(
        // (first - CenterX, second - CenterY, plane - CenterZ).
        PlacementCase{"Document2D", true, ContourPlane::kConstantZ, 0, 1, 2, 1.5, -1.25, 1.0},
        // Data (X, Y, Z) = (first, second, plane) at scene (Y, Z, X).
        PlacementCase{"Document3D", false, ContourPlane::kConstantZ, 2, 0, 1, 1.5, -1.25, 1.0},
        // Data (X, Y, Z) = (plane, first, second).
        PlacementCase{"Document4DConstantX", false, ContourPlane::kConstantX, 0, 1, 2, 1.75, -0.7,
                      0.2},
        // Data (X, Y, Z) = (first, plane, second).
        PlacementCase{"Document4DConstantY", false, ContourPlane::kConstantY, 2, 1, 0, 1.5, -0.7,
                      0.45}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

// Two nodes of a cylinder 30 degrees apart: the crossing between them lies
// on the cylinder, not on the chord, and so does one on a sphere.
TEST(SurfacePlacerTest, CrossingsLieOnTheCurvedSurface) {
  SharedSettings s;
  s.DataScaleX = 2.0;
  s.DataScaleY = 4.0;
  s.DataScaleZ = 0.5;
  s.CenterX = 1.0;
  s.CenterY = -2.0;
  s.CenterZ = 3.0;
  const double a0 = 0.2, a1 = 0.2 + 3.1416 / 6;
  // Node (0, 0) and (1, 0) of a 2 x 1 grid: an I-edge.
  const SurfacePlacer cylinder(1, {a0, a1}, {5.0, 5.0}, {7.0, 7.0},
                               SurfaceCoordinates::kCylindrical, s);
  const ScenePoint c = cylinder.Place({0, 0, true}, 0.5);
  // Scene (Y / sy - CenterY, Z / sz - CenterZ, X / sx - CenterX).
  const double x = (c.z + s.CenterX) * s.DataScaleX, y = (c.x + s.CenterY) * s.DataScaleY;
  EXPECT_NEAR(std::hypot(x, y), 7.0, 1e-12);
  EXPECT_NEAR(std::atan2(y, x), (a0 + a1) / 2, 1e-12);
  EXPECT_NEAR((c.y + s.CenterZ) * s.DataScaleZ, 5.0, 1e-12);

  const SurfacePlacer sphere(1, {a0, a1}, {0.4, 1.1}, {7.0, 7.0}, SurfaceCoordinates::kSpherical,
                             s);
  const ScenePoint p = sphere.Place({0, 0, true}, 0.3);
  const double px = (p.z + s.CenterX) * s.DataScaleX, py = (p.x + s.CenterY) * s.DataScaleY,
               pz = (p.y + s.CenterZ) * s.DataScaleZ;
  EXPECT_NEAR(std::sqrt(px * px + py * py + pz * pz), 7.0, 1e-12);
  EXPECT_NEAR(std::acos(pz / 7.0), 0.4 + 0.3 * 0.7, 1e-12);
}

// The GL sink: every segment of the traced lines in its level's colour, and
// the line state undone afterwards.
TEST(GlContourSinkTest, DrawsEverySegmentInItsLevelsColour) {
  OffscreenContext context(64, 64);
  CircleGrid g;
  g.settings.CenterX = g.settings.CenterY = g.settings.CenterZ = 0.0;
  ContourTracer tracer(kNodes, kNodes, g.values, 8);  // levels 8 .. 48
  const PlanePlacer placer(kNodes, g.first, g.second, 0.7, true, ContourPlane::kConstantZ,
                           g.settings);
  const ContourColoring blend{kContourBlend, RGB(255, 0, 0), RGB(0, 0, 255), {}};
  RecordingSink recorded;
  tracer.Trace(placer, blend, recorded);
  glEnable(GL_LIGHTING);
  const Feedback f = CaptureFeedback([&] {
    BeginContourLines(3);
    GlContourSink sink;
    tracer.Trace(placer, blend, sink);
    EndContourLines();
  });
  std::size_t segments = 0;
  for (const RecordedLine& line : recorded.lines) segments += line.points.size() - 1;
  ASSERT_EQ(f.segments.size(), segments);
  // The first strip is the lowest level's: blue; the last the highest: red.
  EXPECT_NEAR(f.segments.front()[0].rgba[2], 1.0, 1e-6);
  EXPECT_NEAR(f.segments.front()[0].rgba[0], 0.0, 1e-6);
  EXPECT_NEAR(f.segments.back()[1].rgba[0], 1.0, 1e-6);
  EXPECT_NEAR(f.segments.back()[1].rgba[2], 0.0, 1e-6);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace qv::test
