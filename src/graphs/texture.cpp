#include "texture.h"

#include <GL/glu.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/file_replace.h"
#include "platform/text_encoding.h"

// The picture decoder, kept static so that it cannot clash with another copy
// in the same program; only the three formats textures come in.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 16384
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace qv {

static_assert(STBI_MAX_DIMENSIONS == kMaxImageSide);

namespace {

// Files larger than the largest raw image are not read at all.
constexpr std::uint64_t kMaxTextureFileBytes =
    8 + std::uint64_t{kMaxImageSide} * std::uint64_t{kMaxImageSide} * 3;

constexpr char kTooLarge[] = "the picture is larger than 16384 pixels on a side";
constexpr char kTruncated[] = "the file is truncated";

ImageRead Refused(std::string problem) { return {std::nullopt, std::move(problem)}; }

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
         std::uint32_t{b[at + 3]} << 24;
}

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

bool SideFits(std::int64_t side) { return side >= 1 && side <= kMaxImageSide; }

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view magic) {
  return bytes.size() >= magic.size() && std::memcmp(bytes.data(), magic.data(), magic.size()) == 0;
}

// What makes a BMP unreadable before its pixels are decoded: sizes beyond
// the limit, an unknown pixel size, and pixel rows beyond the end of the
// file (the last row may lack its padding). "" when none. So the decoder
// never sizes a buffer by sides that the file's bytes do not back.
std::string BmpProblem(std::span<const std::uint8_t> b) {
  if (b.size() < 26) return kTruncated;
  const std::uint32_t offset = Le32(b, 10);
  const std::uint32_t headerSize = Le32(b, 14);
  std::int64_t width = 0, height = 0;
  std::uint32_t bpp = 0, compression = 0;
  if (headerSize == 12) {
    width = static_cast<std::int16_t>(Le16(b, 18));
    height = static_cast<std::int16_t>(Le16(b, 20));
    bpp = Le16(b, 24);
  } else {
    if (b.size() < 34) return kTruncated;
    width = static_cast<std::int32_t>(Le32(b, 18));
    height = static_cast<std::int32_t>(Le32(b, 22));
    bpp = Le16(b, 28);
    compression = Le32(b, 30);
  }
  if (width == 0 || height == 0) return "the picture has no pixels";
  if (!SideFits(width) || !SideFits(height < 0 ? -height : height)) return kTooLarge;
  // Checked before the decoder sizes its buffer by the header's sides.
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
    return "the picture's pixel format is not supported";
  }
  // Plain rows or bit fields only (the decoder would take a compression
  // code above 2^31 for plain rows).
  if (compression != 0 && compression != 3) return "the picture's compression is not supported";
  const std::uint64_t bits = static_cast<std::uint64_t>(width) * bpp;
  const std::uint64_t rowBytes = (bits + 31) / 32 * 4;
  const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
  const std::uint64_t needed = std::uint64_t{offset} + rowBytes * (rows - 1) + (bits + 7) / 8;
  return needed > b.size() ? kTruncated : "";
}

// A JPEG ends with its end-of-image marker after its last scan. Both
// markers cannot occur inside the coded data (a 0xFF there is always
// followed by 0 or a restart code), so a file cut short lacks the one after
// the other.
bool JpegComplete(std::span<const std::uint8_t> b) {
  std::size_t lastScan = 0, lastEnd = 0;
  bool scan = false, end = false;
  for (std::size_t at = 0; at + 1 < b.size(); ++at) {
    if (b[at] != 0xFF) continue;
    if (b[at + 1] == 0xDA) {
      lastScan = at;
      scan = true;
    } else if (b[at + 1] == 0xD9) {
      lastEnd = at;
      end = true;
    }
  }
  return scan && end && lastEnd > lastScan;
}

// A GIF ends with its trailer byte.
bool GifComplete(std::span<const std::uint8_t> b) { return !b.empty() && b.back() == 0x3B; }

std::string StbProblem() {
  const char* reason = stbi_failure_reason();
  return std::string("the picture could not be decoded (") + (reason != nullptr ? reason : "?") +
         ")";
}

// The decoder's top-down rows, bottom-up.
TextureImage FlippedImage(const stbi_uc* pixels, int width, int height) {
  TextureImage image;
  image.width = width;
  image.height = height;
  const std::size_t row = static_cast<std::size_t>(width) * 3;
  image.rgb.resize(row * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    std::memcpy(image.rgb.data() + row * static_cast<std::size_t>(height - 1 - y),
                pixels + row * static_cast<std::size_t>(y), row);
  }
  return image;
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

ImageRead DecodeRawTexture(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return Refused("the file is empty");
  if (bytes.size() < 8) return Refused(kTruncated);
  const std::int64_t width = static_cast<std::int32_t>(Le32(bytes, 0));
  const std::int64_t height = static_cast<std::int32_t>(Le32(bytes, 4));
  if (width < 1 || height < 1) return Refused("the picture has no pixels");
  if (!SideFits(width) || !SideFits(height)) return Refused(kTooLarge);
  const std::uint64_t pixelBytes = static_cast<std::uint64_t>(width * height * 3);
  if (pixelBytes > bytes.size() - 8) return Refused(kTruncated);
  TextureImage image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.rgb.assign(bytes.begin() + 8, bytes.begin() + 8 + static_cast<std::ptrdiff_t>(pixelBytes));
  return {std::move(image), ""};
}

ImageRead DecodePicture(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return Refused("the file is empty");
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return Refused("the file is too large");
  if (StartsWith(bytes, "BM")) {
    if (std::string problem = BmpProblem(bytes); !problem.empty()) return Refused(problem);
  } else if (StartsWith(bytes, "\xFF\xD8\xFF")) {
    if (!JpegComplete(bytes)) return Refused(kTruncated);
  } else if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a")) {
    if (!GifComplete(bytes)) return Refused(kTruncated);
  } else {
    return Refused("it is not a BMP, JPG or GIF picture");
  }
  // The decoder refuses sides above kMaxImageSide itself (STBI_MAX_DIMENSIONS).
  int width = 0, height = 0, channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width,
                                          &height, &channels, 3);
  if (pixels == nullptr) return Refused(StbProblem());
  ImageRead read;
  if (SideFits(width) && SideFits(height)) {
    read.image = FlippedImage(pixels, width, height);
  } else {
    read.problem = kTooLarge;
  }
  stbi_image_free(pixels);
  return read;
}

