#include "window/quat_ops.h"

#include "scene/trackball.h"

namespace qv {

namespace {

Vec4 ToVec(const Quat& q) { return {q[0], q[1], q[2], q[3]}; }

Quat ToQuat(const Vec4& v) {
  return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2]),
          static_cast<float>(v[3])};
}

// The program's degree-to-radian factor, with pi written as 3.1416.
constexpr double kDegree = 3.1416 / 180.0;

}  // namespace

Quat TrackballQuat(Long rotateAxis, double p1x, double p1y, double p2x, double p2y) {
  Vec4 q{};
  Trackball(q, p1x, p1y, p2x, p2y, rotateAxis);
  return ToQuat(q);
}

Quat ComposeQuats(const Quat& first, const Quat& second) {
  Vec4 dest{};
  AddQuats(ToVec(first), ToVec(second), dest);
  return ToQuat(dest);
}

Quat RollPitchYawQuat(double roll, double pitch, double yaw) {
  Vec4 axisZ{0.0, 0.0, 1.0, 0.0};
  Vec4 axisX{1.0, 0.0, 0.0, 0.0};
  Vec4 axisY{0.0, 1.0, 0.0, 0.0};
  Vec4 qRoll{};
  Vec4 qPitch{};
  Vec4 qYaw{};
  AxisToQuat(axisZ, roll * kDegree, qRoll);
  AxisToQuat(axisX, pitch * kDegree, qPitch);
  AddQuats(qRoll, qPitch, qPitch);
  AxisToQuat(axisY, yaw * kDegree, qYaw);
  AddQuats(qPitch, qYaw, qYaw);
  return ToQuat(qYaw);
}

std::array<float, 16> RotationMatrix(const Quat& q) {
  Mat4 m{};
  BuildRotMatrix(m, ToVec(q));
  std::array<float, 16> out{};
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j)
      out[static_cast<std::size_t>(i * 4 + j)] = static_cast<float>(m[i][j]);
  }
  return out;
}

}  // namespace qv
