#include "scene/trackball.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr double kPi = 3.14159265358979;

void ExpectQuat(const Vec4& q, const Vec4& want, double tol = 1e-12) {
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(q[i], want[i], tol) << "element " << i;
}

// Equal points must give the identity in every mode (the drag has no length
// and the axis would otherwise be normalised from zero).
TEST(TrackballTest, EqualPointsGiveTheIdentityInEveryMode) {
  for (Long mode : {1, 2, 3, 4, 0, 9}) {
    Vec4 q{9, 9, 9, 9};
    Trackball(q, 0.2, -0.1, 0.2, -0.1, mode);
    ExpectQuat(q, {0, 0, 0, 1});
  }
}

// A mode outside 1..4 has no axis: it must not produce NaNs.
TEST(TrackballTest, UnknownModeGivesTheIdentity) {
  Vec4 q{};
  Trackball(q, 0.0, 0.0, 0.3, 0.1, 7);
  ExpectQuat(q, {0, 0, 0, 1});
}

struct AxisCase {
  std::string name;
  Long mode;
  double p1x, p1y, p2x, p2y;
  Vec4 axis;  // the unit axis the rotation turns about
};

class TrackballAxisTest : public testing::TestWithParam<AxisCase> {};

// The fixed-axis modes choose the sign from the drag direction; a sign slip
// turns the scene against the mouse.
TEST_P(TrackballAxisTest, TurnsAboutTheModesAxisWithItsSign) {
  const AxisCase& c = GetParam();
  Vec4 q{};
  Trackball(q, c.p1x, c.p1y, c.p2x, c.p2y, c.mode);
  const double s = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2]);
  ASSERT_GT(s, 0.0);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(q[i] / s, c.axis[i], 1e-12) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, TrackballAxisTest,
    testing::Values(AxisCase{"Mode2Right", 2, 0.0, 0.0, 0.2, 0.0, {0, 0, 1, 0}},
                    AxisCase{"Mode2Left", 2, 0.2, 0.0, 0.0, 0.0, {0, 0, -1, 0}},
                    AxisCase{"Mode2Vertical", 2, 0.1, 0.0, 0.1, 0.3, {0, 0, -1, 0}},
                    AxisCase{"Mode3Up", 3, 0.0, 0.0, 0.0, 0.2, {1, 0, 0, 0}},
                    AxisCase{"Mode3Down", 3, 0.0, 0.2, 0.0, 0.0, {-1, 0, 0, 0}},
                    AxisCase{"Mode4Right", 4, 0.0, 0.0, 0.2, 0.0, {0, -1, 0, 0}},
                    AxisCase{"Mode4Left", 4, 0.2, 0.0, 0.0, 0.0, {0, 1, 0, 0}},
                    AxisCase{"Mode4Vertical", 4, 0.1, 0.0, 0.1, 0.3, {0, -1, 0, 0}},
                    // Free mode: a drag to the right turns about -y (p2 x p1).
                    AxisCase{"Mode1Right", 1, 0.0, 0.0, 0.1, 0.0, {0, -1, 0, 0}}),
    [](const testing::TestParamInfo<AxisCase>& info) { return info.param.name; });

// A drag longer than the ball is clamped to a half turn, never a NaN angle.
TEST(TrackballTest, DragLongerThanTheSphereGivesAHalfTurn) {
  for (Long mode : {1, 2, 3, 4}) {
    Vec4 q{};
    Trackball(q, -0.9, -0.9, 0.9, 0.9, mode);
    EXPECT_NEAR(q[3], 0.0, 1e-12) << mode;
    EXPECT_NEAR(VLength(q), 1.0, 1e-12) << mode;
  }
}

TEST(TrackballTest, ProjectToSphereMeetsTheSheetAtTheLimit) {
  const double r = 0.5, limit = r * 7071.0 / 10000.0;
  EXPECT_DOUBLE_EQ(ProjectToSphere(r, 0, 0), 0.5);
  const double inside = ProjectToSphere(r, limit - 1e-9, 0);
  const double sheet = ProjectToSphere(r, limit, 0);
  EXPECT_DOUBLE_EQ(sheet, (r / 1.414) * (r / 1.414) / limit);
  EXPECT_NEAR(inside, sheet, 1e-3);
}

// The result may be one of the operands: the composition must read both
// operands before it writes.
TEST(AddQuatsTest, ResultMayAliasAnOperand) {
  Vec4 roll{0, 0, 1, 0}, pitch{1, 0, 0, 0};
  Vec4 qRoll{}, qPitch{};
  AxisToQuat(roll, 0.3, qRoll);
  AxisToQuat(pitch, -0.5, qPitch);
  Vec4 expected{};
  AddQuats(qRoll, qPitch, expected);
  Vec4 first = qRoll;
  AddQuats(first, qPitch, first);
  ExpectQuat(first, expected);
  Vec4 second = qPitch;
  AddQuats(qRoll, second, second);
  ExpectQuat(second, expected);
}

TEST(AddQuatsTest, ComposesAndNormalises) {
  // Two quarter turns about z make a half turn; an unnormalised input comes
  // out normalised.
  Vec4 z{0, 0, 1, 0}, q{};
  AxisToQuat(z, kPi / 2, q);
  Vec4 twice{};
  AddQuats(q, q, twice);
  ExpectQuat(twice, {0, 0, 1, 0}, 1e-12);
  Vec4 big{0, 0, 0, 3}, out{};
  AddQuats(big, big, out);
  ExpectQuat(out, {0, 0, 0, 1});
}

TEST(NormalizeQuatTest, ZeroStaysZero) {
  Vec4 q{0, 0, 0, 0};
  NormalizeQuat(q);
  ExpectQuat(q, {0, 0, 0, 0});
}

TEST(BuildRotMatrixTest, QuarterTurnAboutZ) {
  Vec4 z{0, 0, 1, 0}, q{};
  AxisToQuat(z, kPi / 2, q);
  Mat4 m{};
  BuildRotMatrix(m, q);
  // Written by hand from the element formulas with q = (0, 0, s, s), s = 1/sqrt2.
  const Mat4 want{{{0, -1, 0, 0}, {1, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(m[i][j], want[i][j], 1e-12) << i << "," << j;
  }
}

// The old formula gave arc cosines in -pi/2..0 for negative arguments.
TEST(ArcTest, ArcCosIsRightForNegativeArguments) {
  struct Case {
    double x, want;
  };
  for (const Case& c :
       {Case{1.0, 0.0}, {0.0, kPi / 2}, {-0.5, 2 * kPi / 3}, {-1.0, kPi}, {0.5, kPi / 3}}) {
    EXPECT_NEAR(ArcCos(c.x), c.want, 1e-12) << c.x;
  }
  EXPECT_TRUE(std::isnan(ArcCos(1.5)));
  EXPECT_DOUBLE_EQ(ArcSin(1.0), 3.14159265358979 / 2);
  EXPECT_NEAR(ArcSin(-0.5), -kPi / 6, 1e-12);
}

TEST(VectorTest, CrossMayWriteIntoAnOperand) {
  Vec4 a{1, 0, 0, 5}, b{0, 1, 0, 0};
  VCross(a, b, a);
  ExpectQuat(a, {0, 0, 1, 0});
}

}  // namespace
}  // namespace qv
