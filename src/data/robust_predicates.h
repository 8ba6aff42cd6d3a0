// Exact-sign geometric predicates. Each first evaluates in double precision
// with a bound on its rounding error; only when the sign is in doubt is the
// determinant evaluated exactly (floating-point expansions), so the sign is
// always that of the exact value.
#pragma once

namespace qv {

// Positive when a, b, c turn counter-clockwise, negative when clockwise, 0
// when they lie on one line. The magnitude is approximate; the sign is exact.
double Orient2D(double ax, double ay, double bx, double by, double cx, double cy);

// For a, b, c counter-clockwise: positive when d lies inside their
// circumcircle, negative outside, 0 on it (the sign flips for clockwise a, b,
// c). The magnitude is approximate; the sign is exact.
double InCircle(double ax, double ay, double bx, double by, double cx, double cy, double dx,
                double dy);

}  // namespace qv
