#include "scripted_document_host.h"

namespace qv::test {

void ScriptedDocumentHost::DeleteAllGraphs() {
  ++deleteAlls;
  workspace_.ShownGraphs.Items.Clear();
  workspace_.AllGraphs.Items.Clear();
  list.clear();
}

void ScriptedDocumentHost::CheckListEntry(std::size_t index) {
  if (index >= list.size() || list[index].checked) return;
  list[index].checked = true;
  const auto& graph = workspace_.AllGraphs.Items.Item(static_cast<Long>(index) + 1);
  workspace_.ShownGraphs.Items.Add(graph, CStr(graph->ID()));
  if (fitPending) {
    ++fits;
    fitPending = false;
  }
}

void ScriptedDocumentHost::AddGraph(std::shared_ptr<Cls9> graph, bool shown) {
  const std::string key = CStr(graph->ID());
  workspace_.AllGraphs.Items.Add(graph, key);
  list.push_back({"Graph " + key, false});
  if (shown) CheckListEntry(list.size() - 1);
}

}  // namespace qv::test
