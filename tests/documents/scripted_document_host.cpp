#include "scripted_document_host.h"

namespace qv::test {

void ScriptedDocumentHost::DeleteAllGraphs() {
  ++deleteAlls;
  workspace_.shownGraphs.Items.Clear();
  workspace_.allGraphs.Items.Clear();
  list.clear();
}

void ScriptedDocumentHost::CheckListEntry(std::size_t index) {
  if (index >= list.size() || list[index].checked) return;
  list[index].checked = true;
  const auto& graph = workspace_.allGraphs.Items.Item(static_cast<Long>(index) + 1);
  workspace_.shownGraphs.Items.Add(graph, CStr(graph->ID()));
  if (fitPending) {
    ++fits;
    fitPending = false;
  }
}

void ScriptedDocumentHost::AddGraph(std::shared_ptr<Graph> graph, bool shown) {
  const std::string key = CStr(graph->ID());
  workspace_.allGraphs.Items.Add(graph, key);
  list.push_back({"Graph " + key, false});
  if (shown) CheckListEntry(list.size() - 1);
}

}  // namespace qv::test
