#include "data/poly_fit.h"

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

// A normal matrix whose 1-norm condition number exceeds this gives
// coefficients dominated by rounding: the fit counts as singular.
constexpr double kMaxCondition = 1e12;

// The terms of the quadratic at scaled coordinates t, in the fixed order.
template <std::size_t D>
void Terms(const std::array<double, D>& t, double* out) {
  std::size_t k = 0;
  out[k++] = 1.0;
  for (std::size_t a = 0; a < D; ++a) out[k++] = t[a];
  for (std::size_t a = 0; a < D; ++a) {
    for (std::size_t b = a + 1; b < D; ++b) out[k++] = t[a] * t[b];
  }
  for (std::size_t a = 0; a < D; ++a) out[k++] = t[a] * t[a];
}

constexpr std::size_t TermCount(std::size_t d) { return 1 + d + d * (d - 1) / 2 + d; }

template <std::size_t D>
std::array<double, D> Scaled(const QuadraticFit<D>& fit, const std::array<double, D>& at) {
  std::array<double, D> t;
  for (std::size_t a = 0; a < D; ++a) t[a] = (at[a] - fit.centre[a]) / fit.scale[a];
  return t;
}

double NormOne(const Matrix& m, Long n) {
  double best = 0.0;
  for (Long j = 1; j <= n; ++j) {
    double sum = 0.0;
    for (Long i = 1; i <= n; ++i) sum += std::fabs(m(i, j));
    best = std::max(best, sum);
  }
  return best;
}

template <std::size_t D>
bool Fit(const Matrix& points, Long n, QuadraticFit<D>& fit) {
  constexpr auto p = static_cast<Long>(TermCount(D));
  if (n < p) return false;
  for (std::size_t a = 0; a < D; ++a) {
    double low = points(1, static_cast<Long>(a + 1)), high = low;
    for (Long i = 2; i <= n; ++i) {
      low = std::min(low, points(i, static_cast<Long>(a + 1)));
      high = std::max(high, points(i, static_cast<Long>(a + 1)));
    }
    fit.centre[a] = 0.5 * (low + high);
    fit.scale[a] = high > low ? 0.5 * (high - low) : 1.0;
  }
  // The design matrix X (n x p, sized by the count) and the observations Y.
  Matrix x(n, p), y(n, 1);
  double row[TermCount(3)];
  for (Long i = 1; i <= n; ++i) {
    std::array<double, D> at;
    for (std::size_t a = 0; a < D; ++a) at[a] = points(i, static_cast<Long>(a + 1));
    Terms<D>(Scaled(fit, at), row);
    for (Long j = 1; j <= p; ++j) x(i, j) = row[j - 1];
    y(i, 1) = points(i, static_cast<Long>(D + 1));
  }
  Matrix xt, normal, inverse, projector, beta;
  MatTranspose(p, n, x, xt);
  MatMultiply(p, n, p, xt, x, normal);
  if (!MatInverse(p, normal, inverse)) return false;
  if (NormOne(normal, p) * NormOne(inverse, p) > kMaxCondition) return false;
  MatMultiply(p, p, n, inverse, xt, projector);
  MatMultiply(p, n, 1, projector, y, beta);
  fit.beta.resize(static_cast<std::size_t>(p));
  for (Long j = 1; j <= p; ++j) fit.beta[static_cast<std::size_t>(j - 1)] = beta(j, 1);
  return true;
}

}  // namespace

template <std::size_t D>
double QuadraticFit<D>::Evaluate(const std::array<double, D>& at) const {
  double terms[TermCount(3)] = {};
  Terms<D>(Scaled(*this, at), terms);
  double sum = 0.0;
  // A fit never made has no coefficients and evaluates to 0.
  const std::size_t count = std::min(beta.size(), TermCount(D));
  for (std::size_t k = 0; k < count; ++k) sum += beta[k] * terms[k];
  return sum;
}

template struct QuadraticFit<2>;
template struct QuadraticFit<3>;

bool PolyFit3D(const Matrix& points, Long n, QuadraticFit<2>& fit) {
  return Fit<2>(points, n, fit);
}
bool PolyFit4D(const Matrix& points, Long n, QuadraticFit<3>& fit) {
  return Fit<3>(points, n, fit);
}

}  // namespace qv
