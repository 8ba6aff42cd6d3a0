// The one road by which the dialogs add a graph to the document.
#pragma once

#include <memory>

#include "dialogs/dialog_context.h"
#include "graphs/graph.h"

namespace qv {

// A new graph of kind with the defaults of a new graph, Show 3 (filled) and
// the steps of the data panel's node counts: StepU, StepV (and StepH for the
// volume kinds) are the counts of the data kind's row boxes minus 1, at
// least 0.
std::shared_ptr<Graph> NewGraphOfKind(Long kind, const DataPanel& panel);

// Gives graph the next ID (NextGraphID + 1, and past any ID in use, so that
// no key is ever taken twice) and stores it in NextGraphID, triangulates the
// data set's points when the kind needs the triangles, and adds the graph to
// AllGraphs and then ShownGraphs under the key CStr(ID).
void AddNewGraph(DialogContext& context, const std::shared_ptr<Graph>& graph);

}  // namespace qv
