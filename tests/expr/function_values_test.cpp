// Each function against an independent oracle over its domain, so that a
// wrong formula (as an inverse secant built from the wrong arctangent) shows.
#include "function_values.h"

#include <cmath>
#include <numbers>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct FunctionCase {
  const char* name;
  OpCode code;
  double (*oracle)(double);
  bool (*inDomain)(double);
};

bool Everywhere(double) { return true; }
bool Positive(double x) { return x > 0; }
bool NotZero(double x) { return x != 0; }
bool WithinOne(double x) { return std::fabs(x) < 1; }
bool BeyondOne(double x) { return std::fabs(x) > 1; }
bool FromOne(double x) { return x >= 1; }
bool UpToOne(double x) { return x > 0 && x <= 1; }

class FunctionValueTest : public testing::TestWithParam<FunctionCase> {};

TEST_P(FunctionValueTest, MatchesTheOracle) {
  const FunctionCase& c = GetParam();
  LinearCongruentialGenerator random;
  int checked = 0;
  for (double x : {-4.0, -2.5, -1.5, -0.8, -0.3, 0.0, 0.2, 0.6, 1.0, 1.7, 3.0, 4.5}) {
    if (!c.inDomain(x)) continue;
    double value = 0;
    ASSERT_EQ(FunctionValue(c.code, x, false, random, value), DomainError::None) << x;
    const double expected = c.oracle(x);
    EXPECT_NEAR(value, expected, 1e-12 * (1 + std::fabs(expected))) << c.name << "(" << x << ")";
    ++checked;
  }
  EXPECT_GE(checked, 3) << "too few points in the domain";
}

const double kPi = std::numbers::pi;

INSTANTIATE_TEST_SUITE_P(
    Functions, FunctionValueTest,
    testing::Values(
        FunctionCase{"SIN", OpCode::Sin, [](double x) { return std::sin(x); }, Everywhere},
        FunctionCase{"COS", OpCode::Cos, [](double x) { return std::cos(x); }, Everywhere},
        FunctionCase{"TAN", OpCode::Tan, [](double x) { return std::tan(x); }, Everywhere},
        FunctionCase{"SEC", OpCode::Sec, [](double x) { return 1 / std::cos(x); }, Everywhere},
        FunctionCase{"CSEC", OpCode::Csec, [](double x) { return 1 / std::sin(x); }, NotZero},
        FunctionCase{"CTAN", OpCode::Ctan, [](double x) { return 1 / std::tan(x); }, NotZero},
        FunctionCase{"ATAN", OpCode::Atan, [](double x) { return std::atan(x); }, Everywhere},
        FunctionCase{"LOG", OpCode::Log, [](double x) { return std::log(x); }, Positive},
        FunctionCase{"EXP", OpCode::Exp, [](double x) { return std::exp(x); }, Everywhere},
        FunctionCase{"ABS", OpCode::Abs, [](double x) { return std::fabs(x); }, Everywhere},
        FunctionCase{"INT", OpCode::Int, [](double x) { return std::floor(x); }, Everywhere},
        FunctionCase{"SQR", OpCode::Sqr, [](double x) { return std::sqrt(x); },
                     [](double x) { return x >= 0; }},
        FunctionCase{"ASIN", OpCode::Asin, [](double x) { return std::asin(x); }, WithinOne},
        FunctionCase{"ACOS", OpCode::Acos, [](double x) { return std::acos(x); }, WithinOne},
        // The inverse secant on [0, pi], the inverse cosecant on [-pi/2, pi/2]
        // and the inverse cotangent on (0, pi).
        FunctionCase{"ASEC", OpCode::Asec, [](double x) { return std::acos(1 / x); }, BeyondOne},
        FunctionCase{"ACSEC", OpCode::Acsec, [](double x) { return std::asin(1 / x); }, BeyondOne},
        FunctionCase{"ACTAN", OpCode::Actan, [](double x) { return std::atan2(1.0, x); },
                     Everywhere},
        FunctionCase{"SINH", OpCode::Sinh, [](double x) { return std::sinh(x); }, Everywhere},
        FunctionCase{"COSH", OpCode::Cosh, [](double x) { return std::cosh(x); }, Everywhere},
        FunctionCase{"TANH", OpCode::Tanh, [](double x) { return std::tanh(x); }, Everywhere},
        FunctionCase{"CTANH", OpCode::Ctanh, [](double x) { return 1 / std::tanh(x); }, NotZero},
        FunctionCase{"SECH", OpCode::Sech, [](double x) { return 1 / std::cosh(x); }, Everywhere},
        FunctionCase{"CSECH", OpCode::Csech, [](double x) { return 1 / std::sinh(x); }, NotZero},
        FunctionCase{"ASINH", OpCode::Asinh, [](double x) { return std::asinh(x); }, Everywhere},
        FunctionCase{"ACOSH", OpCode::Acosh, [](double x) { return std::acosh(x); }, FromOne},
        FunctionCase{"ATANH", OpCode::Atanh, [](double x) { return std::atanh(x); }, WithinOne},
        FunctionCase{"ASECH", OpCode::Asech, [](double x) { return std::acosh(1 / x); }, UpToOne},
        FunctionCase{"ACSECH", OpCode::Acsech, [](double x) { return std::asinh(1 / x); }, NotZero},
        FunctionCase{"ACTANH", OpCode::Actanh, [](double x) { return std::atanh(1 / x); },
                     BeyondOne}),
    [](const testing::TestParamInfo<FunctionCase>& info) { return info.param.name; });

// The round trip of the mended inverses: sec(ASEC x), csc(ACSEC x), cot(ACTAN x).
TEST(InverseFunctionTest, RoundTripsToTheArgument) {
  LinearCongruentialGenerator random;
  for (double x : {-50.0, -3.0, -1.25, 1.25, 3.0, 50.0}) {
    double asec = 0, acsec = 0, actan = 0;
    ASSERT_EQ(FunctionValue(OpCode::Asec, x, false, random, asec), DomainError::None);
    ASSERT_EQ(FunctionValue(OpCode::Acsec, x, false, random, acsec), DomainError::None);
    ASSERT_EQ(FunctionValue(OpCode::Actan, x, false, random, actan), DomainError::None);
    EXPECT_NEAR(1 / std::cos(asec), x, 1e-9 * std::fabs(x));
    EXPECT_NEAR(1 / std::sin(acsec), x, 1e-9 * std::fabs(x));
    EXPECT_NEAR(1 / std::tan(actan), x, 1e-9 * std::fabs(x));
    EXPECT_TRUE(asec >= 0 && asec <= kPi);
    EXPECT_TRUE(std::fabs(acsec) <= kPi / 2);
    EXPECT_TRUE(actan > 0 && actan < kPi);
  }
}

// Under degrees the inverse functions take their argument as given.
TEST(InverseFunctionTest, DegreesLeaveInversesAlone) {
  LinearCongruentialGenerator random;
  double inRadians = 0, inDegrees = 0;
  for (OpCode code : {OpCode::Asin, OpCode::Acos, OpCode::Asec, OpCode::Actan, OpCode::Asinh}) {
    const double x = code == OpCode::Asec ? 2 : 0.5;
    FunctionValue(code, x, false, random, inRadians);
    FunctionValue(code, x, true, random, inDegrees);
    EXPECT_EQ(inRadians, inDegrees);
  }
}

}  // namespace
}  // namespace qv
