// A picture read from the frame buffer: 8-bit red, green and blue per pixel,
// rows bottom-up as OpenGL returns them, tightly packed (3 bytes a pixel, no
// row padding).
#pragma once

#include <cstdint>
#include <vector>

namespace qv {

struct RgbImage {
  int width = 0;                  // pixels
  int height = 0;                 // pixels
  std::vector<std::uint8_t> rgb;  // width * height * 3 bytes, row 0 at the bottom

  bool Empty() const { return width <= 0 || height <= 0; }
};

}  // namespace qv
