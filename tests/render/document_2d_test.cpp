// 2D documents opened in the main window, seen from the front: their
// picture lies in the scene x-y plane with data X across, data Y up and the
// value towards the viewer. Where points land against the axis system, what
// a colour map covers and whether a vector plot shows, read from the picture.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scene/color.h"
#include "support/picture_baseline.h"
#include "support/temp_folder.h"
#include "typed_document.h"

namespace qv::test {
namespace {

constexpr int kSize = 256;

using Pixel = std::array<std::uint8_t, 4>;

bool IsWhite(const Pixel& p) { return p[0] > 245 && p[1] > 245 && p[2] > 245; }
// The grid's grey (153) as the anti-aliasing passes spread it: grey, not white.
bool IsGridGrey(const Pixel& p) {
  return p[0] < 235 && std::abs(p[0] - p[1]) < 8 && std::abs(p[1] - p[2]) < 8;
}
// Red, or a red stroke's edge that the anti-aliasing passes spread.
bool IsRed(const Pixel& p) { return p[0] > 200 && p[0] - std::max(p[1], p[2]) > 80; }
// Blue, or a thin blue line's edge over white.
bool IsBlue(const Pixel& p) { return p[2] - std::max(p[0], p[1]) > 60; }
// The rainbow's colours all have one channel far from another; no grey has.
bool IsMapColour(const Pixel& p) {
  return std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}) > 60;
}

// An n x m grid of data X = 0..n-1, Y = y0..y0+m-1 with value and colour
// value f(X, Y).
std::vector<std::array<double, 4>> Grid(Long n, Long m, double y0,
                                        const std::function<double(double, double)>& f) {
  std::vector<std::array<double, 4>> rows;
  for (Long i = 0; i < n; ++i) {
    for (Long j = 0; j < m; ++j) {
      const double x = static_cast<double>(i), y = y0 + static_cast<double>(j);
      rows.push_back({x, y, f(x, y), f(x, y)});
    }
  }
  return rows;
}

// A 2D point at (x, y) as the point dialog stores it (x in PointY, y in
// PointZ).
void AddPoint(Program& program, double x, double y, Long color) {
  auto point = NewGraph(program, kPointGraph);
  point->PointY = x;
  point->PointZ = y;
  point->PointColor = color;
  point->PointSize = 3;
  Show(program, point);
}

class Document2DTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { fontProblem_ = UseOnlyThePictureFont(); }

  void SetUp() override { ASSERT_EQ(fontProblem_, ""); }
  void TearDown() override { program_.reset(); }

  // Makes a new 2D document with build, saves it, opens it in a window with
  // a kSize x kSize picture, fits the view to all its graphs (the open fits
  // it to the first) and returns the picture.
  RgbaImage Open(const std::function<void(Program&)>& build) {
    const std::string path = temp_.File("document.qrv");
    {
      Program writer(temp_.Path());
      writer.files.New2D();
      build(writer);
      writer.dialogs.Choose(path);
      EXPECT_TRUE(writer.files.Save());
    }
    program_ = std::make_unique<Program>(temp_.Path());
    MainWindowCore& core = program_->core;
    program_->view.MakeContext(kSize, kSize);
    core.SetDrawingSize(kSize, kSize);
    FixLight(core.Shared().sceneLight);
    core.OpenDocumentPath(path);
    EXPECT_TRUE(program_->messages.Shown().empty());
    EXPECT_EQ(core.Shared().settings.ViewCode, kViewCode2D);
    core.FitView();
    RgbaImage image = program_->view.context->ReadPixels();
    if (std::getenv("QV_WRITE_PICTURES") != nullptr) {
      WritePng(std::string("/tmp/qv_") +
                   testing::UnitTest::GetInstance()->current_test_info()->name() + ".png",
               image);
    }
    return image;
  }

  // The pixel where the data point (x, y) is drawn: at scene (x / DataScaleX
  // - CenterX, y / DataScaleY - CenterY, -CenterZ) under the camera of the
  // picture (a 2D document is not rotated).
  std::array<int, 2> PixelOf(double x, double y) const {
    Workspace& ws = program_->core.Shared();
    const SharedSettings& s = ws.settings;
    ws.camera.Projection(0.0, 0.0, Box{});
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double wx = 0, wy = 0, wz = 0;
    gluProject(x / s.DataScaleX - s.CenterX, y / s.DataScaleY - s.CenterY, -s.CenterZ, modelview,
               projection, viewport, &wx, &wy, &wz);
    return {static_cast<int>(std::floor(wx)), static_cast<int>(std::floor(wy))};
  }

  // The column and the row with the most pixels that match: where the two
  // strokes of a cross marker cross.
  static std::array<int, 2> CrossOf(const RgbaImage& image, bool (*match)(const Pixel&)) {
    std::vector<int> columns(static_cast<std::size_t>(image.width)),
        rows(static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        if (!match(image.At(x, y))) continue;
        ++columns[static_cast<std::size_t>(x)];
        ++rows[static_cast<std::size_t>(y)];
      }
    }
    return {static_cast<int>(std::max_element(columns.begin(), columns.end()) - columns.begin()),
            static_cast<int>(std::max_element(rows.begin(), rows.end()) - rows.begin())};
  }

  // Whether a pixel at most one off (x, y) matches.
  static bool Near(const RgbaImage& image, int x, int y, bool (*match)(const Pixel&)) {
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        if (match(image.At(x + dx, y + dy))) return true;
      }
    }
    return false;
  }

  TempFolder temp_;
  std::unique_ptr<Program> program_;
  static inline std::string fontProblem_;
};

