#include "contour_drawing.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "draw_helpers.h"

namespace qv {

namespace {

// The two nodes of edge in a grid of ny nodes along the second index.
struct EdgeNodes {
  std::size_t a, b;
};

EdgeNodes NodesOf(const ContourEdge& e, Long ny) {
  const std::size_t a =
      static_cast<std::size_t>(e.i) * static_cast<std::size_t>(ny) + static_cast<std::size_t>(e.j);
  return {a, e.alongFirst ? a + static_cast<std::size_t>(ny) : a + 1};
}

double Lerp(const std::vector<double>& p, const EdgeNodes& n, double f) {
  return p[n.a] + f * (p[n.b] - p[n.a]);
}

// A point given in data axes, drawn in scene axes with the centre subtracted.
ScenePoint SceneOf(double x, double y, double z, const SharedSettings& s) {
  return {y - s.CenterY, z - s.CenterZ, x - s.CenterX};
}

}  // namespace

PlanePlacer::PlanePlacer(Long ny, std::vector<double> first, std::vector<double> second,
                         double third, bool flat2D, ContourPlane plane,
                         const SharedSettings& settings)
    : ny_(ny), third_(third), flat2D_(flat2D), plane_(plane), settings_(settings) {
  inPlane_.resize(std::min(first.size(), second.size()));
  for (std::size_t k = 0; k < inPlane_.size(); ++k) inPlane_[k] = {first[k], second[k]};
}

ScenePoint PlanePlacer::Place(const ContourEdge& edge, double f) const {
  const EdgeNodes n = NodesOf(edge, ny_);
  const std::array<double, 2>& a = inPlane_[n.a];
  const std::array<double, 2>& b = inPlane_[n.b];
  const double u = a[0] + f * (b[0] - a[0]);
  const double v = a[1] + f * (b[1] - a[1]);
  const SharedSettings& s = settings_;
  if (flat2D_) return {u - s.CenterX, v - s.CenterY, third_ - s.CenterZ};
  switch (plane_) {
    case ContourPlane::kConstantX: return SceneOf(third_, u, v, s);
    case ContourPlane::kConstantY: return SceneOf(u, third_, v, s);
    case ContourPlane::kConstantZ: break;
  }
  return SceneOf(u, v, third_, s);
}

SurfacePlacer::SurfacePlacer(Long ny, std::vector<double> p1, std::vector<double> p2,
                             std::vector<double> p3, SurfaceCoordinates coordinates,
                             const SharedSettings& settings)
    : ny_(ny),
      p1_(std::move(p1)),
      p2_(std::move(p2)),
      p3_(std::move(p3)),
      coordinates_(coordinates),
      settings_(settings) {}

ScenePoint SurfacePlacer::Place(const ContourEdge& edge, double f) const {
  const EdgeNodes n = NodesOf(edge, ny_);
  const double a = Lerp(p1_, n, f);
  const double b = Lerp(p2_, n, f);
  const double c = Lerp(p3_, n, f);
  const SharedSettings& s = settings_;
  switch (coordinates_) {
    case SurfaceCoordinates::kCylindrical:
      // a = angle, b = height, c = radius.
      return SceneOf(c * std::cos(a) / s.DataScaleX, c * std::sin(a) / s.DataScaleY,
                     b / s.DataScaleZ, s);
    case SurfaceCoordinates::kSpherical:
      // a = azimuth, b = polar angle, c = radius.
      return SceneOf(std::sin(b) * c * std::cos(a) / s.DataScaleX,
                     std::sin(b) * c * std::sin(a) / s.DataScaleY, std::cos(b) * c / s.DataScaleZ,
                     s);
    case SurfaceCoordinates::kCartesian: break;
  }
  return SceneOf(a, b, c, s);
}

ContourColoring ContourColoringOf(Graph& graph, Long mode, Long color1, Long color2) {
  ContourColoring coloring;
  coloring.mode = mode;
  coloring.color1 = color1;
  coloring.color2 = color2;
  if (mode == kContourMap) {
    coloring.map = graph.LoadedColorPoints();
  }
  return coloring;
}

void GlContourSink::BeginLevel(double, const std::optional<Rgb>& colour) {
  if (colour) glColor3d(colour->r, colour->g, colour->b);
}

void GlContourSink::BeginLine() { glBegin(GL_LINE_STRIP); }

void GlContourSink::Vertex(const ScenePoint& p) { glVertex3d(p.x, p.y, p.z); }

void GlContourSink::EndLine() { glEnd(); }

void BeginContourLines(Long width) {
  // The scene's jittered passes anti-alias the lines. Smoothed as well,
  // every segment would be blended over its neighbours' ends with the share
  // of the pixel it covers, so each joint inside a pixel shows lighter than
  // the line around it: with segments a grid cell long, the line looks
  // dashed, the more so the wider and the more curved it is.
  glDisable(GL_LIGHTING);
  glDisable(GL_LINE_SMOOTH);
  glDisable(GL_BLEND);
  glLineWidth(WidthOf(width));
}

void EndContourLines() { EndLineState(); }

}  // namespace qv
