#include "scene/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "scene/scene_group.h"
#include "vector3.h"

namespace qv {

Camera::Camera() { EyePos.z = 1000.0; }

double Camera::VecUp(Long index) const {
  if (index < 0 || index > 2) throw RuntimeError(kSubscriptOutOfRange, "VecUp " + CStr(index));
  return vecUp_[index];
}

void Camera::SetVecUp(Long index, double value) {
  if (index < 0 || index > 2) throw RuntimeError(kSubscriptOutOfRange, "VecUp " + CStr(index));
  vecUp_[index] = value;
}

void Camera::GetViewRect(double& width, double& height) const {
  width = VolWidth;
  height = VolHeight;
}

void Camera::SetViewRect(double /*width*/, double height) {
  VolHeight = height;
  VolWidth = height * ScreenWidth / ScreenHeight;
}

void Camera::SetVecup(double x, double y, double z) { vecUp_ = {x, y, z}; }

void Camera::SetRef(double x, double y, double z) {
  RefPos.x = x;
  RefPos.y = y;
  RefPos.z = z;
}

void Camera::SetEye(double x, double y, double z) {
  EyePos.x = x;
  EyePos.y = y;
  EyePos.z = z;
}

void Camera::SetScreen(Long width, Long& height) {
  glViewport(0, 0, width, height);
  if (height == 0) height = 1;
  ScreenWidth = width;
  ScreenHeight = height;
}

void Camera::MoveView(double dx, double dy) {
  V3 f{RefPos.x - EyePos.x, RefPos.y - EyePos.y, RefPos.z - EyePos.z};
  const double len = Length(f);
  if (!(len > 0.0)) return;
  f = {f.x / len, f.y / len, f.z / len};
  const V3 s = Cross(f, {vecUp_[0], vecUp_[1], vecUp_[2]});
  const V3 u = Cross(s, f);
  const V3 offset{s.x * VolWidth * dx + u.x * VolHeight * dy,
                  s.y * VolWidth * dx + u.y * VolHeight * dy,
                  s.z * VolWidth * dx + u.z * VolHeight * dy};
  SetEye(EyePos.x - offset.x, EyePos.y - offset.y, EyePos.z - offset.z);
  SetRef(RefPos.x - offset.x, RefPos.y - offset.y, RefPos.z - offset.z);
}

void Camera::SetViewType(Long code) {
  V3 d{EyePos.x - RefPos.x, EyePos.y - RefPos.y, EyePos.z - RefPos.z};
  double dist = Length(d);
  if (dist == 0.0) dist = 50.0;
  if (dist > 30000.0) dist = 10000.0;
  const double k = dist / std::sqrt(3.0);
  switch (code) {
    case 1:
      SetEye(RefPos.x, RefPos.y, RefPos.z + dist);
      SetVecup(0, 1, 0);
      break;
    case 2:
      SetEye(RefPos.x, RefPos.y, RefPos.z - dist);
      SetVecup(0, 1, 0);
      break;
    case 3:
      SetEye(RefPos.x, RefPos.y + dist, RefPos.z);
      SetVecup(0, 0, 1);
      break;
    case 4:
      SetEye(RefPos.x, RefPos.y - dist, RefPos.z);
      SetVecup(0, 0, 1);
      break;
    case 5:
      SetEye(RefPos.x + dist, RefPos.y, RefPos.z);
      SetVecup(0, 1, 0);
      break;
    case 6:
      SetEye(RefPos.x - dist, RefPos.y, RefPos.z);
      SetVecup(0, 1, 0);
      break;
    case 7:
      SetEye(RefPos.x - k, RefPos.y + k, RefPos.z - k);
      DiagonalUp();
      break;
    case 8:
      SetEye(RefPos.x + k, RefPos.y - k, RefPos.z + k);
      DiagonalUp();
      break;
    case 9:
      SetEye(RefPos.x + k, RefPos.y + k, RefPos.z + k);
      DiagonalUp();
      break;
    case 10:
      SetEye(RefPos.x - k, RefPos.y + k, RefPos.z + k);
      DiagonalUp();
      break;
    default: break;
  }
}

// The world y axis made perpendicular to the viewing direction, so that the
// diagonal views stand upright.
void Camera::DiagonalUp() {
  V3 f{RefPos.x - EyePos.x, RefPos.y - EyePos.y, RefPos.z - EyePos.z};
  const double len = Length(f);
  f = {f.x / len, f.y / len, f.z / len};
  SetVecup(-f.y * f.x, 1.0 - f.y * f.y, -f.y * f.z);
}

void Camera::ZoomAll(double minX, double minY, double minZ, double maxX, double maxY, double maxZ,
                     Long viewCode) {
  const bool flat = viewCode == 7;
  const double ex = maxX - minX;
  const double ey = maxY - minY;
  const double ez = maxZ - minZ;
  // A 2D picture lies in the x-y plane: a plot taller than wide is framed
  // by its height.
  double size = flat ? ey : ez;
  if (size < ex) size = ex;
  if (!flat && size < ey) size = ey;
  SetViewRect(size, size);
  V3 f{RefPos.x - EyePos.x, RefPos.y - EyePos.y, RefPos.z - EyePos.z};
  if (flat) f.y = 0.0;
  SetRef((minX + maxX) / 2.0, (minY + maxY) / 2.0, (minZ + maxZ) / 2.0);
  SetEye(RefPos.x - f.x, RefPos.y - f.y, RefPos.z - f.z);
}

double Camera::PerspectiveNear(const Box& shownBox) {
  const double ex = shownBox.MaxX - shownBox.MinX;
  const double ey = shownBox.MaxY - shownBox.MinY;
  const double ez = shownBox.MaxZ - shownBox.MinZ;
  double m = ex > ey ? ex : ey;
  if (ez > m) m = ez;
  const double nearDist = 1000.0 - m;
  return nearDist >= kMinPerspectiveNear ? nearDist : kMinPerspectiveNear;
}

void Camera::RotateView(double angle, double x, double y, double z) {
  const V3 v{RefPos.x - EyePos.x, RefPos.y - EyePos.y, RefPos.z - EyePos.z};
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  const double t = 1.0 - c;
  // (1 - c) a a^T + c I + s [a]x, the axis taken as given.
  const double m[3][3] = {{t * x * x + c, t * x * y - s * z, t * x * z + s * y},
                          {t * x * y + s * z, t * y * y + c, t * y * z - s * x},
                          {t * x * z - s * y, t * y * z + s * x, t * z * z + c}};
  SetRef(EyePos.x + m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
         EyePos.y + m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
         EyePos.z + m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z);
}

void Camera::Zoom(double factor) {
  if (!(factor > 0.0)) return;
  VolWidth *= factor;
  VolHeight *= factor;
}

void Camera::Projection(double jx, double jy, double /*eyeX*/, double /*eyeY*/, double /*focus*/,
                        const SceneGroup& shownGraphs, const DrawContext& context) {
  // The box is needed only by the perspective projection.
  Projection(jx, jy, ProjectType == 2 ? shownGraphs.GetBox(context) : Box{});
}

void Camera::Projection(double jx, double jy, const Box& shownBox) {
  GLint viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, viewport);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glRenderMode(GL_RENDER);
  Volleft = -VolWidth / 2.0;
  VolRight = VolWidth / 2.0;
  VolBottom = -VolHeight / 2.0;
  VolTop = VolHeight / 2.0;
  double ox = 1.0;
  double oy = 1.0;
  if (viewport[2] != 0) {
    // Both offsets are divided by the viewport width, as the scene has always
    // been jittered.
    ox = -jx * VolWidth / viewport[2];
    oy = -jy * VolHeight / viewport[2];
  }
  if (ProjectType == 1) {
    glOrtho(Volleft + ox, VolRight + ox, VolBottom + oy, VolTop + oy, VolNear, VolFar);
  } else if (ProjectType == 2) {
    const double nearDist = PerspectiveNear(shownBox);
    VolNear = nearDist;
    glFrustum(Volleft + ox, VolRight + ox, VolBottom + oy, VolTop + oy, nearDist, VolFar);
    VolNear = 0.01;
  }
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(EyePos.x, EyePos.y, EyePos.z, RefPos.x, RefPos.y, RefPos.z, vecUp_[0], vecUp_[1],
            vecUp_[2]);
}

}  // namespace qv
