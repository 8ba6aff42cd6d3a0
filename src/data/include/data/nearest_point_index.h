// Finds the points nearest to a grid node, for the inverse-distance gridding.
//
// The distance is the gridding's own squared distance,
//   d = sum over the axes of ((p - q) / divisor)^2,
// computed exactly as written, so that a search through the index returns the
// same neighbours, in the same order, as a scan over every point: ascending
// d, and of equal distances the lower point index first.
//
// The points sit in a grid of buckets (in coordinates divided by the
// divisors); a search visits rings of buckets around the node until no
// unvisited bucket can hold a point nearer than the k-th found.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv {

struct Neighbour {
  double distance2 = 0.0;  // the squared distance d
  std::size_t index = 0;   // the point's index
};

template <std::size_t D>
class NearestPointIndex {
 public:
  using Point = std::array<double, D>;

  // points: the coordinates per point; divisors: one per axis (1 for plain
  // coordinates; zero counts as 1).
  explicit NearestPointIndex(std::vector<Point> points, Point divisors = Unit());

  std::size_t Size() const { return points_.size(); }

  // The k nearest points to node (all points when k exceeds their number),
  // ascending by (d, index), written into out.
  void Nearest(const Point& node, std::size_t k, std::vector<Neighbour>& out) const;

  // The squared distance of point i from node.
  double Distance2(std::size_t i, const Point& node) const;

  static Point Unit() {
    Point one;
    one.fill(1.0);
    return one;
  }

 private:
  std::size_t CellOf(std::size_t axis, double scaled) const;
  void VisitCell(const std::array<std::ptrdiff_t, D>& cell, const Point& node, std::size_t k,
                 std::vector<Neighbour>& best) const;
  void VisitRing(const std::array<std::ptrdiff_t, D>& centre, std::ptrdiff_t ring,
                 const Point& node, std::size_t k, std::vector<Neighbour>& best) const;
  // Lower bound of the distance of any point outside the block of cells
  // within `ring` of centre; negative when the block covers every cell.
  double OutsideBound(const std::array<std::ptrdiff_t, D>& centre, std::ptrdiff_t ring,
                      const Point& scaledNode) const;

  std::vector<Point> points_;
  Point divisors_;
  Point low_{};
  Point cellSize_{};
  std::array<std::ptrdiff_t, D> cells_{};
  std::vector<std::uint32_t> cellStart_;
  std::vector<std::uint32_t> members_;
  double slack_ = 0.0;
};

// The inverse-distance estimate from the neighbours in ascending order: the
// value of the nearest when it lies closer than 0.1 (d < 0.01), else the mean
// of the values weighted by 1 / sqrt(d). 0 when there are no neighbours.
double InverseDistanceEstimate(const std::vector<Neighbour>& nearest,
                               const std::vector<double>& values);

extern template class NearestPointIndex<2>;
extern template class NearestPointIndex<3>;

}  // namespace qv
