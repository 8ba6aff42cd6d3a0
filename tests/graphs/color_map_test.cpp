#include "graphs/color_map.h"

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
  const ColorPointList list = Points({{0, 0, 0, 0}, {50, 100, 0, 0}, {50, 0, 200, 0},
                                      {100, 0, 0, 250}});
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

}  // namespace
}  // namespace qv
