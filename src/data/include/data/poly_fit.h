// Quadratic least-squares fits of scattered points: z(x, y) for surfaces and
// v(x, y, z) for volumes, the gridding's method 5 and method 103.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "data/matrix.h"

namespace qv {

// A fitted quadratic. The coordinates are centred and scaled before fitting
// (t = (x - centre) / scale per axis), which keeps the normal equations well
// conditioned for data far from the origin; Evaluate applies the same map.
// Coefficients follow the term order 1, x, y, xy, x^2, y^2 (surfaces) or
// 1, x, y, z, xy, xz, yz, x^2, y^2, z^2 (volumes), in the scaled coordinates.
template <std::size_t D>
struct QuadraticFit {
  std::array<double, D> centre{};
  std::array<double, D> scale{};
  std::vector<double> beta;

  double Evaluate(const std::array<double, D>& at) const;
};

// Fits z over the n rows of points (columns 1 = x, 2 = y, 3 = z; the table
// may have more rows). Returns false when the normal matrix is singular or
// so ill-conditioned that the coefficients would mean nothing: fewer than six
// distinct points, or points on a conic that makes two terms dependent.
bool PolyFit3D(const Matrix& points, Long n, QuadraticFit<2>& fit);

// Fits v over the n rows of points (columns x, y, z, v); false as PolyFit3D,
// with ten terms.
bool PolyFit4D(const Matrix& points, Long n, QuadraticFit<3>& fit);

}  // namespace qv
