#include "platform/rgba_image.h"

#include <stdexcept>

// Local copy of the writer's implementation, kept static so that another
// library that embeds it too cannot clash with ours.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace qv {

std::array<std::uint8_t, 4> RgbaImage::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) {
    throw std::out_of_range("pixel " + std::to_string(x) + "," + std::to_string(y) + " outside " +
                            std::to_string(width) + "x" + std::to_string(height));
  }
  const std::size_t offset = (static_cast<std::size_t>(y) * width + x) * 4;
  return {pixels[offset], pixels[offset + 1], pixels[offset + 2], pixels[offset + 3]};
}

bool WritePng(const std::string& path, const RgbaImage& image) {
  if (image.width <= 0 || image.height <= 0) return false;
  const int stride = image.width * 4;
  // A negative stride from the last row writes the rows top-down.
  const std::uint8_t* lastRow =
      image.pixels.data() + static_cast<std::size_t>(image.height - 1) * stride;
  stbi_flip_vertically_on_write(0);
  return stbi_write_png(path.c_str(), image.width, image.height, 4, lastRow, -stride) != 0;
}

}  // namespace qv
