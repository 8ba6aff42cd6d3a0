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

// One row per code, by ascending code. Columns (GraphKindRow): code;
// caption rule and caption; bounding rule; drawer, prepare and release
// steps; legend source; view kinds; whether it needs the triangles.
constexpr std::array kKinds = {
    GraphKindRow{kStoredLine0, C::kNone, "", BoundLineData, DrawNothing, PrepareNothing,
                 ReleaseNothing, L::kNone, kInNoView, false},
    GraphKindRow{kStoredSurface2, C::kNone, "", BoundSurfaceNodes, DrawStoredSurface,
                 PrepareSurfaceTexture, ReleaseSurfaceTexture, L::kDataBounds, kInNoView, false},
    GraphKindRow{kLineGraph, C::kNone, "", BoundLineData, DrawLineGraph, PrepareNothing,
                 ReleaseNothing, L::kNone, kInNoView, false},
    GraphKindRow{kSurfaceModel, C::kFixed, "3D Surface Model", BoundSurfaceNodes, DrawSurfaceModel,
                 PrepareSurfaceTexture, ReleaseSurfaceTexture, L::kDataBounds, kIn3D, false},
    GraphKindRow{kPointGraph, C::kPointPosition, "", BoundPoint, DrawPointGraph, PrepareNothing,
                 ReleaseNothing, L::kNone, kIn2D | kIn3D | kIn4D, false},
    GraphKindRow{kStoredLine9, C::kNone, "", BoundLineData, DrawNothing, PrepareNothing,
                 ReleaseNothing, L::kNone, kInNoView, false},
    GraphKindRow{kStoredSurface12, C::kNone, "", BoundSurfaceNodes, DrawStoredSurface12,
                 PrepareSurfaceTexture, ReleaseSurfaceTexture, L::kNone, kInNoView, false},
    GraphKindRow{kColorMapGraph, C::kFixed, "Color Map  ", BoundSurfaceNodes, DrawColorMap,
                 PrepareSurfaceTexture, ReleaseSurfaceTexture, L::kDataBoundsColorMapOptions, kIn2D,
                 false},
    GraphKindRow{kContourPlot, C::kFixed, "Contour Plot", BoundSurfaceNodes, DrawContourPlot,
                 PrepareNothing, ReleaseNothing, L::kContourPlotLevels, kIn2D, false},
    GraphKindRow{kVectorPlot, C::kFixed, "Vector Plot", BoundSurfaceNodes, DrawVectorPlot,
                 PrepareNothing, ReleaseNothing, L::kNone, kIn2D, false},
    GraphKindRow{kContour3DPlot, C::kFixed, "3D Contour Plot", BoundSurfaceNodes, DrawContour3D,
                 PrepareNothing, ReleaseNothing, L::kContour3DLevels, kIn3D, false},
    GraphKindRow{kStoredSurface17, C::kNone, "", BoundSurfaceNodes, DrawNothing, PrepareNothing,
                 ReleaseNothing, L::kNone, kInNoView, false},
    GraphKindRow{kVertexModel, C::kFixed, "3D Vertex Model", BoundSurfaceNodes, DrawVertexModel,
                 PrepareSurfaceTexture, ReleaseSurfaceTexture, L::kNone, kIn3D, false},
    GraphKindRow{kGridModel, C::kFixed, "3D Grid Model", BoundSurfaceNodes, DrawGridModel,
                 PrepareSurfaceTexture, ReleaseSurfaceTexture, L::kNone, kIn3D, false},
    GraphKindRow{kStoredLine20, C::kNone, "", BoundLineData, DrawNothing, PrepareNothing,
                 ReleaseNothing, L::kNone, kInNoView, false},
    GraphKindRow{kStoredSurface21, C::kNone, "", BoundSurfaceNodes, DrawStoredSurface,
                 PrepareSurfaceTexture, ReleaseSurfaceTexture, L::kNone, kInNoView, false},
    GraphKindRow{kStoredSurface22, C::kNone, "", BoundSurfaceNodes, DrawStoredSurface,
                 PrepareSurfaceTexture, ReleaseSurfaceTexture, L::kNone, kInNoView, false},
    GraphKindRow{kStoredLine23, C::kNone, "", BoundLineData, DrawNothing, PrepareNothing,
                 ReleaseNothing, L::kNone, kInNoView, false},
    GraphKindRow{kDelaunayGraph, C::kFixed, "Delaunay Triangles", BoundTrianglePoints,
                 DrawDelaunaySurface, PrepareNothing, ReleaseNothing, L::kDataBounds, kIn3D, true},
    GraphKindRow{kScatter4D, C::kFixed, "4D Scatter ", BoundVolumeNodes, DrawScatter4D,
                 PrepareNothing, ReleaseNothing, L::kNone, kIn4D, false},
    GraphKindRow{kVector4D, C::kFixed, "4D Vector ", BoundVolumeNodes, DrawVector4D, PrepareNothing,
                 ReleaseNothing, L::kNone, kIn4D, false},
    GraphKindRow{kSlice4D, C::kFixed, "4D Slice ", BoundVolumeNodes, Draw4DSlices, PrepareNothing,
                 ReleaseNothing, L::kVolumeValuesMap, kIn4D, false},
    GraphKindRow{kIsoSurface4D, C::kFixed, "4D IsoSurface ", BoundVolumeNodes, DrawIsoSurface,
                 PrepareNothing, ReleaseNothing, L::kVolumeValuesMapOnly, kIn4D, false},
};

static_assert(std::is_sorted(kKinds.begin(), kKinds.end(),
                             [](const GraphKindRow& a, const GraphKindRow& b) {
                               return a.code < b.code;
                             }));

// What a code without a row is: no caption, no box, nothing drawn.
constexpr GraphKindRow kUnknownKind{
    -1,       C::kNone,  "",   nullptr, DrawNothing, PrepareNothing, ReleaseNothing,
    L::kNone, kInNoView, false};

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
  const auto row = std::lower_bound(kKinds.begin(), kKinds.end(), graphType,
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
