// The pseudo-random source behind the evaluator's RND. Tests inject one with
// a script; the evaluator owns a LinearCongruentialGenerator otherwise.
#pragma once

#include <cstdint>

namespace qv {

class RandomGenerator {
 public:
  virtual ~RandomGenerator() = default;
  // A number in [0, 1). A negative argument gives the same number for the
  // same argument every time (and restarts the sequence from it), 0 gives the
  // previous number again, a positive argument the next number.
  virtual float Rnd(double argument) = 0;
};

// A 24-bit linear congruential generator with the classic runtime's
// constants, seeded with a fixed value so that runs repeat.
class LinearCongruentialGenerator final : public RandomGenerator {
 public:
  float Rnd(double argument) override;

 private:
  void Advance();

  std::uint32_t state_ = 0x50000;
};

}  // namespace qv
