#include "graph_creation.h"

#include <algorithm>
#include <limits>

#include "data/number_text.h"
#include "data/panel_layout.h"
#include "graphs/graph_kinds.h"

namespace qv {

namespace {

constexpr Long kFilled = 3;

Long StepOf(const DataPanel& panel, int box) {
  return std::max<Long>(1, SaturateLong(CountValue(panel.Text(box)))) - 1;
}

}  // namespace

std::shared_ptr<Graph> NewGraphOfKind(Long kind, const DataPanel& panel) {
  auto graph = std::make_shared<Graph>();
  graph->GraphType = kind;
  graph->Show = kFilled;
  if (const std::optional<PanelLayout> layout = LayoutOfKind(panel.KindIndex())) {
    const std::vector<int>& boxes = layout->rowBoxes;
    graph->StepU = StepOf(panel, boxes[0]);
    graph->StepV = StepOf(panel, boxes[1]);
    if (boxes.size() > 2) graph->StepH = StepOf(panel, boxes[2]);
  }
  return graph;
}

void AddNewGraph(DialogContext& context, const std::shared_ptr<Graph>& graph) {
  Workspace& ws = context.workspace;
  Long id = ws.settings.NextGraphID;
  do {
    if (id == std::numeric_limits<Long>::max()) id = 0;  // wrap rather than overflow
    ++id;
  } while (ws.allGraphs.Items.Contains(CStr(id)) || ws.shownGraphs.Items.Contains(CStr(id)));
  ws.settings.NextGraphID = id;
  graph->SetID(id);
  if (KindOf(graph->GraphType).needsTriangles && !context.trianglesCurrent)
    ws.dataSet.TriangulateIrregularPoints(context.messages, context.work);
  ws.allGraphs.Items.Add(graph, CStr(id));
  ws.shownGraphs.Items.Add(graph, CStr(id));
}

}  // namespace qv
