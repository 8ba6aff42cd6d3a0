// The 3D contour plot: its lines lie on the surface of the data, on the
// cylinder or the sphere itself, where the colour values reach their level.
#include <cmath>
#include <string>

#include "contour_drawing.h"
#include "contour_test_support.h"
#include "data/memory_data_panel.h"
#include "gl_feedback.h"
#include "graph_draw_fixture.h"
#include "platform/long_work.h"

namespace qv::test {
namespace {

// The program's degree factor.
constexpr double kDegree = 3.1416 / 180.0;

// The angle of (x, y) in 0..2 pi (the half turns drawn end at 3.1416, a
// little past pi).
double AngleOf(double x, double y) {
  const double a = std::atan2(y, x);
  return a < -1.0 ? a + 2.0 * 3.14159265358979323846 : a;
}

class Contour3DTest : public GraphDrawTest {
 protected:
  Contour3DTest() {
    graph_.GraphType = kContour3DPlot;
    graph_.Con3FillType = kContourSingle;
    ws_.settings.CenterX = 0.3;
    ws_.settings.CenterY = -0.2;
    ws_.settings.CenterZ = 0.7;
  }

  // Loads nu x nv sheet rows made by row(i, j) as data kind `kind`.
  void Load(Long kind, Long nu, Long nv,
            const std::function<std::array<double, 4>(Long, Long)>& row) {
    panel_.SetKindIndex(kind);
    panel_.SetText(1, CStr(nu));
    panel_.SetText(2, CStr(nv));
    for (Long i = 0; i < nu; ++i) {
      for (Long j = 0; j < nv; ++j) {
        const std::array<double, 4> r = row(i, j);
        panel_.SetRow(i * nv + j + 1, {FormatDouble(r[0]), FormatDouble(r[1]), FormatDouble(r[2]),
                                       FormatDouble(r[3])});
      }
    }
    DataContext context{panel_, ws_.settings, messages_, work_};
    ASSERT_TRUE(ws_.dataSet.GetData(context));
    graph_.StepU = nu - 1;
    graph_.StepV = nv - 1;
  }

  RecordingSink Trace() {
    RecordingSink sink;
    TraceContour3D(graph_, ws_.Context(), sink);
    return sink;
  }

  // A drawn point back in data units (scene x = data Y, y = Z, z = X).
  std::array<double, 3> DataOf(const ScenePoint& p) const {
    const SharedSettings& s = ws_.settings;
    return {(p.z + s.CenterX) * s.DataScaleX, (p.x + s.CenterY) * s.DataScaleY,
            (p.y + s.CenterZ) * s.DataScaleZ};
  }

