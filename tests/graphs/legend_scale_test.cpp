#include "legend_scale.h"

#include <cmath>
#include <locale>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct ScaleCase {
  const char* name;
  double min, max;
  double step, first, last;
  Long count;
};

class LegendScaleTable : public testing::TestWithParam<ScaleCase> {};

TEST_P(LegendScaleTable, StepFirstLastCount) {
  const ScaleCase& c = GetParam();
  double min = c.min;
  LegendScale s;
  ASSERT_TRUE(GetLegendScale(min, c.max, s));
  EXPECT_NEAR(s.step, c.step, 1e-9);
  EXPECT_NEAR(s.first, c.first, 1e-9);
  EXPECT_NEAR(s.last, c.last, 1e-9);
  EXPECT_EQ(s.count, c.count);
  EXPECT_LE(s.count, 20);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, LegendScaleTable,
    testing::Values(ScaleCase{"Unit", 0, 1, 0.2, 0, 1, 5},
                    ScaleCase{"ThreeTo47", 3, 47, 5, 5, 45, 8},
                    ScaleCase{"Hundredths", 0, 0.05, 0.01, 0, 0.05, 5},
                    ScaleCase{"Negative", -10, -2, 1, -10, -2, 8},
                    ScaleCase{"MinNearMultiple", 2.00000000001 * 0.2, 1.9, 0.2, 0.4, 1.8, 7},
                    // min = max counts from zero.
                    ScaleCase{"ZeroRange", 7, 7, 1, 0, 7, 7}),
    [](const testing::TestParamInfo<ScaleCase>& info) { return info.param.name; });

TEST(LegendScale, ZeroRangeSetsTheMinimumToZero) {
  double min = 7;
  LegendScale s;
  ASSERT_TRUE(GetLegendScale(min, 7, s));
  EXPECT_EQ(min, 0.0);
}

// A zero range at or below zero, or a reversed range, took the logarithm of
// 0 or of a negative number; the scale is refused and nothing changes.
TEST(LegendScale, NonPositiveRangesAreRefused) {
  struct Case {
    double min, max;
  };
  for (const Case c : {Case{0, 0}, Case{-3, -3}, Case{5, 1}, Case{NAN, 1}, Case{0, INFINITY}}) {
    double min = c.min;
    LegendScale s{1, 2, 3, 4};
    EXPECT_FALSE(GetLegendScale(min, c.max, s)) << c.min << ".." << c.max;
    EXPECT_EQ(s.count, 4);
    if (!std::isnan(c.min)) {
      EXPECT_EQ(min, c.min);
    }
  }
}

TEST(LegendScale, RoundUpKeepsNearWholeNumbers) {
  EXPECT_EQ(RoundUp(2.0), 2.0);
  EXPECT_EQ(RoundUp(2.00000000001), 2.00000000001);
  EXPECT_EQ(RoundUp(2.1), 3.0);
  EXPECT_EQ(RoundUp(-2.5), -2.0);
}

TEST(LegendLabel, DecimalsFollowTheValue) {
  struct Case {
    double v;
    int decimals;
    const char* text;
  };
  const Case cases[] = {{0, 0, "0"},
                        {1, 0, "1"},
                        {0.2, 1, "0.2"},
                        {0.05, 2, "0.05"},
                        {-0.4, 1, "-0.4"},
                        {12.125, 3, "12.125"},
                        {1.0 / 3, 4, "0.3333"},
                        {2500, 0, "2500"},
                        {-0.00001, 5, "-0.00001"},
                        {1e-17, 0, "0"},
                        {-0.6000000000000001, 1, "-0.6"}};
  for (const Case& c : cases) {
    EXPECT_EQ(LegendDecimals(c.v), c.decimals) << c.v;
    EXPECT_EQ(FormatLegendLabel(c.v, LegendDecimals(c.v)), c.text) << c.v;
  }
}

// The labels of a whole scale, computed as the legend computes its ticks:
// values such as 0.19999999999999998 or -0.6000000000000001 must get the
// fewest decimals that show them, like their neighbours.
struct LabelCase {
  const char* name;
  double min, max;
  std::vector<std::string> labels;
};

class LegendLabelTable : public testing::TestWithParam<LabelCase> {};

TEST_P(LegendLabelTable, EveryLabelHasTheFewestDecimalsThatShowIt) {
  const LabelCase& c = GetParam();
  double min = c.min;
  LegendScale s;
  ASSERT_TRUE(GetLegendScale(min, c.max, s));
  std::vector<std::string> labels;
  for (Long k = 0; k <= s.count; ++k) {
    const double v = s.first + k * s.step;
    labels.push_back(FormatLegendLabel(v, LegendDecimals(v)));
  }
  EXPECT_EQ(labels, c.labels);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, LegendLabelTable,
    testing::Values(
        LabelCase{"MinusSixTenthsToEightTenths",
                  -0.6,
                  0.8,
                  {"-0.6", "-0.4", "-0.2", "0", "0.2", "0.4", "0.6", "0.8"}},
        LabelCase{"Tenths", 0, 1, {"0", "0.2", "0.4", "0.6", "0.8", "1"}},
        LabelCase{"TenthsFromPointOne",
                  0.1,
                  0.9,
                  {"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9"}},
        LabelCase{"TenthsToNineTenths",
                  0,
                  0.9,
                  {"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9"}},
        LabelCase{"Hundreds",
                  0,
                  900,
                  {"0", "100", "200", "300", "400", "500", "600", "700", "800", "900"}},
        LabelCase{"FiveHundreds", -1000, 1000, {"-1000", "-500", "0", "500", "1000"}},
        LabelCase{
            "Hundredths", 0, 0.07, {"0", "0.01", "0.02", "0.03", "0.04", "0.05", "0.06", "0.07"}},
        LabelCase{"HundredThousandths",
                  0,
                  5e-5,
                  {"0", "0.00001", "0.00002", "0.00003", "0.00004", "0.00005"}},
        LabelCase{"TwoMillionths",
                  1e-6,
                  1.3e-5,
                  {"0.000002", "0.000004", "0.000006", "0.000008", "0.00001", "0.000012"}},
        LabelCase{
            "NegativeTenths", -1.7, -0.3, {"-1.6", "-1.4", "-1.2", "-1", "-0.8", "-0.6", "-0.4"}},
        LabelCase{"NegativeHalves", -3.3, 0.4, {"-3", "-2.5", "-2", "-1.5", "-1", "-0.5", "0"}},
        LabelCase{"AcrossZeroThousandths",
                  -0.0031,
                  0.0042,
                  {"-0.003", "-0.002", "-0.001", "0", "0.001", "0.002", "0.003", "0.004"}},
        LabelCase{"FarFromZero",
                  123456,
                  123457.8,
                  {"123456", "123456.2", "123456.4", "123456.6", "123456.8", "123457", "123457.2",
                   "123457.4", "123457.6", "123457.8"}}),
    [](const testing::TestParamInfo<LabelCase>& info) { return info.param.name; });

// Labels take the decimal sign and grouping of the locale they are given.
TEST(LegendLabel, LocaleSignsAreUsed) {
  struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
  };
  const std::locale comma(std::locale::classic(), new CommaPunct);
  EXPECT_EQ(FormatLegendLabel(1234567.5, 1, comma), "1.234.567,5");
  EXPECT_EQ(FormatLegendLabel(-0.25, 2, comma), "-0,25");
  EXPECT_EQ(FormatLegendLabel(999, 0, comma), "999");
}

}  // namespace
}  // namespace qv
