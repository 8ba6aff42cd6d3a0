#include "linear_solver.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <queue>
#include <stdexcept>
#include <thread>
#include <tuple>

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
void dsytrf_(const char* uplo, const int* n, double* a, const int* lda, int* ipiv, double* work,
             const int* lwork, int* info, std::size_t uploLength);
void dsytrs_(const char* uplo, const int* n, const int* nrhs, const double* a, const int* lda,
             const int* ipiv, double* b, const int* ldb, int* info, std::size_t uploLength);
void dsycon_(const char* uplo, const int* n, const double* a, const int* lda, const int* ipiv,
             const double* anorm, double* rcond, double* work, int* iwork, int* info,
             std::size_t uploLength);
void dpotrf_(const char* uplo, const int* n, double* a, const int* lda, int* info,
             std::size_t uploLength);
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

// A decomposition in one call reports only its end, and may be stopped
// there: false then.
bool ReportEnd(WorkMonitor* monitor) {
  if (monitor == nullptr) return true;
  monitor->Progress(1.0);
  return !monitor->StopRequested();
}

// Whether a decomposition of n unknowns is shared among threads.
bool SharedAmongThreads(std::size_t n) { return n >= kSharedFrom && WorkerCount(n) >= 2; }

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
int DecomposeLu(int n, double* m, int* pivots, WorkMonitor* monitor) {
  int info = 0;
  if (!SharedAmongThreads(static_cast<std::size_t>(n))) {
    dgetrf_(&n, &n, m, &n, pivots, &info);
    return ReportEnd(monitor) ? info : kStopped;
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
bool UsableLuPivots(int n, const double* m) {
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

// The largest column sum of |A| for a symmetric A of which only the lower
// triangle (row by row) is read. Blocks of rows on the cores, each into sums
// of its own, added in block order: the same norm on any number of threads.
double SymmetricOneNorm(std::size_t n, const std::vector<double>& a) {
  constexpr std::size_t kBlockRows = 64;
  const std::size_t blocks = (n + kBlockRows - 1) / kBlockRows;
  std::vector<double> partial(blocks * n, 0.0);
  ParallelFor(blocks, 1, [&](std::size_t first, std::size_t last) {
    for (std::size_t block = first; block < last; ++block) {
      double* sums = &partial[block * n];
      for (std::size_t i = block * kBlockRows; i < std::min(n, (block + 1) * kBlockRows); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
          const double entry = std::fabs(a[i * n + j]);
          sums[i] += entry;
          sums[j] += entry;
        }
        sums[i] += std::fabs(a[i * n + i]);
      }
    }
  });
  double largest = 0.0;
  for (std::size_t j = 0; j < n; ++j) {
    double sum = 0.0;
    for (std::size_t block = 0; block < blocks; ++block) sum += partial[block * n + j];
    largest = std::isnan(sum) ? sum : std::max(largest, sum);
  }
  return largest;
}

// 1 / condition of A from the decomposition of its transpose m: the 1-norm
// of A is the infinity norm of m.
double LuReciprocalCondition(int n, const double* m, double oneNorm) {
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

// A decomposition in place and what the solve needs of it.
class Decomposition {
 public:
  virtual ~Decomposition() = default;
  // Decomposes; false when the monitor stopped it.
  virtual bool Decompose(int n, double* m, WorkMonitor* monitor) = 0;
  // The singularity test on the pivots.
  virtual bool HasUsablePivots(int n, const double* m) const = 0;
  // 1 / condition from the decomposition, given the norm of A.
  virtual double ReciprocalCondition(int n, const double* m, double oneNorm) const = 0;
  // Solves for count right-hand sides held column by column; false on failure.
  virtual bool Solve(int n, const double* m, int count, double* columns) const = 0;
};

// The LU of the transpose (the row-major A read column by column).
class LuDecomposition final : public Decomposition {
 public:
  explicit LuDecomposition(std::size_t n) : pivots_(n) {}
  bool Decompose(int n, double* m, WorkMonitor* monitor) override {
    return DecomposeLu(n, m, pivots_.data(), monitor) != kStopped;
  }
  bool HasUsablePivots(int n, const double* m) const override { return UsableLuPivots(n, m); }
  double ReciprocalCondition(int n, const double* m, double oneNorm) const override {
    return LuReciprocalCondition(n, m, oneNorm);
  }
  bool Solve(int n, const double* m, int count, double* columns) const override {
    int info = 0;
    dgetrs_("T", &n, &count, m, &n, pivots_.data(), columns, &n, &info, 1);
    return info == 0;
  }

 private:
  std::vector<int> pivots_;
};

// The symmetric indefinite decomposition A = U D U^T (LAPACK's
// Bunch-Kaufman), half the work of the LU, on the calling thread. Read column
// by column, the lower triangle of the row-major A is the upper one.
class SymmetricDecomposition final : public Decomposition {
 public:
  explicit SymmetricDecomposition(std::size_t n) : pivots_(n) {}
  bool Decompose(int n, double* m, WorkMonitor* monitor) override {
    int info = 0;
    int query = -1;
    double size = 0.0;
    dsytrf_("U", &n, m, &n, pivots_.data(), &size, &query, &info, 1);
    int length = std::max(1, static_cast<int>(size));
    std::vector<double> work(static_cast<std::size_t>(length));
    dsytrf_("U", &n, m, &n, pivots_.data(), work.data(), &length, &info, 1);
    return ReportEnd(monitor);
  }
  // The pivots of D: its 1 x 1 blocks, and the two eigenvalues of each 2 x 2
  // block (rows k, k + 1, its off-diagonal entry above the diagonal).
  bool HasUsablePivots(int n, const double* m) const override {
    return EachPivot(n, m, [](double pivot) { return std::fabs(pivot) + 1.0 != 1.0; });
  }
  double ReciprocalCondition(int n, const double* m, double oneNorm) const override {
    if (!(oneNorm > 0.0) || !std::isfinite(oneNorm)) return 0.0;
    if (!EachPivot(n, m, [](double pivot) { return pivot != 0.0; })) return 0.0;
    const std::size_t ld = static_cast<std::size_t>(n);
    std::vector<double> work(2 * ld);
    std::vector<int> iwork(ld);
    double rcond = 0.0;
    int info = 0;
    dsycon_("U", &n, m, &n, pivots_.data(), &oneNorm, &rcond, work.data(), iwork.data(), &info, 1);
    return info == 0 && std::isfinite(rcond) ? rcond : 0.0;
  }
  bool Solve(int n, const double* m, int count, double* columns) const override {
    int info = 0;
    dsytrs_("U", &n, &count, m, &n, pivots_.data(), columns, &n, &info, 1);
    return info == 0;
  }

 private:
  // Whether every pivot is a number that passes the test.
  template <typename Test>
  bool EachPivot(int n, const double* m, const Test& test) const {
    const std::size_t ld = static_cast<std::size_t>(n);
    auto passes = [&](double pivot) { return std::isfinite(pivot) && test(pivot); };
    for (std::size_t k = 0; k < ld; ++k) {
      const double diagonal = m[k + k * ld];
      if (pivots_[k] > 0 || k + 1 == ld) {
        if (!passes(diagonal)) return false;
        continue;
      }
      const double next = m[(k + 1) + (k + 1) * ld], off = m[k + (k + 1) * ld];
      const double mean = 0.5 * (diagonal + next), half = 0.5 * (diagonal - next);
      const double spread = std::sqrt(half * half + off * off);
      if (!passes(mean + spread) || !passes(mean - spread)) return false;
      ++k;
    }
    return true;
  }

  std::vector<int> pivots_;
};

// The Cholesky decomposition of the column-major lower triangle in square
// tiles, on several threads, with the rows below it (if any) solved along as
// one more row of tiles. The tile (i, j) (i >= j) goes through the updates
// A_ij -= L_ik L_jk^T for k = 0..j-1, in that order, and then becomes L_jj
// (decomposed) or L_ij (solved against L_jj). Each of these steps is a task,
// taken when what it reads is final; every tile sees its steps in the same
// order on any number of threads, so the result does not depend on them.
// Ready tasks of earlier columns go first: they lie on the longest chain of
// the work.
class TiledCholesky {
 public:
  TiledCholesky(int n, int extra, double* a, int ld, double minimumPivot, WorkMonitor* monitor)
      : n_(n),
        extra_(extra),
        tiles_((n + kTile - 1) / kTile),
        rowTiles_(tiles_ + (extra > 0)),
        a_(a),
        ld_(ld),
        minimumPivot_(minimumPivot),
        monitor_(monitor),
        updates_(TileCount(), 0),
        final_(TileCount(), false),
        queued_(TileCount(), false),
        left_(tiles_ * (tiles_ + 1) / 2 + (extra > 0 ? tiles_ : 0)) {}

  // On the calling thread, in one call.
  bool DecomposeWhole() {
    if (!DecomposeDiagonal(0, n_)) return false;
    if (extra_ > 0) SolveAgainstDiagonal(a_ + n_, extra_, a_, n_);
    return true;
  }

  bool Decompose(unsigned workers) {
    {
      std::lock_guard lock(mutex_);
      TryQueue(0, 0);
    }
    ParallelFor(workers, 1, [&](std::size_t first, std::size_t last) {
      for (std::size_t worker = first; worker < last; ++worker) Work();
    });
    return !failed_ && left_ == 0;
  }

 private:
  static constexpr int kTile = 128;
  static constexpr int kSpins = 2000;

  struct Task {
    int step;  // k of an update, j for the tile's last step
    int row, column;
    bool operator<(const Task& other) const {  // the queue takes the largest first
      return std::tie(other.step, other.column, other.row) < std::tie(step, column, row);
    }
  };

  std::size_t TileCount() const { return static_cast<std::size_t>(rowTiles_ * tiles_); }
  std::size_t Index(int row, int column) const {
    return static_cast<std::size_t>(row * tiles_ + column);
  }
  int Size(int tile) const { return std::min(kTile, n_ - tile * kTile); }
  // The rows of a tile row; the last, below the matrix, holds the extra rows.
  int Rows(int tile) const { return tile < tiles_ ? Size(tile) : extra_; }
  double* At(int row, int column) const {
    const std::size_t first = row < tiles_ ? static_cast<std::size_t>(row) * kTile : n_;
    return a_ + first + static_cast<std::size_t>(column) * kTile * static_cast<std::size_t>(ld_);
  }

  bool DecomposeDiagonal(int from, int size) {
    double* diagonal = a_ + from + static_cast<std::size_t>(from) * ld_;
    int info = 0;
    dpotrf_("L", &size, diagonal, &ld_, &info, 1);
    if (info != 0) return false;
    for (int i = 0; i < size; ++i) {
      const double pivot = diagonal[i + static_cast<std::size_t>(i) * ld_];
      if (!(pivot * pivot > minimumPivot_) || !std::isfinite(pivot)) return false;
    }
    return true;
  }

  // rows x columns at block := block L^-T, L the columns x columns at diagonal.
  void SolveAgainstDiagonal(double* block, int rows, const double* diagonal, int columns) const {
    cblas_dtrsm(CblasColMajor, CblasRight, CblasLower, CblasTrans, CblasNonUnit, rows, columns, 1.0,
                diagonal, ld_, block, ld_);
  }

  // Queues the next step of tile (row, column) if what it reads is final.
  // Called under the lock.
  void TryQueue(int row, int column) {
    const std::size_t at = Index(row, column);
    if (queued_[at] || final_[at]) return;
    const int k = updates_[at];
    if (k < column) {
      if (!final_[Index(row, k)] || !final_[Index(column, k)]) return;
    } else if (row != column && !final_[Index(column, column)]) {
      return;
    }
    queued_[at] = true;
    ready_.push({k, row, column});
    readyCount_.store(ready_.size(), std::memory_order_relaxed);
    wake_.notify_one();
  }

  bool Run(const Task& task) {
    const int rows = Rows(task.row), columns = Size(task.column);
    if (task.step < task.column) {
      const int k = task.step, depth = Size(k);
      if (task.row == task.column) {
        cblas_dsyrk(CblasColMajor, CblasLower, CblasNoTrans, columns, depth, -1.0,
                    At(task.column, k), ld_, 1.0, At(task.row, task.column), ld_);
      } else {
        cblas_dgemm(CblasColMajor, CblasNoTrans, CblasTrans, rows, columns, depth, -1.0,
                    At(task.row, k), ld_, At(task.column, k), ld_, 1.0, At(task.row, task.column),
                    ld_);
      }
      return true;
    }
    if (task.row == task.column) return DecomposeDiagonal(task.column * kTile, columns);
    SolveAgainstDiagonal(At(task.row, task.column), rows, At(task.column, task.column), columns);
    return true;
  }

  // Called under the lock when a task has run.
  void Finish(const Task& task) {
    const std::size_t at = Index(task.row, task.column);
    queued_[at] = false;
    if (task.step < task.column) {
      ++updates_[at];
      TryQueue(task.row, task.column);
      return;
    }
    final_[at] = true;
    --left_;
    if (task.row == task.column) {
      const int j = task.column;
      for (int i = j + 1; i < rowTiles_; ++i) TryQueue(i, j);
      if (monitor_ != nullptr) {
        const double remaining = static_cast<double>(tiles_ - 1 - j) / tiles_;
        monitor_->Progress(1.0 - remaining * remaining * remaining);
        if (monitor_->StopRequested()) failed_ = true;
      }
    } else {
      // L_ik is read by the updates of step k of the tiles (i, j) and (j, i).
      const int i = task.row, k = task.column;
      for (int j = k + 1; j <= std::min(i, tiles_ - 1); ++j) TryQueue(i, j);
      if (i < tiles_) {
        for (int j = i + 1; j < rowTiles_; ++j) TryQueue(j, i);
      }
    }
    if (left_ == 0 || failed_) {
      over_ = true;
      wake_.notify_all();
    }
  }

  void Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
      if (ready_.empty() && !failed_ && left_ != 0) {
        // The next task is mostly a few microseconds away: waiting for it
        // awake is far quicker than being woken.
        lock.unlock();
        for (int spin = 0; spin < kSpins && readyCount_.load(std::memory_order_relaxed) == 0 &&
                           !over_.load(std::memory_order_relaxed);
             ++spin) {
          std::this_thread::yield();
        }
        lock.lock();
      }
      wake_.wait(lock, [&] { return failed_ || left_ == 0 || !ready_.empty(); });
      if (failed_ || left_ == 0) return;
      const Task task = ready_.top();
      ready_.pop();
      readyCount_.store(ready_.size(), std::memory_order_relaxed);
      lock.unlock();
      const bool done = Run(task);
      lock.lock();
      if (!done) {
        failed_ = true;
        over_ = true;
        wake_.notify_all();
        return;
      }
      Finish(task);
    }
  }

  const int n_, extra_, tiles_, rowTiles_;
  double* const a_;
  int ld_;
  const double minimumPivot_;
  WorkMonitor* const monitor_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::priority_queue<Task> ready_;
  std::vector<int> updates_;
  std::vector<bool> final_, queued_;
  int left_;
  bool failed_ = false;
  // Read without the lock by the threads that wait awake.
  std::atomic<std::size_t> readyCount_{0};
  std::atomic<bool> over_{false};
};

// Throws when the sizes do not match or are too large; true for an empty
// system, which is solved then and there.
bool CheckedEmpty(std::size_t n, const std::vector<double>& a, std::size_t rhsCount,
                  const std::vector<double>& b, double* reciprocalCondition) {
  if (a.size() != n * n || b.size() != n * rhsCount) {
    throw std::invalid_argument("SolveLinear: matrix and right-hand sides do not match n");
  }
  if (n > kLargestSystem || rhsCount > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    throw std::invalid_argument("SolveLinear: the system is too large");
  }
  if (n != 0) return false;
  if (reciprocalCondition != nullptr) *reciprocalCondition = 1.0;
  return true;
}

// When the reciprocal condition is estimated.
enum class Condition { Always, WhenSingular };

bool Solve(Decomposition& decomposition, std::size_t n, std::vector<double>& a, double oneNorm,
           std::size_t rhsCount, std::vector<double>& b, double* reciprocalCondition,
           Condition when, WorkMonitor* monitor) {
  const int size = static_cast<int>(n);
  if (!decomposition.Decompose(size, a.data(), monitor)) {
    if (reciprocalCondition != nullptr) *reciprocalCondition = 0.0;
    return false;
  }
  const bool solvable = decomposition.HasUsablePivots(size, a.data());
  if (reciprocalCondition != nullptr && (when == Condition::Always || !solvable)) {
    *reciprocalCondition = decomposition.ReciprocalCondition(size, a.data(), oneNorm);
  }
  if (!solvable) return false;
  if (rhsCount == 0) return true;
  std::vector<double> columns(n * rhsCount);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t s = 0; s < rhsCount; ++s) columns[s * n + i] = b[i * rhsCount + s];
  }
  if (!decomposition.Solve(size, a.data(), static_cast<int>(rhsCount), columns.data()))
    return false;
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t s = 0; s < rhsCount; ++s) b[i * rhsCount + s] = columns[s * n + i];
  }
  return true;
}

