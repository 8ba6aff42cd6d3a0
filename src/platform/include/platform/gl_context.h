// The OpenGL context behind one interface. The window's implementation sits
// on a wxGLCanvas (platform/wx); the offscreen one on OSMesa
// (platform/osmesa), used by tests and benchmarks.
#pragma once

#include <stdexcept>
#include <vector>

#include "platform/rgba_image.h"

namespace qv {

// Thrown when a context cannot be made.
class GlContextError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class GlContext {
 public:
  virtual ~GlContext() = default;
  // Makes the context current on this thread. Returns false when that fails.
  virtual bool MakeCurrent() = 0;
  // Shows the back buffer (the offscreen context finishes its drawing instead).
  virtual void SwapBuffers() = 0;
  // Size of the drawing surface in pixels.
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Reads the buffer drawing goes to (the back buffer of a double-buffered
  // context) as RGBA, rows bottom-up. Needs the context current.
  virtual RgbaImage ReadPixels() = 0;
};

// Reads width x height RGBA pixels from the current read buffer, rows bottom-up.
RgbaImage ReadGlPixels(int width, int height);
// Reads width x height depths (0 near .. 1 far) from the depth buffer, rows
// bottom-up; GL reports an error when there is none.
std::vector<float> ReadGlDepth(int width, int height);

// Sets what Mesa needs before the first window context is made, leaving any
// value the user has set alone: MESA_EXTENSION_OVERRIDE=-GL_EXT_framebuffer_sRGB
// (otherwise the window's accumulation buffer averages in sRGB and a half
// covered edge reads 188 instead of 127) and GDK_BACKEND=x11 (GLX contexts).
void PrepareGlEnvironment();

}  // namespace qv
