// The fill-style colours of one surface drawing: what every vertex colour
// is chosen from.
#pragma once

#include <optional>

#include "graph_bounds.h"
#include "graph_geometry.h"
#include "graphs/graph.h"

namespace qv {

struct SurfaceColors {
  Rgb first;
  Rgb second;
  Long fillStyle = 0;
  // Box pairs (scene axes) and the colour-value range.
  double minX = 0, spanX = 0, minY = 0, spanY = 0, minZ = 0, spanZ = 0, minC = 0, spanC = 0;
  ColorPointList map;

  // The FillStyle colour of a vertex at p with colour value c; none for a
  // style that sets no colour. 0, 1, 2 blend from the second colour at the
  // minimum to the first at the maximum of the first, third and second box
  // pair; 3 is the first colour; 4 the colour map over the colour-value range.
  std::optional<Rgb> At(const ScenePoint& p, double c) const;
};

// The options a kind is coloured by: a FillStyle code and the two colours
// of its blend (first at the maximum, second at the minimum; first alone as
// the one colour).
struct ColourOptions {
  Long fillStyle = 0;
  Long first = 0;
  Long second = 0;
};
// FillStyle, FirstColor, SecondColor: what the surface kinds use.
ColourOptions SurfaceColourOptions(const GraphOptions& graph);
// ColorMapfilltype, ColorMapcolor1, ColorMapcolor2: the colour-map kind's own.
ColourOptions ColorMapColourOptions(const GraphOptions& graph);

// The colours of graph over bounds by options. With FillStyle 4 the graph's
// named map is loaded once (an empty ColorName becoming "Rainbow"), which
// gives the colours GetMapColor gives vertex by vertex.
SurfaceColors SurfaceColorsOf(Graph& graph, const GraphBounds& bounds,
                              const ColourOptions& options);
// The same with the surface kinds' options.
SurfaceColors SurfaceColorsOf(Graph& graph, const GraphBounds& bounds);

}  // namespace qv
