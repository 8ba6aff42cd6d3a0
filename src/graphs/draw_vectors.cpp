// The vector plot: arrows along the slope of the regular surface.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "data_view.h"
#include "draw_helpers.h"
#include "drawers.h"

namespace qv {

namespace {

constexpr double kRadiansToDegrees = 180.0 / 3.14159265358979323846;
// Radius of an arrow's head over that of its shaft.
constexpr double kHeadWidth = 2.5;

ScenePoint NodeAt(const SurfaceView& s, Long i, Long j) {
  return {s.Y(i, j), s.Z(i, j), s.X(i, j)};
}

// The uphill slope at interior node (i, j) from the central differences of
// its four neighbours:
//
//            n (i-1, j)
//   w (i, j-1)   *   s (i, j+1)
//            e (i+1, j)
//
// Nothing next to a missing value or where two neighbours coincide.
void AddSlope(const SurfaceView& surface, Long i, Long j, double floorY, ArrowSet& out) {
  const ScenePoint w = NodeAt(surface, i, j - 1), n = NodeAt(surface, i - 1, j),
                   e = NodeAt(surface, i + 1, j), s = NodeAt(surface, i, j + 1);
  for (const ScenePoint& p : {w, n, e, s}) {
    if (p.y == kMissingValue) return;
  }
  const double lu = std::hypot(e.x - n.x, e.z - n.z);
  const double lv = std::hypot(s.x - w.x, s.z - w.z);
  if (lu == 0.0 || lv == 0.0) return;
  out.minSpacing = std::min({out.minSpacing, lu / 2, lv / 2});
  const double gu = (e.y - n.y) / lu;
  const double gv = (s.y - w.y) / lv;
  const ScenePoint dir{gu * (e.x - n.x) / lu + gv * (s.x - w.x) / lv, 0.0,
                       gu * (e.z - n.z) / lu + gv * (s.z - w.z) / lv};
  out.maxLength = std::max(out.maxLength, std::hypot(dir.x, dir.z));
  const ScenePoint c = NodeAt(surface, i, j);
  out.arrows.push_back({{c.x, floorY, c.z}, dir});
}

// An arrow from a to b (centred scene coordinates): a cylinder of the given
// radius over the first three quarters and a cone of 2.5 times that radius
// over the last quarter.
void DrawArrow(const ScenePoint& a, const ScenePoint& b, double radius) {
  const double dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
  const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
  if (length == 0.0) return;
  GLUquadric* quadric = gluNewQuadric();
  glPushMatrix();
  glTranslatef(static_cast<GLfloat>(a.x), static_cast<GLfloat>(a.y), static_cast<GLfloat>(a.z));
  // The quadric's axis is +z: turn it onto the direction about z x d.
  const double angle = std::acos(std::clamp(dz / length, -1.0, 1.0)) * kRadiansToDegrees;
  if (std::hypot(dx, dy) > 0.0) {
    glRotatef(static_cast<GLfloat>(angle), static_cast<GLfloat>(-dy), static_cast<GLfloat>(dx),
              0.0f);
  } else if (dz < 0) {
    glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
  }
  gluCylinder(quadric, radius, radius, 0.75 * length, 8, 1);
  glTranslated(0.0, 0.0, 0.75 * length);
  gluCylinder(quadric, kHeadWidth * radius, 0.0, 0.25 * length, 8, 1);
  glPopMatrix();
  gluDeleteQuadric(quadric);
}

// The longest arrow is 0.9 of the smallest node spacing, the others in
// proportion; the shaft's radius is 0.03 of that spacing, and every arrow is
// lifted by its head's radius so the head stays inside the box.
void DrawArrowSet(const ArrowSet& a, const SharedSettings& s) {
  if (a.arrows.empty() || a.maxLength <= 0.0) return;
  const double scale = 0.9 * a.minSpacing / a.maxLength;
  const double radius = 0.03 * a.minSpacing;
  const double lift = kHeadWidth * radius;
  for (const ArrowSet::Arrow& arrow : a.arrows) {
    const ScenePoint from{arrow.at.x - s.CenterY, arrow.at.y + lift - s.CenterZ,
                          arrow.at.z - s.CenterX};
    DrawArrow(from, {from.x + arrow.dir.x * scale, from.y, from.z + arrow.dir.z * scale}, radius);
  }
}

}  // namespace

// Vector plot: at every interior node an arrow along the slope of the
// surface, in VectorColor, lying just above the bottom of the graph's box
// (the plane of the lowest node, or the layer below it); in a 2D document
// the arrows lie in its plane, just in front of the back of the box.
void DrawVectorPlot(Graph& graph, const DrawContext& context, const GraphBounds& viewBounds) {
  const Turn2D turn(context.settings);
  const GraphBounds bounds = DrawingBounds(viewBounds, context.settings);
  BeginSmoothLines();
  const Rgb color = SplitColor(graph.VectorColor);
  glColor3f(static_cast<GLfloat>(color.r), static_cast<GLfloat>(color.g),
            static_cast<GLfloat>(color.b));
  const SurfaceView surface(context.data, graph.StepU, graph.StepV);
  ArrowSet arrows;
  for (Long i = 1; i < surface.LastU(); ++i) {
    for (Long j = 1; j < surface.LastV(); ++j) AddSlope(surface, i, j, bounds.minY, arrows);
  }
  DrawArrowSet(arrows, context.settings);
  EndLineState();
}

}  // namespace qv
