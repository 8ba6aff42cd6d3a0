#include "window/data_sheet.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace qv {
namespace {

// A sheet prepared as start-up leaves it, over its own SheetText.
class DataSheetTest : public testing::Test {
 protected:
  void SetUp() override {
    PrepareSheet(sheet, 0, 15.0);
    OnDataKindChosen(0, panel, sheet, commands);
  }

  std::vector<std::string> IndexColumn() const {
    std::vector<std::string> out;
    for (Long row = 1; row < sheet.Rows(); ++row) out.push_back(sheet.CellText(row, 0));
    return out;
  }

  std::unique_ptr<SheetText> text = std::make_unique<SheetText>();
  SheetModel sheet{*text};
  DataPanelModel panel;
  CommandStates commands;
};

TEST_F(DataSheetTest, StartUpSheetHasItsHeadersAndSizes) {
  EXPECT_EQ(sheet.Rows(), 101);
  EXPECT_EQ(sheet.Cols(), 5);
  const char* headers[] = {"Index", "X", "Y", "Z", "Color"};
  for (Long col = 0; col < 5; ++col) EXPECT_EQ(sheet.CellText(0, col), headers[col]);
  EXPECT_EQ(sheet.columnWidthPx[0], 53);  // 800 twips
  EXPECT_EQ(sheet.columnWidthPx[1], 64);  // 960 twips
  EXPECT_EQ(sheet.rowHeight, 20);
}

struct SizeCase {
  const char* name;
  int kind;
  const char* t1;
  const char* t2;
  const char* t3;
  const char* t4;
  Long rows;
  std::vector<std::string> firstIndices;
};

class SheetSizeTest : public DataSheetTest, public testing::WithParamInterface<SizeCase> {};

// Guards the row count and the index order (last index fastest) of the OK button.
TEST_P(SheetSizeTest, SizesAndIndexesTheSheet) {
  const SizeCase& c = GetParam();
  OnDataKindChosen(c.kind, panel, sheet, commands);
  panel.texts[1].text = c.t1;
  panel.texts[2].text = c.t2;
  panel.texts[3].text = c.t3;
  panel.texts[4].text = c.t4;
  const SheetSizeResult result = OnDataPanelOk(panel, sheet);
  EXPECT_TRUE(result.resized);
  EXPECT_EQ(sheet.Rows(), c.rows);
  const auto index = IndexColumn();
  ASSERT_GE(index.size(), c.firstIndices.size());
  for (std::size_t i = 0; i < c.firstIndices.size(); ++i) EXPECT_EQ(index[i], c.firstIndices[i]);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SheetSizeTest,
    testing::Values(
        SizeCase{
            "RegularSurface", 0, "3", "2", "", "", 7, {"0,0", "0,1", "1,0", "1,1", "2,0", "2,1"}},
        SizeCase{"RegularVolume",
                 2,
                 "2",
                 "2",
                 "",
                 "2",
                 9,
                 {"0,0,0", "0,0,1", "0,1,0", "0,1,1", "1,0,0", "1,0,1", "1,1,0", "1,1,1"}},
        SizeCase{"IrregularFourPoints", 1, "0", "10", "4", "11", 5, {"0", "1", "2", "3"}},
        SizeCase{
            "CountsRoundHalfToEven", 4, "2.5", " 3.5", "", "", 9, {"0,0", "0,1", "0,2", "0,3"}},
        SizeCase{"NonNumericIsZero", 6, "abc", "4", "", "", 1, {}},
        SizeCase{"NegativeIsZero", 3, "", "", "-5", "", 1, {}}),
    [](const testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });

// Regression: counts whose sheet exceeds the 20000 rows of SheetText were
// taken, and later reads went past the array. They are refused, unchanged.
TEST_F(DataSheetTest, RefusesASheetLargerThanTheTextArray) {
  OnDataKindChosen(0, panel, sheet, commands);
  panel.texts[1].text = "200";
  panel.texts[2].text = "101";
  const SheetSizeResult result = OnDataPanelOk(panel, sheet);
  EXPECT_FALSE(result.resized);
  EXPECT_EQ(result.message, kSheetTooLargeMessage);
  EXPECT_EQ(sheet.Rows(), 101);

  panel.texts[1].text = "200";
  panel.texts[2].text = "100";  // exactly 20000 data rows
  EXPECT_TRUE(OnDataPanelOk(panel, sheet).resized);
  EXPECT_EQ(sheet.Rows(), 20001);

  panel.texts[1].text = "1e300";  // a hostile count saturates instead of failing
  EXPECT_FALSE(OnDataPanelOk(panel, sheet).resized);
}

struct RefusalCase {
  const char* name;
  int kind;
  std::vector<std::pair<int, const char*>> accepted;  // box, text of an accepted OK
  std::vector<std::pair<int, const char*>> typed;     // box, text then refused
};

class RefusedSizeTest : public DataSheetTest, public testing::WithParamInterface<RefusalCase> {};

// A refused size once stayed in the boxes, and a document saved later walked
// the refused counts and could not be saved. The count boxes go back to the
// counts that last sized the sheet; other boxes keep what was typed.
TEST_P(RefusedSizeTest, CountBoxesGoBackToTheAcceptedCounts) {
  const RefusalCase& c = GetParam();
  OnDataKindChosen(c.kind, panel, sheet, commands);
  for (const auto& [box, text] : c.accepted) panel.texts[static_cast<std::size_t>(box)].text = text;
  ASSERT_TRUE(OnDataPanelOk(panel, sheet).resized);
  const Long rows = sheet.Rows();
  const auto before = panel.texts;
  panel.texts[5].text = "2.5";  // a bound, typed beside the counts
  for (const auto& [box, text] : c.typed) panel.texts[static_cast<std::size_t>(box)].text = text;
  const SheetSizeResult result = OnDataPanelOk(panel, sheet);
  EXPECT_FALSE(result.resized);
  EXPECT_EQ(result.message, kSheetTooLargeMessage);
  EXPECT_EQ(sheet.Rows(), rows);
  for (int box : {1, 2, 3, 4}) {
    EXPECT_EQ(panel.texts[static_cast<std::size_t>(box)].text,
              before[static_cast<std::size_t>(box)].text)
        << "box " << box;
  }
  EXPECT_EQ(panel.texts[5].text, "2.5");
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RefusedSizeTest,
    testing::Values(
        RefusalCase{"RegularSurface", 0, {{1, "3"}, {2, "2"}}, {{1, "200"}, {2, "200"}}},
        RefusalCase{"OneCountRefused", 4, {{1, "3"}, {2, "2"}}, {{2, "20000"}}},
        RefusalCase{
            "RegularVolume", 2, {{1, "2"}, {2, "3"}, {4, "4"}}, {{1, "30"}, {2, "30"}, {4, "30"}}},
        RefusalCase{"IrregularPoints", 1, {{3, "12"}}, {{3, "20001"}}},
        RefusalCase{"HostileCount", 6, {{1, "5"}, {2, "5"}}, {{1, "1e300"}}}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

// Start-up shows kind 0 with the counts of its 100 data rows, under the
// kind's own captions (it once read "Rows X 0", "Rows Y 10": texts meant for
// the bounds of another kind).
TEST_F(DataSheetTest, StartPanelShowsTheCountsOfTheStartSheet) {
  PrepareStartPanel(panel);
  EXPECT_EQ(panel.labels[1].text, "Rows X");
  EXPECT_EQ(panel.labels[2].text, "Rows Y");
  EXPECT_EQ(Val(panel.texts[1].text) * Val(panel.texts[2].text) + 1, sheet.Rows());
  // Those counts are the ones a refusal goes back to.
  panel.texts[1].text = "5000";
  EXPECT_FALSE(OnDataPanelOk(panel, sheet).resized);
  EXPECT_EQ(panel.texts[1].text, "10");
  EXPECT_EQ(panel.texts[2].text, "10");
}

TEST_F(DataSheetTest, KindChangeKeepsSizeAndCells) {
  sheet.CellEdited(3, 2, "4.5");
  for (int kind = 0; kind < kDataKindCount; ++kind) {
    OnDataKindChosen(kind, panel, sheet, commands);
    EXPECT_EQ(sheet.Rows(), 101);
    EXPECT_EQ(sheet.CellText(3, 2), "4.5");
  }
}

struct KindCase {
  const char* name;
  int kind;
  bool pointsShown;
  const char* label1;
  const char* label4;
  const char* label6;
  bool text4On;
  bool row3On;
  bool row4On;
  bool gridded;
  const char* headers[4];
};

class KindChangeTest : public DataSheetTest, public testing::WithParamInterface<KindCase> {};

// Guards the panel table and the sheet headers of every kind.
TEST_P(KindChangeTest, SetsPanelAndHeaders) {
  const KindCase& c = GetParam();
  // Start from kind 3 (every field on) so that every switch must be made.
  OnDataKindChosen(3, panel, sheet, commands);
  OnDataKindChosen(c.kind, panel, sheet, commands);
  EXPECT_EQ(panel.kind, c.kind);
  EXPECT_EQ(panel.texts[3].visible, c.pointsShown);
  EXPECT_EQ(panel.labels[3].visible, c.pointsShown);
  EXPECT_EQ(panel.labels[1].text, c.label1);
  EXPECT_EQ(panel.labels[4].text, c.label4);
  EXPECT_EQ(panel.labels[6].text, c.label6);
  EXPECT_EQ(panel.texts[4].enabled, c.text4On);
  EXPECT_EQ(panel.texts[5].enabled, c.row3On);
  EXPECT_EQ(panel.labels[8].enabled, c.row3On);
  EXPECT_EQ(panel.texts[10].enabled, c.row4On);
  EXPECT_EQ(panel.labels[9].enabled, c.row4On);
  EXPECT_TRUE(panel.texts[1].enabled);
  EXPECT_TRUE(panel.texts[2].enabled);
  EXPECT_EQ(commands.MenuEnabled(MenuItem::mnuFileGridded), c.gridded);
  for (Long col = 1; col <= 4; ++col) EXPECT_EQ(sheet.CellText(0, col), c.headers[col - 1]) << col;
}

// Kind 3 leaves "Min X"/"Rows X"/"Min Y" behind: the "unchanged" captions of
// the table keep those. Column 4 is "Color" over every surface kind.
// Columns: name, kind, points shown, label 1, label 4, label 6, text 4 on, row 3 on,
// row 4 on, gridded, sheet headers.
// clang-format off
const KindCase kKindCases[] = {
    {"K0", 0, false, "Rows X", "Rows X", "Min Y", false, false, false, false, {"X", "Y", "Z", "Color"}},
    {"K1", 1, true,  "Min X",  "Rows X", "Min Y", true,  true,  false, true,  {"X", "Y", "Z", "Color"}},
    {"K2", 2, false, "Rows X", "Rows Z", "Min Y", true,  false, false, false, {"X", "Y", "Z", "V"}},
    {"K3", 3, true,  "Min X",  "Rows X", "Min Y", true,  true,  true,  true,  {"X", "Y", "Z", "V"}},
    {"K4", 4, false, "Rows A", "Rows X", "Min Y", false, false, false, false, {"A", "R", "Z", "Color"}},
    {"K5", 5, true,  "Min A",  "Rows A", "Min R", true,  false, true,  true,  {"A", "R", "Z", "Color"}},
    {"K6", 6, false, "Rows A", "Rows X", "Min Y", false, false, false, false, {"A", "B", "R", "Color"}},
    {"K7", 7, true,  "Min A",  "Rows A", "Min B", true,  true,  false, true,  {"A", "B", "R", "Color"}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Kinds, KindChangeTest, testing::ValuesIn(kKindCases),
                         [](const testing::TestParamInfo<KindCase>& info) {
                           return std::string(info.param.name);
                         });

// Each kind's own box texts, Text1..Text10: a regular kind's node counts are
// 10, everything else keeps its design text.
const std::array<std::array<const char*, 10>, kDataKindCount> kKindTexts = {{
    {"10", "10", "10", "11", "0", "10", "11", "0", "10", "11"},
    {"0", "10", "10", "11", "0", "10", "11", "0", "10", "11"},
    {"10", "10", "10", "10", "0", "10", "11", "0", "10", "11"},
    {"0", "10", "10", "11", "0", "10", "11", "0", "10", "11"},
    {"10", "10", "10", "11", "0", "10", "11", "0", "10", "11"},
    {"0", "10", "10", "11", "0", "10", "11", "0", "10", "11"},
    {"10", "10", "10", "11", "0", "10", "11", "0", "10", "11"},
    {"0", "10", "10", "11", "0", "10", "11", "0", "10", "11"},
}};

class KindSwitchTest : public DataSheetTest,
                       public testing::WithParamInterface<std::tuple<int, int>> {};

// Regression: from Regular Volume to Irregular Surface, Min X and Max X kept
// the node counts typed for the volume and column 4 stayed headed "V". Every
// switch gives the new kind its own texts and headers, whatever was typed.
TEST_P(KindSwitchTest, NewKindStartsFromItsOwnTexts) {
  const auto [from, to] = GetParam();
  OnDataKindChosen(from, panel, sheet, commands);
  for (std::size_t box = 1; box <= 10; ++box) panel.texts[box].text = "7";
  OnDataKindChosen(to, panel, sheet, commands);
  for (std::size_t box = 1; box <= 10; ++box) {
    EXPECT_EQ(panel.texts[box].text, kKindTexts[static_cast<std::size_t>(to)][box - 1])
        << "Text" << box;
  }
  for (Long col = 1; col <= 4; ++col) {
    EXPECT_EQ(sheet.CellText(0, col), kKindCases[to].headers[col - 1]) << "column " << col;
  }
  EXPECT_EQ(sheet.CellText(0, 0), "Index");
  // A refused size goes back to the new kind's count, not the old kind's text.
  const std::size_t countBox = to % 2 == 0 ? 1 : 3;  // a node count or the points
  panel.texts[countBox].text = "30000";
  EXPECT_FALSE(OnDataPanelOk(panel, sheet).resized);
  EXPECT_EQ(panel.texts[countBox].text, "10");
}

std::vector<std::tuple<int, int>> EveryKindPair() {
  std::vector<std::tuple<int, int>> pairs;
  for (int from = 0; from < kDataKindCount; ++from) {
    for (int to = 0; to < kDataKindCount; ++to) {
      if (from != to) pairs.emplace_back(from, to);
    }
  }
  return pairs;
}

INSTANTIATE_TEST_SUITE_P(EveryPair, KindSwitchTest, testing::ValuesIn(EveryKindPair()),
                         [](const testing::TestParamInfo<std::tuple<int, int>>& info) {
                           return "From" + std::to_string(std::get<0>(info.param)) + "To" +
                                  std::to_string(std::get<1>(info.param));
                         });

// Choosing the selected kind again is no switch: what was typed stays.
TEST_F(DataSheetTest, ChoosingTheSameKindKeepsTheTexts) {
  OnDataKindChosen(1, panel, sheet, commands);
  panel.texts[1].text = "-5";
  panel.texts[3].text = "40";
  OnDataKindChosen(1, panel, sheet, commands);
  EXPECT_EQ(panel.texts[1].text, "-5");
  EXPECT_EQ(panel.texts[3].text, "40");
}

TEST_F(DataSheetTest, CylindricalAndSphericalKindsAllowOnly3D) {
  OnDataKindChosen(5, panel, sheet, commands);
  EXPECT_FALSE(commands.MenuEnabled(MenuItem::mnuFileNew2D));
  EXPECT_FALSE(commands.MenuEnabled(MenuItem::mnuFileNew4D));
  EXPECT_FALSE(commands.ButtonEnabled(2));
  EXPECT_FALSE(commands.ButtonEnabled(4));
  EXPECT_FALSE(commands.MenuEnabled(MenuItem::mnuDrawDelaunay));
  EXPECT_FALSE(commands.ButtonEnabled(25));
  EXPECT_TRUE(commands.MenuEnabled(MenuItem::mnuDrawCon3D));
  // Back to a Cartesian kind: the new-document commands return, Delaunay does not.
  OnDataKindChosen(1, panel, sheet, commands);
  EXPECT_TRUE(commands.MenuEnabled(MenuItem::mnuFileNew2D));
  EXPECT_TRUE(commands.ButtonEnabled(4));
  EXPECT_FALSE(commands.MenuEnabled(MenuItem::mnuDrawDelaunay));
}

TEST_F(DataSheetTest, KindOutsideTheListChangesNothing) {
  int calls = 0;
  commands.SetListener([&](const CommandStates::Change&) { ++calls; });
  OnDataKindChosen(8, panel, sheet, commands);
  OnDataKindChosen(-1, panel, sheet, commands);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(panel.kind, 0);
}

// Guards the virtual cells: header and index cells never reach SheetText,
// data cells go nowhere else, and texts survive a shrink and regrowth.
TEST_F(DataSheetTest, VirtualCellsLiveInSheetText) {
  EXPECT_FALSE(sheet.CellEdited(0, 2, "hdr"));
  EXPECT_FALSE(sheet.CellEdited(5, 0, "idx"));
  EXPECT_EQ((*text)(0, 2), "");
  EXPECT_EQ((*text)(5, 0), "");
  EXPECT_TRUE(sheet.CellEdited(50, 4, "7"));
  EXPECT_EQ(sheet.GetCell(50, 4), "7");
  EXPECT_FALSE(sheet.GetCell(0, 4).has_value());
  EXPECT_FALSE(sheet.GetCell(50, 0).has_value());
  sheet.SetRows(10);
  EXPECT_EQ(sheet.CellText(50, 4), "");
  sheet.SetRows(101);
  EXPECT_EQ(sheet.CellText(50, 4), "7");
  // Rows past the array are refused, not written out of bounds.
  sheet.SetRows(30000);
  EXPECT_FALSE(sheet.CellEdited(25000, 1, "x"));
  EXPECT_EQ(sheet.CellText(25000, 1), "");
}

TEST(SheetPopup, OpensOnlyOverDataCells) {
  EXPECT_TRUE(SheetPopupAllowed(60, 25, 53, 20));
  EXPECT_FALSE(SheetPopupAllowed(53, 25, 53, 20));  // on the index column's edge
  EXPECT_FALSE(SheetPopupAllowed(60, 20, 53, 20));  // on the header row's edge
  EXPECT_FALSE(SheetPopupAllowed(10, 200, 53, 20));
}

}  // namespace
}  // namespace qv
