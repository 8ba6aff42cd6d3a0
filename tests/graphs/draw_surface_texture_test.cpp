// The surface's texture: made in the prepare step once per graph and file,
// found beside the document, told once when it cannot be used (and the
// surface then drawn in its own colours), freed by the release step of the
// kind that made it; and drawn without shear.
#include <filesystem>
#include <string>
#include <vector>

#include "drawers.h"
#include "graph_draw_fixture.h"
#include "support/temp_folder.h"
#include "support/texture_files.h"

namespace qv::test {
namespace {

class SurfaceTextureTest : public GraphDrawTest {
 protected:
  SurfaceTextureTest() {
    resources_.textures = &cache_;
    resources_.documentFolder = temp_.Path();
    resources_.showStatus = [this](const std::string& text) { status_.push_back(text); };
    // A flat 5 x 5 surface in red (one colour) wearing the texture's own
    // colours (TexMode 1).
    FillSurface(5, 5, [](Long, Long) { return 0.0; });
    graph_.GraphType = kSurfaceModel;
    graph_.Show = 3;
    graph_.FillStyle = 3;
    graph_.FirstColor = RGB(255, 0, 0);
    graph_.ShowTex = true;
    graph_.TexMode = 1;
    graph_.TexName = "green.bmp";
    WriteGreen("green.bmp");
  }
  ~SurfaceTextureTest() override {
    graph_.ReleaseDrawing();
    cache_.Clear();
  }

  void WriteGreen(const std::string& name) {
    ASSERT_TRUE(WriteBytes(temp_.File(name), BmpBytes(8, 8, [](int, int) {
                             return Rgb8{0, 200, 0};
                           })));
  }

  void Prepare() {
    DrawContext context = ws_.Context();
    context.resources = &resources_;
    graph_.PrepareDrawing(context);
  }

  // The colour at the middle of the surface, seen from above, unlit.
  std::array<std::uint8_t, 4> MiddleColour() {
    ws_.settings.CenterX = ws_.settings.CenterY = 2.0;
    LookDown(3.0);
    graph_.Draw(ws_.Context());
    return Picture("surface_texture").At(kSize / 2, kSize / 2);
  }

