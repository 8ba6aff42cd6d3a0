// The main window's data panel as the data set sees it: the data-kind list, the
// ten boxes of counts and bounds, and the sheet's cells. The window implements
// it over its controls; tests and the documents use MemoryDataPanel.
#pragma once

#include <string>

#include "platform/runtime.h"

namespace qv {

// Data kinds by list index (the selected entry of the data-kind list).
enum DataKind : Long {
  kRegularSurface = 0,
  kIrregularSurface = 1,
  kRegularVolume = 2,
  kIrregularVolume = 3,
  kRegularCylindrical = 4,
  kIrregularCylindrical = 5,
  kRegularSpherical = 6,
  kIrregularSpherical = 7,
};

// The sheet holds at most this many data rows (rows 1..kMaxSheetRows).
inline constexpr Long kMaxSheetRows = 20000;
// Data columns of the sheet are 1..kSheetDataColumns.
inline constexpr Long kSheetDataColumns = 4;

class DataPanel {
 public:
  virtual ~DataPanel() = default;

  // Selected index of the data-kind list, 0..7, or -1 when nothing is selected.
  virtual Long KindIndex() const = 0;
  // Selects a data kind (the window runs its change handler).
  virtual void SetKindIndex(Long index) = 0;

  // Text of box Text<box>, box 1..10 (Windows-1252). Other numbers give "".
  virtual std::string Text(int box) const = 0;
  // Replaces the text of box Text<box>; other numbers are ignored.
  virtual void SetText(int box, const std::string& text) = 0;

  // Text of the sheet cell (row, column), rows 1..kMaxSheetRows and columns
  // 1..kSheetDataColumns; any other cell reads as "".
  virtual std::string Cell(Long row, Long column) const = 0;
  // Replaces a cell's text; cells outside the data area are ignored.
  virtual void SetCell(Long row, Long column, const std::string& text) = 0;
};

}  // namespace qv
