// What several drawers share: the missing-value marker, the layer drop, line
// widths, centred vertices and the smooth-line state.
#pragma once

#include <GL/gl.h>

#include <cmath>
#include <vector>

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
