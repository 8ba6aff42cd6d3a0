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

std::optional<PaneLayout> LayoutPanes(const PaneInput& in) {
  const double tb = in.toolbarHeight;
  if (5.0 * tb + in.dataHeight > in.clientHeight) return std::nullopt;
  const double tpp = in.twipsPerPixel > 0.0 ? in.twipsPerPixel : 15.0;
  const double l = in.splitterLeft;
  const double w = kSplitterWidth;
  const double columnHeight = in.clientHeight - tb - in.statusHeight;

  PaneLayout out;
  out.splitter = {l, tb, w, columnHeight};
  const double top2 =
      in.clientHeight - tb / 2.0 - kSplitter2Height - in.statusHeight - in.dataHeight + in.toolbarTop;
  out.splitter2 = {0.0, top2, l, kSplitter2Height};
  out.drawing = {l + w, tb, in.clientWidth - l - w, columnHeight};
  out.data = {0.0, top2 + kSplitter2Height, l, in.dataHeight};
  out.list = {0.0, tb, l, columnHeight - kSplitter2Height - in.dataHeight};

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
