// The view kinds of a document and the menu items and toolbar buttons each
// kind enables. The routines only set enabled states: they neither change
// ViewCode nor draw.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "platform/runtime.h"
#include "platform/shared_settings.h"
#include "window/command_states.h"

namespace qv {

// One row of the enable table: a menu item and/or a toolbar button, and
// whether the 2D, 3D and 4D patterns enable it.
struct EnableRow {
  std::optional<MenuItem> item;
  int button;  // 0: no toolbar button
  bool on2D;
  bool on3D;
  bool on4D;
};

// The whole table, in its row order.
std::span<const EnableRow> EnableTable();

// Each sets every row of the table for its kind: the menu items first, then
// the toolbar buttons in ascending order. Items outside the table keep their state.
void EnableMenus2D(CommandStates& states);
void EnableMenus3D(CommandStates& states);
void EnableMenus4D(CommandStates& states);

// The routine of viewCode (7, 3 or 11); any other code changes nothing and
// returns false.
bool EnableMenusForViewCode(Long viewCode, CommandStates& states);

// A command that changes the data set or the graphs drawn from it: its menu
// item and/or its toolbar button (0: none).
struct CommandRef {
  std::optional<MenuItem> item;
  int button;
};
std::span<const CommandRef> DataChangingCommands();
// Turns the data-changing commands off while long work runs and returns the
// states they had, in table order (the item's, then the button's of each
// row), for RestoreDataCommands to put back once it has ended.
std::vector<bool> DisableDataCommands(CommandStates& states);
void RestoreDataCommands(CommandStates& states, const std::vector<bool>& before);

}  // namespace qv
