#include "scene/cls2_point_marker.h"

#include <GL/gl.h>

#include "scene/color.h"

namespace qv {

void Cls2::init(double px, double py, double pz, Long color, double markerSize, Long symbol) {
  x = px;
  y = py;
  z = pz;
  Color = color;
  size = markerSize;
  Symbol = symbol;
}

void Cls2::Draw(const SharedSettings& settings) const {
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_POINT_BIT | GL_COLOR_BUFFER_BIT);
  glDisable(GL_LIGHTING);
  const bool square = Symbol == static_cast<Long>(MarkerSymbol::Square);
  if (square) {
    glDisable(GL_POINT_SMOOTH);
  } else {
    // A smooth point is round only when its coverage is blended.
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
  const double across = 2.0 + 2.0 * (size > 0.0 ? size : 0.0);
  glPointSize(static_cast<GLfloat>(across));
  SetGlColor(Color);
  glBegin(GL_POINTS);
  glVertex3d(x - settings.CenterY, y - settings.CenterZ, z - settings.CenterX);
  glEnd();
  glPopAttrib();
}

}  // namespace qv
