#include "window/pane_layout.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// A 800 x 533 pixel client area at 15 twips a pixel.
PaneInput Window(double left) {
  PaneInput in;
  in.clientWidth = 12000;
  in.clientHeight = 8000;
  in.toolbarTop = 0;
  in.toolbarHeight = 600;
  in.statusHeight = 400;
  in.dataHeight = 3000;
  in.splitterLeft = left;
  in.twipsPerPixel = 15;
  return in;
}

void ExpectRect(const PaneRect& r, double left, double top, double width, double height) {
  EXPECT_DOUBLE_EQ(r.left, left);
  EXPECT_DOUBLE_EQ(r.top, top);
  EXPECT_DOUBLE_EQ(r.width, width);
  EXPECT_DOUBLE_EQ(r.height, height);
}

TEST(PaneLayout, PlacesEveryPaneAroundTheBar) {
  const auto layout = LayoutPanes(Window(4000));
  ASSERT_TRUE(layout);
  ExpectRect(layout->splitter, 4000, 600, 60, 7000);
  const double top2 = 8000 - 300 - 40 - 400 - 3000;
  ExpectRect(layout->splitter2, 0, top2, 4000, 40);
  ExpectRect(layout->drawing, 4060, 600, 7940, 7000);
  ExpectRect(layout->data, 0, top2 + 40, 4000, 3000);
  ExpectRect(layout->list, 0, 600, 4000, 7000 - 40 - 3000);
  EXPECT_EQ(layout->drawingWidthPx, 529);  // 7940 / 15 = 529.3
  EXPECT_EQ(layout->drawingHeightPx, 467);
}

struct SnapCase {
  const char* name;
  double releasedAt;
  double clientWidth;
  double settlesAt;
};

class SplitterSnapTest : public testing::TestWithParam<SnapCase> {};

// Guards the release limits: 1000 from the left, then SW - 1000, the second
// winning in a window narrower than 2000.
TEST_P(SplitterSnapTest, SettlesWithinTheLimits) {
  const SnapCase& c = GetParam();
  SplitterDrag drag(4000);
  drag.MouseDown();
  drag.MouseMove(c.releasedAt - 4000);
  EXPECT_DOUBLE_EQ(drag.MouseUp(c.clientWidth), c.settlesAt);
  EXPECT_FALSE(drag.Dragging());
}

INSTANTIATE_TEST_SUITE_P(
    Releases, SplitterSnapTest,
    testing::Values(SnapCase{"FarLeft", -500, 12000, 1000}, SnapCase{"JustInside", 1000, 12000, 1000},
                    SnapCase{"Middle", 6000, 12000, 6000}, SnapCase{"PastRight", 15000, 12000, 11000},
                    SnapCase{"NarrowWindow", 1200, 1800, 800}),
    [](const testing::TestParamInfo<SnapCase>& info) { return std::string(info.param.name); });

TEST(PaneLayout, BarFollowsTheMouseOnlyWhileHeld) {
  SplitterDrag drag(3000);
  drag.MouseMove(500);
  EXPECT_DOUBLE_EQ(drag.Left(), 3000);
  drag.MouseDown();
  drag.MouseMove(500);
  drag.MouseMove(-200);
  EXPECT_DOUBLE_EQ(drag.Left(), 3300);
}

TEST(PaneLayout, SnappedBarGivesTheColumnItsWidth) {
  const auto layout = LayoutPanes(Window(ClampSplitterLeft(200, 12000)));
  ASSERT_TRUE(layout);
  EXPECT_DOUBLE_EQ(layout->list.width, 1000);
  EXPECT_DOUBLE_EQ(layout->data.width, 1000);
  EXPECT_DOUBLE_EQ(layout->splitter2.width, 1000);
  EXPECT_DOUBLE_EQ(layout->drawing.left, 1060);
  EXPECT_DOUBLE_EQ(layout->drawing.width, 12000 - 1060);
}

// Guards the "too low" rule: 5 * TB + DH above SH leaves the panes where they were.
TEST(PaneLayout, TooLowWindowKeepsThePreviousLayout) {
  PaneInput in = Window(4000);
  in.clientHeight = 5 * 600 + 3000;  // exactly at the limit: still laid out
  EXPECT_TRUE(LayoutPanes(in));
  in.clientHeight -= 1;
  EXPECT_FALSE(LayoutPanes(in));
}

// Regression: a window narrower than the left column gave the drawing area a
// negative width (and the camera a negative screen size).
TEST(PaneLayout, NarrowWindowKeepsEveryPaneAtLeastOnePixel) {
  PaneInput in = Window(4000);
  in.clientWidth = 3000;
  in.dataHeight = 7000;
  in.clientHeight = 10100;
  in.statusHeight = 1000;
  const auto layout = LayoutPanes(in);
  ASSERT_TRUE(layout);
  for (const PaneRect* r :
       {&layout->splitter, &layout->splitter2, &layout->drawing, &layout->data, &layout->list}) {
    EXPECT_GE(r->width, 15);
    EXPECT_GE(r->height, 15);
  }
  EXPECT_EQ(layout->drawingWidthPx, 1);
  EXPECT_GE(layout->drawingHeightPx, 1);
}

TEST(PaneLayout, HorizontalBarReleaseClampsItsTop) {
  EXPECT_DOUBLE_EQ(ClampSplitter2Top(500, 8000, 600), 2000);
  EXPECT_DOUBLE_EQ(ClampSplitter2Top(7500, 8000, 600), 6800);
  EXPECT_DOUBLE_EQ(ClampSplitter2Top(4000, 8000, 600), 4000);
}

}  // namespace
}  // namespace qv
