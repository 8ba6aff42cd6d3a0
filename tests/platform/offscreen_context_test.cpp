#include "platform/osmesa/offscreen_context.h"

#include <GL/gl.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "support/accumulation_probe.h"

namespace qv {
namespace {

// Guards against a test exe that links libGL before OSMesa: every gl call
// then goes to libGL's dispatch and the offscreen context draws nothing.
TEST(OffscreenContextTest, IsACompatibilityContextWithTheRequestedBuffers) {
  OffscreenContext ctx(64, 48);
  ASSERT_NE(glGetString(GL_VERSION), nullptr);
  GLint depth = 0, accumRed = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depth);
  glGetIntegerv(GL_ACCUM_RED_BITS, &accumRed);
  EXPECT_GE(depth, 16);
  EXPECT_GE(accumRed, 16);
  EXPECT_EQ(ctx.Width(), 64);
  EXPECT_EQ(ctx.Height(), 48);
}

TEST(OffscreenContextTest, RefusesANonPositiveSize) {
  EXPECT_THROW(OffscreenContext(0, 10), GlContextError);
  EXPECT_THROW(OffscreenContext(10, -1), GlContextError);
}

// Rows come back bottom-up: a band drawn at the bottom is in row 0.
TEST(OffscreenContextTest, ReadPixelsRowsAreBottomUp) {
  OffscreenContext ctx(16, 16);
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 16, 0, 16, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glColor3f(1, 0, 0);
  glRectf(0, 0, 16, 4);
  const RgbaImage image = ctx.ReadPixels();
  EXPECT_EQ(image.At(3, 1)[1], 0);
  EXPECT_EQ(image.At(3, 12)[1], 255);
  EXPECT_THROW(image.At(16, 0), std::out_of_range);
}

// The averaged edge must be linear (127 +/- 2), not sRGB-weighted (~188).
TEST(OffscreenContextTest, AccumulationAveragesTwoJitteredPassesLinearly) {
  OffscreenContext ctx(64, 64);
  const test::AccumulationProbe probe = test::DrawAccumulationProbe(64, 64);
  const RgbaImage image = ctx.ReadPixels();
  EXPECT_NEAR(image.At(probe.edgeColumn, probe.row)[0], 127, 2);
  EXPECT_EQ(image.At(probe.interiorColumn, probe.row)[0], 0);
  EXPECT_EQ(image.At(probe.backgroundColumn, probe.row)[0], 255);
}

// The debugging PNG must report a write it could not make.
TEST(WritePngTest, WritesAFileAndReportsAnUnwritablePath) {
  RgbaImage image{2, 2, std::vector<std::uint8_t>(16, 200)};
  const auto path = std::filesystem::temp_directory_path() / "qv_write_png_test.png";
  EXPECT_TRUE(WritePng(path.string(), image));
  EXPECT_GT(std::filesystem::file_size(path), 0u);
  std::filesystem::remove(path);
  EXPECT_FALSE(WritePng("/nonexistent-dir/x.png", image));
  EXPECT_FALSE(WritePng(path.string(), RgbaImage{}));
}

}  // namespace
}  // namespace qv
