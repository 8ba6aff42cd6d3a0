// The options of one graph as a plain struct, and the table that lists each
// of them once (graph_option_list.inc) with its type, its place and version
// in the graph record and the copies that take it. The copies (Graph::Equal,
// EqualTo, TabEqualTo), the comparison, the record reader and writer and the
// tests' builders all walk that table, so adding an option is one row.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "graphs/color_map.h"
#include "platform/checked_array.h"
#include "platform/runtime.h"

namespace qv {

// Option Types
// The slice tables take indices 0..50 (the slices use 1..count), the
// colour-point tables 0..30; any other index throws
// RuntimeError(kSubscriptOutOfRange) and stores nothing.
using SliceDoubles = FixedTable<double, 0, 50>;
using SliceLongs = FixedTable<Long, 0, 50>;
using SliceFlags = FixedTable<bool, 0, 50>;
// The most slices along one axis.
inline constexpr Long kMaxSlices = 50;

// Which copies take a field (bits of OptionField::copies).
enum OptionCopy : unsigned {
  kNotCopied = 0,
  kByEqual = 1,       // Graph::Equal (and init)
  kByEqualTo = 2,     // Graph::EqualTo
  kByTabEqualTo = 4,  // Graph::TabEqualTo
  kByAll = kByEqual | kByEqualTo | kByTabEqualTo,
  kByEqualAndEqualTo = kByEqual | kByEqualTo,
  kByEqualToAndTabEqualTo = kByEqualTo | kByTabEqualTo,
};

struct GraphOptions;

// How the graph record carries a field. The item's form follows the field's
// type: a Long or a Double as a number, a flag as "1" or "0", a text between
// two "@"s.
struct RecordItem {
  bool recorded = false;
  // The first format version (0..5) whose records carry the field.
  Long since = 0;
  // Carried only while this flag of the graph is set (nullptr: always).
  bool GraphOptions::*presentIf = nullptr;
  // A count: the most entries its tables hold; a record asking for more is
  // refused with "The graph record holds more than <limit> <counted>.".
  Long countLimit = 0;
  std::string_view counted;
  // The title: format 0 carries it as one bare token.
  bool bareInFormat0 = false;
};

// Record items of the list.
inline constexpr RecordItem NotRecorded{};
constexpr RecordItem Since(Long version) {
  RecordItem item;
  item.recorded = true;
  item.since = version;
  return item;
}
constexpr RecordItem SinceIf(Long version, bool GraphOptions::*flag) {
  RecordItem item = Since(version);
  item.presentIf = flag;
  return item;
}
constexpr RecordItem CountSince(Long version, Long limit, std::string_view counted) {
  RecordItem item = Since(version);
  item.countLimit = limit;
  item.counted = counted;
  return item;
}
constexpr RecordItem TitleSince(Long version) {
  RecordItem item = Since(version);
  item.bareInFormat0 = true;
  return item;
}

// The Options
// Defaults: StepU = StepV = 1, everything else 0, empty or false. (A new
// Graph also loads the rainbow colour points.)
struct GraphOptions {
#define QV_GRAPH_OPTION(Type, Name, Initial, Copies, Record) Type Name = Initial;
#define QV_GRAPH_WORKING_OPTION(Type, Name, Initial, Copies, Record) mutable Type Name = Initial;
#define QV_GRAPH_TABLE(Type, Name, Count, First, Copies, Record) Type Name;
#include "graphs/graph_option_list.inc"
#undef QV_GRAPH_OPTION
#undef QV_GRAPH_WORKING_OPTION
#undef QV_GRAPH_TABLE
};

// The Field Table
// A pointer to one field, of whichever type it has.
using OptionMember =
    std::variant<Long GraphOptions::*, double GraphOptions::*, bool GraphOptions::*,
                 std::string GraphOptions::*, SliceDoubles GraphOptions::*,
                 SliceLongs GraphOptions::*, SliceFlags GraphOptions::*,
                 ColorPositions GraphOptions::*, ColorComponents GraphOptions::*>;

// One row of the list.
struct OptionField {
  std::string_view name;
  OptionMember member;
  unsigned copies = kNotCopied;
  RecordItem record;
  // Tables: the count of entries in use and the index of the first.
  Long GraphOptions::*count = nullptr;
  Long first = 0;

  bool IsTable() const { return count != nullptr; }
};

// Every row, in list (record) order.
std::span<const OptionField> GraphOptionFields();

// Whether T is one of the fixed tables.
template <typename T>
inline constexpr bool kIsOptionTable = false;
template <typename T, Long Lower, Long Upper>
inline constexpr bool kIsOptionTable<FixedTable<T, Lower, Upper>> = true;

// Calls fn(value) with the scalar field row names in options (const or not);
// nothing for a table row.
template <typename Options, typename Fn>
void VisitScalar(Options& options, const OptionField& row, Fn&& fn) {
  std::visit(
      [&](auto member) {
        auto& value = options.*member;
        if constexpr (!kIsOptionTable<std::remove_cvref_t<decltype(value)>>) fn(value);
      },
      row.member);
}

// Calls fn(entry) with entry i of the table row names in options; nothing
// for a scalar row. Throws RuntimeError(kSubscriptOutOfRange) outside the
// table.
template <typename Options, typename Fn>
void VisitEntry(Options& options, const OptionField& row, Long i, Fn&& fn) {
  std::visit(
      [&](auto member) {
        auto& table = options.*member;
        if constexpr (kIsOptionTable<std::remove_cvref_t<decltype(table)>>) fn(table(i));
      },
      row.member);
}

// The highest index table row holds.
Long TableUpper(const OptionField& row);
// The last entry in use of table row with count entries: first + count - 1,
// in a type no count overflows.
inline long long LastEntry(const OptionField& row, Long count) {
  return static_cast<long long>(row.first) + count - 1;
}

// Calls scalar(row) for each scalar row and run(rows) for each run of
// consecutive table rows that share one count, in list order.
template <typename OnScalar, typename OnRun>
void WalkOptionFields(OnScalar&& scalar, OnRun&& run) {
  const std::span<const OptionField> fields = GraphOptionFields();
  for (std::size_t k = 0; k < fields.size();) {
    if (!fields[k].IsTable()) {
      scalar(fields[k++]);
      continue;
    }
    std::size_t end = k + 1;
    while (end < fields.size() && fields[end].count == fields[k].count) ++end;
    run(fields.subspan(k, end - k));
    k = end;
  }
}

// Copying and Comparing
// Copies into to every field that copy (one OptionCopy bit) takes, in list
// order; a table's entries first .. first + count - 1, entry by entry across
// the tables of one run, the count being the one just copied. A count past
// its table throws RuntimeError(kSubscriptOutOfRange) at the first index
// beyond it, what was copied before staying copied.
void CopyOptions(GraphOptions& to, const GraphOptions& from, OptionCopy copy);

// The fields the graph record carries (as of the newest format) that differ
// between a and b, by name, a table entry as "Name(i)" (entries up to the
// smaller of the two counts, within the table). ContourLevel counts only
// while ShowContour is set in a. Empty when the records would read alike.
std::vector<std::string> DifferingRecordedOptions(const GraphOptions& a, const GraphOptions& b);

}  // namespace qv
