#include "scene/axis_system.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scene/color.h"

namespace qv {
namespace {

TEST(AxisRecordTest, DefaultRecordTokenByToken) {
  AxisSystem axis;
  axis.SetDefault();
  const std::vector<std::string> want{
      "1",        "0",   "0",        "0",        "1",        "1",        "1",
      "1",        "1",   "1",        "2",        "2",        "2",        "@X@",
      "@Y@",      "@Z@", "13421772", "13421772", "13421772", "10066329", "10066329",
      "10066329", "4",   "4",        "4",        "0",        "1",        "1"};
  const std::string record = axis.Save();
  ASSERT_EQ(record.back(), ' ');
  EXPECT_EQ(SplitRecord(record), want);
  std::string joined;
  for (const auto& token : want) joined += token + " ";
  EXPECT_EQ(record, joined);
}

TEST(AxisRecordTest, HiddenAxisSavesASingleZero) {
  AxisSystem axis;
  axis.SetDefault();
  axis.ShowXYPanel = true;
  axis.Show = false;
  EXPECT_EQ(axis.Save(), "0 ");
  // A new axis system is hidden until its owner shows it.
  EXPECT_EQ(AxisSystem{}.Save(), "0 ");
}

TEST(AxisRecordTest, SetDefaultKeepsTheStyle) {
  AxisSystem axis;
  axis.AxisStyle = 2;
  axis.LabelNumY = 9;
  axis.SetTitleX("Time");
  axis.SetDefault();
  EXPECT_EQ(axis.AxisStyle, 2);
  EXPECT_EQ(axis.LabelNumY, 2);
  EXPECT_EQ(axis.TitleX(), "X");
}

// Every field must come back from Save through Read, and the reader must
// stop exactly at the end of the record (the scale settings follow it).
TEST(AxisRecordTest, ReadIsTheInverseOfSave) {
  AxisSystem axis;
  axis.SetDefault();
  axis.ShowYZPanel = true;
  axis.ShowXZZGrid = false;
  axis.LabelNumZ = -3;
  axis.SetTitleX("two  blanks");
  axis.SetTitleY("");
  axis.SetTitleZ("a@b @");
  axis.XZGridColor = RGB(1, 2, 3);
  axis.AxisWidth = 4;
  axis.BetterFonts = false;
  RecordReader reader(SplitRecord(axis.Save() + "3 1.5"));
  AxisSystem back;
  back.Read(reader);
  EXPECT_EQ(back.Save(), axis.Save());
  EXPECT_EQ(back.TitleX(), "two  blanks");
  EXPECT_EQ(back.TitleY(), "");
  EXPECT_EQ(reader.Next(), "3");
}

TEST(AxisRecordTest, ReaderAcceptsTrueAndStopsAfterAHiddenFlag) {
  RecordReader hidden(SplitRecord("0 1 4"));
  AxisSystem axis;
  axis.SetDefault();
  axis.Read(hidden);
  EXPECT_FALSE(axis.Show);
  EXPECT_EQ(hidden.Next(), "1");

  RecordReader shown(
      SplitRecord("True True 0 0 1 1 1 1 1 1 2 2 2 @X@ @Y@ @Z@ 1 2 3 4 5 6 7 8 9 "
                  "10 11 True"));
  axis.Read(shown);
  EXPECT_TRUE(axis.Show);
  EXPECT_TRUE(axis.ShowXYPanel);
  EXPECT_EQ(axis.AxisWidth, 11);
  EXPECT_TRUE(axis.BetterFonts);
}

// A short or hostile record must not throw or shift into nonsense: missing
// tokens read as 0 and a title item without "@" keeps the title.
TEST(AxisRecordTest, ShortRecordReadsZeros) {
  RecordReader reader(SplitRecord("1 1 0 0 1 1 1 1 1 1 2.5 3.5 1e300 Time"));
  AxisSystem axis;
  axis.SetDefault();
  axis.Read(reader);
  EXPECT_EQ(axis.LabelNumX, 2);
  EXPECT_EQ(axis.LabelNumY, 4);
  EXPECT_EQ(axis.LabelNumZ, 2147483647);
  EXPECT_EQ(axis.TitleX(), "X");
  EXPECT_EQ(axis.XYPanelColor, 0);  // "Time" read as a Long
  EXPECT_FALSE(axis.BetterFonts);
}

// A title holding "@" before a blank, or starting with a blank, used to
// shift every later field when the record was read back.
TEST(AxisTitleTest, TitlesAreCleanedSoTheRecordReadsBack) {
  struct Case {
    std::string in, out;
  };
  for (const Case& c : {Case{"Time", "Time"},
                        {" lead", "lead"},
                        {"   ", ""},
                        {"a@ b", "a b"},
                        {"x@@ y", "x y"},
                        {"@ a", "a"},
                        {"end@", "end@"},
                        {"@start", "@start"},
                        {"a @b", "a @b"},
                        {"", ""}}) {
    AxisSystem axis;
    axis.SetTitleZ(c.in);
    EXPECT_EQ(axis.TitleZ(), c.out) << "[" << c.in << "]";
    axis.Show = true;
    RecordReader reader(SplitRecord(axis.Save()));
    AxisSystem back;
    back.Read(reader);
    EXPECT_EQ(back.TitleZ(), c.out) << "[" << c.in << "]";
    EXPECT_EQ(back.AxisWidth, axis.AxisWidth) << "[" << c.in << "]";
  }
  // The reader joins at most 100 further tokens: longer titles are cut.
  AxisSystem axis;
  axis.SetTitleX(std::string(150, ' ') + std::string(150, 'a') + std::string(120, ' ') + "b");
  EXPECT_EQ(axis.TitleX(), std::string(150, 'a') + std::string(100, ' '));
}

struct CoordCase {
  std::string name;
  double min, max;
  double step, first, last;
  Long count;
  double minAfter;
};

class CoordTest : public testing::TestWithParam<CoordCase> {};

TEST_P(CoordTest, ChoosesStepFirstLastAndCount) {
  const CoordCase& c = GetParam();
  double minV = c.min, step = -7, first = -7, last = -7;
  Long count = -7;
  AxisSystem::Coord(minV, c.max, step, first, last, count);
  EXPECT_DOUBLE_EQ(step, c.step);
  EXPECT_DOUBLE_EQ(first, c.first);
  EXPECT_DOUBLE_EQ(last, c.last);
  EXPECT_EQ(count, c.count);
  EXPECT_DOUBLE_EQ(minV, c.minAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, CoordTest,
    testing::Values(CoordCase{"ZeroToOne", 0, 1, 0.2, 0, 1, 5, 0},
                    CoordCase{"ZeroToTen", 0, 10, 2, 0, 10, 5, 0},
                    CoordCase{"ThreeTo47", 3, 47, 5, 5, 50, 9, 3},
                    CoordCase{"ZeroTo7_3", 0, 7.3, 1, 0, 8, 8, 0},
                    CoordCase{"Minus3_2To4_1", -3.2, 4.1, 1, -3, 5, 8, -3.2},
                    CoordCase{"FiveToFive", 5, 5, 1, 0, 5, 5, 0},
                    CoordCase{"OneTo1000", 1, 1000, 100, 100, 1000, 9, 1},
                    // These ranges gave a mantissa of 10 and left the outputs stale.
                    CoordCase{"ZeroTo1000", 0, 1000, 200, 0, 1000, 5, 0},
                    CoordCase{"ZeroTo1e6", 0, 1e6, 2e5, 0, 1e6, 5, 0},
                    CoordCase{"ZeroTo1e9", 0, 1e9, 2e8, 0, 1e9, 5, 0},
                    // No logarithm: a count of 0, not an error.
                    CoordCase{"Negative", 4, 1, 0, 0, 0, 0, 4},
                    CoordCase{"ZeroAtZero", 0, 0, 0, 0, 0, 0, 0},
                    CoordCase{"ZeroBelowZero", -2, -2, 0, 0, 0, 0, 0}),
    [](const testing::TestParamInfo<CoordCase>& info) { return info.param.name; });

TEST(CoordTest, NonFiniteRangeCountsNothing) {
  double minV = 0, step, first, last;
  Long count = 3;
  AxisSystem::Coord(minV, std::numeric_limits<double>::infinity(), step, first, last, count);
  EXPECT_EQ(count, 0);
  minV = std::nan("");
  AxisSystem::Coord(minV, 1, step, first, last, count);
  EXPECT_EQ(count, 0);
}

TEST(ColorTest, SplitsAPackedLongIntoFractions) {
  const GlColor c = SplitColor(RGB(255, 102, 51));
  EXPECT_DOUBLE_EQ(c.r, 1.0);
  EXPECT_DOUBLE_EQ(c.g, 0.4);
  EXPECT_DOUBLE_EQ(c.b, 0.2);
  double r, g, b;
  SplitColor(RGB(0, 0, 255), r, g, b);
  EXPECT_DOUBLE_EQ(r + g, 0.0);
  EXPECT_DOUBLE_EQ(b, 1.0);
}

}  // namespace
}  // namespace qv
