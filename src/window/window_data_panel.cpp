#include "window/window_data_panel.h"

namespace qv {

void WindowDataPanel::SetKindIndex(Long index) {
  if (index < 0 || index >= kDataKindCount) return;
  onKindChange_(index);
}

std::string WindowDataPanel::Text(int box) const {
  if (box < 1 || box > 10) return "";
  return panel_.texts[static_cast<std::size_t>(box)].text;
}

void WindowDataPanel::SetText(int box, const std::string& text) {
  if (box < 1 || box > 10) return;
  panel_.texts[static_cast<std::size_t>(box)].text = text;
}

std::string WindowDataPanel::Cell(Long row, Long column) const {
  if (row < 1 || row > kMaxSheetRows || column < 1 || column > kSheetDataColumns) return "";
  return sheet_.CellText(row, column);
}

void WindowDataPanel::SetCell(Long row, Long column, const std::string& text) {
  if (row < 1 || row > kMaxSheetRows || column < 1 || column > kSheetDataColumns) return;
  sheet_.Text()(row, column) = text;
}

}  // namespace qv
