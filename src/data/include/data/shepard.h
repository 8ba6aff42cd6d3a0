// Shepard's interpolation: the mean of all point values weighted by the
// inverse squared distance, exact at a data point.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace qv {

// The points of a Shepard gridding, one coordinate array per axis.
template <std::size_t D>
struct ShepardPoints {
  std::array<std::vector<double>, D> coordinates;
  std::vector<double> values;
};

// The interpolated value at node: sum(v_i / d_i) / sum(1 / d_i) with d_i the
// squared distance. A node on a data point (d = 0, or too close for 1/d to
// be finite) takes the value of the first such point. No points give 0.
template <std::size_t D>
double ShepardAt(const ShepardPoints<D>& points, const std::array<double, D>& node);

extern template double ShepardAt<2>(const ShepardPoints<2>&, const std::array<double, 2>&);
extern template double ShepardAt<3>(const ShepardPoints<3>&, const std::array<double, 3>&);

// The values of points.values and of a second value set of the same points
// (as long as points.values) at node, in one pass: the weights are shared.
// Each is what ShepardAt gives for that set.
std::array<double, 2> ShepardAt(const ShepardPoints<2>& points, const std::vector<double>& second,
                                const std::array<double, 2>& node);

}  // namespace qv
