// What the Draw menu's commands need of the dialogs: the dialog of each
// graph kind, and the list entry and scene orientation a new graph gets.
#pragma once

#include <memory>
#include <string>

#include "dialogs/dialog_context.h"
#include "dialogs/graph_dialog.h"
#include "graphs/graph.h"

namespace qv {

// The property dialog of a graph kind the Draw menu offers (6, 13, 14, 15,
// 16, 18, 19, 24, 41, 42, 43, 44), freshly made with its defaults; nullptr
// for any other kind.
std::unique_ptr<GraphDialogModel> MakeGraphDialog(Long kind, DialogContext context);

// The list entry a Draw command appends for a new graph. These differ from
// the captions of a loaded document in their trailing blanks: two after the
// kind's name, one after "Vector Plot"; the 3D surface entry ends with the
// graph's NameS; a point shows the position as typed ("Point  x=1, y=2" in
// a 2D document, with ", z=3" in 3D and 4D documents).
std::string DrawListEntry(const Graph& graph, Long viewCode);

// The orientation (degrees) a Draw command gives the shown group for a new
// graph: roll 0, pitch 0, yaw 0 for the 2D kinds and for a point in a 2D
// document; roll 0, pitch -30, yaw 45 otherwise.
struct SceneOrientation {
  double roll = 0.0;
  double pitch = 0.0;
  double yaw = 0.0;
};
SceneOrientation DrawOrientation(Long kind, Long viewCode);

}  // namespace qv
