#include "dialogs/grid_size_dialog.h"

#include <gtest/gtest.h>

#include "dialogs/dialog_context.h"
#include "support/scripted_message_box.h"

namespace qv {
namespace {

struct SizeCase {
  const char* rows;
  const char* columns;
  bool accepted;
  Long expectedRows;
  Long expectedColumns;
};

class GridSizeDialogTest : public testing::TestWithParam<SizeCase> {};

TEST_P(GridSizeDialogTest, AcceptsOneTo65536BeforeRoundingAndRefusesTheRest) {
  const SizeCase& c = GetParam();
  test::ScriptedMessageBox messages;
  GridSizeDialogModel model(101, 5, messages);
  EXPECT_EQ(model.rows, "101");
  EXPECT_EQ(model.columns, "5");
  model.rows = c.rows;
  model.columns = c.columns;
  EXPECT_EQ(model.Ok(), c.accepted);
  if (c.accepted) {
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(model.Rows(), c.expectedRows);
    EXPECT_EQ(model.Columns(), c.expectedColumns);
  } else {
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, kGridSizeMessage);
    EXPECT_EQ(messages.Shown()[0].icon, MsgIcon::Critical);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Counts, GridSizeDialogTest,
    testing::Values(SizeCase{"1", "65536", true, 1, 65536}, SizeCase{"1.4", "5", true, 1, 5},
                    SizeCase{"65535.5", "2.5", true, 65536, 2}, SizeCase{"0", "5", false, 0, 0},
                    SizeCase{"65537", "5", false, 0, 0}, SizeCase{"0.6", "5", false, 0, 0},
                    SizeCase{"65536.4", "5", false, 0, 0}, SizeCase{"", "5", false, 0, 0},
                    SizeCase{"10", "abc", false, 0, 0}, SizeCase{"1,5", "5", false, 0, 0}));

}  // namespace
}  // namespace qv
