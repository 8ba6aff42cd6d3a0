#include "platform/runtime.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/checked_array.h"
#include "platform/keyed_collection.h"
#include "platform/text_encoding.h"

namespace qv {
namespace {

TEST(RuntimeTest, CLngRoundsHalfToEven) {
  struct Case {
    double in;
    Long out;
  };
  for (const Case& c : {Case{2.5, 2},
                        {3.5, 4},
                        {-2.5, -2},
                        {-3.5, -4},
                        {0.49, 0},
                        {1.5, 2},
                        {2147483647.4, 2147483647},
                        {-2147483648.0, -2147483647 - 1}}) {
    EXPECT_EQ(CLng(c.in), c.out) << c.in;
  }
}

TEST(RuntimeTest, CLngOverflowIsError6) {
  for (double bad : {2147483648.0, -2147483649.0, std::nan(""), HUGE_VAL}) {
    try {
      CLng(bad);
      ADD_FAILURE() << bad;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), kOverflow);
    }
  }
  EXPECT_EQ(SaturateLong(1e300), std::numeric_limits<Long>::max());
  EXPECT_EQ(SaturateLong(-1e300), std::numeric_limits<Long>::min());
  EXPECT_EQ(SaturateLong(std::nan("")), 0);
}

TEST(RuntimeTest, IntFloorsFixTruncates) {
  EXPECT_EQ(Int(-2.5), -3);
  EXPECT_EQ(Fix(-2.5), -2);
  EXPECT_EQ(Int(2.5), 2);
  EXPECT_EQ(Fix(2.5), 2);
}

TEST(RuntimeTest, ValReadsTheLeadingNumber) {
  struct Case {
    const char* in;
    double out;
  };
  for (const Case& c : {Case{"", 0},
                        {"abc", 0},
                        {"  12", 12},
                        {"\t-3.5x", -3.5},
                        {"1,5", 1},
                        {".5", 0.5},
                        {"1e3", 1000},
                        {"2D2", 200},
                        {"1e", 1},
                        {"+7", 7},
                        {"-", 0},
                        {"3.", 3}}) {
    EXPECT_EQ(Val(c.in), c.out) << c.in;
  }
  EXPECT_TRUE(std::isinf(Val("1e999")));
}

TEST(RuntimeTest, FormatDoubleShortForm) {
  struct Case {
    double in;
    const char* out;
  };
  for (const Case& c : {Case{0.5, "0.5"},
                        {100, "100"},
                        {-0.0, "0"},
                        {0.1, "0.1"},
                        {1e20, "1E+20"},
                        {-2.5e-7, "-2.5E-07"},
                        {1.0 / 3.0, "0.333333333333333"},
                        {123456789012345678.0, "1.23456789012346E+17"},
                        {std::nan(""), "0"}}) {
    EXPECT_EQ(FormatDouble(c.in), c.out) << c.in;
  }
  for (double v : {0.1, 3.14159, -123.456, 1e-300, 6.02e23}) {
    EXPECT_NEAR(Val(FormatDouble(v)), v, std::abs(v) * 1e-14);
  }
}

TEST(CheckedArrayTest, AccessOutsideBoundsIsError9) {
  CheckedArray<double, 2> a;
  EXPECT_THROW(a(0, 0), RuntimeError);  // never allocated
  a.Redim0(2, 3);
  a(2, 3) = 5;
  EXPECT_EQ(a(2, 3), 5);
  EXPECT_EQ(a(0, 0), 0);
  for (auto [i, j] : {std::pair{3, 0}, {0, 4}, {-1, 0}, {0, -1}}) {
    try {
      a(i, j);
      ADD_FAILURE() << i << "," << j;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), kSubscriptOutOfRange);
    }
  }
  a.Erase();
  EXPECT_THROW(a(0, 0), RuntimeError);
  FixedTable<double, 0, 50> t;
  EXPECT_NO_THROW(t(50));
  EXPECT_THROW(t(51), RuntimeError);
}

TEST(KeyedCollectionTest, CountsFromOneRefusesDuplicatesMovesUpOnRemoval) {
  KeyedCollection<int> c;
  c.Add(10, "1");
  c.Add(20, "2");
  c.Add(30, "3");
  try {
    c.Add(40, "2");
    ADD_FAILURE();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kDuplicateKey);
  }
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Item(1), 10);
  c.Remove("1");
  EXPECT_EQ(c.Item(1), 20);
  EXPECT_EQ(c.Item(2), 30);
  c.Remove(1);
  EXPECT_EQ(c.Item(1), 30);
  EXPECT_EQ(c.Item("3"), 30);
  EXPECT_THROW(c.Item(2), RuntimeError);
  EXPECT_THROW(c.Item("9"), RuntimeError);
  EXPECT_THROW(c.Item(0), RuntimeError);
}

