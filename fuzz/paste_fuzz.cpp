// Any clipboard text pasted as a graph must neither crash nor give a graph
// the document cannot live with. The text is read into a 4D document, which
// takes the copies of every view kind, over an 11 x 11 surface and a
// 3 x 4 x 5 volume. Then:
// - a refused text says why;
// - a graph read is of a known kind, its slice and colour-point counts lie
//   inside their tables, its steps fit the data set, its gridding methods
//   are known, and copied again it reads back to the same copy.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/memory_data_panel.h"
#include "documents/graph_clipboard.h"
#include "graphs/graph_kinds.h"
#include "graphs/graph_steps.h"
#include "graphs/workspace.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "paste fuzz: %s\n", what);
  std::abort();
}

const qv::Workspace& Document() {
  static const qv::Workspace* workspace = [] {
    auto* ws = new qv::Workspace;
    ws->settings.ViewCode = qv::kViewCode4D;
    ws->dataSet.StepsX(11);
    ws->dataSet.StepsY(11);
    ws->dataSet.RedimRegular3D(11, 11);
    ws->dataSet.StepsZ(5);
    ws->dataSet.RedimRegular4D(11, 11, 5);
    return ws;
  }();
  return *workspace;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const qv::Workspace& ws = Document();
  static const qv::MemoryDataPanel panel;
  const qv::PastedGraph pasted = qv::ReadPastedGraph(text, ws, panel);
  if (!pasted.graph) {
    if (pasted.reason.empty()) Fail("a refusal without a reason");
    return 0;
  }
  const qv::Graph& g = *pasted.graph;
  bool known = false;
  for (const qv::GraphKindRow& row : qv::GraphKinds()) known |= row.code == g.GraphType;
  if (!known) Fail("a graph of an unknown kind");
  for (const qv::Long count : {g.Slice4NumX, g.Slice4NumY, g.Slice4NumZ}) {
    if (count < 0 || count > qv::kMaxSlices) Fail("a slice count outside its tables");
  }
  if (g.ColorNum < 0 || g.ColorNum > qv::kMaxColorPoints) Fail("a colour count outside its table");
  if (qv::StepsOutsideData(g, ws.dataSet)) Fail("steps outside the data set");
  if (pasted.gridMethod < 1 || pasted.gridMethod > 5 || pasted.gridMethod4D < 101 ||
      pasted.gridMethod4D > 103)
    Fail("an unknown gridding method");
  qv::SharedSettings settings = ws.settings;
  settings.GridMethod = pasted.gridMethod;
  settings.GridMethod4D = pasted.gridMethod4D;
  const std::string again = qv::CopiedGraphText(g, settings);
  const qv::PastedGraph back = qv::ReadPastedGraph(again, ws, panel);
  if (!back.graph) Fail("a pasted graph copied again is refused");
  if (qv::CopiedGraphText(*back.graph, settings) != again) Fail("a copy reads back changed");
  return 0;
}
