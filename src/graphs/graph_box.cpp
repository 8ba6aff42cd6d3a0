#include <algorithm>

#include "graphs/graph.h"
#include "data_view.h"
#include "graph_geometry.h"
#include "graphs/workspace.h"

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

}  // namespace

bool IsRegularSurfaceKind(Long graphType) {
  switch (graphType) {
    case 2: case 6: case 12: case 13: case 14: case 15: case 16: case 17: case 18: case 19:
    case 21: case 22:
      return true;
    default:
      return false;
  }
}

Graph::BoxFields Graph::ComputeBox() const {
  BoxFields b{kStartMax, kStartMin, kStartMax, kStartMin, kStartMax,
              kStartMin, kStartMax, kStartMin, kStartMax, kStartMin};
  const DataSet& data = Owner().dataSet;
  const Long t = GraphType;
  if (IsRegularSurfaceKind(t)) {
    const SurfaceView s(data, StepU, StepV);
    for (Long i = 0; i <= s.LastU(); ++i) {
      for (Long j = 0; j <= s.LastV(); ++j) {
        Widen(s.Y(i, j), b.maxX, b.minX);
        Widen(s.Z(i, j), b.maxY, b.minY);
        Widen(s.X(i, j), b.maxZ, b.minZ);
        Widen(s.C(i, j), b.maxC, b.minC);
      }
    }
    if (ShowColormap || ShowContour || ShowVector) b.minY -= kLayerDrop;
  } else if (t == kDelaunayGraph) {
    const PointsView p(data);
    for (Long k = 0; k < p.Count(); ++k) {
      Widen(p.Y(k), b.maxX, b.minX);
      Widen(p.Z(k), b.maxY, b.minY);
      Widen(p.X(k), b.maxZ, b.minZ);
      Widen(p.C(k), b.maxC, b.minC);
    }
  } else if (t == 0 || t == kLineGraph || t == 9 || t == 20 || t == 23) {
    const PointsView p(data);
    for (Long k = 0; k < p.Count(); ++k) {
      Widen(p.Y(k), b.maxX, b.minX);
      Widen(p.Z(k), b.maxY, b.minY);
      Widen(p.X(k), b.maxZ, b.minZ);
    }
    const SurfaceView row(data, 0, StepU - 1);
    for (Long i = 0; row.LastU() == 0 && i <= row.LastV(); ++i) {
      Widen(row.Y(0, i), b.maxX, b.minX);
      Widen(row.Z(0, i), b.maxY, b.minY);
      Widen(row.X(0, i), b.maxZ, b.minZ);
    }
  } else if (t >= kScatter4D && t <= kIsoSurface4D) {
    const VolumeView v(data, StepU, StepV, StepH);
    for (Long i = 0; i <= v.LastU(); ++i) {
      for (Long j = 0; j <= v.LastV(); ++j) {
        for (Long k = 0; k <= v.LastH(); ++k) {
          Widen(v.X(i, j, k), b.maxZ, b.minZ);
          Widen(v.Y(i, j, k), b.maxX, b.minX);
          Widen(v.Z(i, j, k), b.maxY, b.minY);
          Widen(v.V(i, j, k), b.maxV, b.minV);
        }
      }
    }
  } else if (t == kPointGraph) {
    const ScenePoint p = PointGraphPosition(*this);
    if (p.x == 0.0 && p.y == 0.0 && p.z == 0.0) {
      b.maxX = b.maxY = b.maxZ = 1.0;
      b.minX = b.minY = b.minZ = -1.0;
    } else {
      b.maxX = std::max(p.x, 0.0);
      b.minX = std::min(p.x, 0.0);
      b.maxY = std::max(p.y, 0.0);
      b.minY = std::min(p.y, 0.0);
      b.maxZ = std::max(p.z, 0.0);
      b.minZ = std::min(p.z, 0.0);
    }
  }
  return b;
}

void Graph::StoreBox(const BoxFields& b) const {
  boxMaxX_ = b.maxX;
  boxMinX_ = b.minX;
  boxMaxY_ = b.maxY;
  boxMinY_ = b.minY;
  boxMaxZ_ = b.maxZ;
  boxMinZ_ = b.minZ;
  boxMaxC_ = b.maxC;
  boxMinC_ = b.minC;
  MaxV = b.maxV;
  MInv = b.minV;
}

Box Graph::GetBox() const {
  const BoxFields b = ComputeBox();
  StoreBox(b);
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
