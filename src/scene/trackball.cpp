#include "scene/trackball.h"

#include <cmath>
#include <limits>

namespace qv {

double ArcSin(double x) {
  if (x == 1.0) return 3.14159265358979 / 2.0;
  return std::atan(x / std::sqrt(1.0 - x * x));
}

double ArcCos(double x) {
  // Atn(Sqr(1 - x*x) / x) lands in -pi/2..0 for negative x; acos covers 0..pi.
  if (x == 1.0) return 0.0;
  if (!(x >= -1.0 && x <= 1.0)) return std::numeric_limits<double>::quiet_NaN();
  return std::acos(x);
}

void VZero(Vec4& v) { v[0] = v[1] = v[2] = 0.0; }

void VSet(Vec4& v, double x, double y, double z) {
  v[0] = x;
  v[1] = y;
  v[2] = z;
}

void VSub(const Vec4& a, const Vec4& b, Vec4& c) {
  for (int i = 0; i < 3; ++i) c[i] = a[i] - b[i];
}

void VCopy(const Vec4& a, Vec4& b) { b = a; }

void VCross(const Vec4& a, const Vec4& b, Vec4& c) {
  Vec4 t{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0], 0.0};
  VCopy(t, c);
}

double VLength(const Vec4& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

void VScale(Vec4& v, double s) {
  for (int i = 0; i < 3; ++i) v[i] *= s;
}

void VNormal(Vec4& v) { VScale(v, 1.0 / VLength(v)); }

double VDot(const Vec4& a, const Vec4& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void VAdd(const Vec4& a, const Vec4& b, Vec4& c) {
  for (int i = 0; i < 3; ++i) c[i] = a[i] + b[i];
}

double ProjectToSphere(double r, double x, double y) {
  const double d = std::sqrt(x * x + y * y);
  if (d < r * 7071.0 / 10000.0) return std::sqrt(r * r - d * d);
  const double t = r * 1000.0 / 1414.0;
  return t * t / d;
}

void Trackball(Vec4& q, double p1x, double p1y, double p2x, double p2y, Long rotateAxis) {
  if ((p1x == p2x && p1y == p2y) || rotateAxis < 1 || rotateAxis > 4) {
    VZero(q);
    q[3] = 1.0;
    return;
  }
  Vec4 p1{p1x, p1y, ProjectToSphere(kTrackballRadius, p1x, p1y), 0.0};
  Vec4 p2{p2x, p2y, ProjectToSphere(kTrackballRadius, p2x, p2y), 0.0};
  Vec4 a{0.0, 0.0, 0.0, 0.0};
  switch (rotateAxis) {
    case 1: VCross(p2, p1, a); break;
    case 2: a = {0.0, 0.0, p1x >= p2x ? -1.0 : 1.0, 1.0}; break;
    case 3: a = {p1y >= p2y ? -1.0 : 1.0, 0.0, 0.0, 1.0}; break;
    case 4: a = {0.0, p1x <= p2x ? -1.0 : 1.0, 0.0, 1.0}; break;
  }
  Vec4 d{};
  VSub(p1, p2, d);
  // The divisor is twice the radius.
  double t = VLength(d) / 1.0;
  if (t > 1.0) t = 1.0;
  if (t < -1.0) t = -1.0;
  AxisToQuat(a, 2.0 * ArcSin(t), q);
}

void AxisToQuat(Vec4& a, double phi, Vec4& q) {
  VNormal(a);
  VCopy(a, q);
  VScale(q, std::sin(phi / 2.0));
  q[3] = std::cos(phi / 2.0);
}

void AddQuats(const Vec4& q1, const Vec4& q2, Vec4& dest) {
  Vec4 t1 = q1;
  VScale(t1, q2[3]);
  Vec4 t2 = q2;
  VScale(t2, q1[3]);
  Vec4 t3{};
  VCross(q2, q1, t3);
  Vec4 tf{};
  VAdd(t1, t2, tf);
  VAdd(t3, tf, tf);
  tf[3] = q1[3] * q2[3] - VDot(q1, q2);
  dest = tf;
  NormalizeQuat(dest);
}

void NormalizeQuat(Vec4& q) {
  double mag = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
  if (mag == 0.0) mag = 1.0;
  for (double& e : q) e /= mag;
}

void BuildRotMatrix(Mat4& m, const Vec4& q) {
  m[0][0] = 1.0 - 2.0 * (q[1] * q[1] + q[2] * q[2]);
  m[0][1] = 2.0 * (q[0] * q[1] - q[2] * q[3]);
  m[0][2] = 2.0 * (q[2] * q[0] + q[1] * q[3]);
  m[0][3] = 0.0;
  m[1][0] = 2.0 * (q[0] * q[1] + q[2] * q[3]);
  m[1][1] = 1.0 - 2.0 * (q[2] * q[2] + q[0] * q[0]);
  m[1][2] = 2.0 * (q[1] * q[2] - q[0] * q[3]);
  m[1][3] = 0.0;
  m[2][0] = 2.0 * (q[2] * q[0] - q[1] * q[3]);
  m[2][1] = 2.0 * (q[1] * q[2] + q[0] * q[3]);
  m[2][2] = 1.0 - 2.0 * (q[1] * q[1] + q[0] * q[0]);
  m[2][3] = 0.0;
  m[3][0] = 0.0;
  m[3][1] = 0.0;
  m[3][2] = 0.0;
  m[3][3] = 1.0;
}

}  // namespace qv
