#include "platform/runtime.h"

#include <cmath>
#include <limits>

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
