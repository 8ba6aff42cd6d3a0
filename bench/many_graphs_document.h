// Many small graphs, for the costs of the graph list: a document of a 3 x 2
// regular surface and n point graphs spread over a cube, written to a file,
// and the same graphs put into a window the way opening a document does.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "data/memory_data_panel.h"
#include "documents/document_container.h"
#include "documents/document_host.h"
#include "documents/document_writer.h"
#include "graphs/graph.h"
#include "graphs/graph_kinds.h"
#include "graphs/workspace.h"
#include "platform/file_replace.h"

namespace qv::bench {

// Point graph id of such a document.
inline std::shared_ptr<Graph> MakePointGraph(Long id) {
  auto graph = std::make_shared<Graph>();
  graph->SetID(id);
  graph->GraphType = kPointGraph;
  graph->NameS = "Point " + CStr(id);
  graph->PointX = static_cast<double>(id % 23);
  graph->PointY = static_cast<double>(id % 17);
  graph->PointZ = static_cast<double>(id % 11);
  graph->PointSize = 0.5;
  graph->PointColor = 255;
  return graph;
}

// Writes the document to a scratch file and returns its path, or "" when it
// could not be written (why in *reason). A point graph's record takes about
// 85 items: 5000 graphs is the most whole thousands a document can hold.
inline std::string WriteManyPointGraphs(Long n, std::string* reason = nullptr) {
  Workspace workspace;
  workspace.settings.ViewCode = kViewCode3D;
  workspace.axisSystem.SetDefault();
  workspace.settings.DataScaleX = workspace.settings.DataScaleY = workspace.settings.DataScaleZ =
      1.0;
  MemoryDataPanel panel;
  panel.SetKindIndex(kRegularSurface);
  panel.SetText(1, "3");
  panel.SetText(2, "2");
  for (Long row = 1; row <= 6; ++row)
    panel.SetRow(row, {CStr((row - 1) / 2), CStr((row - 1) % 2), CStr(row), "0"});
  for (Long id = 1; id <= n; ++id) {
    const std::shared_ptr<Graph> graph = MakePointGraph(id);
    workspace.allGraphs.Items.Add(graph, CStr(id));
    workspace.shownGraphs.Items.Add(graph, CStr(id));
  }
  workspace.settings.NextGraphID = n;
  const DocumentWriteResult written = WriteDocumentText(workspace, panel);
  if (!written.ok) {
    if (reason != nullptr) *reason = written.reason;
    return "";
  }
  const std::string path =
      (std::filesystem::temp_directory_path() /
       ("qv_bench_graphs_" + std::to_string(n) + "_" + std::to_string(getpid()) + ".qrv"))
          .string();
  const std::string failure = ReplaceFile(path, EncodeContainer(written.text));
  if (!failure.empty()) {
    if (reason != nullptr) *reason = failure;
    return "";
  }
  return path;
}

// Puts n point graphs into the window behind host as opening a document of
// them would, after the file is read: in one scene batch the graphs are
// deleted, each graph is appended with its list entry, the fit is asked for
// and every entry is checked. So the window's side of opening can be
// measured with more graphs than a document holds.
inline void LoadPointGraphs(DocumentHost& host, Workspace& workspace, Long n) {
  SceneBatch batch(host);
  host.DeleteAllGraphs();
  for (Long id = 1; id <= n; ++id) {
    const std::shared_ptr<Graph> graph = MakePointGraph(id);
    workspace.allGraphs.Items.Add(graph, CStr(id));
    host.AddListEntry(ListCaption(*graph, workspace.settings.ViewCode));
  }
  workspace.settings.NextGraphID = n;
  host.SetFitPending(true);
  for (Long entry = 0; entry < n; ++entry) host.CheckListEntry(static_cast<std::size_t>(entry));
}

}  // namespace qv::bench
