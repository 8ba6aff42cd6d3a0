// Texture images: every reader gives the picture's pixels with rows
// bottom-up and no shear, refuses what it cannot read whole (without
// reading past its bytes: run under AddressSanitizer), names are found
// where the document is, and the sides become powers of two.
#include "texture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/osmesa/offscreen_context.h"
#include "support/texture_files.h"

namespace qv {
namespace {

using test::Rgb8;

std::span<const std::uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// A pattern in which a sheared or flipped row, a lost column or swapped
// channels all show: every pixel differs from its neighbours.
Rgb8 Pattern(int x, int y) {
  return {static_cast<std::uint8_t>(7 * x + 3), static_cast<std::uint8_t>(11 * y + 5),
          static_cast<std::uint8_t>(x * y % 251)};
}

Rgb8 PixelOf(const TextureImage& image, int x, int yFromTop) {
  const std::size_t row = static_cast<std::size_t>(image.height - 1 - yFromTop);
  const std::size_t at = (row * static_cast<std::size_t>(image.width) + x) * 3;
  return {image.rgb[at], image.rgb[at + 1], image.rgb[at + 2]};
}

struct ReadCase {
  const char* name;
  int width, height;
  std::function<std::string()> bytes;
  // Largest difference allowed per channel (a JPG is not exact).
  int tolerance;
  std::function<Rgb8(int, int)> expected;
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

// Two frames, only the first of which is read.
const std::array<Rgb8, 4> kGifPalette = {{{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}}};
int GifFirst(int x, int y) { return (x + 2 * y) % 4; }
int GifSecond(int, int) { return 0; }

Rgb8 Blocks(int x, int y) {
  return x < 8 ? (y < 8 ? Rgb8{250, 20, 20} : Rgb8{20, 250, 20})
               : (y < 8 ? Rgb8{20, 20, 250} : Rgb8{240, 240, 240});
}

const ReadCase kReadCases[] = {
    {"Bmp33Wide", 33, 7, [] { return test::BmpBytes(33, 7, Pattern); }, 0, Pattern},
    {"Bmp1x1", 1, 1, [] { return test::BmpBytes(1, 1, Pattern); }, 0, Pattern},
    {"Bmp2Wide", 2, 5, [] { return test::BmpBytes(2, 5, Pattern); }, 0, Pattern},
    {"BmpTopDown", 5, 4, [] { return test::BmpBytes(5, 4, Pattern, true); }, 0, Pattern},
    {"Raw2x1", 2, 1, [] { return test::RawTextureBytes(2, 1, Pattern); }, 0, Pattern},
    {"Raw7x3", 7, 3, [] { return test::RawTextureBytes(7, 3, Pattern); }, 0, Pattern},
    {"GifFirstFrame", 5, 3,
     [] {
       return test::GifBytes(5, 3, kGifPalette, {GifFirst, GifSecond});
     },
     0, [](int x, int y) { return kGifPalette[static_cast<std::size_t>(GifFirst(x, y))]; }},
    {"Jpg", 16, 16, [] { return test::JpegBytes(16, 16, Blocks); }, 40, Blocks},
};

class TextureReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(TextureReadTest, GivesThePixelsBottomUp) {
  const ReadCase& c = GetParam();
  const std::string bytes = c.bytes();
  const bool raw = std::string(c.name).rfind("Raw", 0) == 0;
  const ImageRead read = raw ? DecodeRawTexture(Bytes(bytes)) : DecodePicture(Bytes(bytes));
  ASSERT_TRUE(read.image) << read.problem;
  const TextureImage& image = *read.image;
  ASSERT_EQ(image.width, c.width);
  ASSERT_EQ(image.height, c.height);
  ASSERT_EQ(image.rgb.size(), static_cast<std::size_t>(c.width * c.height * 3));
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const Rgb8 got = PixelOf(image, x, y);
      const Rgb8 want = c.expected(x, y);
      for (int ch = 0; ch < 3; ++ch) {
        ASSERT_NEAR(got[ch], want[ch], c.tolerance)
            << "pixel " << x << "," << y << " channel " << ch;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, TextureReadTest, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) {
                           return info.param.name;
                         });

struct RefusalCase {
  const char* name;
  bool raw;
  std::function<std::string()> bytes;
  const char* problem;  // a part of the reason given
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

std::string Le32(std::int64_t v) {
  std::string out;
  for (int b = 0; b < 4; ++b)
    out += static_cast<char>((static_cast<std::uint64_t>(v) >> (8 * b)) & 0xFF);
  return out;
}

std::string Cut(std::string s, std::size_t keep) {
  s.resize(keep);
  return s;
}

// A BMP whose header states the given sizes over a few pixel bytes.
std::string BmpClaiming(std::int64_t width, std::int64_t height) {
  std::string bmp = test::BmpBytes(2, 2, Pattern);
  bmp.replace(18, 4, Le32(width));
  bmp.replace(22, 4, Le32(height));
  return bmp;
}

const RefusalCase kRefusals[] = {
    {"EmptyPicture", false, [] { return std::string(); }, "empty"},
    {"EmptyRaw", true, [] { return std::string(); }, "empty"},
    {"NotAPicture", false, [] { return std::string("P6 2 2 255 ......"); }, "not a BMP"},
    {"BmpCutInItsRows", false, [] { return Cut(test::BmpBytes(33, 7, Pattern), 54 + 100 * 4); },
     "truncated"},
    {"BmpCutInItsHeader", false, [] { return Cut(test::BmpBytes(3, 3, Pattern), 20); },
     "truncated"},
    {"BmpTooWide", false, [] { return BmpClaiming(16385, 2); }, "16384"},
    {"BmpTallestNegative", false, [] { return BmpClaiming(2, -2147483647 - 1); }, "16384"},
    {"BmpWithoutRows", false, [] { return BmpClaiming(2, 0); }, "no pixels"},
    {"BmpHugeOverTinyFile", false, [] { return BmpClaiming(16384, 16384); }, "truncated"},
    // A compression code the decoder would read as negative, and so as
    // plain rows, on sides the file does not hold.
    {"BmpUnknownCompression", false,
     [] {
       std::string bmp = BmpClaiming(8194, 11769);
       bmp.replace(30, 4, Le32(0xD3000000));
       return bmp;
     },
     "compression"},
    {"BmpUnknownPixelSize", false,
     [] {
       std::string bmp = test::BmpBytes(2, 2, Pattern);
       bmp[28] = 0;
       return bmp;
     },
     "pixel format"},
    {"JpgCutInHalf", false,
     [] {
       const std::string jpg = test::JpegBytes(16, 16, Blocks);
       return Cut(jpg, jpg.size() / 2);
     },
     "truncated"},
    {"JpgWithoutItsEnd", false,
     [] {
       const std::string jpg = test::JpegBytes(16, 16, Blocks);
       return Cut(jpg, jpg.size() - 2);
     },
     "truncated"},
    {"GifWithoutItsTrailer", false,
     [] {
       const std::string gif = test::GifBytes(5, 3, kGifPalette, {GifFirst});
       return Cut(gif, gif.size() - 4);
     },
     "truncated"},
    {"RawShorterThanItsSizes", true, [] { return std::string("\x02\x00\x00", 3); }, "truncated"},
    {"RawClaiming100000Square", true,
     [] { return Le32(100000) + Le32(100000) + std::string(6, '\x7F'); }, "16384"},
    {"RawOverflowingThirtyTwoBits", true,
     [] { return Le32(16384) + Le32(16384) + std::string(6, '\x7F'); }, "truncated"},
    {"RawNegativeWidth", true, [] { return Le32(-2) + Le32(1) + std::string(6, '\x7F'); },
     "no pixels"},
    {"RawOneByteShort", true, [] { return Cut(test::RawTextureBytes(3, 2, Pattern), 8 + 17); },
     "truncated"},
};

class TextureRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(TextureRefusalTest, GivesNoImageAndSaysWhy) {
  const RefusalCase& c = GetParam();
  const std::string bytes = c.bytes();
  const ImageRead read = c.raw ? DecodeRawTexture(Bytes(bytes)) : DecodePicture(Bytes(bytes));
  EXPECT_FALSE(read.image);
  EXPECT_NE(read.problem.find(c.problem), std::string::npos) << read.problem;
}

INSTANTIATE_TEST_SUITE_P(Files, TextureRefusalTest, testing::ValuesIn(kRefusals),
                         [](const testing::TestParamInfo<RefusalCase>& info) {
                           return info.param.name;
                         });

TEST(TextureFileKindTest, FollowsTheLastThreeCharactersInAnyCase) {
  EXPECT_EQ(TextureFileKindOf("wood.bmp"), TextureFileKind::kPicture);
  EXPECT_EQ(TextureFileKindOf("C:\\X\\WOOD.JPG"), TextureFileKind::kPicture);
  EXPECT_EQ(TextureFileKindOf("anim.Gif"), TextureFileKind::kPicture);
  EXPECT_EQ(TextureFileKindOf("sky.mOt"), TextureFileKind::kRaw);
  EXPECT_EQ(TextureFileKindOf("photo.jpeg"), TextureFileKind::kUnknown);
  EXPECT_EQ(TextureFileKindOf("xy"), TextureFileKind::kUnknown);
}

TEST(TextureFileTest, AFileOfAnUnknownKindOrMissingIsRefused) {
  const ImageRead unknown = ReadTextureFile("/nonexistent/photo.jpeg", "photo.jpeg");
  EXPECT_FALSE(unknown.image);
  EXPECT_NE(unknown.problem.find("BMP, JPG, GIF and MOT"), std::string::npos);
  const ImageRead missing = ReadTextureFile("/nonexistent/photo.bmp", "photo.bmp");
  EXPECT_FALSE(missing.image);
  EXPECT_EQ(missing.problem, "the file does not exist");
}

struct PathCase {
  const char* texName;
  const char* folder;
  const char* path;
};

class TexturePathTest : public testing::TestWithParam<PathCase> {};

TEST_P(TexturePathTest, LooksWhereTheDocumentIs) {
  const PathCase& c = GetParam();
  EXPECT_EQ(TexturePath(c.texName, c.folder), c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Names, TexturePathTest,
    testing::Values(PathCase{"wood.bmp", "/docs/a", "/docs/a/wood.bmp"},
                    PathCase{"../textures/wood.bmp", "/docs/a", "/docs/textures/wood.bmp"},
                    PathCase{"/pictures/wood.bmp", "/docs/a", "/pictures/wood.bmp"},
                    PathCase{"C:\\Pictures\\Wood.BMP", "/docs/a", "/docs/a/Wood.BMP"},
                    PathCase{"c:wood.bmp", "/docs/a", "/docs/a/wood.bmp"},
                    PathCase{"textures\\wood.bmp", "/docs/a", "/docs/a/wood.bmp"},
                    PathCase{"D:/Pictures/wood.bmp", "/docs/a", "/docs/a/wood.bmp"},
                    // Windows-1252 e acute becomes UTF-8 in the path.
                    PathCase{"caf\xE9.bmp", "/docs", "/docs/caf\xC3\xA9.bmp"}));

TEST(TexturePathTest, ARelativeNameOfANewDocumentIsInTheWorkingFolder) {
  EXPECT_EQ(TexturePath("wood.bmp", ""),
            (std::filesystem::current_path() / "wood.bmp").lexically_normal().string());
}

TEST(PowerOfTwoSideTest, RaisesToThePowerAboveOrCuts) {
  const int cases[][3] = {{300, 256, 256}, {100, 256, 128}, {64, 256, 64},  {1, 256, 1},
                          {257, 256, 256}, {3, 2, 2},       {129, 256, 256}};
  for (const auto& c : cases) EXPECT_EQ(PowerOfTwoSide(c[0], c[1]), c[2]) << c[0];
}

// Scaling and uploading run in a context.
class TextureGlTest : public testing::Test {
 protected:
  static TextureImage Uniform(int width, int height, Rgb8 colour) {
    TextureImage image{width, height, {}};
    for (int p = 0; p < width * height; ++p)
      image.rgb.insert(image.rgb.end(), colour.begin(), colour.end());
    return image;
  }

  OffscreenContext context_{64, 64};
};

struct ScaleCase {
  int width, height, scaledWidth, scaledHeight;
};

class TextureScaleTest : public TextureGlTest, public testing::WithParamInterface<ScaleCase> {};

// Odd row lengths both ways (3 x 1, 1 x 3) would overrun the buffers with
// GL's default alignment of 4.
TEST_P(TextureScaleTest, GetsPowerOfTwoSidesAndKeepsTheColour) {
  const ScaleCase& c = GetParam();
  TextureImage image = Uniform(c.width, c.height, {200, 100, 50});
  std::string problem;
  ASSERT_TRUE(ScaleToTextureSides(image, problem)) << problem;
  EXPECT_EQ(image.width, c.scaledWidth);
  EXPECT_EQ(image.height, c.scaledHeight);
  ASSERT_EQ(image.rgb.size(), static_cast<std::size_t>(c.scaledWidth * c.scaledHeight * 3));
  for (std::size_t at = 0; at < image.rgb.size(); at += 3) {
    ASSERT_EQ(image.rgb[at], 200);
    ASSERT_EQ(image.rgb[at + 1], 100);
    ASSERT_EQ(image.rgb[at + 2], 50);
  }
}

INSTANTIATE_TEST_SUITE_P(Sides, TextureScaleTest,
                         testing::Values(ScaleCase{300, 100, 256, 128}, ScaleCase{64, 64, 64, 64},
                                         ScaleCase{33, 7, 64, 8}, ScaleCase{3, 1, 4, 1},
                                         ScaleCase{1, 3, 1, 4}, ScaleCase{1000, 2, 256, 2}));

// An upload keeps every byte where it was (rows of 3 x 2 bytes are not a
// multiple of 4) and leaves the unpacking state as it found it.
TEST_F(TextureGlTest, UploadKeepsThePixelsAndTheUnpackState) {
  TextureImage image{2, 4, {}};
  for (int p = 0; p < 8 * 3; ++p) image.rgb.push_back(static_cast<std::uint8_t>(10 * p));
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  std::optional<Texture> texture = Texture::Upload(image);
  ASSERT_TRUE(texture);
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 8);
  glBindTexture(GL_TEXTURE_2D, texture->Name());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  std::vector<std::uint8_t> back(image.rgb.size());
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, back.data());
  EXPECT_EQ(back, image.rgb);
  texture->Delete();
  EXPECT_EQ(texture->Name(), 0u);
}

}  // namespace
}  // namespace qv
