// Offscreen pictures of the colour legend in the 0..100 overlay the scene
// builder sets up: where the bar is, which colours it shows, its labels, and
// the fill styles and ranges that must draw less or nothing.
#include <GL/gl.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "graphs/graph.h"
#include "graphs/workspace.h"
#include "platform/osmesa/offscreen_context.h"
#include "platform/rgba_image.h"
#include "scene/scene_fonts.h"
#include "support/scripted_message_box.h"

namespace qv::test {
namespace {

constexpr int kSize = 400;
constexpr double kPixelsPerUnit = kSize / 100.0;

class LegendDrawTest : public testing::Test {
 protected:
  void SetUp() override {
    glClearColor(1, 1, 1, 1);
    ASSERT_TRUE(CreateSceneFonts(ws_.settings, messages_));
    graph_.GraphType = kSurfaceModel;
    ws_.dataSet.MinC(0);
    ws_.dataSet.MaxC(10);
  }

  RgbaImage Render(const std::string& name) {
    glViewport(0, 0, kSize, kSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 100, 0, 100, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    graph_.DrawLegend(ws_.Context());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    RgbaImage image = ctx_.ReadPixels();
    if (std::getenv("QV_WRITE_PICTURES") != nullptr) WritePng("/tmp/qv_" + name + ".png", image);
    return image;
  }

  // The pixel whose centre is nearest the overlay point (x, y).
  static std::array<std::uint8_t, 4> At(const RgbaImage& image, double x, double y) {
    return image.At(static_cast<int>(x * kPixelsPerUnit), static_cast<int>(y * kPixelsPerUnit));
  }
  static bool White(const std::array<std::uint8_t, 4>& p) {
    return p[0] > 250 && p[1] > 250 && p[2] > 250;
  }
  static bool Dark(const std::array<std::uint8_t, 4>& p) {
    return p[0] < 100 && p[1] < 100 && p[2] < 100;
  }
  // Dark pixels in the overlay rectangle x0..x1, y0..y1.
  static int DarkIn(const RgbaImage& image, double x0, double x1, double y0, double y1) {
    int n = 0;
    for (int py = static_cast<int>(y0 * kPixelsPerUnit); py < y1 * kPixelsPerUnit; ++py) {
      for (int px = static_cast<int>(x0 * kPixelsPerUnit); px < x1 * kPixelsPerUnit; ++px) {
        n += Dark(image.At(px, py));
      }
    }
    return n;
  }
  static bool AllWhite(const RgbaImage& image) {
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        if (!White(image.At(x, y))) return false;
      }
    }
    return true;
  }
  static void ExpectColour(const std::array<std::uint8_t, 4>& px, double r, double g, double b) {
    EXPECT_NEAR(px[0], r, 3);
    EXPECT_NEAR(px[1], g, 3);
    EXPECT_NEAR(px[2], b, 3);
  }

