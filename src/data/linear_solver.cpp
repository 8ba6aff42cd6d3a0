#include "linear_solver.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>
#include <stdexcept>

#include <cblas.h>

#include "data/parallel_for.h"

// LAPACK's Fortran entry points (32-bit integers; the hidden lengths of the
// character arguments last).
extern "C" {
void dgetrf_(const int* m, const int* n, double* a, const int* lda, int* ipiv, int* info);
void dgetrs_(const char* trans, const int* n, const int* nrhs, const double* a, const int* lda,
             const int* ipiv, double* b, const int* ldb, int* info, std::size_t transLength);
void dgecon_(const char* norm, const int* n, const double* a, const int* lda, const double* anorm,
             double* rcond, double* work, int* iwork, int* info, std::size_t normLength);
void dlaswp_(const int* n, double* a, const int* lda, const int* k1, const int* k2, const int* ipiv,
             const int* incx);
}

namespace qv {
namespace {

// Columns per panel of the blocked decomposition.
constexpr int kPanel = 128;
// Below this the whole decomposition in one call on one thread is faster
// than the steps shared among threads.
constexpr std::size_t kSharedFrom = 512;
// Decompose's result when the monitor stopped it.
constexpr int kStopped = -1;
// Beyond this LAPACK's 32-bit offsets into the matrix could overflow.
constexpr std::size_t kLargestSystem = 40000;

// OpenBLAS's own threads spin between calls and would take the cores from
// the gridding's threads (and from each other on a busy machine): every call
// runs on the calling thread, and the steps are shared out here instead.
void UseCallingThreadOnly() {
  static std::once_flag once;
  std::call_once(once, [] { openblas_set_num_threads(1); });
}

// The columns of one task of a step: a function of the step's size alone,
// so that the result does not depend on the number of threads.
int TaskColumns(int remaining) { return std::clamp(remaining / 32, 32, 256) / 8 * 8; }

// LU decomposition with partial pivoting of the column-major n x n matrix m,
// in place, as LAPACK's dgetrf: pivots 1-based, the result its info (0, or
// the first exactly zero pivot).
//
// Right-looking in panels of kPanel columns. A step takes the panel at k,
// already decomposed, and shares out the other columns in tasks: left of
// the panel, their rows are swapped as the panel's were; right of it, they
// are also solved for the block row and the trailing block updated. The
// first task is the next panel, which its thread then decomposes too, while
// the others update the rest: no thread waits for a panel alone.
//
//        k    right
//   +----+----+----+---------+
//   |done| U  | U  |  U      |
//   |    +----+----+---------+
//   |    | L  |next| trailing|
//   |    |    |    |         |
//   +----+----+----+---------+
//
// Each step reports the part of the work done (the trailing blocks shrink as
// the cube of what is left) and may be stopped there: kStopped.
int Decompose(int n, double* m, int* pivots, WorkMonitor* monitor) {
  int info = 0;
  if (static_cast<std::size_t>(n) < kSharedFrom || WorkerCount(static_cast<std::size_t>(n)) < 2) {
    dgetrf_(&n, &n, m, &n, pivots, &info);
    return info;
  }
  const std::size_t ld = static_cast<std::size_t>(n);
  auto at = [&](int row, int column) { return m + row + static_cast<std::size_t>(column) * ld; };
  auto decomposePanel = [&](int k) {
    const int width = std::min(kPanel, n - k), rows = n - k;
    int panelInfo = 0;
    dgetrf_(&rows, &width, at(k, k), &n, pivots + k, &panelInfo);
    if (panelInfo > 0 && info == 0) info = panelInfo + k;
    for (int i = k; i < k + width; ++i) pivots[i] += k;
  };
  decomposePanel(0);
  for (int k = 0; k < n; k += kPanel) {
    const int width = std::min(kPanel, n - k), rows = n - k;
    const int firstSwap = k + 1, lastSwap = k + width, one = 1;
    const int right = k + width;
    auto swap = [&](int from, int columns) {
      dlaswp_(&columns, at(0, from), &n, &firstSwap, &lastSwap, pivots, &one);
    };
    auto update = [&](int from, int columns) {
      swap(from, columns);
      cblas_dtrsm(CblasColMajor, CblasLeft, CblasLower, CblasNoTrans, CblasUnit, width, columns,
                  1.0, at(k, k), n, at(k, from), n);
      if (rows > width) {
        cblas_dgemm(CblasColMajor, CblasNoTrans, CblasNoTrans, rows - width, columns, width, -1.0,
                    at(right, k), n, at(k, from), n, 1.0, at(right, from), n);
      }
    };
    const int next = std::min(kPanel, n - right);
    const int trailing = n - right - next;
    const int rightTask = TaskColumns(trailing), leftTask = TaskColumns(k);
    const int rightTasks = (trailing + rightTask - 1) / rightTask;
    const int leftTasks = (k + leftTask - 1) / leftTask;
    const int nextTasks = next > 0 ? 1 : 0;
    ParallelFor(static_cast<std::size_t>(nextTasks + rightTasks + leftTasks), 1,
                [&](std::size_t first, std::size_t last) {
                  for (auto task = static_cast<int>(first); task < static_cast<int>(last); ++task) {
                    if (task < nextTasks) {
                      update(right, next);
                      decomposePanel(right);
                    } else if (task < nextTasks + rightTasks) {
                      const int from = right + next + (task - nextTasks) * rightTask;
                      update(from, std::min(rightTask, n - from));
                    } else {
                      const int from = (task - nextTasks - rightTasks) * leftTask;
                      swap(from, std::min(leftTask, k - from));
                    }
                  }
                });
    if (monitor != nullptr) {
      const double left = static_cast<double>(n - right) / n;
      monitor->Progress(1.0 - left * left * left);
      if (monitor->StopRequested()) return kStopped;
    }
  }
  return info;
}

// The singularity test on the pivots, the diagonal of U.
bool HasUsablePivots(int n, const double* m) {
  const std::size_t ld = static_cast<std::size_t>(n);
  for (std::size_t k = 0; k < ld; ++k) {
    const double pivot = std::fabs(m[k + k * ld]);
    if (!(pivot + 1.0 != 1.0) || !std::isfinite(pivot)) return false;
  }
  return true;
}

// The largest column sum of |A| for A held row by row.
double OneNorm(std::size_t n, const std::vector<double>& a) {
  std::vector<double> sums(n, 0.0);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) sums[j] += std::fabs(a[i * n + j]);
  }
  double largest = 0.0;
  for (const double s : sums) largest = std::isnan(s) ? s : std::max(largest, s);
  return largest;
}

