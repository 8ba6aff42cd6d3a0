#include "dialogs/draw_menu.h"

#include "dialogs/kind_dialogs.h"
#include "dialogs/slice_dialog.h"
#include "dialogs/surface_dialog.h"
#include "graphs/graph_kinds.h"

namespace qv {

std::unique_ptr<GraphDialogModel> MakeGraphDialog(Long kind, DialogContext context) {
  switch (kind) {
    case kSurfaceModel: return std::make_unique<SurfaceDialogModel>(context);
    case kColorMapGraph: return std::make_unique<ColorMapDialogModel>(context);
    case kContourPlot:
    case kContour3DPlot: return std::make_unique<ContourDialogModel>(context, kind);
    case kVectorPlot: return std::make_unique<VectorDialogModel>(context);
    case kVertexModel: return std::make_unique<VertexDialogModel>(context);
    case kGridModel: return std::make_unique<GridModelDialogModel>(context);
    case kDelaunayGraph: return std::make_unique<DelaunayDialogModel>(context);
    case kScatter4D:
    case kVector4D: return std::make_unique<VolumePointsDialogModel>(context, kind);
    case kSlice4D: return std::make_unique<SliceDialogModel>(context);
    case kIsoSurface4D: return std::make_unique<IsoSurfaceDialogModel>(context);
    default: return nullptr;
  }
}

std::string DrawListEntry(const Graph& graph, Long viewCode) {
  switch (graph.GraphType) {
    case kPointGraph:
      if (viewCode == kViewCode2D) {
        return "Point  x=" + FormatDouble(graph.PointY) + ", y=" + FormatDouble(graph.PointZ);
      }
      return "Point  x=" + FormatDouble(graph.PointZ) + ", y=" + FormatDouble(graph.PointX) +
             ", z=" + FormatDouble(graph.PointY);
    case kVertexModel: return "3D Vertex Model  ";
    case kGridModel: return "3D Grid Model  ";
    case kSurfaceModel: return "3D Surface Model  " + graph.NameS;
    case kDelaunayGraph: return "Delaunay Triangles  ";
    case kColorMapGraph: return "Color Map  ";
    case kContourPlot: return "Contour Plot  ";
    case kVectorPlot: return "Vector Plot ";
    case kContour3DPlot: return "3D Contour Plot  ";
    case kScatter4D: return "4D Scatter  ";
    case kVector4D: return "4D Vector  ";
    case kSlice4D: return "4D Slice  ";
    case kIsoSurface4D: return "4D IsoSurface  ";
    default: return ListCaption(graph, viewCode);
  }
}

SceneOrientation DrawOrientation(Long kind, Long viewCode) {
  const bool flat = kind == kColorMapGraph || kind == kContourPlot || kind == kVectorPlot ||
                    (kind == kPointGraph && viewCode == kViewCode2D);
  return flat ? SceneOrientation{0.0, 0.0, 0.0} : SceneOrientation{0.0, -30.0, 45.0};
}

}  // namespace qv