TextureFileKind TextureFileKindOf(std::string_view name) {
  if (name.size() < 3) return TextureFileKind::kUnknown;
  std::string tail(name.substr(name.size() - 3));
  std::transform(tail.begin(), tail.end(), tail.begin(), Upper);
  if (tail == "BMP" || tail == "JPG" || tail == "GIF") return TextureFileKind::kPicture;
  if (tail == "MOT") return TextureFileKind::kRaw;
  return TextureFileKind::kUnknown;
}

std::string TexturePath(std::string_view texName, const std::string& documentFolder) {
  namespace fs = std::filesystem;
  const std::string name = Cp1252ToUtf8(texName);
  std::error_code error;
  const fs::path folder =
      documentFolder.empty() ? fs::current_path(error) : fs::path(documentFolder);
  const bool drive = name.size() >= 2 && name[1] == ':' &&
                     ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
  fs::path path;
  if (drive || name.find('\\') != std::string::npos) {
    const std::size_t cut = name.find_last_of("\\/:");
    path = folder / name.substr(cut + 1);
  } else if (fs::path(name).is_absolute()) {
    path = name;
  } else {
    path = folder / name;
  }
  const fs::path absolute = fs::absolute(path, error);
  return (error ? path : absolute).lexically_normal().string();
}

ImageRead ReadTextureFile(const std::string& path, std::string_view name) {
  const TextureFileKind kind = TextureFileKindOf(name);
  if (kind == TextureFileKind::kUnknown) {
    return Refused("its name ends in none of BMP, JPG, GIF and MOT");
  }
  const FileBytes read = ReadRegularFile(path, kMaxTextureFileBytes);
  if (!read.Ok()) return Refused(ReadProblemText(read, "the file is too large"));
  const std::span<const std::uint8_t> bytes(
      reinterpret_cast<const std::uint8_t*>(read.bytes.data()), read.bytes.size());
  return kind == TextureFileKind::kRaw ? DecodeRawTexture(bytes) : DecodePicture(bytes);
}

int PowerOfTwoSide(int side, int cap) {
  const int limit = std::min(side, cap);
  int power = 1;
  while (power < limit) power *= 2;
  return power;
}

bool ScaleToTextureSides(TextureImage& image, std::string& problem) {
  GLint maximum = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maximum);
  if (maximum <= 0) {
    problem = "the drawing context allows no texture";
    return false;
  }
  int cap = 1;
  while (cap * 2 <= std::min<GLint>(maximum, kMaxTextureSide)) cap *= 2;
  const int width = PowerOfTwoSide(image.width, cap);
  const int height = PowerOfTwoSide(image.height, cap);
  if (width == image.width && height == image.height) return true;
  std::vector<std::uint8_t> scaled(static_cast<std::size_t>(width) *
                                   static_cast<std::size_t>(height) * 3);
  // Rows are tightly packed both ways, whatever their length.
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  for (GLenum alignment : {GL_UNPACK_ALIGNMENT, GL_PACK_ALIGNMENT}) glPixelStorei(alignment, 1);
  for (GLenum zero : {GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS,
                      GL_PACK_ROW_LENGTH, GL_PACK_SKIP_ROWS, GL_PACK_SKIP_PIXELS}) {
    glPixelStorei(zero, 0);
  }
  const GLint result =
      gluScaleImage(GL_RGB, image.width, image.height, GL_UNSIGNED_BYTE, image.rgb.data(), width,
                    height, GL_UNSIGNED_BYTE, scaled.data());
  glPopClientAttrib();
  if (result != 0) {
    problem = "ValidateTextureSize : gluScaleImage failure";
    return false;
  }
  image.width = width;
  image.height = height;
  image.rgb = std::move(scaled);
  return true;
}

std::optional<Texture> Texture::Upload(const TextureImage& image) {
  while (glGetError() != GL_NO_ERROR) {
  }
  Texture texture;
  glGenTextures(1, &texture.name_);
  if (texture.name_ == 0) return std::nullopt;
  texture.width_ = image.width;
  texture.height_ = image.height;
  glPushAttrib(GL_TEXTURE_BIT);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (GLenum zero : {GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS}) {
    glPixelStorei(zero, 0);
  }
  glBindTexture(GL_TEXTURE_2D, texture.name_);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
               image.rgb.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glPopClientAttrib();
  glPopAttrib();
  if (glGetError() != GL_NO_ERROR) {
    texture.Delete();
    return std::nullopt;
  }
  return texture;
}

LoadedTexture Texture::Load(const std::string& path, std::string_view name) {
  ImageRead read = ReadTextureFile(path, name);
  if (!read.image) return {std::nullopt, read.problem};
  std::string problem;
  if (!ScaleToTextureSides(*read.image, problem)) return {std::nullopt, problem};
  std::optional<Texture> texture = Upload(*read.image);
  if (!texture) return {std::nullopt, "the drawing context could not take the texture"};
  return {texture, ""};
}

void Texture::Delete() {
  if (name_ != 0) glDeleteTextures(1, &name_);
  name_ = 0;
}

}  // namespace qv
