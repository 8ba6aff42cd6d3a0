// The option table: the rules a new row must keep for the copies and the
// record to stay right, and the comparison and copy that walk it.
#include "graphs/graph_options.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/graph_option_fill.h"

namespace qv {
namespace {

// Whether a and b hold the same value in the scalar row, or in the entries
// lo..hi of the table row.
bool SameScalar(const GraphOptions& a, const GraphOptions& b, const OptionField& row) {
  bool same = true;
  VisitScalar(a, row, [&](const auto& x) {
    VisitScalar(b, row, [&](const auto& y) {
      if constexpr (std::is_same_v<decltype(x), decltype(y)>) same = x == y;
    });
  });
  return same;
}

bool SameEntries(const GraphOptions& a, const GraphOptions& b, const OptionField& row, Long lo,
                 Long hi) {
  bool same = true;
  for (Long i = lo; i <= hi; ++i) {
    VisitEntry(a, row, i, [&](const auto& x) {
      VisitEntry(b, row, i, [&](const auto& y) {
        if constexpr (std::is_same_v<decltype(x), decltype(y)>) same = same && x == y;
      });
    });
  }
  return same;
}

// After a copy: a taken scalar holds the source's value, a taken table the
// source's entries in use and its own elsewhere, anything else its own.
bool CopiedAsMarked(const GraphOptions& target, const GraphOptions& source,
                    const GraphOptions& before, const OptionField& row, bool taken) {
  if (!row.IsTable()) return SameScalar(target, taken ? source : before, row);
  const Long upper = TableUpper(row);
  if (!taken) return SameEntries(target, before, row, 0, upper);
  const auto last = static_cast<Long>(LastEntry(row, source.*row.count));
  return SameEntries(target, source, row, row.first, last) &&
         SameEntries(target, before, row, 0, row.first - 1) &&
         SameEntries(target, before, row, last + 1, upper);
}

const OptionField* RowOfCount(Long GraphOptions::*count) {
  for (const OptionField& row : GraphOptionFields()) {
    if (std::holds_alternative<Long GraphOptions::*>(row.member) &&
        std::get<Long GraphOptions::*>(row.member) == count) {
      return &row;
    }
  }
  return nullptr;
}

TEST(GraphOptionsTest, EveryFieldIsListedOnceUnderItsOwnName) {
  std::set<std::string_view> names;
  for (const OptionField& row : GraphOptionFields()) {
    EXPECT_TRUE(names.insert(row.name).second) << row.name << " listed twice";
  }
  EXPECT_EQ(names.size(), GraphOptionFields().size());
}

// A table must follow its count, which must be a count row that refuses
// exactly what the table cannot hold; else a record could be read into
// entries that do not exist, or refused while it fits.
TEST(GraphOptionsTest, EveryTableFollowsACountThatFitsIt) {
  std::set<const OptionField*> seen;
  for (const OptionField& row : GraphOptionFields()) {
    seen.insert(&row);
    if (!row.IsTable()) continue;
    SCOPED_TRACE(row.name);
    const OptionField* count = RowOfCount(row.count);
    ASSERT_NE(count, nullptr);
    EXPECT_TRUE(seen.count(count)) << "the count comes after its table";
    EXPECT_EQ(count->record.countLimit, TableUpper(row) - row.first + 1);
    EXPECT_LE(count->record.since, row.record.since);
  }
}

// A record of format v ends where the fields of v + 1 begin: a field listed
// after one of a later format would be read at the wrong place.
TEST(GraphOptionsTest, RecordedFieldsComeInTheOrderOfTheirFormats) {
  Long since = 0;
  for (const OptionField& row : GraphOptionFields()) {
    if (!row.record.recorded) continue;
    EXPECT_GE(row.record.since, since) << row.name;
    since = row.record.since;
  }
}

// Each copy takes the rows marked for it and leaves every other row alone,
// whatever the row's type.
TEST(GraphOptionsTest, EachCopyTakesExactlyItsRows) {
  GraphOptions source;
  test::OptionValues values(100);
  test::FillOptions(source, values, test::AnyOption);
  source.Slice4NumX = 50;
  source.Slice4NumY = 2;
  source.Slice4NumZ = 0;
  source.ColorNum = 5;
  for (const OptionCopy copy : {kByEqual, kByEqualTo, kByTabEqualTo}) {
    SCOPED_TRACE(copy);
    GraphOptions target;
    const GraphOptions before = target;
    CopyOptions(target, source, copy);
    for (const OptionField& row : GraphOptionFields()) {
      const bool taken = (row.copies & copy) != 0;
      EXPECT_TRUE(CopiedAsMarked(target, source, before, row, taken)) << row.name;
    }
  }
}

// The comparison names each recorded field that differs, and no other.
TEST(GraphOptionsTest, ComparisonNamesTheRecordedFieldThatDiffers) {
  GraphOptions a;
  test::OptionValues values(7);
  test::FillOptions(a, values, test::AnyOption);
  a.ShowContour = true;
  a.Slice4NumX = a.Slice4NumY = a.Slice4NumZ = 2;
  a.ColorNum = 3;
  ASSERT_TRUE(DifferingRecordedOptions(a, a).empty());
  for (const OptionField& row : GraphOptionFields()) {
    if (test::IsCount(row)) continue;
    SCOPED_TRACE(row.name);
    GraphOptions b = a;
    const auto change = [](auto& value) {
      using T = std::remove_cvref_t<decltype(value)>;
      if constexpr (std::is_same_v<T, bool>) {
        value = !value;
      } else if constexpr (std::is_same_v<T, std::string>) {
        value += "x";
      } else {
        value += 1;
      }
    };
    if (row.IsTable()) {
      VisitEntry(b, row, row.first, change);
    } else {
      VisitScalar(b, row, change);
    }
    const std::string expected =
        row.IsTable() ? std::string(row.name) + "(" + CStr(row.first) + ")" : std::string(row.name);
    const std::vector<std::string> differing = DifferingRecordedOptions(a, b);
    if (row.record.recorded) {
      EXPECT_EQ(differing, std::vector<std::string>{expected});
    } else {
      EXPECT_TRUE(differing.empty());
    }
  }
}

}  // namespace
}  // namespace qv
