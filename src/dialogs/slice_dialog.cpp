#include "dialogs/slice_dialog.h"

#include <algorithm>
#include <cmath>

#include "entry_text.h"

namespace qv {

namespace {

// The graph's tables of one slice direction.
struct SliceTables {
  Long GraphOptions::*count;
  SliceDoubles GraphOptions::*position;
  SliceFlags GraphOptions::*showColor;
  SliceFlags GraphOptions::*showCont;
  SliceFlags GraphOptions::*showVect;
  SliceDoubles GraphOptions::*contLevels;
  SliceLongs GraphOptions::*contColor;
  SliceLongs GraphOptions::*vectColor;
  // Begin and end of the first range, then of the second.
  std::array<SliceLongs GraphOptions::*, 4> ranges;
};

using G = GraphOptions;

const std::array<SliceTables, 3> kTables = {{
    {&G::Slice4NumX,
     &G::Slice4X,
     &G::SliceXShowColor,
     &G::SliceXShowCont,
     &G::SliceXShowVect,
     &G::SliceXContLevels,
     &G::SliceXContColor,
     &G::SliceXVectColor,
     {&G::Slice4YZYB, &G::Slice4YZYE, &G::Slice4YZZB, &G::Slice4YZZE}},
    {&G::Slice4NumY,
     &G::Slice4Y,
     &G::SliceYShowColor,
     &G::SliceYShowCont,
     &G::SliceYShowVect,
     &G::SliceYContLevels,
     &G::SliceYContColor,
     &G::SliceYVectColor,
     {&G::Slice4ZXZB, &G::Slice4ZXZE, &G::Slice4ZXXB, &G::Slice4ZXXE}},
    {&G::Slice4NumZ,
     &G::Slice4Z,
     &G::SliceZShowColor,
     &G::SliceZShowCont,
     &G::SliceZShowVect,
     &G::SliceZContLevels,
     &G::SliceZContColor,
     &G::SliceZVectColor,
     {&G::Slice4XYXB, &G::Slice4XYXE, &G::Slice4XYYB, &G::Slice4XYYE}},
}};

// The node counts along data X, Y and Z of the graph.
std::array<Long, 3> NodeCounts(const Graph& graph) {
  return {graph.StepU + 1, graph.StepV + 1, graph.StepH + 1};
}

// The axes of the two ranges of each direction: x slices span Y then Z, y
// slices Z then X, z slices X then Y.
constexpr std::array<std::array<int, 2>, 3> kRangeAxes = {{{1, 2}, {2, 0}, {0, 1}}};

bool ValidDirection(int direction) { return direction >= 0 && direction < 3; }

// A range box: a whole number 1..nodes, blank taking the blank value.
std::optional<Long> RangeNode(const std::string& text, Long nodes, Long blank) {
  if (IsBlank(text)) return blank;
  const std::optional<double> value = ReadRealBox(text);
  if (!value || *value != std::floor(*value) || *value < 1.0 || *value > nodes) return std::nullopt;
  return static_cast<Long>(*value);
}

}  // namespace

std::string SliceEntry::Text() const {
  std::string text = position + " ";
  for (const std::string& range : ranges) text += range + " ";
  text += color ? "1 " : "0 ";
  text += contour ? "1 " + interval + " " + CStr(contourColor) + " " : "0 ";
  text += vector ? "1 " + CStr(vectorColor) : "0";
  return text;
}

SliceDialogModel::SliceDialogModel(DialogContext context) : GraphDialogModel(context) {}

bool SliceDialogModel::Add(int direction) {
  if (!ValidDirection(direction)) return false;
  SliceDirection& d = directions[static_cast<std::size_t>(direction)];
  if (static_cast<Long>(d.entries.size()) >= kMaxSlices) {
    Context().messages.Show(kSliceListFullMessage, "Note", MsgIcon::Exclamation, MsgButtons::OK);
    return false;
  }
  d.entries.push_back(SliceEntry{d.position, d.ranges, d.color, d.contour, d.interval,
                                 d.contourColor, d.vector, d.vectorColor});
  return true;
}

void SliceDialogModel::Remove(int direction) {
  if (!ValidDirection(direction)) return;
  SliceDirection& d = directions[static_cast<std::size_t>(direction)];
  if (d.selected < 0 || d.selected >= static_cast<int>(d.entries.size())) return;
  d.entries.erase(d.entries.begin() + d.selected);
  d.selected = -1;
}

void SliceDialogModel::Reset(int direction) {
  if (!ValidDirection(direction)) return;
  SliceDirection& d = directions[static_cast<std::size_t>(direction)];
  d.entries.clear();
  d.selected = -1;
  d.position.clear();
  d.color = true;
  d.contour = true;
  d.vector = false;
  d.interval = "30";
}

bool SliceDialogModel::Fill(Graph& graph) {
  graph.FillStyle = colormap ? 4 : 2;
  graph.FirstColor = first;
  graph.SecondColor = second;
  SetMap(graph, map);
  graph.ShowIrregData = showIrregular;
  graph.LineWidth = 1;
  for (int direction = 0; direction < 3; ++direction) {
    if (!FillDirection(graph, direction)) return Refuse();
  }
  return true;
}

bool SliceDialogModel::FillDirection(Graph& graph, int direction) {
  const SliceDirection& d = directions[static_cast<std::size_t>(direction)];
  const SliceTables& t = kTables[static_cast<std::size_t>(direction)];
  const std::array<Long, 3> nodes = NodeCounts(graph);
  const DataSet& data = Context().workspace.dataSet;
  const double automatic = AutoContourStep(data.MaxV() - data.MInv());
  const Long count = std::min<Long>(static_cast<Long>(d.entries.size()), kMaxSlices);
  for (Long i = 1; i <= count; ++i) {
    const SliceEntry& e = d.entries[static_cast<std::size_t>(i - 1)];
    const std::optional<double> position = ReadRealBox(e.position);
    if (!position) return false;
    std::array<Long, 4> range{};
    for (std::size_t k = 0; k < 4; ++k) {
      const Long axisNodes =
          nodes[static_cast<std::size_t>(kRangeAxes[static_cast<std::size_t>(direction)][k / 2])];
      const std::optional<Long> node =
          RangeNode(e.ranges[k], axisNodes, k % 2 == 0 ? 1 : axisNodes);
      if (!node) return false;
      range[k] = *node;
    }
    if (range[0] > range[1] || range[2] > range[3]) return false;
    double step = 0.0;
    if (e.contour) {
      const std::optional<double> read = ReadContourInterval(e.interval, automatic);
      if (!read) return false;
      step = *read;
    }
    (graph.*t.position)(i) = *position;
    (graph.*t.showColor)(i) = e.color;
    (graph.*t.showCont)(i) = e.contour;
    (graph.*t.contLevels)(i) = step;
    (graph.*t.contColor)(i) = e.contourColor;
    (graph.*t.showVect)(i) = e.vector;
    (graph.*t.vectColor)(i) = e.vectorColor;
    for (std::size_t k = 0; k < 4; ++k) (graph.*t.ranges[k])(i) = range[k];
  }
  graph.*t.count = count;
  return true;
}

}  // namespace qv
