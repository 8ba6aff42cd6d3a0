#include "dialogs/view_dialog.h"

#include <gtest/gtest.h>

#include "dialogs/dialog_context.h"
#include "support/scripted_message_box.h"

namespace qv {
namespace {

class ViewDialogTest : public testing::Test {
 protected:
  Camera camera;
  std::array<double, 6> bounds{-50, 50, -50, 50, -50, 50};
  test::ScriptedMessageBox messages;
};

TEST_F(ViewDialogTest, OpensWithTheBoundsAndTheProjection) {
  camera.ProjectType = 2;
  const ViewDialogModel model(camera, bounds, messages);
  EXPECT_STREQ(model.Caption(), "View Setting");
  EXPECT_TRUE(model.perspective);
  EXPECT_EQ(model.texts[0], "-50");
  EXPECT_EQ(model.texts[5], "50");
}

TEST_F(ViewDialogTest, OkCleansTheBoxesAndStoresThemAsTyped) {
  ViewDialogModel model(camera, bounds, messages);
  model.perspective = true;
  model.texts = {"1,5", "", "10", "-10", " 2 5", "3e2"};
  ASSERT_TRUE(model.Ok());
  EXPECT_EQ(camera.ProjectType, 2);
  EXPECT_EQ(bounds, (std::array<double, 6>{1.5, 0, 10, -10, 25, 300}));
  EXPECT_EQ(model.texts[0], "1.5");
  EXPECT_EQ(model.texts[1], "0");
}

class ViewRefusalTest : public ViewDialogTest, public testing::WithParamInterface<const char*> {};

// A refusal stored the projection already; now nothing is stored.
TEST_P(ViewRefusalTest, ShowsTheMessageAndStoresNothing) {
  ViewDialogModel model(camera, bounds, messages);
  model.perspective = true;
  model.texts[0] = "7";
  model.texts[3] = GetParam();
  EXPECT_FALSE(model.Ok());
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{kIllegalDataMessage});
  EXPECT_EQ(camera.ProjectType, 1);
  EXPECT_EQ(bounds[0], -50.0);
  EXPECT_EQ(model.texts[0], "7");  // the boxes before keep their cleaned text
}

INSTANTIATE_TEST_SUITE_P(Texts, ViewRefusalTest, testing::Values("abc", "1x", "1e400"));

}  // namespace
}  // namespace qv
