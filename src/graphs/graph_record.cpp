#include "graphs/graph_record.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "scene/axis_system.h"

namespace qv {

namespace {

// The record items of one graph, appended with their blank each.
class RecordWriter {
 public:
  void WriteLong(Long value) { Put(CStr(value)); }
  void WriteDouble(double value) { Put(FormatDouble(value)); }
  void WriteFlag(bool value) { Put(value ? "1" : "0"); }
  // Cleaned as the axis titles are, so that no text shifts the fields after
  // it when read back.
  void WriteText(const std::string& text) { Put("@" + AxisSystem::CleanTitle(text) + "@"); }
  std::string Take() { return std::move(text_); }

 private:
  void Put(const std::string& item) {
    text_ += item;
    text_ += ' ';
  }
  std::string text_;
};

// One value in the form its type takes in the record.
template <typename T>
void WriteValue(RecordWriter& w, const T& value) {
  if constexpr (std::is_same_v<T, Long>) w.WriteLong(value);
  if constexpr (std::is_same_v<T, double>) w.WriteDouble(value);
  if constexpr (std::is_same_v<T, bool>) w.WriteFlag(value);
  if constexpr (std::is_same_v<T, std::string>) w.WriteText(value);
}

// Whether token is a Long as the writer writes one: an optional "-" and
// digits, within the Long range.
bool IsWholeNumber(const std::string& token) {
  const std::size_t digits = !token.empty() && token.front() == '-' ? 1 : 0;
  if (token.size() == digits || token.size() > digits + 10) return false;
  if (!std::all_of(token.begin() + static_cast<long>(digits), token.end(),
                   [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  const double value = Val(token);
  return value >= std::numeric_limits<Long>::min() && value <= std::numeric_limits<Long>::max();
}

// Whether token is a Double as the formatter writes one: a sign, digits with
// an optional point, an optional exponent, nothing else, and finite.
bool IsFiniteNumber(const std::string& token) {
  std::size_t at = 0;
  const auto digitsFrom = [&](std::size_t& i) {
    const std::size_t start = i;
    while (i < token.size() && token[i] >= '0' && token[i] <= '9') ++i;
    return i - start;
  };
  if (at < token.size() && (token[at] == '-' || token[at] == '+')) ++at;
  std::size_t mantissa = digitsFrom(at);
  if (at < token.size() && token[at] == '.') {
    ++at;
    mantissa += digitsFrom(at);
  }
  if (mantissa == 0) return false;
  if (at < token.size() && (token[at] == 'E' || token[at] == 'e')) {
    ++at;
    if (at < token.size() && (token[at] == '-' || token[at] == '+')) ++at;
    if (digitsFrom(at) == 0) return false;
  }
  return at == token.size() && std::isfinite(Val(token));
}

// Reads the items of one record by the rules of its reading; the first item
// an exact reading refuses stops it with the refusal's message.
class ItemReader {
 public:
  ItemReader(RecordReader& reader, Long version, RecordReading reading)
      : r_(reader), version_(version), exact_(reading == RecordReading::kExact) {}

  // One value of the field named name (with its index for a table entry).
  // Flags of the format-0 part also accept "True", which old writers wrote.
  template <typename T>
  void Read(const RecordItem& item, std::string_view name, T& value) {
    if (refusal_) return;
    if (exact_ && r_.AtEnd()) {
      refusal_ = "The graph record is cut short.";
      return;
    }
    if constexpr (std::is_same_v<T, Long>) {
      if (Check(IsWholeNumber(r_.Peek()), name, "is not a whole number")) value = r_.ReadLong();
    }
    if constexpr (std::is_same_v<T, double>) {
      if (Check(IsFiniteNumber(r_.Peek()), name, "is not a number")) value = r_.ReadDouble();
    }
    if constexpr (std::is_same_v<T, bool>) {
      const std::string& token = r_.Peek();
      if (Check(token == "1" || token == "0", name, "is not a flag (1 or 0)"))
        value = r_.ReadFlag(item.since == 0);
    }
    if constexpr (std::is_same_v<T, std::string>) {
      if (item.bareInFormat0 && version_ == 0) {
        value = r_.Next();
      } else {
        Check(r_.ReadText(value) || !exact_, name, "is not a text between two \"@\"s");
      }
    }
  }

  const std::optional<std::string>& Refusal() const { return refusal_; }
  void Refuse(std::string message) {
    if (!refusal_) refusal_ = std::move(message);
  }
  bool Exact() const { return exact_; }

 private:
  // Whether the item may be read; an exact reading refuses it otherwise.
  bool Check(bool ok, std::string_view name, const char* problem) {
    if (ok || !exact_) return true;
    refusal_ = "The graph record's " + std::string(name) + " " + problem + ".";
    return false;
  }

  RecordReader& r_;
  Long version_;
  bool exact_;
  std::optional<std::string> refusal_;
};

// Whether the record of o carries the scalar row.
bool Carried(const GraphOptions& o, const OptionField& row, Long version) {
  const RecordItem& item = row.record;
  if (!item.recorded || item.since > version) return false;
  return item.presentIf == nullptr || o.*item.presentIf;
}

// The last entry a table block writes: a count past its table (which only
// code that bypasses the dialogs can set) is written as the table's size, so
// that saving never fails and the blocks match the counts.
long long LastWritten(const GraphOptions& o, const OptionField& row) {
  return std::min<long long>(LastEntry(row, o.*row.count), TableUpper(row));
}

template <typename Options, typename Fn>
void ForEachBlockEntry(Options& o, std::span<const OptionField> run, long long last, Fn&& fn) {
  for (long long i = run.front().first; i <= last; ++i) {
    for (const OptionField& row : run) VisitEntry(o, row, static_cast<Long>(i), fn);
  }
}

void WriteScalar(RecordWriter& w, const GraphOptions& o, const OptionField& row) {
  VisitScalar(o, row, [&](const auto& value) {
    using T = std::remove_cvref_t<decltype(value)>;
    if constexpr (std::is_same_v<T, Long>) {
      WriteValue(w, row.record.countLimit > 0 ? std::min(value, row.record.countLimit) : value);
    } else {
      WriteValue(w, value);
    }
  });
}

// The refusal of a count past its tables, if the row is one.
std::optional<std::string> RefusedCount(const GraphOptions& o, const OptionField& row) {
  const RecordItem& item = row.record;
  if (item.countLimit == 0) return std::nullopt;
  Long count = 0;
  VisitScalar(o, row, [&](const auto& value) {
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, Long>) count = value;
  });
  if (count <= item.countLimit) return std::nullopt;
  return "The graph record holds more than " + CStr(item.countLimit) + " " +
         std::string(item.counted) + ".";
}

// The refusal of a negative count, which reads no block but would be written
// back and misread as a table size.
std::optional<std::string> NegativeCount(const GraphOptions& o, const OptionField& row) {
  if (row.record.countLimit == 0) return std::nullopt;
  bool negative = false;
  VisitScalar(o, row, [&](const auto& value) {
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, Long>) negative = value < 0;
  });
  if (!negative) return std::nullopt;
  return "The graph record's " + std::string(row.name) + " is negative.";
}

// Reads the options the format carries; the refusal message, if any.
std::optional<std::string> ReadOptions(ItemReader& r, Long version, GraphOptions& o, Long& id) {
  WalkOptionFields(
      [&](const OptionField& row) {
        if (r.Refusal() || !Carried(o, row, version)) return;
        VisitScalar(o, row, [&](auto& value) { r.Read(row.record, row.name, value); });
        if (&row == &GraphOptionFields().front()) r.Read(row.record, "ID", id);
        if (r.Refusal()) return;
        if (std::optional<std::string> refusal = RefusedCount(o, row)) r.Refuse(*refusal);
        if (!r.Exact()) return;
        if (std::optional<std::string> refusal = NegativeCount(o, row)) r.Refuse(*refusal);
      },
      [&](std::span<const OptionField> run) {
        if (r.Refusal() || !Carried(o, run.front(), version)) return;
        const long long last = LastEntry(run.front(), o.*run.front().count);
        for (long long i = run.front().first; i <= last && !r.Refusal(); ++i) {
          for (const OptionField& row : run) {
            const std::string name = std::string(row.name) + "(" + CStr(i) + ")";
            VisitEntry(o, row, static_cast<Long>(i),
                       [&](auto& entry) { r.Read(run.front().record, name, entry); });
          }
        }
      });
  return r.Refusal();
}

// The items a record of the newest format holds after IsoSurColor besides
// the gridding methods: the rows that only it carries.
std::size_t NewestOnlyItems() {
  std::size_t count = 0;
  for (const OptionField& row : GraphOptionFields()) {
    if (row.record.recorded && row.record.since == kNewestRecordFormat) ++count;
  }
  return count;
}

// GridMethod and GridMethod4D.
constexpr std::size_t kGridMethodItems = 2;

}  // namespace

Long RecordFormatNeeded(const GraphOptions& options) {
  const bool placedPoint =
      options.GraphType == kPointGraph &&
      (options.PointX != 0.0 || options.PointY != 0.0 || options.PointZ != 0.0);
  // Only the contour plot draws ConWidth, and it draws any width below 1
  // pixel 1 pixel wide.
  const bool wideContourLines = options.GraphType == kContourPlot && options.ConWidth > 1;
  return placedPoint || wideContourLines ? kNewestRecordFormat : kClassicRecordFormat;
}

std::string WriteGraphRecord(const GraphOptions& options, Long id, Long gridMethod,
                             Long gridMethod4D, Long format) {
  RecordWriter w;
  WalkOptionFields(
      [&](const OptionField& row) {
        if (!Carried(options, row, format)) return;
        WriteScalar(w, options, row);
        if (&row == &GraphOptionFields().front()) w.WriteLong(id);
      },
      [&](std::span<const OptionField> run) {
        if (!Carried(options, run.front(), format)) return;
        ForEachBlockEntry(options, run, LastWritten(options, run.front()),
                          [&](const auto& entry) { WriteValue(w, entry); });
      });
  if (format >= kGridMethodsSince) {
    w.WriteLong(gridMethod);
    w.WriteLong(gridMethod4D);
  }
  return w.Take();
}

GraphRecordResult ReadGraphRecord(RecordReader& reader, Long formatVersion, Graph& graph,
                                  SharedSettings& settings, RecordReading reading) {
  // Read into copies so that a refused record changes nothing.
  GraphOptions options = graph;
  Long id = graph.ID();
  ItemReader items(reader, formatVersion, reading);
  if (std::optional<std::string> refusal = ReadOptions(items, formatVersion, options, id)) {
    return {false, *refusal};
  }
  SharedSettings s = settings;
  if (formatVersion >= kGridMethodsSince) {
    const RecordItem item = Since(kGridMethodsSince);
    items.Read(item, "GridMethod", s.GridMethod);
    items.Read(item, "GridMethod4D", s.GridMethod4D);
    if (items.Refusal()) return {false, *items.Refusal()};
  }
  static_cast<GraphOptions&>(graph) = options;
  graph.SetID(id);
  settings = s;
  return {};
}

GraphRecordResult ReadWholeGraphRecord(RecordReader& reader, Graph& graph,
                                       SharedSettings& settings) {
  // Read the part both layouts share on a copy, to count what follows it.
  RecordReader shared = reader;
  GraphOptions options = graph;
  Long id = graph.ID();
  ItemReader items(shared, kClassicRecordFormat, RecordReading::kExact);
  if (std::optional<std::string> refusal = ReadOptions(items, kClassicRecordFormat, options, id)) {
    return {false, *refusal};
  }
  std::size_t left = 0;
  for (; !shared.AtEnd(); shared.Next()) ++left;
  const Long format =
      left == kGridMethodItems + NewestOnlyItems() ? kNewestRecordFormat : kClassicRecordFormat;
  return ReadGraphRecord(reader, format, graph, settings, RecordReading::kExact);
}

}  // namespace qv
