#include "scene/point_marker.h"

#include <GL/gl.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/osmesa/offscreen_context.h"
#include "scene/color.h"

namespace qv {
namespace {

constexpr int kSize = 64;

// Data Y lies on scene x, so CenterY moves a marker along x (CenterZ along y,
// CenterX along z); a mix-up draws every marker off centre.
TEST(PointMarkerTest, EverySymbolDrawsAtItsPositionMinusTheSceneCentre) {
  OffscreenContext ctx(kSize, kSize);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-kSize / 2, kSize / 2, -kSize / 2, kSize / 2, -200, 200);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(1, 1, 1, 1);
  SharedSettings settings;
  settings.CenterX = 100;
  settings.CenterY = 8;
  settings.CenterZ = -4;
  for (Long symbol : {0, 1, 2, 3, 99}) {
    SCOPED_TRACE(symbol);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_LIGHTING);  // the marker must show its colour all the same
    PointMarker marker;
    marker.init(100, 8, -4, RGB(255, 0, 0), 4, symbol);
    marker.Draw(settings);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    const RgbaImage image = ctx.ReadPixels();
    int red = 0, far = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const auto p = image.At(x, y);
        if (p[0] > 200 && p[1] < 80) {
          ++red;
          far += std::abs(x - kSize / 2) > marker.PixelSize() ||
                 std::abs(y - kSize / 2) > marker.PixelSize();
        }
      }
    }
    EXPECT_GT(red, 4);
    EXPECT_EQ(far, 0);
  }
}

TEST(PointMarkerTest, PixelSizeFollowsSizeAndIsBounded) {
  PointMarker marker;
  marker.Size = 1;
  EXPECT_EQ(marker.PixelSize(), 4);
  marker.Size = 8;
  EXPECT_EQ(marker.PixelSize(), 18);
  marker.Size = -3;
  EXPECT_EQ(marker.PixelSize(), 2);
  marker.Size = 1e9;
  EXPECT_EQ(marker.PixelSize(), 32);
}

}  // namespace
}  // namespace qv
