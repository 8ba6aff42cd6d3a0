#include "window/graph_list.h"

namespace qv {

void GraphList::AddItem(const std::string& caption) { entries_.push_back({caption, false}); }

void GraphList::RemoveItem(Long index) {
  if (index < 0 || index >= ListCount()) return;
  entries_.erase(entries_.begin() + index);
  if (listIndex_ == index) {
    listIndex_ = -1;
  } else if (listIndex_ > index) {
    --listIndex_;
  }
}

void GraphList::Clear() {
  entries_.clear();
  listIndex_ = -1;
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

// Position of the first member of group whose ID is id, or 0.
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
  Long entry = 0;
  for (const auto& [key, graph] : all.Items) {
    const bool checked = list.Selected(entry++);
    const Long id = graph->ID();
    const Long position = FindById(shown, id);
    if (!checked && position != 0) {
      // Removed by position: the member found by ID, whatever key it sits under.
      shown.Items.Remove(position);
    } else if (checked && position == 0) {
      const std::string newKey = CStr(id);
      if (!shown.Items.Contains(newKey)) shown.Items.Add(graph, newKey);
    }
  }
}

}  // namespace qv
