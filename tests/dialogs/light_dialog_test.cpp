#include "dialogs/light_dialog.h"

#include <gtest/gtest.h>

#include "dialogs/dialog_context.h"
#include "support/scripted_message_box.h"

namespace qv {
namespace {

class LightDialogTest : public testing::Test {
 protected:
  Light light;
  test::ScriptedMessageBox messages;
};

TEST_F(LightDialogTest, OpensWithTheLightsValuesAsPointDecimals) {
  light.Position(0) = 1000.0f;
  light.Diffuse(1) = 0.1f;
  light.TwoSides(0) = 2.0f;
  light.GlobalAmbient(0) = 0.0f;
  const LightDialogModel model(light, messages);
  EXPECT_STREQ(model.Caption(), "Light Properties");
  EXPECT_TRUE(model.lighting);
  EXPECT_TRUE(model.twoSides);
  EXPECT_FALSE(model.globalAmbient);
  EXPECT_EQ(model.values[0], "1000");
  EXPECT_EQ(model.values[5], "0.1");
}

TEST_F(LightDialogTest, OkWritesTheSwitchesAndEveryComponentByItsLeadingNumber) {
  LightDialogModel model(light, messages);
  model.lighting = false;
  model.twoSides = true;
  model.globalAmbient = true;
  model.values[0] = "1.5abc";
  model.values[7] = "";
  model.values[8] = "0,5";  // a comma is no decimal sign: 0
  model.values[15] = "-2";
  ASSERT_TRUE(model.Ok());
  EXPECT_FALSE(light.Enabled);
  EXPECT_EQ(light.TwoSides(0), 1.0f);
  EXPECT_EQ(light.GlobalAmbient(0), 1.0f);
  EXPECT_EQ(light.Position(0), 1.5f);
  EXPECT_EQ(light.Diffuse(3), 0.0f);
  EXPECT_EQ(light.Amission(0), 0.0f);
  EXPECT_EQ(light.Specular(3), -2.0f);
  EXPECT_TRUE(messages.Shown().empty());
}

// A number beyond a Single was an unhandled run-time error.
TEST_F(LightDialogTest, ANumberBeyondASingleIsRefusedAndNothingIsWritten) {
  light.Position(0) = 7.0f;
  LightDialogModel model(light, messages);
  model.lighting = false;
  model.values[0] = "8";
  model.values[12] = "1e39";
  EXPECT_FALSE(model.Ok());
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{kIllegalDataMessage});
  EXPECT_TRUE(light.Enabled);
  EXPECT_EQ(light.Position(0), 7.0f);
}

}  // namespace
}  // namespace qv
