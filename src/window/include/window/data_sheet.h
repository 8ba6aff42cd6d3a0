// The data panel (data kind, counts and bounds) and the data sheet beside the
// graph list: their state as plain values, and the handlers of the kind list,
// the OK button and the sheet's virtual cells. The widget layer shows this
// state and reports the user's edits back; the data set reads it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/runtime.h"
#include "window/command_states.h"
#include "window/sheet_text.h"

namespace qv {

// The eight data kinds, in the order of the kind list.
inline constexpr int kDataKindCount = 8;
// The kind list's item of kind 0..7 ("Regular Surface (Cartesian)", ...).
const std::string& DataKindCaption(int kind);

// One gridding method of the data panel's method list: its code (the
// document's GridMethod 1..5 or GridMethod4D 101..103) and caption.
struct GridMethodEntry {
  Long method;
  const char* caption;
};

// The gridding methods the data panel offers for data kind 0..7, in list
// order: the surfaces' five for the irregular surfaces, the volumes' three
// for the irregular volume, none for the regular kinds (nothing to grid).
const std::vector<GridMethodEntry>& GridMethodsOfKind(int kind);

// One caption or input box of the panel.
struct PanelControl {
  std::string text;  // a box's text or a caption
  bool visible = true;
  bool enabled = true;
};

// The panel's controls by their names: Text1..Text10 and Label1..Label11
// (index 0 of each array is unused), and the kind list's selection.
struct DataPanelModel {
  DataPanelModel();

  // Combo1's selected index, -1 when nothing is selected.
  int kind = -1;
  std::array<PanelControl, 11> texts;   // texts[1] is Text1
  std::array<PanelControl, 12> labels;  // labels[1] is Label1
  // The box texts that last sized the sheet (start-up, an accepted OK, a
  // document or data file read in): a refused OK puts its counts back.
  std::array<std::string, 11> accepted;
};

// The box texts become the accepted ones.
void AcceptPanel(DataPanelModel& panel);

// The boxes as start-up leaves them for kind 0: Rows X and Rows Y "10", the
// counts of the 100 data rows that PrepareSheet gives the sheet (the other
// boxes get their design texts), all accepted.
void PrepareStartPanel(DataPanelModel& panel);

// The sheet's own cells (header row and index column), its sizes and the
// texts behind its data cells.
class SheetModel {
 public:
  // Most rows the control takes (header row included).
  static constexpr Long kMaxControlRows = 65536;

  explicit SheetModel(SheetText& text) : text_(text) {}

  Long Rows() const { return rows_; }
  Long Cols() const { return cols_; }
  // Sets the row count (1..kMaxControlRows, clamped); the control keeps the
  // header and index texts of the rows that remain. SheetText is untouched.
  void SetRows(Long rows);
  // Sets the column count (1..SheetText::kMaxColumn + 1, clamped).
  void SetCols(Long cols);

  // Cell text as the grid shows it: the control's own text for row 0 and
  // column 0, SheetText for the others ("" outside either).
  std::string CellText(Long row, Long col) const;
  // Writes a cell as a program would: row 0 and column 0 into the control,
  // other cells into SheetText. Cells outside the sheet or SheetText are ignored.
  void SetCellText(Long row, Long col, const std::string& text);

  // The virtual-cell events. GetCell: for row > 0 and col > 0 returns the
  // text of SheetText (flag true); otherwise nothing (nullopt). CellEdited:
  // for row > 0 and col > 0 stores the text and returns true; header and
  // index cells are not stored.
  std::optional<std::string> GetCell(Long row, Long col) const;
  bool CellEdited(Long row, Long col, const std::string& text);

  // Display measures.
  int columnWidthPx[6] = {53, 64, 64, 64, 64, 64};
  int rowHeight = 20;
  double controlWidthTwips = 5000.0;

  SheetText& Text() { return text_; }
  const SheetText& Text() const { return text_; }

 private:
  SheetText& text_;
  Long rows_ = 1;
  Long cols_ = 5;
  std::vector<std::string> header_ = std::vector<std::string>(6);
  std::vector<std::string> index_ = std::vector<std::string>(1);
};

// Prepares the sheet as start-up does: 101 rows, 5 columns, the widths of
// column 0 (800 twips) and of columns 1..4 (960 twips) in whole pixels, row
// height 20, and the headers "Index", "X", "Y", "Z" and "Color" ("V" for
// the volume kinds 2 and 3).
void PrepareSheet(SheetModel& sheet, int kind, double twipsPerPixel);

// The change of data kind (the kind list's change handler): the document
// commands the kind allows, the panel's fields and captions, and the sheet
// headers ("Color" over a surface's fourth column, "V" over a volume's), in
// that order. A kind other than the selected one also gives every box the
// new kind's own text, accepted: the design texts (Points 10, bounds 0 and
// 10, 11 rows), with 10 for each node count of a regular kind. Neither the
// sheet's size nor its cells change. A kind outside 0..7 changes nothing.
void OnDataKindChosen(int kind, DataPanelModel& panel, SheetModel& sheet, CommandStates& commands);

// The outcome of the OK button.
struct SheetSizeResult {
  bool resized = false;
  // Set when the counts were refused; the sheet is then unchanged.
  std::string message;
};

// The OK button: reads the counts of the panel's kind, sizes the sheet (data
// rows + the header row) and writes the index column (0-based indices joined
// by commas, last index fastest); no other cell changes; the boxes are then
// accepted. A count that reads below 0 counts as 0. Counts whose sheet would
// exceed SheetText's 20000 data rows are refused with a message: the sheet
// is unchanged and the count boxes get their accepted texts back, so that the
// refused counts never reach a document.
SheetSizeResult OnDataPanelOk(DataPanelModel& panel, SheetModel& sheet);

// Writes the index column of every data row of the sheet: the node indices
// of the panel's regular kind when its counts give exactly the sheet's rows,
// otherwise the row numbers from 0 (points, or a sheet sized elsewhere).
void WriteIndexColumn(const DataPanelModel& panel, SheetModel& sheet);

// The text of the refusal above.
inline constexpr const char* kSheetTooLargeMessage =
    "The data sheet could not be enlarged: it holds at most 20000 rows of data.";

// Whether the sheet's right-button pop-up opens at (x, y), in pixels of the
// control: only over the data cells, right of column 0 and below row 0.
bool SheetPopupAllowed(double x, double y, double column0Width, double row0Height);

}  // namespace qv
