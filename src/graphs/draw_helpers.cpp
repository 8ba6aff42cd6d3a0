#include "draw_helpers.h"

#include <algorithm>

#include "scene/point_marker.h"

namespace qv {

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
