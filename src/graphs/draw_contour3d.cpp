// The 3D contour plot: contour lines of the colour column drawn on the
// regular surface itself, in Cartesian, cylindrical and spherical data.
#include <GL/gl.h>

#include <utility>
#include <vector>

#include "contour_drawing.h"
#include "data/data_panel.h"
#include "data/data_set.h"
#include "data_view.h"
#include "draw_helpers.h"
#include "drawers.h"

namespace qv {

namespace {

// How much of the depth range the lines are drawn nearer at its far end.
constexpr double kNearer = 0.002;

SurfaceCoordinates CoordinatesOf(Long kind) {
  switch (kind) {
    case kRegularCylindrical:
    case kIrregularCylindrical: return SurfaceCoordinates::kCylindrical;
    case kRegularSpherical:
    case kIrregularSpherical: return SurfaceCoordinates::kSpherical;
    default: return SurfaceCoordinates::kCartesian;
  }
}

// Whether a polar array holds every node the view reads.
bool Covers(const CheckedArray<double, 2>& a, const SurfaceView& s) {
  return a.Allocated() && a.Lower(0) == 0 && a.Lower(1) == 0 && a.Upper(0) >= s.LastU() &&
         a.Upper(1) >= s.LastV();
}

// The node parameters of the surface (SurfacePlacer) and its colour values.
struct SurfaceGrid {
  std::vector<double> p1, p2, p3, values;
};

// Cartesian: the scaled X, Y, Z. Cylindrical: the typed angle A, height D
// and radius B. Spherical: the typed azimuth A, polar angle B and radius D.
// Empty when the polar arrays do not hold every node.
SurfaceGrid GridOf(const DataSet& d, const SurfaceView& s, SurfaceCoordinates coordinates) {
  SurfaceGrid g;
  const bool polar = coordinates != SurfaceCoordinates::kCartesian;
  if (polar &&
      !(Covers(d.Reg3DAArray(), s) && Covers(d.Reg3DBArray(), s) && Covers(d.Reg3DDArray(), s))) {
    return g;
  }
  for (Long i = 0; i <= s.LastU(); ++i) {
    for (Long j = 0; j <= s.LastV(); ++j) {
      g.values.push_back(s.C(i, j));
      switch (coordinates) {
        case SurfaceCoordinates::kCartesian:
          g.p1.push_back(s.X(i, j));
          g.p2.push_back(s.Y(i, j));
          g.p3.push_back(s.Z(i, j));
          break;
        case SurfaceCoordinates::kCylindrical:
          g.p1.push_back(d.Reg3DA(i, j) * kDegree);
          g.p2.push_back(d.Reg3DD(i, j));
          g.p3.push_back(d.Reg3DB(i, j));
          break;
        case SurfaceCoordinates::kSpherical:
          g.p1.push_back(d.Reg3DA(i, j) * kDegree);
          g.p2.push_back(d.Reg3DB(i, j) * kDegree);
          g.p3.push_back(d.Reg3DD(i, j));
          break;
      }
    }
  }
  return g;
}

}  // namespace

void TraceContour3D(Graph& graph, const DrawContext& context, ContourSink& sink) {
  const SharedSettings& s = context.settings;
  const Long kind = DataKindOf(context.data);
  if (s.ViewCode != kViewCode3D || kind == kRegularVolume || kind == kIrregularVolume) return;
  const SurfaceView view(context.data, graph.StepU, graph.StepV);
  if (view.Empty()) return;
  const SurfaceCoordinates coordinates = CoordinatesOf(kind);
  SurfaceGrid grid = GridOf(context.data, view, coordinates);
  if (grid.values.empty()) return;
  const Long ny = view.LastV() + 1;
  ContourTracer tracer(view.LastU() + 1, ny, std::move(grid.values), graph.Contour3Levels);
  const SurfacePlacer placer(ny, std::move(grid.p1), std::move(grid.p2), std::move(grid.p3),
                             coordinates, s);
  tracer.Trace(placer,
               ContourColoringOf(graph, graph.Con3FillType, graph.Con3Color1, graph.Con3Color2),
               sink);
}

// 3D contour plot: its lines (TraceContour3D), Con3Width pixels wide.
void DrawContour3D(Graph& graph, const DrawContext& context, const GraphBounds&) {
  // The lines lie exactly on the surface, which is usually drawn too: drawn
  // at the same depth as its cells they would show only in dashes. A depth
  // range a little nearer keeps them in front of the surface they lie on
  // (by far less than any fold of it).
  GLdouble range[2];
  glGetDoublev(GL_DEPTH_RANGE, range);
  glDepthRange(range[0], range[0] + (range[1] - range[0]) * (1.0 - kNearer));
  BeginContourLines(graph.Con3Width);
  GlContourSink sink;
  TraceContour3D(graph, context, sink);
  EndContourLines();
  glDepthRange(range[0], range[1]);
}

}  // namespace qv
