#include "documents/text_data.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "data/data_panel.h"
#include "data/data_set.h"
#include "data/number_text.h"
#include "document_tokens.h"
#include "platform/text_encoding.h"

namespace qv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr char kLineEnd[] = "\r\n";

// The families of the tags, with what each line holds.
enum class Family { RegularSurface, RegularVolume, Irregular };

struct Tag {
  Long kind;
  Family family;
  std::size_t values;  // per line
};

std::string UpperTail(std::string_view text, std::size_t n) {
  std::string tail(text.substr(text.size() > n ? text.size() - n : 0));
  for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return tail;
}

// The tag of a file's first item: only its last characters count, so the
// quote the writers put before it does not matter.
std::optional<Tag> TagOf(std::string_view first) {
  const std::string r2 = UpperTail(first, 2);
  const std::string r3 = UpperTail(first, 3);
  const auto F = Family::RegularSurface;
  const auto I = Family::Irregular;
  if (r2 == "R3" || r2 == "RD") return Tag{kRegularSurface, F, 3};
  if (r2 == "RC") return Tag{kRegularSurface, F, 4};
  if (r3 == "R3C") return Tag{kRegularCylindrical, F, 3};
  if (r3 == "RCC") return Tag{kRegularCylindrical, F, 4};
  if (r3 == "R3S") return Tag{kRegularSpherical, F, 3};
  if (r3 == "RCS") return Tag{kRegularSpherical, F, 4};
  if (r2 == "I3" || r2 == "ID") return Tag{kIrregularSurface, I, 3};
  if (r2 == "IC") return Tag{kIrregularSurface, I, 4};
  if (r3 == "I3C") return Tag{kIrregularCylindrical, I, 3};
  if (r3 == "ICC") return Tag{kIrregularCylindrical, I, 4};
  if (r3 == "I3S") return Tag{kIrregularSpherical, I, 3};
  if (r3 == "ICS") return Tag{kIrregularSpherical, I, 4};
  if (r2 == "R4") return Tag{kRegularVolume, Family::RegularVolume, 4};
  if (r2 == "I4") return Tag{kIrregularVolume, I, 4};
  return std::nullopt;
}

bool IsText(std::string_view bytes) {
  return std::none_of(bytes.begin(), bytes.end(), [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b < 0x20 && b != '\t' && b != '\n' && b != '\r') || b == 0x7F;
  });
}

// Where an item stands in the file: its line and its place in the line, from 1.
struct ItemPlace {
  std::size_t line = 0;
  std::size_t column = 0;
};

struct Items {
  std::vector<std::string> texts;
  std::vector<ItemPlace> places;
};

// The items of the text: every line ends with a blank, and each blank or
// tab ends one item, an empty one too. nullopt past maxItems.
std::optional<Items> ItemsOf(std::string_view text, std::size_t maxItems) {
  Items items;
  std::string current;
  ItemPlace place{1, 1};
  const auto end = [&] {
    if (items.texts.size() == maxItems) return false;
    items.texts.push_back(std::move(current));
    items.places.push_back(place);
    ++place.column;
    current.clear();
    return true;
  };
  bool inLine = false;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
      if (!end()) return std::nullopt;  // the blank after the line
      place = {place.line + 1, 1};
      inLine = false;
      continue;
    }
    inLine = true;
    if (c == ' ' || c == '\t') {
      if (!end()) return std::nullopt;
    } else {
      current += c;
    }
  }
  // The last line, when no line end closed it.
  if (inLine && !end()) return std::nullopt;
  return items;
}

// Why the document could not hold a value of the file, "" when it can.
std::string ValueProblem(const std::string& value, const ItemPlace& place) {
  const CellNumber number = ReadCellNumber(value);
  if (number == CellNumber::Number) return "";
  return "the value \"" + value + "\" in line " + std::to_string(place.line) + ", column " +
         std::to_string(place.column) +
         (number == CellNumber::NotANumber ? " is not a number" : " is a number out of range");
}

// A size item: a whole number of 0 or more, in digits.
std::optional<double> Size(const std::string& item) {
  if (item.empty() || item.size() > 9 ||
      !std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  return Val(item);
}

TextDataRead Refused(std::string reason) {
  TextDataRead read;
  read.reason = std::move(reason);
  return read;
}

// A cell as the file writes it: blanks and tabs inside it would part it
// into two items when read back.
std::string Packed(std::string cell) {
  cell.erase(std::remove_if(cell.begin(), cell.end(), [](char c) { return c == ' ' || c == '\t'; }),
             cell.end());
  return cell;
}

long long CountOf(const DataPanel& panel, int box) {
  return std::max<long long>(0, SaturateLong(Val(panel.Text(box))));
}

std::string Quoted(const std::string& header, const std::vector<std::string>& lines) {
  std::string text = "\"" + header + kLineEnd;
  for (const std::string& line : lines) text += line + kLineEnd;
  return text + "\"" + kLineEnd;
}

}  // namespace

