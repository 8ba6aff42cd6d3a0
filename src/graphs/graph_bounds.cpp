#include "graph_bounds.h"

#include <algorithm>

#include "data_view.h"
#include "graph_geometry.h"
#include "graphs/graph.h"

namespace qv {

namespace {

constexpr double kStartMax = -99999990000.0;
constexpr double kStartMin = 99999990000.0;
// Room below a surface for the colour-map, contour and vector layers.
constexpr double kLayerDrop = 3.0;

void Widen(double v, double& max, double& min) {
  if (v > max) max = v;
  if (v < min) min = v;
}

bool Flat(const DrawContext& context) { return context.settings.ViewCode == kViewCode2D; }

// Widens the three scene axes by a point given in data axes: data Y, Z, X
// along x, y, z, or in a 2D document (flat) data X, Y and the value Z.
void WidenByData(GraphBounds& b, bool flat, double dataX, double dataY, double dataZ) {
  Widen(flat ? dataX : dataY, b.maxX, b.minX);
  Widen(flat ? dataY : dataZ, b.maxY, b.minY);
  Widen(flat ? dataZ : dataX, b.maxZ, b.minZ);
}

void WidenByPoints(GraphBounds& b, bool flat, const PointsView& p, bool withColours) {
  for (Long k = 0; k < p.Count(); ++k) {
    WidenByData(b, flat, p.X(k), p.Y(k), p.Z(k));
    if (withColours) Widen(p.C(k), b.maxC, b.minC);
  }
}

// The scene extent of one coordinate of a point: from the origin to v.
void FromOrigin(double v, double& max, double& min) {
  max = std::max(v, 0.0);
  min = std::min(v, 0.0);
}

}  // namespace

GraphBounds EmptyBounds() {
  return {kStartMax, kStartMin, kStartMax, kStartMin, kStartMax,
          kStartMin, kStartMax, kStartMin, kStartMax, kStartMin};
}

GraphBounds BoundSurfaceNodes(const GraphOptions& graph, const DrawContext& context) {
  GraphBounds b = EmptyBounds();
  const bool flat = Flat(context);
  const SurfaceView s(context.data, graph.StepU, graph.StepV);
  for (Long i = 0; i <= s.LastU(); ++i) {
    for (Long j = 0; j <= s.LastV(); ++j) {
      WidenByData(b, flat, s.X(i, j), s.Y(i, j), s.Z(i, j));
      Widen(s.C(i, j), b.maxC, b.minC);
    }
  }
  if (graph.ShowColormap || graph.ShowContour || graph.ShowVector) {
    (flat ? b.minZ : b.minY) -= kLayerDrop;
  }
  return b;
}

GraphBounds BoundTrianglePoints(const GraphOptions&, const DrawContext& context) {
  GraphBounds b = EmptyBounds();
  WidenByPoints(b, Flat(context), PointsView(context.data), true);
  return b;
}

GraphBounds BoundLineData(const GraphOptions& graph, const DrawContext& context) {
  GraphBounds b = EmptyBounds();
  WidenByPoints(b, Flat(context), PointsView(context.data), false);
  const SurfaceView row(context.data, 0, graph.StepU - 1);
  for (Long i = 0; row.LastU() == 0 && i <= row.LastV(); ++i) {
    WidenByData(b, Flat(context), row.X(0, i), row.Y(0, i), row.Z(0, i));
  }
  return b;
}

GraphBounds BoundVolumeNodes(const GraphOptions& graph, const DrawContext& context) {
  GraphBounds b = EmptyBounds();
  const VolumeView v(context.data, graph.StepU, graph.StepV, graph.StepH);
  for (Long i = 0; i <= v.LastU(); ++i) {
    for (Long j = 0; j <= v.LastV(); ++j) {
      for (Long k = 0; k <= v.LastH(); ++k) {
        WidenByData(b, Flat(context), v.X(i, j, k), v.Y(i, j, k), v.Z(i, j, k));
        Widen(v.V(i, j, k), b.maxV, b.minV);
      }
    }
  }
  return b;
}

GraphBounds BoundPoint(const GraphOptions& graph, const DrawContext& context) {
  GraphBounds b = EmptyBounds();
  const ScenePoint p = PointGraphPosition(graph, context);
  if (p.x == 0.0 && p.y == 0.0 && p.z == 0.0) {
    b.maxX = b.maxY = b.maxZ = 1.0;
    b.minX = b.minY = b.minZ = -1.0;
    return b;
  }
  FromOrigin(p.x, b.maxX, b.minX);
  FromOrigin(p.y, b.maxY, b.minY);
  FromOrigin(p.z, b.maxZ, b.minZ);
  return b;
}

GraphBounds Graph::Bound(const DrawContext& context) const {
  const BoundRule rule = KindOf(GraphType).bound;
  const GraphBounds b = rule != nullptr ? rule(*this, context) : EmptyBounds();
  MaxV = b.maxV;
  MInv = b.minV;
  return b;
}

Box Graph::GetBox(const DrawContext& context) const {
  const GraphBounds b = Bound(context);
  Box box;
  box.MaxX = b.maxX;
  box.MinX = b.minX;
  box.MaxY = b.maxY;
  box.MinY = b.minY;
  box.MaxZ = b.maxZ;
  box.MinZ = b.minZ;
  return box;
}

}  // namespace qv
