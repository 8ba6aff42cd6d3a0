#include "data/nearest_point_index.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv {
namespace {

// About two points per bucket keeps both the bucket and the ring walk short.
constexpr double kPointsPerCell = 2.0;

bool Before(const Neighbour& a, const Neighbour& b) {
  return a.distance2 < b.distance2 || (a.distance2 == b.distance2 && a.index < b.index);
}

void Offer(const Neighbour& candidate, std::size_t k, std::vector<Neighbour>& best) {
  if (best.size() == k && !Before(candidate, best.back())) return;
  auto at = std::upper_bound(best.begin(), best.end(), candidate, Before);
  best.insert(at, candidate);
  if (best.size() > k) best.pop_back();
}

}  // namespace

template <std::size_t D>
NearestPointIndex<D>::NearestPointIndex(std::vector<Point> points, Point divisors)
    : points_(std::move(points)), divisors_(divisors) {
  for (double& d : divisors_) {
    if (d == 0.0 || !std::isfinite(d)) d = 1.0;
  }
  const std::size_t n = points_.size();
  Point high{};
  low_.fill(std::numeric_limits<double>::infinity());
  high.fill(-std::numeric_limits<double>::infinity());
  double largest = 0.0;
  for (const Point& p : points_) {
    for (std::size_t a = 0; a < D; ++a) {
      const double s = p[a] / divisors_[a];
      low_[a] = std::min(low_[a], s);
      high[a] = std::max(high[a], s);
      largest = std::max(largest, std::fabs(s));
    }
  }
  const double perAxis =
      std::max(1.0, std::floor(std::pow(static_cast<double>(n) / kPointsPerCell, 1.0 / D)));
  std::size_t total = 1;
  for (std::size_t a = 0; a < D; ++a) {
    if (n == 0) {
      low_[a] = 0.0;
      high[a] = 0.0;
    }
    const double extent = high[a] - low_[a];
    cells_[a] = extent > 0.0 ? static_cast<std::ptrdiff_t>(perAxis) : 1;
    cellSize_[a] = extent > 0.0 ? extent / static_cast<double>(cells_[a]) : 1.0;
    total *= static_cast<std::size_t>(cells_[a]);
    largest = std::max(largest, cellSize_[a]);
  }
  // Rounding of the bucket bounds is far below this; a larger slack only
  // makes a search look one ring further.
  slack_ = 1e-9 * largest;
  std::vector<std::uint32_t> cellOfPoint(n);
  cellStart_.assign(total + 1, 0);
  for (std::size_t i = 0; i < n; ++i) {
    std::size_t cell = 0;
    for (std::size_t a = 0; a < D; ++a) {
      cell = cell * static_cast<std::size_t>(cells_[a]) + CellOf(a, points_[i][a] / divisors_[a]);
    }
    cellOfPoint[i] = static_cast<std::uint32_t>(cell);
    ++cellStart_[cell + 1];
  }
  for (std::size_t c = 0; c < total; ++c) cellStart_[c + 1] += cellStart_[c];
  members_.resize(n);
  std::vector<std::uint32_t> fill(cellStart_.begin(), cellStart_.end() - 1);
  for (std::size_t i = 0; i < n; ++i)
    members_[fill[cellOfPoint[i]]++] = static_cast<std::uint32_t>(i);
}

template <std::size_t D>
std::size_t NearestPointIndex<D>::CellOf(std::size_t axis, double scaled) const {
  const double at = std::floor((scaled - low_[axis]) / cellSize_[axis]);
  if (!(at > 0.0)) return 0;
  const auto last = static_cast<double>(cells_[axis] - 1);
  return static_cast<std::size_t>(std::min(at, last));
}

template <std::size_t D>
double NearestPointIndex<D>::Distance2(std::size_t i, const Point& node) const {
  double sum = 0.0;
  for (std::size_t a = 0; a < D; ++a) {
    const double t = (points_[i][a] - node[a]) / divisors_[a];
    sum += t * t;
  }
  return sum;
}

