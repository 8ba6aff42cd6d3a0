// Placement of the main window's panes: the graph list above the data frame in
// the left column, the vertical splitter bar, and the drawing area on the
// right. All measures are twips (1440 per inch) of the window's client area,
// except the drawing area's pixel size.
//
//   +------------------------------------------+  <- toolbar (TB high)
//   | List1        |S|                         |
//   |              |p|        picDraw          |
//   |--Splitter2---|l|                         |
//   | Data (DH)    |i|                         |
//   +------------------------------------------+  <- status bar (SB high)
//                  L  L+W
#pragma once

namespace qv {

inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kSplitterWidth = 60.0;      // the vertical bar
inline constexpr double kSplitter2Height = 40.0;    // the horizontal bar
inline constexpr double kSplitterMinimum = 1000.0;  // closest a released bar comes to a side
inline constexpr double kSplitter2MinTop = 2000.0;
// The graph list's height that the data frame leaves before it shrinks.
inline constexpr double kListMinimum = 1500.0;
// The largest share of the client width the left column takes while the bar
// keeps its first place: in a small window the drawing area keeps the larger
// part.
inline constexpr double kColumnShare = 0.45;

// A rectangle in twips.
struct PaneRect {
  double left = 0.0;
  double top = 0.0;
  double width = 0.0;
  double height = 0.0;
};

// What the layout reads.
struct PaneInput {
  double clientWidth = 0.0;    // SW
  double clientHeight = 0.0;   // SH
  double toolbarHeight = 0.0;  // TB
  double statusHeight = 0.0;   // SB
  double dataHeight = 0.0;     // DH, the data frame's full height
  double splitterLeft = 0.0;   // L
  double twipsPerPixel = 15.0;
  // The user has released the bar at L: the column is then as wide as L
  // (within the window), however small the window.
  bool barReleased = false;
};

// Where the panes go, and the drawing area's size in whole pixels.
struct PaneLayout {
  PaneRect splitter;   // the vertical bar
  PaneRect splitter2;  // the horizontal bar
  PaneRect drawing;    // picDraw
  PaneRect data;       // the data frame
  PaneRect list;       // List1
  int drawingWidthPx = 1;
  int drawingHeightPx = 1;
};

// The layout of the panes for input, for every window size: the panes lie
// inside the client area between the toolbar and the status bar, side by
// side without overlap, and the drawing area fills the right-hand pane.
// - The left column is the bar's place L, but never nearer than
//   kSplitterMinimum to the right side (never left of 0), so a window
//   narrower than the column still shows the drawing area. Until the user
//   has released the bar, the column takes at most kColumnShare of the
//   width (never less than kSplitterMinimum). L itself is kept by the
//   caller and comes back when the window widens.
// - The data frame has its full height DH, and ends TB / 2 above the status
//   bar, while that leaves the list kListMinimum; in a lower window the data
//   frame shrinks (its sheet scrolls) and the list keeps kListMinimum, or a
//   third of the column in a very low window. The list ends where the
//   horizontal bar begins.
// Every width and height comes out at least one pixel, so that no size is
// ever negative or zero.
PaneLayout LayoutPanes(const PaneInput& input);

// Where a released vertical bar settles: at least kSplitterMinimum from the
// left, then at most clientWidth - kSplitterMinimum (rounded), which wins in a
// window narrower than twice the minimum.
double ClampSplitterLeft(double left, double clientWidth);

// Where a released horizontal bar settles: at least kSplitter2MinTop, then at
// most clientHeight - 2 * toolbarHeight (rounded).
double ClampSplitter2Top(double top, double clientHeight, double toolbarHeight);

// The drag of the vertical bar: pressed with any button, moved by X relative to
// the bar's own left edge, and clamped on release. Nothing else moves until the
// release; the caller lays the panes out again then.
class SplitterDrag {
 public:
  explicit SplitterDrag(double left) : left_(left) {}

  void MouseDown() { dragging_ = true; }
  void MouseMove(double x) {
    if (dragging_) left_ += x;
  }
  // Returns the settled left edge.
  double MouseUp(double clientWidth) {
    dragging_ = false;
    left_ = ClampSplitterLeft(left_, clientWidth);
    return left_;
  }

  bool Dragging() const { return dragging_; }
  double Left() const { return left_; }
  void SetLeft(double left) { left_ = left; }

 private:
  double left_;
  bool dragging_ = false;
};

}  // namespace qv
