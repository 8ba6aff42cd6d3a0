// Radial-basis interpolation of scattered points in a plane: the gridding's
// multiquadric and thin-plate methods. The linear system is solved once per
// gridding; every node is then a sum over the points.
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

#include "platform/work_monitor.h"

namespace qv {

class ProgressMeter;

enum class RadialKernel {
  // sqrt(r^2 + c^2), with c about the mean spacing of the points.
  Multiquadric,
  // r^2 ln r (0 at r = 0), with a linear polynomial term a0 + a1 u + a2 v.
  ThinPlate,
};

class RadialBasisModel {
 public:
  // Fits one interpolant per value set (each as long as u and v) through the
  // points (u[i], v[i]). Returns false when the system is singular: points
  // that coincide, fewer points than the kernel needs, or (thin plate) all
  // points on one line. A monitor hears how far the fit got and may stop it:
  // false then too (ask the monitor which it was). Throws
  // std::invalid_argument on unequal lengths.
  bool Fit(RadialKernel kernel, const std::vector<double>& u, const std::vector<double>& v,
           const std::vector<std::vector<double>>& valueSets, WorkMonitor* monitor = nullptr);

  // Value of every fitted set at (u, v), written to out (one per set).
  void Evaluate(double u, double v, std::vector<double>& out) const;

  // The matrix a fit of the points (u[i], v[i]) solves, row by row: n rows
  // and columns, n + 3 for the thin plate's polynomial. For measuring the
  // solve on its own. Throws std::invalid_argument on unequal lengths or no
  // points.
  static std::vector<double> System(RadialKernel kernel, const std::vector<double>& u,
                                    const std::vector<double>& v);

  std::size_t SetCount() const { return sets_; }

  // The estimated reciprocal condition number (1-norm) of the last fit's
  // system when the fit was refused as singular: 0 when exactly singular, as
  // for coincident points. A fit that succeeds leaves NaN: the estimate would
  // take a tenth of its time, and only a refusal tells it.
  double ReciprocalCondition() const { return reciprocalCondition_; }

 private:
  // The kernels as functions of the squared distance; inline, so that the
  // fit's loops over millions of them take them in.
  static double ThinPlate(double distance2) {
    // r^2 ln r = d ln d / 2 with d = r^2.
    return distance2 > 0.0 ? 0.5 * distance2 * std::log(distance2) : 0.0;
  }
  double Multiquadric(double distance2) const { return std::sqrt(distance2 + shape2_); }
  double Kernel(double distance2) const {
    return kernel_ == RadialKernel::Multiquadric ? Multiquadric(distance2) : ThinPlate(distance2);
  }
  // Centres and scales the points into u_ and v_, and sets the shape.
  void ScaleSites(const std::vector<double>& u, const std::vector<double>& v);
  // Fills the lower triangle of the system of the scaled points into a
  // (zeroed, of its full size), as the symmetric solver reads it.
  void FillSystem(std::vector<double>& a, ProgressMeter& meter) const;
  // The fit of a large system through the part on which the kernel is
  // definite; Undecided where that part is not (numerically) definite, so
  // that the whole system's solve decides.
  enum class Outcome { Solved, Stopped, Undecided };
  Outcome FitDefinite(const std::vector<std::vector<double>>& valueSets, WorkMonitor* monitor);
  // The fit through the whole system, which decides whether it is singular.
  bool FitWhole(const std::vector<std::vector<double>>& valueSets, WorkMonitor* monitor);

  RadialKernel kernel_ = RadialKernel::Multiquadric;
  // Coordinates are centred and scaled to about -1..1 before fitting, so the
  // solver's absolute singularity test meets numbers of order one.
  double centreU_ = 0.0, centreV_ = 0.0, scale_ = 1.0;
  double shape2_ = 1.0;
  std::vector<double> u_, v_;
  std::size_t sets_ = 0;
  double reciprocalCondition_ = 0.0;
  // Per point the weight of each set, then (thin plate) the polynomial terms.
  std::vector<double> weights_;
};

}  // namespace qv
