#include "window/graph_list.h"

#include <unordered_map>

namespace qv {

void GraphList::AddItem(const std::string& caption) {
  entries_.push_back({caption, false});
  ++revision_;
}

void GraphList::RemoveItem(Long index) {
  if (index < 0 || index >= ListCount()) return;
  entries_.erase(entries_.begin() + index);
  ++revision_;
  if (listIndex_ == index) {
    listIndex_ = -1;
  } else if (listIndex_ > index) {
    --listIndex_;
  }
}

void GraphList::Clear() {
  entries_.clear();
  listIndex_ = -1;
  ++revision_;
}

bool GraphList::Selected(Long index) const {
  if (index < 0 || index >= ListCount()) return false;
  return entries_[static_cast<std::size_t>(index)].checked;
}

void GraphList::SetSelected(Long index, bool checked) {
  if (index < 0 || index >= ListCount()) return;
  entries_[static_cast<std::size_t>(index)].checked = checked;
}

void GraphList::SetListIndex(Long index) {
  listIndex_ = (index >= 0 && index < ListCount()) ? index : -1;
}

namespace {

// Position of id's member of group when it sits under CStr(id), where the
// program puts every graph (IDs are unique), or 0. No walk.
Long FindByIdKey(const SceneGroup& group, Long id) {
  const Long keyed = group.Items.Find(CStr(id));
  return keyed != 0 && group.Items.Item(keyed)->ID() == id ? keyed : 0;
}

// Position of the first member of group whose ID is id, whatever its key, or 0.
Long FindById(const SceneGroup& group, Long id) {
  Long position = 0;
  for (const auto& [key, item] : group.Items) {
    ++position;
    if (item->ID() == id) return position;
  }
  return 0;
}

}  // namespace

void SyncShownGraphs(const SceneGroup& all, SceneGroup& shown, const GraphList& list) {
  // How many members of shown carry each ID, kept up to date below, so that
  // no graph needs a walk of shown to know whether it is there.
  std::unordered_map<Long, Long> members;
  members.reserve(static_cast<std::size_t>(shown.Items.Count()));
  for (const auto& [key, item] : shown.Items) ++members[item->ID()];
  Long entry = 0;
  for (const auto& [key, graph] : all.Items) {
    const bool checked = list.Selected(entry++);
    const Long id = graph->ID();
    const auto found = members.find(id);
    const bool member = found != members.end() && found->second > 0;
    if (!checked && member) {
      // Removed by position: the member found by ID, whatever key it sits under.
      shown.Items.Remove(FindById(shown, id));
      --found->second;
    } else if (checked && !member) {
      const std::string newKey = CStr(id);
      if (!shown.Items.Contains(newKey)) {
        shown.Items.Add(graph, newKey);
        ++members[id];
      }
    }
  }
}

void SyncShownGraph(const SceneGroup& all, SceneGroup& shown, const GraphList& list, Long entry) {
  if (entry < 0 || entry >= all.Items.Count()) return;
  const std::shared_ptr<SceneItem>& graph = all.Items.Item(entry + 1);
  const Long id = graph->ID();
  const Long position = FindByIdKey(shown, id);
  const bool checked = list.Selected(entry);
  if (!checked && position != 0) {
    shown.Items.Remove(position);
  } else if (checked && position == 0) {
    const std::string newKey = CStr(id);
    if (!shown.Items.Contains(newKey)) shown.Items.Add(graph, newKey);
  }
}

}  // namespace qv
