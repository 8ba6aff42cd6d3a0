// What several drawers share: the missing-value marker, the layer drop, the
// 2D turn, line widths, centred vertices and the smooth-line state.
#pragma once

#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "graph_bounds.h"
#include "graph_geometry.h"
#include "graphs/color_map.h"
#include "platform/runtime.h"
#include "platform/shared_settings.h"

namespace qv {

// A grid value exactly equal to this marks a node without data.
inline constexpr double kMissingValue = 0.12345;
// The layers under a surface lie this far (scaled units) below its lowest node.
inline constexpr double kLayerDrop = 3.0;

// Arrows gathered over a grid before any is drawn: each at a point along a
// direction (scene axes), with the longest direction and the smallest node
// spacing met, which together give the one scale of them all.
struct ArrowSet {
  struct Arrow {
    ScenePoint at, dir;
  };
  std::vector<Arrow> arrows;
  double maxLength = 0.0;
  double minSpacing = INFINITY;
};

// The drawers work in the scene axes of a 3D document (x = data Y, y = data
// Z, z = data X), their vertices centred by PutCentred. A 2D document's
// picture lies in the scene x-y plane instead: data X across, data Y up, the
// value Z towards the viewer. While a Turn2D made for a 2D document lives,
// the model-view matrix carries a turn (x -> y, y -> z, z -> x, a rotation,
// so normals and front faces keep their sense) that brings the one onto the
// other: a data point (X, Y, Z) is then drawn at (X - CenterX, Y - CenterY,
// Z - CenterZ). Nothing happens in 3D and 4D documents, or when not asked.
class Turn2D {
 public:
  explicit Turn2D(const SharedSettings& settings, bool wanted = true);
  ~Turn2D();
  Turn2D(const Turn2D&) = delete;
  Turn2D& operator=(const Turn2D&) = delete;

 private:
  bool turned_;
};
// A 2D document's bounds (x = data X, y = data Y, z = the value) in the
// scene axes of 3D that the drawers work in; other documents' unchanged.
GraphBounds DrawingBounds(const GraphBounds& bounds, const SharedSettings& settings);

// A width in pixels as GL takes it; a width below 1 is drawn as 1.
GLfloat WidthOf(Long width);
// glVertex of the scene point p with the scene centre subtracted.
void PutCentred(const SharedSettings& settings, const ScenePoint& p);
// Unlit, blended, anti-aliased lines.
void BeginSmoothLines();
// The closing state changes of the line kinds: smooth lines and blending
// off, lighting on.
void EndLineState();
// A yellow marker of size 4 at the data point (x, y, z): where a measured
// value of irregular data lies among the drawn nodes.
void DrawDataPointMarker(const SharedSettings& settings, double x, double y, double z);

}  // namespace qv
