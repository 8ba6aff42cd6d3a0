// The few 3D vector operations the camera and the view fit share.
#pragma once

#include <cmath>

namespace qv {

struct V3 {
  double x, y, z;
};

inline V3 operator-(const V3& a, const V3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

inline V3 Cross(const V3& a, const V3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline double Dot(const V3& a, const V3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline double Length(const V3& v) { return std::sqrt(Dot(v, v)); }

inline V3 Scaled(const V3& v, double k) { return {v.x * k, v.y * k, v.z * k}; }

}  // namespace qv
