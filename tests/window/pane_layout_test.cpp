#include "window/pane_layout.h"

#include <cmath>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

// A 800 x 533 pixel client area at 15 twips a pixel.
PaneInput Window(double left) {
  PaneInput in;
  in.clientWidth = 12000;
  in.clientHeight = 8000;
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
  ExpectRect(layout.splitter, 4000, 600, 60, 7000);
  const double top2 = 8000 - 300 - 40 - 400 - 3000;
  ExpectRect(layout.splitter2, 0, top2, 4000, 40);
  ExpectRect(layout.drawing, 4060, 600, 7940, 7000);
  ExpectRect(layout.data, 0, top2 + 40, 4000, 3000);
  // The list ends where the horizontal bar begins.
  ExpectRect(layout.list, 0, 600, 4000, top2 - 600);
  EXPECT_EQ(layout.drawingWidthPx, 529);  // 7940 / 15 = 529.3
  EXPECT_EQ(layout.drawingHeightPx, 467);
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

INSTANTIATE_TEST_SUITE_P(Releases, SplitterSnapTest,
                         testing::Values(SnapCase{"FarLeft", -500, 12000, 1000},
                                         SnapCase{"JustInside", 1000, 12000, 1000},
                                         SnapCase{"Middle", 6000, 12000, 6000},
                                         SnapCase{"PastRight", 15000, 12000, 11000},
                                         SnapCase{"NarrowWindow", 1200, 1800, 800}),
                         [](const testing::TestParamInfo<SnapCase>& info) {
                           return std::string(info.param.name);
                         });

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
  EXPECT_DOUBLE_EQ(layout.list.width, 1000);
  EXPECT_DOUBLE_EQ(layout.data.width, 1000);
  EXPECT_DOUBLE_EQ(layout.splitter2.width, 1000);
  EXPECT_DOUBLE_EQ(layout.drawing.left, 1060);
  EXPECT_DOUBLE_EQ(layout.drawing.width, 12000 - 1060);
}

struct WindowCase {
  const char* name;
  int widthPx, heightPx;  // the client area from the toolbar's top to the status bar's bottom
  int leftPx;             // the bar's place
  bool fullData;          // the data frame has its full height
};

class PaneLayoutWindows : public testing::TestWithParam<WindowCase> {
 protected:
  static constexpr double kTpp = 15.0;
  static PaneInput Input(const WindowCase& c) {
    PaneInput in;
    in.clientWidth = c.widthPx * kTpp;
    in.clientHeight = c.heightPx * kTpp;
    in.toolbarHeight = 40 * kTpp;
    in.statusHeight = 26 * kTpp;
    in.dataHeight = 403 * kTpp;
    in.splitterLeft = c.leftPx * kTpp;
    in.twipsPerPixel = kTpp;
    return in;
  }
  static bool Overlap(const PaneRect& a, const PaneRect& b) {
    constexpr double e = 1e-9;
    return a.left + a.width > b.left + e && b.left + b.width > a.left + e &&
           a.top + a.height > b.top + e && b.top + b.height > a.top + e;
  }
};

