#include "window/interaction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace qv {
namespace {

// Records what the interaction asks of the window, with the pass count each
// build would use.
class RecordingHost : public InteractionHost {
 public:
  explicit RecordingHost(const InteractionState* state) : state_(state) {}
  void BuildScene() override { builds.push_back(state_->Dragging ? 2 : 8); }
  void Display() override { ++displays; }
  void ZoomCamera(double factor) override { zooms.push_back(factor); }
  void MoveCamera(double dx, double dy) override { moves.push_back({dx, dy}); }
  void ShowGraphEditPopup(double x, double y) override { ++popups; }
  double DrawingWidth() const override { return width; }
  double DrawingHeight() const override { return height; }

  void Reset() {
    builds.clear();
    displays = 0;
  }

  std::vector<int> builds;  // passes of each build
  int displays = 0;
  std::vector<double> zooms;
  std::vector<std::pair<double, double>> moves;
  int popups = 0;
  double width = 200;
  double height = 100;

 private:
  const InteractionState* state_;
};

class InteractionTest : public testing::Test {
 protected:
  InteractionTest() : host(&interaction.State()) {}

  bool QuatNear(const Quat& a, const Quat& b, float tol = 1e-5F) {
    for (int i = 0; i < 4; ++i) {
      if (std::fabs(a[i] - b[i]) > tol) return false;
    }
    return true;
  }

