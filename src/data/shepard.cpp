#include "data/shepard.h"

#include <cstring>

namespace qv {
namespace {

// Below this the reciprocal of a squared distance could overflow to infinity.
constexpr double kCoincident = 1e-300;
// Products of two squared distances up to this have a normal reciprocal.
constexpr double kLargestProduct = 1e300;

// Every node is a sum over all points, some ten billion terms for a large
// grid: the terms go eight at a time through vector registers as wide as
// the processor has (one build of the loop per width, chosen at start), and
// the divisions, the slowest part, serve two terms each: with r = 1 / (a b),
// 1 / a = b r and 1 / b = a r. The weights then differ from 1 / d by a unit
// or two in the last place and the sums are added in another order, both
// far below a part in a billion.
constexpr std::size_t kLanes = 8;
using Lanes = double __attribute__((vector_size(kLanes * sizeof(double))));
using LaneMask = long long __attribute__((vector_size(kLanes * sizeof(long long))));

// By reference: a vector passed by value would change with the build's width.
[[gnu::always_inline]] inline Lanes& Load(Lanes& v, const double* from) {
  std::memcpy(&v, from, sizeof v);
  return v;
}

[[gnu::always_inline]] inline double Total(const Lanes& v) {
  double sum = 0.0;
  for (std::size_t k = 0; k < kLanes; ++k) sum += v[k];
  return sum;
}

template <std::size_t D>
struct View {
  const double* at[D];
  std::size_t count;
  double SquaredDistance(std::size_t i, const double* node) const {
    double d2 = 0.0;
    for (std::size_t a = 0; a < D; ++a) {
      const double t = at[a][i] - node[a];
      d2 += t * t;
    }
    return d2;
  }
};

// The squared distances from node of the eight points from `first` on.
template <std::size_t D>
[[gnu::always_inline]] inline void Distances(const View<D>& points, std::size_t first,
                                             const double* node, Lanes& d2) {
  Lanes loaded;
  for (std::size_t a = 0; a < D; ++a) {
    const Lanes t = Load(loaded, points.at[a] + first) - node[a];
    // The first axis alone: 0 + t^2 is t^2 exactly.
    d2 = a == 0 ? t * t : d2 + t * t;
  }
}

// The weight sum and the weighted value sums of S value sets at node, one
// division a term; the index of the first point closer than kCoincident
// instead, when there is one (else the point count).
template <std::size_t D, std::size_t S>
[[gnu::always_inline]] inline std::size_t PlainSums(const View<D>& points,
                                                    const double* const* values, const double* node,
                                                    double& weightSum, double* valueSums) {
  const std::size_t n = points.count, blocks = n / kLanes;
  Lanes weight{}, value[S]{};
  LaneMask near{};
  for (std::size_t b = 0; b < blocks; ++b) {
    const std::size_t first = b * kLanes;
    Lanes d2, loaded;
    Distances(points, first, node, d2);
    near |= d2 < kCoincident;
    const Lanes w = 1.0 / d2;
    weight += w;
    for (std::size_t s = 0; s < S; ++s) value[s] += Load(loaded, values[s] + first) * w;
  }
  bool anyNear = false;
  for (std::size_t k = 0; k < kLanes; ++k) anyNear = anyNear || near[k] != 0;
  weightSum = Total(weight);
  for (std::size_t s = 0; s < S; ++s) valueSums[s] = Total(value[s]);
  for (std::size_t i = blocks * kLanes; i < n && !anyNear; ++i) {
    const double d2 = points.SquaredDistance(i, node);
    anyNear = d2 < kCoincident;
    const double w = 1.0 / d2;
    weightSum += w;
    for (std::size_t s = 0; s < S; ++s) valueSums[s] += values[s][i] * w;
  }
  if (!anyNear) return n;
  std::size_t i = 0;
  while (!(points.SquaredDistance(i, node) < kCoincident)) ++i;
  return i;
}

// As PlainSums, a division for two terms (blocks of eight paired); false,
// the sums unspecified, when a point lies closer than kCoincident or a
// product of two squared distances leaves the range where that is exact
// enough: then the plain sums are to be taken.
template <std::size_t D, std::size_t S>
[[gnu::always_inline]] inline bool PairedSums(const View<D>& points, const double* const* values,
                                              const double* node, double& weightSum,
                                              double* valueSums) {
  const std::size_t n = points.count, pairs = n / (2 * kLanes);
  Lanes weight{}, value[S]{};
  Lanes low = Lanes{} + kLargestProduct, high{};
  for (std::size_t p = 0; p < pairs; ++p) {
    const std::size_t first = 2 * kLanes * p, second = first + kLanes;
    Lanes a, b, loaded;
    Distances(points, first, node, a);
    Distances(points, second, node, b);
    const Lanes product = a * b;
    low = a < low ? a : low;
    low = b < low ? b : low;
    low = product < low ? product : low;
    high = product > high ? product : high;
    const Lanes r = 1.0 / product;
    const Lanes wa = b * r, wb = a * r;
    weight += wa;
    weight += wb;
    for (std::size_t s = 0; s < S; ++s) {
      value[s] += Load(loaded, values[s] + first) * wa;
      value[s] += Load(loaded, values[s] + second) * wb;
    }
  }
  for (std::size_t k = 0; k < kLanes; ++k) {
    if (low[k] < kCoincident || high[k] > kLargestProduct) return false;
  }
  weightSum = Total(weight);
  for (std::size_t s = 0; s < S; ++s) valueSums[s] = Total(value[s]);
  for (std::size_t i = pairs * 2 * kLanes; i < n; ++i) {
    const double d2 = points.SquaredDistance(i, node);
    if (d2 < kCoincident) return false;
    const double w = 1.0 / d2;
    weightSum += w;
    for (std::size_t s = 0; s < S; ++s) valueSums[s] += values[s][i] * w;
  }
  return true;
}

template <std::size_t D, std::size_t S>
[[gnu::always_inline]] inline std::size_t Sums(const View<D>& points, const double* const* values,
                                               const double* node, double& weightSum,
                                               double* valueSums) {
  if (PairedSums<D, S>(points, values, node, weightSum, valueSums)) return points.count;
  return PlainSums<D, S>(points, values, node, weightSum, valueSums);
}

__attribute__((target_clones("avx512f", "avx2", "default"))) std::size_t Sums2(
    const View<2>& points, const double* const* values, std::size_t sets, const double* node,
    double& weightSum, double* valueSums) {
  if (sets == 2) return Sums<2, 2>(points, values, node, weightSum, valueSums);
  return Sums<2, 1>(points, values, node, weightSum, valueSums);
}

__attribute__((target_clones("avx512f", "avx2", "default"))) std::size_t Sums3(
    const View<3>& points, const double* const* values, const double* node, double& weightSum,
    double* valueSums) {
  return Sums<3, 1>(points, values, node, weightSum, valueSums);
}

template <std::size_t D>
View<D> ViewOf(const ShepardPoints<D>& points) {
  View<D> view;
  for (std::size_t a = 0; a < D; ++a) view.at[a] = points.coordinates[a].data();
  view.count = points.values.size();
  return view;
}

}  // namespace

template <std::size_t D>
double ShepardAt(const ShepardPoints<D>& points, const std::array<double, D>& node) {
  const View<D> view = ViewOf(points);
  if (view.count == 0) return 0.0;
  const double* values[1] = {points.values.data()};
  double weightSum = 0.0, valueSum = 0.0;
  std::size_t at = 0;
  if constexpr (D == 2) {
    at = Sums2(view, values, 1, node.data(), weightSum, &valueSum);
  } else {
    at = Sums3(view, values, node.data(), weightSum, &valueSum);
  }
  return at < view.count ? points.values[at] : valueSum / weightSum;
}

template double ShepardAt<2>(const ShepardPoints<2>&, const std::array<double, 2>&);
template double ShepardAt<3>(const ShepardPoints<3>&, const std::array<double, 3>&);

std::array<double, 2> ShepardAt(const ShepardPoints<2>& points, const std::vector<double>& second,
                                const std::array<double, 2>& node) {
  const View<2> view = ViewOf(points);
  if (view.count == 0) return {0.0, 0.0};
  const double* values[2] = {points.values.data(), second.data()};
  double weightSum = 0.0, valueSums[2] = {0.0, 0.0};
  const std::size_t at = Sums2(view, values, 2, node.data(), weightSum, valueSums);
  if (at < view.count) return {points.values[at], second[at]};
  return {valueSums[0] / weightSum, valueSums[1] / weightSum};
}

}  // namespace qv
