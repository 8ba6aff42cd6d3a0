#include "function_values.h"

#include <cmath>
#include <numbers>

namespace qv {
namespace {

// The four-digit pi of the degree factor and of ASIN and ACOS at -1 and 1.
constexpr double kShortPi = 3.1416;

double Radians(double x, bool degrees) { return degrees ? x * kShortPi / 180 : x; }

double Sign(double v) { return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0); }

// 1 / divisor, refused when divisor is exactly 0.
DomainError Reciprocal(double divisor, double& value) {
  if (divisor == 0) return DomainError::DivisionByZero;
  value = 1 / divisor;
  return DomainError::None;
}

DomainError Trigonometric(OpCode code, double x, double& value) {
  switch (code) {
    case OpCode::Sin: value = std::sin(x); break;
    case OpCode::Cos: value = std::cos(x); break;
    case OpCode::Tan: value = std::tan(x); break;
    case OpCode::Sec: return Reciprocal(std::cos(x), value);
    case OpCode::Csec: return Reciprocal(std::sin(x), value);
    case OpCode::Ctan: return Reciprocal(std::tan(x), value);
    default: value = std::atan(x); break;
  }
  return DomainError::None;
}

// ASIN, ACOS, ASEC, ACSEC and ACTAN.
DomainError Inverse(OpCode code, double x, double& value) {
  const double halfPi = std::numbers::pi / 2;
  switch (code) {
    case OpCode::Asin:
      if (1 - x * x < 0) return DomainError::InverseOutOfRange;
      value =
          x == -1 ? -kShortPi / 2 : (x == 1 ? kShortPi / 2 : std::atan(x / std::sqrt(1 - x * x)));
      break;
    case OpCode::Acos:
      if (1 - x * x < 0) return DomainError::InverseOutOfRange;
      value = x == -1 ? kShortPi
                      : (x == 1 ? 0.0 : std::atan(-x / std::sqrt(1 - x * x)) + 2 * std::atan(1.0));
      break;
    case OpCode::Asec:
    case OpCode::Acsec:
      if (x * x - 1 <= 0) return DomainError::InverseOutOfRange;
      value = code == OpCode::Asec ? std::acos(1 / x) : std::asin(1 / x);
      break;
    default: value = halfPi - std::atan(x); break;  // ACTAN
  }
  return DomainError::None;
}

// SINH .. CSECH from e^x and e^-x.
DomainError Hyperbolic(OpCode code, double x, double& value) {
  const double ePlus = std::exp(x), eMinus = std::exp(-x);
  const double difference = ePlus - eMinus, sum = ePlus + eMinus;
  switch (code) {
    case OpCode::Sinh: value = difference / 2; break;
    case OpCode::Cosh: value = sum / 2; break;
    case OpCode::Tanh: value = difference / sum; break;
    case OpCode::Sech: value = 2 / sum; break;
    case OpCode::Ctanh:
    case OpCode::Csech:
      if (difference == 0) return DomainError::HyperbolicOutOfRange;
      value = (code == OpCode::Ctanh ? sum : 2.0) / difference;
      break;
    default: break;
  }
  return DomainError::None;
}

// log(quantity) * factor, refused when quantity is not above 0.
DomainError Logarithm(double quantity, double factor, double& value) {
  if (quantity <= 0) return DomainError::HyperbolicOutOfRange;
  value = std::log(quantity) * factor;
  return DomainError::None;
}

// The inverse hyperbolic functions, through logarithms.
DomainError InverseHyperbolic(OpCode code, double x, double& value) {
  constexpr DomainError kOut = DomainError::HyperbolicOutOfRange;
  switch (code) {
    case OpCode::Asinh: return Logarithm(x + std::sqrt(x * x + 1), 1, value);
    case OpCode::Acosh:
      if (x * x - 1 < 0) return kOut;
      return Logarithm(x + std::sqrt(x * x - 1), 1, value);
    case OpCode::Atanh:
      if (x == 1) return kOut;
      return Logarithm((1 + x) / (1 - x), 0.5, value);
    case OpCode::Asech:
      if (x == 0 || 1 - x * x < 0) return kOut;
      return Logarithm((std::sqrt(1 - x * x) + 1) / x, 1, value);
    case OpCode::Acsech:
      if (x == 0) return kOut;
      return Logarithm((Sign(x) * std::sqrt(x * x + 1) + 1) / x, 1, value);
    default:  // ACTANH
      if (x == 1) return kOut;
      return Logarithm((x + 1) / (x - 1), 0.5, value);
  }
}

}  // namespace

DomainError FunctionValue(OpCode code, double x, bool degrees, RandomGenerator& random,
                          double& value) {
  switch (code) {
    case OpCode::Sin:
    case OpCode::Cos:
    case OpCode::Tan:
    case OpCode::Sec:
    case OpCode::Csec:
    case OpCode::Ctan:
    case OpCode::Atan: return Trigonometric(code, Radians(x, degrees), value);
    case OpCode::Log:
      if (x <= 0) return DomainError::LogOfNonPositive;
      value = std::log(x);
      return DomainError::None;
    case OpCode::Sqr:
      if (x < 0) return DomainError::SqrOfNegative;
      value = std::sqrt(x);
      return DomainError::None;
    case OpCode::Exp: value = std::exp(x); return DomainError::None;
    case OpCode::Abs: value = std::fabs(x); return DomainError::None;
    case OpCode::Int: value = std::floor(x); return DomainError::None;
    case OpCode::Rnd: value = random.Rnd(x); return DomainError::None;
    case OpCode::Asin:
    case OpCode::Acos:
    case OpCode::Asec:
    case OpCode::Acsec:
    case OpCode::Actan: return Inverse(code, x, value);
    case OpCode::Sinh:
    case OpCode::Cosh:
    case OpCode::Tanh:
    case OpCode::Ctanh:
    case OpCode::Sech:
    case OpCode::Csech: return Hyperbolic(code, x, value);
    default: return InverseHyperbolic(code, x, value);
  }
}

}  // namespace qv
