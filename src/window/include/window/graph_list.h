// The graph list: one entry per graph of the document, in the order of
// AllGraphs (entry i, from 0, is the graph at position i + 1), each with a
// caption and a check box that says whether the graph is shown.
#pragma once

#include <string>
#include <vector>

#include "platform/runtime.h"
#include "scene/scene_group.h"

namespace qv {

class GraphList {
 public:
  struct Entry {
    std::string caption;
    bool checked = false;
  };

  Long ListCount() const { return static_cast<Long>(entries_.size()); }
  const Entry& At(Long index) const { return entries_.at(static_cast<std::size_t>(index)); }

  // Counts the changes of the entries themselves (added, removed, cleared),
  // not of their check boxes: a view that showed this revision shows every
  // caption already.
  unsigned long Revision() const { return revision_; }

  // Appends an unchecked entry.
  void AddItem(const std::string& caption);
  // Removes entry index (from 0); later entries move up. The selection follows
  // its entry and becomes -1 when the selected entry goes. Out of range: nothing.
  void RemoveItem(Long index);
  void Clear();

  // Check state of entry index; out of range reads as unchecked, and is ignored on set.
  bool Selected(Long index) const;
  void SetSelected(Long index, bool checked);

  // The selected entry (from 0), or -1 for none.
  Long ListIndex() const { return listIndex_; }
  // Selects index; any value outside 0..ListCount-1 clears the selection.
  void SetListIndex(Long index);

 private:
  std::vector<Entry> entries_;
  Long listIndex_ = -1;
  unsigned long revision_ = 0;
};

// The first part of the list's check handler: brings shown in line with the
// check boxes, walking all in order. An unchecked entry removes its graph from
// shown (matched by ID); a checked entry whose graph is not in shown appends it
// under CStr(ID), so shown keeps the order in which graphs were last checked.
// Graphs without a list entry count as unchecked. Costs one pass over all and
// shown, plus the removals.
void SyncShownGraphs(const SceneGroup& all, SceneGroup& shown, const GraphList& list);

// The same for entry alone (the graph at position entry + 1 of all), when
// only its check box changed since shown was last in line: no walk of the
// other entries or of shown, whose members are looked for under CStr(ID),
// where the program puts them. An entry without a graph changes nothing.
void SyncShownGraph(const SceneGroup& all, SceneGroup& shown, const GraphList& list, Long entry);

}  // namespace qv