// A point at data (4, 2) is drawn where the axis system puts (4, 2): the
// grid lines of x = 4 and y = 2 cross at its middle, and none passes
// halfway to the next ticks. The data (X 0..12, Y -3..3) makes the two data
// scales differ.
TEST_F(Document2DTest, PointLandsOnItsPlaceInTheAxisBox) {
  const RgbaImage image = Open([](Program& program) {
    TypeData(program, kRegularSurface, {{1, 13}, {2, 7}},
             Grid(13, 7, -3, [](double x, double y) { return x + y; }));
    AddPoint(program, 4, 2, RGB(255, 0, 0));
    // The box runs from the origin to (12, 6): ticks 0, 2, .., 10 and 0..5.
    AddPoint(program, 12, 6, RGB(0, 0, 0));
  });
  const std::array<int, 2> at = PixelOf(4, 2);
  const std::array<int, 2> red = CrossOf(image, IsRed);
  EXPECT_NEAR(red[0], at[0], 1);
  EXPECT_NEAR(red[1], at[1], 1);
  // Beyond the marker's reach (8 pixels for size 3), along the lines.
  for (int off : {12, 16, 20}) {
    SCOPED_TRACE(off);
    EXPECT_TRUE(Near(image, at[0], at[1] + off, IsGridGrey)) << "no grid line of x = 4 above";
    EXPECT_TRUE(Near(image, at[0] - off, at[1], IsGridGrey)) << "no grid line of y = 2 left";
  }
  const std::array<int, 2> between = PixelOf(5, 2.5);
  EXPECT_TRUE(IsWhite(image.At(between[0], at[1] + 16)));
  EXPECT_TRUE(IsWhite(image.At(at[0] - 16, between[1])));
}

// A colour map covers its whole axis box with the map's colours, the
// lowest value in the map's first colour and the highest in its last; a
// point drawn after it shows over it, though the map's values lie above 0.
TEST_F(Document2DTest, ColourMapFillsItsAxisBox) {
  const RgbaImage image = Open([](Program& program) {
    TypeData(program, kRegularSurface, {{1, 11}, {2, 6}},
             Grid(11, 6, 0, [](double x, double y) { return 5 + x + y; }));
    auto map = NewGraph(program, kColorMapGraph);
    map->StepU = 10;
    map->StepV = 5;
    map->ColorMapfilltype = 4;
    map->ColorName = "RAINBOW";
    Show(program, map);
    AddPoint(program, 7, 2, RGB(0, 0, 0));
  });
  const std::array<int, 2> low = PixelOf(0, 0), high = PixelOf(10, 5);
  ASSERT_GT(high[0] - low[0], 50);
  ASSERT_GT(high[1] - low[1], 50);
  const std::array<int, 2> point = PixelOf(7, 2);
  int uncovered = 0;
  for (int y = low[1] + 2; y <= high[1] - 2; ++y) {
    for (int x = low[0] + 2; x <= high[0] - 2; ++x) {
      if (std::abs(x - point[0]) <= 8 && std::abs(y - point[1]) <= 8) continue;
      uncovered += IsMapColour(image.At(x, y)) ? 0 : 1;
    }
  }
  EXPECT_EQ(uncovered, 0);
  const Pixel first = image.At(low[0] + 1, low[1] + 1);
  const Pixel last = image.At(high[0] - 1, high[1] - 1);
  EXPECT_NEAR(first[0], 153, 20);
  EXPECT_NEAR(first[1], 102, 20);
  EXPECT_NEAR(first[2], 255, 20);
  EXPECT_NEAR(last[0], 255, 20);
  EXPECT_NEAR(last[1], 0, 20);
  EXPECT_NEAR(last[2], 0, 20);
  EXPECT_TRUE(image.At(point[0], point[1])[0] < 60 && image.At(point[0], point[1])[1] < 60)
      << "the point is hidden by the map";
}

