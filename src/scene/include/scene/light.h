// The scene light: two lights (the main one and one opposite it) and the
// light model, applied to the current GL context by SetLight. Values are
// single precision, as GL takes them.
#pragma once

#include "platform/checked_array.h"

namespace qv {

class Light {
 public:
  Light();

  // Indexed fields: an index outside the bounds throws
  // RuntimeError(kSubscriptOutOfRange).
  // Two-sided lighting: 0 off, any other value on.
  FixedTable<float, 0, 0> TwoSides;
  // Ambient colour of the light model; the default is (1, 0, 0, 0).
  FixedTable<float, 0, 3> GlobalAmbient;
  // Position of the main light (X, Y, Z, W).
  FixedTable<float, 0, 3> Position;
  FixedTable<float, 0, 3> Diffuse;
  // Ambient colour of the lights.
  FixedTable<float, 0, 3> Amission;
  FixedTable<float, 0, 3> Specular;
  bool Enabled = true;

  // Applies the light. Disabled: turns lighting and both lights off and sets
  // nothing else. Enabled: GL_LIGHT0 at Position, GL_LIGHT1 at
  // (-Position[0], -Position[0], -Position[0], 1) with the same colours, the
  // light model's ambient and two-sidedness, then enables lighting and both
  // lights. Needs a current context.
  void SetLight() const;
};

}  // namespace qv
