// The 4D slice dialog ("4D Slice Properties"): the volume colours, and per
// direction a list of slices, each with its position, its two row ranges and
// what is drawn on it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "dialogs/graph_dialog.h"
#include "graphs/graph_kinds.h"
#include "graphs/graph_options.h"

namespace qv {

// One line of a direction's list: the texts of the boxes as typed and the
// switches and colours, as Add took them.
struct SliceEntry {
  std::string position;
  // The first range's from and to, then the second range's.
  std::array<std::string, 4> ranges;
  bool color = true;
  bool contour = true;
  std::string interval;
  Long contourColor = 0;
  bool vector = false;
  Long vectorColor = 0;

  // The list's text: the fields separated by single blanks, "1" or "0" for
  // a switch, the interval and the contour colour after a set "Add
  // Contour", the vector colour after a set "Add Vector"; no final blank.
  std::string Text() const;
};

// The controls of one direction tab, with their defaults.
struct SliceDirection {
  std::string position = "0";
  std::vector<SliceEntry> entries;
  std::array<std::string, 4> ranges;
  bool color = true;
  bool contour = true;
  std::string interval = "30";
  Long contourColor = RGB(192, 192, 192);
  bool vector = false;
  Long vectorColor = RGB(255, 128, 255);
  // The selected entry, -1 for none.
  int selected = -1;
};

class SliceDialogModel final : public GraphDialogModel {
 public:
  static constexpr const char* kCaption = "4D Slice Properties";
  static constexpr std::array<const char*, 4> kTabs = {"General", "YZ Direction", "ZX Direction",
                                                       "XY Direction"};
  // Per direction (x, y, z slices): the position box's caption and the
  // captions of the two row ranges.
  static constexpr std::array<const char*, 3> kPositionCaptions = {
      "Input A X Value", "Input A Y Value", "Input A Z Value"};
  static constexpr std::array<std::array<const char*, 2>, 3> kRangeCaptions = {
      {{"Rows Y From", "Rows Z From"},
       {"Rows Z From", "Rows X From"},
       {"Rows X From", "Rows Y From"}}};

  explicit SliceDialogModel(DialogContext context);

  Long Kind() const override { return kSlice4D; }
  const char* Caption() const override { return kCaption; }

  // General: "Gradient" (false) or "Colormap" (true, at first) with the
  // colours and the map.
  bool colormap = true;
  Long first = RGB(255, 128, 0);
  Long second = RGB(0, 255, 0);
  int map = 0;
  bool showIrregular = false;

  // The x, y and z slices (the "YZ", "ZX" and "XY Direction" tabs).
  std::array<SliceDirection, 3> directions;

  // Add: appends the entry of the tab's controls. A full list (kMaxSlices
  // entries) takes no more: shows the slice-list message and returns false.
  bool Add(int direction);
  // Remove: drops the selected entry; nothing without a selection.
  void Remove(int direction);
  // Reset: empties the list and the position box, sets "Add Color Map" and
  // "Add Contour", clears "Add Vector", sets the interval to "30"; the
  // ranges and the swatches keep theirs.
  void Reset(int direction);

 protected:
  // Slice i of a direction is stored at index i (1..count). A position or
  // interval that does not read, an interval of 0 or less, or a range that
  // is no whole numbers from..to with 1 <= from <= to <= the axis's node
  // count is refused; a blank range box takes the axis's first or last node
  // and a blank interval a tenth of the values' range.
  bool Fill(Graph& graph) override;

 private:
  bool FillDirection(Graph& graph, int direction);
};

}  // namespace qv
