#include "scene/cls2_point_marker.h"

#include <GL/gl.h>

#include <gtest/gtest.h>

#include "platform/osmesa/offscreen_context.h"
#include "scene/color.h"

namespace qv {
namespace {

// Scene x carries data Y, so it is CenterY that moves a marker along x (and
// CenterZ along y, CenterX along z); a mix-up draws every marker off centre.
TEST(PointMarkerTest, DrawsAtItsPositionMinusTheSceneCentre) {
  OffscreenContext ctx(32, 32);
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-16, 16, -16, 16, -16, 16);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_LIGHTING);  // the marker must show its colour all the same
  SharedSettings settings;
  settings.CenterY = 8;
  settings.CenterZ = -4;
  settings.CenterX = 100;
  for (Long symbol : {1, 2}) {
    Cls2 marker;
    marker.init(8, -4, 100, RGB(255, 0, 0), 2, symbol);
    marker.Draw(settings);
  }
  const RgbaImage image = ctx.ReadPixels();
  const auto centre = image.At(16, 16);
  EXPECT_EQ(centre[0], 255);
  EXPECT_LT(centre[1], 10);
  EXPECT_EQ(image.At(2, 2)[1], 255);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

}  // namespace
}  // namespace qv
