// Exact-sign geometric predicates. Each first evaluates in double precision
// with a bound on its rounding error; only when the sign is in doubt is the
// determinant evaluated exactly (in wide integers when the coordinates allow,
// else in floating-point expansions), so the sign is always that of the
// exact value.
#pragma once

#include <cmath>

namespace qv {

namespace predicates_detail {
// The exact evaluations, for the rare calls whose sign the filter leaves in doubt.
double OrientSlow(double ax, double ay, double bx, double by, double cx, double cy);
double InCircleSlow(double ax, double ay, double bx, double by, double cx, double cy, double dx,
                    double dy);
// The general exact evaluations alone, whatever the coordinates: a second
// exact method to check the integer one against.
double OrientByExpansions(double ax, double ay, double bx, double by, double cx, double cy);
double InCircleByExpansions(double ax, double ay, double bx, double by, double cx, double cy,
                            double dx, double dy);
// Error bounds of the double-precision evaluations, relative to the sums of
// the magnitudes of their products (2^-53 is the unit roundoff).
inline constexpr double kEpsilon = 1.1102230246251565e-16;
inline constexpr double kOrientBound = (3.0 + 16.0 * kEpsilon) * kEpsilon;
inline constexpr double kInCircleBound = (10.0 + 96.0 * kEpsilon) * kEpsilon;
}  // namespace predicates_detail

// Positive when a, b, c turn counter-clockwise, negative when clockwise, 0
// when they lie on one line. The sign is exact; the magnitude is only
// approximate, and when the sign was in doubt it is 1.
// The filter is inline: the triangulation calls these for every step of its walks.
inline double Orient2D(double ax, double ay, double bx, double by, double cx, double cy) {
  const double left = (ax - cx) * (by - cy);
  const double right = (ay - cy) * (bx - cx);
  const double det = left - right;
  const double bound = predicates_detail::kOrientBound * (std::fabs(left) + std::fabs(right));
  if (det > bound || -det > bound) return det;
  return predicates_detail::OrientSlow(ax, ay, bx, by, cx, cy);
}

// For a, b, c counter-clockwise: positive when d lies inside their
// circumcircle, negative outside, 0 on it (the sign flips for clockwise a, b,
// c). The sign is exact; the magnitude as for Orient2D.
inline double InCircle(double ax, double ay, double bx, double by, double cx, double cy, double dx,
                       double dy) {
  const double adx = ax - dx, ady = ay - dy;
  const double bdx = bx - dx, bdy = by - dy;
  const double cdx = cx - dx, cdy = cy - dy;
  const double bdxcdy = bdx * cdy, cdxbdy = cdx * bdy;
  const double cdxady = cdx * ady, adxcdy = adx * cdy;
  const double adxbdy = adx * bdy, bdxady = bdx * ady;
  const double aLift = adx * adx + ady * ady;
  const double bLift = bdx * bdx + bdy * bdy;
  const double cLift = cdx * cdx + cdy * cdy;
  const double det =
      aLift * (bdxcdy - cdxbdy) + bLift * (cdxady - adxcdy) + cLift * (adxbdy - bdxady);
  const double permanent = (std::fabs(bdxcdy) + std::fabs(cdxbdy)) * aLift +
                           (std::fabs(cdxady) + std::fabs(adxcdy)) * bLift +
                           (std::fabs(adxbdy) + std::fabs(bdxady)) * cLift;
  const double bound = predicates_detail::kInCircleBound * permanent;
  if (det > bound || -det > bound) return det;
  return predicates_detail::InCircleSlow(ax, ay, bx, by, cx, cy, dx, dy);
}

}  // namespace qv
