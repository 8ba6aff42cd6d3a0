#include "data/radial_basis_model.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

#include "data/parallel_for.h"
#include "linear_solver.h"
#include "progress_meter.h"
#include "robust_predicates.h"

namespace qv {
namespace {

// From this many points on the fit solves the system's definite part (see
// FitDefinite); below, the whole system at once costs next to nothing.
constexpr std::size_t kDefiniteFrom = 256;

// Passes reports on and keeps the last, so that work begun again after
// them goes on from there.
class KeptProgress final : public WorkMonitor {
 public:
  explicit KeptProgress(WorkMonitor* job) : job_(job) {}
  void Progress(double fraction) override {
    last_ = std::max(last_, fraction);
    job_->Progress(last_);
  }
  bool StopRequested() const override { return job_->StopRequested(); }
  double Last() const { return last_; }

 private:
  WorkMonitor* job_;
  double last_ = 0.0;
};

bool HasCoincidentPoints(const std::vector<double>& u, const std::vector<double>& v) {
  std::vector<std::pair<double, double>> sites(u.size());
  for (std::size_t i = 0; i < u.size(); ++i) sites[i] = {u[i], v[i]};
  std::sort(sites.begin(), sites.end());
  return std::adjacent_find(sites.begin(), sites.end()) != sites.end();
}

bool AllOnOneLine(const std::vector<double>& u, const std::vector<double>& v) {
  const std::size_t n = u.size();
  std::size_t second = 1;
  while (second < n && u[second] == u[0] && v[second] == v[0]) ++second;
  for (std::size_t i = second + 1; i < n; ++i) {
    if (Orient2D(u[0], v[0], u[second], v[second], u[i], v[i]) != 0.0) return false;
  }
  return true;
}

std::size_t PolynomialTerms(RadialKernel kernel) {
  return kernel == RadialKernel::ThinPlate ? 3 : 0;
}

}  // namespace

void RadialBasisModel::ScaleSites(const std::vector<double>& u, const std::vector<double>& v) {
  const std::size_t n = u.size();
  const auto [minU, maxU] = std::minmax_element(u.begin(), u.end());
  const auto [minV, maxV] = std::minmax_element(v.begin(), v.end());
  centreU_ = 0.5 * (*minU + *maxU);
  centreV_ = 0.5 * (*minV + *maxV);
  scale_ = 0.5 * std::max(*maxU - *minU, *maxV - *minV);
  if (!(scale_ > 0.0)) scale_ = 1.0;
  // The mean spacing of n points spread over the scaled square of side 2.
  shape2_ = 4.0 / static_cast<double>(n);
  u_.resize(n);
  v_.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    u_[i] = (u[i] - centreU_) / scale_;
    v_[i] = (v[i] - centreV_) / scale_;
  }
}

void RadialBasisModel::FillSystem(std::vector<double>& a, ProgressMeter& meter) const {
  const std::size_t n = u_.size();
  const std::size_t size = n + PolynomialTerms(kernel_);
  // A million kernels and more: the rows on the cores. The matrix is
  // symmetric ((u_i - u_j)^2 is (u_j - u_i)^2 to the bit), and the solver
  // reads only its lower triangle: each row works out the kernels up to its
  // diagonal. A task takes row t and row n - 1 - t, which together hold n
  // kernels: the tasks are even.
  auto fillRow = [&](std::size_t i) {
    double* row = &a[i * size];
    for (std::size_t j = 0; j <= i; ++j) {
      const double du = u_[i] - u_[j];
      const double dv = v_[i] - v_[j];
      row[j] = Kernel(du * du + dv * dv);
    }
  };
  ParallelFor((n + 1) / 2, 32, [&](std::size_t first, std::size_t last) {
    if (meter.Stopped()) return;
    for (std::size_t task = first; task < last; ++task) {
      fillRow(task);
      if (n - 1 - task != task) fillRow(n - 1 - task);
    }
    meter.Add(static_cast<double>(std::min(n, 2 * last) - 2 * first));
  });
  if (size == n) return;
  for (std::size_t i = 0; i < n; ++i) {
    const double row[3] = {1.0, u_[i], v_[i]};
    for (std::size_t t = 0; t < 3; ++t) {
      a[i * size + n + t] = row[t];
      a[(n + t) * size + i] = row[t];
    }
  }
}

