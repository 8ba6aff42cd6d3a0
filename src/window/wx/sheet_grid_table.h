// The data sheet's cells for a wxGrid. The grid's column labels are the
// sheet's header row and its row labels the index column; every other cell is
// read from and written to SheetText through the sheet's virtual-cell
// handlers, converted between Windows-1252 and UTF-8.
#pragma once

#include <wx/grid.h>

#include "window/data_sheet.h"

namespace qv {

class SheetGridTable final : public wxGridTableBase {
 public:
  // sheet must outlive the table.
  explicit SheetGridTable(SheetModel& sheet) : sheet_(sheet) {}

  // Grid cell (row, col) is sheet cell (row + 1, col + 1).
  int GetNumberRows() override;
  int GetNumberCols() override;
  wxString GetValue(int row, int col) override;
  // Stores the text through the cell-edited handler; a text that
  // Windows-1252 cannot hold is not stored (the grid refuses it earlier).
  void SetValue(int row, int col, const wxString& value) override;
  wxString GetRowLabelValue(int row) override;
  wxString GetColLabelValue(int col) override;
  wxString GetCornerLabelValue() const override;

  // Tells grid about a change of the sheet's row or column count and
  // repaints it; grid must show this table.
  void Sync(wxGrid& grid);

 private:
  SheetModel& sheet_;
};

}  // namespace qv
