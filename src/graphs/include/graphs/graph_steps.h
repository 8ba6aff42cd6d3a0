// Whether a graph's steps (the last node it reads along each grid axis) lie
// within the nodes of a data set, for the kinds that read the data set's
// regular grid. A graph that comes from elsewhere (the clipboard) is checked
// with it before it joins the document.
#pragma once

#include <optional>
#include <string>

#include "data/data_set.h"
#include "graphs/graph_options.h"

namespace qv {

// Why graph's steps do not fit data ("StepU is 20, but the data set's grid
// has 11 nodes along its first axis"), or nullopt when they fit or its kind
// reads no grid (points, Delaunay triangles, the stored line kinds). A kind
// bounded by the regular surface reads StepU and StepV, one bounded by the
// regular volume also StepH; each must lie in 0..nodes - 1.
std::optional<std::string> StepsOutsideData(const GraphOptions& graph, const DataSet& data);

}  // namespace qv
