// The cleaning of typed number texts: which characters pass, what the empty
// and blank texts become, and that the routines consume the caller's text.
#include "data/number_text.h"

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct ParseCase {
  const char* text;
  bool ok;
  const char* result;
};

class ParseRealTextTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseRealTextTest, CleansAndConsumes) {
  const ParseCase& c = GetParam();
  std::string text = c.text;
  std::string result = "stale";
  EXPECT_EQ(ParseRealText(text, result), c.ok);
  EXPECT_EQ(result, c.result);
  EXPECT_TRUE(text.empty()) << "the caller's text is consumed, on failure too";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseRealTextTest,
    testing::Values(ParseCase{"", true, "0"}, ParseCase{" ", true, "0"},
                    // Only the untouched box reads as zero; two blanks clean to nothing.
                    ParseCase{"  ", true, ""}, ParseCase{"1,5e3", true, "1.5e3"},
                    ParseCase{"1;5", false, "1"}, ParseCase{"1 234,5", true, "1234.5"},
                    ParseCase{"-2.5E-3", true, "-2.5E-3"},
                    // The number's syntax is not checked, only its characters.
                    ParseCase{"1..2--", true, "1..2--"}, ParseCase{"abc", false, ""},
                    ParseCase{"+1", false, ""}, ParseCase{"12\t", false, "12"},
                    ParseCase{"3\xe9", false, "3"}));

class ParseIntTextTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseIntTextTest, CleansAndConsumes) {
  const ParseCase& c = GetParam();
  std::string text = c.text;
  std::string result = "stale";
  EXPECT_EQ(ParseIntText(text, result), c.ok);
  EXPECT_EQ(result, c.result);
  EXPECT_TRUE(text.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseIntTextTest,
                         testing::Values(ParseCase{"", false, ""}, ParseCase{" ", false, ""},
                                         ParseCase{"12 ", false, "12"},
                                         ParseCase{"1 2", false, "1"}, ParseCase{"12", true, "12"},
                                         ParseCase{"1,5", true, "1.5"},
                                         ParseCase{"1e3", true, "1e3"}, ParseCase{"-7", true, "-7"},
                                         ParseCase{"x1", false, ""}));

struct NormalizeCase {
  const char* text;
  const char* result;
};

class NormalizeNumTextTest : public testing::TestWithParam<NormalizeCase> {};

TEST_P(NormalizeNumTextTest, CleansAndConsumes) {
  std::string text = GetParam().text;
  EXPECT_EQ(NormalizeNumText(text), GetParam().result);
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(NormalizedNumText(GetParam().text), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormalizeNumTextTest,
    testing::Values(NormalizeCase{"1 234,5", "1234.5"}, NormalizeCase{"2*pi", "2*pi"},
                    NormalizeCase{"3;4", ""}, NormalizeCase{"-0,25", "-0.25"},
                    NormalizeCase{"1#", ""}, NormalizeCase{"(1+2)^3/4", "(1+2)^3/4"},
                    NormalizeCase{"", ""}, NormalizeCase{"   ", ""},
                    NormalizeCase{"1.5E+3", "1.5E+3"},
                    // Letters are the ASCII ones only; a Windows-1252 letter is refused.
                    NormalizeCase{"caf\xe9", ""}, NormalizeCase{"1\n", ""}));

TEST(NumberText, NormalizedNumTextKeepsTheCallersText) {
  const std::string text = "1,5";
  EXPECT_EQ(NormalizedNumText(text), "1.5");
  EXPECT_EQ(text, "1,5");
}

TEST(StrToAnsiBytes, WritesTheCodesAndAZero) {
  std::vector<std::uint8_t> bytes(3, 0xff);
  StrToAnsiBytes(bytes, "ab");
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{97, 98, 0}));
}

TEST(StrToAnsiBytes, EmptyTextWritesNothing) {
  std::vector<std::uint8_t> bytes(2, 0xff);
  StrToAnsiBytes(bytes, "");
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0xff, 0xff}));
  std::vector<std::uint8_t> none;
  StrToAnsiBytes(none, "");
  EXPECT_TRUE(none.empty());
}

TEST(StrToAnsiBytes, HighCodesStayUnsignedAndAShortArrayGrows) {
  std::vector<std::uint8_t> bytes;
  StrToAnsiBytes(bytes, "\xe9\xb0");
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0xe9, 0xb0, 0}));
}

TEST(StrToAnsiBytes, BytesBeyondTheTextAreLeftAlone) {
  std::vector<std::uint8_t> bytes(6, 7);
  StrToAnsiBytes(bytes, "xy");
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{'x', 'y', 0, 7, 7, 7}));
}

}  // namespace
}  // namespace qv
