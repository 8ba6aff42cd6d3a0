#include "platform/gl_text.h"

#include <GL/gl.h>

#include <gtest/gtest.h>

#include "platform/osmesa/offscreen_context.h"
#include "support/scripted_message_box.h"

namespace qv {
namespace {

constexpr int kSize = 64;

// An offscreen context with a pixel-sized orthographic projection, white.
class GlTextTest : public testing::Test {
 protected:
  void SetUp() override {
    glViewport(0, 0, kSize, kSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kSize, 0, kSize, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  // Pixels whose red channel is below 128.
  int DarkPixels() {
    const RgbaImage image = ctx_.ReadPixels();
    int dark = 0;
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) dark += image.pixels[i] < 128;
    return dark;
  }
  // The id the next glGenLists would return.
  static GLuint NextFreeList() {
    const GLuint probe = glGenLists(1);
    glDeleteLists(probe, 1);
    return probe;
  }

  OffscreenContext ctx_{kSize, kSize};
  test::ScriptedMessageBox messages_;
};

TEST_F(GlTextTest, ArialOutlineFontFills96ListsAndDrawsGlyphs) {
  Long base = 0;
  ASSERT_TRUE(CreateOutlineFont(base, "Arial", 3, 400, false, 0, messages_));
  ASSERT_NE(base, 0);
  for (Long iL = 0; iL < kOutlineFontLists; ++iL) EXPECT_TRUE(glIsList(base + iL)) << iL;
  EXPECT_TRUE(messages_.Shown().empty());
  glColor3f(0, 0, 0);
  glTranslatef(4, 20, 0);
  glScalef(24, 24, 1);
  DrawOutlineText(base, "8W");
  EXPECT_GT(DarkPixels(), 50);
  DeleteFont(base, kOutlineFontLists);
  EXPECT_EQ(base, 0);
}

TEST_F(GlTextTest, BitmapFontFills128ListsAndDrawsGlyphs) {
  Long base = 0;
  ASSERT_TRUE(CreateBitmapFont(base, "Arial", 15, 400, messages_));
  for (Long iL = 0; iL < kBitmapFontLists; ++iL) EXPECT_TRUE(glIsList(base + iL)) << iL;
  DrawBitmapText(base, "88", 4, 20, 0, 0, 0, 0);
  EXPECT_GT(DarkPixels(), 10);
}

// A character outside the font's codes must be skipped, never sent to a list
// beyond the font (which may be another font's or the scene's).
TEST_F(GlTextTest, EmptyTextAndCharactersOutsideTheFontDrawNothing) {
  Long outline = 0, bitmap = 0;
  ASSERT_TRUE(CreateOutlineFont(outline, "Arial", 3, 400, false, 0, messages_));
  ASSERT_TRUE(CreateBitmapFont(bitmap, "Arial", 15, 400, messages_));
  // A neighbour list that would be hit by code 128 of either font: it fills
  // the whole picture.
  const GLuint trap = std::max(outline + kOutlineFontLists, bitmap + kBitmapFontLists);
  ASSERT_EQ(glGenLists(1), trap);
  glNewList(trap, GL_COMPILE);
  glColor3f(0, 0, 0);
  glRectf(-1000, -1000, 1000, 1000);
  glEndList();
  glColor3f(0, 0, 0);
  glTranslatef(4, 20, 0);
  glScalef(24, 24, 1);
  DrawOutlineText(outline, "");
  DrawOutlineText(outline, "\x80\xff\x1f\x0a");
  DrawBitmapText(bitmap, "", 4, 20, 0, 0, 0, 0);
  DrawBitmapText(bitmap, "\x80\xe9\xff", 4, 20, 0, 0, 0, 0);
  EXPECT_EQ(DarkPixels(), 0);
  // Base 0 means the font was never made: nothing is called at all.
  DrawOutlineText(0, "88");
  DrawBitmapText(0, "88", 4, 20, 0, 0, 0, 0);
  EXPECT_EQ(DarkPixels(), 0);
}

// A failed fill must not leave 96 dead lists behind, and must say so.
TEST_F(GlTextTest, UnreadableFontReportsAndFreesItsLists) {
  const GLuint next = NextFreeList();
  Long base = 77;
  EXPECT_FALSE(CreateOutlineFontFromFile(base, QV_TEST_INPUTS_DIR "/platform/not_a_font.ttf", 0,
                                         messages_));
  EXPECT_EQ(base, 0);
  ASSERT_EQ(messages_.Shown().size(), 1u);
  EXPECT_EQ(messages_.Shown()[0].text, "Unable to create font");
  EXPECT_EQ(messages_.Shown()[0].icon, MsgIcon::Critical);
  EXPECT_FALSE(glIsList(next));
  EXPECT_FALSE(glIsList(next + kOutlineFontLists - 1));
}

TEST(OutlineTextWidthTest, CountsOnlyDrawableCharacters) {
  EXPECT_DOUBLE_EQ(OutlineTextWidth("10"), 2 * 0.556);
  EXPECT_DOUBLE_EQ(OutlineTextWidth("\x80"), 0.0);
}

}  // namespace
}  // namespace qv
