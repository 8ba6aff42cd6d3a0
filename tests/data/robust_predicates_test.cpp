// The exact-sign predicates against exact integer arithmetic, on inputs
// where the plain double evaluation gets the sign wrong.
#include "robust_predicates.h"

#include <cmath>
#include <cstdint>
#include <random>

#include <gtest/gtest.h>

namespace qv {
namespace {

using Wide = __int128;

int SignOf(Wide v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }
int SignOf(double v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

int ExactOrient(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by, std::int64_t cx,
                std::int64_t cy) {
  return SignOf(Wide(ax - cx) * (by - cy) - Wide(ay - cy) * (bx - cx));
}

TEST(Orient2D, SignIsExactNearALine) {
  // Points near the line y = 3x + 1 with coordinates around 2^40: the
  // products exceed 53 bits and the rounded determinant is often wrong.
  std::mt19937_64 random(3);
  std::uniform_int_distribution<std::int64_t> wobble(-2, 2);
  const std::int64_t base = std::int64_t{1} << 40;
  int zeros = 0;
  for (int trial = 0; trial < 20000; ++trial) {
    const std::int64_t ax = base + static_cast<std::int64_t>(random() % 1000);
    // Differences of 2^30 and more: their products need more than 53 bits.
    const std::int64_t bx =
        ax + (std::int64_t{1} << 30) + static_cast<std::int64_t>(random() % 1000);
    const std::int64_t cx =
        ax + (std::int64_t{1} << 31) + static_cast<std::int64_t>(random() % 1000);
    const std::int64_t ay = 3 * ax + 1 + wobble(random);
    const std::int64_t by = 3 * bx + 1 + wobble(random);
    const std::int64_t cy = 3 * cx + 1 + wobble(random);
    const int expected = ExactOrient(ax, ay, bx, by, cx, cy);
    zeros += expected == 0;
    ASSERT_EQ(
        SignOf(Orient2D(double(ax), double(ay), double(bx), double(by), double(cx), double(cy))),
        expected)
        << trial;
  }
  EXPECT_GT(zeros, 0) << "the cases must include points exactly on the line";
}

TEST(InCircle, SignIsExactNearACircle) {
  // Pythagorean points on the circle of radius 5^4 = 625 around an offset
  // centre, the fourth nudged by at most one unit: inside, on, or outside.
  // Scaled by an odd factor, so that the squares and products round in
  // doubles and the points on the circle are not found by luck.
  const Wide scale = 1000003;
  const std::int64_t onCircle[][2] = {{625, 0},   {0, 625},    {-625, 0},  {0, -625},   {375, 500},
                                      {500, 375}, {-375, 500}, {175, 600}, {-600, -175}};
  const std::int64_t cx = (std::int64_t{1} << 26) + 3, cy = (std::int64_t{1} << 25) - 7;
  int results[3] = {0, 0, 0};
  for (const auto& a : onCircle) {
    for (const auto& b : onCircle) {
      for (const auto& c : onCircle) {
        for (const auto& d : onCircle) {
          for (int nudge = -1; nudge <= 1; ++nudge) {
            const Wide ax = a[0] * scale, ay = a[1] * scale, bx = b[0] * scale, by = b[1] * scale,
                       px = c[0] * scale, py = c[1] * scale;
            const Wide dx = Wide(d[0]) * (625 + nudge) / 625 * scale;
            const Wide dy = Wide(d[1]) * (625 + nudge) / 625 * scale;
            const Wide adx = ax - dx, ady = ay - dy, bdx = bx - dx, bdy = by - dy;
            const Wide cdx = px - dx, cdy = py - dy;
            const Wide det = (adx * adx + ady * ady) * (bdx * cdy - cdx * bdy) +
                             (bdx * bdx + bdy * bdy) * (cdx * ady - adx * cdy) +
                             (cdx * cdx + cdy * cdy) * (adx * bdy - bdx * ady);
            const double got =
                InCircle(double(ax + cx), double(ay + cy), double(bx + cx), double(by + cy),
                         double(px + cx), double(py + cy), double(dx + cx), double(dy + cy));
            ASSERT_EQ(SignOf(got), SignOf(det));
            ++results[SignOf(det) + 1];
          }
        }
      }
    }
  }
  EXPECT_GT(results[0], 0);
  EXPECT_GT(results[1], 0);
  EXPECT_GT(results[2], 0);
}

// Lattices of measurements, where nearly every undecided test is a tie or a
// near-tie of rounded coordinates. Those are settled in wide integers when the
// coordinates allow; the expansions, which hold any doubles, must agree.
struct LatticeCase {
  const char* name;
  double origin;  // added to every coordinate
  double step;
  int ulps;  // each coordinate nudged by up to this many units in the last place
};

class PredicatesOnLatticeTest : public testing::TestWithParam<LatticeCase> {};

TEST_P(PredicatesOnLatticeTest, WideIntegersAgreeWithExpansions) {
  const LatticeCase& c = GetParam();
  std::mt19937 random(11);
  std::uniform_int_distribution<int> cell(0, 5), nudge(-c.ulps, c.ulps);
  auto coordinate = [&] {
    double v = c.origin + cell(random) * c.step;
    for (int n = nudge(random); n != 0; n += n > 0 ? -1 : 1) {
      v = std::nextafter(v, n > 0 ? 1e300 : -1e300);
    }
    return v;
  };
  int signs[2][3] = {};
  for (int trial = 0; trial < 20000; ++trial) {
    double p[8];
    for (double& v : p) v = coordinate();
    const int orient = SignOf(Orient2D(p[0], p[1], p[2], p[3], p[4], p[5]));
    ASSERT_EQ(orient,
              SignOf(predicates_detail::OrientByExpansions(p[0], p[1], p[2], p[3], p[4], p[5])))
        << trial;
    const int inCircle = SignOf(InCircle(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]));
    ASSERT_EQ(inCircle, SignOf(predicates_detail::InCircleByExpansions(p[0], p[1], p[2], p[3], p[4],
                                                                       p[5], p[6], p[7])))
        << trial;
    ++signs[0][orient + 1];
    ++signs[1][inCircle + 1];
  }
  for (const auto& counts : signs) {
    for (int count : counts) EXPECT_GT(count, 0) << "every sign, ties included";
  }
}

INSTANTIATE_TEST_SUITE_P(Lattices, PredicatesOnLatticeTest,
                         testing::Values(LatticeCase{"TenthsFromZero", 0.0, 0.1, 0},
                                         // Off zero: a nudged zero is subnormal, where products
                                         // underflow and expansions are no longer exact.
                                         LatticeCase{"TenthsNudged", 0.3, 0.1, 1},
                                         LatticeCase{"TenthsFarFromZero", 1e6, 0.1, 0},
                                         LatticeCase{"Integers", 0.0, 1.0, 0},
                                         LatticeCase{"ThousandthsNearOne", 1.0, 1e-3, 2},
                                         // Coordinates 1e-20 and 1e20 apart in magnitude: too many
                                         // bits for the integers, so the expansions decide alone.
                                         LatticeCase{"WideSpread", 1e-20, 1e20, 0}),
                         [](const testing::TestParamInfo<LatticeCase>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace qv
