#include "sheet_grid_table.h"

#include <algorithm>

#include "platform/text_encoding.h"
#include "platform/wx/wx_text.h"

namespace qv {

int SheetGridTable::GetNumberRows() {
  return static_cast<int>(std::max<Long>(sheet_.Rows() - 1, 0));
}

int SheetGridTable::GetNumberCols() {
  return static_cast<int>(std::max<Long>(sheet_.Cols() - 1, 0));
}

wxString SheetGridTable::GetValue(int row, int col) {
  const std::optional<std::string> text = sheet_.GetCell(row + 1, col + 1);
  return text ? ToWx(*text) : wxString();
}

void SheetGridTable::SetValue(int row, int col, const wxString& value) {
  const std::optional<std::string> text = Utf8ToCp1252(value.utf8_string());
  if (text) sheet_.CellEdited(row + 1, col + 1, *text);
}

wxString SheetGridTable::GetRowLabelValue(int row) { return ToWx(sheet_.CellText(row + 1, 0)); }

wxString SheetGridTable::GetColLabelValue(int col) { return ToWx(sheet_.CellText(0, col + 1)); }

wxString SheetGridTable::GetCornerLabelValue() const { return ToWx(sheet_.CellText(0, 0)); }

void SheetGridTable::Sync(wxGrid& grid) {
  const int rows = GetNumberRows();
  const int shownRows = grid.GetNumberRows();
  if (rows > shownRows) {
    wxGridTableMessage message(this, wxGRIDTABLE_NOTIFY_ROWS_APPENDED, rows - shownRows);
    grid.ProcessTableMessage(message);
  } else if (rows < shownRows) {
    wxGridTableMessage message(this, wxGRIDTABLE_NOTIFY_ROWS_DELETED, rows, shownRows - rows);
    grid.ProcessTableMessage(message);
  }
  const int cols = GetNumberCols();
  const int shownCols = grid.GetNumberCols();
  if (cols > shownCols) {
    wxGridTableMessage message(this, wxGRIDTABLE_NOTIFY_COLS_APPENDED, cols - shownCols);
    grid.ProcessTableMessage(message);
  } else if (cols < shownCols) {
    wxGridTableMessage message(this, wxGRIDTABLE_NOTIFY_COLS_DELETED, cols, shownCols - cols);
    grid.ProcessTableMessage(message);
  }
  grid.ForceRefresh();
}

}  // namespace qv
