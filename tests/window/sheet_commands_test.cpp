// The data sheet's pop-up commands on blocks of cells.
#include "window/sheet_commands.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qv {
namespace {

// A sheet of rows data rows whose cell (r, c) holds "r.c".
class SheetCommandsTest : public testing::Test {
 protected:
  void Fill(Long rows) {
    sheet.SetRows(rows + 1);
    for (Long r = 1; r <= rows; ++r) {
      for (Long c = 1; c <= 4; ++c) text(r, c) = CStr(r) + "." + CStr(c);
    }
  }
  // The texts of column c, rows 1..rows.
  std::vector<std::string> Column(Long c, Long rows) const {
    std::vector<std::string> cells;
    for (Long r = 1; r <= rows; ++r) cells.push_back(text(r, c));
    return cells;
  }

  std::unique_ptr<SheetText> owned = std::make_unique<SheetText>();
  SheetText& text = *owned;
  SheetModel sheet{text};
};

TEST_F(SheetCommandsTest, CopyGivesTabSeparatedRowsOfTheDataCellsOnly) {
  Fill(3);
  EXPECT_EQ(CopyCells(sheet, {2, 2, 3, 3}), "2.2\t2.3\n3.2\t3.3\n");
  // The header row, the index column and rows past the sheet are left out.
  EXPECT_EQ(CopyCells(sheet, {0, 0, 9, 1}), "1.1\n2.1\n3.1\n");
  EXPECT_EQ(CopyCells(sheet, {0, 0, 0, 4}), "");
}

// Cut then Paste elsewhere moves the texts; line ends of any kind part the
// rows, and a last line end gives no further row.
TEST_F(SheetCommandsTest, CutThenPasteElsewhereMovesTheTexts) {
  Fill(4);
  const std::string cut = CopyCells(sheet, {1, 1, 2, 2});
  EXPECT_TRUE(ClearCells(sheet, {1, 1, 2, 2}).changed);
  EXPECT_EQ(text(1, 1), "");
  EXPECT_TRUE(PasteCells(sheet, {3, 3, 3, 3}, cut).changed);
  EXPECT_EQ(Column(3, 4), (std::vector<std::string>{"1.3", "2.3", "1.1", "2.1"}));
  EXPECT_EQ(Column(4, 4), (std::vector<std::string>{"1.4", "2.4", "1.2", "2.2"}));
  EXPECT_TRUE(PasteCells(sheet, {1, 1, 1, 1}, "a\tb\r\nc\rd\n").changed);
  EXPECT_EQ(Column(1, 4), (std::vector<std::string>{"a", "c", "d", "4.1"}));
  EXPECT_EQ(text(1, 2), "b");
}

// A paste that would reach past the sheet's rows or its four columns, or
// that holds a cell no document holds, is refused whole.
TEST_F(SheetCommandsTest, PasteThatDoesNotFitChangesNothing) {
  Fill(3);
  for (const auto& [at, clip, message] :
       std::vector<std::tuple<SheetBlock, std::string, const char*>>{
           {{3, 1, 3, 1}, "x\ny\n", kPasteTooLargeMessage},
           {{1, 3, 1, 3}, "x\ty\tz\n", kPasteTooLargeMessage},
           {{1, 1, 1, 1}, std::string(1001, 'x'), kCellTooLongMessage}}) {
    const SheetEdit edit = PasteCells(sheet, at, clip);
    EXPECT_FALSE(edit.changed);
    EXPECT_EQ(edit.message, message);
    EXPECT_EQ(Column(1, 3), (std::vector<std::string>{"1.1", "2.1", "3.1"}));
    EXPECT_EQ(Column(3, 3), (std::vector<std::string>{"1.3", "2.3", "3.3"}));
  }
}

TEST_F(SheetCommandsTest, InsertAndDeleteRowsMoveTheRowsBelow) {
  Fill(4);
  ASSERT_TRUE(InsertRows(sheet, {2, 3, 3, 3}).changed);
  EXPECT_EQ(sheet.Rows(), 7);
  EXPECT_EQ(Column(1, 6), (std::vector<std::string>{"1.1", "", "", "2.1", "3.1", "4.1"}));
  ASSERT_TRUE(DeleteRows(sheet, {1, 1, 3, 4}).changed);
  EXPECT_EQ(sheet.Rows(), 4);
  EXPECT_EQ(Column(4, 3), (std::vector<std::string>{"2.4", "3.4", "4.4"}));
  // The rows that left come back empty when the sheet grows again.
  sheet.SetRows(7);
  EXPECT_EQ(Column(4, 6), (std::vector<std::string>{"2.4", "3.4", "4.4", "", "", ""}));
}

TEST_F(SheetCommandsTest, InsertAndDeleteColumnsKeepFourColumns) {
  Fill(2);
  // The last column holds data: no room to move it out.
  EXPECT_EQ(InsertColumns(sheet, {1, 2, 1, 2}).message, kNoRoomForColumnsMessage);
  EXPECT_EQ(text(1, 2), "1.2");
  ASSERT_TRUE(DeleteColumns(sheet, {2, 1, 2, 2}).changed);
  EXPECT_EQ(Column(1, 2), (std::vector<std::string>{"1.3", "2.3"}));
  EXPECT_EQ(Column(2, 2), (std::vector<std::string>{"1.4", "2.4"}));
  EXPECT_EQ(Column(3, 2), (std::vector<std::string>{"", ""}));
  ASSERT_TRUE(InsertColumns(sheet, {1, 1, 1, 2}).changed);
  EXPECT_EQ(Column(1, 2), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(Column(3, 2), (std::vector<std::string>{"1.3", "2.3"}));
  EXPECT_EQ(Column(4, 2), (std::vector<std::string>{"1.4", "2.4"}));
}

// At the sheet's limit of 20000 rows nothing reaches past it: inserting is
// refused, blocks past the last row are cut to it.
TEST_F(SheetCommandsTest, NothingReachesPastTwentyThousandRows) {
  Fill(SheetText::kMaxRow);
  EXPECT_EQ(InsertRows(sheet, {5, 1, 5, 1}).message, kSheetTooLargeMessage);
  EXPECT_EQ(sheet.Rows(), SheetText::kMaxRow + 1);
  EXPECT_EQ(text(6, 1), "6.1");
  EXPECT_EQ(PasteCells(sheet, {20000, 1, 20000, 1}, "a\nb\n").message, kPasteTooLargeMessage);
  EXPECT_TRUE(ClearCells(sheet, {19999, 4, 30000, 9}).changed);
  EXPECT_EQ(text(20000, 4), "");
  EXPECT_EQ(text(19999, 3), "19999.3");
  EXPECT_TRUE(DeleteRows(sheet, {19999, 1, 25000, 1}).changed);
  EXPECT_EQ(sheet.Rows(), 19999);
}

}  // namespace
}  // namespace qv