// The index that finds keys must follow every change of the items: each
// case runs its steps on the collection and on a plain list of keys, and
// after every step each key ever used must be found where the list has it.
struct KeyedStep {
  enum Kind { kAdd, kRemoveAt, kRemoveKey, kClear } kind;
  std::string key;    // kAdd, kRemoveKey
  Long position = 0;  // kRemoveAt
  bool throws = false;
};

struct KeyedCase {
  const char* name;
  std::vector<KeyedStep> steps;
};

void PrintTo(const KeyedCase& c, std::ostream* out) { *out << c.name; }

class KeyedCollectionIndexTest : public testing::TestWithParam<KeyedCase> {};

TEST_P(KeyedCollectionIndexTest, FindsEveryKeyWhereItIs) {
  KeyedCollection<int> c;
  std::vector<std::string> keys;  // the reference, in position order
  std::set<std::string> used;
  int value = 0;
  for (const KeyedStep& step : GetParam().steps) {
    used.insert(step.key);
    switch (step.kind) {
      case KeyedStep::kAdd:
        if (step.throws) {
          EXPECT_THROW(c.Add(++value, step.key), RuntimeError);
        } else {
          c.Add(++value, step.key);
          keys.push_back(step.key);
        }
        break;
      case KeyedStep::kRemoveAt:
        if (step.throws) {
          EXPECT_THROW(c.Remove(step.position), RuntimeError);
        } else {
          c.Remove(step.position);
          keys.erase(keys.begin() + (step.position - 1));
        }
        break;
      case KeyedStep::kRemoveKey:
        if (step.throws) {
          EXPECT_THROW(c.Remove(step.key), RuntimeError);
        } else {
          c.Remove(step.key);
          keys.erase(std::find(keys.begin(), keys.end(), step.key));
        }
        break;
      case KeyedStep::kClear:
        c.Clear();
        keys.clear();
        break;
    }
    ASSERT_EQ(c.Count(), static_cast<Long>(keys.size()));
    for (const std::string& key : used) {
      const auto at = std::find(keys.begin(), keys.end(), key);
      const Long expected = at == keys.end() ? 0 : static_cast<Long>(at - keys.begin()) + 1;
      EXPECT_EQ(c.Find(key), expected) << key;
      if (expected != 0) {
        EXPECT_EQ(c.KeyAt(expected), key);
      }
    }
  }
}

using S = KeyedStep;
const KeyedCase kKeyedCases[] = {
    {"RemovalsAtFrontMiddleAndBack",
     {{S::kAdd, "a"},
      {S::kAdd, "b"},
      {S::kAdd, "c"},
      {S::kAdd, "d"},
      {S::kAdd, "e"},
      {S::kRemoveAt, "", 1},
      {S::kRemoveAt, "", 2},
      {S::kRemoveAt, "", 3}}},
    {"RemovalsByKey",
     {{S::kAdd, "10"},
      {S::kAdd, "20"},
      {S::kAdd, "30"},
      {S::kRemoveKey, "20"},
      {S::kRemoveKey, "10"},
      {S::kRemoveKey, "30"}}},
    {"RemovedKeyAddedAgainGoesLast",
     {{S::kAdd, "1"},
      {S::kAdd, "2"},
      {S::kAdd, "3"},
      {S::kRemoveKey, "1"},
      {S::kAdd, "1"},
      {S::kRemoveAt, "", 2},
      {S::kAdd, "3"}}},
    {"RefusedStepsChangeNothing",
     {{S::kAdd, "1"},
      {S::kAdd, "2"},
      {S::kAdd, "1", 0, true},
      {S::kRemoveAt, "", 3, true},
      {S::kRemoveAt, "", 0, true},
      {S::kRemoveKey, "9", 0, true},
      {S::kAdd, "3"}}},
    {"ClearForgetsEveryKey",
     {{S::kAdd, "1"},
      {S::kAdd, "2"},
      {S::kClear, ""},
      {S::kAdd, "2"},
      {S::kAdd, "1"},
      {S::kRemoveAt, "", 1}}},
};

INSTANTIATE_TEST_SUITE_P(Steps, KeyedCollectionIndexTest, testing::ValuesIn(kKeyedCases),
                         [](const testing::TestParamInfo<KeyedCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(TextEncodingTest, RoundTripsWindows1252) {
  std::string all;
  for (int b = 1; b < 256; ++b) {
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
    all += static_cast<char>(b);
  }
  const auto back = Utf8ToCp1252(Cp1252ToUtf8(all));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");         // euro sign
  EXPECT_FALSE(Utf8ToCp1252("\xE4\xB8\xAD").has_value());  // a CJK character
  EXPECT_FALSE(Utf8ToCp1252("\xC3").has_value());          // cut short
}

}  // namespace
}  // namespace qv
