// An RGBA picture read back from a GL context: 4 bytes a pixel, rows
// bottom-up as glReadPixels and OSMesa give them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

struct RgbaImage {
  int width = 0;
  int height = 0;
  // width * height * 4 bytes; row 0 is the bottom row.
  std::vector<std::uint8_t> pixels;

  // The pixel at column x, row y counted from the bottom. Out of range gives
  // an out_of_range exception.
  std::array<std::uint8_t, 4> At(int x, int y) const;
};

// Writes image as a PNG file (flipped to top-down, as PNG wants it), for
// looking at test output. Returns false when the file cannot be written.
bool WritePng(const std::string& path, const RgbaImage& image);

}  // namespace qv
