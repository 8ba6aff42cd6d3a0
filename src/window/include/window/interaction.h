// The mouse on the drawing area: the zoom, move and rotate modes, the
// trackball drag and the spin that a rotation drag leaves behind.
//
// States, driven by Dragging:
//   Still    --drag step-->      Dragging
//   Dragging --release, rotate-> Spinning (one LastQuat turn per idle tick)
//   Dragging --release, zoom/move-> Still (full-quality rebuild)
//   any      --left press-->     Still
//
// The spin runs from the first release on the drawing area until the window
// closes, but it costs nothing while the scene is still: the widget layer asks
// for idle ticks only while WantsIdleTicks() is true and calls IdleStep() on
// each, so events are always handled before a spin step.
#pragma once

#include "platform/runtime.h"
#include "window/quat_ops.h"

namespace qv {

// The mouse buttons of a mouse event, as a mask.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;

// What the interaction needs of the window.
class InteractionHost {
 public:
  virtual ~InteractionHost() = default;
  // Rebuilds display list 900 from the current state (2 passes while Dragging).
  virtual void BuildScene() = 0;
  // Replays the list and swaps the buffers.
  virtual void Display() = 0;
  // Camera zoom by factor (ignored unless above 0) and pan by fractions of
  // the drawing area's width and height (x right, y up).
  virtual void ZoomCamera(double factor) = 0;
  virtual void MoveCamera(double dx, double dy) = 0;
  // Opens the drawing area's pop-up menu at (x, y) pixels.
  virtual void ShowGraphEditPopup(double x, double y) = 0;
  // The drawing area's size in pixels.
  virtual double DrawingWidth() const = 0;
  virtual double DrawingHeight() const = 0;
};

// The main window's mouse state, read by the scene building.
struct InteractionState {
  bool ZoomMode = false;
  bool MoveMode = false;
  bool RotateMode = false;
  // The scene building takes its rotation from CurQuat instead of the
  // group's roll, pitch and yaw.
  bool UseCurQuat = false;
  // A drag step has happened since the last press: 2-pass builds and the spin.
  bool Dragging = false;
  // Set when the window closes: no spin step runs after it.
  bool Closing = false;
  double LastX = 0.0;  // pixels of the drawing area
  double LastY = 0.0;
  double ZoomFactor = 1.0;
  Quat CurQuat = kIdentityQuat;
  // The increment of the last trackball step; all zero until the first.
  Quat LastQuat = {0.0F, 0.0F, 0.0F, 0.0F};
  // The idle spin has been started (by the first release).
  bool SpinStarted = false;
};

// The mode commands of the View menu.
enum class MouseModeCommand { Zoom, Move, Trackball, RotateX, RotateY, RotateZ };

class Interaction {
 public:
  // rotateAxis: the shared RotateAxis setting, written by the rotate modes and
  // read by the trackball.
  Interaction(InteractionHost& host, Long& rotateAxis) : host_(host), rotateAxis_(rotateAxis) {}

  InteractionState& State() { return state_; }
  const InteractionState& State() const { return state_; }

  // Start-up and the File commands: every mode off, zoom factor 1, CurQuat
  // identity. Does not stop the spin loop.
  void ResetModes();
  // Sets the flags of a View menu mode command; neither draws nor stops a spin.
  void SetMode(MouseModeCommand command);
  // Clears the three mode flags only (the documents' "clear mouse modes").
  void ClearModes();

  // Mouse events on the drawing area: button mask, position in pixels.
  void MouseDown(int button, double x, double y);
  void MouseMove(int button, double x, double y);
  void MouseUp(int button, double x, double y);

  // True while the idle spin applies its steps: the spin has started (first
  // release), a drag or spin is active (Dragging) and the window is not closing.
  bool SpinActive() const;
  // True while an idle tick would change the picture: the spin is active, the
  // scene turns by CurQuat and the last increment is a real rotation. A spin
  // by the identity, or one after a preset view, redraws an unchanged scene,
  // so the widget layer need not tick for it and the program stays idle.
  bool WantsIdleTicks() const;
  // One turn of the idle spin: a RefreshScene while SpinActive().
  void IdleStep();
  // Sets Closing and clears Dragging: no further spin step runs.
  void Close();

 private:
  // One spin step: CurQuat := LastQuat then CurQuat; rebuild and draw.
  void RefreshScene();
  bool AreaUsable() const;

  InteractionHost& host_;
  Long& rotateAxis_;
  InteractionState state_;
};

}  // namespace qv
