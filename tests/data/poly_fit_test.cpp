// The quadratic least-squares fits of gridding methods 5 and 103: exact
// quadratics come back, far from the origin too, with any number of points,
// and a fit that has no unique answer says so.
#include "data/poly_fit.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

namespace qv {
namespace {

double Surface(double u, double v) {
  return 1 + 2 * u - 3 * v + 0.5 * u * v + 0.25 * u * u - 0.75 * v * v;
}

double Volume(double x, double y, double z) {
  return -2 + x - 0.5 * y + 3 * z + 0.2 * x * y - 0.4 * x * z + 0.1 * y * z + 0.3 * x * x -
         0.6 * y * y + 0.05 * z * z;
}

// n points of z = Surface(x - offset, y - offset) with x, y in offset .. offset + 10.
Matrix SurfacePoints(Long n, double offset, unsigned seed = 1) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0.0, 10.0);
  Matrix points(n, 3);
  for (Long i = 1; i <= n; ++i) {
    const double u = unit(random), v = unit(random);
    points(i, 1) = u + offset;
    points(i, 2) = v + offset;
    points(i, 3) = Surface(u, v);
  }
  return points;
}

TEST(PolyFit3D, SixPointsInGeneralPositionFitExactly) {
  const double xy[6][2] = {{0, 0}, {1, 0}, {0, 1}, {2, 1}, {1, 3}, {3, 2}};
  Matrix points(6, 3);
  for (Long i = 1; i <= 6; ++i) {
    points(i, 1) = xy[i - 1][0];
    points(i, 2) = xy[i - 1][1];
    points(i, 3) = 10.0 * i;  // any values: six terms pass through six points
  }
  QuadraticFit<2> fit;
  ASSERT_TRUE(PolyFit3D(points, 6, fit));
  for (Long i = 1; i <= 6; ++i) {
    EXPECT_NEAR(fit.Evaluate({points(i, 1), points(i, 2)}), points(i, 3), 1e-9);
  }
}

// Unscaled normal equations of points near 1e5 have entries up to 1e20 and
// lose every digit of the coefficients.
TEST(PolyFit3D, AQuadraticFarFromTheOriginComesBack) {
  const double offset = 1e5;
  const Matrix points = SurfacePoints(200, offset);
  QuadraticFit<2> fit;
  ASSERT_TRUE(PolyFit3D(points, 200, fit));
  for (double u = 0; u <= 10; u += 0.5) {
    for (double v = 0; v <= 10; v += 0.5) {
      ASSERT_NEAR(fit.Evaluate({u + offset, v + offset}), Surface(u, v), 1e-6) << u << ", " << v;
    }
  }
}

// The design table once held 10000 rows.
TEST(PolyFit3D, MoreThanTenThousandPoints) {
  const Long n = 25000;
  const Matrix points = SurfacePoints(n, -50.0, 2);
  QuadraticFit<2> fit;
  ASSERT_TRUE(PolyFit3D(points, n, fit));
  EXPECT_NEAR(fit.Evaluate({-45.0, -47.0}), Surface(5.0, 3.0), 1e-8);
}

TEST(PolyFit3D, FitsOnlyTheCountedRows) {
  Matrix points = SurfacePoints(40, 0.0);
  for (Long i = 31; i <= 40; ++i) points(i, 3) = 1e9;  // beyond the count
  QuadraticFit<2> fit;
  ASSERT_TRUE(PolyFit3D(points, 30, fit));
  EXPECT_NEAR(fit.Evaluate({4.0, 6.0}), Surface(4.0, 6.0), 1e-9);
}

TEST(PolyFit3D, LeastSquaresOfAPlaneWithSymmetricNoise) {
  // Four copies of each point with errors +e, -e cancel: the plane itself.
  Matrix points(36, 3);
  Long row = 1;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      for (double e : {0.5, -0.5, 0.25, -0.25}) {
        points(row, 1) = i;
        points(row, 2) = j;
        points(row, 3) = 2 + i - j + e;
        ++row;
      }
    }
  }
  QuadraticFit<2> fit;
  ASSERT_TRUE(PolyFit3D(points, 36, fit));
  EXPECT_NEAR(fit.Evaluate({1.5, 0.5}), 3.0, 1e-12);
}

struct DegenerateCase {
  const char* name;
  std::vector<std::array<double, 2>> xy;
};

class PolyFit3DSingularTest : public testing::TestWithParam<DegenerateCase> {};

TEST_P(PolyFit3DSingularTest, ReportsSingular) {
  const auto& xy = GetParam().xy;
  const auto n = static_cast<Long>(xy.size());
  Matrix points(n, 3);
  for (Long i = 1; i <= n; ++i) {
    points(i, 1) = xy[static_cast<std::size_t>(i - 1)][0];
    points(i, 2) = xy[static_cast<std::size_t>(i - 1)][1];
    points(i, 3) = static_cast<double>(i);
  }
  QuadraticFit<2> fit;
  EXPECT_FALSE(PolyFit3D(points, n, fit));
}

std::vector<std::array<double, 2>> OnACircle(int n) {
  std::vector<std::array<double, 2>> xy;
  for (int i = 0; i < n; ++i) xy.push_back({std::cos(i * 0.7), std::sin(i * 0.7)});
  return xy;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PolyFit3DSingularTest,
    testing::Values(DegenerateCase{"FivePoints", {{0, 0}, {1, 0}, {0, 1}, {2, 1}, {1, 3}}},
                    DegenerateCase{"NoPoints", {}},
                    DegenerateCase{"OneLine",
                                   {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {7, 7}}},
                    DegenerateCase{"SixPointsTwiceEach",
                                   {{0, 0}, {1, 0}, {0, 1}, {0, 0}, {1, 0}, {0, 1}, {0, 0}}},
                    // x^2 + y^2 = 1 makes the constant and the two squares dependent.
                    DegenerateCase{"OneCircle", OnACircle(12)}),
    [](const testing::TestParamInfo<DegenerateCase>& info) {
      return std::string(info.param.name);
    });

TEST(PolyFit4D, AQuadraticVolumeComesBack) {
  std::mt19937 random(9);
  std::uniform_real_distribution<double> unit(0.0, 4.0);
  const Long n = 500;
  const double offset = 2e4;
  Matrix points(n, 4);
  for (Long i = 1; i <= n; ++i) {
    const double x = unit(random), y = unit(random), z = unit(random);
    points(i, 1) = x + offset;
    points(i, 2) = y - offset;
    points(i, 3) = z;
    points(i, 4) = Volume(x, y, z);
  }
  QuadraticFit<3> fit;
  ASSERT_TRUE(PolyFit4D(points, n, fit));
  ASSERT_EQ(fit.beta.size(), 10u);
  for (double t = 0; t <= 4; t += 0.5) {
    EXPECT_NEAR(fit.Evaluate({t + offset, 4 - t - offset, t / 2}), Volume(t, 4 - t, t / 2), 1e-6);
  }
}

TEST(PolyFit4D, NinePointsAreSingular) {
  Matrix points(9, 4);
  for (Long i = 1; i <= 9; ++i) {
    points(i, 1) = i;
    points(i, 2) = (i * 7) % 5;
    points(i, 3) = (i * i) % 7;
    points(i, 4) = 1;
  }
  QuadraticFit<3> fit;
  EXPECT_FALSE(PolyFit4D(points, 9, fit));
}

}  // namespace
}  // namespace qv
