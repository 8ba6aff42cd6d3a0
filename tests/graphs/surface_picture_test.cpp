// Offscreen pictures of the surface drawing, seen from straight above with
// lighting off, so that a pixel shows the colour the drawing gave its vertex.
#include <algorithm>
#include <cmath>
#include <string>

#include "graph_draw_fixture.h"
#include "graph_geometry.h"

namespace qv::test {
namespace {

class SurfacePictureTest : public GraphDrawTest {
 protected:
  // The colour channel c of the pixel over centred scene point (x, y, z).
  std::array<std::uint8_t, 4> PixelAt(const RgbaImage& image, double x, double y, double z) const {
    const std::array<int, 2> at = Pixel(x, y, z);
    return image.At(at[0], at[1]);
  }

  static void ExpectColour(const std::array<std::uint8_t, 4>& px, const Rgb& expected) {
    EXPECT_NEAR(px[0], expected.r * 255, 3);
    EXPECT_NEAR(px[1], expected.g * 255, 3);
    EXPECT_NEAR(px[2], expected.b * 255, 3);
  }
};

// A hill at node (14, 14) and a pit at node (6, 6) on a 21 x 21 grid,
// coloured by height through the rainbow map: the top must be the map's
// last colour (red) and the bottom its first (violet-blue).
TEST_F(SurfacePictureTest, RainbowSurfaceIsRedAtItsTopAndVioletBlueAtItsBottom) {
  const auto bump = [](Long i, Long j, double ci, double cj) {
    return std::exp(-((i - ci) * (i - ci) + (j - cj) * (j - cj)) / 20.0);
  };
  FillSurface(21, 21, [&](Long i, Long j) { return bump(i, j, 14, 14) - bump(i, j, 6, 6); });
  graph_.GraphType = kSurfaceModel;
  graph_.FillStyle = 4;
  graph_.ColorName = "RAINBOW";
  graph_.Show = 3;
  graph_.Smoothness = 2;
  ws_.settings.CenterX = ws_.settings.CenterY = 10;
  LookDown(11);
  graph_.Draw(ws_.Context());
  const RgbaImage image = Picture("rainbow_surface");

  const DataSet& d = ws_.dataSet;
  double minC = d.Reg3DC(0, 0), maxC = minC;
  for (Long i = 0; i <= 20; ++i) {
    for (Long j = 0; j <= 20; ++j) {
      minC = std::min(minC, d.Reg3DC(i, j));
      maxC = std::max(maxC, d.Reg3DC(i, j));
    }
  }
  ASSERT_EQ(maxC, d.Reg3DC(14, 14));
  ASSERT_EQ(minC, d.Reg3DC(6, 6));
  const Rgb top = graph_.GetMapColor(maxC, minC, maxC - minC);
  const Rgb bottom = graph_.GetMapColor(minC, minC, maxC - minC);
  EXPECT_EQ(top.r, 1.0);
  EXPECT_EQ(bottom.b, 1.0);
  // Node (i, j) lies at scene (j, height, i), centred on (10, 10).
  SCOPED_TRACE("highest node");
  ExpectColour(PixelAt(image, 14 - 10, d.Reg3DZ(14, 14), 14 - 10), top);
  SCOPED_TRACE("lowest node");
  ExpectColour(PixelAt(image, 6 - 10, d.Reg3DZ(6, 6), 6 - 10), bottom);
}

// Show chooses how the cells are rasterised: 1 the corner points only, 2 the
// cell outlines, 3 filled cells. Seen from above, a cell's middle is covered
// only when filled, an edge's middle at least when outlined, a node always.
TEST_F(SurfacePictureTest, ShowDrawsPointsLinesOrFilledCells) {
  FillSurface(5, 5, [](Long, Long) { return 1.0; });
  graph_.GraphType = kSurfaceModel;
  graph_.FillStyle = 3;
  graph_.FirstColor = RGB(0, 0, 255);
  ws_.settings.CenterX = ws_.settings.CenterY = 2;
  struct ModeCase {
    Long show;
    GLenum token;
    bool node, edge, middle;
  };
  for (const ModeCase& m : {ModeCase{1, GL_POINT_TOKEN, true, false, false},
                            ModeCase{2, GL_LINE_TOKEN, true, true, false},
                            ModeCase{3, GL_POLYGON_TOKEN, true, true, true}}) {
    SCOPED_TRACE(m.show);
    graph_.Show = m.show;
    const Emitted e = Capture([&] { graph_.Draw(ws_.Context()); });
    EXPECT_EQ(e.points > 0, m.token == GL_POINT_TOKEN);
    EXPECT_EQ(e.lines > 0, m.token == GL_LINE_TOKEN);
    EXPECT_EQ(e.polygons > 0, m.token == GL_POLYGON_TOKEN);

    LookDown(2.5);
    glPointSize(3);
    graph_.Draw(ws_.Context());
    const RgbaImage image = Picture("show_" + std::to_string(m.show));
    // Cell (1, 1): node at scene (-1, 1, -1), the middle of its first edge
    // at (-0.5, 1, -1), its middle at (-0.5, 1, -0.5).
    EXPECT_EQ(!White(PixelAt(image, -1, 1, -1)), m.node);
    EXPECT_EQ(!White(PixelAt(image, -0.5, 1, -1)), m.edge);
    EXPECT_EQ(!White(PixelAt(image, -0.5, 1, -0.5)), m.middle);
  }
  // Any other value leaves the mode the scene had.
  graph_.Show = 0;
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  EXPECT_GT(Capture([&] { graph_.Draw(ws_.Context()); }).lines, 0);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

// The two-colour styles blend from SecondColor at the low end of their axis
// to FirstColor at the high end: along data X for 1, data Y for 0.
TEST_F(SurfacePictureTest, GradedStylesBlendAlongTheirAxis) {
  FillSurface(11, 11, [](Long, Long) { return 0.0; });
  graph_.GraphType = kSurfaceModel;
  graph_.Show = 3;
  graph_.Smoothness = 2;
  graph_.FirstColor = RGB(255, 0, 0);
  graph_.SecondColor = RGB(0, 0, 255);
  ws_.settings.CenterX = ws_.settings.CenterY = 5;
  for (Long style : {0L, 1L}) {
    SCOPED_TRACE(style);
    graph_.FillStyle = style;
    LookDown(6);
    graph_.Draw(ws_.Context());
    const RgbaImage image = Picture("graded_" + std::to_string(style));
    // Scene x carries data Y, scene z data X.
    const double lowX = style == 0 ? -4.8 : 0, lowZ = style == 0 ? 0 : -4.8;
    const auto low = PixelAt(image, lowX, 0, lowZ);
    const auto high = PixelAt(image, -lowX, 0, -lowZ);
    const auto mid = PixelAt(image, 0.05, 0, 0.05);
    EXPECT_GT(low[2], 240);
    EXPECT_LT(low[0], 15);
    EXPECT_GT(high[0], 240);
    EXPECT_LT(high[2], 15);
    EXPECT_NEAR(mid[0], 128, 8);
    EXPECT_NEAR(mid[2], 128, 8);
  }
}

// The colour-map kind is coloured by its own ColorMapfilltype,
// ColorMapcolor1 and ColorMapcolor2 with the FillStyle codes (0 along data Y,
// 1 along data X, 2 by the value, 3 one colour, 4 the map over the colour
// values); FillStyle and the surface colours, set here to say otherwise, do
// not count.
TEST_F(SurfacePictureTest, ColourMapKindFollowsItsOwnColourOptions) {
  FillSurface(11, 11, [](Long i, Long j) { return i * j / 10.0; });
  graph_.GraphType = kColorMapGraph;
  graph_.ColorMapcolor1 = RGB(255, 0, 0);
  graph_.ColorMapcolor2 = RGB(0, 0, 255);
  graph_.ColorName = "Rainbow";
  graph_.FirstColor = graph_.SecondColor = RGB(0, 255, 0);
  ws_.settings.CenterX = ws_.settings.CenterY = 5;
  // Node X = 2, Y = 8: value and colour value 1.6 of 0..10.
  const double x = 2, y = 8, value = 1.6;
  const Rgb first = SplitColor(graph_.ColorMapcolor1), second = SplitColor(graph_.ColorMapcolor2);
  const Rgb map = graph_.GetMapColor(value, 0, 10);
  struct ModeCase {
    Long colorMapFill;
    Long fillStyle;
    Rgb expected;
  };
  for (const ModeCase& m : {ModeCase{0, 3, GradedColor(first, second, y / 10)},
                            ModeCase{1, 4, GradedColor(first, second, x / 10)},
                            ModeCase{2, 3, GradedColor(first, second, value / 10)},
                            ModeCase{3, 4, first}, ModeCase{4, 3, map}}) {
    SCOPED_TRACE(m.colorMapFill);
    graph_.ColorMapfilltype = m.colorMapFill;
    graph_.FillStyle = m.fillStyle;
    LookDown(6);
    graph_.Draw(ws_.Context());
    const RgbaImage image = Picture("colour_map_kind_" + std::to_string(m.colorMapFill));
    // Flat on the lowest node's height 0; node (X, Y) at scene (Y - 5, 0, X - 5).
    ExpectColour(PixelAt(image, y - 5, 0, x - 5), m.expected);
  }
}

// Lit from the viewer, a tilted plane shows at each point the map's colour
// at its height times the cosine of its tilt, whether drawn as the surface
// model (its grid running either way along X) or as Delaunay triangles:
// each quad's and triangle's front face is its upper side, which two-sided
// lighting lights with the normal as given. (A grid whose X fell with its
// index turned its quads' backs up and showed them dark.)
TEST_F(SurfacePictureTest, LitPlaneShowsTheMapColourAtItsHeightInEitherKind) {
  const auto height = [](double x) { return 0.2 * x; };
  constexpr Long kDescendingSurface = -1;
  for (Long kind : std::initializer_list<Long>{kSurfaceModel, kDescendingSurface, kDelaunayGraph}) {
    SCOPED_TRACE(kind);
    graph_ = Graph();
    if (kind == kSurfaceModel) {
      FillSurface(11, 11, [&](Long i, Long) { return height(static_cast<double>(i)); });
    } else if (kind == kDescendingSurface) {
      FillSurface(11, 11, [&](Long i, Long) { return height(10.0 - static_cast<double>(i)); });
      for (Long i = 0; i <= 10; ++i) {
        for (Long j = 0; j <= 10; ++j) ws_.dataSet.Reg3DX(i, j, 10.0 - static_cast<double>(i));
      }
      kind = kSurfaceModel;
    } else {
      // A staggered grid, so that no four points share a circle.
      std::vector<std::array<double, 3>> points;
      for (int i = 0; i <= 10; ++i) {
        for (int j = 0; j <= 10; ++j) {
          const double x = std::clamp(i + 0.3 * (j % 2), 0.0, 10.0);
          points.push_back({x, static_cast<double>(j) + 0.01 * i, height(x)});
        }
      }
      FillPoints(points);
      graph_.ShowDS = true;
    }
    graph_.GraphType = kind;
    graph_.Show = 3;
    graph_.Smoothness = 2;
    graph_.FillStyle = 4;
    graph_.ColorName = "MARINE";
    ws_.settings.CenterX = ws_.settings.CenterY = 5;
    ws_.settings.CenterZ = 1;
    LookDown(6);
    // One white light along the view, both sides lit, no ambient light.
    const GLfloat towardViewer[] = {0, 0, 1, 0}, white[] = {1, 1, 1, 1}, none[] = {0, 0, 0, 1};
    glPushMatrix();
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, towardViewer);
    glPopMatrix();
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_AMBIENT, none);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    graph_.Draw(ws_.Context());
    glDisable(GL_LIGHTING);
    const RgbaImage image = Picture("lit_plane_" + std::to_string(kind));
    const double cosTilt = 1.0 / std::sqrt(1.0 + 0.2 * 0.2);
    // Away from the map's middle point, where the colour between two
    // vertices is no longer the blend of theirs.
    for (const double x : {1.5, 3.0, 7.0, 8.5}) {
      SCOPED_TRACE(x);
      const Rgb map = graph_.GetMapColor(height(x), 0.0, height(10));
      // Data (X, Y, Z) lies at scene (Y - 5, Z - 1, X - 5).
      ExpectColour(PixelAt(image, 4.5 - 5, height(x) - 1, x - 5),
                   {map.r * cosTilt, map.g * cosTilt, map.b * cosTilt});
    }
  }
}

}  // namespace
}  // namespace qv::test
