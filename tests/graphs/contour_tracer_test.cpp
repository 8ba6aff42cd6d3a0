// The contour tracer without OpenGL: the levels of a step, the colours of
// the levels, the raise of nodes near a level, the walk through a cell, and
// whole traces with their limits, caught by a recording sink with each
// crossing placed at its grid position.
#include "contour_tracer.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "contour_test_support.h"

namespace qv::test {
namespace {

using Values = std::vector<double>;

// Levels

struct LevelCase {
  const char* name;
  double min, max, step;
  Long count;
  double first, last;
  // Whether the levels are multiples of the step asked for (not when its
  // multiples overflow).
  bool multiplesOfStep = true;
};

void PrintTo(const LevelCase& c, std::ostream* out) { *out << c.name; }

class ContourLevelsTest : public testing::TestWithParam<LevelCase> {};

TEST_P(ContourLevelsTest, GivesTheMultiplesOfTheStepInTheRange) {
  const LevelCase& c = GetParam();
  const ContourLevels levels = ContourLevelsOf(c.min, c.max, c.step);
  ASSERT_EQ(levels.count, c.count);
  if (c.count == 0) return;
  EXPECT_NEAR(levels.First(), c.first, 1e-9 * std::fabs(c.first) + 1e-12);
  EXPECT_NEAR(levels.Last(), c.last, 1e-9 * std::fabs(c.last) + 1e-12);
  if (!c.multiplesOfStep) return;
  // Every level is a multiple of the step asked for, also when widened.
  for (const Long k : {Long{0}, levels.count / 2, levels.count - 1}) {
    const double multiple = levels.At(k) / c.step;
    EXPECT_NEAR(multiple, std::round(multiple), 1e-6 * std::fabs(multiple)) << k;
  }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ContourLevelsTest,
    testing::Values(
        LevelCase{"ZeroToTenByTwoEndsOnTheMaximum", 0, 10, 2, 5, 2, 10},
        LevelCase{"ZeroToNineNineByTwoStopsAtEight", 0, 9.9, 2, 4, 2, 8},
        LevelCase{"AThousandByHundredIsTenLines", 0, 1000, 100, 10, 100, 1000},
        LevelCase{"NegativeValues", -5, 5, 2, 5, -4, 4},
        LevelCase{"AllValuesEqualGiveNoLevel", 3, 3, 1, 0, 0, 0},
        LevelCase{"StepBetweenMultiplesGivesNoLevel", 1.2, 1.8, 1, 0, 0, 0},
        LevelCase{"ZeroStep", 0, 10, 0, 0, 0, 0}, LevelCase{"NegativeStep", 0, 10, -2, 0, 0, 0},
        LevelCase{"NaNStep", 0, 10, kNaN, 0, 0, 0}, LevelCase{"InfiniteStep", 0, 10, kInf, 0, 0, 0},
        LevelCase{"InfiniteMaximum", 0, kInf, 1, 0, 0, 0},
        LevelCase{"NaNMinimum", kNaN, 10, 1, 0, 0, 0},
        // Millions of levels: widened to a multiple, at most the cap.
        LevelCase{"AMillionLevelsWidenedToTheCap", 0, 1e6, 1, kMaxContourLevels, 1000, 1e6},
        LevelCase{"ABillionLevelsWidenedToTheCap", 0, 1, 1e-9, kMaxContourLevels, 0.001, 1},
        LevelCase{"JustOverTheCapWidenedByTwo", 0, 1001, 1, 500, 2, 1000},
        // The multiples overflow: the step restarts from the values' size.
        LevelCase{"MultiplesBeyondDoubles", 0, 1e10, 1e-300, kMaxContourLevels, 1e7, 1e10, false}),
    [](const testing::TestParamInfo<LevelCase>& info) { return std::string(info.param.name); });

// Colours

TEST(ContourColorTest, ModesColourTheLevelsAsTheySay) {
  const ContourLevels levels = ContourLevelsOf(0, 10, 2);  // 2, 4, 6, 8, 10
  ContourColoring blend{kContourBlend, RGB(255, 0, 0), RGB(0, 0, 255), {}};
  ExpectRgb(*ContourLevelColor(blend, levels, 0), {0, 0, 1});
  ExpectRgb(*ContourLevelColor(blend, levels, 4), {1, 0, 0});
  ExpectRgb(*ContourLevelColor(blend, levels, 2), {0.5, 0, 0.5});

  const ContourColoring single{kContourSingle, RGB(255, 0, 0), RGB(0, 255, 0), {}};
  for (Long k = 0; k < levels.count; ++k)
    ExpectRgb(*ContourLevelColor(single, levels, k), {0, 1, 0});

  ContourColoring map{kContourMap, 0, 0, FindNamedColorMap("@EARTH")->points};
  ExpectRgb(*ContourLevelColor(map, levels, 0), {0, 0, 128 / 255.0});
  ExpectRgb(*ContourLevelColor(map, levels, 4), {128 / 255.0, 64 / 255.0, 64 / 255.0});
  ExpectRgb(*ContourLevelColor(map, levels, 2), {1, 1, 0});

  EXPECT_FALSE(ContourLevelColor({0, 0, 0, {}}, levels, 0));
  EXPECT_FALSE(ContourLevelColor({6, 0, 0, {}}, levels, 0));
}

// A single level has no range: the blend gives its lowest colour (the
// division by the empty range gave no colour at all), the map pure blue.
TEST(ContourColorTest, ASingleLevelTakesTheLowestBlendColourOrBlue) {
  const ContourLevels one = ContourLevelsOf(0, 3, 2);
  ASSERT_EQ(one.count, 1);
  ExpectRgb(*ContourLevelColor({kContourBlend, RGB(255, 0, 0), RGB(0, 255, 0), {}}, one, 0),
            {0, 1, 0});
  ExpectRgb(*ContourLevelColor({kContourMap, 0, 0, RainbowColorMap().points}, one, 0), {0, 0, 1});
}

// Raising Nodes Near A Level

TEST(ContourTracerTest, NodesNearALevelAreRaisedOnAPrivateCopy) {
  // Levels 1 and 2 on a 2 x 3 grid.
  const std::vector<double> values{0, 1, 2.00005, 0.5, 1.0002, 2.5};
  ContourTracer tracer(2, 3, values, 1);
  ASSERT_EQ(tracer.Levels().count, 2);
  const std::span<const double> v = tracer.Values();
  EXPECT_DOUBLE_EQ(v[0], 0);
  EXPECT_DOUBLE_EQ(v[1], 1.00001);
  EXPECT_DOUBLE_EQ(v[2], 2.00006);
  EXPECT_DOUBLE_EQ(v[3], 0.5);
  EXPECT_DOUBLE_EQ(v[4], 1.0002);
  EXPECT_DOUBLE_EQ(v[5], 2.5);
  EXPECT_EQ(values[1], 1.0) << "the caller's grid was changed";
}

// With a step below 1 the reach and the raise shrink with it: values of a
// few thousandths are not pushed across their levels.
TEST(ContourTracerTest, TheRaiseShrinksWithASmallStep) {
  const std::vector<double> values{0, 0.002, 0.00300005, 0.0040002};
  ContourTracer tracer(2, 2, values, 0.001);
  const std::span<const double> v = tracer.Values();
  EXPECT_DOUBLE_EQ(v[1], 0.002 + 1e-8);
  EXPECT_DOUBLE_EQ(v[2], 0.00300005 + 1e-8);
  EXPECT_DOUBLE_EQ(v[3], 0.0040002);
}

// A level through a row of nodes gives one unbroken line: without the raise
// no edge at those nodes would be crossed.
TEST(ContourTracerTest, ALevelThroughNodesGivesAnUnbrokenLine) {
  // v(i, j) = i on 3 x 3 nodes: level 1 passes through the middle row.
  ContourTracer tracer(3, 3, Values{0, 0, 0, 1, 1, 1, 2, 2, 2}, 1);
  RecordingSink sink;
  tracer.Trace(GridPositionPlacer(), {}, sink);
  const std::vector<RecordedLine> at1 = sink.LinesAt(1);
  ASSERT_EQ(at1.size(), 1u);
  ASSERT_EQ(at1[0].points.size(), 3u);
  for (Long j = 0; j < 3; ++j) {
    EXPECT_NEAR(at1[0].points[static_cast<std::size_t>(j)].x, 1.0, 1e-4);
    EXPECT_DOUBLE_EQ(at1[0].points[static_cast<std::size_t>(j)].y, static_cast<double>(j));
  }
}

// The Walk Through A Saddle Cell

struct SaddleCase {
  const char* name;
  ContourEdge entry;
  ContourStep step;
  ContourEdge exit;
  ContourStep exitStep;
};

void PrintTo(const SaddleCase& c, std::ostream* out) { *out << c.name; }

class ContourSaddleTest : public testing::TestWithParam<SaddleCase> {};

// One cell whose four edges all cross level 0.5: the side tried first wins.
TEST_P(ContourSaddleTest, TakesTheSideTheOrderTriesFirst) {
  const SaddleCase& c = GetParam();
  // (0,0) and (1,1) high, (1,0) and (0,1) low.
  const ContourTracer tracer(2, 2, Values{0.9, 0, 0, 0.9}, 0.5);
  ASSERT_EQ(tracer.Levels().count, 1);
  const std::optional<ContourMove> next = tracer.NextCrossing(c.entry, c.step, 0);
  ASSERT_TRUE(next);
  EXPECT_EQ(next->edge, c.exit);
  EXPECT_EQ(next->step, c.exitStep);
}

using S = ContourStep;
INSTANTIATE_TEST_SUITE_P(EachDirection, ContourSaddleTest,
                         testing::Values(SaddleCase{"UpFirstTriesTheLowerSecondSide",
                                                    {0, 0, false},
                                                    S::kUpFirst,
                                                    {0, 0, true},
                                                    S::kDownSecond},
                                         SaddleCase{"DownFirstTriesTheHigherSecondSide",
                                                    {1, 0, false},
                                                    S::kDownFirst,
                                                    {0, 1, true},
                                                    S::kUpSecond},
                                         SaddleCase{"UpSecondTriesTheLowerFirstSide",
                                                    {0, 0, true},
                                                    S::kUpSecond,
                                                    {0, 0, false},
                                                    S::kDownFirst},
                                         SaddleCase{"DownSecondTriesTheHigherFirstSide",
                                                    {0, 1, true},
                                                    S::kDownSecond,
                                                    {1, 0, false},
                                                    S::kUpFirst}),
                         [](const testing::TestParamInfo<SaddleCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(ContourTracerTest, TheWalkEndsAtTheBorder) {
  const ContourTracer tracer(2, 2, Values{0.9, 0, 0, 0.9}, 0.5);
  EXPECT_FALSE(tracer.NextCrossing({0, 0, false}, S::kDownFirst, 0));
  EXPECT_FALSE(tracer.NextCrossing({0, 1, true}, S::kUpSecond, 0));
  EXPECT_FALSE(tracer.NextCrossing({0, 0, false}, S::kUpFirst, 1)) << "no level 1";
}

// The whole trace of the saddle: the first column's start cuts off corner
// (0, 0), the last column's start corner (1, 1).
TEST(ContourTracerTest, TheSaddleTraceSeparatesTheHighCorners) {
  ContourTracer tracer(2, 2, Values{0.9, 0, 0, 0.9}, 0.5);
  RecordingSink sink;
  tracer.Trace(GridPositionPlacer(), {}, sink);
  const double f = 0.4 / 0.9;
  ASSERT_EQ(sink.lines.size(), 2u);
  ExpectPoints(sink.lines[0].points, {{0, f, 0}, {f, 0, 0}});
  ExpectPoints(sink.lines[1].points, {{1, 1 - f, 0}, {1 - f, 1, 0}});
}

// Whole Traces

// x^2 + y^2 on 101 x 101 nodes over -50..50 every 1600: the circle of radius
// 40 is closed and found by the interior pass; 3200 and 4800 leave the grid.
TEST(ContourTracerTest, ACircleIsOneClosedLineOnItsRadius) {
  ContourTracer tracer(101, 101, CircleField(101, 1.0), 1600);
  ASSERT_EQ(tracer.Levels().count, 3);
  RecordingSink sink;
  tracer.Trace(GridPositionPlacer(), {}, sink);
  const std::vector<RecordedLine> circle = sink.LinesAt(1600);
  ASSERT_EQ(circle.size(), 1u);
  const std::vector<ScenePoint>& p = circle[0].points;
  ASSERT_GT(p.size(), 100u);
  EXPECT_DOUBLE_EQ(p.front().x, p.back().x);
  EXPECT_DOUBLE_EQ(p.front().y, p.back().y);
  for (const ScenePoint& q : p) EXPECT_NEAR(std::hypot(q.x - 50, q.y - 50), 40.0, 0.4);
  for (const double level : {3200.0, 4800.0}) {
    for (const RecordedLine& line : sink.LinesAt(level)) {
      EXPECT_TRUE(OnGridBorder(line.points.front(), 101, 101)) << level;
      EXPECT_TRUE(OnGridBorder(line.points.back(), 101, 101)) << level;
    }
  }
}

// Each crossing is drawn once: every level's segments together cross each
// edge at most once, and every crossed edge is drawn.
TEST(ContourTracerTest, EveryCrossingIsDrawnOnce) {
  const Long nx = 40, ny = 30;
  std::vector<double> values;
  for (Long i = 0; i < nx; ++i) {
    for (Long j = 0; j < ny; ++j)
      values.push_back(std::sin(0.4 * i) * std::cos(0.3 * j) + 0.01 * i);
  }
  ContourTracer tracer(nx, ny, values, 0.25);
  RecordingSink sink;
  tracer.Trace(GridPositionPlacer(), {}, sink);
  for (Long k = 0; k < tracer.Levels().count; ++k) {
    const double level = tracer.Levels().At(k);
    SCOPED_TRACE(level);
    std::size_t expected = 0;
    const std::span<const double> v = tracer.Values();
    for (Long i = 0; i < nx; ++i) {
      for (Long j = 0; j < ny; ++j) {
        const double a = v[static_cast<std::size_t>(i * ny + j)];
        if (i + 1 < nx && (a - level) * (v[static_cast<std::size_t>((i + 1) * ny + j)] - level) < 0)
          ++expected;
        if (j + 1 < ny && (a - level) * (v[static_cast<std::size_t>(i * ny + j + 1)] - level) < 0)
          ++expected;
      }
    }
    std::size_t drawn = 0;
    for (const RecordedLine& line : sink.LinesAt(level)) {
      const bool closed = line.points.front().x == line.points.back().x &&
                          line.points.front().y == line.points.back().y;
      drawn += line.points.size() - (closed ? 1 : 0);
    }
    EXPECT_EQ(drawn, expected);
  }
}

// A grid of a million nodes (not square, so that the two indices cannot be
// mixed up unseen) is traced within its own tables.
TEST(ContourTracerTest, AMillionNodesAreTracedWithinTheirTables) {
  const Long nx = 1200, ny = 850;
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(nx * ny));
  for (Long i = 0; i < nx; ++i) {
    for (Long j = 0; j < ny; ++j) values.push_back(std::hypot(i - 900.0, j - 300.0));
  }
  ContourTracer tracer(nx, ny, values, 250);
  RecordingSink sink;
  tracer.Trace(GridPositionPlacer(), {}, sink);
  EXPECT_EQ(tracer.Levels().count, 4);
  ASSERT_FALSE(sink.lines.empty());
  for (const RecordedLine& line : sink.lines) {
    for (const ScenePoint& p : line.points) {
      ASSERT_TRUE(p.x >= 0 && p.x <= nx - 1 && p.y >= 0 && p.y <= ny - 1) << p.x << " " << p.y;
    }
  }
}

// Nodes that are not numbers end the walk there (no exit), and the lines
// keep to finite positions.
TEST(ContourTracerTest, NodesWithoutANumberStopTheWalk) {
  const Long n = 9;
  std::vector<double> values;
  for (Long i = 0; i < n; ++i) {
    for (Long j = 0; j < n; ++j) values.push_back(static_cast<double>(i + j));
  }
  values[4 * n + 4] = kNaN;
  values[2 * n + 6] = kInf;
  values[6 * n + 2] = -kInf;
  ContourTracer tracer(n, n, values, 1);
  EXPECT_EQ(tracer.Levels().count, 16);
  RecordingSink sink;
  tracer.Trace(GridPositionPlacer(), {}, sink);
  ASSERT_FALSE(sink.lines.empty());
  for (const RecordedLine& line : sink.lines) {
    for (const ScenePoint& p : line.points) ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
  }
}

TEST(ContourTracerTest, GridsThatCannotBeTracedHaveNoLevels) {
  EXPECT_EQ(ContourTracer(1, 5, Values{0, 1, 2, 3, 4}, 1).Levels().count, 0);
  EXPECT_EQ(ContourTracer(2, 2, Values{0, 1, 2}, 1).Levels().count, 0) << "values of another size";
  EXPECT_EQ(ContourTracer(2, 2, Values{kNaN, kNaN, kInf, kNaN}, 1).Levels().count, 0);
  ContourTracer flat(3, 3, std::vector<double>(9, 5.0), 1);
  RecordingSink sink;
  flat.Trace(GridPositionPlacer(), {}, sink);
  EXPECT_TRUE(sink.levels.empty());
}

// A step far too fine for the range traces the capped number of levels.
TEST(ContourTracerTest, AFineStepTracesAtMostTheCap) {
  ContourTracer tracer(3, 3, Values{0, 0.5, 1, 0, 0.5, 1, 0, 0.5, 1}, 1e-7);
  RecordingSink sink;
  tracer.Trace(GridPositionPlacer(), {}, sink);
  EXPECT_EQ(sink.levels.size(), static_cast<std::size_t>(kMaxContourLevels));
}

}  // namespace
}  // namespace qv::test
