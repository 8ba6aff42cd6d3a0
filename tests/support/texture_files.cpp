#include "support/texture_files.h"

#include "platform/file_replace.h"

// The writer's implementation, kept static so that it cannot clash with the
// program's own copy.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace qv::test {

namespace {

void Put16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// LZW codes packed from the lowest bit up, in sub-blocks of at most 255.
class GifCodeWriter {
 public:
  void Put(unsigned code, int width) {
    bits_ |= code << count_;
    count_ += width;
    while (count_ >= 8) {
      bytes_ += static_cast<char>(bits_ & 0xFF);
      bits_ >>= 8;
      count_ -= 8;
    }
  }
  std::string Blocks() {
    if (count_ > 0) bytes_ += static_cast<char>(bits_ & 0xFF);
    std::string out;
    for (std::size_t at = 0; at < bytes_.size(); at += 255) {
      const std::string block = bytes_.substr(at, 255);
      out += static_cast<char>(block.size());
      out += block;
    }
    return out + '\0';
  }

 private:
  unsigned bits_ = 0;
  int count_ = 0;
  std::string bytes_;
};

}  // namespace

std::string BmpBytes(int width, int height, const PixelFunction& pixel, bool topDown) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  std::string out = "BM";
  Put32(out, static_cast<std::uint32_t>(54 + rowBytes * height));
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(topDown ? -height : height));
  Put16(out, 1);
  Put16(out, 24);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    std::string line;
    for (int x = 0; x < width; ++x) {
      const Rgb8 c = pixel(x, y);
      line += static_cast<char>(c[2]);
      line += static_cast<char>(c[1]);
      line += static_cast<char>(c[0]);
    }
    line.resize(static_cast<std::size_t>(rowBytes), '\0');
    out += line;
  }
  return out;
}

std::string RawTextureBytes(int width, int height, const PixelFunction& pixel) {
  std::string out;
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      for (std::uint8_t c : pixel(x, y)) out += static_cast<char>(c);
    }
  }
  return out;
}

// Every pixel is sent as a clear code and a literal, so the code width
// never grows: plain, and valid for any decoder.
std::string GifBytes(int width, int height, const std::array<Rgb8, 4>& palette,
                     const std::vector<std::function<int(int x, int y)>>& frames) {
  std::string out = "GIF89a";
  Put16(out, static_cast<unsigned>(width));
  Put16(out, static_cast<unsigned>(height));
  out += static_cast<char>(0x80 | 0x10 | 0x01);  // a global table of 4 colours
  out += '\0';
  out += '\0';
  for (const Rgb8& c : palette) {
    for (std::uint8_t v : c) out += static_cast<char>(v);
  }
  constexpr unsigned kClear = 4, kEnd = 5;
  constexpr int kCodeWidth = 3;
  for (const auto& frame : frames) {
    out += ',';
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<unsigned>(width));
    Put16(out, static_cast<unsigned>(height));
    out += '\0';
    out += '\x02';  // the smallest code size
    GifCodeWriter codes;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        codes.Put(kClear, kCodeWidth);
        codes.Put(static_cast<unsigned>(frame(x, y)), kCodeWidth);
      }
    }
    codes.Put(kEnd, kCodeWidth);
    out += codes.Blocks();
  }
  return out + ';';
}

std::string JpegBytes(int width, int height, const PixelFunction& pixel) {
  std::vector<std::uint8_t> rgb;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (std::uint8_t c : pixel(x, y)) rgb.push_back(c);
    }
  }
  std::string out;
  stbi_write_jpg_to_func(
      [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                                   static_cast<std::size_t>(size));
      },
      &out, width, height, 3, rgb.data(), 95);
  return out;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  return ReplaceFile(path, bytes).empty();
}

}  // namespace qv::test
