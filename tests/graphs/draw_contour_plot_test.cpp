// The contour plot and the contour layer under a surface: intervals in data
// units whatever the drawing scale, the plane each view kind puts the lines
// in, the colour modes in every view kind, and a 2D picture whose lines
// show their level's colour inside the data's box.
#include <GL/gl.h>

#include <cmath>
#include <set>
#include <string>

#include "contour_drawing.h"
#include "contour_test_support.h"
#include "gl_feedback.h"
#include "graph_draw_fixture.h"

namespace qv::test {
namespace {

class ContourPlotTest : public GraphDrawTest {
 protected:
  // A surface of n x n nodes over data X, Y = 0..n-1 whose heights run
  // 0..1000 (10 * (i + j) on 51 x 51 nodes), stored as the normalisation
  // leaves them: divided by the height scale 100.
  void FillRamp() {
    FillSurface(51, 51, [](Long i, Long j) { return 10.0 * static_cast<double>(i + j); });
    ScaleHeights(100.0);
  }
  void ScaleHeights(double scale) {
    DataSet& d = ws_.dataSet;
    for (Long i = 0; i <= graph_.StepU; ++i) {
      for (Long j = 0; j <= graph_.StepV; ++j) d.Reg3DZ(i, j, d.Reg3DZ(i, j) / scale);
    }
    ws_.settings.DataScaleZ = scale;
  }
  RecordingSink TracePlot() {
    RecordingSink sink;
    TraceContourPlot(graph_, ws_.Context(), sink);
    return sink;
  }
};

struct ViewCase {
  const char* name;
  Long viewCode;
  // Which scene coordinate holds the plane, and where it lies (centred).
  int planeAxis;
  double planeAt;
};

void PrintTo(const ViewCase& c, std::ostream* out) { *out << c.name; }

class ContourPlotViewTest : public ContourPlotTest, public testing::WithParamInterface<ViewCase> {};

double AxisOf(const ScenePoint& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

// Heights 0..1000 drawn 100 times smaller, interval 100: ten levels of the
// data, 100 to 1000, each with its line, in the view kind's plane (the
// interval was taken in drawing units: a hundred times too many lines).
TEST_P(ContourPlotViewTest, IntervalsAreInDataUnits) {
  const ViewCase& c = GetParam();
  FillRamp();
  ws_.settings.ViewCode = c.viewCode;
  ws_.settings.CenterZ = 4.0;
  graph_.GraphType = kContourPlot;
  graph_.ContourLevels = 100;
  const RecordingSink sink = TracePlot();
  ASSERT_EQ(sink.levels.size(), 10u);
  for (std::size_t k = 0; k < 10; ++k) {
    const double level = 100.0 * static_cast<double>(k + 1);
    EXPECT_NEAR(sink.levels[k], level, 1e-9);
    EXPECT_FALSE(sink.LinesAt(level).empty()) << level;
  }
  for (const RecordedLine& line : sink.lines) {
    for (const ScenePoint& p : line.points) ASSERT_DOUBLE_EQ(AxisOf(p, c.planeAxis), c.planeAt);
  }
}

INSTANTIATE_TEST_SUITE_P(
    ViewKinds, ContourPlotViewTest,
    testing::Values(
        // Value along scene z towards the viewer, in front at the highest node.
        ViewCase{"Document2D", kViewCode2D, 2, 10.0 - 4.0},
        // Flat at the lowest node, the height along scene y.
        ViewCase{"Document3D", kViewCode3D, 1, 0.0 - 4.0},
        ViewCase{"Document4D", kViewCode4D, 1, 0.0 - 4.0}),
    [](const testing::TestParamInfo<ViewCase>& info) { return std::string(info.param.name); });

// Every view kind draws the lines in their colour mode (3D and 4D drew them
// white whatever the mode).
TEST_F(ContourPlotTest, LinesTakeTheirModesColourInEveryViewKind) {
  FillRamp();
  graph_.GraphType = kContourPlot;
  graph_.ContourLevels = 100;
  graph_.ConColor1 = RGB(255, 0, 0);
  graph_.ConColor2 = RGB(0, 160, 0);
  graph_.ColorName = "EARTH";
  const ContourLevels levels = ContourLevelsOf(0, 1000, 100);
  for (const Long view : {kViewCode2D, kViewCode3D, kViewCode4D}) {
    for (const Long mode : {kContourBlend, kContourSingle, kContourMap}) {
      SCOPED_TRACE("view " + std::to_string(view) + ", mode " + std::to_string(mode));
      ws_.settings.ViewCode = view;
      graph_.ConFillType = mode;
      const ContourColoring coloring{mode, graph_.ConColor1, graph_.ConColor2,
                                     FindNamedColorMap("EARTH")->points};
      const Feedback f = CaptureFeedback([&] { graph_.Draw(ws_.Context()); });
      ASSERT_FALSE(f.segments.empty());
      for (const auto& [end, k] : {std::pair{f.segments.front()[0], Long{0}},
                                   std::pair{f.segments.back()[1], levels.count - 1}}) {
        const Rgb expected = *ContourLevelColor(coloring, levels, k);
        EXPECT_NEAR(end.rgba[0], expected.r, 1e-6);
        EXPECT_NEAR(end.rgba[1], expected.g, 1e-6);
        EXPECT_NEAR(end.rgba[2], expected.b, 1e-6);
      }
    }
  }
}

// The layer under a surface: the heights every ContourLevel of the data, in
// LineColor, flat just above the colour-map layer 3 below the lowest node.
TEST_F(ContourPlotTest, TheSurfaceLayerLiesUnderTheSurfaceInTheLineColour) {
  FillRamp();
  graph_.GraphType = kSurfaceModel;
  graph_.ShowContour = true;
  graph_.ContourLevel = 250;
  graph_.LineColor = RGB(0, 0, 255);
  ws_.settings.CenterZ = 1.0;
  RecordingSink sink;
  TraceSurfaceContours(graph_, ws_.Context(), sink);
  ASSERT_EQ(sink.levels.size(), 4u);  // 250, 500, 750, 1000
  for (const RecordedLine& line : sink.lines) {
    ExpectRgb(*line.colour, {0, 0, 1});
    for (const ScenePoint& p : line.points) ASSERT_DOUBLE_EQ(p.y, 0.0 - 3.0 + 0.02 - 1.0);
  }
  // Drawn with the surface, after its cells.
  const Feedback f = CaptureFeedback([&] { graph_.Draw(ws_.Context()); });
  ASSERT_FALSE(f.segments.empty());
  EXPECT_NEAR(f.segments.back()[1].rgba[2], 1.0, 1e-6);
  EXPECT_NEAR(f.segments.back()[1].rgba[0], 0.0, 1e-6);
}

TEST_F(ContourPlotTest, NoIntervalOrNoNodesDrawNothing) {
  FillRamp();
  graph_.GraphType = kContourPlot;
  for (const double step : {0.0, -100.0, std::nan("")}) {
    graph_.ContourLevels = step;
    EXPECT_TRUE(TracePlot().levels.empty()) << step;
  }
  graph_.ContourLevels = 100;
  graph_.StepU = -1;
  EXPECT_TRUE(TracePlot().levels.empty());
}

// The 2D Picture

class ContourPicture2DTest : public ContourPlotTest {
 protected:
  // A bowl (x - 5)^2 + (y - 5)^2 over data X, Y = 0..10 on 41 x 41 nodes,
  // heights 0..50 scaled by 5 into 0..10, the centre in the middle of each
  // axis, in a 2D document.
  void SetUp() override {
    ws_.settings.ViewCode = kViewCode2D;
    DataSet& d = ws_.dataSet;
    FillSurface(41, 41, [](Long, Long) { return 0.0; });
    for (Long i = 0; i <= 40; ++i) {
      for (Long j = 0; j <= 40; ++j) {
        const double x = i / 4.0, y = j / 4.0, h = (x - 5) * (x - 5) + (y - 5) * (y - 5);
        d.Reg3DX(i, j, x);
        d.Reg3DY(i, j, y);
        d.Reg3DZ(i, j, h);
        d.Reg3DC(i, j, h);
      }
    }
    ScaleHeights(5.0);
    ws_.settings.CenterX = ws_.settings.CenterY = 5.0;
    ws_.settings.CenterZ = 5.0;
    graph_.GraphType = kContourPlot;
    graph_.ContourLevels = 10;
    graph_.ConFillType = kContourMap;
    graph_.ConWidth = 3;
    graph_.ColorName = "RAINBOW";
  }

  // The front view of a 2D document: scene x to the right, y up, z towards
  // the viewer, -6..6 across.
  void LookFront() {
    glViewport(0, 0, kSize, kSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-6, 6, -6, 6, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  // The pixel around `at` (3 x 3) that a smoothed line covers most: the one
  // furthest from the white background.
  static std::array<std::uint8_t, 4> MostCovered(const RgbaImage& image, std::array<int, 2> at) {
    std::array<std::uint8_t, 4> best = image.At(at[0], at[1]);
    const auto ink = [](const std::array<std::uint8_t, 4>& p) { return 765 - p[0] - p[1] - p[2]; };
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        const auto p = image.At(at[0] + dx, at[1] + dy);
        if (ink(p) > ink(best)) best = p;
      }
    }
    return best;
  }

  // Checks that the pixel under the middle of every few segments of each
  // level's lines has the colour expected of that level and lies inside the
  // data's X and Y extent (the 2D axis box, centred: -5..5). lineItself:
  // the line's own pixel (smoothed at its edges), otherwise the pixel of
  // what is drawn there instead of the line. tolerance: per channel, of 255.
  void ExpectLevelColours(const RgbaImage& image, const std::function<Rgb(double)>& colourOf,
                          bool lineItself, double tolerance) {
    const RecordingSink sink = TracePlot();
    ASSERT_EQ(sink.levels.size(), 5u);  // 10, 20, 30, 40, 50
    const std::array<int, 2> low = Pixel(-5, -5, 0), high = Pixel(5, 5, 0);
    int checked = 0;
    for (const RecordedLine& line : sink.lines) {
      const Rgb expected = colourOf(line.level);
      for (std::size_t k = 0; k + 1 < line.points.size(); k += 7) {
        const ScenePoint& a = line.points[k];
        const ScenePoint& b = line.points[k + 1];
        // A few pixels long at least (the highest level only cuts the
        // corners, too short to show).
        if (std::hypot(b.x - a.x, b.y - a.y) < 0.1) continue;
        const std::array<int, 2> at = Pixel((a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2);
        ASSERT_TRUE(at[0] >= low[0] && at[0] <= high[0] && at[1] >= low[1] && at[1] <= high[1]);
        const auto px = lineItself ? MostCovered(image, at) : image.At(at[0], at[1]);
        SCOPED_TRACE("level " + std::to_string(line.level) + " at pixel " + std::to_string(at[0]) +
                     ", " + std::to_string(at[1]));
        EXPECT_NEAR(px[0], expected.r * 255, tolerance);
        EXPECT_NEAR(px[1], expected.g * 255, tolerance);
        EXPECT_NEAR(px[2], expected.b * 255, tolerance);
        ++checked;
      }
    }
    EXPECT_GT(checked, 40);
  }
};

// The lines of the contour plot's own colour map: the pixel under each line
// has the map's colour of its level.
TEST_F(ContourPicture2DTest, EachLineShowsItsLevelsMapColour) {
  LookFront();
  graph_.Draw(ws_.Context());
  const RgbaImage image = Picture("contour_plot_2d");
  const ContourLevels levels = ContourLevelsOf(0, 50, 10);
  const ColorPointList map = FindNamedColorMap("RAINBOW")->points;
  ExpectLevelColours(
      image,
      [&](double level) {
        return LookupColor(map, MapScale(level, levels.First(), levels.Last() - levels.First()));
      },
      true, 12);
}

// A colour map of the same field under the contour plot's lines: the pixel
// of the map where a level's line lies has the map's colour of that level,
// so the lines lie on the map's colour boundaries.
TEST_F(ContourPicture2DTest, LinesLieOnTheColourMapsBoundaries) {
  LookFront();
  Graph map;
  map.GraphType = kColorMapGraph;
  map.StepU = map.StepV = 40;
  map.ColorMapfilltype = 4;
  map.ColorName = "RAINBOW";
  map.Draw(ws_.Context());
  const RgbaImage image = Picture("contour_colour_map_2d");
  // The map blends its node colours across each cell, which bends the
  // rainbow's steps by up to a tenth of a channel; a line one level off would
  // differ by far more.
  ExpectLevelColours(
      image, [&](double level) { return map.GetMapColor(level, 0, 50); }, false, 26);
}

}  // namespace
}  // namespace qv::test
