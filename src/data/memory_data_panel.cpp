#include "data/memory_data_panel.h"

namespace qv {

MemoryDataPanel::MemoryDataPanel()
    : boxes_{"0", "10", "10", "11", "0", "10", "11", "0", "10", "11"} {}

std::string MemoryDataPanel::Text(int box) const {
  if (box < 1 || box > 10) return "";
  return boxes_[static_cast<std::size_t>(box - 1)];
}

void MemoryDataPanel::SetText(int box, const std::string& text) {
  if (box < 1 || box > 10) return;
  boxes_[static_cast<std::size_t>(box - 1)] = text;
}

bool MemoryDataPanel::InSheet(Long row, Long column) {
  return row >= 1 && row <= kMaxSheetRows && column >= 1 && column <= kSheetDataColumns;
}

std::string MemoryDataPanel::Cell(Long row, Long column) const {
  if (!InSheet(row, column)) return "";
  const auto found = cells_.find(row * 8 + column);
  return found == cells_.end() ? std::string() : found->second;
}

void MemoryDataPanel::SetCell(Long row, Long column, const std::string& text) {
  if (!InSheet(row, column)) return;
  cells_[row * 8 + column] = text;
}

void MemoryDataPanel::SetRow(Long row, std::initializer_list<std::string> texts) {
  Long column = 1;
  for (const std::string& text : texts) SetCell(row, column++, text);
}

}  // namespace qv
