// Inverse distance over the nearest points: the snap radius, the order of
// equal distances, the far points that the used-point marker once mixed up,
// and the index against a plain scan over every point.
#include "data/nearest_point_index.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using Index2 = NearestPointIndex<2>;
using Index3 = NearestPointIndex<3>;

double Estimate(const std::vector<Index2::Point>& points, const std::vector<double>& values,
                const Index2::Point& node, std::size_t k, Index2::Point divisors = Index2::Unit()) {
  const Index2 index(points, divisors);
  std::vector<Neighbour> nearest;
  index.Nearest(node, k, nearest);
  return InverseDistanceEstimate(nearest, values);
}

TEST(InverseDistance, SnapsBelowAHundredthSquared) {
  // The node lies 0.0989 from point 0: that point's value, whatever the others hold.
  EXPECT_EQ(Estimate({{0.06, 0.079}, {0.5, 0.0}, {0.0, 0.5}}, {7.0, 100.0, -100.0}, {0, 0}, 3),
            7.0);
}

TEST(InverseDistance, WeightsAtExactlyAHundredthSquared) {
  // 0.06^2 + 0.08^2 is 0.01 exactly in doubles: weighted, not snapped.
  const std::vector<Index2::Point> points = {{0.06, 0.08}, {1.0, 0.0}};
  const double expected = (7.0 / 0.1 + 1.0 / 1.0) / (1.0 / 0.1 + 1.0 / 1.0);
  EXPECT_DOUBLE_EQ(Estimate(points, {7.0, 1.0}, {0, 0}, 2), expected);
}

TEST(InverseDistance, EqualDistancesTakeTheLowerIndexFirst) {
  // With one neighbour the tie decides the value; the order in the list must not.
  EXPECT_EQ(Estimate({{1, 0}, {-1, 0}, {0, 1}}, {10, 20, 30}, {0, 0}, 1), 10.0);
  EXPECT_EQ(Estimate({{-1, 0}, {1, 0}, {0, 1}}, {20, 10, 30}, {0, 0}, 1), 20.0);
  EXPECT_EQ(Estimate({{5, 5}, {0, 1}, {1, 0}}, {0, 30, 10}, {0, 0}, 1), 30.0);
}

TEST(InverseDistance, AllPointsContributeWhenKIsTheirNumber) {
  const std::vector<Index2::Point> points = {{0, 0}, {3, 0}, {0, 4}, {6, 8}};
  const std::vector<double> values = {1, 2, 3, 4};
  const Index2::Point node = {1, 1};
  double valueSum = 0, weightSum = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double d = std::hypot(points[i][0] - node[0], points[i][1] - node[1]);
    valueSum += values[i] / d;
    weightSum += 1 / d;
  }
  EXPECT_DOUBLE_EQ(Estimate(points, values, node, 4), valueSum / weightSum);
  // Asking for more than there are uses them all once.
  EXPECT_DOUBLE_EQ(Estimate(points, values, node, 9), valueSum / weightSum);
}

// Every point lies farther than the old used-point marker (squared 1e7): the
// marker made the nearest point win every pick and gave 0. Each point counts
// once: 5.
TEST(InverseDistance, FarPointsAreEachUsedOnce) {
  const std::vector<Index2::Point> points = {{0, 0}, {8000, 0}, {0, 8000}, {8000, 8000}};
  const std::vector<double> values = {0, 10, 0, 10};
  const Index2 index(points);
  std::vector<Neighbour> nearest;
  index.Nearest({4000, 0}, 4, nearest);
  ASSERT_EQ(nearest.size(), 4u);
  std::vector<std::size_t> used;
  for (const Neighbour& n : nearest) used.push_back(n.index);
  EXPECT_EQ(used, (std::vector<std::size_t>{0, 1, 2, 3}));
  EXPECT_DOUBLE_EQ(InverseDistanceEstimate(nearest, values), 5.0);
}

TEST(InverseDistance, NoPointsGiveZero) {
  const Index2 index({});
  std::vector<Neighbour> nearest = {{1.0, 3}};
  index.Nearest({1, 2}, 5, nearest);
  EXPECT_TRUE(nearest.empty());
  EXPECT_EQ(InverseDistanceEstimate(nearest, {}), 0.0);
  const Index3 volume({});
  volume.Nearest({1, 2, 3}, 5, nearest);
  EXPECT_TRUE(nearest.empty());
}

TEST(InverseDistance, NoNeighboursAskedGiveZero) {
  const Index2 index({{0, 0}});
  std::vector<Neighbour> nearest;
  index.Nearest({0, 0}, 0, nearest);
  EXPECT_TRUE(nearest.empty());
  EXPECT_EQ(InverseDistanceEstimate(nearest, {5.0}), 0.0);
}

