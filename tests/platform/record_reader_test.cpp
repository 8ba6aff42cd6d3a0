#include "platform/record_reader.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(SplitRecordTest, SplitsAtEverySingleBlank) {
  EXPECT_EQ(SplitRecord("a  b "), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(SplitRecord("").empty());
}

struct TextCase {
  std::string name;
  std::string record;
  bool read;
  std::string text;
  std::string next;  // the token read after the field
};

class ReadTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(ReadTextTest, FollowsTheTextRule) {
  const TextCase& c = GetParam();
  RecordReader reader(SplitRecord(c.record));
  std::string text = "unchanged";
  EXPECT_EQ(reader.ReadText(text), c.read);
  EXPECT_EQ(text, c.read ? c.text : "unchanged");
  EXPECT_EQ(reader.Next(), c.next);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, ReadTextTest,
    testing::Values(TextCase{"OneToken", "@abc@ 5", true, "abc", "5"},
                    TextCase{"Empty", "@@ 5", true, "", "5"},
                    TextCase{"TwoWords", "@a b@ 5", true, "a b", "5"},
                    TextCase{"TwoBlanks", "@a  b@ 5", true, "a  b", "5"},
                    // A text that began with a blank gives the token "@" alone.
                    TextCase{"LoneAt", "@ a@ 5", true, " a", "5"},
                    TextCase{"TrailingBlank", "@a @ 5", true, "a ", "5"},
                    TextCase{"NoAtIsNotConsumed", "abc 5", false, "", "abc"},
                    TextCase{"Unclosed", "@a b c", false, "", "b"}),
    [](const testing::TestParamInfo<TextCase>& info) { return info.param.name; });

TEST(ReadTextTest, JoinsAtMost100FurtherTokens) {
  std::string within = "@a";
  for (int i = 0; i < 99; ++i) within += " x";
  RecordReader ok(SplitRecord(within + " y@ 7"));
  std::string text;
  EXPECT_TRUE(ok.ReadText(text));
  EXPECT_EQ(ok.Next(), "7");
  RecordReader tooLong(SplitRecord(within + " x y@ 7"));
  EXPECT_FALSE(tooLong.ReadText(text));
  EXPECT_EQ(tooLong.Next(), "x");
}

TEST(RecordReaderTest, NumbersAndFlagsNeverThrow) {
  RecordReader reader(SplitRecord("2.5 3.5 abc 1e999 -1e999 True True 1"));
  EXPECT_EQ(reader.ReadLong(), 2);
  EXPECT_EQ(reader.ReadLong(), 4);
  EXPECT_EQ(reader.ReadLong(), 0);
  EXPECT_EQ(reader.ReadLong(), 2147483647);
  EXPECT_DOUBLE_EQ(reader.ReadDouble(), 0.0);
  EXPECT_TRUE(reader.ReadFlag(true));
  EXPECT_FALSE(reader.ReadFlag(false));
  EXPECT_TRUE(reader.ReadFlag(false));
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.Next(), "");
  EXPECT_EQ(reader.ReadLong(), 0);
}

}  // namespace
}  // namespace qv
