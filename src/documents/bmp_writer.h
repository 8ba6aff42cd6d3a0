// Uncompressed 24-bit Windows BMP pictures of the scene.
//
//   offset  0  "BM", file size 54 + S*H, 0, 0, pixel offset 54
//   offset 14  info header: 40, W, H (bottom row first), 1 plane, 24 bits,
//              no compression, image size S*H, then four zeros
//   offset 54  H rows of W blue-green-red pixels, each row padded with
//              zero bytes to S = 3W rounded up to a multiple of 4
#pragma once

#include <string>

#include "documents/rgb_image.h"
#include "platform/runtime.h"

namespace qv {

// Bytes of one BMP row of width pixels: 3 * width rounded up to a multiple of 4.
Long BmpStride(Long width);

// The BMP file of a width x height picture. Pixels inside source (rows
// bottom-up, as GL reads them) are copied; pixels beyond its width or height
// stay black, so a stated size larger than the drawable never reads outside
// it. Returns "" for a width or height below 1, or a picture too large for
// the format's 32-bit sizes.
std::string EncodeBmp(const RgbImage& source, Long width, Long height);

// Writes the picture of source as a BMP file of (lastColumn + 1) x height
// pixels at path, replacing any file there. Returns "" on success, otherwise
// the reason (an empty source or size, or the file could not be written).
std::string SaveGLBitmap(const std::string& path, Long lastColumn, Long height,
                         const RgbImage& source);

// As above, reading the picture from the current GL context's read buffer,
// within the current viewport.
std::string SaveGLBitmap(const std::string& path, Long lastColumn, Long height);

}  // namespace qv
