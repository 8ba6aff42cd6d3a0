// The anti-aliasing passes of the scene building: how many, their sub-pixel
// jitter and the weight each adds to the accumulation buffer. A drag draws 2
// passes so that the picture follows the mouse; a still scene draws 8.
#pragma once

#include <span>

namespace qv {

// One accumulation pass: the projection is shifted by (jitterX, jitterY)
// pixels, and the colour buffer is accumulated with weight.
struct AccumPass {
  double jitterX;
  double jitterY;
  double weight;
};

// The widely published 8-sample and 2-sample jitter patterns, in pass order.
std::span<const AccumPass> EightPassPlan();
std::span<const AccumPass> TwoPassPlan();

// The plan of a build: 2 passes while dragging, otherwise 8.
inline std::span<const AccumPass> PassPlan(bool dragging) {
  return dragging ? TwoPassPlan() : EightPassPlan();
}

}  // namespace qv
