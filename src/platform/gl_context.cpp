#include "platform/gl_context.h"

#include <GL/gl.h>

#include <cstdlib>

namespace qv {

RgbaImage ReadGlPixels(int width, int height) {
  RgbaImage image;
  image.width = width > 0 ? width : 0;
  image.height = height > 0 ? height : 0;
  image.pixels.assign(static_cast<std::size_t>(image.width) * image.height * 4, 0);
  if (image.pixels.empty()) return image;
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glReadPixels(0, 0, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.data());
  glPopClientAttrib();
  return image;
}

void PrepareGlEnvironment() {
  // The last argument 0 keeps a value already set.
  setenv("MESA_EXTENSION_OVERRIDE", "-GL_EXT_framebuffer_sRGB", 0);
  setenv("GDK_BACKEND", "x11", 0);
}

}  // namespace qv
