// Shepard's inverse-distance-squared mean.
#include "data/shepard.h"

#include <algorithm>
#include <cmath>
#include <random>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(Shepard, WeightsByTheInverseSquaredDistance) {
  ShepardPoints<2> points;
  points.coordinates = {std::vector<double>{0, 2}, std::vector<double>{0, 0}};
  points.values = {1, 4};
  // Distances 0.5 and 1.5: weights 4 and 4/9.
  EXPECT_DOUBLE_EQ(ShepardAt<2>(points, {0.5, 0}), (1 * 4 + 4 * 4.0 / 9) / (4 + 4.0 / 9));
}

TEST(Shepard, ExactAtADataPointTheFirstOfEqualPoints) {
  ShepardPoints<3> points;
  points.coordinates = {std::vector<double>{1, 1, 5}, std::vector<double>{2, 2, 5},
                        std::vector<double>{3, 3, 5}};
  points.values = {6, 9, 1};
  EXPECT_EQ(ShepardAt<3>(points, {1, 2, 3}), 6);
  // So close that 1/d^2 would overflow.
  EXPECT_EQ(ShepardAt<3>(points, {5, 5, 5 + 1e-160}), 1);
}

TEST(Shepard, NoPointsGiveZero) { EXPECT_EQ(ShepardAt<2>(ShepardPoints<2>{}, {1, 1}), 0.0); }

// The plain sum, one term after the other, as the gridding first had it.
template <std::size_t D>
double PlainShepard(const ShepardPoints<D>& points, const std::array<double, D>& node) {
  double valueSum = 0.0, weightSum = 0.0;
  for (std::size_t i = 0; i < points.values.size(); ++i) {
    double d2 = 0.0;
    for (std::size_t a = 0; a < D; ++a) {
      const double t = points.coordinates[a][i] - node[a];
      d2 += t * t;
    }
    if (d2 < 1e-300) return points.values[i];
    valueSum += points.values[i] / d2;
    weightSum += 1.0 / d2;
  }
  return valueSum / weightSum;
}

template <std::size_t D>
ShepardPoints<D> RandomPoints(std::size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(-50.0, 50.0);
  ShepardPoints<D> points;
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t a = 0; a < D; ++a) points.coordinates[a].push_back(unit(random));
    points.values.push_back(unit(random));
  }
  return points;
}

// The sums run in vector lanes and in another order than the plain sum:
// the values must stay the same to far better than a part in a billion, for
// counts that fill the lanes and counts that leave a tail.
class ShepardSumTest : public testing::TestWithParam<std::size_t> {};

TEST_P(ShepardSumTest, EqualsThePlainSum) {
  const std::size_t n = GetParam();
  const ShepardPoints<2> flat = RandomPoints<2>(n, 5);
  const ShepardPoints<3> solid = RandomPoints<3>(n, 6);
  std::vector<double> second(n);
  for (std::size_t i = 0; i < n; ++i) second[i] = std::cos(flat.values[i]);
  ShepardPoints<2> secondPoints = flat;
  secondPoints.values = second;
  for (int k = 0; k < 200; ++k) {
    const double u = -60 + 0.6 * k, v = 40 - 0.45 * k, w = 0.3 * k - 30;
    EXPECT_NEAR(ShepardAt<2>(flat, {u, v}), PlainShepard<2>(flat, {u, v}), 1e-12 * 50) << k;
    EXPECT_NEAR(ShepardAt<3>(solid, {u, v, w}), PlainShepard<3>(solid, {u, v, w}), 1e-12 * 50) << k;
    const std::array<double, 2> both = ShepardAt(flat, second, {u, v});
    EXPECT_EQ(both[0], ShepardAt<2>(flat, {u, v})) << k;
    EXPECT_EQ(both[1], ShepardAt<2>(secondPoints, {u, v})) << k;
  }
}

INSTANTIATE_TEST_SUITE_P(Counts, ShepardSumTest, testing::Values(1, 7, 8, 9, 64, 1003));

TEST(Shepard, OnADataPointTheFirstOfEqualPointsInLanesOrTail) {
  // 21 points: two full lanes of eight and a tail of five. The node lies on
  // points 11 (second lane) and 19 (tail), and on 3 as well in the second run.
  ShepardPoints<2> points = RandomPoints<2>(21, 7);
  for (std::size_t i : {11, 19}) {
    points.coordinates[0][i] = 1.25;
    points.coordinates[1][i] = -2.5;
  }
  std::vector<double> second(21);
  for (std::size_t i = 0; i < 21; ++i) second[i] = 100.0 + static_cast<double>(i);
  EXPECT_EQ(ShepardAt<2>(points, {1.25, -2.5}), points.values[11]);
  EXPECT_EQ(ShepardAt(points, second, {1.25, -2.5})[1], 111.0);
  points.coordinates[0][3] = 1.25;
  points.coordinates[1][3] = -2.5;
  EXPECT_EQ(ShepardAt<2>(points, {1.25, -2.5}), points.values[3]);
  // Only the tail's point.
  points.coordinates[0][3] = points.coordinates[0][11] = 9.0;
  EXPECT_EQ(ShepardAt(points, second, {1.25, -2.5})[1], 119.0);
}

// A product of two squared distances overflows for points some 1e77 away
// and underflows for points 1e-77 away: such nodes must still get the
// plain sums, the weights of far points included.
TEST(Shepard, FarAndNearPointsKeepTheirWeights) {
  for (const double scale : {1e150, 1e-148}) {
    ShepardPoints<2> points = RandomPoints<2>(40, 8);
    for (auto& axis : points.coordinates) {
      for (double& c : axis) c *= scale;
    }
    const std::array<double, 2> node{3 * scale, -7 * scale};
    const double expected = PlainShepard<2>(points, node);
    EXPECT_NEAR(ShepardAt<2>(points, node), expected, 1e-12 * 50) << scale;
  }
}

}  // namespace
}  // namespace qv
