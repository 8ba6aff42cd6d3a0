#include "documents/window_capture.h"

#include <GL/gl.h>

namespace qv {
namespace {

RgbImage ReadPixelsFrom(GLenum buffer, bool chooseBuffer, int width, int height) {
  RgbImage image;
  if (width <= 0 || height <= 0) return image;
  while (glGetError() != GL_NO_ERROR) {
  }
  GLint oldBuffer = 0;
  GLint oldAlignment = 4;
  glGetIntegerv(GL_READ_BUFFER, &oldBuffer);
  glGetIntegerv(GL_PACK_ALIGNMENT, &oldAlignment);
  if (chooseBuffer) glReadBuffer(buffer);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  image.rgb.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, image.rgb.data());
  const bool failed = glGetError() != GL_NO_ERROR;
  glPixelStorei(GL_PACK_ALIGNMENT, oldAlignment);
  if (chooseBuffer) glReadBuffer(static_cast<GLenum>(oldBuffer));
  if (failed) return RgbImage{};
  image.width = width;
  image.height = height;
  return image;
}

}  // namespace

RgbImage CaptureBackBuffer(int width, int height) {
  GLboolean doubleBuffered = GL_FALSE;
  glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
  return ReadPixelsFrom(doubleBuffered ? GL_BACK : GL_FRONT, true, width, height);
}

RgbImage ReadFrameBuffer(int width, int height) {
  return ReadPixelsFrom(GL_NONE, false, width, height);
}

void CurrentViewportSize(int& width, int& height) {
  GLint viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, viewport);
  if (glGetError() != GL_NO_ERROR) viewport[2] = viewport[3] = 0;
  width = viewport[2];
  height = viewport[3];
}

}  // namespace qv
