// Documents made in the main window as its user makes them: data typed into
// the panel and the sheet, graphs added through the graph list, under a
// light written out.
#pragma once

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "graphs/graph.h"
#include "graphs/graph_kinds.h"
#include "window/document_program.h"

namespace qv::test {

// The light of a new document, written out so that a changed default shows
// as a changed default, not as changed pictures.
inline void FixLight(Light& light) {
  light.Enabled = true;
  light.TwoSides(0) = 1.0F;
  const std::array<float, 4> position{1000.0F, 1000.0F, 1000.0F, 1.0F};
  const std::array<float, 4> globalAmbient{1.0F, 0.0F, 0.0F, 0.0F};
  for (Long i = 0; i < 4; ++i) {
    light.Position(i) = position[static_cast<std::size_t>(i)];
    light.GlobalAmbient(i) = globalAmbient[static_cast<std::size_t>(i)];
    light.Diffuse(i) = 1.0F;
    light.Amission(i) = 1.0F;
    light.Specular(i) = 1.0F;
  }
}

// Selects data kind, fills the panel's boxes, sizes the sheet with OK and
// types the rows (up to four cells each).
inline void TypeData(Program& program, Long kind, const std::vector<std::pair<int, double>>& boxes,
                     const std::vector<std::array<double, 4>>& rows) {
  MainWindowCore& core = program.core;
  core.Panel().SetKindIndex(kind);
  for (const auto& [box, value] : boxes) core.Panel().SetText(box, FormatDouble(value));
  core.OnDataPanelOk();
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (Long column = 1; column <= kSheetDataColumns; ++column) {
      core.Sheet().CellEdited(static_cast<Long>(r) + 1, column,
                              FormatDouble(rows[r][static_cast<std::size_t>(column) - 1]));
    }
  }
}

// A new graph of kind with the next ID; set its options, then Show it.
inline std::shared_ptr<Graph> NewGraph(Program& program, Long kind) {
  Workspace& ws = program.core.Shared();
  auto graph = std::make_shared<Graph>();
  graph->SetID(++ws.settings.NextGraphID);
  graph->GraphType = kind;
  return graph;
}

// Adds graph to the document and checks it in the list.
inline void Show(Program& program, const std::shared_ptr<Graph>& graph) {
  Workspace& ws = program.core.Shared();
  ws.allGraphs.Items.Add(graph, CStr(graph->ID()));
  program.core.AddListEntry(ListCaption(*graph, ws.settings.ViewCode));
  program.core.SetListChecked(program.core.List().ListCount() - 1, true);
}

}  // namespace qv::test
