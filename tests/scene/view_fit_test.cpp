// The least view height that keeps marks inside a frame of the drawing area,
// against the projections worked out by hand.
#include "scene/view_fit.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "scene/camera.h"

namespace qv {
namespace {

constexpr std::array<float, 16> kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
// A quarter turn about y, as glRotate(90, 0, 1, 0) gives it: z goes to x.
constexpr std::array<float, 16> kQuarterAboutY = {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1};

struct FitCase {
  const char* name;
  Long projectType;
  std::array<float, 16> rotation;
  SceneMark mark;
  ViewFrame frame;
  double panX;
  double height;  // what HeightToShow gives
};

class HeightToShowTest : public testing::TestWithParam<FitCase> {};

// The camera looks from (0, 0, 1000) at the origin on a 200 x 100 screen, so
// the view is twice as wide as high. A mark at x = 10 needs a width of
// 10 / (right - centre), a mark at y = 10 a height of 10 / (top - 0.5).
TEST_P(HeightToShowTest, KeepsTheMarkInsideTheFrame) {
  const FitCase& c = GetParam();
  Camera camera;
  camera.ProjectType = c.projectType;
  camera.ScreenWidth = 200;
  camera.ScreenHeight = 100;
  const std::vector<SceneMark> marks{c.mark};
  EXPECT_NEAR(HeightToShow(camera, c.rotation, marks, c.frame, c.panX, Box{}), c.height, 1e-9);
}

const ViewFrame kMostly{0.1, 0.9, 0.1, 0.9};

INSTANTIATE_TEST_SUITE_P(
    Cases, HeightToShowTest,
    testing::Values(
        // 10 / 0.4 = 25 wide, 12.5 high.
        FitCase{"Right", 1, kIdentity, {{10, 0, 0}}, kMostly, 0.0, 12.5},
        FitCase{"Left", 1, kIdentity, {{-10, 0, 0}}, kMostly, 0.0, 12.5},
        FitCase{"Up", 1, kIdentity, {{0, 10, 0}}, kMostly, 0.0, 25},
        FitCase{"Down", 1, kIdentity, {{0, -10, 0}}, kMostly, 0.0, 25},
        // A text 4 right of the origin, 2 above it.
        FitCase{"TextRight", 1, kIdentity, {{0, 0, 0}, 0, 4, 0, 0}, kMostly, 0.0, 5},
        FitCase{"TextAbove", 1, kIdentity, {{0, 0, 0}, 0, 0, 0, 2}, kMostly, 0.0, 5},
        // The legend's pan puts the centre at 0.45: 10 / 0.45 wide.
        FitCase{"PannedRight", 1, kIdentity, {{10, 0, 0}}, kMostly, -0.05, 10 / 0.45 / 2},
        FitCase{"PannedLeft", 1, kIdentity, {{-10, 0, 0}}, kMostly, -0.05, 10 / 0.35 / 2},
        // A frame short of the legend: right at 0.8.
        FitCase{"ShortFrame", 1, kIdentity, {{10, 0, 0}}, {0.1, 0.8, 0.1, 0.9}, 0.0, 10 / 0.3 / 2},
        // Turned a quarter about y, a mark on z lies across the screen.
        FitCase{"Turned", 1, kQuarterAboutY, {{0, 0, 10}}, kMostly, 0.0, 12.5},
        FitCase{"TurnedAway", 1, kQuarterAboutY, {{10, 0, 0}}, kMostly, 0.0, 0},
        // In perspective a mark half way to the eye shows twice as far out
        // (the near distance of an empty box is 1000).
        FitCase{"PerspectiveNear", 2, kIdentity, {{10, 0, 500}}, kMostly, 0.0, 25},
        FitCase{"PerspectiveBehindTheEye", 2, kIdentity, {{10, 0, 1500}}, kMostly, 0.0, 0}),
    [](const testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

TEST(HeightToShow, NoMarksOrNoViewingDirectionNeedNothing) {
  Camera camera;
  EXPECT_EQ(HeightToShow(camera, kIdentity, {}, ViewFrame{}, 0.0, Box{}), 0.0);
  camera.SetEye(0, 0, 0);
  const std::vector<SceneMark> marks{{{10, 0, 0}}};
  EXPECT_EQ(HeightToShow(camera, kIdentity, marks, ViewFrame{}, 0.0, Box{}), 0.0);
}

}  // namespace
}  // namespace qv
