#include "dialogs/graph_dialog.h"

#include <cctype>

#include "graph_creation.h"

namespace qv {

std::string StoredMapName(int index) {
  const char* name = index >= 0 && index < static_cast<int>(kMapListNames.size())
                         ? kMapListNames[static_cast<std::size_t>(index)]
                         : kMapListNames[0];
  std::string stored(name);
  for (char& c : stored) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return stored;
}

void SetMap(Graph& graph, int map) {
  graph.ColorName = StoredMapName(map);
  graph.SetColorMap(graph.ColorName);
}

bool GraphDialogModel::Ok() {
  created_.reset();
  std::shared_ptr<Graph> graph = NewGraphOfKind(Kind(), context_.panel);
  if (!Fill(*graph)) return false;
  AddNewGraph(context_, graph);
  created_ = graph;
  return true;
}

}  // namespace qv
