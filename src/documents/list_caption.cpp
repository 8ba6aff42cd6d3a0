#include "documents/list_caption.h"

#include "documents/document_header.h"
#include "graphs/graph.h"

namespace qv {
namespace {

std::string PointCaption3D(const Graph& graph) {
  return "Point  x=" + FormatDouble(graph.PointX) + ", y=" + FormatDouble(graph.PointY) +
         ", z=" + FormatDouble(graph.PointZ);
}

std::optional<std::string> PointCaption(const Graph& graph, Long viewCode) {
  if (viewCode == kViewCode3D) return PointCaption3D(graph);
  if (viewCode == kViewCode2D) return "Point  x=" + FormatDouble(graph.PointY) + ", y=" + FormatDouble(graph.PointZ);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> TableCaption(const Graph& graph, Long viewCode) {
  switch (graph.GraphType) {
    case kSurfaceModel: return "3D Surface Model";
    case kPointGraph: return PointCaption(graph, viewCode);
    case kColorMapGraph: return "Color Map  ";
    case kContourPlot: return "Contour Plot";
    case kVectorPlot: return "Vector Plot";
    case kContour3DPlot: return "3D Contour Plot";
    case kVertexModel: return "3D Vertex Model";
    case kGridModel: return "3D Grid Model";
    case kDelaunayGraph: return "Delaunay Triangles";
    case kScatter4D: return "4D Scatter ";
    case kVector4D: return "4D Vector ";
    case kSlice4D: return "4D Slice ";
    case kIsoSurface4D: return "4D IsoSurface ";
    default: return std::nullopt;
  }
}

std::string ListCaption(const Graph& graph, Long viewCode) {
  if (auto caption = TableCaption(graph, viewCode)) return *caption;
  if (graph.GraphType == kPointGraph) return PointCaption3D(graph);
  return "Graph " + CStr(graph.GraphType);
}

}  // namespace qv
