// The camera: eye, reference point, up vector, view volume and screen size,
// turned into the GL projection and viewing transforms. The scene rotation is
// a model transform the scene building applies after Projection.
#pragma once

#include <array>

#include "platform/box.h"
#include "platform/runtime.h"
#include "scene/point_marker.h"

namespace qv {

class SceneGroup;
struct DrawContext;

class Camera {
 public:
  // Only x, y, z of the two points are used.
  PointMarker EyePos;
  PointMarker RefPos;
  double VolFar = 2000.0;
  // Edges of the view volume, written by Projection.
  double Volleft = 0.0;
  double VolRight = 0.0;
  double VolTop = 0.0;
  double VolBottom = 0.0;
  // Orthographic near distance; 0.01 after the first perspective Projection.
  double VolNear = 0.001;
  // View volume size in world units.
  double VolWidth = 40.0;
  double VolHeight = 40.0;
  // Drawing surface size in pixels.
  double ScreenWidth = 200.0;
  double ScreenHeight = 200.0;
  // 1 orthographic, 2 perspective; any other value leaves the projection identity.
  Long ProjectType = 1;

  // The smallest perspective near distance. The near distance is 1000 minus
  // the largest extent of the shown box, which reaches 0 or below for boxes of
  // extent 1000 or more; GL then rejects the frustum and draws nothing.
  static constexpr double kMinPerspectiveNear = 1.0;

  Camera();

  // One component of the up vector (index 0..2); other indices throw
  // RuntimeError(kSubscriptOutOfRange). The camera never normalises it.
  double VecUp(Long index) const;
  void SetVecUp(Long index, double value);

  void GetViewRect(double& width, double& height) const;
  // VolHeight := height; VolWidth := height * ScreenWidth / ScreenHeight (the
  // width argument has no lasting effect).
  void SetViewRect(double width, double height);
  void SetVecup(double x, double y, double z);
  void SetRef(double x, double y, double z);
  void SetEye(double x, double y, double z);
  // Sets the GL viewport to (0, 0, width, height) as received, then writes 1
  // back into height when it is 0, and stores both as the screen size.
  void SetScreen(Long width, Long& height);
  // Pans eye and reference point together by dx, dy fractions of the view
  // size. Nothing moves when the eye sits on the reference point.
  void MoveView(double dx, double dy);
  // Places the eye on standard direction code 1..10; other codes do nothing.
  void SetViewType(Long code);
  // Centres the view on the box (relative to the scene centre) and sizes it to
  // its largest extent. viewCode 7 (2D, seen from the front) sizes it to the
  // X and Y extents, the Z extent running towards the viewer, and keeps the
  // viewing direction level.
  void ZoomAll(double minX, double minY, double minZ, double maxX, double maxY, double maxZ,
               Long viewCode);
  // Turns the reference point by angle radians about (x, y, z) through the eye.
  void RotateView(double angle, double x, double y, double z);
  // Multiplies both view sides by factor when factor > 0; otherwise nothing.
  void Zoom(double factor);
  // Does nothing (kept for the camera's interface).
  void Selection(double, double) {}
  // Loads the projection (jittered by jx, jy pixels) and the viewing
  // transform, and leaves the modelview matrix selected. Perspective reads
  // the box of shownGraphs, bounded in context. eyeX, eyeY and focus do not
  // enter the result. Needs a current context.
  void Projection(double jx, double jy, double eyeX, double eyeY, double focus,
                  const SceneGroup& shownGraphs, const DrawContext& context);
  // The same with the shown box given directly.
  void Projection(double jx, double jy, const Box& shownBox);
  // The perspective projection's near distance for the shown box: 1000 less
  // its largest extent, at least kMinPerspectiveNear.
  static double PerspectiveNear(const Box& shownBox);

 private:
  void DiagonalUp();

  std::array<double, 3> vecUp_{0.0, 1.0, 0.0};
};

}  // namespace qv
