#include "graphs/graph_kinds.h"

#include <algorithm>
#include <array>

#include "drawers.h"
#include "graph_bounds.h"
#include "graphs/graph_options.h"
#include "platform/shared_settings.h"

namespace qv {

namespace {

using C = CaptionRule;
using L = LegendSource;
constexpr unsigned kAllViews = kIn2D | kIn3D | kIn4D;

// The row of a kind that draws nothing and needs nothing prepared.
constexpr GraphKindRow Undrawn(Long code, BoundRule bound) {
  return {code, C::kNone, "", bound, DrawNothing, PrepareNothing, ReleaseNothing, L::kNone,
          kInNoView, false};
}
// The row of a kind drawn as a mesh of the regular surface, which may be
// textured.
constexpr GraphKindRow Mesh(Long code, CaptionRule rule, std::string_view caption, DrawStep draw,
                            L legend, unsigned views) {
  return {code,   rule,   caption, BoundSurfaceNodes, draw, PrepareSurfaceTexture, ReleaseSurfaceTexture,
          legend, views, false};
}
// The row of a kind whose drawer needs nothing prepared.
constexpr GraphKindRow Plain(Long code, std::string_view caption, BoundRule bound, DrawStep draw,
                             L legend, unsigned views) {
  return {code,   C::kFixed, caption, bound, draw, PrepareNothing, ReleaseNothing,
          legend, views,     false};
}

// One row per code, by ascending code.
constexpr std::array kKinds = {
    Undrawn(kStoredLine0, BoundLineData),
    Mesh(kStoredSurface2, C::kNone, "", DrawStoredSurface, L::kDataBounds, kInNoView),
    GraphKindRow{kLineGraph, C::kNone, "", BoundLineData, DrawLineGraph, PrepareNothing,
                 ReleaseNothing, L::kNone, kInNoView, false},
    Mesh(kSurfaceModel, C::kFixed, "3D Surface Model", DrawSurfaceModel, L::kDataBounds, kIn3D),
    GraphKindRow{kPointGraph, C::kPointPosition, "", BoundPoint, DrawPointGraph, PrepareNothing,
                 ReleaseNothing, L::kNone, kAllViews, false},
    Undrawn(kStoredLine9, BoundLineData),
    Mesh(kStoredSurface12, C::kNone, "", DrawStoredSurface12, L::kNone, kInNoView),
    Mesh(kColorMapGraph, C::kFixed, "Color Map  ", DrawColorMap, L::kDataBounds, kIn2D),
    Plain(kContourPlot, "Contour Plot", BoundSurfaceNodes, DrawContourPlot, L::kDataBounds, kIn2D),
    Plain(kVectorPlot, "Vector Plot", BoundSurfaceNodes, DrawVectorPlot, L::kNone, kIn2D),
    Plain(kContour3DPlot, "3D Contour Plot", BoundSurfaceNodes, DrawContour3D, L::kDataBounds,
          kIn3D),
    Undrawn(kStoredSurface17, BoundSurfaceNodes),
    Mesh(kVertexModel, C::kFixed, "3D Vertex Model", DrawVertexModel, L::kNone, kIn3D),
    Mesh(kGridModel, C::kFixed, "3D Grid Model", DrawGridModel, L::kNone, kIn3D),
    Undrawn(kStoredLine20, BoundLineData),
    Mesh(kStoredSurface21, C::kNone, "", DrawStoredSurface, L::kNone, kInNoView),
    Mesh(kStoredSurface22, C::kNone, "", DrawStoredSurface, L::kNone, kInNoView),
    Undrawn(kStoredLine23, BoundLineData),
    GraphKindRow{kDelaunayGraph, C::kFixed, "Delaunay Triangles", BoundTrianglePoints,
                 DrawDelaunaySurface, PrepareNothing, ReleaseNothing, L::kDataBounds, kIn3D, true},
    Plain(kScatter4D, "4D Scatter ", BoundVolumeNodes, DrawScatter4D, L::kNone, kIn4D),
    Plain(kVector4D, "4D Vector ", BoundVolumeNodes, DrawVector4D, L::kNone, kIn4D),
    Plain(kSlice4D, "4D Slice ", BoundVolumeNodes, Draw4DSlices, L::kVolumeValues, kIn4D),
    Plain(kIsoSurface4D, "4D IsoSurface ", BoundVolumeNodes, DrawIsoSurface,
          L::kVolumeValuesMapOnly, kIn4D),
};

static_assert(std::is_sorted(kKinds.begin(), kKinds.end(),
                             [](const GraphKindRow& a, const GraphKindRow& b) { return a.code < b.code; }));

// What a code without a row is: no caption, no box, nothing drawn.
constexpr GraphKindRow kUnknownKind = Undrawn(-1, nullptr);

std::string PointCaption3D(const GraphOptions& g) {
  return "Point  x=" + FormatDouble(g.PointX) + ", y=" + FormatDouble(g.PointY) +
         ", z=" + FormatDouble(g.PointZ);
}

// In 2D the point's x and y are PointY and PointZ (the point dialog's
// choice); a 4D document's point has no caption of the table.
std::optional<std::string> PointCaption(const GraphOptions& g, Long viewCode) {
  if (viewCode == kViewCode3D) return PointCaption3D(g);
  if (viewCode == kViewCode2D) {
    return "Point  x=" + FormatDouble(g.PointY) + ", y=" + FormatDouble(g.PointZ);
  }
  return std::nullopt;
}

}  // namespace

const GraphKindRow& KindOf(Long graphType) {
  const auto row = std::lower_bound(
      kKinds.begin(), kKinds.end(), graphType,
      [](const GraphKindRow& r, Long code) { return r.code < code; });
  return row != kKinds.end() && row->code == graphType ? *row : kUnknownKind;
}

std::span<const GraphKindRow> GraphKinds() { return kKinds; }

std::optional<std::string> TableCaption(const GraphOptions& graph, Long viewCode) {
  const GraphKindRow& kind = KindOf(graph.GraphType);
  switch (kind.captionRule) {
    case C::kFixed: return std::string(kind.caption);
    case C::kPointPosition: return PointCaption(graph, viewCode);
    case C::kNone: break;
  }
  return std::nullopt;
}

std::string ListCaption(const GraphOptions& graph, Long viewCode) {
  if (std::optional<std::string> caption = TableCaption(graph, viewCode)) return *caption;
  if (KindOf(graph.GraphType).captionRule == C::kPointPosition) return PointCaption3D(graph);
  return "Graph " + CStr(graph.GraphType);
}

}  // namespace qv
