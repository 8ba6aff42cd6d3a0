#include "surface_colors.h"

namespace qv {

std::optional<Rgb> SurfaceColors::At(const ScenePoint& p, double c) const {
  switch (fillStyle) {
    case 0: return GradedColor(first, second, SpanFraction(p.x, minX, spanX));
    case 1: return GradedColor(first, second, SpanFraction(p.z, minZ, spanZ));
    case 2: return GradedColor(first, second, SpanFraction(p.y, minY, spanY));
    case 3: return first;
    case 4: return LookupColor(map, MapScale(c, minC, spanC));
    default: return std::nullopt;
  }
}

ColourOptions SurfaceColourOptions(const GraphOptions& graph) {
  return {graph.FillStyle, graph.FirstColor, graph.SecondColor};
}

ColourOptions ColorMapColourOptions(const GraphOptions& graph) {
  return {graph.ColorMapfilltype, graph.ColorMapcolor1, graph.ColorMapcolor2};
}

SurfaceColors SurfaceColorsOf(Graph& graph, const GraphBounds& b) {
  return SurfaceColorsOf(graph, b, SurfaceColourOptions(graph));
}

SurfaceColors SurfaceColorsOf(Graph& graph, const GraphBounds& b, const ColourOptions& options) {
  SurfaceColors colors;
  colors.first = SplitColor(options.first);
  colors.second = SplitColor(options.second);
  colors.fillStyle = options.fillStyle;
  colors.minX = b.minX;
  colors.spanX = b.maxX - b.minX;
  colors.minY = b.minY;
  colors.spanY = b.maxY - b.minY;
  colors.minZ = b.minZ;
  colors.spanZ = b.maxZ - b.minZ;
  colors.minC = b.minC;
  colors.spanC = b.maxC - b.minC;
  if (options.fillStyle == 4) {
    colors.map = graph.LoadedColorPoints();
  }
  return colors;
}

}  // namespace qv
