// The iso-surface kind as the scene draws it: every node of the volume the
// graph names, the level scaled like the values, one colour from the map.
#include <cmath>

#include "drawers.h"
#include "graph_draw_fixture.h"

namespace qv::test {
namespace {

class DrawIsoSurfaceTest : public GraphDrawTest {
 protected:
  DrawIsoSurfaceTest() {
    graph_.GraphType = kIsoSurface4D;
    ws_.settings.DataScaleV = 1.0;
  }

  // A 9^3 volume whose value is the node index along axis (0 i, 1 j, 2 k).
  void FillRamp(int axis) {
    FillVolume(9, [axis](Long i, Long j, Long k) {
      const Long index[3] = {i, j, k};
      return static_cast<double>(index[axis]);
    });
    ws_.dataSet.MInv(0.0);
    ws_.dataSet.MaxV(8.0);
  }
};

// A level between the last two node planes of each axis draws a plane
// there: the last layer of cells belongs to the surface (it used to be left
// out). Node (i, j, k) lies at scene (j, k, i).
class IsoSurfaceLastLayerTest : public DrawIsoSurfaceTest,
                                public testing::WithParamInterface<int> {};

TEST_P(IsoSurfaceLastLayerTest, ReachesTheLastNodePlane) {
  const int axis = GetParam();
  FillRamp(axis);
  graph_.IsoSurValue = 7.5;
  const Emitted out = Capture([&] { graph_.Draw(ws_.Context()); });
  ASSERT_GT(out.polygons, 0);
  const int sceneAxis[3] = {2, 0, 1};
  for (const auto& v : out.vertices) EXPECT_NEAR(v[sceneAxis[axis]], 7.5, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(EachAxis, IsoSurfaceLastLayerTest, testing::Values(0, 1, 2));

// The level is in data units; the values were divided by DataScaleV.
TEST_F(DrawIsoSurfaceTest, TheLevelIsScaledLikeTheValues) {
  FillRamp(2);
  ws_.settings.DataScaleV = 2.0;
  graph_.IsoSurValue = 7.0;
  const Emitted out = Capture([&] { graph_.Draw(ws_.Context()); });
  ASSERT_GT(out.polygons, 0);
  for (const auto& v : out.vertices) EXPECT_NEAR(v[1], 3.5, 1e-3);
}

TEST_F(DrawIsoSurfaceTest, NothingIsDrawnWithoutAScaleOrAVolumeOrALevelInside) {
  FillRamp(0);
  graph_.IsoSurValue = 4.5;
  ws_.settings.DataScaleV = 0.0;
  EXPECT_EQ(Capture([&] { graph_.Draw(ws_.Context()); }).polygons, 0);
  ws_.settings.DataScaleV = 1.0;
  graph_.IsoSurValue = 9.5;
  EXPECT_EQ(Capture([&] { graph_.Draw(ws_.Context()); }).polygons, 0);
  ws_.dataSet = DataSet();
  graph_.IsoSurValue = 4.5;
  EXPECT_EQ(Capture([&] { graph_.Draw(ws_.Context()); }).polygons, 0);
}

// Seen from above with lighting off, the plane at height 6 has the colour
// the rainbow map gives 6 over the values 0..8; an unnamed map becomes
// "Rainbow" in the graph.
TEST_F(DrawIsoSurfaceTest, TheSurfaceHasTheMapColourOfItsLevel) {
  FillRamp(2);
  graph_.IsoSurValue = 6.0;
  ws_.settings.CenterX = ws_.settings.CenterY = 4.0;
  LookDown(5.0);
  graph_.Draw(ws_.Context());
  EXPECT_EQ(graph_.ColorName, "Rainbow");
  const RgbaImage image = Picture("iso_surface_colour");
  const Rgb expected = graph_.GetMapColor(6.0, 0.0, 8.0);
  const std::array<std::uint8_t, 4> px = image.At(kSize / 2, kSize / 2);
  EXPECT_NEAR(px[0], expected.r * 255, 3);
  EXPECT_NEAR(px[1], expected.g * 255, 3);
  EXPECT_NEAR(px[2], expected.b * 255, 3);
}

}  // namespace
}  // namespace qv::test
