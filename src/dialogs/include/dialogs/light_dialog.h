// The light dialog ("Light Properties"): the scene light's switches and its
// position and colours, one box per component.
#pragma once

#include <array>
#include <string>

#include "platform/message_box.h"
#include "scene/light.h"

namespace qv {

class LightDialogModel {
 public:
  static constexpr const char* kCaption = "Light Properties";
  // The frames of the boxes, four components each, in box order.
  static constexpr std::array<const char*, 4> kFrames = {
      "Light Position", "Diffuse light color", "Ambient light color", "Specular light color"};

  // Fills the controls from light; light and messages must outlive the model.
  LightDialogModel(Light& light, MessageBoxService& messages);

  const char* Caption() const { return kCaption; }

  bool lighting = true;        // " Lighting": Enabled
  bool twoSides = false;       // " Two sides": TwoSides(0) not 0
  bool globalAmbient = false;  // "Global ambient light": GlobalAmbient(0) not 0
  // Position(0..3), Diffuse(0..3), Amission(0..3), Specular(0..3).
  std::array<std::string, 16> values;

  // OK: each box is read by its leading number ("." the decimal sign, 0 when
  // there is none). A number beyond a Single shows "Illegal data exist." and
  // returns false with nothing written. Otherwise writes the switches and the
  // sixteen components and returns true.
  bool Ok();

 private:
  Light& light_;
  MessageBoxService& messages_;
};

}  // namespace qv
