// Text data files: what File > Output Data ... and Output Gridded Data ...
// write and File > Import Data ... reads. One quoted text: a double quote, the
// header line (a tag naming the data kind, then the sizes), one line per node
// or point (the last index fastest), then a line holding the closing quote;
// items are separated by one blank and every line ends with CR LF.
//
//   tag    kind                          sizes      values per line
//   R3     regular Cartesian surface     c1 c2      x y z
//   R3c    regular cylindrical surface   c1 c2      A height radius
//   R3s    regular spherical surface     c1 c2      A B radius
//   R4     regular volume                c1 c2 c3   x y z v
//   I3, I3c, I3s, I4: the irregular kinds, with the point count N.
//
// The reader also takes the colour tags (RC, RCC, RCS, IC, ICC, ICS: a
// fourth, colour, value per surface line) and the older D tags (RD, ID).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/runtime.h"

namespace qv {

class DataPanel;
class DataSet;

// Most items a text data file may hold.
inline constexpr std::size_t kMaxTextDataItems = 500000;

// A text data file as the data panel and sheet will take it.
struct TextDataFile {
  Long kind = 0;  // data-kind list index 0..7
  // The boxes the file sets, (box number, text), in panel order.
  std::vector<std::pair<int, std::string>> boxes;
  // Data rows 1..cells.size(), columns 1..4, as read. A surface line with
  // three values gives its third as the fourth (colour) cell too.
  std::vector<std::array<std::string, 4>> cells;
};

struct TextDataRead {
  bool ok = false;
  std::string reason;  // why the file was refused, a phrase ("" when ok)
  TextDataFile data;
};

// Reads the bytes of a text data file. Lines may end with CR LF, LF or CR. A
// file is Windows-1252 text, or UTF-8 when it starts with a UTF-8 byte-order
// mark (converted to Windows-1252 then). Items are the pieces between blanks and tabs, an empty
// piece between two separators (or of an empty line) counting as an item, so
// values are taken by position. Refused, before anything is taken: bytes
// that are not text (control characters but tab, CR and LF), UTF-8 that
// Windows-1252 cannot hold, more than kMaxTextDataItems items, a first item
// that names no kind, sizes that are not whole numbers of 0 or more, more
// than the sheet's 20000 data rows, a value longer than 1000 characters, and
// a value that is no number a document can hold (ReadCellNumber: "NaN",
// "Inf", "1e999"), the reason naming its line and column in the file.
// Values the file lacks are empty.
TextDataRead ReadTextData(std::string_view bytes);

// The Output Data text of the panel and its sheet, which ValidateGridInput
// has passed: the tag and the boxes' counts as they stand, then the cells of
// the rows in use, columns 1 to 3 (1 to 4 for volumes), each without the
// blanks and tabs it may hold, so that reading it back gives the same cells.
std::string OutputDataText(const DataPanel& panel);

// The Output Gridded Data text of grid, a data set of the irregular kind
// (1, 3, 5 or 7) filled by DataSet::LoadGridded: the regular tag of the
// kind's family, the grid's node counts and every node in the columns that
// kind's regular sheet takes. "" for any other kind.
std::string GriddedDataText(const DataSet& grid, Long kind);

}  // namespace qv