  OffscreenContext ctx_{kSize, kSize};
  ScriptedMessageBox messages_;
  Workspace ws_;
  Graph graph_;
};

// The colour-map bar stands at x 82..85 and shows, from y 30 to 70, the
// rainbow's points at 0.4 overlay units per map position, blended between.
TEST_F(LegendDrawTest, ColourMapBarShowsTheMapBetweenItsPoints) {
  graph_.FillStyle = 4;
  graph_.ColorName = "Rainbow";
  const RgbaImage image = Render("legend_map");
  const ColorPointList map = graph_.ColorPoints();
  ASSERT_EQ(map.count, 6u);
  for (std::size_t k = 0; k + 1 < map.count; ++k) {
    SCOPED_TRACE(k);
    const ColorPoint& a = map.points[k];
    const ColorPoint& b = map.points[k + 1];
    const double y0 = 30 + 0.4 * a.pos, y1 = 30 + 0.4 * b.pos;
    const int row = static_cast<int>((y0 + y1) / 2 * kPixelsPerUnit);
    const double f = ((row + 0.5) / kPixelsPerUnit - y0) / (y1 - y0);
    ExpectColour(image.At(static_cast<int>(83.5 * kPixelsPerUnit), row), a.r + f * (b.r - a.r),
                 a.g + f * (b.g - a.g), a.b + f * (b.b - a.b));
  }
  // Nothing of the bar left of x 82 or between it and the labels, nor
  // below 30 or above 70.
  EXPECT_TRUE(White(At(image, 81.5, 50)));
  EXPECT_TRUE(White(At(image, 85.6, 50)));
  EXPECT_TRUE(White(At(image, 83.5, 29.5)));
  EXPECT_TRUE(White(At(image, 83.5, 70.6)));
  // The frame's left edge.
  EXPECT_TRUE(Dark(At(image, 82, 50)) || Dark(At(image, 82 - 1 / kPixelsPerUnit, 50)));
}

// The colour range 0..10 is numbered 0, 2, ..., 10: a label right of x 86 at
// the height of each tick (text stands on its baseline), nothing between.
TEST_F(LegendDrawTest, LabelsStandAtTheirTicks) {
  graph_.FillStyle = 4;
  const RgbaImage image = Render("legend_labels");
  for (int v = 0; v <= 10; v += 2) {
    SCOPED_TRACE(v);
    const double y = 30 + 4.0 * v;
    EXPECT_GT(DarkIn(image, 86, 100, y, y + 3.5), 10);
    // Tick marks inside the bar at both sides.
    EXPECT_TRUE(Dark(At(image, 82.3, y)) || Dark(At(image, 82.3, y - 0.25)));
    EXPECT_TRUE(Dark(At(image, 84.8, y)) || Dark(At(image, 84.8, y - 0.25)));
  }
  EXPECT_EQ(DarkIn(image, 86, 100, 75, 100), 0);
  EXPECT_EQ(DarkIn(image, 86, 100, 0, 27), 0);
}

// FillStyle 0, 1, 2 give a two-colour bar over the axis the surface is graded
// along: SecondColor at the bottom, FirstColor at the top.
TEST_F(LegendDrawTest, GradedStylesDrawATwoColourBar) {
  graph_.FirstColor = RGB(255, 0, 0);
  graph_.SecondColor = RGB(0, 0, 255);
  ws_.dataSet.MinX(0);
  ws_.dataSet.MaxX(5);
  ws_.dataSet.MinY(-1);
  ws_.dataSet.MaxY(1);
  ws_.dataSet.MinZ(100);
  ws_.dataSet.MaxZ(300);
  for (Long style : {0L, 1L, 2L}) {
    SCOPED_TRACE(style);
    graph_.FillStyle = style;
    const RgbaImage image = Render("legend_graded_" + std::to_string(style));
    const auto bottom = At(image, 83.5, 30.3);
    const auto top = At(image, 83.5, 69.7);
    EXPECT_GT(bottom[2], 245);
    EXPECT_LT(bottom[0], 10);
    EXPECT_GT(top[0], 245);
    EXPECT_LT(top[2], 10);
    EXPECT_GT(DarkIn(image, 86, 100, 30, 34), 10);
  }
}

// The contour kinds show the colours their lines are drawn with, over their
// levels (of the heights for the contour plot, of the colour values for the
// 3D one): the blend from the second colour at the lowest level to the
// first, the map's bar, nothing for one colour or without levels. The
// slices show the map their planes are filled with, whatever the fill style.
TEST_F(LegendDrawTest, ContourAndSliceKindsShowTheColoursOfTheirLines) {
  enum Bar { kNoBar, kBlendBar, kMapBar };
  struct Case {
    const char* name;
    Long kind;
    Long mode;
    double interval;
    Bar bar;
  };
  DataSet& d = ws_.dataSet;
  d.MinZ(0);
  d.MaxZ(10);
  d.MInv(0);
  d.MaxV(10);
  graph_.ColorName = "RAINBOW";
  graph_.FillStyle = 0;
  for (const Case& c :
       {Case{"plot blend", kContourPlot, 3, 2, kBlendBar},
        Case{"plot single", kContourPlot, 4, 2, kNoBar},
        Case{"plot map", kContourPlot, 5, 2, kMapBar},
        Case{"plot without levels", kContourPlot, 3, 0, kNoBar},
        Case{"3D blend", kContour3DPlot, 3, 2, kBlendBar},
        Case{"3D map", kContour3DPlot, 5, 2, kMapBar},
        Case{"3D single", kContour3DPlot, 4, 2, kNoBar}, Case{"slices", kSlice4D, 0, 0, kMapBar}}) {
    SCOPED_TRACE(c.name);
    graph_.GraphType = c.kind;
    graph_.ConFillType = graph_.Con3FillType = c.mode;
    graph_.ContourLevels = graph_.Contour3Levels = c.interval;
    graph_.ConColor1 = graph_.Con3Color1 = RGB(255, 0, 0);
    graph_.ConColor2 = graph_.Con3Color2 = RGB(0, 0, 255);
    const RgbaImage image = Render("legend_contour");
    if (c.bar == kNoBar) {
      EXPECT_TRUE(AllWhite(image));
      continue;
    }
    // Near the ends, where the map's first and last segments have moved
    // a few steps from their points.
    const auto bottom = At(image, 83.5, 30.3);
    const auto top = At(image, 83.5, 69.7);
    const std::array<double, 3> low = c.bar == kBlendBar ? std::array<double, 3>{0, 0, 255}
                                                         : std::array<double, 3>{153, 102, 255};
    for (int channel = 0; channel < 3; ++channel) {
      EXPECT_NEAR(bottom[channel], low[channel], 10) << channel;
      EXPECT_NEAR(top[channel], channel == 0 ? 255 : 0, 10) << channel;
    }
    // The scale numbers the lowest level (2, or 0 for the slices' values).
    EXPECT_GT(DarkIn(image, 86, 100, 30, 34), 10);
  }
}

// Styles with no bar (3 one colour, unknown codes) and kinds with no legend
// must leave the overlay untouched: no bar, no scale, no frame.
TEST_F(LegendDrawTest, NothingForSingleColourStylesAndKindsWithoutLegend) {
  for (Long style : {3L, 5L, -1L}) {
    SCOPED_TRACE(style);
    graph_.FillStyle = style;
    EXPECT_TRUE(AllWhite(Render("legend_none")));
  }
  graph_.FillStyle = 4;
  for (Long kind : {kPointGraph, kVectorPlot, kScatter4D, kLineGraph}) {
    SCOPED_TRACE(kind);
    graph_.GraphType = kind;
    EXPECT_TRUE(AllWhite(Render("legend_none")));
  }
}

// An iso-surface takes its one colour from the map at its level, whatever
// its fill style: its legend is the map bar over the volume's values, but
// for the one-colour style.
TEST_F(LegendDrawTest, AnIsoSurfaceShowsTheMapBarForEveryStyleButOneColour) {
  graph_.GraphType = kIsoSurface4D;
  graph_.ColorName = "RAINBOW";
  ws_.dataSet.MInv(0);
  ws_.dataSet.MaxV(10);
  for (Long style : {0L, 1L, 2L, 4L}) {
    SCOPED_TRACE(style);
    graph_.FillStyle = style;
    const RgbaImage image = Render("legend_iso");
    const auto top = At(image, 83.5, 69.7);  // the map's last point, red
    EXPECT_GT(top[0], 245);
    EXPECT_LT(top[1], 15);
    EXPECT_LT(top[2], 10);
    EXPECT_GT(DarkIn(image, 86, 100, 30, 34), 10);
  }
  graph_.FillStyle = 3;
  EXPECT_TRUE(AllWhite(Render("legend_iso_none")));
}

// All values equal, a reversed or a broken range cannot be numbered as a
// scale from min to max: the bar and frame still show, the labels that can
// be made are made, and no logarithm of zero or less is taken (which gave a
// scale of NaN steps).
TEST_F(LegendDrawTest, DegenerateRangesDrawTheBarWithoutFailing) {
  struct RangeCase {
    const char* name;
    double min, max;
    bool labels;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const RangeCase& r :
       {RangeCase{"equal positive", 5, 5, true}, RangeCase{"equal zero", 0, 0, false},
        RangeCase{"equal negative", -3, -3, false}, RangeCase{"reversed", 4, 1, false},
        RangeCase{"not a number", nan, 1, false}}) {
    SCOPED_TRACE(r.name);
    ws_.dataSet.MinC(r.min);
    ws_.dataSet.MaxC(r.max);
    graph_.FillStyle = 4;
    RgbaImage image;
    ASSERT_NO_THROW(image = Render("legend_degenerate"));
    EXPECT_FALSE(White(At(image, 83.5, 50)));
    EXPECT_TRUE(Dark(At(image, 82, 50)) || Dark(At(image, 82 - 1 / kPixelsPerUnit, 50)));
    EXPECT_EQ(DarkIn(image, 86, 100, 0, 100) > 0, r.labels);
  }
}

// The colour-map kind's legend shows what the kind is drawn with: its own
// ColorMapfilltype and ColorMapcolor1, ColorMapcolor2, whatever FillStyle and
// the surface colours say.
TEST_F(LegendDrawTest, ColourMapKindFollowsItsOwnColourOptions) {
  graph_.GraphType = kColorMapGraph;
  graph_.ColorName = "Rainbow";
  graph_.ColorMapcolor1 = RGB(255, 0, 0);
  graph_.ColorMapcolor2 = RGB(0, 0, 255);
  graph_.FirstColor = graph_.SecondColor = RGB(0, 255, 0);
  ws_.dataSet.MinZ(100);
  ws_.dataSet.MaxZ(300);
  enum Bar { kNoBar, kTwoColours, kMap };
  struct ModeCase {
    Long colorMapFill;
    Long fillStyle;
    Bar bar;
  };
  for (const ModeCase& m : {ModeCase{2, 3, kTwoColours}, ModeCase{3, 2, kNoBar},
                            ModeCase{4, 3, kMap}, ModeCase{3, 4, kNoBar}}) {
    SCOPED_TRACE(m.colorMapFill);
    graph_.ColorMapfilltype = m.colorMapFill;
    graph_.FillStyle = m.fillStyle;
    const RgbaImage image = Render("legend_colour_map_" + std::to_string(m.colorMapFill));
    if (m.bar == kNoBar) {
      EXPECT_TRUE(AllWhite(image));
      continue;
    }
    const auto bottom = At(image, 83.5, 30.3);
    const auto top = At(image, 83.5, 69.7);
    if (m.bar == kTwoColours) {
      ExpectColour(bottom, 0, 0, 255);
      ExpectColour(top, 255, 0, 0);
    } else {
      // Near the rainbow's first point (153, 102, 255), towards (0, 0, 255),
      // and at its last (255, 0, 0), coming from (255, 102, 0).
      const double fBottom = (std::floor(30.3 * kPixelsPerUnit) + 0.5) / kPixelsPerUnit - 30.0;
      const double fTop = 70.0 - (std::floor(69.7 * kPixelsPerUnit) + 0.5) / kPixelsPerUnit;
      ExpectColour(bottom, 153 * (1 - fBottom / 8), 102 * (1 - fBottom / 8), 255);
      ExpectColour(top, 255, 102 * fTop / 8, 0);
    }
    // Numbered over the value (data Z) for the blend, over the colour column
    // for the map.
    EXPECT_GT(DarkIn(image, 86, 100, 30, 34), 10);
  }
}

}  // namespace
}  // namespace qv::test
