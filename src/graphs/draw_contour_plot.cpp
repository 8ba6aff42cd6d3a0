// The contour plot and the contour layer under a surface: contour lines of
// the heights of the regular surface in a flat plane, at multiples of the
// graph's interval in data units.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "contour_drawing.h"
#include "data_view.h"
#include "draw_helpers.h"
#include "drawers.h"

namespace qv {

namespace {

// The layer's lines stand this far (scaled units) above the colour-map
// layer that shares its plane, so that they are not lost in its depth.
constexpr double kLayerLift = 0.02;

// The regular surface as a grid of heights to contour: node (i, j) at
// i * ny + j with its height in data units and its data X and Y in scaled
// units.
struct HeightGrid {
  Long nx = 0;
  Long ny = 0;
  std::vector<double> heights;
  std::vector<double> x;
  std::vector<double> y;
  // Lowest and highest node, scaled units.
  double lowest = INFINITY;
  double highest = -INFINITY;
};

HeightGrid HeightGridOf(const SurfaceView& s, double heightScale) {
  HeightGrid g;
  if (s.Empty()) return g;
  g.nx = s.LastU() + 1;
  g.ny = s.LastV() + 1;
  const auto count = static_cast<std::size_t>(g.nx) * static_cast<std::size_t>(g.ny);
  g.heights.reserve(count);
  g.x.reserve(count);
  g.y.reserve(count);
  for (Long i = 0; i < g.nx; ++i) {
    for (Long j = 0; j < g.ny; ++j) {
      const double z = s.Z(i, j);
      g.heights.push_back(z * heightScale);
      g.x.push_back(s.X(i, j));
      g.y.push_back(s.Y(i, j));
      g.lowest = std::min(g.lowest, z);
      g.highest = std::max(g.highest, z);
    }
  }
  return g;
}

// The lines of grid at multiples of step in the plane of constant height
// (a 2D document's plane when flat2D) at third.
void TraceHeights(HeightGrid grid, double step, bool flat2D, double third,
                  const ContourColoring& coloring, const SharedSettings& s, ContourSink& sink) {
  ContourTracer tracer(grid.nx, grid.ny, std::move(grid.heights), step);
  const PlanePlacer placer(grid.ny, std::move(grid.x), std::move(grid.y), third, flat2D,
                           ContourPlane::kConstantZ, s);
  tracer.Trace(placer, coloring, sink);
}

}  // namespace

void TraceContourPlot(Graph& graph, const DrawContext& context, ContourSink& sink) {
  const SharedSettings& s = context.settings;
  HeightGrid grid = HeightGridOf(SurfaceView(context.data, graph.StepU, graph.StepV), s.DataScaleZ);
  if (grid.nx == 0) return;
  const bool flat2D = s.ViewCode == kViewCode2D;
  const double third = flat2D ? grid.highest : grid.lowest;
  const ContourColoring coloring =
      ContourColoringOf(graph, graph.ConFillType, graph.ConColor1, graph.ConColor2);
  TraceHeights(std::move(grid), graph.ContourLevels, flat2D, third, coloring, s, sink);
}

void TraceSurfaceContours(Graph& graph, const DrawContext& context, ContourSink& sink) {
  const SharedSettings& s = context.settings;
  HeightGrid grid = HeightGridOf(SurfaceView(context.data, graph.StepU, graph.StepV), s.DataScaleZ);
  if (grid.nx == 0) return;
  const double third = grid.lowest - kLayerDrop + kLayerLift;
  const ContourColoring coloring =
      ContourColoringOf(graph, kContourSingle, graph.LineColor, graph.LineColor);
  TraceHeights(std::move(grid), graph.ContourLevel, false, third, coloring, s, sink);
}

// Contour plot: its lines (TraceContourPlot), ConWidth pixels wide.
void DrawContourPlot(Graph& graph, const DrawContext& context, const GraphBounds&) {
  BeginContourLines(graph.ConWidth);
  GlContourSink sink;
  TraceContourPlot(graph, context, sink);
  EndContourLines();
}

// The contour layer under a surface (TraceSurfaceContours), LineWidth
// pixels wide.
void DrawSurfaceContours(Graph& graph, const DrawContext& context, const GraphBounds&) {
  BeginContourLines(graph.LineWidth);
  GlContourSink sink;
  TraceSurfaceContours(graph, context, sink);
  EndContourLines();
}

}  // namespace qv
