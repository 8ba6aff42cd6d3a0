// Shepard's inverse-distance-squared mean.
#include "data/shepard.h"

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

}  // namespace
}  // namespace qv