  MemoryDataPanel panel_;
  ImmediateWorkRunner work_;
};

// A half cylinder of radius 5, angle 0..180 degrees along the first index
// and height 0..8 along the second, coloured angle / 10 + height: every
// point lies on the cylinder, at the height and angle where the colour
// reaches its level.
TEST_F(Contour3DTest, CylinderLinesLieOnTheCylinder) {
  Load(kRegularCylindrical, 13, 9, [](Long i, Long j) {
    const double a = 15.0 * i, h = static_cast<double>(j);
    return std::array<double, 4>{a, h, 5.0, a / 10 + h};
  });
  ASSERT_NE(ws_.settings.DataScaleY, 1.0) << "the scales should differ from 1";
  graph_.Contour3Levels = 2.5;
  const RecordingSink sink = Trace();
  ASSERT_EQ(sink.levels.size(), 10u);  // 2.5 .. 25
  std::size_t points = 0;
  for (const RecordedLine& line : sink.lines) {
    for (const ScenePoint& p : line.points) {
      const auto [x, y, z] = DataOf(p);
      ASSERT_NEAR(std::hypot(x, y), 5.0, 1e-6);
      // Nodes on a level were raised by 1e-5.
      ASSERT_NEAR(AngleOf(x, y) / kDegree / 10 + z, line.level, 1e-4);
      ++points;
    }
  }
  EXPECT_GT(points, 100u);
}

// A sphere of radius 3, azimuth 0..180 along the first index, polar angle
// 10..170 along the second, coloured (azimuth + polar angle) / 10.
TEST_F(Contour3DTest, SphereLinesLieOnTheSphere) {
  Load(kRegularSpherical, 13, 9, [](Long i, Long j) {
    const double a = 15.0 * i, b = 10.0 + 20.0 * j;
    return std::array<double, 4>{a, b, 3.0, (a + b) / 10};
  });
  graph_.Contour3Levels = 3;
  const RecordingSink sink = Trace();
  ASSERT_EQ(sink.levels.size(), 11u);  // 3 .. 33
  for (const RecordedLine& line : sink.lines) {
    for (const ScenePoint& p : line.points) {
      const auto [x, y, z] = DataOf(p);
      const double r = std::sqrt(x * x + y * y + z * z);
      ASSERT_NEAR(r, 3.0, 1e-6);
      const double azimuth = AngleOf(x, y), polar = std::acos(z / r);
      ASSERT_NEAR((azimuth + polar) / kDegree / 10, line.level, 1e-4);
    }
  }
}

// Colour values equal to the heights: each line lies on the surface at the
// height of its level, the last row and column included, which the lines
// reach without reading past the grid.
TEST_F(Contour3DTest, CartesianLinesStandAtTheHeightOfTheirLevel) {
  FillSurface(12, 9, [](Long i, Long j) { return 0.5 * static_cast<double>(i * j); });
  DataSet& d = ws_.dataSet;
  for (Long i = 0; i < 12; ++i) {
    for (Long j = 0; j < 9; ++j) d.Reg3DZ(i, j, d.Reg3DZ(i, j) / 4.0);
  }
  ws_.settings.DataScaleZ = 4.0;
  graph_.Contour3Levels = 4;
  const RecordingSink sink = Trace();
  ASSERT_EQ(sink.levels.size(), 11u);  // 4 .. 44 of 0..44
  bool lastRowReached = false;
  for (const RecordedLine& line : sink.lines) {
    for (const ScenePoint& p : line.points) {
      const auto [x, y, z] = DataOf(p);
      ASSERT_NEAR(z, line.level, 1e-4);
      // Every crossing lies on a grid line, along which the surface is exact.
      ASSERT_NEAR(z, 0.5 * x * y, 1e-9);
      ASSERT_TRUE(x >= 0 && x <= 11 && y >= 0 && y <= 8);
      lastRowReached = lastRowReached || x == 11 || y == 8;
    }
  }
  EXPECT_TRUE(lastRowReached);
}

TEST_F(Contour3DTest, OnlyASurfaceInA3DDocumentHasLines) {
  FillSurface(5, 5, [](Long i, Long j) { return static_cast<double>(i + j); });
  graph_.Contour3Levels = 1;
  EXPECT_FALSE(Trace().lines.empty());
  for (const Long view : {kViewCode2D, kViewCode4D}) {
    ws_.settings.ViewCode = view;
    EXPECT_TRUE(Trace().lines.empty()) << view;
  }
  ws_.settings.ViewCode = kViewCode3D;
  panel_.SetKindIndex(kRegularVolume);
  for (const int box : {1, 2, 4}) panel_.SetText(box, "2");
  for (Long row = 1; row <= 8; ++row) {
    panel_.SetRow(row,
                  {CStr((row - 1) / 4), CStr((row - 1) / 2 % 2), CStr((row - 1) % 2), CStr(row)});
  }
  DataContext context{panel_, ws_.settings, messages_, work_};
  ASSERT_TRUE(ws_.dataSet.GetData(context));
  EXPECT_TRUE(Trace().lines.empty()) << "a volume";
}

// Steps past the data set's nodes (an old record, a smaller data set) read
// only the nodes there are. (The lines' box is watched here rather than
// with the other kinds: they are drawn a little nearer in depth, which the
// feedback shows.)
TEST_F(Contour3DTest, StepsBeyondTheDataReadOnlyItsNodes) {
  FillSurface(6, 5, [](Long i, Long j) { return std::sin(0.9 * i) + std::cos(0.7 * j); });
  graph_.Contour3Levels = 0.25;
  const RecordingSink exact = Trace();
  ASSERT_FALSE(exact.lines.empty());
  graph_.StepU += 40;
  graph_.StepV += 400;
  RecordingSink beyond;
  ASSERT_NO_THROW(beyond = Trace());
  ASSERT_EQ(beyond.lines.size(), exact.lines.size());
  for (std::size_t k = 0; k < exact.lines.size(); ++k) {
    ExpectPoints(beyond.lines[k].points, exact.lines[k].points);
  }
}

// Drawn in its colour mode: the blend from Con3Color2 at the lowest level.
TEST_F(Contour3DTest, DrawnInTheBlendOfItsColours) {
  FillSurface(5, 5, [](Long i, Long j) { return static_cast<double>(i + j); });
  graph_.Contour3Levels = 1;
  graph_.Con3FillType = kContourBlend;
  graph_.Con3Color1 = RGB(255, 0, 0);
  graph_.Con3Color2 = RGB(0, 0, 255);
  const Feedback f = CaptureFeedback([&] { graph_.Draw(ws_.Context()); });
  ASSERT_FALSE(f.segments.empty());
  EXPECT_NEAR(f.segments.front()[0].rgba[2], 1.0, 1e-6);
  EXPECT_NEAR(f.segments.back()[1].rgba[0], 1.0, 1e-6);
}

}  // namespace
}  // namespace qv::test
