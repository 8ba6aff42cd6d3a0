#include "scene/color.h"

#include <GL/gl.h>

namespace qv {

GlColor SplitColor(Long color) {
  const double packed = color;
  const double b = Fix(packed / 65536.0);
  const double g = Fix((packed - 65536.0 * b) / 256.0);
  const double r = packed - 65536.0 * b - 256.0 * g;
  return {r / 255.0, g / 255.0, b / 255.0};
}

void SplitColor(Long color, double& red, double& green, double& blue) {
  const GlColor c = SplitColor(color);
  red = c.r;
  green = c.g;
  blue = c.b;
}

void SetGlColor(Long color) {
  const GlColor c = SplitColor(color);
  glColor3d(c.r, c.g, c.b);
}

}  // namespace qv
