#include "window/pane_layout.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// Gives rect at least one pixel of width and height.
void AtLeastOnePixel(PaneRect& rect, double twipsPerPixel) {
  rect.width = std::max(rect.width, twipsPerPixel);
  rect.height = std::max(rect.height, twipsPerPixel);
}

}  // namespace

PaneLayout LayoutPanes(const PaneInput& in) {
  const double tb = std::max(0.0, in.toolbarHeight);
  const double sb = std::max(0.0, in.statusHeight);
  const double tpp = in.twipsPerPixel > 0.0 ? in.twipsPerPixel : 15.0;
  const double w = kSplitterWidth;
  const double sw = std::max(0.0, in.clientWidth);
  double wanted = in.splitterLeft;
  if (!in.barReleased) wanted = std::min(wanted, std::max(kSplitterMinimum, kColumnShare * sw));
  const double l = std::max(0.0, std::min(wanted, sw - kSplitterMinimum));
  const double columnHeight = std::max(0.0, in.clientHeight - tb - sb);

  // The list and the data frame share what the horizontal bar and the strip
  // below the data frame leave of the column.
  const double room = std::max(0.0, columnHeight - kSplitter2Height - tb / 2.0);
  const double dataFull = std::max(0.0, in.dataHeight);
  const double listKeep = std::min(kListMinimum, room / 3.0);
  const double dataHeight = std::min(dataFull, room - listKeep);
  const double listHeight = room - dataHeight;
  const double top2 = tb + listHeight;

  PaneLayout out;
  out.splitter = {l, tb, w, columnHeight};
  out.splitter2 = {0.0, top2, l, kSplitter2Height};
  out.drawing = {l + w, tb, sw - l - w, columnHeight};
  out.data = {0.0, top2 + kSplitter2Height, l, dataHeight};
  out.list = {0.0, tb, l, listHeight};

  for (PaneRect* rect : {&out.splitter, &out.splitter2, &out.drawing, &out.data, &out.list}) {
    AtLeastOnePixel(*rect, tpp);
  }
  out.drawingWidthPx = std::max(1, static_cast<int>(std::lround(out.drawing.width / tpp)));
  out.drawingHeightPx = std::max(1, static_cast<int>(std::lround(out.drawing.height / tpp)));
  return out;
}

double ClampSplitterLeft(double left, double clientWidth) {
  const double limit = std::nearbyint(clientWidth - kSplitterMinimum);
  if (left < kSplitterMinimum) left = kSplitterMinimum;
  if (left > limit) left = limit;
  return left;
}

double ClampSplitter2Top(double top, double clientHeight, double toolbarHeight) {
  const double limit = std::nearbyint(clientHeight - 2.0 * toolbarHeight);
  if (top < kSplitter2MinTop) top = kSplitter2MinTop;
  if (top > limit) top = limit;
  return top;
}

}  // namespace qv
