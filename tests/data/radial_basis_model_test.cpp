// Multiquadric and thin-plate interpolation: through every point, a plane
// kept by the thin plate, and the inputs that have no unique interpolant.
#include "data/radial_basis_model.h"

#include <cmath>
#include <random>
#include <stdexcept>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct Scatter {
  std::vector<double> u, v, plane, wave;
};

Scatter MakeScatter(std::size_t n, double offset) {
  std::mt19937 random(21);
  std::uniform_real_distribution<double> unit(0.0, 10.0);
  Scatter s;
  for (std::size_t i = 0; i < n; ++i) {
    const double u = unit(random), v = unit(random);
    s.u.push_back(u + offset);
    s.v.push_back(v - offset);
    s.plane.push_back(3 + 0.5 * u - 2 * v);
    s.wave.push_back(std::sin(u) * std::cos(v));
  }
  return s;
}

class RadialBasisTest : public testing::TestWithParam<RadialKernel> {};

// The lower triangle of the system is filled by pairs of rows, and an odd
// count leaves a middle row alone. An entry left out would show as a miss at
// the points, where the nodes use the kernels themselves.
TEST_P(RadialBasisTest, PassesThroughEveryPointFarFromTheOrigin) {
  for (const std::size_t count : {150, 151}) {
    const Scatter s = MakeScatter(count, 1e5);
    RadialBasisModel model;
    ASSERT_TRUE(model.Fit(GetParam(), s.u, s.v, {s.plane, s.wave}));
    EXPECT_EQ(model.SetCount(), 2u);
    std::vector<double> out;
    for (std::size_t i = 0; i < s.u.size(); ++i) {
      model.Evaluate(s.u[i], s.v[i], out);
      ASSERT_NEAR(out[0], s.plane[i], 1e-6) << count << " points, point " << i;
      ASSERT_NEAR(out[1], s.wave[i], 1e-6) << count << " points, point " << i;
    }
  }
}

TEST_P(RadialBasisTest, CoincidentPointsAreSingular) {
  RadialBasisModel model;
  EXPECT_FALSE(model.Fit(GetParam(), {0, 1, 0, 1}, {0, 0, 1, 0}, {{1, 2, 3, 4}}));
  EXPECT_FALSE(model.Fit(GetParam(), {}, {}, {{}}));
}

TEST_P(RadialBasisTest, UnequalLengthsThrow) {
  RadialBasisModel model;
  EXPECT_THROW(model.Fit(GetParam(), {0, 1}, {0}, {{1, 2}}), std::invalid_argument);
  EXPECT_THROW(model.Fit(GetParam(), {0, 1}, {0, 1}, {{1}}), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(Kernels, RadialBasisTest,
                         testing::Values(RadialKernel::Multiquadric, RadialKernel::ThinPlate));

TEST(RadialBasis, ThinPlateKeepsAPlaneEverywhere) {
  const Scatter s = MakeScatter(60, 0);
  RadialBasisModel model;
  ASSERT_TRUE(model.Fit(RadialKernel::ThinPlate, s.u, s.v, {s.plane}));
  std::vector<double> out;
  for (double u = -5; u <= 15; u += 2.5) {
    for (double v = -5; v <= 15; v += 2.5) {
      model.Evaluate(u, v, out);
      EXPECT_NEAR(out[0], 3 + 0.5 * u - 2 * v, 1e-7);
    }
  }
}

TEST(RadialBasis, ThinPlateNeedsPointsOffOneLine) {
  RadialBasisModel model;
  EXPECT_FALSE(model.Fit(RadialKernel::ThinPlate, {0, 1, 2, 3}, {1, 2, 3, 4}, {{1, 2, 3, 4}}));
  EXPECT_FALSE(model.Fit(RadialKernel::ThinPlate, {0, 1}, {0, 0}, {{1, 2}}));
  // A single point is enough for the multiquadric: a constant.
  ASSERT_TRUE(model.Fit(RadialKernel::Multiquadric, {2}, {3}, {{7}}));
  std::vector<double> out;
  model.Evaluate(2, 3, out);
  EXPECT_NEAR(out[0], 7, 1e-12);
}

}  // namespace
}  // namespace qv
