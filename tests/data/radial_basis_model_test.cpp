// Multiquadric and thin-plate interpolation: through every point, a plane
// kept by the thin plate, and the inputs that have no unique interpolant.
#include "data/radial_basis_model.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>

#include <gtest/gtest.h>

#include "support/stopping_monitor.h"

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

// The system is filled by pairs of rows, and an odd count leaves a middle
// row alone. An entry left out would show as a miss at the points, where the
// nodes use the kernels themselves. Small systems are solved whole, large
// ones through the part on which the kernel is definite.
TEST_P(RadialBasisTest, PassesThroughEveryPointFarFromTheOrigin) {
  for (const std::size_t count : {150, 151, 600, 601}) {
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

using test::StoppingMonitor;

TEST_P(RadialBasisTest, LargeFitReportsRisingProgressAndStopsWhenAsked) {
  const Scatter s = MakeScatter(700, 0);
  RadialBasisModel model;
  StoppingMonitor watch(2.0);
  ASSERT_TRUE(model.Fit(GetParam(), s.u, s.v, {s.wave}, &watch));
  ASSERT_GE(watch.fractions.size(), 2u);
  EXPECT_TRUE(std::is_sorted(watch.fractions.begin(), watch.fractions.end()));
  EXPECT_EQ(watch.fractions.back(), 1.0);

  StoppingMonitor stopper(0.5);
  EXPECT_FALSE(model.Fit(GetParam(), s.u, s.v, {s.wave}, &stopper));
  EXPECT_TRUE(stopper.StopRequested());
  EXPECT_LT(stopper.fractions.back(), 1.0);
}

INSTANTIATE_TEST_SUITE_P(Kernels, RadialBasisTest,
                         testing::Values(RadialKernel::Multiquadric, RadialKernel::ThinPlate));

TEST(RadialBasis, ThinPlateKeepsAPlaneEverywhere) {
  for (const std::size_t count : {60, 600}) {
    const Scatter s = MakeScatter(count, 0);
    RadialBasisModel model;
    ASSERT_TRUE(model.Fit(RadialKernel::ThinPlate, s.u, s.v, {s.plane}));
    std::vector<double> out;
    for (double u = -5; u <= 15; u += 2.5) {
      for (double v = -5; v <= 15; v += 2.5) {
        model.Evaluate(u, v, out);
        EXPECT_NEAR(out[0], 3 + 0.5 * u - 2 * v, 1e-7) << count << " points";
      }
    }
  }
}

// Two points a hair apart leave the definite part of a large system without
// a pivot worth trusting: the whole system decides, as it does for a small
// one (the multiquadric's rows are then equal to the last bits, the thin
// plate's polynomial keeps its system solvable), and the progress it
// reports goes on from where the first try left it.
TEST(RadialBasis, NearlyCoincidentPointsAreDecidedByTheWholeSystem) {
  const struct {
    RadialKernel kernel;
    bool solved;
  } cases[] = {{RadialKernel::Multiquadric, false}, {RadialKernel::ThinPlate, true}};
  for (const auto& c : cases) {
    Scatter s = MakeScatter(600, 0);
    s.u.push_back(s.u[0] + 1e-12);
    s.v.push_back(s.v[0]);
    s.wave.push_back(s.wave[0]);
    RadialBasisModel model;
    StoppingMonitor watch(2.0);
    ASSERT_EQ(model.Fit(c.kernel, s.u, s.v, {s.wave}, &watch), c.solved);
    EXPECT_TRUE(std::is_sorted(watch.fractions.begin(), watch.fractions.end()));
    if (!c.solved) {
      EXPECT_GE(model.ReciprocalCondition(), 0.0);
      EXPECT_LT(model.ReciprocalCondition(), 1e-15);
      continue;
    }
    EXPECT_EQ(watch.fractions.back(), 1.0);
    // The pair leaves the system ill conditioned: close, not exact.
    std::vector<double> out;
    for (std::size_t i = 0; i < s.u.size(); ++i) {
      model.Evaluate(s.u[i], s.v[i], out);
      ASSERT_NEAR(out[0], s.wave[i], 1e-3) << "point " << i;
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
