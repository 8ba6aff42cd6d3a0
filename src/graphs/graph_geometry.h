// Geometry shared by the bounds and the drawing of the graphs: where a point
// graph lies, surface normals and the graded colours of the fill styles.
// Plain maths, no OpenGL.
#pragma once

#include "graphs/color_map.h"
#include "graphs/draw_context.h"
#include "graphs/graph_options.h"
#include "platform/runtime.h"

namespace qv {

// The program's degree factor, the one the data set turns the typed angles
// with: the graphs use the same so that what they draw meets the drawn nodes.
inline constexpr double kDegree = 3.1416 / 180.0;

// A position in scene axes (x = data Y, y = data Z, z = data X), not centred.
struct ScenePoint {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

// Where a point graph is drawn, in scene axes and scaled units. 3D and 4D:
// (PointX / DataScaleY, PointY / DataScaleZ, PointZ / DataScaleX). 2D: the
// point lies in the plane z = 0 at (PointY / DataScaleX, PointZ / DataScaleY).
// For cylindrical and spherical data the typed values are polar: x (in
// PointZ) is the radius r, y (in PointX) the angle theta in degrees and z (in
// PointY) the height (cylindrical) or the polar angle phi in degrees
// (spherical); the Cartesian point is r cos(theta), r sin(theta), z, or
// r sin(phi) cos(theta), r sin(phi) sin(theta), r cos(phi), with degrees
// turned into radians by 3.1416 / 180.
ScenePoint PointGraphPosition(const GraphOptions& graph, const DrawContext& context);

// Unit normal of the triangle (a, b, c) by the right-hand rule; a degenerate
// triangle (length 0) is divided by 0.0001 instead, giving a finite vector.
ScenePoint TriangleNormal(const ScenePoint& a, const ScenePoint& b, const ScenePoint& c);
// The length of v.
double Length(const ScenePoint& v);
// v divided by its length, or by 0.0001 when the length is 0.
ScenePoint Normalized(const ScenePoint& v);
ScenePoint Cross(const ScenePoint& a, const ScenePoint& b);

// The colour of the graded fill styles at fraction f of the span:
// second + (first - second) * f, with f clamped to 0..1 (0 for a NaN).
Rgb GradedColor(const Rgb& first, const Rgb& second, double f);
// (v - min) / span, or 0 for an empty span.
double SpanFraction(double v, double min, double span);

}  // namespace qv
