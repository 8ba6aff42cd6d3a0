#include "expr/random_generator.h"

#include <bit>
#include <limits>

namespace qv {
namespace {
constexpr std::uint32_t kModulusMask = 0xFFFFFF;  // 2^24 - 1
constexpr float kScale = 1.0f / 16777216.0f;      // 2^-24
}  // namespace

void LinearCongruentialGenerator::Advance() {
  state_ = (state_ * 1140671485u + 12820163u) & kModulusMask;
}

float LinearCongruentialGenerator::Rnd(double argument) {
  if (argument < 0) {
    // The seed is the bit pattern of the single-precision argument, folded
    // into 24 bits, so every negative argument names its own number.
    // Arguments beyond the Single range seed as its lowest value.
    const float single = argument < std::numeric_limits<float>::lowest()
                             ? std::numeric_limits<float>::lowest()
                             : static_cast<float>(argument);
    const auto bits = std::bit_cast<std::uint32_t>(single);
    state_ = (bits + (bits >> 24)) & kModulusMask;
    Advance();
  } else if (argument > 0) {
    Advance();
  }
  // state_ < 2^24, so the quotient is exact and below 1.
  return static_cast<float>(state_) * kScale;
}

}  // namespace qv