// A vector plot draws an arrow at each interior node with a slope, lying in
// the picture's plane inside the axis box: many pixels of its colour, not
// the one line an edge-on plot gives.
TEST_F(Document2DTest, VectorPlotShowsItsArrows) {
  constexpr Long n = 9, m = 7;
  const RgbaImage image = Open([&](Program& program) {
    TypeData(program, kRegularSurface, {{1, n}, {2, m}},
             Grid(n, m, 0, [](double x, double y) { return x * x / 4 + y; }));
    auto vectors = NewGraph(program, kVectorPlot);
    vectors->StepU = n - 1;
    vectors->StepV = m - 1;
    vectors->VectorColor = RGB(0, 0, 255);
    Show(program, vectors);
  });
  const std::array<int, 2> low = PixelOf(0, 0), high = PixelOf(n - 1, m - 1);
  int inside = 0, outside = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (!IsBlue(image.At(x, y))) continue;
      const bool in = x >= low[0] - 1 && x <= high[0] + 1 && y >= low[1] - 1 && y <= high[1] + 1;
      (in ? inside : outside) += 1;
    }
  }
  // (n - 2) x (m - 2) = 35 arrows, each some 8 pixels long or more.
  EXPECT_GT(inside, 35 * 8);
  EXPECT_EQ(outside, 0);
  // One arrow per interior node: the shaft leaves the node's pixel.
  for (Long i = 1; i < n - 1; ++i) {
    for (Long j = 1; j < m - 1; ++j) {
      const std::array<int, 2> node = PixelOf(static_cast<double>(i), static_cast<double>(j));
      EXPECT_TRUE(Near(image, node[0], node[1], IsBlue)) << "no arrow at node " << i << ", " << j;
    }
  }
}

// A straight contour line y = 24.6 - slope * x across a 41 x 41 grid, every
// grid cell a segment of it some 3 pixels long.
struct StraightContour {
  double slope;
  Long width;
};

void PrintTo(const StraightContour& line, std::ostream* out) {
  *out << "slope " << line.slope << ", width " << line.width;
}

class ContourLineTest : public Document2DTest,
                        public testing::WithParamInterface<StraightContour> {};

// The darkness of a pixel as a picture viewer shows it over white: 0 for
// white, 255 for black.
int Darkness(const Pixel& p) { return 255 - (p[0] * p[3] / 255 + 255 - p[3]); }

// Regression: contour lines were smoothed segment by segment on top of the
// jittered passes; each segment was blended over its neighbours' ends with
// the share of the pixel it covered (and lowered the picture's alpha there),
// so every joint showed lighter than the line around it, and a line of
// segments one grid cell long looked dashed. A whole line carries its width
// in ink in every column it crosses.
TEST_P(ContourLineTest, CarriesTheSameInkInEveryColumn) {
  const StraightContour line = GetParam();
  constexpr Long n = 41;
  const RgbaImage image = Open([&](Program& program) {
    // Values 0.254 .. 0.874: the one level of the step 0.5 is 0.5, where
    // y + slope * x = 24.6.
    TypeData(program, kRegularSurface, {{1, n}, {2, n}}, Grid(n, n, 0, [&](double x, double y) {
               return (y + line.slope * x + 0.4) / 100.0 + 0.25;
             }));
    auto contour = NewGraph(program, kContourPlot);
    contour->StepU = n - 1;
    contour->StepV = n - 1;
    contour->ContourLevels = 0.5;
    contour->ConFillType = 4;
    contour->ConColor1 = contour->ConColor2 = RGB(0, 0, 0);
    contour->ConWidth = line.width;
    Show(program, contour);
    // Its grid lines would cross the line.
    program.core.Shared().axisSystem.Show = false;
  });
  const auto yOf = [&](double x) { return 24.6 - line.slope * x; };
  // Away from the line's ends, which the border cuts.
  const std::array<int, 2> from = PixelOf(2, yOf(2)), to = PixelOf(38, yOf(38));
  ASSERT_GT(to[0] - from[0], 80);
  const int reach = static_cast<int>(line.width) + 3;
  std::vector<int> ink;
  for (int x = from[0]; x <= to[0]; ++x) {
    const double t = static_cast<double>(x - from[0]) / (to[0] - from[0]);
    const auto middle = static_cast<int>(std::lround(from[1] + t * (to[1] - from[1])));
    int sum = 0;
    for (int y = middle - reach; y <= middle + reach; ++y) sum += Darkness(image.At(x, y));
    ink.push_back(sum);
  }
  std::vector<int> sorted = ink;
  std::sort(sorted.begin(), sorted.end());
  const int median = sorted[sorted.size() / 2];
  EXPECT_NEAR(median, 255 * line.width, 26 * line.width) << "the line is not its width";
  for (std::size_t k = 0; k < ink.size(); ++k) {
    EXPECT_NEAR(ink[k], median, median / 20) << "column " << from[0] + static_cast<int>(k);
  }
}

INSTANTIATE_TEST_SUITE_P(Slopes, ContourLineTest,
                         testing::Values(StraightContour{0.3, 1}, StraightContour{0.55, 2}),
                         [](const testing::TestParamInfo<StraightContour>& info) {
                           return "Width" + std::to_string(info.param.width);
                         });

}  // namespace
}  // namespace qv::test
