#include "platform/gl_text.h"

#include <GL/gl.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "platform/osmesa/offscreen_context.h"
#include "platform/rgba_image.h"
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

TEST_F(GlTextTest, ArialOutlineFontFillsItsListsAndDrawsGlyphs) {
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

TEST_F(GlTextTest, BitmapFontFillsItsListsAndDrawsGlyphs) {
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
  // A neighbour list, hit by any call past the end of either font: it fills
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
  // Codes below 32 and the five codes Windows-1252 leaves unassigned.
  DrawOutlineText(outline, "\x1f\x0a\x81\x8d\x8f\x90\x9d");
  DrawBitmapText(bitmap, "", 4, 20, 0, 0, 0, 0);
  DrawBitmapText(bitmap, "\x0a\x81\x8d\x8f\x90\x9d", 4, 20, 0, 0, 0, 0);
  EXPECT_EQ(DarkPixels(), 0);
  // Base 0 means the font was never made: nothing is called at all.
  DrawOutlineText(0, "88");
  DrawBitmapText(0, "88", 4, 20, 0, 0, 0, 0);
  EXPECT_EQ(DarkPixels(), 0);
}

// A failed fill must not leave dead lists behind, and must say so.
TEST_F(GlTextTest, UnreadableFontReportsAndFreesItsLists) {
  const GLuint next = NextFreeList();
  Long base = 77;
  EXPECT_FALSE(
      CreateOutlineFontFromFile(base, QV_TEST_INPUTS_DIR "/platform/not_a_font.ttf", 0, messages_));
  EXPECT_EQ(base, 0);
  ASSERT_EQ(messages_.Shown().size(), 1u);
  EXPECT_EQ(messages_.Shown()[0].text, "Unable to create font");
  EXPECT_EQ(messages_.Shown()[0].icon, MsgIcon::Critical);
  EXPECT_FALSE(glIsList(next));
  EXPECT_FALSE(glIsList(next + kOutlineFontLists - 1));
}

// Titles and labels hold Windows-1252 text: the codes above 127 must draw
// the glyphs of their characters in both kinds of font.
class GlTextAccentTest : public testing::Test {
 protected:
  static constexpr int kWidth = 320, kHeight = 64;
  void SetUp() override {
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kWidth, 0, kHeight, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_LIGHTING);
    glClearColor(1, 1, 1, 1);
    ASSERT_TRUE(CreateOutlineFont(outline_, "Arial", 5, 400, false, 0, messages_));
    ASSERT_TRUE(CreateBitmapFont(bitmap_, "Arial", 15, 400, messages_));
  }
  // Draws text in the outline font (upper half) and the bitmap font (lower
  // half) and reads the picture back.
  RgbaImage Draw(const std::string& text, const std::string& name) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glColor3f(0, 0, 0);
    glTranslatef(4, 40, 0);
    glScalef(20, 20, 1);
    DrawOutlineText(outline_, text);
    glLoadIdentity();
    DrawBitmapText(bitmap_, text, 4, 8, 0, 0, 0, 0);
    RgbaImage image = ctx_.ReadPixels();
    if (std::getenv("QV_WRITE_PICTURES") != nullptr)
      WritePng("/tmp/qv_text_" + name + ".png", image);
    return image;
  }
  // Columns from the first to the last holding a dark pixel, in rows
  // rowFrom..rowTo; 0 when there is no ink.
  static int InkWidth(const RgbaImage& image, int rowFrom, int rowTo) {
    int first = -1, last = -1;
    for (int x = 0; x < image.width; ++x) {
      for (int y = rowFrom; y <= rowTo; ++y) {
        if (image.At(x, y)[0] < 128) {
          if (first < 0) first = x;
          last = x;
          break;
        }
      }
    }
    return first < 0 ? 0 : last - first + 1;
  }
  static int OutlineInk(const RgbaImage& image) { return InkWidth(image, 32, kHeight - 1); }
  static int BitmapInk(const RgbaImage& image) { return InkWidth(image, 0, 31); }

  OffscreenContext ctx_{kWidth, kHeight};
  test::ScriptedMessageBox messages_;
  Long outline_ = 0, bitmap_ = 0;
};

TEST_F(GlTextAccentTest, AccentedTitleIsWiderThanTheTitleWithoutTheAccentedLetter) {
  const RgbaImage with = Draw(
      "H\xf6"
      "he (m)",
      "hoehe");
  const RgbaImage without = Draw("Hhe (m)", "hhe");
  EXPECT_GT(OutlineInk(with), OutlineInk(without) + 5);
  EXPECT_GT(BitmapInk(with), BitmapInk(without) + 3);
  // The whole title of the four characters, for looking at.
  Draw(
      "H\xf6"
      "he \xe9t\xe9 Stra\xdf"
      "e 20\xb0 \x80 \x84\x93\x94",
      "accents");
}

TEST_F(GlTextAccentTest, EachCharacterAboveCode127DrawsInk) {
  for (const char* text : {"\xf6", "\xe9", "\xdf", "\xb0", "\x80", "\x9c"}) {
    const RgbaImage image = Draw(text, "single");
    EXPECT_GT(OutlineInk(image), 2) << static_cast<int>(static_cast<unsigned char>(text[0]));
    EXPECT_GT(BitmapInk(image), 1) << static_cast<int>(static_cast<unsigned char>(text[0]));
  }
}

// Text is placed by its measured width: the characters that draw must count.
TEST(OutlineTextWidthTest, AccentedCharactersCount) {
  EXPECT_GT(OutlineTextWidth("H\xf6"
                             "he"),
            OutlineTextWidth("Hhe"));
  EXPECT_GT(OutlineTextWidth("\xb0"), 0.0);
}

TEST(OutlineTextWidthTest, CountsOnlyDrawableCharacters) {
  EXPECT_DOUBLE_EQ(OutlineTextWidth("10"), 2 * 0.556);
  EXPECT_DOUBLE_EQ(OutlineTextWidth("\x81\x1f"), 0.0);
}

}  // namespace
}  // namespace qv
