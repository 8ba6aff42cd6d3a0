#include "platform/wx/window_gl_context.h"

#include <GL/gl.h>

#include <cmath>

namespace qv {

namespace {

wxGLAttributes FormatAttributes(bool accum) {
  wxGLAttributes attrs;
  attrs.PlatformDefaults().RGBA().DoubleBuffer().MinRGBA(8, 8, 8, 0).Depth(16);
  if (accum) attrs.MinAcumRGBA(16, 16, 16, 0);
  attrs.EndList();
  return attrs;
}

bool AccumulationSupported() { return wxGLCanvas::IsDisplaySupported(FormatAttributes(true)); }

}  // namespace

GlCanvas::GlCanvas(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : GlCanvas(parent, id, pos, size, AccumulationSupported()) {}

GlCanvas::GlCanvas(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                   bool accum)
    : wxGLCanvas(parent, FormatAttributes(accum), id, pos, size, wxFULL_REPAINT_ON_RESIZE),
      hasAccumulation_(accum) {}

WindowGlContext::WindowGlContext(GlCanvas& canvas)
    : canvas_(canvas), context_(std::make_unique<wxGLContext>(&canvas)) {
  if (!context_->IsOK()) throw GlContextError("the window's GL context could not be made");
}

WindowGlContext::~WindowGlContext() = default;

bool WindowGlContext::MakeCurrent() {
  if (!canvas_.IsShownOnScreen()) return false;
  return canvas_.SetCurrent(*context_);
}

void WindowGlContext::SwapBuffers() { canvas_.SwapBuffers(); }

int WindowGlContext::Width() const {
  return static_cast<int>(std::lround(canvas_.GetClientSize().x * canvas_.GetContentScaleFactor()));
}

int WindowGlContext::Height() const {
  return static_cast<int>(std::lround(canvas_.GetClientSize().y * canvas_.GetContentScaleFactor()));
}

RgbaImage WindowGlContext::ReadPixels() {
  glFinish();
  glReadBuffer(GL_BACK);
  return ReadGlPixels(Width(), Height());
}

}  // namespace qv
