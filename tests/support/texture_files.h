// Image files for the texture tests, made in the test: BMP (24-bit, bottom-
// up or top-down), the raw "MOT" format, GIF (one or more frames) and JPG.
// A picture is given by its size and the colour of pixel (x, y), y counted
// from the top as the picture is seen.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv::test {

using Rgb8 = std::array<std::uint8_t, 3>;
using PixelFunction = std::function<Rgb8(int x, int y)>;

// A 24-bit BMP; rows bottom-up, each padded to 4 bytes (top-down with a
// negative height when topDown).
std::string BmpBytes(int width, int height, const PixelFunction& pixel, bool topDown = false);
// A raw "MOT" texture: the two sizes, then the rows bottom-up.
std::string RawTextureBytes(int width, int height, const PixelFunction& pixel);
// A GIF of the given frames, each as large as the picture, drawn with the
// colours of a four-colour palette (frame f's pixel (x, y) is
// palette[frames[f](x, y)]).
std::string GifBytes(int width, int height, const std::array<Rgb8, 4>& palette,
                     const std::vector<std::function<int(int x, int y)>>& frames);
// A baseline JPG of quality 95.
std::string JpegBytes(int width, int height, const PixelFunction& pixel);

// Writes bytes to path (the folders must exist); false when that failed.
bool WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace qv::test
