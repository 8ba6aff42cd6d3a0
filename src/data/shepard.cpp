#include "data/shepard.h"

namespace qv {
namespace {

// Below this the reciprocal of a squared distance could overflow to infinity.
constexpr double kCoincident = 1e-300;

}  // namespace

template <std::size_t D>
double ShepardAt(const ShepardPoints<D>& points, const std::array<double, D>& node) {
  const std::size_t n = points.values.size();
  double valueSum = 0.0;
  double weightSum = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    double d2 = 0.0;
    for (std::size_t a = 0; a < D; ++a) {
      const double t = points.coordinates[a][i] - node[a];
      d2 += t * t;
    }
    if (d2 < kCoincident) return points.values[i];
    const double weight = 1.0 / d2;
    valueSum += points.values[i] * weight;
    weightSum += weight;
  }
  return n == 0 ? 0.0 : valueSum / weightSum;
}

template double ShepardAt<2>(const ShepardPoints<2>&, const std::array<double, 2>&);
template double ShepardAt<3>(const ShepardPoints<3>&, const std::array<double, 3>&);

}  // namespace qv
