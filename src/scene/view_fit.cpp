#include "scene/view_fit.h"

#include <algorithm>
#include <cmath>

#include "scene/camera.h"
#include "vector3.h"

namespace qv {

namespace {

// The scene point p turned as glMultMatrix turns it.
V3 Turned(const std::array<float, 16>& m, const std::array<double, 3>& p) {
  double out[3];
  for (int iRow = 0; iRow < 3; ++iRow) {
    out[iRow] = m[12 + iRow];
    for (int iCol = 0; iCol < 3; ++iCol) out[iRow] += m[iCol * 4 + iRow] * p[iCol];
  }
  return {out[0], out[1], out[2]};
}

// The least view size s along one screen axis at which an image from lo to
// hi (scene units about the view's centre line, already scaled by the
// perspective) lies between the fractions low and high, the view's centre
// line lying at the fraction centre: centre + lo / s >= low and
// centre + hi / s <= high.
double SizeFor(double lo, double hi, double centre, double low, double high) {
  double size = 0.0;
  if (lo < 0.0 && centre > low) size = std::max(size, -lo / (centre - low));
  if (hi > 0.0 && high > centre) size = std::max(size, hi / (high - centre));
  return size;
}

}  // namespace

double HeightToShow(const Camera& camera, const std::array<float, 16>& rotation,
                    std::span<const SceneMark> marks, const ViewFrame& frame, double panX,
                    const Box& shownBox) {
  const V3 eye{camera.EyePos.x, camera.EyePos.y, camera.EyePos.z};
  const V3 ref{camera.RefPos.x, camera.RefPos.y, camera.RefPos.z};
  const V3 up{camera.VecUp(0), camera.VecUp(1), camera.VecUp(2)};
  V3 f = ref - eye;
  const double distance = Length(f);
  if (!(distance > 0.0)) return 0.0;
  f = Scaled(f, 1.0 / distance);
  // MoveView shifts the eye by its own (unnormalised) side vector.
  const V3 side = Cross(f, up);
  const double sideLength = Length(side);
  if (!(sideLength > 0.0)) return 0.0;
  const V3 s = Scaled(side, 1.0 / sideLength);
  const V3 u = Cross(s, f);
  const bool perspective = camera.ProjectType == 2;
  const double nearDist = perspective ? Camera::PerspectiveNear(shownBox) : 1.0;
  const double aspect = camera.ScreenWidth / camera.ScreenHeight;
  double width = 0.0;
  double height = 0.0;
  for (const SceneMark& mark : marks) {
    const V3 p = Turned(rotation, mark.at);
    const V3 d = p - eye;
    const double depth = Dot(d, f);
    if (perspective && !(depth > 0.0)) continue;
    const double k = perspective ? nearDist / depth : 1.0;
    const double x = Dot(d, s);
    const double y = Dot(d, u);
    // Panned by panX of the width, the view's centre line moves across by
    // that much of the width (seen at the mark's depth).
    const double centreX = 0.5 + k * panX * sideLength;
    width = std::max(width, SizeFor(k * (x - mark.left), k * (x + mark.right), centreX, frame.left,
                                    frame.right));
    height = std::max(
        height, SizeFor(k * (y - mark.below), k * (y + mark.above), 0.5, frame.bottom, frame.top));
  }
  return std::max(height, aspect > 0.0 ? width / aspect : 0.0);
}

}  // namespace qv
