// Builders of graph options for the tests, driven by the option table
// (graphs/graph_options.h): every field a test asks for gets a value of its
// own, so that a field a copy, the record or a document loses shows as a
// difference. Header-only: the suites that include it link qv_graphs.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "graphs/graph_options.h"

namespace qv::test {

// Distinct values from a running counter, by the field's type. Longs stay
// within the packed-colour range, Doubles are eighths (exact in binary and
// written in full by the record's number text), flags alternate, texts
// carry the counter.
class OptionValues {
 public:
  explicit OptionValues(Long seed) : next_(seed) {}
  void operator()(Long& value) { value = (++next_) * 37 % 16777216 - 3; }
  void operator()(double& value) { value = static_cast<double>(++next_) * 0.125 - 11.0; }
  void operator()(bool& value) { value = (++next_) % 2 == 0; }
  void operator()(std::string& value) { value = "text " + CStr(++next_); }

 private:
  Long next_;
};

// Whether a row is a count (whose value sizes the tables after it).
inline bool IsCount(const OptionField& row) { return row.record.countLimit > 0; }

// Sets every scalar field that take(row) accepts, counts and GraphType
// excepted, and every entry of every table whose row take accepts (the
// whole table, whatever its count).
template <typename Take>
void FillOptions(GraphOptions& g, OptionValues& values, Take take) {
  for (const OptionField& row : GraphOptionFields()) {
    if (!take(row) || IsCount(row) || row.name == "GraphType") continue;
    if (!row.IsTable()) {
      VisitScalar(g, row, values);
      continue;
    }
    for (Long i = 0; i <= TableUpper(row); ++i) VisitEntry(g, row, i, values);
  }
}

inline bool AnyOption(const OptionField&) { return true; }
inline bool RecordedOption(const OptionField& row) { return row.record.recorded; }
// Numbers and flags only: the texts keep what the test gave them.
inline bool NumberOption(const OptionField& row) {
  return !std::holds_alternative<std::string GraphOptions::*>(row.member);
}

// The recorded options that differ between a graph as written and as read
// back from a record of format: the options only newer formats carry are left
// out (a format-4 record does not carry PointX, PointY, PointZ, ConWidth).
inline std::vector<std::string> DifferingInFormat(const GraphOptions& written,
                                                  const GraphOptions& read, Long format) {
  std::vector<std::string> differing = DifferingRecordedOptions(written, read);
  std::erase_if(differing, [format](const std::string& name) {
    const auto fields = GraphOptionFields();
    return std::any_of(fields.begin(), fields.end(), [&](const OptionField& row) {
      return row.name == name && row.record.since > format;
    });
  });
  return differing;
}

}  // namespace qv::test
