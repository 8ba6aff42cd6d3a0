#include "wx_image.h"

#include <cstring>

namespace qv {

wxImage ImageOf(const RgbaImage& picture) {
  wxImage image(picture.width, picture.height, false);
  unsigned char* rgb = image.GetData();
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* row = picture.pixels.data() +
                              static_cast<std::size_t>(picture.height - 1 - y) * picture.width * 4;
    for (int x = 0; x < picture.width; ++x) {
      std::memcpy(rgb + (static_cast<std::size_t>(y) * picture.width + x) * 3,
                  row + static_cast<std::size_t>(x) * 4, 3);
    }
  }
  return image;
}

}  // namespace qv
