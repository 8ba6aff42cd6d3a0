#include "graph_geometry.h"

#include <cmath>

#include "data/data_panel.h"
#include "data_view.h"

namespace qv {

namespace {

// The typed point in data axes: PointZ, PointX, PointY, read as polar
// values for cylindrical and spherical data.
ScenePoint TypedPointInDataAxes(const GraphOptions& graph, Long dataKind) {
  const double r = graph.PointZ;
  const double theta = graph.PointX * kDegree;
  if (dataKind == kIrregularCylindrical) {
    return {r * std::cos(theta), r * std::sin(theta), graph.PointY};
  }
  if (dataKind == kIrregularSpherical) {
    const double phi = graph.PointY * kDegree;
    return {r * std::sin(phi) * std::cos(theta), r * std::sin(phi) * std::sin(theta),
            r * std::cos(phi)};
  }
  return {graph.PointZ, graph.PointX, graph.PointY};
}

}  // namespace

ScenePoint PointGraphPosition(const GraphOptions& graph, const DrawContext& context) {
  const SharedSettings& s = context.settings;
  if (s.ViewCode == kViewCode2D) {
    return {graph.PointY / s.DataScaleX, graph.PointZ / s.DataScaleY, 0.0};
  }
  // x, y, z here are data X, Y, Z.
  const ScenePoint data = TypedPointInDataAxes(graph, DataKindOf(context.data));
  return {data.y / s.DataScaleY, data.z / s.DataScaleZ, data.x / s.DataScaleX};
}

ScenePoint Cross(const ScenePoint& a, const ScenePoint& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Length(const ScenePoint& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

ScenePoint Normalized(const ScenePoint& v) {
  double length = Length(v);
  if (length == 0.0) length = 0.0001;
  return {v.x / length, v.y / length, v.z / length};
}

ScenePoint TriangleNormal(const ScenePoint& a, const ScenePoint& b, const ScenePoint& c) {
  const ScenePoint u{b.x - a.x, b.y - a.y, b.z - a.z};
  const ScenePoint v{c.x - a.x, c.y - a.y, c.z - a.z};
  return Normalized(Cross(u, v));
}

double SpanFraction(double v, double min, double span) {
  return span != 0.0 ? (v - min) / span : 0.0;
}

Rgb GradedColor(const Rgb& first, const Rgb& second, double f) {
  if (!(f >= 0.0)) f = 0.0;
  if (f > 1.0) f = 1.0;
  return {second.r + (first.r - second.r) * f, second.g + (first.g - second.g) * f,
          second.b + (first.b - second.b) * f};
}

}  // namespace qv