// Which of L and L^T a column is solved with.
enum class Triangles { Transposed, Both };

// The columns (leading dimension n) each on a core of its own: a solve
// reads all of L for little work, and the cores read it side by side.
void SolveTriangles(std::size_t n, const double* l, std::size_t ld, std::size_t count,
                    double* columns, Triangles triangles) {
  if (n == 0) return;
  const int size = static_cast<int>(n), lda = static_cast<int>(ld);
  ParallelFor(count, 1, [&](std::size_t first, std::size_t last) {
    for (std::size_t c = first; c < last; ++c) {
      double* x = columns + c * n;
      if (triangles == Triangles::Both) {
        cblas_dtrsv(CblasColMajor, CblasLower, CblasNoTrans, CblasNonUnit, size, l, lda, x, 1);
      }
      cblas_dtrsv(CblasColMajor, CblasLower, CblasTrans, CblasNonUnit, size, l, lda, x, 1);
    }
  });
}

}  // namespace

// OpenBLAS's own threads spin between calls and would take the cores from
// the gridding's threads (and from each other on a busy machine): every call
// runs on the calling thread, and the steps are shared out here instead.
void UseCallingThreadOnly() {
  static std::once_flag once;
  std::call_once(once, [] { openblas_set_num_threads(1); });
}

