#include "enable_patterns.h"

#include <algorithm>
#include <array>
#include <vector>

namespace qv {

namespace {

using M = MenuItem;

constexpr std::array<EnableRow, 25> kTable = {{
    {M::mnuViewRotateX, 42, false, true, true},
    {M::mnuViewRotateY, 43, false, true, true},
    {M::mnuViewRotateZ, 44, false, true, true},
    {M::mnuViewRotate, 45, false, true, true},
    {M::mnuViewFront, 47, false, true, true},
    {M::mnuViewRight, 48, false, true, true},
    {M::mnuViewTop, 49, false, true, true},
    {M::mnuViewISO, 50, false, true, true},
    {M::mnuDrawVert, 22, false, true, false},
    {M::mnuDrawGrid, 23, false, true, false},
    {M::mnuDrawTab3D, 24, false, true, false},
    {std::nullopt, 25, false, true, false},  // Delaunay button; its menu item follows the data kind
    {M::mnuDrawCon3D, 30, false, true, false},
    {M::mnuDrawColor, 27, true, false, false},
    {M::mnuDrawCon, 28, true, false, false},
    {M::mnuDrawVector, 29, true, false, false},
    {M::mnuDraw4DScat, 32, false, false, true},
    {M::mnuDraw4DVec, 33, false, false, true},
    {M::mnuDraw4DSlice, 34, false, false, true},
    {M::mnuDrawIsoSur, 0, false, false, true},
    {M::mnuDrawLight, 37, false, true, true},
    {std::nullopt, 36, true, true, true},  // axis properties
    {std::nullopt, 39, true, true, true},  // move
    {std::nullopt, 40, true, true, true},  // zoom
    {std::nullopt, 41, true, true, true},  // zoom to fit
}};

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
  for (const EnableRow& row : kTable) {
    if (row.item) states.SetMenuEnabled(*row.item, On(row, kind));
  }
  std::vector<std::pair<int, bool>> buttons;
  for (const EnableRow& row : kTable) {
    if (row.button != 0) buttons.emplace_back(row.button, On(row, kind));
  }
  std::sort(buttons.begin(), buttons.end());
  for (const auto& [button, on] : buttons) states.SetButtonEnabled(button, on);
}

}  // namespace

std::span<const EnableRow> EnableTable() { return kTable; }

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
