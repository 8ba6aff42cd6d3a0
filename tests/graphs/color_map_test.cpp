#include "graphs/color_map.h"

#include "graphs/graph.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr double kEps = 1e-12;

void ExpectRgb(const Rgb& c, double r, double g, double b) {
  EXPECT_NEAR(c.r, r / 255.0, kEps);
  EXPECT_NEAR(c.g, g / 255.0, kEps);
  EXPECT_NEAR(c.b, b / 255.0, kEps);
}

ColorPointList Points(std::initializer_list<ColorPoint> points) {
  ColorPointList list;
  for (const ColorPoint& p : points) list.points[list.count++] = p;
  return list;
}

// Names are matched whatever their letter case, and "@" names the same map;
// a second "@", a blank or a misspelling matches nothing.
TEST(NamedColorMap, NamesMatchInAnyCaseAndWithOneAt) {
  struct Case {
    const char* name;
    const char* expected;  // nullptr: no map
    std::size_t count;
  };
  const Case cases[] = {
      {"RAINBOW", "RAINBOW", 6}, {"rainbow", "RAINBOW", 6}, {"@Rainbow", "RAINBOW", 6},
      {"earth", "EARTH", 5},     {"@EARTH", "EARTH", 5},    {"Fiery", "FIERY", 5},
      {"@marine", "MARINE", 3},  {"grey", "GREY", 2},       {"@GREY", "GREY", 2},
      {"@@GREY", nullptr, 0},    {" GREY", nullptr, 0},     {"GRAY", nullptr, 0},
      {"", nullptr, 0},          {"@", nullptr, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const NamedColorMap* map = FindNamedColorMap(c.name);
    if (c.expected == nullptr) {
      EXPECT_EQ(map, nullptr);
    } else {
      ASSERT_NE(map, nullptr);
      EXPECT_EQ(map->name, c.expected);
      EXPECT_EQ(map->points.count, c.count);
    }
  }
}

TEST(NamedColorMap, GreyHoldsItsTwoPoints) {
  const NamedColorMap* grey = FindNamedColorMap("grey");
  ASSERT_NE(grey, nullptr);
  ExpectRgb(LookupColor(grey->points, 0), 200, 200, 200);
  ExpectRgb(LookupColor(grey->points, 100), 50, 50, 50);
  ExpectRgb(LookupColor(grey->points, 50), 125, 125, 125);
}

// The rainbow at its ends, on a control point and between two points.
TEST(LookupColor, RainbowAtEndsPointsAndBetween) {
  const ColorPointList& rainbow = RainbowColorMap().points;
  ExpectRgb(LookupColor(rainbow, 0), 153, 102, 255);
  ExpectRgb(LookupColor(rainbow, 10), 76.5, 51, 255);
  ExpectRgb(LookupColor(rainbow, 40), 0, 255, 0);
  ExpectRgb(LookupColor(rainbow, 70), 255, 178.5, 0);
  ExpectRgb(LookupColor(rainbow, 100), 255, 0, 0);
  ExpectRgb(LookupColor(rainbow, 99.99995), 255, 0, 0);
}

// Values outside the map used to leave the caller's colour in place; they
// take the nearest end instead, and NaN takes the start.
TEST(LookupColor, ValuesOutsideTheMapTakeTheNearestEnd) {
  const ColorPointList& rainbow = RainbowColorMap().points;
  ExpectRgb(LookupColor(rainbow, -5), 153, 102, 255);
  ExpectRgb(LookupColor(rainbow, 250), 255, 0, 0);
  ExpectRgb(LookupColor(rainbow, std::nan("")), 153, 102, 255);
  ExpectRgb(LookupColor(rainbow, INFINITY), 255, 0, 0);
}

// Two equal positions made a 0/0 blend factor (NaN colours).
TEST(LookupColor, EqualPositionsNeverDivideByZero) {
  const ColorPointList list =
      Points({{0, 0, 0, 0}, {50, 100, 0, 0}, {50, 0, 200, 0}, {100, 0, 0, 250}});
  ExpectRgb(LookupColor(list, 50), 100, 0, 0);
  ExpectRgb(LookupColor(list, 75), 0, 100, 125);
  const ColorPointList allSame = Points({{30, 10, 20, 30}, {30, 40, 50, 60}});
  for (double t : {0.0, 30.0, 60.0}) {
    const Rgb c = LookupColor(allSame, t);
    EXPECT_TRUE(std::isfinite(c.r) && std::isfinite(c.g) && std::isfinite(c.b)) << t;
  }
}

// An empty map falls back to the rainbow; a single point is one colour.
TEST(LookupColor, EmptyAndSinglePointMaps) {
  ExpectRgb(LookupColor(ColorPointList{}, 100), 255, 0, 0);
  const ColorPointList one = Points({{40, 1, 2, 3}});
  ExpectRgb(LookupColor(one, 0), 1, 2, 3);
  ExpectRgb(LookupColor(one, 90), 1, 2, 3);
}

TEST(MapScale, ZeroOrNonFiniteRangeGivesTheStart) {
  EXPECT_DOUBLE_EQ(MapScale(5, 0, 10), 50.0);
  EXPECT_DOUBLE_EQ(MapScale(5, 5, 0), 0.0);
  EXPECT_DOUBLE_EQ(MapScale(1e308, -1e308, 1e-308), 0.0);
}

TEST(SplitColor, PackedLongsGiveFractions) {
  ExpectRgb(SplitColor(33023), 255, 128, 0);
  ExpectRgb(SplitColor(0), 0, 0, 0);
  ExpectRgb(SplitColor(16777215), 255, 255, 255);
  ExpectRgb(SplitColor(1 + 2 * 256 + 3 * 65536), 1, 2, 3);
}

// The graph's own lookup: named maps reload at every lookup, a name of the
// user's keeps the user's points, and nothing reads outside the tables.
class GraphColorTest : public ::testing::Test {
 protected:
  Graph g_;
};

TEST_F(GraphColorTest, FirstLookupNamesTheRainbow) {
  ASSERT_EQ(g_.ColorName, "");
  ExpectRgb(g_.GetMapColor(10, 0, 100), 76.5, 51, 255);
  EXPECT_EQ(g_.ColorName, "Rainbow");
}

// GetMapColor maps min..min+range onto 0..100: the ends, a control point and
// a value between two points.
TEST_F(GraphColorTest, ValuesAtTheEndsOnAPointAndBetween) {
  ExpectRgb(g_.GetMapColor(-5, -5, 20), 153, 102, 255);
  ExpectRgb(g_.GetMapColor(15, -5, 20), 255, 0, 0);
  ExpectRgb(g_.GetMapColor(3, -5, 20), 0, 255, 0);
  ExpectRgb(g_.GetMapColor(9, -5, 20), 255, 178.5, 0);
  ExpectRgb(g_.GetMapColor(14.999999, -5, 20), 255, 0, 0);
}

TEST_F(GraphColorTest, NamedMapsInAnyCaseAndWithAt) {
  for (const char* name : {"grey", "@GREY", "Grey", "@grey"}) {
    SCOPED_TRACE(name);
    g_.ColorName = name;
    ExpectRgb(g_.GetMapColor(0, 0, 1), 200, 200, 200);
    ExpectRgb(g_.GetMapColor(1, 0, 1), 50, 50, 50);
    EXPECT_EQ(g_.ColorNum, 2);
    EXPECT_EQ(g_.ColorName, name);
  }
  g_.ColorName = "marine";
  ExpectRgb(g_.GetMapColor(0.75, 0, 1), 127.5, 177.5, 114);
  EXPECT_EQ(g_.ColorNum, 3);
}

// A name of the user's own keeps the user's seven points through every
// lookup; renamed "Earth", the next lookup loads the five EARTH points.
TEST_F(GraphColorTest, UserPointsStayUntilTheMapIsRenamed) {
  g_.ColorName = "My map";
  g_.ColorNum = 7;
  for (Long k = 0; k < 7; ++k) {
    g_.ColorPos(k) = k * 100.0 / 6;
    g_.ColorR(k) = 10 * k;
    g_.ColorG(k) = 0;
    g_.ColorB(k) = 255 - 10 * k;
  }
  ExpectRgb(g_.GetMapColor(100, 0, 100), 60, 0, 195);
  ExpectRgb(g_.GetMapColor(25, 0, 100), 15, 0, 240);
  EXPECT_EQ(g_.ColorNum, 7);
  EXPECT_EQ(g_.ColorR(6), 60);
  g_.ColorName = "Earth";
  ExpectRgb(g_.GetMapColor(25, 0, 100), 0, 128, 0);
  EXPECT_EQ(g_.ColorNum, 5);
  EXPECT_EQ(g_.ColorB(4), 64);
}

// Counts the tables cannot hold used to read past them, and a count of 0 or
// less read point -1; they are clamped, the rainbow standing in for no
// points.
TEST_F(GraphColorTest, CountsOutsideTheTablesNeverReadOutsideThem) {
  g_.ColorName = "own";
  for (Long count : {0, -3}) {
    g_.ColorNum = count;
    ExpectRgb(g_.GetMapColor(100, 0, 100), 255, 0, 0);
    ExpectRgb(g_.GetMapColor(0, 0, 100), 153, 102, 255);
  }
  g_.ColorNum = 1000;
  for (Long k = 0; k <= 30; ++k) {
    g_.ColorPos(k) = k * 100.0 / 30;
    g_.ColorR(k) = k;
    g_.ColorG(k) = g_.ColorB(k) = 0;
  }
  ExpectRgb(g_.GetMapColor(100, 0, 100), 30, 0, 0);
  EXPECT_EQ(g_.ColorPoints().count, 31u);
}

// Two equal positions, a zero or non-finite range and values outside the
// map all give finite colours from the map's own points.
TEST_F(GraphColorTest, DegenerateMapsAndRangesGiveFiniteColours) {
  g_.ColorName = "own";
  g_.ColorNum = 3;
  g_.ColorPos(0) = 0;
  g_.ColorPos(1) = 0;
  g_.ColorPos(2) = 100;
  for (Long k = 0; k < 3; ++k) {
    g_.ColorR(k) = 100 * k;
    g_.ColorG(k) = g_.ColorB(k) = 0;
  }
  const double values[][3] = {{0, 0, 100},      {5, 5, 0},     {1, 0, NAN},
                              {1, 0, INFINITY}, {-50, 0, 100}, {1e300, -1e300, 1}};
  for (const auto& v : values) {
    const Rgb c = g_.GetMapColor(v[0], v[1], v[2]);
    EXPECT_TRUE(std::isfinite(c.r) && std::isfinite(c.g) && std::isfinite(c.b))
        << v[0] << " in " << v[1] << " + " << v[2];
    EXPECT_GE(c.r, 0.0);
    EXPECT_LE(c.r, 200.0 / 255.0);
  }
  ExpectRgb(g_.GetMapColor(-50, 0, 100), 0, 0, 0);
  ExpectRgb(g_.GetMapColor(150, 0, 100), 200, 0, 0);
}

}  // namespace
}  // namespace qv
