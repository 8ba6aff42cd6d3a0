#include "dialogs/point_dialog.h"

#include <array>
#include <optional>

#include "entry_text.h"
#include "graph_creation.h"
#include "graphs/graph_kinds.h"

namespace qv {

PointDialogModel::PointDialogModel(DialogContext context)
    : context_(context), zShown_(context.workspace.settings.ViewCode != kViewCode2D) {}

bool PointDialogModel::Ok() {
  created_.reset();
  std::array<std::string*, 3> order = {&y, &z, &x};
  std::array<double, 3> read{};  // y, z, x
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (order[k] == &z && !zShown_) continue;
    std::string cleaned;
    const std::optional<double> value = ReadRealBox(*order[k], &cleaned);
    if (!value) return RefuseEntry(context_.messages);
    *order[k] = cleaned;
    read[k] = *value;
  }
  // Only a box of two or more blanks cleans to an empty text.
  if (x.empty() || y.empty() || (zShown_ && z.empty())) {
    context_.messages.Show(kInputAllParametersMessage, "Note", MsgIcon::Exclamation,
                           MsgButtons::OK);
    return false;
  }
  Workspace& ws = context_.workspace;
  const bool flat = ws.settings.ViewCode == kViewCode2D;
  std::shared_ptr<Graph> graph =
      Graph().init(ws.settings.NextGraphID, "", kPointGraph, flat ? 1 : 0, "", "", "", 1, 1, 0.0,
                   1.0, 0.0, 0.0, 4, kBlue, kBlue, 0, 1, 4, 2, 2, false, false, false, 0.0);
  const double typedX = read[2];
  const double typedY = read[0];
  const double typedZ = read[1];
  if (flat) {
    graph->PointX = 0.0;
    graph->PointY = typedX;
    graph->PointZ = typedY;
  } else {
    graph->PointX = typedY;
    graph->PointY = typedZ;
    graph->PointZ = typedX;
  }
  graph->PointColor = color;
  graph->PointSize = static_cast<double>(size + 1);
  AddNewGraph(context_, graph);
  created_ = graph;
  return true;
}

}  // namespace qv