// Guards the layout at every window size: a low window once kept the old
// layout (the drawing area cut off by the status bar, the data panel gone at
// 640 x 480), a narrow one put the drawing area outside the window.
TEST_P(PaneLayoutWindows, PanesLieInsideSideBySideAndTheDrawingAreaFillsItsPane) {
  const WindowCase& c = GetParam();
  const PaneInput in = Input(c);
  const PaneLayout layout = LayoutPanes(in);
  const double top = in.toolbarHeight;
  const double bottom = in.clientHeight - in.statusHeight;
  const PaneRect* panes[] = {&layout.splitter, &layout.splitter2, &layout.drawing, &layout.data,
                             &layout.list};
  for (const PaneRect* r : panes) {
    EXPECT_GE(r->width, kTpp);
    EXPECT_GE(r->height, kTpp);
    EXPECT_GE(r->left, 0.0);
    EXPECT_GE(r->top, top);
    EXPECT_LE(r->left + r->width, in.clientWidth + 1e-9);
    EXPECT_LE(r->top + r->height, bottom + 1e-9);
  }
  for (std::size_t i = 0; i < std::size(panes); ++i) {
    for (std::size_t j = i + 1; j < std::size(panes); ++j) {
      EXPECT_FALSE(Overlap(*panes[i], *panes[j])) << i << " and " << j;
    }
  }
  // The drawing area fills everything right of the bar, and the camera
  // gets that size.
  ExpectRect(layout.drawing, layout.splitter.left + kSplitterWidth, top,
             in.clientWidth - layout.splitter.left - kSplitterWidth, bottom - top);
  EXPECT_EQ(layout.drawingWidthPx, std::lround(layout.drawing.width / kTpp));
  EXPECT_EQ(layout.drawingHeightPx, std::lround(layout.drawing.height / kTpp));
  // The left column: the list, the bar, the data frame, stacked.
  EXPECT_DOUBLE_EQ(layout.list.top + layout.list.height, layout.splitter2.top);
  EXPECT_DOUBLE_EQ(layout.splitter2.top + layout.splitter2.height, layout.data.top);
  EXPECT_DOUBLE_EQ(layout.data.top + layout.data.height, bottom - in.toolbarHeight / 2);
  if (c.fullData) {
    EXPECT_DOUBLE_EQ(layout.data.height, in.dataHeight);
  } else {
    // The sheet shrinks; the list keeps its minimum, or a third in a very
    // low window.
    EXPECT_LT(layout.data.height, in.dataHeight);
    EXPECT_GE(layout.data.height, layout.list.height);
    EXPECT_GE(layout.list.height, kListMinimum / 2);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, PaneLayoutWindows,
    testing::Values(
        WindowCase{"Large", 1280, 1024, 410, true}, WindowCase{"Usual", 900, 650, 410, true},
        WindowCase{"JustFull", 900, 40 + 26 + 20 + 3 + 403 + 100, 410, true},
        WindowCase{"VgaHigh", 640, 560, 410, false}, WindowCase{"Vga", 640, 480, 410, false},
        WindowCase{"Small", 480, 360, 410, false}, WindowCase{"Tiny", 320, 240, 410, false},
        WindowCase{"NarrowColumn", 640, 480, 67, false},
        WindowCase{"ColumnWiderThanWindow", 320, 480, 600, false}),
    [](const testing::TestParamInfo<WindowCase>& info) { return std::string(info.param.name); });

// A window narrower than the column shows the drawing area next to a
// narrower column; the bar's own place is not changed by the layout.
TEST(PaneLayout, NarrowWindowMovesTheColumnsEdgeNotTheBarsPlace) {
  PaneInput in = Window(4000);
  in.barReleased = true;
  in.clientWidth = 3000;
  const PaneLayout layout = LayoutPanes(in);
  EXPECT_DOUBLE_EQ(layout.splitter.left, 2000);
  EXPECT_DOUBLE_EQ(layout.drawing.width, 3000 - 2060);
  EXPECT_DOUBLE_EQ(in.splitterLeft, 4000);
  in.clientWidth = 400;  // narrower than the bar's minimum distance
  const PaneLayout tiny = LayoutPanes(in);
  EXPECT_DOUBLE_EQ(tiny.splitter.left, 0);
  EXPECT_DOUBLE_EQ(tiny.drawing.width, 340);
  EXPECT_EQ(tiny.drawingWidthPx, 23);
}

struct ShareCase {
  const char* name;
  int widthPx;    // the client width
  int leftPx;     // the bar's place
  bool released;  // placed there by the user
  int columnPx;   // the column's width shown
};

class ColumnShareTest : public testing::TestWithParam<ShareCase> {};

// Guards the share of a small window: the column once kept the data frame's
// full width (about 410 pixels) at 800 pixels, and the drawing area got the
// smaller part. A bar the user released stays where it was put.
TEST_P(ColumnShareTest, SmallWindowsLeaveTheDrawingAreaTheLargerPart) {
  const ShareCase& c = GetParam();
  constexpr double kTpp = 15.0;
  PaneInput in = Window(c.leftPx * kTpp);
  in.clientWidth = c.widthPx * kTpp;
  in.barReleased = c.released;
  const PaneLayout layout = LayoutPanes(in);
  EXPECT_DOUBLE_EQ(layout.splitter.left, c.columnPx * kTpp);
  EXPECT_DOUBLE_EQ(layout.list.width, layout.splitter.left);
  EXPECT_DOUBLE_EQ(layout.data.width, layout.splitter.left);
  if (!c.released) {
    EXPECT_GT(layout.drawing.width, layout.splitter.left);
  }
  EXPECT_DOUBLE_EQ(layout.drawing.left + layout.drawing.width, in.clientWidth);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ColumnShareTest,
                         testing::Values(ShareCase{"W640", 640, 410, false, 288},
                                         ShareCase{"W800", 800, 410, false, 360},
                                         ShareCase{"W1000", 1000, 410, false, 410},
                                         ShareCase{"W1280", 1280, 410, false, 410},
                                         ShareCase{"W800Released", 800, 500, true, 500},
                                         ShareCase{"W800ReleasedNarrow", 800, 200, true, 200},
                                         ShareCase{"W800NarrowBar", 800, 200, false, 200},
                                         ShareCase{"W200", 200, 410, false, 90}),
                         [](const testing::TestParamInfo<ShareCase>& info) {
                           return std::string(info.param.name);
                         });

// Degenerate measures (no room at all) still give every pane one pixel.
TEST(PaneLayout, NoRoomStillGivesEveryPaneOnePixel) {
  PaneInput in = Window(4000);
  in.clientWidth = 0;
  in.clientHeight = 500;
  const PaneLayout layout = LayoutPanes(in);
  for (const PaneRect* r :
       {&layout.splitter, &layout.splitter2, &layout.drawing, &layout.data, &layout.list}) {
    EXPECT_GE(r->width, 15);
    EXPECT_GE(r->height, 15);
  }
  EXPECT_EQ(layout.drawingWidthPx, 1);
  EXPECT_EQ(layout.drawingHeightPx, 1);
}

TEST(PaneLayout, HorizontalBarReleaseClampsItsTop) {
  EXPECT_DOUBLE_EQ(ClampSplitter2Top(500, 8000, 600), 2000);
  EXPECT_DOUBLE_EQ(ClampSplitter2Top(7500, 8000, 600), 6800);
  EXPECT_DOUBLE_EQ(ClampSplitter2Top(4000, 8000, 600), 4000);
}

}  // namespace
}  // namespace qv
