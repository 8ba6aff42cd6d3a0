// The data sheet's pop-up commands on a block of cells: cut, copy, paste
// (tab-separated text, one line a row), delete, and inserting and deleting
// rows and columns. They work on the sheet's texts (SheetText) and never
// reach past its data cells: rows 1 .. the sheet's last (at most 20000),
// columns 1 .. 4.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/runtime.h"
#include "window/data_sheet.h"

namespace qv {

// A block of cells, rows and columns counted as the sheet counts them (the
// header row and the index column are 0).
struct SheetBlock {
  Long top = 1;
  Long left = 1;
  Long bottom = 1;
  Long right = 1;
};

// What a command did: whether it changed the sheet, and why it refused.
struct SheetEdit {
  bool changed = false;
  std::string message;  // "" unless refused
};

// The texts of a sheet's pop-up.
inline constexpr const char* kPasteTooLargeMessage =
    "The cells on the clipboard do not fit into the data sheet here.";
inline constexpr const char* kNoRoomForColumnsMessage =
    "There is no room for another column: the last column holds data.";
inline constexpr const char* kCellTooLongMessage =
    "A cell on the clipboard holds more than 1000 characters.";

// The part of block that lies in the sheet's data cells, or nullopt when
// none does (only the header row or the index column, or an empty sheet).
std::optional<SheetBlock> DataPart(const SheetModel& sheet, SheetBlock block);

// The block's texts: cells separated by tabs, each row ended by a line end.
std::string CopyCells(const SheetModel& sheet, SheetBlock block);
// Empties the block's cells.
SheetEdit ClearCells(SheetModel& sheet, SheetBlock block);
// Writes text (Windows-1252: lines of tab-separated cells, lines ending with
// CR LF, LF or CR) into the cells from the block's top-left cell on. Refused,
// changing nothing, when its rows or cells reach past the sheet's data
// cells or a cell is longer than 1000 characters.
SheetEdit PasteCells(SheetModel& sheet, SheetBlock at, std::string_view text);
// Inserts as many empty rows as the block has, above its top row: the rows
// below move down and the sheet grows by that many rows. Refused when the
// sheet would pass 20000 data rows.
SheetEdit InsertRows(SheetModel& sheet, SheetBlock block);
// Deletes the block's rows: the rows below move up and the sheet shrinks.
SheetEdit DeleteRows(SheetModel& sheet, SheetBlock block);
// Inserts as many empty columns as the block has, left of its left column:
// the columns right of it move right. The sheet keeps its four data
// columns, so this is refused when a cell of the columns that would move
// out holds text.
SheetEdit InsertColumns(SheetModel& sheet, SheetBlock block);
// Deletes the block's columns: the columns right of them move left and the
// last columns come in empty.
SheetEdit DeleteColumns(SheetModel& sheet, SheetBlock block);

}  // namespace qv
