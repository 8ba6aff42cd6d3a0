#include "window/data_sheet.h"

#include <algorithm>
#include <cmath>

#include "data/data_panel.h"
#include "data/number_text.h"

namespace qv {

namespace {

const std::array<std::string, kDataKindCount> kKindCaptions = {
    "Regular Surface (Cartesian)",   "Irregular Surface (Cartesian)",
    "Regular Volume (Cartesian)",    "Irregular Volume (Cartesian)",
    "Regular Surface (Cylindrical)", "Irregular Surface (Cylindrical)",
    "Regular Surface (Spherical)",   "Irregular Surface (Spherical)",
};

// The panel's row of a kind: how each group of controls is set. An empty
// caption means "unchanged".
struct PanelRow {
  bool pointsShown;
  std::array<const char*, 3> row2Captions;  // Label1, Label2, Label4
  bool text4On;
  std::array<const char*, 3> row3Captions;  // Label6, Label7, Label8
  bool row3On;
  bool row4On;
  bool griddedOn;
};

constexpr std::array<PanelRow, kDataKindCount> kPanelRows = {{
    {false, {"Rows X", "Rows Y", ""}, false, {"", "", ""}, false, false, false},
    {true, {"Min X", "Max X", "Rows X"}, true, {"Min Y", "Max Y", "Rows Y"}, true, false, true},
    {false, {"Rows X", "Rows Y", "Rows Z"}, true, {"", "", ""}, false, false, false},
    {true, {"Min X", "Max X", "Rows X"}, true, {"Min Y", "Max Y", "Rows Y"}, true, true, true},
    {false, {"Rows A", "Rows R", ""}, false, {"", "", ""}, false, false, false},
    {true, {"Min A", "Max A", "Rows A"}, true, {"Min R", "Max R", "Rows R"}, false, true, true},
    {false, {"Rows A", "Rows B", ""}, false, {"", "", ""}, false, false, false},
    {true, {"Min A", "Max A", "Rows A"}, true, {"Min B", "Max B", "Rows B"}, true, false, true},
}};

// Column headers 1..4 of each kind. A surface's fourth column is its
// colour value, headed as at start-up, so that a volume's "V" does not stay
// over it.
constexpr std::array<std::array<const char*, 4>, kDataKindCount> kHeaders = {{
    {"X", "Y", "Z", "Color"},
    {"X", "Y", "Z", "Color"},
    {"X", "Y", "Z", "V"},
    {"X", "Y", "Z", "V"},
    {"A", "R", "Z", "Color"},
    {"A", "R", "Z", "Color"},
    {"A", "B", "R", "Color"},
    {"A", "B", "R", "Color"},
}};

// The boxes' design texts: Points 10, each axis's bounds 0..10 and 11 rows.
constexpr std::array<const char*, 11> kDesignTexts = {"",   "0",  "10", "10", "11", "0",
                                                      "10", "11", "0",  "10", "11"};
// The counts that size the sheet: a regular kind's 10 nodes along each axis
// (the 10 x 10 of the start-up sheet), an irregular kind's 10 points.
constexpr const char* kDefaultCount = "10";

void SetCaption(PanelControl& label, const char* caption) {
  if (caption[0] != '\0') label.text = caption;
}

void SetPair(DataPanelModel& panel, int label, int text, bool on) {
  panel.labels[static_cast<std::size_t>(label)].enabled = on;
  panel.texts[static_cast<std::size_t>(text)].enabled = on;
}

void ApplyCommands(int kind, CommandStates& commands) {
  using M = MenuItem;
  if (kind <= 3) {
    commands.SetMenuEnabled(M::mnuFileNew2D, true);
    commands.SetMenuEnabled(M::mnuFileNew4D, true);
    commands.SetButtonEnabled(2, true);
    commands.SetButtonEnabled(4, true);
    return;
  }
  // Cylindrical and spherical data allow only 3D documents.
  commands.SetMenuEnabled(M::mnuFileNew2D, false);
  commands.SetMenuEnabled(M::mnuFileNew4D, false);
  commands.SetButtonEnabled(2, false);
  commands.SetButtonEnabled(4, false);
  commands.SetMenuEnabled(M::mnuDrawDelaunay, false);
  commands.SetButtonEnabled(25, false);
  commands.SetMenuEnabled(M::mnuDrawCon3D, true);
  commands.SetButtonEnabled(30, true);
}

void ApplyPanel(int kind, DataPanelModel& panel, CommandStates& commands) {
  const PanelRow& row = kPanelRows[static_cast<std::size_t>(kind)];
  panel.labels[3].visible = row.pointsShown;
  panel.texts[3].visible = row.pointsShown;
  SetCaption(panel.labels[1], row.row2Captions[0]);
  SetCaption(panel.labels[2], row.row2Captions[1]);
  SetCaption(panel.labels[4], row.row2Captions[2]);
  SetPair(panel, 4, 4, row.text4On);
  SetCaption(panel.labels[6], row.row3Captions[0]);
  SetCaption(panel.labels[7], row.row3Captions[1]);
  SetCaption(panel.labels[8], row.row3Captions[2]);
  SetPair(panel, 6, 5, row.row3On);
  SetPair(panel, 7, 6, row.row3On);
  SetPair(panel, 8, 7, row.row3On);
  SetPair(panel, 9, 8, row.row4On);
  SetPair(panel, 10, 9, row.row4On);
  SetPair(panel, 11, 10, row.row4On);
  commands.SetMenuEnabled(MenuItem::mnuFileGridded, row.griddedOn);
}

void ApplyHeaders(int kind, SheetModel& sheet) {
  sheet.SetCols(5);
  const auto& headers = kHeaders[static_cast<std::size_t>(kind)];
  for (Long col = 1; col <= 4; ++col)
    sheet.SetCellText(0, col, headers[static_cast<std::size_t>(col - 1)]);
}

// A count box read as the readers do: Val, then the nearest Long (halves to
// even); hostile numbers saturate and a negative count counts as 0.
long long ReadCount(const DataPanelModel& panel, int text) {
  const Long value = SaturateLong(CountValue(panel.texts[static_cast<std::size_t>(text)].text));
  return std::max<long long>(0, value);
}

// The boxes whose counts size the sheet for a kind: the node counts of a
// regular kind, or the point count.
std::vector<int> CountBoxes(int kind) {
  if (kind == 0 || kind == 4 || kind == 6) return {1, 2};
  if (kind == 2) return {1, 2, 4};
  return {3};
}

// The boxes get the kind's own texts: the same box holds a node count in a
// regular kind and a bound in an irregular one, so texts kept over a change
// of kind would be read with the wrong meaning. They are accepted, so a
// refused size goes back to them.
void ResetPanelTexts(int kind, DataPanelModel& panel) {
  for (std::size_t box = 1; box < kDesignTexts.size(); ++box)
    panel.texts[box].text = kDesignTexts[box];
  for (int box : CountBoxes(kind)) panel.texts[static_cast<std::size_t>(box)].text = kDefaultCount;
  AcceptPanel(panel);
}

std::vector<long long> SheetCounts(const DataPanelModel& panel) {
  std::vector<long long> counts;
  for (int box : CountBoxes(panel.kind)) counts.push_back(ReadCount(panel, box));
  return counts;
}

// The index text of data row n (from 0): indices joined by commas, last fastest.
std::string IndexText(long long n, const std::vector<long long>& counts) {
  if (counts.size() == 1) return CStr(n);
  std::vector<long long> parts(counts.size());
  long long rest = n;
  for (std::size_t axis = counts.size(); axis-- > 0;) {
    parts[axis] = rest % counts[axis];
    rest /= counts[axis];
  }
  std::string text;
  for (std::size_t axis = 0; axis < parts.size(); ++axis) {
    if (axis > 0) text += ",";
    text += CStr(parts[axis]);
  }
  return text;
}

}  // namespace

const std::string& DataKindCaption(int kind) {
  static const std::string kNone;
  if (kind < 0 || kind >= kDataKindCount) return kNone;
  return kKindCaptions[static_cast<std::size_t>(kind)];
}

const std::vector<GridMethodEntry>& GridMethodsOfKind(int kind) {
  static const std::vector<GridMethodEntry> kSurface = {{1, "Inverse Distance"},
                                                        {2, "Shepard"},
                                                        {3, "Radial Basis Functions"},
                                                        {4, "Thin-Plate Spline"},
                                                        {5, "Quadratic Fit"}};
  static const std::vector<GridMethodEntry> kVolume = {
      {101, "Inverse Distance"}, {102, "Shepard"}, {103, "Quadratic Fit"}};
  static const std::vector<GridMethodEntry> kNone;
  switch (kind) {
    case kIrregularSurface:
    case kIrregularCylindrical:
    case kIrregularSpherical: return kSurface;
    case kIrregularVolume: return kVolume;
    default: return kNone;
  }
}

DataPanelModel::DataPanelModel() {
  for (std::size_t i = 1; i < kDesignTexts.size(); ++i) texts[i].text = kDesignTexts[i];
  const std::array<const char*, 12> labels = {"",       "Min X", "Max X", "Points",
                                              "Rows X", "Data ", "Min Y", "Max Y",
                                              "Rows Y", "Min Z", "Max Z", "Rows Z"};
  for (std::size_t i = 1; i < labels.size(); ++i) this->labels[i].text = labels[i];
  AcceptPanel(*this);
}

void AcceptPanel(DataPanelModel& panel) {
  for (std::size_t i = 1; i < panel.texts.size(); ++i) panel.accepted[i] = panel.texts[i].text;
}

void PrepareStartPanel(DataPanelModel& panel) { ResetPanelTexts(0, panel); }

void SheetModel::SetRows(Long rows) {
  rows_ = std::clamp<Long>(rows, 1, kMaxControlRows);
  index_.resize(static_cast<std::size_t>(rows_));
}

void SheetModel::SetCols(Long cols) {
  cols_ = std::clamp<Long>(cols, 1, SheetText::kMaxColumn + 1);
}

std::string SheetModel::CellText(Long row, Long col) const {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return "";
  if (row == 0) return header_[static_cast<std::size_t>(col)];
  if (col == 0) return index_[static_cast<std::size_t>(row)];
  return SheetText::InRange(row, col) ? text_(row, col) : std::string();
}

void SheetModel::SetCellText(Long row, Long col, const std::string& text) {
  if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return;
  if (row == 0) {
    header_[static_cast<std::size_t>(col)] = text;
  } else if (col == 0) {
    index_[static_cast<std::size_t>(row)] = text;
  } else if (SheetText::InRange(row, col)) {
    text_(row, col) = text;
  }
}

std::optional<std::string> SheetModel::GetCell(Long row, Long col) const {
  if (row <= 0 || col <= 0 || !SheetText::InRange(row, col)) return std::nullopt;
  return text_(row, col);
}

bool SheetModel::CellEdited(Long row, Long col, const std::string& text) {
  if (row <= 0 || col <= 0 || !SheetText::InRange(row, col)) return false;
  text_(row, col) = text;
  return true;
}

void PrepareSheet(SheetModel& sheet, int kind, double twipsPerPixel) {
  const double tpp = twipsPerPixel > 0.0 ? twipsPerPixel : 15.0;
  sheet.controlWidthTwips = 5000.0;
  sheet.SetRows(101);
  sheet.SetCols(5);
  sheet.columnWidthPx[0] = static_cast<int>(std::lround(800.0 / tpp));
  for (int col = 1; col <= 4; ++col)
    sheet.columnWidthPx[col] = static_cast<int>(std::lround(960.0 / tpp));
  sheet.rowHeight = 20;
  const bool volume = kind == 2 || kind == 3;
  const std::array<const char*, 5> headers = {"Index", "X", "Y", "Z", volume ? "V" : "Color"};
  for (Long col = 0; col < 5; ++col)
    sheet.SetCellText(0, col, headers[static_cast<std::size_t>(col)]);
}

void OnDataKindChosen(int kind, DataPanelModel& panel, SheetModel& sheet, CommandStates& commands) {
  if (kind < 0 || kind >= kDataKindCount) return;
  if (kind != panel.kind) ResetPanelTexts(kind, panel);
  panel.kind = kind;
  ApplyCommands(kind, commands);
  ApplyPanel(kind, panel, commands);
  ApplyHeaders(kind, sheet);
}

SheetSizeResult OnDataPanelOk(DataPanelModel& panel, SheetModel& sheet) {
  const int kind = panel.kind;
  if (kind < 0 || kind >= kDataKindCount) return {};
  const std::vector<long long> counts = SheetCounts(panel);
  long long dataRows = 1;
  if (std::find(counts.begin(), counts.end(), 0) != counts.end()) {
    dataRows = 0;
  } else {
    for (long long count : counts) {
      dataRows *= count;
      if (dataRows > SheetText::kMaxRow) {
        for (int box : CountBoxes(kind)) {
          panel.texts[static_cast<std::size_t>(box)].text =
              panel.accepted[static_cast<std::size_t>(box)];
        }
        return {false, kSheetTooLargeMessage};
      }
    }
  }
  sheet.controlWidthTwips = 5000.0;
  sheet.SetRows(static_cast<Long>(dataRows + 1));
  WriteIndexColumn(panel, sheet);
  AcceptPanel(panel);
  return {true, ""};
}

void WriteIndexColumn(const DataPanelModel& panel, SheetModel& sheet) {
  std::vector<long long> counts = SheetCounts(panel);
  long long product = 1;
  for (long long count : counts)
    product = std::min<long long>(product * count, SheetModel::kMaxControlRows);
  if (product + 1 != sheet.Rows()) counts = {sheet.Rows() - 1};
  for (Long row = 1; row < sheet.Rows(); ++row)
    sheet.SetCellText(row, 0, IndexText(row - 1, counts));
}

bool SheetPopupAllowed(double x, double y, double column0Width, double row0Height) {
  return x > column0Width && y > row0Height;
}

}  // namespace qv
