// The graph list's caption of a graph, by its kind and the view kind. The
// document reader, Paste and the Draw menu use the same table.
#pragma once

#include <optional>
#include <string>

#include "platform/runtime.h"

namespace qv {

class Graph;

// The caption of the table, or nullopt for a kind the table leaves out (a
// point in a 4D document, or a kind outside 6, 7, 13..16, 18, 19, 24, 41..44).
std::optional<std::string> TableCaption(const Graph& graph, Long viewCode);

// The caption a list entry gets: the table's, or for the kinds it leaves out
// one that keeps every graph listed (so the list stays in step with
// AllGraphs): a 4D point takes the 3D point caption, any other kind
// "Graph " and its kind number.
std::string ListCaption(const Graph& graph, Long viewCode);

}  // namespace qv