  TempFolder temp_;
  TextureCache cache_;
  DrawResources resources_;
  std::vector<std::string> status_;
};

TEST_F(SurfaceTextureTest, IsMadeOncePerGraphAndFile) {
  Prepare();
  const unsigned name = graph_.PreparedParts().texture.lease.Name();
  ASSERT_NE(name, 0u);
  // Gone from the disk, it is not read again: the graph keeps its texture.
  std::filesystem::remove(temp_.File("green.bmp"));
  for (int build = 0; build < 5; ++build) Prepare();
  EXPECT_EQ(graph_.PreparedParts().texture.lease.Name(), name);
  EXPECT_EQ(cache_.Count(), 1u);
  EXPECT_TRUE(status_.empty());
  const auto px = MiddleColour();
  EXPECT_NEAR(px[0], 0, 2);
  EXPECT_NEAR(px[1], 200, 2);
  EXPECT_NEAR(px[2], 0, 2);
}

TEST_F(SurfaceTextureTest, AMissingFileIsToldOnceAndTheSurfaceKeepsItsColours) {
  graph_.TexName = "none.bmp";
  for (int build = 0; build < 3; ++build) Prepare();
  ASSERT_EQ(status_.size(), 1u);
  EXPECT_EQ(status_[0],
            "The texture \"none.bmp\" could not be used: the file does not exist. The surface is "
            "drawn without it.");
  EXPECT_FALSE(SurfaceTextureReady(graph_));
  const auto px = MiddleColour();
  EXPECT_EQ(px[0], 255);
  EXPECT_EQ(px[1], 0);
  EXPECT_EQ(px[2], 0);
  // Another name is tried, and told about, anew.
  graph_.TexName = "other.bmp";
  Prepare();
  EXPECT_EQ(status_.size(), 2u);
}

// The name of a document written on Windows is found by its file name.
TEST_F(SurfaceTextureTest, AWindowsPathIsFoundByItsFileNameBesideTheDocument) {
  graph_.TexName = "C:\\Users\\Someone\\Pictures\\green.bmp";
  Prepare();
  EXPECT_TRUE(SurfaceTextureReady(graph_));
  EXPECT_TRUE(status_.empty());
}

TEST_F(SurfaceTextureTest, IsGivenUpWhenNoLongerShownOrByTheKindThatMadeIt) {
  Prepare();
  ASSERT_EQ(cache_.Count(), 1u);
  graph_.ShowTex = false;
  Prepare();
  EXPECT_EQ(cache_.Count(), 0u);
  graph_.ShowTex = true;
  Prepare();
  ASSERT_EQ(cache_.Count(), 1u);
  // The graph became an iso-surface after its texture was made: its
  // release step is still the surface's.
  graph_.GraphType = kIsoSurface4D;
  graph_.ReleaseDrawing();
  EXPECT_EQ(cache_.Count(), 0u);
  graph_.GraphType = kSurfaceModel;
  Prepare();
  ASSERT_EQ(cache_.Count(), 1u);
  graph_.GraphType = kIsoSurface4D;
  Prepare();
  EXPECT_EQ(cache_.Count(), 0u);
}

TEST_F(SurfaceTextureTest, WithoutResourcesNoTextureIsMade) {
  graph_.PrepareDrawing(ws_.Context());
  EXPECT_FALSE(SurfaceTextureReady(graph_));
  EXPECT_EQ(cache_.Count(), 0u);
}

// The colour-map layer under a surface wearing its texture's own colours is
// drawn in the surface's colours, not in the white the texture is laid on.
TEST_F(SurfaceTextureTest, TheLayersUnderATexturedSurfaceKeepTheirColours) {
  graph_.ShowColormap = true;
  Prepare();
  ASSERT_TRUE(SurfaceTextureReady(graph_));
  ws_.settings.CenterX = ws_.settings.CenterY = 2.0;
  LookDown(3.0);
  glRotated(180, 1, 0, 0);  // from below, where the layer faces
  graph_.Draw(ws_.Context());
  const auto px = Picture("texture_layer").At(kSize / 2, kSize / 2);
  EXPECT_EQ(px[0], 255);
  EXPECT_EQ(px[1], 0);
  EXPECT_EQ(px[2], 0);
}

// A 33-pixel-wide picture, its left third red and the rest blue, on a flat
// surface seen from above: the edge between the two is one straight column
// from top to bottom (rows read with the wrong row length would slant it).
TEST_F(SurfaceTextureTest, A33PixelWideBmpIsDrawnWithoutShear) {
  ASSERT_TRUE(WriteBytes(temp_.File("stripes.bmp"), BmpBytes(33, 16, [](int x, int) {
                           return x < 11 ? Rgb8{255, 0, 0} : Rgb8{0, 0, 255};
                         })));
  graph_.TexName = "stripes.bmp";
  Prepare();
  ASSERT_TRUE(SurfaceTextureReady(graph_));
  ws_.settings.CenterX = ws_.settings.CenterY = 2.0;
  LookDown(2.0);
  graph_.Draw(ws_.Context());
  const RgbaImage image = Picture("texture_33_wide");
  std::vector<int> edges;
  for (int y = 8; y < kSize - 8; y += 16) {
    int edge = -1;
    for (int x = 0; x < kSize && edge < 0; ++x) {
      const auto px = image.At(x, y);
      if (px[2] > px[0]) edge = x;
    }
    edges.push_back(edge);
  }
  ASSERT_FALSE(edges.empty());
  // The edge lies a third of the way across.
  EXPECT_NEAR(edges.front(), kSize / 3, 4);
  for (int edge : edges) EXPECT_NEAR(edge, edges.front(), 1);
}

}  // namespace
}  // namespace qv::test
