// The 4D slice planes: the regular volume cut by planes of constant data Z,
// X and Y, each filled by the colour map of the value, with contour lines
// of the value and the value's slope as vectors, over the part of the plane
// that the slice's node ranges select.
#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "contour_drawing.h"
#include "data_view.h"
#include "draw_helpers.h"
#include "drawers.h"

namespace qv {

namespace {

// A slice within this distance (scaled units) of a layer of nodes draws
// that layer itself.
constexpr double kOnLayer = 0.0001;
// The longest vector is this part of the smallest node spacing.
constexpr double kVectorReach = 0.8;

// The three node indices of the volume: i along data X, j along data Y, k
// along data Z.
enum Axis : int { kAxisI = 0, kAxisJ = 1, kAxisK = 2 };

// What differs between the slices across one axis: the axes of the plane's
// grid, where its lines lie, its fill's normal and the graph's tables.
struct SliceFamily {
  Axis across;
  // The plane's first and second grid index.
  Axis first;
  Axis second;
  ContourPlane plane;
  ScenePoint normal;
  // Data units per scaled unit along `across`.
  double scale;
  Long count;
  const SliceDoubles& position;
  const SliceFlags& showColor;
  const SliceFlags& showCont;
  const SliceFlags& showVect;
  const SliceDoubles& contLevels;
  const SliceLongs& contColor;
  const SliceLongs& vectColor;
  // 1-based first and last node along the first and the second grid index.
  const SliceLongs& firstBegin;
  const SliceLongs& firstEnd;
  const SliceLongs& secondBegin;
  const SliceLongs& secondEnd;
};

// The three families in the order they are drawn: Z, then X, then Y.
std::array<SliceFamily, 3> FamiliesOf(const Graph& g, const SharedSettings& s) {
  const auto count = [](Long n) { return std::clamp<Long>(n, 0, kMaxSlices); };
  return {{
      {kAxisK,
       kAxisI,
       kAxisJ,
       ContourPlane::kConstantZ,
       {0, 1, 0},
       s.DataScaleZ,
       count(g.Slice4NumZ),
       g.Slice4Z,
       g.SliceZShowColor,
       g.SliceZShowCont,
       g.SliceZShowVect,
       g.SliceZContLevels,
       g.SliceZContColor,
       g.SliceZVectColor,
       g.Slice4XYXB,
       g.Slice4XYXE,
       g.Slice4XYYB,
       g.Slice4XYYE},
      {kAxisI,
       kAxisJ,
       kAxisK,
       ContourPlane::kConstantX,
       {0, 0, 1},
       s.DataScaleX,
       count(g.Slice4NumX),
       g.Slice4X,
       g.SliceXShowColor,
       g.SliceXShowCont,
       g.SliceXShowVect,
       g.SliceXContLevels,
       g.SliceXContColor,
       g.SliceXVectColor,
       g.Slice4YZYB,
       g.Slice4YZYE,
       g.Slice4YZZB,
       g.Slice4YZZE},
      {kAxisJ,
       kAxisI,
       kAxisK,
       ContourPlane::kConstantY,
       {1, 0, 0},
       s.DataScaleY,
       count(g.Slice4NumY),
       g.Slice4Y,
       g.SliceYShowColor,
       g.SliceYShowCont,
       g.SliceYShowVect,
       g.SliceYContLevels,
       g.SliceYContColor,
       g.SliceYVectColor,
       g.Slice4ZXXB,
       g.Slice4ZXXE,
       g.Slice4ZXZB,
       g.Slice4ZXZE},
  }};
}

Long LastOf(const VolumeView& v, Axis axis) {
  switch (axis) {
    case kAxisI: return v.LastU();
    case kAxisJ: return v.LastV();
    case kAxisK: break;
  }
  return v.LastH();
}

// The data coordinate of a node along the data axis of index axis.
double CoordinateOf(const VolumeView& v, Axis axis, const std::array<Long, 3>& n) {
  switch (axis) {
    case kAxisI: return v.X(n[0], n[1], n[2]);
    case kAxisJ: return v.Y(n[0], n[1], n[2]);
    case kAxisK: break;
  }
  return v.Z(n[0], n[1], n[2]);
}

std::array<Long, 3> NodeIndex(const SliceFamily& f, Long across, Long p, Long q) {
  std::array<Long, 3> n{};
  n[f.across] = across;
  n[f.first] = p;
  n[f.second] = q;
  return n;
}

// Where a slice cuts the volume: between layers lo and hi at fraction t
// (lo == hi on a layer), at position `at` (scaled units).
struct SlicePlace {
  Long lo = 0;
  Long hi = 0;
  double t = 0.0;
  double at = 0.0;
};

// The layer pair around s, by the layers' positions along the axis; a
// position outside the volume has none. A volume of one layer has only the
// layer itself.
std::optional<SlicePlace> Locate(const VolumeView& v, const SliceFamily& f, double s) {
  const Long last = LastOf(v, f.across);
  const auto layerAt = [&](Long a) { return CoordinateOf(v, f.across, NodeIndex(f, a, 0, 0)); };
  if (last == 0) {
    if (std::fabs(layerAt(0) - s) < kOnLayer) return SlicePlace{0, 0, 0.0, layerAt(0)};
    return std::nullopt;
  }
  for (Long a = 0; a < last; ++a) {
    const double lo = layerAt(a), hi = layerAt(a + 1);
    const bool inside =
        (s - lo > kOnLayer && hi - s > kOnLayer) || (lo - s > kOnLayer && s - hi > kOnLayer);
    if (inside) return SlicePlace{a, a + 1, (s - lo) / (hi - lo), s};
    if (std::fabs(lo - s) < kOnLayer) return SlicePlace{a, a, 0.0, lo};
    if (std::fabs(hi - s) < kOnLayer) return SlicePlace{a + 1, a + 1, 0.0, hi};
  }
  return std::nullopt;
}

// The nodes of a slice plane, node (p, q) at p * n2 + q, in scaled units:
// scene position, in-plane data coordinates and value, each between the two
// layers (copied on a layer).
struct SlicePlane {
  Long n1 = 0;
  Long n2 = 0;
  std::vector<ScenePoint> at;
  std::vector<double> first;
  std::vector<double> second;
  std::vector<double> value;
  std::size_t Node(Long p, Long q) const {
    return static_cast<std::size_t>(p) * static_cast<std::size_t>(n2) + static_cast<std::size_t>(q);
  }
};

SlicePlane PlaneOf(const VolumeView& v, const SliceFamily& f, const SlicePlace& place) {
  SlicePlane plane;
  plane.n1 = LastOf(v, f.first) + 1;
  plane.n2 = LastOf(v, f.second) + 1;
  const double t = place.t;
  const auto mix = [t](double a, double b) { return a + t * (b - a); };
  for (Long p = 0; p < plane.n1; ++p) {
    for (Long q = 0; q < plane.n2; ++q) {
      const std::array<Long, 3> a = NodeIndex(f, place.lo, p, q);
      const std::array<Long, 3> b = NodeIndex(f, place.hi, p, q);
      const double x = mix(v.X(a[0], a[1], a[2]), v.X(b[0], b[1], b[2]));
      const double y = mix(v.Y(a[0], a[1], a[2]), v.Y(b[0], b[1], b[2]));
      const double z = mix(v.Z(a[0], a[1], a[2]), v.Z(b[0], b[1], b[2]));
      const std::array<double, 3> xyz{x, y, z};
      plane.at.push_back({y, z, x});
      plane.first.push_back(xyz[f.first]);
      plane.second.push_back(xyz[f.second]);
      plane.value.push_back(mix(v.V(a[0], a[1], a[2]), v.V(b[0], b[1], b[2])));
    }
  }
  return plane;
}

// The 0-based nodes begin..end of a 1-based range, clamped to 0..last;
// empty (begin > end) when the range is reversed.
struct NodeRange {
  Long begin = 0;
  Long end = -1;
  Long Count() const { return end - begin + 1; }
};

NodeRange RangeOf(Long begin, Long end, Long last) {
  return {std::clamp<Long>(begin - 1, 0, last), std::clamp<Long>(end - 1, 0, last)};
}

// Everything one slice draws from.
struct SliceWork {
  const SlicePlane& plane;
  NodeRange r1;
  NodeRange r2;
  double at;
};

// The fill: one quad per cell of the ranges, each corner in its value's
// colour over MInv..MaxV, unlit, pushed back in depth so that the lines
// drawn on the plane stay in front of it.
void DrawFill(const SliceWork& w, const ScenePoint& normal, const ColorPointList& map, double min,
              double range, const SharedSettings& s) {
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glShadeModel(GL_SMOOTH);
  glDisable(GL_LIGHTING);
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(1.0f, 1.0f);
  glBegin(GL_QUADS);
  glNormal3d(normal.x, normal.y, normal.z);
  for (Long p = w.r1.begin; p < w.r1.end; ++p) {
    for (Long q = w.r2.begin; q < w.r2.end; ++q) {
      for (const auto& [dp, dq] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
        const std::size_t n = w.plane.Node(p + dp, q + dq);
        const Rgb c = LookupColor(map, MapScale(w.plane.value[n], min, range));
        glColor3d(c.r, c.g, c.b);
        PutCentred(s, w.plane.at[n]);
      }
    }
  }
  glEnd();
  glDisable(GL_POLYGON_OFFSET_FILL);
  glEnable(GL_LIGHTING);
}

// The contour lines of the ranges' nodes every `step` (data units of the
// value), in one colour, lineWidth pixels wide.
void DrawContours(Graph& graph, const SliceWork& w, const SliceFamily& f, double step, Long colour,
                  const SharedSettings& s) {
  const Long n1 = w.r1.Count(), n2 = w.r2.Count();
  if (n1 < 2 || n2 < 2) return;
  std::vector<double> values, first, second;
  for (Long p = w.r1.begin; p <= w.r1.end; ++p) {
    for (Long q = w.r2.begin; q <= w.r2.end; ++q) {
      const std::size_t n = w.plane.Node(p, q);
      values.push_back(w.plane.value[n] * s.DataScaleV);
      first.push_back(w.plane.first[n]);
      second.push_back(w.plane.second[n]);
    }
  }
  ContourTracer tracer(n1, n2, std::move(values), step);
  const PlanePlacer placer(n2, std::move(first), std::move(second), w.at, false, f.plane, s);
  BeginContourLines(graph.LineWidth);
  GlContourSink sink;
  tracer.Trace(placer, ContourColoringOf(graph, kContourSingle, colour, colour), sink);
  EndContourLines();
}

// The slope of the value within the plane at interior node (p, q), from the
// central differences along both grid indices; nothing where two
// neighbours coincide:
//
//              (p, q+1)
//   (p-1, q)    (p, q)    (p+1, q)
//              (p, q-1)
void AddNodeSlope(const SlicePlane& plane, Long p, Long q, ArrowSet& out) {
  ScenePoint dir{0, 0, 0};
  for (const auto& [a, b] : {std::pair{plane.Node(p - 1, q), plane.Node(p + 1, q)},
                             std::pair{plane.Node(p, q - 1), plane.Node(p, q + 1)}}) {
    const ScenePoint d{plane.at[b].x - plane.at[a].x, plane.at[b].y - plane.at[a].y,
                       plane.at[b].z - plane.at[a].z};
    const double len = Length(d);
    if (!(len > 0.0)) return;
    out.minSpacing = std::min(out.minSpacing, len / 2);
    const double g = (plane.value[b] - plane.value[a]) / len;
    dir = {dir.x + g * d.x / len, dir.y + g * d.y / len, dir.z + g * d.z / len};
  }
  const double length = Length(dir);
  if (!(length > 0.0) || !std::isfinite(length)) return;
  out.maxLength = std::max(out.maxLength, length);
  out.arrows.push_back({plane.at[plane.Node(p, q)], dir});
}

// The vectors: one segment per node of the ranges inside the plane (as the
// other vector kinds, none on its edge), from the node along the slope of
// the value, uphill, the longest kVectorReach of the smallest node spacing,
// in colour. So every vector ends inside the plane.
void DrawVectors(const SliceWork& w, Long colour, const SharedSettings& s) {
  ArrowSet arrows;
  const Long p1 = std::min(w.r1.end, w.plane.n1 - 2), q1 = std::min(w.r2.end, w.plane.n2 - 2);
  for (Long p = std::max<Long>(w.r1.begin, 1); p <= p1; ++p) {
    for (Long q = std::max<Long>(w.r2.begin, 1); q <= q1; ++q) AddNodeSlope(w.plane, p, q, arrows);
  }
  if (arrows.arrows.empty() || !std::isfinite(arrows.minSpacing)) return;
  const double scale = kVectorReach * arrows.minSpacing / arrows.maxLength;
  BeginSmoothLines();
  const Rgb c = SplitColor(colour);
  glColor3f(static_cast<GLfloat>(c.r), static_cast<GLfloat>(c.g), static_cast<GLfloat>(c.b));
  glBegin(GL_LINES);
  for (const ArrowSet::Arrow& a : arrows.arrows) {
    PutCentred(s, a.at);
    PutCentred(s, {a.at.x + a.dir.x * scale, a.at.y + a.dir.y * scale, a.at.z + a.dir.z * scale});
  }
  glEnd();
  EndLineState();
}

// The map the fills are coloured by, loaded at the first fill (an empty
// name taken as "Rainbow", as every colour lookup of a graph takes it).
const ColorPointList& FillMapOf(Graph& graph, std::optional<ColorPointList>& map) {
  if (!map) {
    map = graph.LoadedColorPoints();
  }
  return *map;
}

void DrawSlice(Graph& graph, const VolumeView& v, const SliceFamily& f, Long k,
               std::optional<ColorPointList>& map, const SharedSettings& s) {
  const std::optional<SlicePlace> place = Locate(v, f, f.position(k) / f.scale);
  if (!place) return;
  const SlicePlane plane = PlaneOf(v, f, *place);
  const SliceWork work{plane, RangeOf(f.firstBegin(k), f.firstEnd(k), plane.n1 - 1),
                       RangeOf(f.secondBegin(k), f.secondEnd(k), plane.n2 - 1), place->at};
  if (f.showColor(k)) {
    DrawFill(work, f.normal, FillMapOf(graph, map), graph.MInv, graph.MaxV - graph.MInv, s);
  }
  if (f.showCont(k)) DrawContours(graph, work, f, f.contLevels(k), f.contColor(k), s);
  if (f.showVect(k)) DrawVectors(work, f.vectColor(k), s);
}

}  // namespace

// 4D slices: the Z slices, then the X slices, then the Y slices, each
// finished before the next; a slice outside the volume is skipped. Then the
// scattered points the volume was gridded from (ShowIrregData).
void Draw4DSlices(Graph& graph, const DrawContext& context, const GraphBounds&) {
  const VolumeView v(context.data, graph.StepU, graph.StepV, graph.StepH);
  if (!v.Empty()) {
    std::optional<ColorPointList> map;
    for (const SliceFamily& f : FamiliesOf(graph, context.settings)) {
      for (Long k = 1; k <= f.count; ++k) DrawSlice(graph, v, f, k, map, context.settings);
    }
  }
  DrawIrregularVolumePoints(graph, context);
}

}  // namespace qv
