// The bounding rules of the graph kinds: a graph's extent in scene axes
// (x = data Y, y = data Z, z = data X; in a 2D document x = data X, y = data
// Y, z = the value Z), in the data set's scaled units and not centred, with
// the range of its colour values and of its volume values.
//
//        y (data Z)
//        |
//        +---- x (data Y)
//       /
//      z (data X)
#pragma once

#include "graphs/draw_context.h"
#include "graphs/graph_options.h"

namespace qv {

struct GraphBounds {
  double maxX, minX, maxY, minY, maxZ, minZ;
  // Colour values (the colour column) of the surface and Delaunay kinds.
  double maxC, minC;
  // Values V of the 4D kinds.
  double maxV, minV;
};

// Inverted bounds (every maximum -99999990000, every minimum 99999990000),
// which any value widens to itself: what a kind outside the scene box gives.
GraphBounds EmptyBounds();

// The nodes 0..StepU x 0..StepV of the regular surface, with their colour
// values; 3 units lower in height (the value) when a colour-map, contour or
// vector layer lies under the surface (ShowColormap, ShowContour, ShowVector).
GraphBounds BoundSurfaceNodes(const GraphOptions& graph, const DrawContext& context);
// The irregular points with their colour values (the Delaunay kind).
GraphBounds BoundTrianglePoints(const GraphOptions& graph, const DrawContext& context);
// The irregular points and, when the data set is one grid row, the nodes
// 0..StepU-1 of that row (no colour values).
GraphBounds BoundLineData(const GraphOptions& graph, const DrawContext& context);
// The nodes 0..StepU x 0..StepV x 0..StepH of the regular volume, with their
// values V.
GraphBounds BoundVolumeNodes(const GraphOptions& graph, const DrawContext& context);
// From the origin to the point graph's position (PointGraphPosition); -1..1
// on every axis for a point at the origin.
GraphBounds BoundPoint(const GraphOptions& graph, const DrawContext& context);

}  // namespace qv
