// The rotations the window keeps: the current scene rotation and the last
// trackball increment, as four Singles (x, y, z, w). These wrap the scene's
// trackball routines, which work in Doubles.
#pragma once

#include <array>

#include "platform/runtime.h"

namespace qv {

using Quat = std::array<float, 4>;
inline constexpr Quat kIdentityQuat = {0.0F, 0.0F, 0.0F, 1.0F};

// The trackball rotation for a drag from p1 to p2 (positions mapped to -1..1,
// y up) under rotateAxis (1 free, 2 about X, 3 about Y, 4 about Z). Equal
// points give the identity; a rotateAxis outside 1..4 gives the identity
// rather than a rotation about a zero axis.
Quat TrackballQuat(Long rotateAxis, double p1x, double p1y, double p2x, double p2y);

// The composition of first followed by second, normalised.
Quat ComposeQuats(const Quat& first, const Quat& second);

// The preset rotation of a scene group: roll about z, then pitch about x,
// then yaw about y, in degrees (with the program's factor 3.1416 / 180).
Quat RollPitchYawQuat(double roll, double pitch, double yaw);

// The 4 x 4 rotation matrix of q, in the element order the GL matrix multiply takes.
std::array<float, 16> RotationMatrix(const Quat& q);

inline bool IsZeroQuat(const Quat& q) {
  return q[0] == 0.0F && q[1] == 0.0F && q[2] == 0.0F && q[3] == 0.0F;
}

}  // namespace qv
