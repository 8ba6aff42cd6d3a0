#include "window/sheet_commands.h"

#include <algorithm>
#include <vector>

#include "data/data_panel.h"

namespace qv {

namespace {

constexpr std::size_t kMaxCellChars = 1000;

// The last data row and column the sheet shows.
Long LastRow(const SheetModel& sheet) { return std::min(sheet.Rows() - 1, SheetText::kMaxRow); }
Long LastColumn(const SheetModel& sheet) {
  return std::min<Long>(sheet.Cols() - 1, static_cast<Long>(kSheetDataColumns));
}

std::string& Cell(SheetModel& sheet, Long row, Long column) { return sheet.Text()(row, column); }

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::string current;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
      lines.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  // A text that ends with a line end has no further (empty) row.
  if (!current.empty()) lines.push_back(std::move(current));
  return lines;
}

std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    cells.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return cells;
    start = tab + 1;
  }
}

}  // namespace

std::optional<SheetBlock> DataPart(const SheetModel& sheet, SheetBlock block) {
  if (block.top > block.bottom) std::swap(block.top, block.bottom);
  if (block.left > block.right) std::swap(block.left, block.right);
  block.top = std::max<Long>(block.top, 1);
  block.left = std::max<Long>(block.left, 1);
  block.bottom = std::min(block.bottom, LastRow(sheet));
  block.right = std::min(block.right, LastColumn(sheet));
  if (block.top > block.bottom || block.left > block.right) return std::nullopt;
  return block;
}

std::string CopyCells(const SheetModel& sheet, SheetBlock block) {
  const std::optional<SheetBlock> part = DataPart(sheet, block);
  if (!part) return "";
  std::string text;
  for (Long row = part->top; row <= part->bottom; ++row) {
    for (Long column = part->left; column <= part->right; ++column) {
      if (column > part->left) text += '\t';
      text += sheet.Text()(row, column);
    }
    text += '\n';
  }
  return text;
}

SheetEdit ClearCells(SheetModel& sheet, SheetBlock block) {
  const std::optional<SheetBlock> part = DataPart(sheet, block);
  if (!part) return {};
  for (Long row = part->top; row <= part->bottom; ++row) {
    for (Long column = part->left; column <= part->right; ++column)
      Cell(sheet, row, column).clear();
  }
  return {true, ""};
}

SheetEdit PasteCells(SheetModel& sheet, SheetBlock at, std::string_view text) {
  const std::optional<SheetBlock> start = DataPart(sheet, at);
  if (!start) return {};
  std::vector<std::vector<std::string>> rows;
  for (const std::string& line : Lines(text)) rows.push_back(Cells(line));
  if (rows.empty()) return {};
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const long long row = start->top + static_cast<long long>(r);
    const long long lastColumn = start->left + static_cast<long long>(rows[r].size()) - 1;
    if (row > LastRow(sheet) || lastColumn > LastColumn(sheet))
      return {false, kPasteTooLargeMessage};
    for (const std::string& cell : rows[r]) {
      if (cell.size() > kMaxCellChars) return {false, kCellTooLongMessage};
    }
  }
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      Cell(sheet, start->top + static_cast<Long>(r), start->left + static_cast<Long>(c)) =
          rows[r][c];
    }
  }
  return {true, ""};
}

SheetEdit InsertRows(SheetModel& sheet, SheetBlock block) {
  const std::optional<SheetBlock> part = DataPart(sheet, block);
  if (!part) return {};
  const Long count = part->bottom - part->top + 1;
  const Long last = LastRow(sheet);
  if (static_cast<long long>(last) + count > SheetText::kMaxRow)
    return {false, kSheetTooLargeMessage};
  for (Long row = last; row >= part->top; --row) {
    for (Long column = 1; column <= kSheetDataColumns; ++column)
      Cell(sheet, row + count, column) = std::move(Cell(sheet, row, column));
  }
  for (Long row = part->top; row < part->top + count; ++row) {
    for (Long column = 1; column <= kSheetDataColumns; ++column) Cell(sheet, row, column).clear();
  }
  sheet.SetRows(last + count + 1);
  return {true, ""};
}

SheetEdit DeleteRows(SheetModel& sheet, SheetBlock block) {
  const std::optional<SheetBlock> part = DataPart(sheet, block);
  if (!part) return {};
  const Long count = part->bottom - part->top + 1;
  const Long last = LastRow(sheet);
  for (Long row = part->top; row <= last; ++row) {
    for (Long column = 1; column <= kSheetDataColumns; ++column) {
      // The rows that leave at the end come back empty should the sheet
      // grow again.
      Cell(sheet, row, column) =
          row + count <= last ? std::move(Cell(sheet, row + count, column)) : std::string();
    }
  }
  sheet.SetRows(last - count + 1);
  return {true, ""};
}

SheetEdit InsertColumns(SheetModel& sheet, SheetBlock block) {
  const std::optional<SheetBlock> part = DataPart(sheet, block);
  if (!part) return {};
  const Long count = part->right - part->left + 1;
  const Long lastColumn = LastColumn(sheet);
  const Long lastRow = LastRow(sheet);
  for (Long row = 1; row <= lastRow; ++row) {
    for (Long column = lastColumn - count + 1; column <= lastColumn; ++column) {
      if (!sheet.Text()(row, column).empty()) return {false, kNoRoomForColumnsMessage};
    }
  }
  for (Long row = 1; row <= lastRow; ++row) {
    for (Long column = lastColumn; column >= part->left + count; --column)
      Cell(sheet, row, column) = std::move(Cell(sheet, row, column - count));
    for (Long column = part->left; column < part->left + count; ++column)
      Cell(sheet, row, column).clear();
  }
  return {true, ""};
}

SheetEdit DeleteColumns(SheetModel& sheet, SheetBlock block) {
  const std::optional<SheetBlock> part = DataPart(sheet, block);
  if (!part) return {};
  const Long count = part->right - part->left + 1;
  const Long lastColumn = LastColumn(sheet);
  for (Long row = 1; row <= LastRow(sheet); ++row) {
    for (Long column = part->left; column <= lastColumn; ++column) {
      Cell(sheet, row, column) = column + count <= lastColumn
                                     ? std::move(Cell(sheet, row, column + count))
                                     : std::string();
    }
  }
  return {true, ""};
}

}  // namespace qv
