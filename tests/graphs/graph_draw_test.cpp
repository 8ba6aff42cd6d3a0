// The drawing dispatcher and the drawn kinds, watched through GL feedback:
// what each kind emits lies in the box the scene is fitted to, steps past the
// data set read nothing outside it, bad triangles and widths are defused, and
// a drawing leaves the GL state as it found it.
#include <algorithm>
#include <cmath>
#include <string>

#include "graph_draw_fixture.h"
#include "graph_geometry.h"

namespace qv::test {
namespace {

double Relief(Long i, Long j) { return 2.0 + std::sin(0.7 * i) + 1.5 * std::cos(0.5 * j); }
double Field(Long i, Long j, Long k) { return i + 2.0 * j + 0.5 * k * k; }

const std::vector<std::array<double, 3>> kScatter = {
    {0, 0, 1}, {4, 0, 2}, {4, 3, 0.5}, {0, 3, 1.5}, {2, 1.5, 3}, {1, 2.5, 2}, {3, 0.7, 1}};

class DrawnKindTest;

// One drawn kind: its code and how its graph and data are set up.
struct KindCase {
  const char* name;
  Long kind;
  void (*prepare)(DrawnKindTest&);
};

class DrawnKindTest : public GraphDrawTest, public testing::WithParamInterface<KindCase> {
 public:
  using GraphDrawTest::FillPoints;
  using GraphDrawTest::FillSurface;
  using GraphDrawTest::FillVolume;
  Graph& TheGraph() { return graph_; }
  Workspace& Space() { return ws_; }
};

void Surface(DrawnKindTest& t) {
  t.FillSurface(6, 5, Relief);
  t.TheGraph().Show = 3;
  t.TheGraph().FillStyle = 4;
}
// A bowl: its slopes, and so its vectors, are steepest at the rim and point
// out of the grid there.
void SurfaceWithLayers(DrawnKindTest& t) {
  Surface(t);
  t.FillSurface(6, 5, [](Long i, Long j) { return (i - 2.5) * (i - 2.5) + (j - 2.0) * (j - 2.0); });
  t.TheGraph().ShowColormap = t.TheGraph().ShowVector = true;
}
void VertexOrGrid(DrawnKindTest& t) {
  Surface(t);
  t.TheGraph().VertSize = 3;
  t.TheGraph().GridWidth = 2;
}
void Delaunay(DrawnKindTest& t) {
  t.FillPoints(kScatter);
  t.TheGraph().ShowDS = t.TheGraph().ShowDG = true;
  t.TheGraph().FillStyle = 2;
}
void Line(DrawnKindTest& t) {
  t.FillPoints(kScatter);
  for (Long i = 0; i < static_cast<Long>(kScatter.size()); ++i) {
    const auto& p = kScatter[static_cast<std::size_t>(i)];
    t.TheGraph().VertTab3D(0, i)->init(p[0], p[1], p[2], 0, 1, 0);
  }
  t.TheGraph().StepV = static_cast<Long>(kScatter.size()) - 1;
  t.TheGraph().LineWidth = 2;
}
void Point(DrawnKindTest& t) {
  t.TheGraph().PointX = 3;
  t.TheGraph().PointY = -2;
  t.TheGraph().PointZ = 1.5;
  t.TheGraph().PointSize = 3;
}
void Volume(DrawnKindTest& t) { t.FillVolume(4, Field); }
void ContourPlot(DrawnKindTest& t) {
  Surface(t);
  t.TheGraph().ContourLevels = 0.5;
  t.TheGraph().ConFillType = 5;
}
void SurfaceWithContourLayer(DrawnKindTest& t) {
  SurfaceWithLayers(t);
  t.TheGraph().ShowContour = true;
  t.TheGraph().ContourLevel = 1;
}
// Three slices across each axis over the whole plane with their contours
// and vectors, and the fill of the X slices. (The fills of the Z and Y
// slices lie edge-on to the feedback view, where their polygon offset, which
// keeps the lines on a plane in front of its fill, moves them to the far end
// of the depth range.)
void Slices(DrawnKindTest& t) {
  Volume(t);
  Graph& g = t.TheGraph();
  g.Slice4NumX = g.Slice4NumY = g.Slice4NumZ = 3;
  for (Long k = 1; k <= 3; ++k) {
    const double at = k == 1 ? 0.5 : k == 2 ? 1.0 : 2.5;
    g.Slice4X(k) = g.Slice4Y(k) = g.Slice4Z(k) = at;
    g.SliceXShowColor(k) = true;
    for (SliceFlags* f : {&g.SliceXShowCont, &g.SliceXShowVect, &g.SliceYShowCont,
                          &g.SliceYShowVect, &g.SliceZShowCont, &g.SliceZShowVect}) {
      (*f)(k) = true;
    }
    g.SliceXContLevels(k) = g.SliceYContLevels(k) = g.SliceZContLevels(k) = 1;
    for (SliceLongs* b : {&g.Slice4YZYB, &g.Slice4YZZB, &g.Slice4ZXXB, &g.Slice4ZXZB, &g.Slice4XYXB,
                          &g.Slice4XYYB}) {
      (*b)(k) = 1;
    }
    for (SliceLongs* e : {&g.Slice4YZYE, &g.Slice4YZZE, &g.Slice4ZXXE, &g.Slice4ZXZE, &g.Slice4XYXE,
                          &g.Slice4XYYE}) {
      (*e)(k) = 4;
    }
  }
}

const KindCase kDrawnKinds[] = {
    {"SurfaceModel", kSurfaceModel, Surface},
    {"SurfaceWithColorMapAndVectorLayers", kSurfaceModel, SurfaceWithLayers},
    {"RecordKind2WithLayers", 2, SurfaceWithLayers},
    {"RecordKind12", 12, Surface},
    {"RecordKind21", 21, Surface},
    {"RecordKind22WithLayers", 22, SurfaceWithLayers},
    {"ColorMap", kColorMapGraph, Surface},
    {"ColorMapWithLayer", kColorMapGraph, SurfaceWithLayers},
    {"VertexModel", kVertexModel, VertexOrGrid},
    {"GridModel", kGridModel, VertexOrGrid},
    {"DelaunayTriangles", kDelaunayGraph, Delaunay},
    {"Line", kLineGraph, Line},
    {"Point", kPointGraph, Point},
    {"VectorPlot", kVectorPlot, Surface},
    {"Scatter4D", kScatter4D, Volume},
    {"Vector4D", kVector4D, Volume},
    {"ContourPlot", kContourPlot, ContourPlot},
    {"SurfaceWithContourLayer", kSurfaceModel, SurfaceWithContourLayer},
    {"Slices4D", kSlice4D, Slices},
};

// Every emitted vertex, moved back by the centre (the offsets along the
// scene's x, y and z), lies in box.
void ExpectInside(const Emitted& e, const Box& box, const std::array<double, 3>& centre) {
  constexpr double kTol = 1e-3;
  for (const auto& v : e.vertices) {
    const double x = v[0] + centre[0], y = v[1] + centre[1], z = v[2] + centre[2];
    EXPECT_TRUE(x >= box.MinX - kTol && x <= box.MaxX + kTol && y >= box.MinY - kTol &&
                y <= box.MaxY + kTol && z >= box.MinZ - kTol && z <= box.MaxZ + kTol)
        << "vertex (" << x << ", " << y << ", " << z << ") outside x " << box.MinX << ".."
        << box.MaxX << ", y " << box.MinY << ".." << box.MaxY << ", z " << box.MinZ << ".."
        << box.MaxZ;
  }
}

// The view is fitted to the union of the graphs' boxes: a vertex outside its
// graph's box is cut off or pushes the picture off centre.
TEST_P(DrawnKindTest, BoxHoldsEveryEmittedVertex) {
  const KindCase& c = GetParam();
  graph_.GraphType = c.kind;
  c.prepare(*this);
  SharedSettings& s = ws_.settings;
  s.CenterX = 2.5;
  s.CenterY = 1.5;
  s.CenterZ = 0.8;
  const Box box = graph_.GetBox(ws_.Context());
  const Emitted e = Capture([&] { graph_.Draw(ws_.Context()); });
  ASSERT_FALSE(e.vertices.empty()) << "the kind draws nothing";
  ExpectInside(e, box, {s.CenterY, s.CenterZ, s.CenterX});
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// In a 2D document the box carries data X, Y and the value along x, y, z,
// and a vertex drawn at (X - CenterX, Y - CenterY, Z - CenterZ) must lie in
// it: the kinds of 2D documents draw so, any other kind of surface data is
// turned so. (The slice planes cut a volume, which a 2D document cannot hold.)
TEST_P(DrawnKindTest, TwoDimensionalBoxHoldsEveryEmittedVertex) {
  const KindCase& c = GetParam();
  if (c.kind == kSlice4D) GTEST_SKIP() << "a volume kind";
  graph_.GraphType = c.kind;
  c.prepare(*this);
  SharedSettings& s = ws_.settings;
  s.ViewCode = kViewCode2D;
  s.CenterX = 2.5;
  s.CenterY = 1.5;
  s.CenterZ = 0.8;
  const Box box = graph_.GetBox(ws_.Context());
  const Emitted e = Capture([&] { graph_.Draw(ws_.Context()); });
  ASSERT_FALSE(e.vertices.empty()) << "the kind draws nothing";
  ExpectInside(e, box, {s.CenterX, s.CenterY, s.CenterZ});
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1) << "the turn is left on the matrix stack";
}

// Steps from an old record or a changed data panel may name more nodes than
// the data set holds: the drawing must read only what exists and draw the
// same picture as with the true steps.
TEST_P(DrawnKindTest, StepsBeyondTheDataDrawOnlyTheNodesThatExist) {
  const KindCase& c = GetParam();
  graph_.GraphType = c.kind;
  c.prepare(*this);
  const Emitted exact = Capture([&] { graph_.Draw(ws_.Context()); });
  graph_.StepU += 40;
  graph_.StepV += 400;
  graph_.StepH += 40;
  Emitted beyond;
  ASSERT_NO_THROW(beyond = Capture([&] { graph_.Draw(ws_.Context()); }));
  if (c.kind == kLineGraph) {
    // The line reads its own vertex table, which holds 201 slots: it stops at
    // the last slot, however large StepV is.
    EXPECT_EQ(beyond.lines, 200);
  } else {
    EXPECT_EQ(beyond.vertices.size(), exact.vertices.size());
  }
  graph_.StepU = graph_.StepV = graph_.StepH = -5;
  ASSERT_NO_THROW(Capture([&] { graph_.Draw(ws_.Context()); }));
}

INSTANTIATE_TEST_SUITE_P(Kinds, DrawnKindTest, testing::ValuesIn(kDrawnKinds),
                         [](const testing::TestParamInfo<KindCase>& info) {
                           return std::string(info.param.name);
                         });

using DispatcherTest = GraphDrawTest;

// The iso-surface kind comes with its own routine; until then it, and
// unknown codes, draw nothing and raise no GL error, while the set-up still
// refreshes the box fields (a slice graph without slices too).
TEST_F(DispatcherTest, KindsNotDrawnYetEmitNothing) {
  FillVolume(3, Field);
  FillSurface(4, 4, Relief);
  for (Long kind : {3L, 44L, 99L, -1L}) {
    SCOPED_TRACE(kind);
    graph_.GraphType = kind;
    graph_.StepU = graph_.StepV = graph_.StepH = 2;
    const Emitted e = Capture([&] { graph_.Draw(ws_.Context()); });
    EXPECT_TRUE(e.vertices.empty());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
  graph_.GraphType = kSlice4D;
  graph_.MInv = graph_.MaxV = 0;
  Capture([&] { graph_.Draw(ws_.Context()); });
  EXPECT_EQ(graph_.MInv, Field(0, 0, 0));
  EXPECT_EQ(graph_.MaxV, Field(2, 2, 2));
}

// The axis system and the next graph are drawn after this one inside the same
// display list: polygon mode, shading, lighting and line width must come back.
TEST_F(DispatcherTest, DrawingLeavesTheGlStateAsFound) {
  FillSurface(5, 5, Relief);
  graph_.GraphType = kSurfaceModel;
  graph_.Show = 1;
  graph_.Smoothness = 1;
  graph_.ShowVector = true;
  glEnable(GL_LIGHTING);
  glShadeModel(GL_SMOOTH);
  glLineWidth(3);
  Capture([&] { graph_.Draw(ws_.Context()); });
  GLint mode[2];
  glGetIntegerv(GL_POLYGON_MODE, mode);
  EXPECT_EQ(mode[0], GL_FILL);
  GLint shade;
  glGetIntegerv(GL_SHADE_MODEL, &shade);
  EXPECT_EQ(shade, GL_SMOOTH);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  GLfloat width;
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_EQ(width, 3.0f);
}

// A named map is reloaded at every draw whatever the letter case, so edits to
// its points never stick; a map of the user's own keeps its points.
TEST_F(DispatcherTest, NamedMapsAreReloadedAndOwnMapsKept) {
  FillSurface(3, 3, Relief);
  graph_.GraphType = kSurfaceModel;
  graph_.ColorName = "rAinBow";
  graph_.ColorR(0) = 7;
  Capture([&] { graph_.Draw(ws_.Context()); });
  EXPECT_EQ(graph_.ColorR(0), 153);
  graph_.ColorName = "Sunset";
  graph_.ColorR(0) = 7;
  Capture([&] { graph_.Draw(ws_.Context()); });
  EXPECT_EQ(graph_.ColorR(0), 7);
}

// A colour map is a flat picture of the values on the floor of its surface,
// and the colour-map layer under a surface lies 3 below the lowest node,
// where the box makes room for it, whichever surface kind carries it.
TEST_F(DispatcherTest, ColourMapsLieFlatOnTheirPlanes) {
  FillSurface(4, 4, Relief);
  double lowest = 1e9;
  for (Long i = 0; i < 4; ++i) {
    for (Long j = 0; j < 4; ++j) lowest = std::min(lowest, Relief(i, j));
  }
  struct PlaneCase {
    Long kind;
    bool layer;
    double y;
  };
  for (const PlaneCase& c :
       {PlaneCase{kColorMapGraph, false, lowest}, PlaneCase{kSurfaceModel, true, lowest - 3},
        PlaneCase{2, true, lowest - 3}}) {
    SCOPED_TRACE(c.kind);
    graph_.GraphType = c.kind;
    graph_.ShowColormap = c.layer;
    const Emitted e = Capture([&] { graph_.Draw(ws_.Context()); });
    const auto onPlane = std::count_if(e.vertices.begin(), e.vertices.end(),
                                       [&](const auto& v) { return std::abs(v[1] - c.y) < 1e-3; });
    // Nine cells, each drawn as polygons of at least three corners.
    EXPECT_GE(onPlane, 9 * 3);
    if (!c.layer) {
      EXPECT_EQ(onPlane, static_cast<long>(e.vertices.size()));
    }
    EXPECT_EQ(graph_.GetBox(ws_.Context()).MinY, c.y);
  }
}

// A 2 x 2 grid has no interior node: the vector plot has nothing to show.
TEST_F(DispatcherTest, VectorPlotOnTwoByTwoGridDrawsNoArrow) {
  FillSurface(2, 2, Relief);
  graph_.GraphType = kVectorPlot;
  EXPECT_TRUE(Capture([&] { graph_.Draw(ws_.Context()); }).vertices.empty());
}

// Arrows of the vector plot point uphill: on a ramp rising with data X (scene
// z) every arrow tip lies further along +z than its tail.
TEST_F(DispatcherTest, VectorPlotArrowsPointUphill) {
  FillSurface(5, 5, [](Long i, Long) { return 2.0 * i; });
  graph_.GraphType = kVectorPlot;
  const Emitted e = Capture([&] { graph_.Draw(ws_.Context()); });
  ASSERT_FALSE(e.vertices.empty());
  double minZ = 1e9, maxZ = -1e9, minX = 1e9, maxX = -1e9;
  for (const auto& v : e.vertices) {
    minZ = std::min(minZ, v[2]);
    maxZ = std::max(maxZ, v[2]);
    minX = std::min(minX, v[0]);
    maxX = std::max(maxX, v[0]);
  }
  // Tails at the interior nodes 1..3 along z, tips up to 0.9 further.
  EXPECT_NEAR(minZ, 1.0, 0.1);
  EXPECT_NEAR(maxZ, 3.9, 0.01);
  EXPECT_LT(maxX - minX, 2.0 + 0.2);
}

// The 4D vectors follow the gradient of the value: a value growing with data
// Y only gives segments along scene x only.
TEST_F(DispatcherTest, Vectors4DFollowTheValueGradient) {
  FillVolume(4, [](Long, Long j, Long) { return 3.0 * j; });
  graph_.GraphType = kVector4D;
  const Emitted e = Capture([&] { graph_.Draw(ws_.Context()); });
  ASSERT_EQ(e.lines, 8 * 3);  // 2 x 2 x 2 interior nodes, shaft and two head strokes
  for (std::size_t v = 0; v + 1 < e.vertices.size(); v += 6) {
    const auto& tail = e.vertices[v];
    const auto& tip = e.vertices[v + 1];
    EXPECT_GT(tip[0] - tail[0], 0.5);
    EXPECT_NEAR(tip[1], tail[1], 1e-3);
    EXPECT_NEAR(tip[2], tail[2], 1e-3);
  }
}

// A 4D scatter shows the value as the brightness of the user's colour: a
// quarter of Scat4DColor at the lowest value, all of it at the highest.
TEST_F(DispatcherTest, Scatter4DColoursFollowTheValue) {
  FillVolume(2, [](Long i, Long j, Long k) { return i + 2.0 * j + 4.0 * k; });
  graph_.GraphType = kScatter4D;
  graph_.Scat4DColor = RGB(0, 200, 100);
  std::vector<GLfloat> buffer(1024);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  glMatrixMode(GL_PROJECTION);
  glOrtho(-10, 10, -10, 10, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  graph_.Draw(ws_.Context());
  const GLint count = glRenderMode(GL_RENDER);
  // Point tokens of x, y, z, r, g, b, a; nodes in the order i, j, k.
  ASSERT_EQ(count, 8 * 8);
  for (int node = 0; node < 8; ++node) {
    const GLfloat* p = &buffer[static_cast<std::size_t>(node) * 8];
    ASSERT_EQ(p[0], static_cast<GLfloat>(GL_POINT_TOKEN));
    const double value = (node >> 2) + 2.0 * ((node >> 1) & 1) + 4.0 * (node & 1);
    const double brightness = 0.25 + 0.75 * value / 7.0;
    EXPECT_NEAR(p[4], 0.0, 1e-3);
    EXPECT_NEAR(p[5], brightness * 200 / 255, 1e-3) << "node " << node;
    EXPECT_NEAR(p[6], brightness * 100 / 255, 1e-3) << "node " << node;
  }
}

// The 4D kinds can show the scattered points the volume was gridded from,
// as one marker each, next to the nodes.
TEST_F(DispatcherTest, VolumeKindsShowTheIrregularPointsOnRequest) {
  FillVolume(3, Field);
  DataSet& d = ws_.dataSet;
  d.RedimIrregular4D(2);
  d.Points(2);  // the third slot is not in use
  for (Long p = 0; p <= 2; ++p) {
    d.Irreg4DX(p, 0.5 * p);
    d.Irreg4DY(p, 1.0);
    d.Irreg4DZ(p, 1.5);
  }
  graph_.GraphType = kScatter4D;
  EXPECT_EQ(Capture([&] { graph_.Draw(ws_.Context()); }).points, 27);
  graph_.ShowIrregData = true;
  EXPECT_EQ(Capture([&] { graph_.Draw(ws_.Context()); }).points, 27 + 2);
  graph_.GraphType = kVector4D;
  EXPECT_EQ(Capture([&] { graph_.Draw(ws_.Context()); }).points, 2);
}

// A triangle naming a point the data set no longer holds (the point count
// shrank after triangulating) must be skipped, not read past the arrays.
TEST_F(DispatcherTest, DelaunayTrianglesOutsideThePointsAreSkipped) {
  FillPoints(kScatter);
  graph_.GraphType = kDelaunayGraph;
  graph_.ShowDS = graph_.ShowDG = true;
  const Emitted all = Capture([&] { graph_.Draw(ws_.Context()); });
  ws_.dataSet.Points(5);
  ws_.dataSet.DelaunayTriCount(ws_.dataSet.DelaunayTriCount() + 50);
  Emitted kept;
  ASSERT_NO_THROW(kept = Capture([&] { graph_.Draw(ws_.Context()); }));
  EXPECT_LT(kept.polygons, all.polygons);
  // Every vertex drawn is one of the five points left.
  for (const auto& v : kept.vertices) {
    const bool known = std::any_of(kScatter.begin(), kScatter.begin() + 5, [&](const auto& p) {
      return std::abs(v[0] - p[1]) < 1e-3 && std::abs(v[1] - p[2]) < 1e-3 &&
             std::abs(v[2] - p[0]) < 1e-3;
    });
    EXPECT_TRUE(known) << v[0] << ", " << v[1] << ", " << v[2];
  }
}

TEST_F(DispatcherTest, DelaunayWithSurfaceAndEdgesOffDrawsNothing) {
  FillPoints(kScatter);
  graph_.GraphType = kDelaunayGraph;
  EXPECT_TRUE(Capture([&] { graph_.Draw(ws_.Context()); }).vertices.empty());
}

// Flat shading gives each triangle one face normal, and a triangle of three
// points on a line still gets a finite one.
TEST(SurfaceGeometry, CollinearTriangleHasAFiniteNormal) {
  const ScenePoint n = TriangleNormal({0, 0, 0}, {1, 1, 1}, {2, 2, 2});
  EXPECT_TRUE(std::isfinite(n.x) && std::isfinite(n.y) && std::isfinite(n.z));
  const ScenePoint up = TriangleNormal({0, 0, 0}, {0, 0, 1}, {1, 0, 0});
  EXPECT_NEAR(up.y, 1.0, 1e-12);
}

// Lines of width 0 (a record that never set it, a negative typed width) must
// still show: drawn one pixel wide, and without the GL error glLineWidth(0)
// raises, which would leave the previous (here: thick) width in force.
TEST_F(DispatcherTest, LineWidthsBelowOneAreDrawnOnePixelWide) {
  struct WidthCase {
    Long kind;
    Long Graph::*width;
  };
  for (const WidthCase& w :
       {WidthCase{kGridModel, &Graph::GridWidth}, WidthCase{kLineGraph, &Graph::LineWidth},
        WidthCase{kDelaunayGraph, &Graph::TriWidth}}) {
    for (Long width : {0L, -3L}) {
      SCOPED_TRACE(testing::Message() << "kind " << w.kind << " width " << width);
      graph_ = Graph();
      graph_.GraphType = w.kind;
      graph_.*w.width = width;
      graph_.ShowDG = true;
      graph_.GridColor = graph_.TriColor = graph_.LineColor = 0;
      // One horizontal edge across the window: points (0, 0) and (0, 4) in
      // data X, Y, drawn at scene x = Y.
      FillPoints({{0, -4, 0}, {0, 4, 0}, {3, 0, 0}});
      for (Long i = 0; i < 2; ++i) {
        graph_.VertTab3D(0, i)->init(0, i == 0 ? -4 : 4, 0, 0, 1, 0);
      }
      graph_.StepV = 1;
      if (w.kind == kGridModel) {
        FillSurface(2, 2, [](Long, Long) { return 0.0; });
        ws_.settings.CenterY = 0.5;
      }
      LookDown(5);
      glLineWidth(9);
      graph_.Draw(ws_.Context());
      EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
      const RgbaImage image = Picture("line_width");
      // The thickness of the line at data X = 0 (scene z = 0, window middle).
      int dark = 0;
      const int column = kSize / 2 + 5;
      for (int y = kSize / 2 - 12; y <= kSize / 2 + 12; ++y) dark += !White(image.At(column, y));
      EXPECT_GE(dark, 1);
      EXPECT_LE(dark, 2);
      ws_.settings.CenterY = 0;
    }
  }
}

}  // namespace
}  // namespace qv::test
