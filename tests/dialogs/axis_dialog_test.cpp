#include "dialogs/axis_dialog.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "dialog_bench.h"
#include "dialogs/dialog_context.h"
#include "platform/osmesa/offscreen_context.h"
#include "scene/scene_fonts.h"

namespace qv {
namespace {

class AxisDialogTest : public testing::Test {
 protected:
  // The main window shows the axis from start-up on.
  AxisDialogTest() { Axis().Show = true; }

  AxisDialogModel Open() { return AxisDialogModel(bench.workspace, fonts, bench.messages); }
  AxisSystem& Axis() { return bench.workspace.axisSystem; }
  SharedSettings& Settings() { return bench.workspace.settings; }

  test::DialogBench bench;
  AxisFontChoices fonts;
};

TEST_F(AxisDialogTest, OpensWithTheSharedStateAndTheDesignTexts) {
  Settings().ScaleMode = 1;
  Settings().ScaleRatioX = 3.0;
  Axis().AxisStyle = 7;
  Axis().XZPanelMaterial = 13;
  Axis().LabelNumY = 5;
  Axis().SetTitleZ("Depth");
  const AxisDialogModel model = Open();
  EXPECT_STREQ(model.Caption(), "Axis Properties");
  // In the square and equal modes the boxes keep their design text.
  EXPECT_EQ(model.ratios, (std::array<std::string, 4>{"1", "1", "1", "1"}));
  EXPECT_FALSE(model.RatiosEnabled());
  EXPECT_EQ(model.style, 1);  // an unknown style opens as "Panel Style"
  EXPECT_EQ(model.panels[0].material, 3);
  EXPECT_EQ(model.panels[1].material, 12);
  EXPECT_EQ(model.intervals[1], "5");
  EXPECT_EQ(model.titles[2], "Depth");
  EXPECT_TRUE(model.showLegend);
}

TEST_F(AxisDialogTest, CustomScalesShowTheRatiosAndTheDataDimensionPicksTheLabel) {
  Settings().ScaleMode = 3;
  Settings().ScaleRatioX = 1.5;
  Settings().ZoomZ = 0.25;
  bench.workspace.dataSet.DataDim(1);
  AxisDialogModel surface = Open();
  EXPECT_TRUE(surface.RatiosEnabled());
  EXPECT_EQ(surface.ratios[0], "1.5");
  EXPECT_EQ(surface.ratios[3], "0.25");
  EXPECT_STREQ(surface.RatioLabel(), "X:Y=");
  bench.workspace.dataSet.DataDim(2);
  EXPECT_STREQ(Open().RatioLabel(), "X:Y:Z=");
}

// A material code a document brought from outside the list must survive the
// dialog: no selection, and OK keeps the code.
TEST_F(AxisDialogTest, AMaterialOutsideTheListIsShownUnselectedAndKept) {
  Axis().YZPanelMaterial = 99;
  AxisDialogModel model = Open();
  EXPECT_EQ(model.panels[2].material, -1);
  ASSERT_TRUE(model.Ok());
  EXPECT_EQ(Axis().YZPanelMaterial, 99);
}

TEST_F(AxisDialogTest, ShowAxisScaleModeAndColoursActAtOnce) {
  AxisDialogModel model = Open();
  model.SetShowAxis(false);
  model.SetScaleMode(2);
  model.ChoosePanelColor(1, 1234);
  model.ChooseGridColor(2, 4321);
  // Before any OK: the shared state has them already.
  EXPECT_FALSE(Axis().Show);
  EXPECT_EQ(Settings().ScaleMode, 2);
  EXPECT_EQ(Axis().XZPanelColor, 1234);
  EXPECT_EQ(Axis().YZGridColor, 4321);
}

struct RefusedEntry {
  const char* name;
  int box;  // 0..3 a ratio, 4..6 an interval
  const char* text;
};

class AxisRefusalTest : public AxisDialogTest, public testing::WithParamInterface<RefusedEntry> {};

// A refused number used to skip the rest of OK silently, keeping only the
// steps before it: now it is checked first and nothing at all is applied.
TEST_P(AxisRefusalTest, ShowsTheMessageAndAppliesNothing) {
  AxisDialogModel model = Open();
  model.style = 2;
  model.showLegend = false;
  model.ratios = {"2", "3", "4", "5"};
  model.titles[0] = "Changed";
  const RefusedEntry& e = GetParam();
  if (e.box < 4) {
    model.ratios[static_cast<std::size_t>(e.box)] = e.text;
  } else {
    model.intervals[static_cast<std::size_t>(e.box - 4)] = e.text;
  }
  EXPECT_FALSE(model.Ok());
  EXPECT_EQ(bench.messages.Texts(), std::vector<std::string>{kIllegalDataMessage});
  EXPECT_EQ(bench.messages.Shown()[0].title, "Error");
  EXPECT_EQ(Axis().AxisStyle, 1);
  EXPECT_TRUE(Settings().ShowLegend);
  EXPECT_EQ(Settings().ScaleRatioX, 1.0);
  EXPECT_EQ(Axis().TitleX(), "X");
}

INSTANTIATE_TEST_SUITE_P(
    Entries, AxisRefusalTest,
    testing::Values(
        RefusedEntry{"RatioNotANumber", 0, "x"}, RefusedEntry{"RatioZero", 1, "0"},
        RefusedEntry{"RatioNegative", 2, "-1"}, RefusedEntry{"RatioBeyondSingle", 3, "1e39"},
        RefusedEntry{"RatioBeyondDouble", 0, "1e400"}, RefusedEntry{"RatioWithComma", 0, "1,5"},
        RefusedEntry{"IntervalNotANumber", 4, "abc"}, RefusedEntry{"IntervalZero", 5, "0"},
        RefusedEntry{"IntervalNegative", 6, "-3"}, RefusedEntry{"IntervalBeyondLong", 4, "1e10"}),
    [](const testing::TestParamInfo<RefusedEntry>& info) { return info.param.name; });

TEST_F(AxisDialogTest, OkAppliesTheGeneralTabAndThePanelStyleTabs) {
  AxisDialogModel model = Open();
  model.ratios = {"1.5", "2", "0.5", "3"};
  model.showLegend = false;
  model.panels[0] = {false, 77, 4};
  model.panels[1] = {true, 88, 0};
  model.grids[2] = {false, true, 99};
  model.intervals = {"2.5", "3.5", "4"};
  model.titles = {"A", "B", "C"};
  ASSERT_TRUE(model.Ok());
  EXPECT_EQ(Settings().ScaleRatioX, 1.5);
  EXPECT_EQ(Settings().ScaleRatioZ, 0.5);
  EXPECT_EQ(Settings().ZoomZ, 3.0);
  EXPECT_FALSE(Settings().ShowLegend);
  EXPECT_FALSE(Axis().ShowXYPanel);
  EXPECT_EQ(Axis().XYPanelColor, AxisSystem::kPanelColor);  // unchecked: colour left
  EXPECT_EQ(Axis().XYPanelMaterial, 5);
  EXPECT_EQ(Axis().XZPanelColor, 88);
  EXPECT_EQ(Axis().XZPanelMaterial, 1);
  EXPECT_FALSE(Axis().ShowYZYGrid);
  EXPECT_EQ(Axis().YZGridColor, 99);
  EXPECT_EQ(Axis().LabelNumX, 2);
  EXPECT_EQ(Axis().LabelNumY, 4);
  EXPECT_EQ(Axis().TitleZ(), "C");
}

TEST_F(AxisDialogTest, LineStyleOrAHiddenAxisTakesNothingOfTheFourTabs) {
  for (const bool lineStyle : {true, false}) {
    Axis() = AxisSystem();
    Axis().Show = true;
    AxisDialogModel model = Open();
    if (lineStyle) {
      model.style = 2;
    } else {
      model.SetShowAxis(false);
    }
    model.intervals = {"9", "9", "9"};
    model.titles = {"A", "B", "C"};
    ASSERT_TRUE(model.Ok());
    EXPECT_EQ(Axis().AxisStyle, lineStyle ? 2 : 1);
    EXPECT_EQ(Axis().LabelNumX, 2);
    EXPECT_EQ(Axis().TitleX(), "X");
  }
}

// Every OK of the dialog made two new font sets and left the old ones in the
// context: the sets are freed first, so the lists in use stay the same.
TEST(AxisFontsTest, EveryRecreationFreesTheOldSetsFirst) {
  OffscreenContext context(64, 64);
  ASSERT_TRUE(context.MakeCurrent());
  SharedSettings settings;
  test::ScriptedMessageBox messages;
  ASSERT_TRUE(CreateSceneFonts(settings, messages));
  const auto listsInUse = [] {
    int count = 0;
    for (GLuint list = 1; list < 4000; ++list) count += glIsList(list) == GL_TRUE;
    return count;
  };
  AxisFontChoices fonts;
  RecreateAxisFonts(settings, fonts, messages);
  const int first = listsInUse();
  fonts.label = {"DejaVu Sans", 12.4};
  fonts.title = {"", 0.0};  // an empty face takes the default face
  for (int k = 0; k < 3; ++k) RecreateAxisFonts(settings, fonts, messages);
  EXPECT_EQ(listsInUse(), first);
  EXPECT_NE(settings.OutlineFontBase1, 0);
  EXPECT_NE(settings.OutlineFontBase2, 0);
  EXPECT_TRUE(messages.Shown().empty());
  DeleteSceneFonts(settings);
}

}  // namespace
}  // namespace qv