std::vector<double> RadialBasisModel::System(RadialKernel kernel, const std::vector<double>& u,
                                             const std::vector<double>& v) {
  if (v.size() != u.size() || u.empty())
    throw std::invalid_argument("RadialBasisModel: no points, or u and v differ in length");
  RadialBasisModel model;
  model.kernel_ = kernel;
  model.ScaleSites(u, v);
  const std::size_t size = u.size() + PolynomialTerms(kernel);
  std::vector<double> a(size * size, 0.0);
  ProgressMeter unwatched(nullptr, 1.0);
  model.FillSystem(a, unwatched);
  MirrorLowerTriangle(size, a);
  return a;
}

bool RadialBasisModel::Fit(RadialKernel kernel, const std::vector<double>& u,
                           const std::vector<double>& v,
                           const std::vector<std::vector<double>>& valueSets,
                           WorkMonitor* monitor) {
  const std::size_t n = u.size();
  if (v.size() != n) throw std::invalid_argument("RadialBasisModel: u and v differ in length");
  for (const auto& set : valueSets) {
    if (set.size() != n) throw std::invalid_argument("RadialBasisModel: a value set differs");
  }
  kernel_ = kernel;
  sets_ = valueSets.size();
  // The checks below find exactly singular systems: equal rows, or (thin
  // plate) polynomial columns that depend on each other.
  reciprocalCondition_ = 0.0;
  if (n == 0) return false;
  if (HasCoincidentPoints(u, v)) return false;
  if (kernel == RadialKernel::ThinPlate && (n < 3 || AllOnOneLine(u, v))) return false;

  ScaleSites(u, v);
  if (n < kDefiniteFrom) return FitWhole(valueSets, monitor);
  KeptProgress kept(monitor);
  WorkMonitor* watch = monitor != nullptr ? &kept : nullptr;
  switch (FitDefinite(valueSets, watch)) {
    case Outcome::Solved:
      reciprocalCondition_ = std::numeric_limits<double>::quiet_NaN();
      if (monitor != nullptr) monitor->Progress(1.0);
      return true;
    case Outcome::Stopped: return false;
    case Outcome::Undecided: break;
  }
  WorkStep rest(watch, kept.Last(), 1.0);
  return FitWhole(valueSets, monitor != nullptr ? &rest : nullptr);
}

bool RadialBasisModel::FitWhole(const std::vector<std::vector<double>>& valueSets,
                                WorkMonitor* monitor) {
  const std::size_t n = u_.size();
  const std::size_t size = n + PolynomialTerms(kernel_);
  std::vector<double> a(size * size, 0.0);
  // The matrix costs n^2 kernels, its decomposition some 2n^3/3 steps of a
  // far cheaper kind: the shares the monitor hears.
  const double matrixShare = 30.0 / (30.0 + static_cast<double>(n));
  WorkStep matrixStep(monitor, 0.0, matrixShare);
  ProgressMeter meter(monitor != nullptr ? &matrixStep : nullptr, static_cast<double>(n));
  FillSystem(a, meter);
  std::vector<double> b(size * sets_, 0.0);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t s = 0; s < sets_; ++s) b[i * sets_ + s] = valueSets[s][i];
  }
  if (meter.Stopped()) return false;
  WorkStep solveStep(monitor, matrixShare, 1.0);
  if (!SolveSymmetricLinear(size, std::move(a), sets_, b, &reciprocalCondition_,
                            monitor != nullptr ? &solveStep : nullptr))
    return false;
  reciprocalCondition_ = std::numeric_limits<double>::quiet_NaN();
  solveStep.Progress(1.0);
  weights_ = std::move(b);
  return true;
}

void RadialBasisModel::Evaluate(double u, double v, std::vector<double>& out) const {
  out.assign(sets_, 0.0);
  const double su = (u - centreU_) / scale_;
  const double sv = (v - centreV_) / scale_;
  const std::size_t n = u_.size();
  for (std::size_t i = 0; i < n; ++i) {
    const double du = su - u_[i];
    const double dv = sv - v_[i];
    const double k = Kernel(du * du + dv * dv);
    for (std::size_t s = 0; s < sets_; ++s) out[s] += weights_[i * sets_ + s] * k;
  }
  if (kernel_ == RadialKernel::ThinPlate) {
    for (std::size_t s = 0; s < sets_; ++s) {
      out[s] += weights_[n * sets_ + s] + weights_[(n + 1) * sets_ + s] * su +
                weights_[(n + 2) * sets_ + s] * sv;
    }
  }
}

}  // namespace qv
