// Textures: the image files a surface can wear (BMP, JPG and GIF pictures,
// and the program's own raw "MOT" files) read into RGB images, brought to
// power-of-two sides and uploaded as OpenGL texture objects.
//
// Readers refuse what they cannot read whole: an empty, truncated or
// malformed file, and an image larger than kMaxImageSide on a side, give no
// image and a reason, never a partial picture.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Image Limits
// The largest image side any reader accepts, in pixels.
inline constexpr int kMaxImageSide = 16384;
// The largest texture side uploaded (smaller when the context allows less).
inline constexpr int kMaxTextureSide = 256;

// An RGB image: three bytes a pixel (red, green, blue), rows tightly packed
// and bottom-up, as OpenGL takes them.
struct TextureImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

// An image read, or why none was.
struct ImageRead {
  std::optional<TextureImage> image;
  std::string problem;
};

// Readers (no GL)
// A raw "MOT" file: width and height as little-endian signed 32-bit
// numbers, then width x height x 3 bytes R, G, B, rows bottom-up. Sizes
// outside 1..kMaxImageSide, or more pixel bytes than the file holds (checked
// in 64 bits), are refused; bytes after the pixels are ignored.
ImageRead DecodeRawTexture(std::span<const std::uint8_t> bytes);
// A BMP, JPG or GIF picture (the first frame of a GIF), told by its content.
ImageRead DecodePicture(std::span<const std::uint8_t> bytes);

// Which reader a texture name asks for: its last three characters, in any
// letter case ("BMP", "JPG", "GIF": a picture; "MOT": raw).
enum class TextureFileKind { kPicture, kRaw, kUnknown };
TextureFileKind TextureFileKindOf(std::string_view name);

// Where a texture name (TexName, Windows-1252 text) is looked for: a
// relative name in documentFolder ("" for the working folder), an absolute
// one where it says, and a Windows-style one (a drive letter or
// backslashes) by its file name alone in documentFolder. An absolute,
// normalised file-system path, the same for every spelling of one file.
std::string TexturePath(std::string_view texName, const std::string& documentFolder);

// Reads the file at path (a file-system path) with the reader that name
// chooses.
ImageRead ReadTextureFile(const std::string& path, std::string_view name);

// Scaling
// The side a texture of side pixels gets: the next power of two, or cap when
// side is larger (cap a power of two).
int PowerOfTwoSide(int side, int cap);
// Rescales image with gluScaleImage to the power-of-two sides of
// PowerOfTwoSide, capped at the smaller of kMaxTextureSide and the context's
// GL_MAX_TEXTURE_SIZE. An image already of those sides is left alone. False,
// with image unchanged and problem set, when the context gives no maximum or
// the scaling fails. Needs a current context.
bool ScaleToTextureSides(TextureImage& image, std::string& problem);

struct LoadedTexture;

// One texture object made from an image file.
class Texture {
 public:
  // Reads the file at path (with the reader name chooses), scales it and
  // uploads it as a new texture object with linear filtering. Needs a
  // current context.
  static LoadedTexture Load(const std::string& path, std::string_view name);
  // Uploads image, whose sides must be powers of two. Needs a current
  // context; nullopt when GL gave no texture object.
  static std::optional<Texture> Upload(const TextureImage& image);

  GLuint Name() const { return name_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Deletes the texture object; the context it was made in must be current.
  void Delete();

 private:
  GLuint name_ = 0;
  int width_ = 0;
  int height_ = 0;
};

// The outcome of Texture::Load: a texture, or why there is none.
struct LoadedTexture {
  std::optional<Texture> texture;
  std::string problem;
};

}  // namespace qv
