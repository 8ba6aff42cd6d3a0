#include "graph_geometry.h"

#include <cmath>

#include "data/data_panel.h"
#include "data_view.h"

namespace qv {

namespace {
constexpr double kDegree = 3.1416 / 180.0;
}  // namespace

ScenePoint PointGraphPosition(const GraphOptions& graph, const DrawContext& context) {
  const SharedSettings& s = context.settings;
  if (s.ViewCode == kViewCode2D) {
    return {graph.PointY / s.DataScaleX, graph.PointZ / s.DataScaleY, 0.0};
  }
  // Data axes of the typed point.
  double dataX = graph.PointZ;
  double dataY = graph.PointX;
  double dataZ = graph.PointY;
  const Long kind = DataKindOf(context.data);
  if (kind == kIrregularCylindrical) {
    const double r = graph.PointZ;
    const double theta = graph.PointX * kDegree;
    dataX = r * std::cos(theta);
    dataY = r * std::sin(theta);
    dataZ = graph.PointY;
  } else if (kind == kIrregularSpherical) {
    const double r = graph.PointZ;
    const double theta = graph.PointX * kDegree;
    const double phi = graph.PointY * kDegree;
    dataX = r * std::sin(phi) * std::cos(theta);
    dataY = r * std::sin(phi) * std::sin(theta);
    dataZ = r * std::cos(phi);
  }
  return {dataY / s.DataScaleY, dataZ / s.DataScaleZ, dataX / s.DataScaleX};
}

ScenePoint Cross(const ScenePoint& a, const ScenePoint& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

ScenePoint Normalized(const ScenePoint& v) {
  double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
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
