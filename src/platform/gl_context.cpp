#include "platform/gl_context.h"

#include <GL/gl.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace qv {

namespace {

// width x height pixels of format and type from the lower left corner, rows
// bottom-up and packed tight, whatever the pixel store held before.
template <typename T>
std::vector<T> ReadTight(int width, int height, GLenum format, GLenum type, std::size_t perPixel) {
  std::vector<T> values(
      static_cast<std::size_t>(width > 0 ? width : 0) * (height > 0 ? height : 0) * perPixel, T{});
  if (values.empty()) return values;
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glReadPixels(0, 0, width, height, format, type, values.data());
  glPopClientAttrib();
  return values;
}

}  // namespace

RgbaImage ReadGlPixels(int width, int height) {
  RgbaImage image;
  image.width = width > 0 ? width : 0;
  image.height = height > 0 ? height : 0;
  image.pixels = ReadTight<std::uint8_t>(width, height, GL_RGBA, GL_UNSIGNED_BYTE, 4);
  return image;
}

std::vector<float> ReadGlDepth(int width, int height) {
  return ReadTight<float>(width, height, GL_DEPTH_COMPONENT, GL_FLOAT, 1);
}

void PrepareGlEnvironment() {
  // The last argument 0 keeps a value already set.
  setenv("MESA_EXTENSION_OVERRIDE", "-GL_EXT_framebuffer_sRGB", 0);
  setenv("GDK_BACKEND", "x11", 0);
}

}  // namespace qv