// The cylindrical colour value measures ((x - u) / width)^2 + ((z - v) / height)^2,
// the node's angle already in radians: the divisors change which point is near.
TEST(InverseDistance, CylindricalColourDistanceDividesByTheRanges) {
  const std::vector<Index2::Point> points = {{0.3, 0.0}, {0.0, 10.0}};
  const Index2 plain(points);
  const Index2 ranged(points, {1.0, 100.0});
  EXPECT_DOUBLE_EQ(ranged.Distance2(1, {0.0, 0.0}), 0.01);
  EXPECT_DOUBLE_EQ(ranged.Distance2(0, {0.0, 0.0}), 0.09);
  const double angle = 90 * 3.1416 / 180;
  EXPECT_DOUBLE_EQ(ranged.Distance2(0, {angle, 5.0}), std::pow(0.3 - angle, 2.0) + 0.0025);
  std::vector<Neighbour> nearest;
  plain.Nearest({0, 0}, 1, nearest);
  EXPECT_EQ(nearest.at(0).index, 0u);
  ranged.Nearest({0, 0}, 1, nearest);
  EXPECT_EQ(nearest.at(0).index, 1u);
}

TEST(InverseDistance, AZeroRangeCountsAsOne) {
  // All points at one angle: a zero width must not make every distance infinite.
  const Index2 index({{1.0, 0.0}, {1.0, 4.0}}, {0.0, 2.0});
  EXPECT_DOUBLE_EQ(index.Distance2(1, {1.0, 1.0}), 2.25);
}

// The buckets must give the same neighbours in the same order as a scan of
// every point by (distance, index).
template <std::size_t D>
std::vector<Neighbour> Scan(const std::vector<std::array<double, D>>& points,
                            const NearestPointIndex<D>& index, const std::array<double, D>& node,
                            std::size_t k) {
  std::vector<Neighbour> all;
  for (std::size_t i = 0; i < points.size(); ++i) all.push_back({index.Distance2(i, node), i});
  std::stable_sort(all.begin(), all.end(), [](const Neighbour& a, const Neighbour& b) {
    return a.distance2 < b.distance2;
  });
  all.resize(std::min(k, all.size()));
  return all;
}

template <std::size_t D>
void ExpectSameAsScan(const std::vector<std::array<double, D>>& points,
                      const std::vector<std::array<double, D>>& nodes, std::size_t k,
                      std::array<double, D> divisors = NearestPointIndex<D>::Unit()) {
  const NearestPointIndex<D> index(points, divisors);
  std::vector<Neighbour> nearest;
  for (const auto& node : nodes) {
    index.Nearest(node, k, nearest);
    const std::vector<Neighbour> expected = Scan(points, index, node, k);
    ASSERT_EQ(nearest.size(), expected.size());
    for (std::size_t m = 0; m < expected.size(); ++m) {
      ASSERT_EQ(nearest[m].index, expected[m].index) << "neighbour " << m;
      ASSERT_EQ(nearest[m].distance2, expected[m].distance2);
    }
  }
}

TEST(NearestPointIndex, MatchesAScanOnALatticeFullOfTies) {
  // Lattice points, doubled, and nodes on and between them: many equal distances.
  std::vector<Index2::Point> points;
  for (int rep = 0; rep < 2; ++rep) {
    for (int i = 0; i < 20; ++i) {
      for (int j = 0; j < 15; ++j) points.push_back({i * 1.0, j * 2.0});
    }
  }
  std::vector<Index2::Point> nodes;
  for (int i = -4; i < 46; ++i) {
    for (int j = -4; j < 36; j += 3) nodes.push_back({i * 0.5, j * 1.0});
  }
  ExpectSameAsScan<2>(points, nodes, 5);
  ExpectSameAsScan<2>(points, nodes, 1);
}

TEST(NearestPointIndex, MatchesAScanOnClusteredPointsWithOutliers) {
  std::mt19937 random(11);
  std::normal_distribution<double> cluster(0.0, 1.0);
  std::vector<Index2::Point> points;
  for (int i = 0; i < 3000; ++i) points.push_back({cluster(random), 3 * cluster(random)});
  points.push_back({1e6, -1e6});
  points.push_back({-5e5, 0});
  std::uniform_real_distribution<double> anywhere(-2e6, 2e6);
  std::vector<Index2::Point> nodes;
  for (int i = 0; i < 200; ++i) nodes.push_back({cluster(random), cluster(random)});
  for (int i = 0; i < 50; ++i) nodes.push_back({anywhere(random), anywhere(random)});
  ExpectSameAsScan<2>(points, nodes, 5);
  ExpectSameAsScan<2>(points, nodes, 5, {0.25, 40.0});
}

TEST(NearestPointIndex, MatchesAScanInThreeDimensions) {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> unit(0.0, 10.0);
  std::vector<Index3::Point> points, nodes;
  for (int i = 0; i < 4000; ++i) points.push_back({unit(random), unit(random), unit(random) / 100});
  for (int i = 0; i < 300; ++i)
    nodes.push_back({unit(random) * 1.2 - 1, unit(random), unit(random)});
  ExpectSameAsScan<3>(points, nodes, 5);
}

TEST(NearestPointIndex, PointsOnOneSpotOrOneLine) {
  ExpectSameAsScan<2>(std::vector<Index2::Point>(50, {3.0, 3.0}), {{3, 3}, {0, 0}, {9, -9}}, 5);
  std::vector<Index2::Point> line;
  for (int i = 0; i < 500; ++i) line.push_back({i * 0.01, 2.0});
  ExpectSameAsScan<2>(line, {{0, 0}, {2.5, 2}, {10, 10}, {-3, 2}}, 5);
}

}  // namespace
}  // namespace qv