bool SolveLinear(std::size_t n, std::vector<double> a, std::size_t rhsCount, std::vector<double>& b,
                 double* reciprocalCondition, WorkMonitor* monitor) {
  if (CheckedEmpty(n, a, rhsCount, b, reciprocalCondition)) return true;
  UseCallingThreadOnly();
  const double oneNorm = reciprocalCondition != nullptr ? OneNorm(n, a) : 0.0;
  LuDecomposition lu(n);
  return Solve(lu, n, a, oneNorm, rhsCount, b, reciprocalCondition, Condition::Always, monitor);
}

bool SolveSymmetricLinear(std::size_t n, std::vector<double> a, std::size_t rhsCount,
                          std::vector<double>& b, double* reciprocalCondition,
                          WorkMonitor* monitor) {
  if (CheckedEmpty(n, a, rhsCount, b, reciprocalCondition)) return true;
  UseCallingThreadOnly();
  // Known before the decomposition overwrites A, in case it is singular.
  const double oneNorm = reciprocalCondition != nullptr ? SymmetricOneNorm(n, a) : 0.0;
  // The symmetric decomposition does half the LU's work on one thread: it
  // is as quick as the LU shared between two threads, and quicker alone.
  if (SharedAmongThreads(n) && WorkerCount(n) > 2) {
    MirrorLowerTriangle(n, a);
    LuDecomposition lu(n);
    return Solve(lu, n, a, oneNorm, rhsCount, b, reciprocalCondition, Condition::WhenSingular,
                 monitor);
  }
  SymmetricDecomposition symmetric(n);
  return Solve(symmetric, n, a, oneNorm, rhsCount, b, reciprocalCondition, Condition::WhenSingular,
               monitor);
}

