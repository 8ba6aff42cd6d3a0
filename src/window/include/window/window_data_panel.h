// The data panel as the data set and the documents see it, over the window's
// panel and sheet: the kind list runs its change handler when the program
// selects a kind, and the sheet's data cells are SheetText.
#pragma once

#include <functional>

#include "data/data_panel.h"
#include "window/data_sheet.h"

namespace qv {

class WindowDataPanel final : public DataPanel {
 public:
  // onKindChange runs the kind list's change handler for a new selection.
  WindowDataPanel(DataPanelModel& panel, SheetModel& sheet, std::function<void(Long)> onKindChange)
      : panel_(panel), sheet_(sheet), onKindChange_(std::move(onKindChange)) {}

  Long KindIndex() const override { return panel_.kind; }
  // Selecting an index outside 0..7 changes nothing, as on the real list.
  void SetKindIndex(Long index) override;
  std::string Text(int box) const override;
  void SetText(int box, const std::string& text) override;
  // Reads a data cell as the grid shows it ("" outside the sheet's rows).
  std::string Cell(Long row, Long column) const override;
  // Writes SheetText directly, as the readers of documents and text files do;
  // cells outside SheetText's data area are ignored.
  void SetCell(Long row, Long column, const std::string& text) override;

 private:
  DataPanelModel& panel_;
  SheetModel& sheet_;
  std::function<void(Long)> onKindChange_;
};

}  // namespace qv
