// What the property dialogs act on, and the messages they refuse entries
// with. A dialog model edits the shared state of the Workspace it is given;
// the wx dialogs only show a model and forward OK and Cancel to it.
#pragma once

#include <string>

#include "data/data_panel.h"
#include "graphs/workspace.h"
#include "platform/message_box.h"

namespace qv {

// Messages
// A refused number (title "Error", exclamation icon).
inline constexpr const char* kIllegalDataMessage = "Illegal data exist.";
// A missing entry (title "Note", exclamation icon).
inline constexpr const char* kInputAllParametersMessage = "Input all parameters please.";
// A refused size of the data sheet (title "Error", critical icon).
inline constexpr const char* kGridSizeMessage =
    "The number of rows or columns of the grid must be a value between 1 and 65536.";
// An Add on a full slice list (title "Note", exclamation icon).
inline constexpr const char* kSliceListFullMessage =
    "The slice could not be added: at most 50 slices can be added in each direction.";

// Shows kIllegalDataMessage under "Error" and returns false, for refusals.
bool RefuseEntry(MessageBoxService& messages);

// What a dialog that creates a graph needs: the shared state, the data panel
// (the data kind and the node counts a new graph takes its steps from) and
// the message boxes. All three must outlive the dialog's model.
struct DialogContext {
  Workspace& workspace;
  const DataPanel& panel;
  MessageBoxService& messages;
  // Runs the triangulation a new Delaunay graph needs (at once when null).
  LongWorkRunner* work = nullptr;
  // The data set's triangles were made from its points just before the
  // dialog opened, so a new Delaunay graph need not triangulate again.
  bool trianglesCurrent = false;
};

}  // namespace qv
