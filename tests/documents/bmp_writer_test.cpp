#include "bmp_writer.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "support/temp_folder.h"

namespace qv {
namespace {

std::uint32_t U32(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
  return v;
}
std::uint32_t U16(const std::string& b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) |
         (static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 1])) << 8);
}

// Pixel (x, y) of the test picture: red = 10x + 1, green = 20y + 2, blue = 200.
RgbImage Picture(int width, int height) {
  RgbImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.rgb.push_back(static_cast<std::uint8_t>(10 * x + 1));
      image.rgb.push_back(static_cast<std::uint8_t>(20 * y + 2));
      image.rgb.push_back(200);
    }
  }
  return image;
}

struct SizeCase {
  Long width, height, stride;
};

// Header fields, stride, zero padding and the swap to blue-green-red.
TEST(EncodeBmp, WritesHeaderStridePaddingAndBgr) {
  for (const SizeCase c :
       {SizeCase{1, 1, 4}, SizeCase{4, 1, 12}, SizeCase{5, 3, 16}, SizeCase{2, 2, 8}}) {
    const std::string b = EncodeBmp(Picture(c.width, c.height), c.width, c.height);
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    ASSERT_EQ(b.size(), 54u + c.stride * c.height);
    EXPECT_EQ(b.substr(0, 2), "BM");
    EXPECT_EQ(U32(b, 2), 54u + c.stride * c.height);
    EXPECT_EQ(U32(b, 6), 0u);
    EXPECT_EQ(U32(b, 10), 54u);
    EXPECT_EQ(U32(b, 14), 40u);
    EXPECT_EQ(U32(b, 18), static_cast<std::uint32_t>(c.width));
    EXPECT_EQ(U32(b, 22), static_cast<std::uint32_t>(c.height));
    EXPECT_EQ(U16(b, 26), 1u);
    EXPECT_EQ(U16(b, 28), 24u);
    EXPECT_EQ(U32(b, 30), 0u);
    EXPECT_EQ(U32(b, 34), static_cast<std::uint32_t>(c.stride * c.height));
    for (std::size_t at = 38; at < 54; at += 4) EXPECT_EQ(U32(b, at), 0u);
    for (Long y = 0; y < c.height; ++y) {
      const std::size_t row = 54 + static_cast<std::size_t>(y * c.stride);
      for (Long x = 0; x < c.width; ++x) {
        EXPECT_EQ(static_cast<std::uint8_t>(b[row + 3 * x]), 200);
        EXPECT_EQ(static_cast<std::uint8_t>(b[row + 3 * x + 1]), 20 * y + 2);
        EXPECT_EQ(static_cast<std::uint8_t>(b[row + 3 * x + 2]), 10 * x + 1);
      }
      for (Long pad = 3 * c.width; pad < c.stride; ++pad) EXPECT_EQ(b[row + pad], '\0');
    }
  }
  EXPECT_EQ(BmpStride(1), 4);
  EXPECT_EQ(BmpStride(3), 12);
  EXPECT_EQ(BmpStride(301), 904);
}

// The stated width may be one column wider than the drawing area (Save As
// with a width of 4k + 2 or 4k + 3); that column must come out black, not be
// read from outside the drawable.
TEST(EncodeBmp, NeverReadsBeyondTheSourcePicture) {
  const RgbImage source = Picture(3, 2);
  const std::string b = EncodeBmp(source, 4, 3);
  ASSERT_EQ(b.size(), 54u + 12 * 3);
  EXPECT_EQ(static_cast<std::uint8_t>(b[54 + 2 * 3 + 2]), 21);   // last real column, red
  for (int i = 0; i < 3; ++i) EXPECT_EQ(b[54 + 9 + i], '\0');    // the extra column
  for (int i = 0; i < 12; ++i) EXPECT_EQ(b[54 + 24 + i], '\0');  // the extra row
  // A source whose byte count does not match its size is not read at all.
  RgbImage broken{5, 5, std::vector<std::uint8_t>(3, 7)};
  const std::string blank = EncodeBmp(broken, 5, 5);
  ASSERT_FALSE(blank.empty());
  EXPECT_EQ(blank.find_first_not_of('\0', 54), std::string::npos);
}

// A width of 0 gave a negative size; empty pictures are refused.
TEST(EncodeBmp, RefusesEmptyPictures) {
  EXPECT_EQ(EncodeBmp(Picture(1, 1), 0, 1), "");
  EXPECT_EQ(EncodeBmp(Picture(1, 1), 1, 0), "");
  EXPECT_EQ(EncodeBmp(Picture(1, 1), -3, 5), "");
  test::TempFolder folder;
  EXPECT_NE(SaveGLBitmap(folder.File("a.bmp"), -1, 5, Picture(1, 1)), "");
  EXPECT_EQ(folder.Read("a.bmp"), "<missing>");
}

// An existing file is replaced, never appended to or left with a tail.
TEST(SaveGLBitmap, ReplacesAnExistingFile) {
  test::TempFolder folder;
  const std::string path = folder.File("scene.bmp");
  ASSERT_EQ(ReplaceFile(path, std::string(5000, 'x')), "");
  ASSERT_EQ(SaveGLBitmap(path, 0, 1, Picture(1, 1)), "");
  EXPECT_EQ(folder.Read("scene.bmp"), EncodeBmp(Picture(1, 1), 1, 1));
}

}  // namespace
}  // namespace qv
