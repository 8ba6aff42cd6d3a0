// The window's GL context: a wxGLCanvas with a double-buffered RGBA format,
// a depth buffer and a 16-bit-per-channel accumulation buffer (the scene's
// anti-aliasing passes accumulate into it), behind the GlContext interface.
//
// Call PrepareGlEnvironment() (platform/gl_context.h) before the first canvas
// is made.
#pragma once

#include <memory>

#include <wx/glcanvas.h>

#include "platform/gl_context.h"

namespace qv {

// The canvas the window draws on. It asks for an accumulation buffer and
// falls back to a format without one (anti-aliasing then has no effect)
// where the display offers none.
class GlCanvas : public wxGLCanvas {
 public:
  GlCanvas(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
           const wxSize& size = wxDefaultSize);
  // Whether the chosen format carries the accumulation buffer.
  bool HasAccumulation() const { return hasAccumulation_; }

 private:
  GlCanvas(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, bool accum);
  bool hasAccumulation_;
};

// One context made on a canvas. The canvas must outlive it.
class WindowGlContext final : public GlContext {
 public:
  explicit WindowGlContext(GlCanvas& canvas);
  ~WindowGlContext() override;
  WindowGlContext(const WindowGlContext&) = delete;
  WindowGlContext& operator=(const WindowGlContext&) = delete;

  // Fails (returns false) while the canvas is not shown on screen.
  bool MakeCurrent() override;
  void SwapBuffers() override;
  // Client size in device pixels (the content scale factor applied).
  int Width() const override;
  int Height() const override;
  // Reads the back buffer, which drawing goes to.
  RgbaImage ReadPixels() override;

 private:
  GlCanvas& canvas_;
  std::unique_ptr<wxGLContext> context_;
};

}  // namespace qv
