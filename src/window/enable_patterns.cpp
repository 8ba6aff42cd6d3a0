#include "enable_patterns.h"

#include <algorithm>
#include <array>
#include <vector>

#include "graphs/graph_kinds.h"

namespace qv {

namespace {

using M = MenuItem;

// The row of a command that makes a graph of kind: on in the view kinds the
// kind belongs to.
EnableRow KindCommand(std::optional<MenuItem> item, int button, Long kind) {
  const unsigned views = KindOf(kind).views;
  return {item, button, (views & kIn2D) != 0, (views & kIn3D) != 0, (views & kIn4D) != 0};
}

const std::array<EnableRow, 25>& Table() {
  static const std::array<EnableRow, 25> table = {{
      {M::mnuViewRotateX, 42, false, true, true},
      {M::mnuViewRotateY, 43, false, true, true},
      {M::mnuViewRotateZ, 44, false, true, true},
      {M::mnuViewRotate, 45, false, true, true},
      {M::mnuViewFront, 47, false, true, true},
      {M::mnuViewRight, 48, false, true, true},
      {M::mnuViewTop, 49, false, true, true},
      {M::mnuViewISO, 50, false, true, true},
      KindCommand(M::mnuDrawVert, 22, kVertexModel),
      KindCommand(M::mnuDrawGrid, 23, kGridModel),
      KindCommand(M::mnuDrawTab3D, 24, kSurfaceModel),
      // The Delaunay button; its menu item follows the data kind.
      KindCommand(std::nullopt, 25, kDelaunayGraph),
      KindCommand(M::mnuDrawCon3D, 30, kContour3DPlot),
      KindCommand(M::mnuDrawColor, 27, kColorMapGraph),
      KindCommand(M::mnuDrawCon, 28, kContourPlot),
      KindCommand(M::mnuDrawVector, 29, kVectorPlot),
      KindCommand(M::mnuDraw4DScat, 32, kScatter4D),
      KindCommand(M::mnuDraw4DVec, 33, kVector4D),
      KindCommand(M::mnuDraw4DSlice, 34, kSlice4D),
      KindCommand(M::mnuDrawIsoSur, 0, kIsoSurface4D),
      {M::mnuDrawLight, 37, false, true, true},
      {std::nullopt, 36, true, true, true},  // axis properties
      {std::nullopt, 39, true, true, true},  // move
      {std::nullopt, 40, true, true, true},  // zoom
      {std::nullopt, 41, true, true, true},  // zoom to fit
  }};
  return table;
}

enum class Kind { k2D, k3D, k4D };

bool On(const EnableRow& row, Kind kind) {
  switch (kind) {
    case Kind::k2D: return row.on2D;
    case Kind::k3D: return row.on3D;
    case Kind::k4D: return row.on4D;
  }
  return false;
}

void Apply(Kind kind, CommandStates& states) {
  for (const EnableRow& row : Table()) {
    if (row.item) states.SetMenuEnabled(*row.item, On(row, kind));
  }
  std::vector<std::pair<int, bool>> buttons;
  for (const EnableRow& row : Table()) {
    if (row.button != 0) buttons.emplace_back(row.button, On(row, kind));
  }
  std::sort(buttons.begin(), buttons.end());
  for (const auto& [button, on] : buttons) states.SetButtonEnabled(button, on);
}

}  // namespace

std::span<const EnableRow> EnableTable() { return Table(); }

std::span<const CommandRef> DataChangingCommands() {
  // New, Open and Import replace the data; the Edit, Draw and sheet commands
  // add, remove or change graphs, read the sheet or write it.
  static const std::array<CommandRef, 35> commands = {{
      {M::mnuFileNew2D, 2},   {M::mnuFileNew3D, 3},     {M::mnuFileNew4D, 4},
      {M::mnuFileOpen, 6},    {M::mnuFileImport, 0},    {M::mnuEditCut, 12},
      {M::mnuEditPaste, 15},  {M::mnuEditDelete, 16},   {M::mnuEditDelAll, 0},
      {M::mnuDrawPoint, 20},  {M::mnuDrawVert, 22},     {M::mnuDrawGrid, 23},
      {M::mnuDrawTab3D, 24},  {M::mnuDrawDelaunay, 25}, {M::mnuDrawColor, 27},
      {M::mnuDrawCon, 28},    {M::mnuDrawVector, 29},   {M::mnuDrawCon3D, 30},
      {M::mnuDraw4DScat, 32}, {M::mnuDraw4DVec, 33},    {M::mnuDraw4DSlice, 34},
      {M::mnuDrawIsoSur, 0},  {M::mnuDrawAxis, 36},     {M::mnuDrawLight, 37},
      {M::mnuFunCut, 0},      {M::mnuFunDelete, 0},     {M::mnuGESet, 0},
      {M::mnuGECutIt, 0},     {M::mnuGEPaste, 0},       {M::mnuGEDelete, 0},
      {M::mnuGEInsertRow, 0}, {M::mnuGEInsertCol, 0},   {M::mnuGEDelRow, 0},
      {M::mnuGEDelCol, 0},    {M::mnuViewSet, 0},
  }};
  return commands;
}

std::vector<bool> DisableDataCommands(CommandStates& states) {
  std::vector<bool> before;
  for (const CommandRef& command : DataChangingCommands()) {
    if (command.item) {
      before.push_back(states.MenuEnabled(*command.item));
      states.SetMenuEnabled(*command.item, false);
    }
    if (command.button != 0) {
      before.push_back(states.ButtonEnabled(command.button));
      states.SetButtonEnabled(command.button, false);
    }
  }
  return before;
}

void RestoreDataCommands(CommandStates& states, const std::vector<bool>& before) {
  std::size_t at = 0;
  for (const CommandRef& command : DataChangingCommands()) {
    if (command.item && at < before.size()) states.SetMenuEnabled(*command.item, before[at++]);
    if (command.button != 0 && at < before.size())
      states.SetButtonEnabled(command.button, before[at++]);
  }
}

void EnableMenus2D(CommandStates& states) { Apply(Kind::k2D, states); }
void EnableMenus3D(CommandStates& states) { Apply(Kind::k3D, states); }
void EnableMenus4D(CommandStates& states) { Apply(Kind::k4D, states); }

bool EnableMenusForViewCode(Long viewCode, CommandStates& states) {
  switch (viewCode) {
    case kViewCode2D: EnableMenus2D(states); return true;
    case kViewCode3D: EnableMenus3D(states); return true;
    case kViewCode4D: EnableMenus4D(states); return true;
    default: return false;
  }
}

}  // namespace qv
