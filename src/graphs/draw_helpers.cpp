#include "draw_helpers.h"

#include <algorithm>

#include "scene/point_marker.h"

namespace qv {

Turn2D::Turn2D(const SharedSettings& settings, bool wanted)
    : turned_(wanted && settings.ViewCode == kViewCode2D) {
  if (!turned_) return;
  // Column-major: scene x goes to y, y to z, z to x.
  static constexpr GLdouble kTurn[16] = {0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1};
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glMultMatrixd(kTurn);
}

Turn2D::~Turn2D() {
  if (!turned_) return;
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

GraphBounds DrawingBounds(const GraphBounds& b, const SharedSettings& settings) {
  if (settings.ViewCode != kViewCode2D) return b;
  GraphBounds d = b;
  d.maxX = b.maxY;
  d.minX = b.minY;
  d.maxY = b.maxZ;
  d.minY = b.minZ;
  d.maxZ = b.maxX;
  d.minZ = b.minX;
  return d;
}

GLfloat WidthOf(Long width) { return static_cast<GLfloat>(std::max<Long>(width, 1)); }

void PutCentred(const SharedSettings& settings, const ScenePoint& p) {
  glVertex3d(p.x - settings.CenterY, p.y - settings.CenterZ, p.z - settings.CenterX);
}

void BeginSmoothLines() {
  glDisable(GL_LIGHTING);
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
}

void EndLineState() {
  glDisable(GL_LINE_SMOOTH);
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
}

void DrawDataPointMarker(const SharedSettings& settings, double x, double y, double z) {
  PointMarker marker;
  marker.init(x, y, z, RGB(255, 255, 0), 4.0, 0);
  marker.Draw(settings);
}

}  // namespace qv
