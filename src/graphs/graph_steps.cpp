#include "graphs/graph_steps.h"

#include <array>
#include <limits>

#include "graph_bounds.h"
#include "graphs/graph_kinds.h"
#include "surface_view.h"
#include "volume_view.h"

namespace qv {

namespace {

constexpr Long kEveryNode = std::numeric_limits<Long>::max();
constexpr std::array<const char*, 3> kAxes = {"first", "second", "third"};
constexpr std::array<const char*, 3> kSteps = {"StepU", "StepV", "StepH"};

// The first step outside 0..last[axis] of its axis, as the message says it.
template <std::size_t N>
std::optional<std::string> FirstOutside(const std::array<Long, N>& steps,
                                        const std::array<Long, N>& last) {
  for (std::size_t axis = 0; axis < N; ++axis) {
    if (steps[axis] >= 0 && steps[axis] <= last[axis]) continue;
    return std::string(kSteps[axis]) + " is " + CStr(steps[axis]) +
           ", but the data set's grid has " + CStr(static_cast<long long>(last[axis]) + 1) +
           " nodes along its " + kAxes[axis] + " axis";
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> StepsOutsideData(const GraphOptions& graph, const DataSet& data) {
  const BoundRule rule = KindOf(graph.GraphType).bound;
  if (rule == BoundSurfaceNodes) {
    // The views clamp to the nodes the data set holds: asked for every node,
    // they give the last one there is.
    const SurfaceView all(data, kEveryNode, kEveryNode);
    return FirstOutside<2>({graph.StepU, graph.StepV}, {all.LastU(), all.LastV()});
  }
  if (rule == BoundVolumeNodes) {
    const VolumeView all(data, kEveryNode, kEveryNode, kEveryNode);
    return FirstOutside<3>({graph.StepU, graph.StepV, graph.StepH},
                           {all.LastU(), all.LastV(), all.LastH()});
  }
  return std::nullopt;
}

}  // namespace qv