// 1 / condition of A from the decomposition of its transpose m: the 1-norm
// of A is the infinity norm of m.
double ReciprocalCondition(int n, const double* m, double oneNorm) {
  if (!(oneNorm > 0.0) || !std::isfinite(oneNorm)) return 0.0;
  const std::size_t ld = static_cast<std::size_t>(n);
  for (std::size_t k = 0; k < ld; ++k) {
    const double pivot = m[k + k * ld];
    if (pivot == 0.0 || !std::isfinite(pivot)) return 0.0;
  }
  std::vector<double> work(4 * ld);
  std::vector<int> iwork(ld);
  double rcond = 0.0;
  int info = 0;
  dgecon_("I", &n, m, &n, &oneNorm, &rcond, work.data(), iwork.data(), &info, 1);
  return info == 0 && std::isfinite(rcond) ? rcond : 0.0;
}

}  // namespace

bool SolveLinear(std::size_t n, std::vector<double> a, std::size_t rhsCount, std::vector<double>& b,
                 double* reciprocalCondition, WorkMonitor* monitor) {
  if (a.size() != n * n || b.size() != n * rhsCount) {
    throw std::invalid_argument("SolveLinear: matrix and right-hand sides do not match n");
  }
  if (n > kLargestSystem || rhsCount > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    throw std::invalid_argument("SolveLinear: the system is too large");
  }
  if (n == 0) {
    if (reciprocalCondition != nullptr) *reciprocalCondition = 1.0;
    return true;
  }
  UseCallingThreadOnly();
  const int size = static_cast<int>(n);
  const double oneNorm = reciprocalCondition != nullptr ? OneNorm(n, a) : 0.0;
  // Read column by column, a row-major A is its transpose: decompose that,
  // and solve with the transpose of the transpose.
  std::vector<int> pivots(n);
  if (Decompose(size, a.data(), pivots.data(), monitor) == kStopped) {
    if (reciprocalCondition != nullptr) *reciprocalCondition = 0.0;
    return false;
  }
  const bool solvable = HasUsablePivots(size, a.data());
  if (reciprocalCondition != nullptr) {
    *reciprocalCondition = ReciprocalCondition(size, a.data(), oneNorm);
  }
  if (!solvable) return false;
  if (rhsCount == 0) return true;
  std::vector<double> columns(n * rhsCount);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t s = 0; s < rhsCount; ++s) columns[s * n + i] = b[i * rhsCount + s];
  }
  const int count = static_cast<int>(rhsCount);
  int info = 0;
  dgetrs_("T", &size, &count, a.data(), &size, pivots.data(), columns.data(), &size, &info, 1);
  if (info != 0) return false;
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t s = 0; s < rhsCount; ++s) b[i * rhsCount + s] = columns[s * n + i];
  }
  return true;
}

}  // namespace qv
