// Text data files: the text Output Data and Output Gridded Data write and
// the reader Import Data takes it back with.
#include "documents/text_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "data/data_set.h"
#include "data/grid_input_validation.h"
#include "data/memory_data_panel.h"
#include "document_builder.h"
#include "documents/data_file_commands.h"
#include "platform/file_replace.h"
#include "platform/long_work.h"
#include "support/scripted_message_box.h"

namespace qv {
namespace {

// A panel of kind with 2 x 3 (x 2) nodes or 5 points and a cell text of its
// own in every cell in use, some of them with blanks inside.
MemoryDataPanel PanelOfKind(Long kind) {
  MemoryDataPanel panel;
  panel.SetKindIndex(kind);
  panel.SetText(1, "2");
  panel.SetText(2, "3");
  panel.SetText(3, "5");
  panel.SetText(4, "2");
  Long rows = 5;
  if (kind == kRegularSurface || kind == kRegularCylindrical || kind == kRegularSpherical) rows = 6;
  if (kind == kRegularVolume) rows = 12;
  for (Long row = 1; row <= rows; ++row) {
    for (Long column = 1; column <= 4; ++column)
      panel.SetCell(row, column, CStr(row * 10 + column) + (column == 2 ? " .5" : ".25"));
  }
  return panel;
}

// Output then Import gives the kind, the size boxes and the cells back, for
// every kind: columns 1 to 3 (1 to 4 for volumes), a surface's fourth cell
// a copy of its third, the blanks inside cells dropped.
TEST(TextDataTest, OutputThenImportGivesTheSameCellsForEveryKind) {
  for (Long kind = 0; kind < 8; ++kind) {
    SCOPED_TRACE("kind " + CStr(kind));
    MemoryDataPanel panel = PanelOfKind(kind);
    std::string message;
    ASSERT_TRUE(ValidateGridInput(panel, message)) << message;
    const std::string text = OutputDataText(panel);
    ASSERT_EQ(text.front(), '"');
    ASSERT_EQ(text.substr(text.size() - 3), "\"\r\n");
    const TextDataRead read = ReadTextData(text);
    ASSERT_TRUE(read.ok) << read.reason;
    EXPECT_EQ(read.data.kind, kind);
    for (const auto& [box, boxText] : read.data.boxes) EXPECT_EQ(boxText, panel.Text(box)) << box;
    const bool volume = kind == kRegularVolume || kind == kIrregularVolume;
    ASSERT_EQ(read.data.cells.size(), kind == kRegularVolume ? 12u : kind % 2 == 0 ? 6u : 5u);
    for (std::size_t row = 1; row <= read.data.cells.size(); ++row) {
      const auto& cells = read.data.cells[row - 1];
      for (Long column = 1; column <= 4; ++column) {
        std::string expected =
            panel.Cell(static_cast<Long>(row), !volume && column == 4 ? 3 : column);
        std::erase(expected, ' ');
        EXPECT_EQ(cells[static_cast<std::size_t>(column - 1)], expected) << row << "," << column;
      }
    }
  }
}

// The written text, line for line: a quote before the tag, one blank
// between items, CR LF after every line and a last line of only a quote.
TEST(TextDataTest, OutputWritesTheQuotedLines) {
  MemoryDataPanel panel;
  panel.SetText(1, "2");
  panel.SetText(2, "2");
  panel.SetRow(1, {"0", "0", "1", "9"});
  panel.SetRow(2, {"0", "1", "2"});
  panel.SetRow(3, {"1", "0", "1,5"});
  panel.SetRow(4, {"1", "1", " 4 "});
  EXPECT_EQ(OutputDataText(panel), "\"R3 2 2\r\n0 0 1\r\n0 1 2\r\n1 0 1,5\r\n1 1 4\r\n\"\r\n");
}

struct ImportCase {
  const char* name;
  std::string bytes;
  // Refused with this reason; "" when read.
  std::string reason;
  Long kind = 0;
  std::vector<std::array<std::string, 4>> cells = {};
};

class ImportTest : public testing::TestWithParam<ImportCase> {};

TEST_P(ImportTest, ReadsOrRefusesAsStated) {
  const ImportCase& c = GetParam();
  const TextDataRead read = ReadTextData(c.bytes);
  EXPECT_EQ(read.reason, c.reason);
  EXPECT_EQ(read.ok, c.reason.empty());
  if (!read.ok) return;
  EXPECT_EQ(read.data.kind, c.kind);
  EXPECT_EQ(read.data.cells, c.cells);
}

std::string Rows(int count, const char* tag = "I3") {
  std::string text = std::string(tag) + " " + std::to_string(count) + "\n";
  for (int i = 0; i < count; ++i) text += "1 2 3\n";
  return text;
}

const std::vector<std::array<std::string, 4>> kTwoPoints = {{"1", "2", "3", "3"},
                                                            {"4", "5", "6", "6"}};

INSTANTIATE_TEST_SUITE_P(
    Files, ImportTest,
    testing::Values(
        ImportCase{"CrLf", "\"I3 2\r\n1 2 3\r\n4 5 6\r\n\"\r\n", "", kIrregularSurface, kTwoPoints},
        ImportCase{"Lf", "\"I3 2\n1 2 3\n4 5 6\n\"\n", "", kIrregularSurface, kTwoPoints},
        ImportCase{"Cr", "\"I3 2\r1 2 3\r4 5 6\r\"\r", "", kIrregularSurface, kTwoPoints},
        ImportCase{"ByteOrderMark", "\xEF\xBB\xBF\"I3 2\r\n1 2 3\r\n4 5 6\r\n\"\r\n", "",
                   kIrregularSurface, kTwoPoints},
        ImportCase{"NoLastLineEnd", "I3 2\n1 2 3\n4 5 6", "", kIrregularSurface, kTwoPoints},
        ImportCase{"Tabs", "I3\t2\n1\t2\t3\n4\t5\t6\n", "", kIrregularSurface, kTwoPoints},
        // Every separator ends an item: two in a row, or an empty line, give
        // an empty item that takes its place.
        ImportCase{"TwoBlanks",
                   "I3 2\n1  2 3\n4 5 6\n",
                   "",
                   kIrregularSurface,
                   {{"1", "", "2", "2"}, {"3", "4", "5", "5"}}},
        ImportCase{"BlankLine",
                   "I3 2\n\n1 2 3\n4 5 6\n",
                   "",
                   kIrregularSurface,
                   {{"", "1", "2", "2"}, {"3", "4", "5", "5"}}},
        ImportCase{"ShortRows",
                   "I3 2\n1 2 3\n4\n",
                   "",
                   kIrregularSurface,
                   {{"1", "2", "3", "3"}, {"4", "", "", ""}}},
        ImportCase{"ColourValues",
                   "ICC 1\n10 2 3 7\n",
                   "",
                   kIrregularCylindrical,
                   {{"10", "2", "3", "7"}}},
        ImportCase{"LowerCaseTag", "r3 1 2\n1 2 3\n4 5 6\n", "", kRegularSurface, kTwoPoints},
        ImportCase{"OlderTag", "xRD 2 1\n1 2 3\n4 5 6\n", "", kRegularSurface, kTwoPoints},
        ImportCase{"Volume",
                   "\"R4 1 1 1\r\n1 2 3 4\r\n\"\r\n",
                   "",
                   kRegularVolume,
                   {{"1", "2", "3", "4"}}},
        ImportCase{"TwentyThousandRows", Rows(20000), "", kIrregularSurface,
                   std::vector<std::array<std::string, 4>>(20000, {"1", "2", "3", "3"})},
        ImportCase{"TwentyThousandAndOneRows", Rows(20001),
                   "it holds more than 20000 rows of data"},
        ImportCase{"GridBeyondTheSheet", "R4 100 100 3\n", "it holds more than 20000 rows of data"},
        ImportCase{"BinaryBytes", std::string("I3 1\n1 2\0 3\n", 12), "it is not a text file"},
        ImportCase{"ControlCharacter", "I3 1\n1 2 \x1A\n", "it is not a text file"},
        ImportCase{"NotWindows1252", "\xEF\xBB\xBFI3 1\n1 2 \xCE\xA9\n",
                   "it holds characters that documents cannot hold"},
        ImportCase{"Empty", "", "its first item names no kind of data"},
        ImportCase{"UnknownTag", "X9 2\n1 2 3\n", "its first item names no kind of data"},
        ImportCase{"FractionalSize", "I3 2.5\n", "its sizes are not whole numbers of 0 or more"},
        ImportCase{"NegativeSize", "R3 -2 3\n", "its sizes are not whole numbers of 0 or more"},
        ImportCase{"WordForASize", "R3 two 3\n", "its sizes are not whole numbers of 0 or more"},
        ImportCase{"LongValue", "I3 1\n" + std::string(1001, '7') + " 2 3\n",
                   "a value holds more than 1000 characters"},
        ImportCase{"TooManyItems", "I3 1\n" + std::string(500000, ' '),
                   "it holds more than 500000 items"},
        // Values a document cannot hold: the sheet would take them, and then
        // no document could be saved.
        ImportCase{"NaN", "I3 1\n1 NaN 3\n",
                   "the value \"NaN\" in line 2, column 2 is not a number"},
        ImportCase{"LowerCaseInf", "I3 1\ninf 2 3\n",
                   "the value \"inf\" in line 2, column 1 is not a number"},
        ImportCase{"MinusInf", "R3 1 1\n1 2 -Inf\n",
                   "the value \"-Inf\" in line 2, column 3 is not a number"},
        ImportCase{"OutOfRange", "\"I4 1\r\n1 2 3 1e999\r\n\"\r\n",
                   "the value \"1e999\" in line 2, column 4 is a number out of range"},
        ImportCase{"OutOfRangeNegative", "I3 2\n1 2 3\n4 -2e400 6\n",
                   "the value \"-2e400\" in line 3, column 2 is a number out of range"},
        ImportCase{"ColumnCountsTheEmptyItems", "I3 2\n1 2 3\n4  NaN\n",
                   "the value \"NaN\" in line 3, column 3 is not a number"},
        ImportCase{"LargestAndSmallestNumbers",
                   "I3 2\n1e308 -1.7976931348623157e308 4.9e-324\n-0 1,5 .5\n",
                   "",
                   kIrregularSurface,
                   {{"1e308", "-1.7976931348623157e308", "4.9e-324", "4.9e-324"},
                    {"-0", "1,5", ".5", ".5"}}},
        ImportCase{"ValuesPastTheLastRowAreNotTaken",
                   "I3 1\n1 2 3\nNaN 1e999\n",
                   "",
                   kIrregularSurface,
                   {{"1", "2", "3", "3"}}}),
    [](const testing::TestParamInfo<ImportCase>& info) { return std::string(info.param.name); });

// Whatever an import puts into the sheet can be saved: a file whose values a
// document cannot hold used to fill the sheet, and then no save succeeded.
TEST(ImportData, TakesOnlyWhatADocumentCanHold) {
  test::TestProgram p;
  test::BuildDocument(p, kViewCode3D, kRegularSurface);
  DataFileCommands data(p.workspace, p.host);
  const std::string good = p.folder.File("good.txt");
  ASSERT_EQ(ReplaceFile(good, "I3 4\n1e308 -0 1,5\n.5 4.9e-324 -1e-300\n7 8 9\n1 1 1\n"), "");
  ASSERT_TRUE(data.ImportFile(good));
  EXPECT_EQ(p.host.panel.Cell(1, 1), "1e308");
  p.host.dialogs.Choose(p.folder.File("good.qrv"));
  EXPECT_TRUE(p.commands.Save());
  EXPECT_TRUE(p.host.messages.Shown().empty()) << p.host.messages.Texts().front();

  const std::string bad = p.folder.File("bad.txt");
  ASSERT_EQ(ReplaceFile(bad, "R3 2 1\n1 2 3\n4 5 NaN\n"), "");
  EXPECT_FALSE(data.ImportFile(bad));
  EXPECT_EQ(p.host.messages.Texts(),
            std::vector<std::string>{"The data file \"" + bad +
                                     "\" could not be imported: the value \"NaN\" in line 3, "
                                     "column 3 is not a number."});
  EXPECT_EQ(p.host.panel.KindIndex(), kIrregularSurface);
  EXPECT_EQ(p.host.panel.Text(3), "4");
  EXPECT_EQ(p.host.panel.Cell(2, 2), "4.9e-324");
}

// Output Gridded Data: the grid of scattered points in the columns of the
// kind's regular sheet, the angles in degrees as typed, so that it reads back
// as the gridded surface.
TEST(TextDataTest, GriddedTextHoldsTheGridInTheRegularSheetsColumns) {
  MemoryDataPanel panel;
  panel.SetKindIndex(kIrregularCylindrical);
  panel.SetText(3, "6");
  panel.SetText(4, "3");   // nodes along A
  panel.SetText(10, "2");  // nodes along the height
  panel.SetText(1, "360");
  panel.SetText(2, "0");  // bounds given the wrong way round
  panel.SetText(8, "0");
  panel.SetText(9, "4");
  const double points[6][2] = {{0, 0}, {120, 0}, {240, 4}, {60, 4}, {180, 2}, {300, 1}};
  for (Long row = 1; row <= 6; ++row) {
    // A, height, radius: a cylinder of radius 2.
    panel.SetRow(row, {FormatDouble(points[row - 1][0]), FormatDouble(points[row - 1][1]), "2"});
  }
  test::ScriptedMessageBox messages;
  ImmediateWorkRunner work;
  SharedSettings settings;
  DataSet grid;
  DataContext context{panel, settings, messages, work};
  ASSERT_TRUE(grid.LoadGridded(context)) << messages.Texts().front();
  const std::string text = GriddedDataText(grid, kIrregularCylindrical);
  const TextDataRead read = ReadTextData(text);
  ASSERT_TRUE(read.ok) << read.reason;
  EXPECT_EQ(read.data.kind, kRegularCylindrical);
  EXPECT_EQ(text.substr(0, 10), "\"R3c 3 2\r\n");
  ASSERT_EQ(read.data.cells.size(), 6u);
  const double angles[3] = {0, 180, 360};
  const double heights[2] = {0, 4};
  for (std::size_t n = 0; n < 6; ++n) {
    const auto& cells = read.data.cells[n];
    EXPECT_NEAR(Val(cells[0]), angles[n / 2], 1e-9) << n;
    EXPECT_NEAR(Val(cells[1]), heights[n % 2], 1e-9) << n;
    EXPECT_NEAR(Val(cells[2]), 2.0, 1e-9) << n;
  }
  EXPECT_EQ(GriddedDataText(grid, kRegularSurface), "");
}

}  // namespace
}  // namespace qv
