// The offscreen GL context: OSMesa with an RGBA colour buffer, 16 depth bits
// and a 16-bit accumulation buffer, in a compatibility profile so that the
// GL 1.1 calls work. Tests and benchmarks draw into it:
//
//   qv::OffscreenContext ctx(256, 256);   // made current at once
//   ... draw ...
//   qv::RgbaImage image = ctx.ReadPixels();  // rows bottom-up
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gl_context.h"

namespace qv {

class OffscreenContext final : public GlContext {
 public:
  // Makes the context and its buffer and makes it current. Throws
  // GlContextError when OSMesa cannot make the context (or the size is not
  // positive).
  OffscreenContext(int width, int height);
  ~OffscreenContext() override;
  OffscreenContext(const OffscreenContext&) = delete;
  OffscreenContext& operator=(const OffscreenContext&) = delete;

  bool MakeCurrent() override;
  // Finishes the drawing: the buffer is single, there is nothing to swap.
  void SwapBuffers() override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  RgbaImage ReadPixels() override;

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> buffer_;
  void* context_ = nullptr;  // OSMesaContext, kept opaque here.
};

}  // namespace qv
