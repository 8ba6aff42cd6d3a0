// The view settings dialog ("View Setting"): the camera's projection and the
// six view bounds, which are shown and set only here and are not saved.
#pragma once

#include <array>
#include <string>

#include "platform/message_box.h"
#include "scene/camera.h"

namespace qv {

class ViewDialogModel {
 public:
  static constexpr const char* kCaption = "View Setting";
  // The labels of the bound boxes, in box order.
  static constexpr std::array<const char*, 6> kLabels = {"Min x", "Max x", "Min y",
                                                         "Max y", "Min z", "Max z"};

  // bounds holds ViewMinX, ViewMaxX, ViewMinY, ViewMaxY, ViewMinZ, ViewMaxZ.
  // camera, bounds and messages must outlive the model.
  ViewDialogModel(Camera& camera, std::array<double, 6>& bounds, MessageBoxService& messages);

  const char* Caption() const { return kCaption; }

  // "Ortho" (false) or "Perspective" (true).
  bool perspective = false;
  std::array<std::string, 6> texts;

  // OK: cleans each box by ParseRealText in turn, writing the cleaned text
  // back. A refused box, or a number beyond a Double, shows "Illegal data
  // exist." and returns false with nothing stored (the dialog stays open).
  // Otherwise sets the projection type and the six bounds (no order between
  // a minimum and its maximum is required) and returns true.
  bool Ok();

 private:
  Camera& camera_;
  std::array<double, 6>& bounds_;
  MessageBoxService& messages_;
};

}  // namespace qv
