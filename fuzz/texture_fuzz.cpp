// Any bytes read as a raw texture, and any that begin like a BMP read as a
// picture, must neither crash nor read outside the input, and an image
// they give must have the pixels its sizes say.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "texture.h"

namespace {

void Check(const qv::ImageRead& read) {
  if (!read.image) {
    if (read.problem.empty()) std::abort();
    return;
  }
  const qv::TextureImage& image = *read.image;
  if (image.width < 1 || image.height < 1 || image.width > qv::kMaxImageSide ||
      image.height > qv::kMaxImageSide) {
    std::abort();
  }
  if (image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  Check(qv::DecodeRawTexture(bytes));
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') Check(qv::DecodePicture(bytes));
  return 0;
}
