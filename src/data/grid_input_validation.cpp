#include "data/grid_input_validation.h"

#include <array>

#include "data/number_text.h"
#include "data/panel_layout.h"

namespace qv {
namespace {

constexpr const char* kPointsMessage = "The number of points must larger than 3.";
constexpr const char* kIllegalMessage = "Illegal data exist.";
constexpr std::array<const char*, 3> kRowsMessages = {"The number of Rows X must larger than 0.",
                                                      "The number of Rows Y must larger than 0.",
                                                      "The number of Rows Z must larger than 0."};

// Cleans a count box and writes the cleaned text back. Returns the count as
// the data set loads it (rounded), or nullopt when the box does not hold a
// whole-number text.
std::optional<double> CleanCountBox(DataPanel& panel, int box) {
  std::string text = panel.Text(box);
  std::string cleaned;
  const bool ok = ParseIntText(text, cleaned);
  panel.SetText(box, cleaned);
  if (!ok) return std::nullopt;
  return CountValue(cleaned);
}

bool CleanBoundBox(DataPanel& panel, int box) {
  std::string text = panel.Text(box);
  std::string cleaned;
  const bool ok = ParseRealText(text, cleaned);
  panel.SetText(box, cleaned);
  return ok;
}

bool CellsAreNumbers(const DataPanel& panel, double rows) {
  if (rows > kMaxSheetRows) return false;
  const Long rowCount = SaturateLong(rows);
  for (Long row = 1; row <= rowCount; ++row) {
    for (Long column = 1; column <= kSheetDataColumns; ++column) {
      if (ReadCellNumber(panel.Cell(row, column)) != CellNumber::Number) return false;
    }
  }
  return true;
}

bool Fail(std::string& message, const char* text) {
  message = text;
  return false;
}

}  // namespace

bool ValidateGridInput(DataPanel& panel, std::string& message) {
  const std::optional<PanelLayout> layout = LayoutOfKind(panel.KindIndex());
  if (!layout) return true;
  double sheetRows = 1.0;
  if (layout->irregular) {
    const std::optional<double> points = CleanCountBox(panel, layout->pointsBox);
    if (!points || *points <= 3.0) return Fail(message, kPointsMessage);
    sheetRows = *points;
  }
  for (std::size_t axis = 0; axis < layout->rowBoxes.size(); ++axis) {
    const std::optional<double> rows = CleanCountBox(panel, layout->rowBoxes[axis]);
    if (!rows || *rows < 1.0) return Fail(message, kRowsMessages[axis]);
    if (!layout->irregular) sheetRows *= *rows;
  }
  for (int box : layout->boundBoxes) {
    if (!CleanBoundBox(panel, box)) return Fail(message, kIllegalMessage);
  }
  if (!CellsAreNumbers(panel, sheetRows)) return Fail(message, kIllegalMessage);
  return true;
}

}  // namespace qv
