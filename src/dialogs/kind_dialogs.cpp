#include "dialogs/kind_dialogs.h"

#include <algorithm>

#include "data_ranges.h"
#include "entry_text.h"

namespace qv {

namespace {

// The codes of the colour-map kind (FillStyle codes) and of the contour
// drawer for the three modes of a colour-mode group.
constexpr Long kFillGradient = 2;  // graded by the value
constexpr Long kFillSingle = 3;
constexpr Long kFillColormap = 4;
constexpr Long kLinesBlend = 3;
constexpr Long kLinesSingle = 4;
constexpr Long kLinesColormap = 5;
constexpr Long kFlat = 1;
constexpr Long kSmooth = 2;

Long FillCode(ColorModeChoice::Mode mode) {
  switch (mode) {
    case ColorModeChoice::kGradient: return kFillGradient;
    case ColorModeChoice::kSingle: return kFillSingle;
    case ColorModeChoice::kColormap: break;
  }
  return kFillColormap;
}

Long LineCode(ColorModeChoice::Mode mode) {
  switch (mode) {
    case ColorModeChoice::kGradient: return kLinesBlend;
    case ColorModeChoice::kSingle: return kLinesSingle;
    case ColorModeChoice::kColormap: break;
  }
  return kLinesColormap;
}

// A list position as the width or size it stands for.
Long ListValue(int position, int count) { return std::clamp(position, 0, count - 1) + 1; }

}  // namespace

bool ColorMapDialogModel::Fill(Graph& graph) {
  graph.ColorMapfilltype = FillCode(colors.mode);
  graph.ColorMapcolor1 = colors.mode == ColorModeChoice::kSingle ? colors.single : colors.first;
  graph.ColorMapcolor2 = colors.second;
  // The surface fields carry the same choice, for the drawing and the legend
  // that read them.
  graph.FillStyle = graph.ColorMapfilltype;
  graph.FirstColor = graph.ColorMapcolor1;
  graph.SecondColor = graph.ColorMapcolor2;
  SetMap(graph, colors.map);
  return true;
}

ContourDialogModel::ContourDialogModel(DialogContext context, Long kind)
    : GraphDialogModel(context), kind_(kind) {
  if (kind_ == kContour3DPlot) colors.single = kBlue;
}

const char* ContourDialogModel::Caption() const {
  return kind_ == kContour3DPlot ? "3D Contour Plot Properties" : "Contour Plot Properties";
}

bool ContourDialogModel::Fill(Graph& graph) {
  const double automatic = AutoContourStep(SurfaceHeightRange(Context().workspace.dataSet));
  const std::optional<double> step = ReadContourInterval(interval, automatic);
  if (!step) return Refuse();
  // One colour is the contour drawer's second colour; a blend runs from the
  // second at the lowest level to the first at the highest.
  const Long first = colors.first;
  const Long second = colors.mode == ColorModeChoice::kSingle ? colors.single : colors.second;
  const Long lineWidth = ListValue(width, kWidthListCount);
  if (kind_ == kContour3DPlot) {
    graph.Contour3Levels = *step;
    graph.Con3Width = lineWidth;
    graph.Con3FillType = LineCode(colors.mode);
    graph.Con3Color1 = first;
    graph.Con3Color2 = second;
  } else {
    graph.ContourLevels = *step;
    graph.ConWidth = lineWidth;
    graph.ConFillType = LineCode(colors.mode);
    graph.ConColor1 = first;
    graph.ConColor2 = second;
  }
  SetMap(graph, colors.map);
  return true;
}

bool VectorDialogModel::Fill(Graph& graph) {
  graph.VectorColor = color;
  return true;
}

bool VertexDialogModel::Fill(Graph& graph) {
  graph.VertColor = color;
  graph.VertSize = ListValue(size, kWidthListCount);
  return true;
}

bool GridModelDialogModel::Fill(Graph& graph) {
  graph.LineColor = color;
  graph.LineWidth = ListValue(width, kWidthListCount);
  // The grid lines are drawn in the grid fields.
  graph.GridColor = graph.LineColor;
  graph.GridWidth = graph.LineWidth;
  return true;
}

VolumePointsDialogModel::VolumePointsDialogModel(DialogContext context, Long kind)
    : GraphDialogModel(context), color(kind == kScatter4D ? kBlue : kRed), kind_(kind) {}

const char* VolumePointsDialogModel::Caption() const {
  return kind_ == kScatter4D ? "4D Scatter Properties" : "4D Vector Properties";
}

bool VolumePointsDialogModel::Fill(Graph& graph) {
  if (kind_ == kScatter4D) {
    graph.Scat4DColor = color;
    graph.FillStyle = kFillSingle;  // shades of the colour, not the colour map
  } else {
    graph.Vect4DColor = color;
  }
  graph.ShowIrregData = showIrregular;
  return true;
}

DelaunayDialogModel::DelaunayDialogModel(DialogContext context) : GraphDialogModel(context) {
  colors.first = RGB(255, 128, 0);
  colors.second = RGB(0, 255, 0);
  colors.single = kRed;
}

bool DelaunayDialogModel::Fill(Graph& graph) {
  graph.ShowDS = showSurface;
  graph.Smoothness = smooth ? kSmooth : kFlat;
  graph.FillStyle = FillCode(colors.mode);
  graph.FirstColor = colors.mode == ColorModeChoice::kSingle ? colors.single : colors.first;
  graph.SecondColor = colors.second;
  SetMap(graph, colors.map);
  graph.ShowDG = showTriangles;
  graph.TriColor = triangleColor;
  graph.TriWidth = ListValue(triangleWidth, kTriangleWidthListCount);
  return true;
}

bool IsoSurfaceDialogModel::Fill(Graph& graph) {
  const DataSet& data = Context().workspace.dataSet;
  const double low = std::min(data.MInv(), data.MaxV());
  const double high = std::max(data.MInv(), data.MaxV());
  if (IsBlank(value)) {
    graph.IsoSurValue = (low + high) / 2.0;
    return true;
  }
  const std::optional<double> level = ReadRealBox(value);
  if (!level || *level < low || *level > high) return Refuse();
  graph.IsoSurValue = *level;
  return true;
}

}  // namespace qv
