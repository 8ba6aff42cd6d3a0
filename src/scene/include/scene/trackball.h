// Vector and quaternion maths of the virtual trackball, which turns a mouse
// drag on the drawing area into a rotation of the scene.
//
// A vector uses elements 0..2 (x, y, z) of a Vec4; a quaternion uses 0..2 as
// its vector part and 3 as its scalar part w. The identity is (0, 0, 0, 1).
//
//            y
//            |     the trackball: a sphere of radius 0.5 about the origin
//         .--+--.  of the normalised drag plane, blended into a hyperbolic
//        /   |   \ sheet beyond r/sqrt(2) so that points off the ball still
//   ----+----o----+---- x   project to a finite z.
//        \   |   /
//         '--+--'
#pragma once

#include <array>

#include "platform/runtime.h"

namespace qv {

using Vec4 = std::array<double, 4>;
// m[i][j], i the first subscript; BuildRotMatrix's element order binds.
using Mat4 = std::array<std::array<double, 4>, 4>;

// Radius of the trackball in the normalised drag plane.
inline constexpr double kTrackballRadius = 0.5;

// Vector Maths
// pi/2 at 1, otherwise Atn(x / Sqr(1 - x*x)) (so -pi/2 at -1); NaN outside -1..1.
double ArcSin(double x);
// The arc cosine in 0..pi for x in -1..1 (0 at 1, pi at -1); NaN outside.
double ArcCos(double x);
void VZero(Vec4& v);
void VSet(Vec4& v, double x, double y, double z);
// c := a - b (elements 0..2); c may alias a or b.
void VSub(const Vec4& a, const Vec4& b, Vec4& c);
// b := a, all four elements.
void VCopy(const Vec4& a, Vec4& b);
// c := a x b through a temporary (element 3 of c becomes 0), so c may alias a or b.
void VCross(const Vec4& a, const Vec4& b, Vec4& c);
double VLength(const Vec4& v);
void VScale(Vec4& v, double s);
// Scales v to unit length (a zero vector gives NaN elements).
void VNormal(Vec4& v);
double VDot(const Vec4& a, const Vec4& b);
// c := a + b (elements 0..2); c may alias a or b.
void VAdd(const Vec4& a, const Vec4& b, Vec4& c);

// Trackball
// q := the rotation for a drag from (p1x, p1y) to (p2x, p2y), positions
// normalised to -1..1 with y upward. rotateAxis: 1 free, 2 about (0, 0, +/-1),
// 3 about (+/-1, 0, 0), 4 about (0, +/-1, 0). Equal points, and a rotateAxis
// outside 1..4 (which has no axis), give the identity.
void Trackball(Vec4& q, double p1x, double p1y, double p2x, double p2y, Long rotateAxis);
// The z of (x, y) on the trackball of radius r (sphere inside r*0.7071,
// hyperbolic sheet from there on).
double ProjectToSphere(double r, double x, double y);
// q := the rotation by phi radians about a; a is normalised in place.
void AxisToQuat(Vec4& a, double phi, Vec4& q);
// dest := q1 followed by q2, normalised; dest may alias q1 or q2.
void AddQuats(const Vec4& q1, const Vec4& q2, Vec4& dest);
// q := q / |q|; the zero quaternion stays zero.
void NormalizeQuat(Vec4& q);
// m := the rotation matrix of q, in the layout glMultMatrix takes when m is
// passed row by row (m[0][0..3] first).
void BuildRotMatrix(Mat4& m, const Vec4& q);

}  // namespace qv
