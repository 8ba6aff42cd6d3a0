#include "dialogs/surface_dialog.h"

#include <algorithm>

#include "data_ranges.h"
#include "entry_text.h"
#include "scene/material_preset.h"

namespace qv {

namespace {

constexpr Long kOverlayTexture = 1;  // the texture's own colours
constexpr Long kBlendTexture = 2;    // the texture times the surface colours

}  // namespace

SurfaceDialogModel::SurfaceDialogModel(DialogContext context) : GraphDialogModel(context) {
  const Long kind = context.panel.KindIndex();
  generalEnabled_ = kind >= 0 && kind <= 3;
}

bool SurfaceDialogModel::Fill(Graph& graph) {
  const bool layers = generalEnabled_;
  graph.ShowColormap = layers && addColorMap;
  graph.ShowContour = layers && addContour;
  if (graph.ShowContour) {
    const double automatic = AutoContourStep(SurfaceHeightRange(Context().workspace.dataSet));
    const std::optional<double> step = ReadContourInterval(interval, automatic);
    if (!step) return Refuse();
    graph.ContourLevel = *step;
  }
  graph.ShowVector = layers && addVector;
  graph.ShowIrregData = layers && showIrregular;
  graph.FillStyle = std::clamp<Long>(fillStyle, 0, 4);
  graph.FirstColor = graph.FillStyle == 3 ? single : first;
  graph.SecondColor = second;
  SetMap(graph, map);
  graph.Material = std::clamp<Long>(material + 1, 1, MaterialPreset::kPresetCount);
  graph.Smoothness = std::clamp<Long>(smoothness, 1, 3);
  graph.ShowTex = addTexture;
  graph.TexName = texturePath;
  graph.TexMode = blend ? kBlendTexture : kOverlayTexture;
  graph.ShowTrans = transparent;
  graph.TransAlpha =
      1.0 - std::clamp(transparency, 0, kMaxTransparency) / static_cast<double>(kMaxTransparency);
  return true;
}

}  // namespace qv