TextDataRead ReadTextData(std::string_view bytes) {
  std::string converted;
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    const std::optional<std::string> text = Utf8ToCp1252(bytes.substr(kByteOrderMark.size()));
    if (!text) return Refused("it holds characters that documents cannot hold");
    converted = *text;
    bytes = converted;
  }
  if (!IsText(bytes)) return Refused("it is not a text file");
  const std::optional<Items> items = ItemsOf(bytes, kMaxTextDataItems);
  if (!items) return Refused("it holds more than 500000 items");
  const std::vector<std::string>& texts = items->texts;
  const std::optional<Tag> tag = texts.empty() ? std::nullopt : TagOf(texts.front());
  if (!tag) return Refused("its first item names no kind of data");
  const auto item = [&](std::size_t i) -> const std::string& {
    static const std::string kEmpty;
    return i < texts.size() ? texts[i] : kEmpty;
  };

  TextDataRead read;
  TextDataFile& data = read.data;
  data.kind = tag->kind;
  const std::size_t sizeCount = tag->family == Family::RegularVolume ? 3
                                : tag->family == Family::Irregular   ? 1
                                                                     : 2;
  double rows = 1.0;
  std::vector<Long> sizes;
  for (std::size_t i = 1; i <= sizeCount; ++i) {
    const std::optional<double> size = Size(item(i));
    if (!size) return Refused("its sizes are not whole numbers of 0 or more");
    rows *= *size;
    sizes.push_back(static_cast<Long>(*size));
  }
  if (rows > kMaxSheetRows) return Refused("it holds more than 20000 rows of data");
  if (tag->family == Family::Irregular) {
    data.boxes.emplace_back(3, item(1));
  } else {
    data.boxes.emplace_back(1, CStr(sizes[0]));
    data.boxes.emplace_back(2, CStr(sizes[1]));
    if (sizeCount == 3) data.boxes.emplace_back(4, CStr(sizes[2]));
  }
  // Each line's values, from the item after the sizes.
  const std::size_t first = 1 + sizeCount;
  data.cells.resize(static_cast<std::size_t>(rows));
  for (std::size_t n = 0; n < data.cells.size(); ++n) {
    std::array<std::string, 4>& row = data.cells[n];
    for (std::size_t column = 0; column < tag->values; ++column) {
      const std::size_t at = first + tag->values * n + column;
      row[column] = item(at);
      if (row[column].size() > kMaxTokenChars)
        return Refused("a value holds more than 1000 characters");
      // A value missing from the file is empty, which reads as 0.
      if (at >= texts.size()) continue;
      // The sheet takes only what a document can hold, or it could not be saved.
      const std::string problem = ValueProblem(row[column], items->places[at]);
      if (!problem.empty()) return Refused(problem);
    }
    if (tag->values == 3) row[3] = row[2];
  }
  read.ok = true;
  return read;
}

std::string OutputDataText(const DataPanel& panel) {
  const Long kind = panel.KindIndex();
  std::string header;
  long long rows = 0;
  Long columns = 3;
  switch (kind) {
    case kRegularSurface:
    case kRegularCylindrical:
    case kRegularSpherical:
      header = std::string(kind == kRegularSurface       ? "R3"
                           : kind == kRegularCylindrical ? "R3c"
                                                         : "R3s") +
               " " + panel.Text(1) + " " + panel.Text(2);
      rows = CountOf(panel, 1) * CountOf(panel, 2);
      break;
    case kRegularVolume:
      header = "R4 " + panel.Text(1) + " " + panel.Text(2) + " " + panel.Text(4);
      rows = CountOf(panel, 1) * CountOf(panel, 2) * CountOf(panel, 4);
      columns = 4;
      break;
    case kIrregularSurface:
    case kIrregularCylindrical:
    case kIrregularSpherical:
      header = std::string(kind == kIrregularSurface       ? "I3"
                           : kind == kIrregularCylindrical ? "I3c"
                                                           : "I3s") +
               " " + panel.Text(3);
      rows = CountOf(panel, 3);
      break;
    case kIrregularVolume:
      header = "I4 " + panel.Text(3);
      rows = CountOf(panel, 3);
      columns = 4;
      break;
    default: return "";
  }
  std::vector<std::string> lines;
  const long long last = std::min<long long>(rows, kMaxSheetRows);
  for (Long row = 1; row <= last; ++row) {
    std::string line;
    for (Long column = 1; column <= columns; ++column) {
      if (column > 1) line += ' ';
      line += Packed(panel.Cell(row, column));
    }
    lines.push_back(std::move(line));
  }
  return Quoted(header, lines);
}

std::string GriddedDataText(const DataSet& grid, Long kind) {
  std::vector<std::string> lines;
  const auto line = [&](std::initializer_list<double> values) {
    std::string text;
    for (const double v : values) text += (text.empty() ? "" : " ") + FormatDouble(v);
    lines.push_back(std::move(text));
  };
  const Long sx = grid.StepsX(), sy = grid.StepsY(), sz = grid.StepsZ();
  if (kind == kIrregularVolume) {
    for (Long i = 0; i < sx; ++i) {
      for (Long j = 0; j < sy; ++j) {
        for (Long k = 0; k < sz; ++k)
          line({grid.Reg4DX(i, j, k), grid.Reg4DY(i, j, k), grid.Reg4DZ(i, j, k),
                grid.Reg4DV(i, j, k)});
      }
    }
    return Quoted("R4 " + CStr(sx) + " " + CStr(sy) + " " + CStr(sz), lines);
  }
  if (kind != kIrregularSurface && kind != kIrregularCylindrical && kind != kIrregularSpherical)
    return "";
  for (Long i = 0; i < sx; ++i) {
    for (Long j = 0; j < sy; ++j) {
      // The columns of the kind's regular sheet: x y z; A, height, radius;
      // A, B, radius.
      if (kind == kIrregularCylindrical) {
        line({grid.Reg3DA(i, j), grid.Reg3DD(i, j), grid.Reg3DB(i, j)});
      } else if (kind == kIrregularSpherical) {
        line({grid.Reg3DA(i, j), grid.Reg3DB(i, j), grid.Reg3DD(i, j)});
      } else {
        line({grid.Reg3DX(i, j), grid.Reg3DY(i, j), grid.Reg3DZ(i, j)});
      }
    }
  }
  const char* tag = kind == kIrregularSurface       ? "R3"
                    : kind == kIrregularCylindrical ? "R3c"
                                                    : "R3s";
  return Quoted(std::string(tag) + " " + CStr(sx) + " " + CStr(sy), lines);
}

}  // namespace qv
