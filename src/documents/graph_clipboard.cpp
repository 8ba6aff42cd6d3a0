#include "documents/graph_clipboard.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "data/data_panel.h"
#include "data/panel_layout.h"
#include "data_set_bridge.h"
#include "document_tokens.h"
#include "graphs/graph_kinds.h"
#include "graphs/graph_record.h"
#include "graphs/graph_steps.h"
#include "graphs/workspace.h"
#include "platform/message_text.h"
#include "platform/record_reader.h"

namespace qv {

namespace {

// The view codes a copy carries: 3D (and 6, which older copies of 3D graphs
// carry), 2D and 4D.
constexpr std::array<std::string_view, 4> kCopyCodes = {"3", "6", "7", "11"};

std::string_view ViewName(std::string_view code) {
  if (code == "7") return "2D";
  if (code == "11") return "4D";
  return "3D";
}

std::string_view ViewName(Long viewCode) {
  if (viewCode == kViewCode2D) return "2D";
  if (viewCode == kViewCode4D) return "4D";
  return "3D";
}

// Whether a document of viewCode shows a graph copied from one of code: a 3D
// document takes 3D graphs, a 2D one 2D graphs, a 4D one every graph.
bool Shows(Long viewCode, std::string_view code) {
  if (viewCode == kViewCode4D) return true;
  if (viewCode == kViewCode2D) return code == "7";
  return code == "3" || code == "6";
}

bool KnownKind(Long code) {
  const auto kinds = GraphKinds();
  return std::any_of(kinds.begin(), kinds.end(),
                     [code](const GraphKindRow& row) { return row.code == code; });
}

PastedGraph Refused(std::string reason) {
  PastedGraph pasted;
  pasted.reason = std::move(reason);
  return pasted;
}

// For volume data the steps are the panel's row counts minus 1, whatever
// the record held.
void VolumeSteps(const DataPanel& panel, Graph& graph) {
  const Long kind = panel.KindIndex();
  if (kind != kRegularVolume && kind != kIrregularVolume) return;
  const std::vector<int> boxes = LayoutOfKind(kind)->rowBoxes;
  const auto step = [&](std::size_t i) {
    return static_cast<Long>(
        std::max<long long>(static_cast<long long>(SaturateLong(Val(panel.Text(boxes[i])))) - 1,
                            std::numeric_limits<Long>::min()));
  };
  graph.StepU = step(0);
  graph.StepV = step(1);
  graph.StepH = step(2);
}

}  // namespace

std::string CopiedGraphText(const SceneItem& graph, const SharedSettings& settings) {
  return CStr(settings.ViewCode) + " " + graph.Save(settings, graph.RecordFormat());
}

PastedGraph ReadPastedGraph(std::string_view text, const Workspace& workspace,
                            const DataPanel& panel) {
  std::optional<std::vector<std::string>> tokens = SplitRecord(text, kMaxPasteTokens);
  if (!tokens) return Refused("it holds more than 20000 items");
  if (tokens->empty() ||
      std::find(kCopyCodes.begin(), kCopyCodes.end(), tokens->front()) == kCopyCodes.end())
    return Refused("it is not a graph copied by this program");
  const Long viewCode = workspace.settings.ViewCode;
  if (!Shows(viewCode, tokens->front())) {
    return Refused("the graph was copied from a " + std::string(ViewName(tokens->front())) +
                   " document, which a " + std::string(ViewName(viewCode)) +
                   " document cannot show");
  }
  for (const std::string& token : *tokens) {
    if (token.size() > kMaxTokenChars) return Refused("an item holds more than 1000 characters");
  }
  const std::size_t count = tokens->size();
  RecordReader reader(std::move(*tokens), 1);
  auto graph = std::make_shared<Graph>();
  SharedSettings settings = workspace.settings;
  const GraphRecordResult record = ReadWholeGraphRecord(reader, *graph, settings);
  if (!record.ok) return Refused(InnerSentence(record.message));
  if (reader.Position() < count) return Refused("the text goes on after the graph record");
  if (!KnownKind(graph->GraphType))
    return Refused("its kind of graph (" + CStr(graph->GraphType) + ") is unknown");
  if (settings.GridMethod < 1 || settings.GridMethod > 5 || settings.GridMethod4D < 101 ||
      settings.GridMethod4D > 103)
    return Refused("its gridding methods are unknown");
  VolumeSteps(panel, *graph);
  if (std::optional<std::string> steps = StepsOutsideData(*graph, workspace.dataSet))
    return Refused("its " + *steps);
  PastedGraph pasted;
  pasted.graph = std::move(graph);
  pasted.gridMethod = settings.GridMethod;
  pasted.gridMethod4D = settings.GridMethod4D;
  return pasted;
}

void PrepareDataForGraph(const Graph& graph, DataSet& data, MessageBoxService& messages,
                         LongWorkRunner* work) {
  if (KindOf(graph.GraphType).needsTriangles && data.DelaunayTriCount() == 0)
    data.TriangulateIrregularPoints(messages, work);
}

}  // namespace qv
