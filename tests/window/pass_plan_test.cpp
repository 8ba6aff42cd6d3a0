#include "window/pass_plan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <vector>

#include "graphs/workspace.h"
#include "window/scene_renderer.h"

namespace qv {
namespace {

struct PlanCase {
  const char* name;
  bool dragging;
  std::vector<double> x;
  std::vector<double> y;
  double weight;
};

void PrintTo(const PlanCase& c, std::ostream* os) { *os << c.name; }

class PassPlanTest : public testing::TestWithParam<PlanCase> {};

// Guards the anti-aliasing tables: a wrong jitter or weight leaves the picture
// blurred, shifted or too dark or bright (weights must add up to 1).
TEST_P(PassPlanTest, HoldsThePublishedJittersWithEqualWeights) {
  const PlanCase& c = GetParam();
  const std::span<const AccumPass> plan = PassPlan(c.dragging);
  ASSERT_EQ(plan.size(), c.x.size());
  double total = 0.0;
  for (std::size_t i = 0; i < plan.size(); ++i) {
    EXPECT_EQ(plan[i].jitterX, c.x[i]) << "pass " << i;
    EXPECT_EQ(plan[i].jitterY, c.y[i]) << "pass " << i;
    EXPECT_EQ(plan[i].weight, c.weight) << "pass " << i;
    total += plan[i].weight;
  }
  EXPECT_DOUBLE_EQ(total, 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    Builds, PassPlanTest,
    testing::Values(PlanCase{"Still",
                             false,
                             {-0.334818, 0.286438, 0.459462, -0.414498, -0.18379, -0.079263,
                              0.102254, 0.164216},
                             {0.435331, -0.393495, 0.14154, -0.192829, 0.082102, -0.317383,
                              0.299133, -0.054399},
                             0.125},
                    PlanCase{"Dragging", true, {0.24649, -0.24649}, {0.249999, -0.249999}, 0.5}),
    [](const testing::TestParamInfo<PlanCase>& info) { return std::string(info.param.name); });

bool QuatNear(const Quat& a, const Quat& b, float tol = 1e-6F) {
  for (int i = 0; i < 4; ++i) {
    if (std::fabs(a[i] - b[i]) > tol) return false;
  }
  return true;
}

// The rotation by angle degrees (with the program's pi, 3.1416) about a unit axis.
Quat AboutAxis(double ax, double ay, double az, double degrees) {
  const double half = degrees * 3.1416 / 180.0 / 2.0;
  return {static_cast<float>(ax * std::sin(half)), static_cast<float>(ay * std::sin(half)),
          static_cast<float>(az * std::sin(half)), static_cast<float>(std::cos(half))};
}

TEST(ScenePresetRotation, ZeroAnglesGiveTheIdentity) {
  EXPECT_TRUE(QuatNear(RollPitchYawQuat(0, 0, 0), kIdentityQuat));
}

TEST(ScenePresetRotation, SingleAnglesTurnAboutTheirOwnAxes) {
  EXPECT_TRUE(QuatNear(RollPitchYawQuat(0, 0, 90), AboutAxis(0, 1, 0, 90)));    // yaw about y
  EXPECT_TRUE(QuatNear(RollPitchYawQuat(0, -90, 0), AboutAxis(1, 0, 0, -90)));  // pitch about x
  EXPECT_TRUE(QuatNear(RollPitchYawQuat(30, 0, 0), AboutAxis(0, 0, 1, 30)));    // roll about z
}

// Guards the order: roll first, then pitch, then yaw. Any other order gives
// another orientation for the ISO view.
TEST(ScenePresetRotation, IsoIsPitchThenYaw) {
  const Quat iso = RollPitchYawQuat(0, -30, 45);
  EXPECT_TRUE(QuatNear(iso, ComposeQuats(AboutAxis(1, 0, 0, -30), AboutAxis(0, 1, 0, 45))));
  EXPECT_FALSE(QuatNear(iso, ComposeQuats(AboutAxis(0, 1, 0, 45), AboutAxis(1, 0, 0, -30)), 1e-3F));
}

TEST(SceneRotationSource, PresetAnglesAreCopiedIntoCurQuat) {
  Workspace ws;
  ws.shownGraphs.RotPitch = -30;
  ws.shownGraphs.RotYaw = 45;
  InteractionState state;
  state.CurQuat = {1.0F, 0.0F, 0.0F, 0.0F};
  const Quat used = SceneRotation(ws, state);
  EXPECT_TRUE(QuatNear(used, RollPitchYawQuat(0, -30, 45)));
  EXPECT_EQ(state.CurQuat, used);  // a following drag starts from the preset
}

TEST(SceneRotationSource, TrackballRotationIgnoresTheAngles) {
  Workspace ws;
  ws.shownGraphs.RotYaw = 90;
  InteractionState state;
  state.UseCurQuat = true;
  state.CurQuat = AboutAxis(0, 0, 1, 10);
  const Quat kept = state.CurQuat;
  EXPECT_EQ(SceneRotation(ws, state), kept);
  EXPECT_EQ(state.CurQuat, kept);
}

// A graph that only has a box.
class BoxOnly : public SceneItem {
 public:
  explicit BoxOnly(const Box& box) : box_(box) {}
  Long ID() const override { return 1; }
  void Draw(const DrawContext&) override {}
  Long RecordFormat() const override { return 4; }
  std::string Save(const SharedSettings&, Long) const override { return ""; }
  Box GetBox(const DrawContext&) const override { return box_; }
  void DrawLegend(const DrawContext&) override {}
  void EqualTo(const SceneItem&) override {}

 private:
  Box box_;
};

// Guards the centre's axes: CenterX is the middle of the box's Z extent,
// CenterY of its X extent and CenterZ of its Y extent.
TEST(SceneCentre, TakesEachCentreFromItsOwnExtent) {
  Workspace ws;
  UpdateSceneCenter(ws);
  EXPECT_DOUBLE_EQ(ws.settings.CenterX, 0.0);  // no shown graphs
  EXPECT_DOUBLE_EQ(ws.settings.CenterY, 0.0);
  EXPECT_DOUBLE_EQ(ws.settings.CenterZ, 0.0);
  ws.shownGraphs.Items.Add(std::make_shared<BoxOnly>(Box{0, 2, 10, 14, 100, 106}), "1");
  UpdateSceneCenter(ws);
  EXPECT_DOUBLE_EQ(ws.settings.CenterX, 103.0);
  EXPECT_DOUBLE_EQ(ws.settings.CenterY, 1.0);
  EXPECT_DOUBLE_EQ(ws.settings.CenterZ, 12.0);
}

}  // namespace
}  // namespace qv
