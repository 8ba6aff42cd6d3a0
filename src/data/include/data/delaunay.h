// Delaunay triangulation of points in the plane, for the "Delaunay Triangles"
// graph.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/runtime.h"

namespace qv {

// One triangle: three 1-based point numbers. Point number k is point k - 1 of
// the caller's arrays. Corners run clockwise (x to the right, y up), the
// winding the surface drawing expects.
struct DelaunayTri {
  Long V1 = 0;
  Long V2 = 0;
  Long V3 = 0;
  bool operator==(const DelaunayTri&) const = default;
};

struct DelaunayResult {
  std::vector<DelaunayTri> triangles;
  // Points skipped because an earlier point has the same coordinates.
  std::size_t duplicates = 0;
};

// The Delaunay triangulation of the n points (x[i], y[i]): every point is a
// corner, no point lies strictly inside any triangle's circumcircle, and the
// triangles cover the convex hull. For n points in general position there
// are 2n - 2 - h triangles (h points on the hull). Fewer than three distinct
// points, or all points on one line, give no triangles. Points with equal
// coordinates are triangulated once (the first of them). Exact predicates
// keep collinear and cocircular points safe. Non-finite coordinates throw
// std::invalid_argument.
DelaunayResult TriangulatePoints(const double* x, const double* y, std::size_t n);

// The circle through (x1, y1), (x2, y2), (x3, y3): true when (xp, yp) lies
// inside it or on it, with the centre in xc, yc and the radius in r. Corners
// on one line (or coincident) have no circle: false, outputs unchanged.
bool InCircum(double xp, double yp, double x1, double y1, double x2, double y2, double x3,
              double y3, double& xc, double& yc, double& r);

}  // namespace qv
