#include "graphs/graph_record.h"

#include <algorithm>
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

// Flags of the format-0 part also accept "True", which old writers wrote.
template <typename T>
void ReadValue(RecordReader& r, const RecordItem& item, Long version, T& value) {
  if constexpr (std::is_same_v<T, Long>) value = r.ReadLong();
  if constexpr (std::is_same_v<T, double>) value = r.ReadDouble();
  if constexpr (std::is_same_v<T, bool>) value = r.ReadFlag(item.since == 0);
  if constexpr (std::is_same_v<T, std::string>) {
    if (item.bareInFormat0 && version == 0) {
      value = r.Next();
    } else {
      r.ReadText(value);
    }
  }
}

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

// Reads the options the format carries; the refusal message, if any.
std::optional<std::string> ReadOptions(RecordReader& r, Long version, GraphOptions& o, Long& id) {
  std::optional<std::string> refusal;
  WalkOptionFields(
      [&](const OptionField& row) {
        if (refusal || !Carried(o, row, version)) return;
        VisitScalar(o, row, [&](auto& value) { ReadValue(r, row.record, version, value); });
        if (&row == &GraphOptionFields().front()) id = r.ReadLong();
        refusal = RefusedCount(o, row);
      },
      [&](std::span<const OptionField> run) {
        if (refusal || !Carried(o, run.front(), version)) return;
        ForEachBlockEntry(o, run, LastEntry(run.front(), o.*run.front().count),
                          [&](auto& entry) { ReadValue(r, run.front().record, version, entry); });
      });
  return refusal;
}

}  // namespace

std::string WriteGraphRecord(const GraphOptions& options, Long id, Long gridMethod,
                             Long gridMethod4D) {
  RecordWriter w;
  WalkOptionFields(
      [&](const OptionField& row) {
        if (!Carried(options, row, kNewestRecordFormat)) return;
        WriteScalar(w, options, row);
        if (&row == &GraphOptionFields().front()) w.WriteLong(id);
      },
      [&](std::span<const OptionField> run) {
        if (!Carried(options, run.front(), kNewestRecordFormat)) return;
        ForEachBlockEntry(options, run, LastWritten(options, run.front()),
                          [&](const auto& entry) { WriteValue(w, entry); });
      });
  w.WriteLong(gridMethod);
  w.WriteLong(gridMethod4D);
  return w.Take();
}

GraphRecordResult ReadGraphRecord(RecordReader& reader, Long formatVersion, Graph& graph,
                                  SharedSettings& settings) {
  // Read into copies so that a refused record changes nothing.
  GraphOptions options = graph;
  Long id = graph.ID();
  if (std::optional<std::string> refusal = ReadOptions(reader, formatVersion, options, id)) {
    return {false, *refusal};
  }
  SharedSettings s = settings;
  if (formatVersion >= kGridMethodsSince) {
    s.GridMethod = reader.ReadLong();
    s.GridMethod4D = reader.ReadLong();
  }
  static_cast<GraphOptions&>(graph) = options;
  graph.SetID(id);
  settings = s;
  return {};
}

}  // namespace qv
