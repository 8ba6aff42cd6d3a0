// Packed colours: a Long R + 256*G + 65536*B, as stored in graphs, the axis
// system and records, split into the 0..1 components OpenGL takes.
#pragma once

#include "platform/runtime.h"

namespace qv {

struct GlColor {
  double r = 0.0;
  double g = 0.0;
  double b = 0.0;
};

// B = Fix(color / 65536), G = Fix((color - 65536*B) / 256),
// R = color - 65536*B - 256*G; each divided by 255.
GlColor SplitColor(Long color);
// The same, into three out-arguments.
void SplitColor(Long color, double& red, double& green, double& blue);
// Packs 0..255 components.
constexpr Long RGB(Long red, Long green, Long blue) { return red + 256 * green + 65536 * blue; }
// Sets the current GL colour (glColor3d) from a packed colour.
void SetGlColor(Long color);

}  // namespace qv
