// The menus and toolbar buttons the main window shows, as tables: which
// command each item runs, its caption, and for a button its key, tooltip and
// status-bar hint. Commands that are not built yet have no row; a new command
// needs only its row here and its case in MainFrame::RunCommand.
#pragma once

#include <span>
#include <string_view>

#include "window/menu_item.h"

namespace qv {

// One row of a menu: an item, a separator (separator true, item unused) or
// a submenu (its rows in submenu; the item names it and runs nothing).
struct MenuRow {
  MenuItem item;
  std::string_view caption;
  bool separator = false;
  // The keyboard shortcut shown beside the caption ("Ctrl+C"), "" for none.
  std::string_view shortcut = "";
  std::span<const MenuRow> submenu = {};
};

// One menu of the menu bar.
struct MenuTable {
  std::string_view title;
  std::span<const MenuRow> rows;
};

// One toolbar button by its position (1..50); separators have no command.
struct ToolRow {
  int index;
  MenuItem item;
  std::string_view key;
  std::string_view tooltip;
  std::string_view hint;
  bool separator = false;
};

// The menu bar, menu by menu, in order.
std::span<const MenuTable> MenuBarTable();
// The toolbar, in ascending button index.
std::span<const ToolRow> ToolbarTable();
// The rows of the pop-up menus.
std::span<const MenuRow> GraphEditPopupTable();  // over the drawing area
std::span<const MenuRow> FunEditPopupTable();    // over the graph list
std::span<const MenuRow> SheetEditPopupTable();  // over the sheet's data cells

}  // namespace qv
