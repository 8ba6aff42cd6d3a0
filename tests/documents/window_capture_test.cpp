// Reading the drawing area's pixels and writing them as a BMP, in an
// offscreen context whose contents the test sets.
#include "documents/window_capture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "bmp_writer.h"
#include "platform/osmesa/offscreen_context.h"
#include "support/temp_folder.h"

namespace qv {
namespace {

// Fills the lower-left width x height pixels with (10x + 1, 20y + 2, 200).
void PaintPixels(int width, int height) {
  std::vector<std::uint8_t> rgba;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      rgba.insert(rgba.end(), {static_cast<std::uint8_t>(10 * x + 1),
                               static_cast<std::uint8_t>(20 * y + 2), 200, 255});
    }
  }
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRasterPos2f(-1.0f, -1.0f);
  glDrawPixels(width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  glFinish();
}

TEST(CaptureBackBuffer, ReadsThePixelsAndRestoresTheStateItChanged) {
  OffscreenContext context(5, 3);
  PaintPixels(5, 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 8);
  const RgbImage image = CaptureBackBuffer(5, 3);
  ASSERT_EQ(image.width, 5);
  ASSERT_EQ(image.height, 3);
  ASSERT_EQ(image.rgb.size(), 45u);  // tightly packed, though 15 bytes a row is no multiple of 4
  EXPECT_EQ(image.rgb[3 * (2 * 5 + 4)], 41);      // pixel (4, 2): red
  EXPECT_EQ(image.rgb[3 * (2 * 5 + 4) + 1], 42);  // green
  EXPECT_EQ(image.rgb[3 * (2 * 5 + 4) + 2], 200);
  GLint alignment = 0;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 8);
  EXPECT_TRUE(CaptureBackBuffer(0, 3).Empty());
  EXPECT_TRUE(CaptureBackBuffer(5, -1).Empty());
}

// Copy As BMP and Print state the width as a last column; one beyond the
// drawable must come out black rather than be read from outside it.
TEST(SaveGLBitmap, ReadsOnlyInsideTheDrawable) {
  OffscreenContext context(5, 3);
  PaintPixels(5, 3);
  test::TempFolder folder;
  const std::string path = folder.File("copy.bmp");
  ASSERT_EQ(SaveGLBitmap(path, 5, 4), "");
  const std::string b = folder.Read("copy.bmp");
  const Long stride = BmpStride(6);
  ASSERT_EQ(b.size(), 54u + static_cast<std::size_t>(stride) * 4);
  EXPECT_EQ(static_cast<std::uint8_t>(b[54 + 3 * 4 + 2]), 41);     // row 0, column 4, red
  for (int i = 0; i < 3; ++i) EXPECT_EQ(b[54 + 3 * 5 + i], '\0');  // column 5
  for (Long i = 0; i < stride; ++i) EXPECT_EQ(b[54 + 3 * stride + i], '\0');  // row 3
}

// Without a drawable there is nothing to save: no black picture pretends to
// be the scene.
TEST(SaveGLBitmap, RefusesAnEmptyDrawable) {
  OffscreenContext context(4, 4);
  glViewport(0, 0, 0, 0);
  test::TempFolder folder;
  EXPECT_NE(SaveGLBitmap(folder.File("none.bmp"), 3, 4), "");
  EXPECT_EQ(folder.Read("none.bmp"), "<missing>");
}

}  // namespace
}  // namespace qv
