// The 4D scatter and the 4D vectors, drawn from the regular volume, each
// with the scattered points the volume was gridded from when ShowIrregData
// is set.
#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <vector>

#include "data_view.h"
#include "draw_helpers.h"
#include "drawers.h"

namespace qv {

namespace {

// Pixel size of the scatter points when PointSize sets none.
constexpr double kScatterPointSize = 4.0;

}  // namespace

void DrawIrregularVolumePoints(const Graph& graph, const DrawContext& context) {
  if (!graph.ShowIrregData) return;
  const DataSet& d = context.data;
  const CheckedArray<double, 1>& x = d.Irreg4DXArray();
  const CheckedArray<double, 1>& y = d.Irreg4DYArray();
  const CheckedArray<double, 1>& z = d.Irreg4DZArray();
  if (!x.Allocated() || !y.Allocated() || !z.Allocated()) return;
  const Long count = std::min({d.Points(), x.Upper() + 1, y.Upper() + 1, z.Upper() + 1});
  for (Long p = 0; p < count; ++p) DrawDataPointMarker(context.settings, x(p), y(p), z(p));
}

namespace {

ScenePoint VolumeNode(const VolumeView& v, Long i, Long j, Long k) {
  return {v.Y(i, j, k), v.Z(i, j, k), v.X(i, j, k)};
}

// What the colour of every scatter point is chosen from: the colour map
// (FillStyle 4) or a ramp of one colour (see DrawScatter4D).
struct ScatterColors {
  bool byMap = false;
  ColorPointList map;
  Rgb full, dim;
  double min = 0.0, range = 0.0;
};

Rgb ScatterColorAt(const ScatterColors& c, double value) {
  const double t = MapScale(value, c.min, c.range);
  return c.byMap ? LookupColor(c.map, t) : GradedColor(c.full, c.dim, t / 100.0);
}

// One point per node of the volume, in its value's colour.
void DrawScatterPoints(const VolumeView& v, const ScatterColors& colors, const SharedSettings& s) {
  glBegin(GL_POINTS);
  for (Long i = 0; i <= v.LastU(); ++i) {
    for (Long j = 0; j <= v.LastV(); ++j) {
      for (Long k = 0; k <= v.LastH(); ++k) {
        const Rgb c = ScatterColorAt(colors, v.V(i, j, k));
        glColor3d(c.r, c.g, c.b);
        PutCentred(s, VolumeNode(v, i, j, k));
      }
    }
  }
  glEnd();
}

ScatterColors ScatterColorsOf(Graph& graph) {
  ScatterColors c;
  c.byMap = graph.FillStyle == 4;
  c.map = c.byMap ? graph.LoadedColorPoints() : graph.ColorPoints();
  c.full = SplitColor(graph.Scat4DColor);
  c.dim = {0.25 * c.full.r, 0.25 * c.full.g, 0.25 * c.full.b};
  c.min = graph.MInv;
  c.range = graph.MaxV - graph.MInv;
  return c;
}

// The uphill gradient of V at interior node (i, j, k), from the central
// differences along the three node directions; nothing at a flat spot or
// where two neighbours coincide (the spacings met before still count).
void AddGradient(const VolumeView& v, Long i, Long j, Long k, ArrowSet& out) {
  const std::array<std::array<Long, 3>, 3> steps{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  ScenePoint dir{0, 0, 0};
  for (const auto& [di, dj, dk] : steps) {
    const ScenePoint lo = VolumeNode(v, i - di, j - dj, k - dk);
    const ScenePoint hi = VolumeNode(v, i + di, j + dj, k + dk);
    const ScenePoint d{hi.x - lo.x, hi.y - lo.y, hi.z - lo.z};
    const double len = Length(d);
    if (len == 0.0) return;
    out.minSpacing = std::min(out.minSpacing, len / 2);
    const double g = (v.V(i + di, j + dj, k + dk) - v.V(i - di, j - dj, k - dk)) / len;
    dir = {dir.x + g * d.x / len, dir.y + g * d.y / len, dir.z + g * d.z / len};
  }
  const double length = Length(dir);
  if (length == 0.0) return;
  out.maxLength = std::max(out.maxLength, length);
  out.arrows.push_back({VolumeNode(v, i, j, k), dir});
}

// One arrow from at to tip with a head of two strokes back from the tip, 0.3
// of the length, spread in the plane of the shaft and the scene's vertical
// (or of x when the shaft is vertical):
//
//              _
//   at ------>  tip    (two strokes back from the tip, one each side)
//              ~
void DrawStrokeArrow(const SharedSettings& s, const ScenePoint& at, const ScenePoint& tip) {
  PutCentred(s, at);
  PutCentred(s, tip);
  const ScenePoint d{tip.x - at.x, tip.y - at.y, tip.z - at.z};
  ScenePoint side = Cross(d, ScenePoint{0, 1, 0});
  if (side.x == 0 && side.y == 0 && side.z == 0) side = Cross(d, ScenePoint{1, 0, 0});
  side = Normalized(side);
  const double len = Length(d);
  for (double sign : {-1.0, 1.0}) {
    PutCentred(s, tip);
    PutCentred(s, {tip.x - 0.3 * d.x + sign * 0.12 * len * side.x,
                   tip.y - 0.3 * d.y + sign * 0.12 * len * side.y,
                   tip.z - 0.3 * d.z + sign * 0.12 * len * side.z});
  }
}

// The longest arrow is 0.8 of the smallest node spacing, the others in
// proportion.
void DrawArrowSet(const ArrowSet& a, const SharedSettings& s, Long color) {
  if (a.arrows.empty() || a.maxLength == 0.0) return;
  const double scale = 0.8 * a.minSpacing / a.maxLength;
  const Rgb rgb = SplitColor(color);
  glDisable(GL_LIGHTING);
  glColor3d(rgb.r, rgb.g, rgb.b);
  glBegin(GL_LINES);
  for (const ArrowSet::Arrow& arrow : a.arrows) {
    const ScenePoint tip{arrow.at.x + arrow.dir.x * scale, arrow.at.y + arrow.dir.y * scale,
                         arrow.at.z + arrow.dir.z * scale};
    DrawStrokeArrow(s, arrow.at, tip);
  }
  glEnd();
  glEnable(GL_LIGHTING);
}

}  // namespace

// 4D scatter: one point per node of the regular volume at the node's place,
// PointSize pixels wide (4 when no size is set), coloured by the node's value
// over MInv..MaxV: with FillStyle 4 through the colour map, otherwise as a
// ramp of Scat4DColor from a quarter of its intensity at the lowest value to
// the full colour at the highest, so the value reads as brightness on the
// white background while the graph keeps the colour its user chose.
void DrawScatter4D(Graph& graph, const DrawContext& context, const GraphBounds&) {
  const VolumeView v(context.data, graph.StepU, graph.StepV, graph.StepH);
  if (!v.Empty()) {
    const ScatterColors colors = ScatterColorsOf(graph);
    glDisable(GL_LIGHTING);
    glPointSize(static_cast<GLfloat>(graph.PointSize >= 1.0 ? graph.PointSize : kScatterPointSize));
    DrawScatterPoints(v, colors, context.settings);
    glEnable(GL_LIGHTING);
  }
  DrawIrregularVolumePoints(graph, context);
}

// 4D vectors: at every interior node of the regular volume a segment along
// the gradient of the value with a two-stroke head, in Vect4DColor.
void DrawVector4D(Graph& graph, const DrawContext& context, const GraphBounds&) {
  const VolumeView v(context.data, graph.StepU, graph.StepV, graph.StepH);
  ArrowSet arrows;
  for (Long i = 1; i < v.LastU(); ++i) {
    for (Long j = 1; j < v.LastV(); ++j) {
      for (Long k = 1; k < v.LastH(); ++k) AddGradient(v, i, j, k, arrows);
    }
  }
  DrawArrowSet(arrows, context.settings, graph.Vect4DColor);
  DrawIrregularVolumePoints(graph, context);
}

}  // namespace qv
