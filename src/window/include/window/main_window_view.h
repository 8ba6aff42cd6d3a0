// What the main window's logic asks of its widgets: the drawing context, the
// pop-up menus, repaints and closing. The wx frame implements it; the tests of
// the logic use a fake with an offscreen context (or none).
#pragma once

#include <string>

#include "platform/gl_context.h"

namespace qv {

// The pop-up menus of the main window.
enum class PopupMenu {
  GraphEdit,  // over the drawing area
  FunEdit,    // over the graph list
  SheetEdit,  // over the data cells of the sheet (mnuGE)
};

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  // The drawing area's context, or nullptr while there is none (no display,
  // a failed pixel format, or after shut-down released it).
  virtual GlContext* DrawingContext() = 0;
  // Size of the drawing area in pixels.
  virtual int DrawingWidth() const = 0;
  virtual int DrawingHeight() const = 0;
  // Shows a pop-up menu at (x, y), pixels of the control it belongs to.
  virtual void ShowPopup(PopupMenu menu, double x, double y) = 0;
  // The panel, the sheet, the graph list or the enable states changed: the
  // widgets show the models again.
  virtual void ModelsChanged() = 0;
  // Repaints the whole window.
  virtual void RepaintWindow() = 0;
  // Closes the main window (its close handler then runs, which may refuse).
  virtual void CloseWindow() = 0;
  // As CloseWindow, once the command that runs now has returned.
  virtual void CloseWindowLater() { CloseWindow(); }
  // The spin wants idle ticks (true) or needs none (false). While it wants
  // them, the widget layer calls MainWindowCore::IdleTick once per idle
  // event or timer tick, after the pending events; while it needs none it
  // asks for no idle events at all, so a still window costs no CPU. Called
  // after every event that may change the answer, often with the same value.
  virtual void SetIdleTicksWanted(bool wanted) = 0;
  // Long work (gridding the data) begins (true) or has ended (false): the
  // widget layer shows that the window is busy meanwhile.
  virtual void ShowBusy(bool /*busy*/) {}
  // Long work runs (true) or has ended (false): the widget layer keeps the
  // data panel and the sheet from being edited meanwhile.
  virtual void ShowLongWork(bool /*running*/) {}
  // Shows a short note in the status bar (Windows-1252 text): what went
  // wrong while the scene was made (a texture that could not be used),
  // without stopping the user with a message box. Shows nothing by default.
  virtual void ShowStatusText(const std::string& /*text*/) {}
};

}  // namespace qv
