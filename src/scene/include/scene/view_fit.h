// What Zoom to Fit must keep in sight: the points of the picture (the box's
// corners, the axis tips, the anchors of the axis texts with the extent of
// their text) and the part of the drawing area they must stay inside.
//
//   screen (fractions of the drawing area, from the lower left)
//   1 +----------------------------------+
//     |  frame                     |     |
//     |   +---------------------+  | bar |   the legend's strip on the right
//     |   |  every mark inside  |  |     |   is left out of the frame where
//     |   +---------------------+  |     |   a legend is drawn
//   0 +----------------------------------+
//     0                          right   1
#pragma once

#include <array>
#include <span>

#include "platform/box.h"

namespace qv {

class Camera;

// A point of the picture in scene units about the scene centre (before the
// scene rotation), and the extent of what is drawn there facing the viewer
// (a text), in scene units along the screen's right and up: the mark covers
// right - left by up - down around the point's image.
struct SceneMark {
  std::array<double, 3> at{};
  double left = 0.0;
  double right = 0.0;
  double below = 0.0;
  double above = 0.0;
};

// A part of the drawing area, in fractions 0..1 of its width and height
// from the lower left corner.
struct ViewFrame {
  double left = 0.0;
  double right = 1.0;
  double bottom = 0.0;
  double top = 1.0;
};

// The smallest view height (VolHeight, scene units) at which every mark,
// turned by rotation (column-major, as the scene building multiplies it
// after the viewing transform) and seen through camera (eye, reference
// point, up vector, projection kind and screen aspect; the view volume takes
// the screen's aspect), lies inside frame once the camera has been panned by
// MoveView(panX, 0). The perspective projection's near distance comes from
// shownBox, as Projection takes it. A mark behind the eye is not counted; 0
// when nothing needs any height (no marks). The frame must hold the panned
// view's centre.
double HeightToShow(const Camera& camera, const std::array<float, 16>& rotation,
                    std::span<const SceneMark> marks, const ViewFrame& frame, double panX,
                    const Box& shownBox);

}  // namespace qv