  Long rotateAxis = 0;
  // The host reads the state through a pointer, so it is made after it.
  Interaction interaction{host, rotateAxis};
  RecordingHost host;
};

TEST_F(InteractionTest, ModeCommandsSetTheirFlags) {
  interaction.SetMode(MouseModeCommand::RotateY);
  EXPECT_TRUE(interaction.State().RotateMode);
  EXPECT_EQ(rotateAxis, 3);
  interaction.SetMode(MouseModeCommand::Zoom);
  EXPECT_TRUE(interaction.State().ZoomMode);
  EXPECT_FALSE(interaction.State().RotateMode);
  EXPECT_EQ(rotateAxis, 3);  // zoom and move keep the axis
  interaction.SetMode(MouseModeCommand::Trackball);
  EXPECT_EQ(rotateAxis, 1);
  EXPECT_TRUE(host.builds.empty());  // no mode command draws
}

// Guards the click: one full-quality build, and no spin afterwards.
TEST_F(InteractionTest, PressAndReleaseWithoutMoveBuildsOnceAndDoesNotSpin) {
  interaction.SetMode(MouseModeCommand::Trackball);
  interaction.MouseDown(kLeftButton, 50, 50);
  interaction.MouseUp(kLeftButton, 50, 50);
  EXPECT_EQ(host.builds, std::vector<int>{8});
  EXPECT_EQ(host.displays, 1);
  EXPECT_FALSE(interaction.WantsIdleTicks());
  interaction.IdleStep();
  EXPECT_EQ(host.builds.size(), 1U);
}

// Guards the spin: after a rotation drag each idle step turns CurQuat by the
// last increment with 2-pass builds, and the next press stops it with 8.
TEST_F(InteractionTest, RotationDragSpinsUntilTheNextPress) {
  interaction.SetMode(MouseModeCommand::Trackball);
  interaction.MouseDown(kLeftButton, 100, 50);
  interaction.MouseMove(kLeftButton, 110, 50);
  interaction.MouseUp(kLeftButton, 110, 50);
  ASSERT_TRUE(interaction.SpinActive());
  ASSERT_TRUE(interaction.WantsIdleTicks());
  const Quat increment = interaction.State().LastQuat;
  EXPECT_FALSE(QuatNear(increment, kIdentityQuat));

  host.Reset();
  Quat expected = interaction.State().CurQuat;
  for (int step = 0; step < 3; ++step) {
    interaction.IdleStep();
    expected = ComposeQuats(increment, expected);
    EXPECT_TRUE(QuatNear(interaction.State().CurQuat, expected)) << "step " << step;
  }
  EXPECT_EQ(host.builds, (std::vector<int>{2, 2, 2}));
  EXPECT_EQ(host.displays, 3);

  host.Reset();
  const Quat stopped = interaction.State().CurQuat;
  interaction.MouseDown(kLeftButton, 10, 10);
  EXPECT_EQ(host.builds, std::vector<int>{8});
  EXPECT_FALSE(interaction.WantsIdleTicks());
  interaction.IdleStep();
  EXPECT_EQ(interaction.State().CurQuat, stopped);
}

// Guards the free trackball increment against the scene's routine for the
// mapped positions (y up, -1..1).
TEST_F(InteractionTest, DragMapsPositionsToTheTrackball) {
  interaction.SetMode(MouseModeCommand::RotateZ);
  interaction.MouseDown(kLeftButton, 100, 50);
  interaction.MouseMove(kLeftButton, 150, 25);
  const Quat expected = TrackballQuat(4, 0.0, 0.0, 0.5, 0.5);
  EXPECT_TRUE(QuatNear(interaction.State().LastQuat, expected));
  EXPECT_TRUE(interaction.State().UseCurQuat);
  EXPECT_DOUBLE_EQ(interaction.State().LastX, 150);
}

TEST_F(InteractionTest, ZoomDragAndReleaseRestoreFullQuality) {
  interaction.SetMode(MouseModeCommand::Zoom);
  interaction.MouseDown(kLeftButton, 10, 50);
  interaction.MouseMove(kLeftButton, 10, 75);  // down by a quarter: factor 1.25
  interaction.MouseUp(kLeftButton, 10, 75);
  ASSERT_EQ(host.zooms.size(), 1U);
  EXPECT_DOUBLE_EQ(host.zooms[0], 1.25);
  EXPECT_EQ(host.builds, (std::vector<int>{8, 2, 8}));
  EXPECT_FALSE(interaction.WantsIdleTicks());
}

// A drag down by more than the area's height asks for a factor of 0 or less;
// the camera ignores it, and the step still draws.
TEST_F(InteractionTest, ZoomFactorZeroOrLessIsPassedOnForTheCameraToIgnore) {
  interaction.SetMode(MouseModeCommand::Zoom);
  interaction.MouseDown(kLeftButton, 10, 0);
  interaction.MouseMove(kLeftButton, 10, -100);
  interaction.MouseMove(kLeftButton, 10, -250);
  EXPECT_DOUBLE_EQ(host.zooms[0], 0.0);
  EXPECT_DOUBLE_EQ(host.zooms[1], -0.5);
  EXPECT_EQ(host.builds.size(), 3U);
}

TEST_F(InteractionTest, MoveDragPansByFractionsOfTheArea) {
  interaction.SetMode(MouseModeCommand::Move);
  interaction.MouseDown(kLeftButton, 100, 50);
  interaction.MouseMove(kLeftButton, 150, 40);
  ASSERT_EQ(host.moves.size(), 1U);
  EXPECT_DOUBLE_EQ(host.moves[0].first, 0.25);
  EXPECT_DOUBLE_EQ(host.moves[0].second, 0.1);
}

// Guards the presets during a spin: with UseCurQuat cleared, spin steps keep
// drawing (the preset) without turning CurQuat's source.
TEST_F(InteractionTest, SpinStepsAfterAPresetRedrawWithoutUsingCurQuat) {
  interaction.SetMode(MouseModeCommand::Trackball);
  interaction.MouseDown(kLeftButton, 100, 50);
  interaction.MouseMove(kLeftButton, 120, 50);
  interaction.MouseUp(kLeftButton, 120, 50);
  interaction.State().UseCurQuat = false;  // what a preset view does
  host.Reset();
  interaction.IdleStep();
  EXPECT_EQ(host.builds, std::vector<int>{2});
  EXPECT_FALSE(interaction.State().UseCurQuat);
}

TEST_F(InteractionTest, OtherButtonsDoNotDrag) {
  interaction.SetMode(MouseModeCommand::Move);
  interaction.MouseDown(kRightButton, 5, 5);
  EXPECT_EQ(host.popups, 1);
  interaction.MouseMove(kLeftButton | kRightButton, 50, 50);
  interaction.MouseMove(kRightButton, 50, 50);
  EXPECT_TRUE(host.moves.empty());
  EXPECT_TRUE(host.builds.empty());
}

// Regression: a drag step on an area of zero width or height divided by zero
// and left NaN in the rotation or camera. Such steps are skipped.
TEST_F(InteractionTest, DragStepOnAnEmptyAreaIsSkipped) {
  for (MouseModeCommand mode :
       {MouseModeCommand::Zoom, MouseModeCommand::Move, MouseModeCommand::Trackball}) {
    for (auto [w, h] : {std::pair{0.0, 100.0}, std::pair{200.0, 0.0}}) {
      host.width = w;
      host.height = h;
      interaction.SetMode(mode);
      interaction.MouseDown(kLeftButton, 10, 10);
      host.Reset();
      interaction.MouseMove(kLeftButton, 30, 40);
      EXPECT_TRUE(host.builds.empty());
      for (float c : interaction.State().CurQuat) EXPECT_TRUE(std::isfinite(c));
      EXPECT_TRUE(std::isfinite(interaction.State().ZoomFactor));
    }
  }
  EXPECT_TRUE(host.zooms.empty());
  EXPECT_TRUE(host.moves.empty());
}

// A zoom drag after the first release but before any rotation: the spin step
// composes with a LastQuat that was never set. It must not zero CurQuat.
TEST_F(InteractionTest, SpinStepBeforeAnyTrackballStepKeepsCurQuat) {
  interaction.SetMode(MouseModeCommand::Zoom);
  interaction.MouseDown(kLeftButton, 10, 10);
  interaction.MouseUp(kLeftButton, 10, 10);
  interaction.MouseDown(kLeftButton, 10, 10);
  interaction.MouseMove(kLeftButton, 10, 20);
  ASSERT_TRUE(interaction.SpinActive());
  interaction.IdleStep();
  EXPECT_EQ(interaction.State().CurQuat, kIdentityQuat);
}

TEST_F(InteractionTest, ClosingEndsTheSpin) {
  interaction.SetMode(MouseModeCommand::Trackball);
  interaction.MouseDown(kLeftButton, 100, 50);
  interaction.MouseMove(kLeftButton, 120, 50);
  interaction.MouseUp(kLeftButton, 120, 50);
  interaction.Close();
  EXPECT_FALSE(interaction.WantsIdleTicks());
  host.Reset();
  interaction.IdleStep();
  EXPECT_TRUE(host.builds.empty());
}

}  // namespace
}  // namespace qv