template <std::size_t D>
void NearestPointIndex<D>::VisitCell(const std::array<std::ptrdiff_t, D>& cell, const Point& node,
                                     std::size_t k, std::vector<Neighbour>& best) const {
  std::size_t flat = 0;
  for (std::size_t a = 0; a < D; ++a) {
    if (cell[a] < 0 || cell[a] >= cells_[a]) return;
    flat = flat * static_cast<std::size_t>(cells_[a]) + static_cast<std::size_t>(cell[a]);
  }
  for (std::uint32_t m = cellStart_[flat]; m < cellStart_[flat + 1]; ++m) {
    const std::size_t i = members_[m];
    Offer({Distance2(i, node), i}, k, best);
  }
}

template <std::size_t D>
void NearestPointIndex<D>::VisitRing(const std::array<std::ptrdiff_t, D>& centre,
                                     std::ptrdiff_t ring, const Point& node, std::size_t k,
                                     std::vector<Neighbour>& best) const {
  // Every cell whose largest offset from the centre is exactly `ring`: an
  // odometer over the block that jumps across the block's interior.
  std::array<std::ptrdiff_t, D> offset;
  offset.fill(-ring);
  auto advance = [&] {
    for (std::size_t a = D; a-- > 0;) {
      std::ptrdiff_t step = 1;
      if (a == D - 1 && ring > 0 && offset[a] == -ring) {
        bool interior = true;
        for (std::size_t b = 0; b + 1 < D; ++b) interior = interior && std::abs(offset[b]) < ring;
        if (interior) step = 2 * ring;
      }
      if (offset[a] + step <= ring) {
        offset[a] += step;
        return true;
      }
      offset[a] = -ring;
    }
    return false;
  };
  do {
    std::array<std::ptrdiff_t, D> cell;
    for (std::size_t a = 0; a < D; ++a) cell[a] = centre[a] + offset[a];
    VisitCell(cell, node, k, best);
  } while (advance());
}

template <std::size_t D>
double NearestPointIndex<D>::OutsideBound(const std::array<std::ptrdiff_t, D>& centre,
                                          std::ptrdiff_t ring, const Point& scaledNode) const {
  double bound = std::numeric_limits<double>::infinity();
  for (std::size_t a = 0; a < D; ++a) {
    if (centre[a] - ring > 0) {
      const double face = low_[a] + static_cast<double>(centre[a] - ring) * cellSize_[a];
      bound = std::min(bound, scaledNode[a] - face);
    }
    if (centre[a] + ring < cells_[a] - 1) {
      const double face = low_[a] + static_cast<double>(centre[a] + ring + 1) * cellSize_[a];
      bound = std::min(bound, face - scaledNode[a]);
    }
  }
  return bound == std::numeric_limits<double>::infinity() ? -1.0 : bound;
}

template <std::size_t D>
void NearestPointIndex<D>::Nearest(const Point& node, std::size_t k,
                                   std::vector<Neighbour>& out) const {
  out.clear();
  k = std::min(k, points_.size());
  if (k == 0) return;
  Point scaled;
  std::array<std::ptrdiff_t, D> centre;
  for (std::size_t a = 0; a < D; ++a) {
    scaled[a] = node[a] / divisors_[a];
    centre[a] = static_cast<std::ptrdiff_t>(CellOf(a, scaled[a]));
  }
  for (std::ptrdiff_t ring = 0;; ++ring) {
    VisitRing(centre, ring, node, k, out);
    const double bound = OutsideBound(centre, ring, scaled);
    if (bound < 0.0) return;  // every bucket seen
    if (out.size() == k) {
      const double safe = bound - slack_;
      if (safe > 0.0 && safe * safe * (1.0 - 1e-12) > out.back().distance2) return;
    }
  }
}

double InverseDistanceEstimate(const std::vector<Neighbour>& nearest,
                               const std::vector<double>& values) {
  if (nearest.empty()) return 0.0;
  if (nearest.front().distance2 < 0.01) return values[nearest.front().index];
  double valueSum = 0.0;
  double weightSum = 0.0;
  for (const Neighbour& n : nearest) {
    const double w = std::sqrt(n.distance2);
    valueSum += values[n.index] / w;
    weightSum += 1.0 / w;
  }
  return valueSum / weightSum;
}

template class NearestPointIndex<2>;
template class NearestPointIndex<3>;

}  // namespace qv