bool DecomposeCholesky(std::size_t n, std::size_t extra, double* a, std::size_t ld,
                       double minimumPivot, WorkMonitor* monitor) {
  if (n > kLargestSystem || extra > kLargestSystem || ld < n + extra) {
    throw std::invalid_argument("DecomposeCholesky: the system is too large or ld too small");
  }
  if (n == 0) return ReportEnd(monitor);
  UseCallingThreadOnly();
  TiledCholesky cholesky(static_cast<int>(n), static_cast<int>(extra), a, static_cast<int>(ld),
                         minimumPivot, monitor);
  if (!SharedAmongThreads(n)) return cholesky.DecomposeWhole() && ReportEnd(monitor);
  return cholesky.Decompose(WorkerCount(n));
}

std::vector<double> SolveDecomposedRows(std::size_t n, std::size_t extra, const double* a,
                                        std::size_t ld) {
  // The rows E L^-T as columns, times L^-T: A^-1 E^T.
  std::vector<double> columns(n * extra);
  for (std::size_t j = 0; j < n; ++j) {
    for (std::size_t r = 0; r < extra; ++r) columns[r * n + j] = a[n + r + j * ld];
  }
  SolveTriangles(n, a, ld, extra, columns.data(), Triangles::Transposed);
  return columns;
}

void SolveCholesky(std::size_t n, const double* a, std::size_t ld, std::size_t count,
                   double* columns) {
  SolveTriangles(n, a, ld, count, columns, Triangles::Both);
}

void MirrorLowerTriangle(std::size_t n, std::vector<double>& a) {
  ForEachUpperEntryByTiles(n, false,
                           [&](std::size_t i, std::size_t j) { a[i * n + j] = a[j * n + i]; });
}

}  // namespace qv
