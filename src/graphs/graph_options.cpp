#include "graphs/graph_options.h"

#include <algorithm>

namespace qv {

namespace {

#define QV_GRAPH_OPTION(Type, Name, Initial, Copies, Record) \
  OptionField{#Name, &GraphOptions::Name, Copies, Record},
#define QV_GRAPH_WORKING_OPTION QV_GRAPH_OPTION
#define QV_GRAPH_TABLE(Type, Name, Count, First, Copies, Record) \
  OptionField{#Name, &GraphOptions::Name, Copies, Record, &GraphOptions::Count, First},
constexpr OptionField kFields[] = {
#include "graphs/graph_option_list.inc"
};
#undef QV_GRAPH_OPTION
#undef QV_GRAPH_WORKING_OPTION
#undef QV_GRAPH_TABLE

// The record writer puts the graph's ID right after the first item.
static_assert(kFields[0].name == "GraphType");

template <typename Fn>
void ForEachEntry(std::span<const OptionField> run, long long last, Fn&& fn) {
  for (long long i = run.front().first; i <= last; ++i) {
    for (const OptionField& row : run) fn(row, static_cast<Long>(i));
  }
}

// The kinds of member behind a row: a plain value or a fixed table.
template <typename Member>
constexpr bool IsTableMember() {
  return kIsOptionTable<std::remove_cvref_t<decltype(GraphOptions{}.*Member{})>>;
}

void CopyScalar(GraphOptions& to, const GraphOptions& from, const OptionField& row) {
  std::visit(
      [&](auto member) {
        if constexpr (!IsTableMember<decltype(member)>()) to.*member = from.*member;
      },
      row.member);
}

void CopyEntry(GraphOptions& to, const GraphOptions& from, const OptionField& row, Long i) {
  std::visit(
      [&](auto member) {
        if constexpr (IsTableMember<decltype(member)>()) (to.*member)(i) = (from.*member)(i);
      },
      row.member);
}

// Whether a and b hold the same value in the scalar row, or in entry i of
// the table row.
bool SameScalar(const GraphOptions& a, const GraphOptions& b, const OptionField& row) {
  return std::visit(
      [&](auto member) {
        if constexpr (IsTableMember<decltype(member)>()) {
          return true;
        } else {
          return a.*member == b.*member;
        }
      },
      row.member);
}

bool SameEntry(const GraphOptions& a, const GraphOptions& b, const OptionField& row, Long i) {
  return std::visit(
      [&](auto member) {
        if constexpr (IsTableMember<decltype(member)>()) {
          return (a.*member)(i) == (b.*member)(i);
        } else {
          return true;
        }
      },
      row.member);
}

}  // namespace

std::span<const OptionField> GraphOptionFields() { return kFields; }

Long TableUpper(const OptionField& row) {
  Long upper = 0;
  std::visit(
      [&](auto member) {
        if constexpr (IsTableMember<decltype(member)>()) {
          upper = std::remove_cvref_t<decltype(GraphOptions{}.*member)>::kUpper;
        }
      },
      row.member);
  return upper;
}

void CopyOptions(GraphOptions& to, const GraphOptions& from, OptionCopy copy) {
  WalkOptionFields(
      [&](const OptionField& row) {
        if ((row.copies & copy) != 0) CopyScalar(to, from, row);
      },
      [&](std::span<const OptionField> run) {
        if ((run.front().copies & copy) == 0) return;
        ForEachEntry(run, LastEntry(run.front(), from.*run.front().count),
                     [&](const OptionField& row, Long i) { CopyEntry(to, from, row, i); });
      });
}

std::vector<std::string> DifferingRecordedOptions(const GraphOptions& a, const GraphOptions& b) {
  std::vector<std::string> differing;
  WalkOptionFields(
      [&](const OptionField& row) {
        if (!row.record.recorded) return;
        if (row.record.presentIf != nullptr && !(a.*row.record.presentIf)) return;
        if (!SameScalar(a, b, row)) differing.emplace_back(row.name);
      },
      [&](std::span<const OptionField> run) {
        if (!run.front().record.recorded) return;
        const Long count = std::min(a.*run.front().count, b.*run.front().count);
        const long long last =
            std::min<long long>(LastEntry(run.front(), count), TableUpper(run.front()));
        ForEachEntry(run, last, [&](const OptionField& row, Long i) {
          if (!SameEntry(a, b, row, i))
            differing.push_back(std::string(row.name) + "(" + CStr(i) + ")");
        });
      });
  return differing;
}

}  // namespace qv
