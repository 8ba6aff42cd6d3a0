#include "entry_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

namespace qv {
namespace {

TEST(EntryTextTest, StrictNumbersAreWholeTextsWithAPointWhateverTheLocale) {
  // A decimal comma in the user's locale must not change how a box reads.
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old != nullptr ? old : "C";
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  EXPECT_EQ(ReadStrictNumber(" 1.5 "), 1.5);
  EXPECT_EQ(ReadStrictNumber("+2e3"), 2000.0);
  EXPECT_EQ(ReadStrictNumber("-0.25"), -0.25);
  for (const char* refused : {"", "  ", "1,5", "1.5x", "abc", "inf", "nan", "0x10", "1e400", "1e"})
    EXPECT_FALSE(ReadStrictNumber(refused)) << refused;
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(EntryTextTest, NumbersBeyondTheirTypeAreRefused) {
  EXPECT_EQ(ReadSingleLeading("1.5abc"), 1.5f);
  EXPECT_EQ(ReadSingleLeading(""), 0.0f);
  EXPECT_FALSE(ReadSingleLeading("1e39"));
  EXPECT_FALSE(ReadSingleLeading("-1e39"));
  EXPECT_FALSE(ReadRealBox("1e400"));
  EXPECT_EQ(ReadRealBox("1,5"), 1.5);
  EXPECT_FALSE(ReadRealBox("1;5"));
  EXPECT_EQ(ReadWholeLeading("2.5"), 2);
  EXPECT_EQ(ReadWholeLeading("3.5"), 4);
  EXPECT_FALSE(ReadWholeLeading("3e9"));
}

TEST(EntryTextTest, SinglesShowSevenDigitsAtMostWithAPoint) {
  EXPECT_EQ(FormatSingle(0.1f), "0.1");
  EXPECT_EQ(FormatSingle(1000.0f), "1000");
  EXPECT_EQ(FormatSingle(1.0f / 3.0f), "0.3333333");
  EXPECT_EQ(FormatSingle(-2.5f), "-2.5");
}

TEST(EntryTextTest, BlankIntervalsTakeANiceStepAndTypedOnesMustBePositive) {
  EXPECT_EQ(AutoContourStep(10.0), 1.0);
  EXPECT_EQ(AutoContourStep(37.0), 5.0);
  EXPECT_DOUBLE_EQ(AutoContourStep(0.18), 0.02);
  EXPECT_EQ(AutoContourStep(0.0), 1.0);
  EXPECT_EQ(ReadContourInterval("  ", 2.0), 2.0);
  EXPECT_EQ(ReadContourInterval("0,5", 2.0), 0.5);
  for (const char* refused : {"0", "-1", "x", "1e400"})
    EXPECT_FALSE(ReadContourInterval(refused, 2.0)) << refused;
}

}  // namespace
}  // namespace qv
