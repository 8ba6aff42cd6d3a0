// The check of the data panel before it is used: the messages by kind and in
// their order, and the cleaned texts written back into the boxes.
#include "data/grid_input_validation.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "data/memory_data_panel.h"

namespace qv {
namespace {

constexpr const char* kUnchanged = "unchanged";
constexpr const char* kPoints = "The number of points must larger than 3.";
constexpr const char* kRowsX = "The number of Rows X must larger than 0.";
constexpr const char* kRowsY = "The number of Rows Y must larger than 0.";
constexpr const char* kRowsZ = "The number of Rows Z must larger than 0.";
constexpr const char* kIllegal = "Illegal data exist.";

struct ValidationCase {
  const char* name;
  Long kind;
  std::vector<std::pair<int, const char*>> boxes;
  // A cell (row, column, text) written before the check; row 0 for none.
  Long cellRow = 0;
  Long cellColumn = 1;
  const char* cellText = "";
  const char* message = kUnchanged;  // kUnchanged: the check passes
};

void PrintTo(const ValidationCase& c, std::ostream* os) { *os << c.name; }

class ValidateGridInputTest : public testing::TestWithParam<ValidationCase> {};

TEST_P(ValidateGridInputTest, ReportsTheFirstFailure) {
  const ValidationCase& c = GetParam();
  MemoryDataPanel panel;
  panel.SetKindIndex(c.kind);
  for (const auto& [box, text] : c.boxes) panel.SetText(box, text);
  if (c.cellRow > 0) panel.SetCell(c.cellRow, c.cellColumn, c.cellText);
  std::string message = kUnchanged;
  const bool ok = ValidateGridInput(panel, message);
  EXPECT_EQ(message, c.message);
  EXPECT_EQ(ok, std::string(c.message) == kUnchanged);
}

// The design texts: Text3 = 10 points, Text4/Text7/Text10 = 11 rows, bounds 0..10.
INSTANTIATE_TEST_SUITE_P(
    Cases, ValidateGridInputTest,
    testing::Values(
        ValidationCase{"DesignTextsPassIrregular", kIrregularSurface, {}},
        ValidationCase{"DesignTextsPassVolume", kIrregularVolume, {}},
        ValidationCase{"NoKindSelected", -1, {{3, "x"}}},
        ValidationCase{"ThreePoints", kIrregularSurface, {{3, "3"}}, 0, 1, "", kPoints},
        ValidationCase{"FourPoints", kIrregularSurface, {{3, "4"}}},
        ValidationCase{"PointsNotANumber", kIrregularSurface, {{3, "ten"}}, 0, 1, "", kPoints},
        ValidationCase{"PointsWithABlank", kIrregularSurface, {{3, "12 "}}, 0, 1, "", kPoints},
        ValidationCase{"PointsEmpty", kIrregularSpherical, {{3, ""}}, 0, 1, "", kPoints},
        // The point count is checked before the rows, the rows before the bounds.
        ValidationCase{
            "PointsBeforeRows", kIrregularSurface, {{3, "2"}, {4, "0"}}, 0, 1, "", kPoints},
        ValidationCase{
            "RowsXBeforeRowsY", kIrregularSurface, {{4, "0"}, {7, "0"}}, 0, 1, "", kRowsX},
        ValidationCase{"RowsY", kIrregularSurface, {{7, "-1"}, {1, "a"}}, 0, 1, "", kRowsY},
        // The cylindrical kind keeps its second row count in Text10.
        ValidationCase{"CylindricalRowsY", kIrregularCylindrical, {{10, "0"}}, 0, 1, "", kRowsY},
        ValidationCase{"CylindricalIgnoresText7", kIrregularCylindrical, {{7, "0"}}},
        ValidationCase{"IrregularVolumeRowsZ", kIrregularVolume, {{10, ""}}, 0, 1, "", kRowsZ},
        ValidationCase{
            "RegularVolumeRowsZ", kRegularVolume, {{1, "3"}, {2, "3"}, {4, "0"}}, 0, 1, "", kRowsZ},
        // The regular kinds keep Rows X in Text1, whose design text is "0".
        ValidationCase{"RegularRowsX", kRegularSurface, {}, 0, 1, "", kRowsX},
        ValidationCase{"RegularRowsY", kRegularCylindrical, {{1, "4"}, {2, "0"}}, 0, 1, "", kRowsY},
        ValidationCase{"RegularSurfaceIgnoresBounds", kRegularSurface, {{1, "3"}, {5, "a"}}},
        ValidationCase{"BoundNotANumber", kIrregularSurface, {{6, "1;0"}}, 0, 1, "", kIllegal},
        ValidationCase{"CylindricalBound", kIrregularCylindrical, {{9, "#"}}, 0, 1, "", kIllegal},
        ValidationCase{"EmptyBoundReadsAsZero", kIrregularSurface, {{1, ""}}},
        ValidationCase{"BadCellInUse", kIrregularSurface, {{3, "4"}}, 4, 3, "1;2", kIllegal},
        ValidationCase{"BadCellColumnFour", kIrregularVolume, {{3, "4"}}, 1, 4, "x", kIllegal},
        ValidationCase{"BadCellBeyondThePoints", kIrregularSurface, {{3, "4"}}, 5, 1, "x"},
        // A regular sheet holds one row per node: 2 x 3 nodes use rows 1..6.
        ValidationCase{
            "RegularBadCellInUse", kRegularSurface, {{1, "2"}, {2, "3"}}, 6, 2, "?", kIllegal},
        ValidationCase{"RegularBadCellBeyond", kRegularSurface, {{1, "2"}, {2, "3"}}, 7, 2, "?"},
        // Counts are rounded (halves to even) before they are checked, as the
        // data set rounds them when it loads: 1.5 x 1.5 nodes are 2 x 2 and use
        // rows 1..4, and 3.4 points are 3.
        ValidationCase{"FractionalCountsCoverEveryRowLoaded",
                       kRegularSurface,
                       {{1, "1.5"}, {2, "1.5"}},
                       4,
                       1,
                       "x",
                       kIllegal},
        ValidationCase{"HalfCountsRoundToEven", kRegularSurface, {{1, "2.5"}, {2, "1"}}, 3, 1, "x"},
        ValidationCase{
            "FractionalPointsRoundedFirst", kIrregularSurface, {{3, "3.4"}}, 0, 1, "", kPoints},
        ValidationCase{"FractionalRowsRoundedFirst",
                       kRegularSurface,
                       {{1, "0.6"}, {2, "0.5"}},
                       0,
                       1,
                       "",
                       kRowsY},
        ValidationCase{
            "MoreRowsThanTheSheetHolds", kIrregularSurface, {{3, "20001"}}, 0, 1, "", kIllegal},
        ValidationCase{"RegularVolumeTooLargeForTheSheet",
                       kRegularVolume,
                       {{1, "100"}, {2, "100"}, {4, "3"}},
                       0,
                       1,
                       "",
                       kIllegal}),
    [](const testing::TestParamInfo<ValidationCase>& info) {
      return std::string(info.param.name);
    });

TEST(ValidateGridInput, WritesTheCleanedTextsBack) {
  MemoryDataPanel panel;
  panel.SetKindIndex(kIrregularVolume);
  panel.SetText(1, " -1,5");
  panel.SetText(2, "1 000");
  panel.SetText(3, "1,2e1");
  panel.SetText(10, "3,0");
  panel.SetText(9, " ");
  std::string message;
  ASSERT_TRUE(ValidateGridInput(panel, message));
  EXPECT_EQ(panel.Text(1), "-1.5");
  EXPECT_EQ(panel.Text(2), "1000");
  EXPECT_EQ(panel.Text(3), "1.2e1");
  EXPECT_EQ(panel.Text(10), "3.0");
  EXPECT_EQ(panel.Text(9), "0");
  EXPECT_TRUE(message.empty());
}

TEST(ValidateGridInput, CleansTheFailingBoxAndStopsThere) {
  MemoryDataPanel panel;
  panel.SetKindIndex(kIrregularSurface);
  panel.SetText(4, "0,0");
  panel.SetText(1, "1,5");
  std::string message;
  EXPECT_FALSE(ValidateGridInput(panel, message));
  EXPECT_EQ(message, kRowsX);
  EXPECT_EQ(panel.Text(4), "0.0");
  // The bounds come after the rows and are not reached.
  EXPECT_EQ(panel.Text(1), "1,5");
}

TEST(ValidateGridInput, LeavesTheCellsAsTheyAre) {
  MemoryDataPanel panel;
  panel.SetKindIndex(kIrregularSurface);
  panel.SetText(3, "4");
  panel.SetRow(1, {"1,5", " 2", "3", ""});
  std::string message;
  ASSERT_TRUE(ValidateGridInput(panel, message));
  EXPECT_EQ(panel.Cell(1, 1), "1,5");
  EXPECT_EQ(panel.Cell(1, 2), " 2");
}

}  // namespace
}  // namespace qv
