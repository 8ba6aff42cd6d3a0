#include "platform/osmesa/offscreen_context.h"

#include <GL/osmesa.h>

#include <string>

namespace qv {

OffscreenContext::OffscreenContext(int width, int height) : width_(width), height_(height) {
  if (width <= 0 || height <= 0) {
    throw GlContextError("offscreen context size " + std::to_string(width) + "x" +
                         std::to_string(height) + " is not positive");
  }
  const int attribs[] = {OSMESA_FORMAT,
                         OSMESA_RGBA,
                         OSMESA_DEPTH_BITS,
                         16,
                         OSMESA_ACCUM_BITS,
                         16,
                         OSMESA_PROFILE,
                         OSMESA_COMPAT_PROFILE,
                         0};
  OSMesaContext ctx = OSMesaCreateContextAttribs(attribs, nullptr);
  if (ctx == nullptr) ctx = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 16, nullptr);
  if (ctx == nullptr) throw GlContextError("OSMesa could not make a context");
  context_ = ctx;
  buffer_.assign(static_cast<std::size_t>(width) * height * 4, 0);
  if (!MakeCurrent()) {
    OSMesaDestroyContext(ctx);
    context_ = nullptr;
    throw GlContextError("OSMesa could not make the context current");
  }
}

OffscreenContext::~OffscreenContext() {
  if (context_ != nullptr) OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
}

bool OffscreenContext::MakeCurrent() {
  return OSMesaMakeCurrent(static_cast<OSMesaContext>(context_), buffer_.data(), GL_UNSIGNED_BYTE,
                           width_, height_) == GL_TRUE;
}

void OffscreenContext::SwapBuffers() { glFinish(); }

RgbaImage OffscreenContext::ReadPixels() {
  glFinish();
  return ReadGlPixels(width_, height_);
}

}  // namespace qv
