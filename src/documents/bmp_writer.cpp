#include "bmp_writer.h"

#include <algorithm>
#include <cstdint>

#include "documents/window_capture.h"
#include "platform/file_replace.h"

namespace qv {
namespace {

constexpr std::uint32_t kHeaderBytes = 54;

void PutU16(std::string& out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<char>(v & 0xFF);
  out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void PutU32(std::string& out, std::size_t at, std::uint32_t v) {
  PutU16(out, at, v & 0xFFFF);
  PutU16(out, at + 2, v >> 16);
}

void WriteHeaders(std::string& out, Long width, Long height, std::uint32_t imageBytes) {
  out[0] = 'B';
  out[1] = 'M';
  PutU32(out, 2, kHeaderBytes + imageBytes);
  PutU32(out, 10, kHeaderBytes);
  PutU32(out, 14, 40);
  PutU32(out, 18, static_cast<std::uint32_t>(width));
  PutU32(out, 22, static_cast<std::uint32_t>(height));
  PutU16(out, 26, 1);
  PutU16(out, 28, 24);
  PutU32(out, 34, imageBytes);
}

void CopyRows(const RgbImage& source, Long width, Long height, Long stride, std::string& out) {
  const Long rows = std::min<Long>(height, source.height);
  const Long columns = std::min<Long>(width, source.width);
  for (Long row = 0; row < rows; ++row) {
    const std::uint8_t* from = source.rgb.data() + static_cast<std::size_t>(row) * source.width * 3;
    char* to = out.data() + kHeaderBytes + static_cast<std::size_t>(row) * stride;
    for (Long column = 0; column < columns; ++column) {
      to[3 * column] = static_cast<char>(from[3 * column + 2]);
      to[3 * column + 1] = static_cast<char>(from[3 * column + 1]);
      to[3 * column + 2] = static_cast<char>(from[3 * column]);
    }
  }
}

}  // namespace

Long BmpStride(Long width) {
  const Long bytes = 3 * width;
  return bytes % 4 == 0 ? bytes : bytes + (4 - bytes % 4);
}

std::string EncodeBmp(const RgbImage& source, Long width, Long height) {
  if (width < 1 || height < 1 || width > 0x7FFFFFFF / 3 - 4) return "";
  const std::uint64_t imageBytes =
      static_cast<std::uint64_t>(BmpStride(width)) * static_cast<std::uint64_t>(height);
  if (imageBytes > 0xFFFFFFFFull - kHeaderBytes) return "";
  std::string out(kHeaderBytes + static_cast<std::size_t>(imageBytes), '\0');
  WriteHeaders(out, width, height, static_cast<std::uint32_t>(imageBytes));
  const bool sourceSound =
      source.width > 0 && source.height > 0 &&
      source.rgb.size() >= static_cast<std::size_t>(source.width) * source.height * 3;
  if (sourceSound) CopyRows(source, width, height, BmpStride(width), out);
  return out;
}

std::string SaveGLBitmap(const std::string& path, Long lastColumn, Long height,
                         const RgbImage& source) {
  // Without pixels the file would be a black picture that looks like a scene.
  if (source.Empty()) return "the picture is empty";
  const Long width = lastColumn < 0x7FFFFFFF ? lastColumn + 1 : lastColumn;
  const std::string bytes = EncodeBmp(source, width, height);
  if (bytes.empty()) return "the picture is empty";
  return ReplaceFile(path, bytes);
}

std::string SaveGLBitmap(const std::string& path, Long lastColumn, Long height) {
  int drawableWidth = 0;
  int drawableHeight = 0;
  CurrentViewportSize(drawableWidth, drawableHeight);
  const Long width = lastColumn < 0x7FFFFFFF ? lastColumn + 1 : lastColumn;
  const RgbImage source =
      ReadFrameBuffer(std::min<Long>(width, drawableWidth), std::min<Long>(height, drawableHeight));
  return SaveGLBitmap(path, lastColumn, height, source);
}

}  // namespace qv
