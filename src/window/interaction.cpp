#include "window/interaction.h"

namespace qv {

void Interaction::ResetModes() {
  state_.ZoomMode = false;
  state_.MoveMode = false;
  state_.RotateMode = false;
  state_.UseCurQuat = false;
  state_.ZoomFactor = 1.0;
  state_.CurQuat = kIdentityQuat;
}

void Interaction::ClearModes() {
  state_.ZoomMode = false;
  state_.MoveMode = false;
  state_.RotateMode = false;
}

void Interaction::SetMode(MouseModeCommand command) {
  state_.ZoomMode = command == MouseModeCommand::Zoom;
  state_.MoveMode = command == MouseModeCommand::Move;
  state_.RotateMode = !state_.ZoomMode && !state_.MoveMode;
  switch (command) {
    case MouseModeCommand::Zoom:
    case MouseModeCommand::Move: break;
    case MouseModeCommand::Trackball: rotateAxis_ = 1; break;
    case MouseModeCommand::RotateX: rotateAxis_ = 2; break;
    case MouseModeCommand::RotateY: rotateAxis_ = 3; break;
    case MouseModeCommand::RotateZ: rotateAxis_ = 4; break;
  }
}

void Interaction::MouseDown(int button, double x, double y) {
  if (button == kLeftButton) {
    state_.LastX = x;
    state_.LastY = y;
    // Clearing Dragging first is what stops a spin and restores 8 passes.
    state_.Dragging = false;
    host_.BuildScene();
    host_.Display();
  } else if (button == kRightButton) {
    host_.ShowGraphEditPopup(x, y);
  }
}

bool Interaction::AreaUsable() const {
  // A drag step divides by both sizes; an area without pixels would leave
  // NaN or infinity in the camera or the rotation.
  return host_.DrawingWidth() > 0.0 && host_.DrawingHeight() > 0.0;
}

void Interaction::MouseMove(int button, double x, double y) {
  if (button != kLeftButton || !AreaUsable()) return;
  const double w = host_.DrawingWidth();
  const double h = host_.DrawingHeight();
  if (state_.ZoomMode) {
    state_.ZoomFactor = 1.0 - (state_.LastY - y) / h;
    state_.LastX = x;
    state_.LastY = y;
    host_.ZoomCamera(state_.ZoomFactor);
    state_.Dragging = true;
    host_.BuildScene();
    host_.Display();
  }
  if (state_.RotateMode) {
    const double p1x = (2.0 * state_.LastX - w) / w;
    const double p1y = (h - 2.0 * state_.LastY) / h;
    const double p2x = (2.0 * x - w) / w;
    const double p2y = (h - 2.0 * y) / h;
    state_.LastQuat = TrackballQuat(rotateAxis_, p1x, p1y, p2x, p2y);
    state_.UseCurQuat = true;
    state_.Dragging = true;
    RefreshScene();
    state_.LastX = x;
    state_.LastY = y;
  }
  if (state_.MoveMode) {
    const double dx = (x - state_.LastX) / w;
    const double dy = (state_.LastY - y) / h;
    host_.MoveCamera(dx, dy);
    state_.LastX = x;
    state_.LastY = y;
    state_.Dragging = true;
    host_.BuildScene();
    host_.Display();
  }
}

void Interaction::MouseUp(int button, double x, double y) {
  if (state_.ZoomMode || state_.MoveMode) {
    state_.Dragging = false;
    host_.BuildScene();
    host_.Display();
  }
  // After a rotation drag Dragging stays set: that is the spin.
  state_.SpinStarted = true;
}

bool Interaction::SpinActive() const {
  return state_.SpinStarted && state_.Dragging && !state_.Closing;
}

bool Interaction::WantsIdleTicks() const {
  return SpinActive() && state_.UseCurQuat && !IsZeroQuat(state_.LastQuat) &&
         state_.LastQuat != kIdentityQuat;
}

void Interaction::IdleStep() {
  if (SpinActive()) RefreshScene();
}

void Interaction::Close() {
  state_.Dragging = false;
  state_.Closing = true;
}

void Interaction::RefreshScene() {
  // A LastQuat never set by a trackball step is all zero; composing with it
  // would zero CurQuat for good, so such a step turns by nothing.
  if (!IsZeroQuat(state_.LastQuat)) state_.CurQuat = ComposeQuats(state_.LastQuat, state_.CurQuat);
  host_.BuildScene();
  host_.Display();
}

}  // namespace qv
