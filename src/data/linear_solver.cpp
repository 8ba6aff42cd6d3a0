#include "data/linear_solver.h"

#include <algorithm>
#include <barrier>
#include <cmath>
#include <stdexcept>
#include <thread>

#include "data/parallel_for.h"

namespace qv {
namespace {

// Below this size one thread is faster than the synchronisation of many.
constexpr std::size_t kParallelSize = 192;

struct Pivot {
  double magnitude = -1.0;
  std::size_t row = 0;
  std::size_t column = 0;
};

// The scan order is row-major from (k, k): the first of equal magnitudes wins,
// so a larger row only wins with a strictly larger element.
bool Better(const Pivot& a, const Pivot& b) {
  if (a.magnitude != b.magnitude) return a.magnitude > b.magnitude;
  return a.row < b.row;
}

// The augmented rows [A | B] and the column order of the unknowns.
//
// Elimination with full pivoting: step k takes the largest element of the
// remaining block (rows and columns k..n-1) to (k, k), scales row k by it and
// clears column k below it. Only the rows below k change, which is a third of
// the work of clearing the column above as well; the pivots are the same,
// since the rows above never take part in the search. Back substitution then
// solves the unit upper triangle.
class FullPivotElimination {
 public:
  FullPivotElimination(std::size_t n, std::vector<double>&& a, std::size_t m, const std::vector<double>& b)
      : n_(n), width_(n + m), unknownAt_(n) {
    // Appended row by row: a zero fill first would cost as much as a step.
    rows_.reserve(n * width_);
    for (std::size_t i = 0; i < n; ++i) {
      const auto aRow = a.begin() + static_cast<std::ptrdiff_t>(i * n);
      const auto bRow = b.begin() + static_cast<std::ptrdiff_t>(i * m);
      rows_.insert(rows_.end(), aRow, aRow + static_cast<std::ptrdiff_t>(n));
      rows_.insert(rows_.end(), bRow, bRow + static_cast<std::ptrdiff_t>(m));
      unknownAt_[i] = i;
    }
  }

  bool Run(unsigned workers);
  void Solution(std::size_t m, std::vector<double>& b) const {
    for (std::size_t k = 0; k < n_; ++k) {
      std::copy_n(Row(k) + n_, m, b.begin() + static_cast<std::ptrdiff_t>(unknownAt_[k] * m));
    }
  }

 private:
  double* Row(std::size_t i) { return rows_.data() + i * width_; }
  const double* Row(std::size_t i) const { return rows_.data() + i * width_; }

  // Largest remaining element of row i from column `from` on.
  Pivot RowPivot(std::size_t i, std::size_t from) const {
    const double* row = Row(i);
    Pivot best{-1.0, i, from};
    for (std::size_t j = from; j < n_; ++j) {
      const double magnitude = std::fabs(row[j]);
      if (magnitude > best.magnitude) best = {magnitude, i, j};
    }
    return best;
  }
  // Clears column k from the rows below k that belong to worker `worker` of
  // `workers` (every workers-th row, so the shrinking block stays balanced)
  // and returns the best pivot candidate of those rows for step k + 1.
  Pivot Eliminate(std::size_t k, unsigned worker, unsigned workers);
  // Search only, before the first step.
  Pivot Search(unsigned worker, unsigned workers) const {
    Pivot best;
    for (std::size_t i = worker; i < n_; i += workers) {
      const Pivot candidate = RowPivot(i, 0);
      if (Better(candidate, best)) best = candidate;
    }
    return best;
  }
  // Takes the pivot of step k into place and scales its row; false when singular.
  bool Prepare(std::size_t k, const Pivot& pivot);
  // Solves the unit upper triangle in place, into the right-hand sides.
  void BackSubstitute();

  std::size_t n_;
  std::size_t width_;
  std::vector<double> rows_;
  std::vector<std::size_t> unknownAt_;
};

// The largest magnitude of values[0..count-1], -1 for none; a NaN never
// counts as larger. Four running maxima keep the comparisons independent,
// which is most of the speed of the pivot search.
double LargestMagnitude(const double* values, std::size_t count) {
  double m0 = -1.0, m1 = -1.0, m2 = -1.0, m3 = -1.0;
  std::size_t j = 0;
  for (; j + 4 <= count; j += 4) {
    m0 = std::max(m0, std::fabs(values[j]));
    m1 = std::max(m1, std::fabs(values[j + 1]));
    m2 = std::max(m2, std::fabs(values[j + 2]));
    m3 = std::max(m3, std::fabs(values[j + 3]));
  }
  for (; j < count; ++j) m0 = std::max(m0, std::fabs(values[j]));
  return std::max(std::max(m0, m1), std::max(m2, m3));
}

Pivot FullPivotElimination::Eliminate(std::size_t k, unsigned worker, unsigned workers) {
  const double* pivotRow = Row(k);
  Pivot best;
  // The first row below k that is this worker's.
  std::size_t i = k + 1 + (worker + workers - (k + 1) % workers) % workers;
  for (; i < n_; i += workers) {
    double* row = Row(i);
    const double factor = row[k];
    if (factor != 0.0) {
      for (std::size_t j = k + 1; j < width_; ++j) row[j] -= factor * pivotRow[j];
      row[k] = 0.0;
    }
    // Where the largest element lies is looked up only for a row that beats
    // the best so far, which few rows do. Rows come in increasing order: an
    // equal magnitude in a later row loses.
    if (LargestMagnitude(row + k + 1, n_ - k - 1) > best.magnitude) best = RowPivot(i, k + 1);
  }
  return best;
}

bool FullPivotElimination::Prepare(std::size_t k, const Pivot& pivot) {
  // A negative magnitude means no element compared as a number (NaN rows):
  // there is no pivot, and row 0 must not be taken for one.
  if (pivot.magnitude < 0.0 || pivot.magnitude + 1.0 == 1.0) return false;
  if (pivot.row != k) std::swap_ranges(Row(k), Row(k) + width_, Row(pivot.row));
  if (pivot.column != k) {
    for (std::size_t i = 0; i < n_; ++i) std::swap(Row(i)[k], Row(i)[pivot.column]);
    std::swap(unknownAt_[k], unknownAt_[pivot.column]);
  }
  double* row = Row(k);
  const double reciprocal = 1.0 / row[k];
  for (std::size_t j = k + 1; j < width_; ++j) row[j] *= reciprocal;
  row[k] = 1.0;
  return true;
}

void FullPivotElimination::BackSubstitute() {
  for (std::size_t k = n_; k-- > 0;) {
    double* row = Row(k);
    for (std::size_t j = k + 1; j < n_; ++j) {
      const double factor = row[j];
      if (factor == 0.0) continue;
      const double* solved = Row(j) + n_;
      for (std::size_t s = n_; s < width_; ++s) row[s] -= factor * solved[s - n_];
    }
  }
}

bool FullPivotElimination::Run(unsigned workers) {
  if (n_ == 0) return true;
  std::vector<Pivot> candidates(workers);
  std::size_t next = 0;     // the step whose pivot is chosen next
  std::size_t current = 0;  // the step whose pivot row the threads eliminate with
  bool singular = false;
  bool finished = false;
  bool tail = false;  // the threads stopped with step `current` still to eliminate
  // Once the remaining block is this small, a step is cheaper than waking the
  // threads for it (and on a busy machine a step can wait a whole time slice
  // for the last of them): the calling thread does the rest alone.
  const std::size_t serialBelow = workers > 1 ? kParallelSize : 0;
  // Runs once per phase, while every thread waits: picks the pivot of the next
  // step from the candidates of all threads and moves it into place. The pick
  // does not depend on how the rows are shared out.
  auto choose = [&]() noexcept {
    Pivot best;
    for (const Pivot& candidate : candidates) {
      if (Better(candidate, best)) best = candidate;
    }
    if (next == n_) {
      finished = true;
    } else if (!Prepare(next, best)) {
      singular = true;
      finished = true;
    } else {
      current = next++;
      if (n_ - current < serialBelow) tail = finished = true;
    }
  };
  std::barrier sync(static_cast<std::ptrdiff_t>(workers), choose);
  auto work = [&](unsigned worker) {
    candidates[worker] = Search(worker, workers);
    sync.arrive_and_wait();
    while (!finished) {
      candidates[worker] = Eliminate(current, worker, workers);
      sync.arrive_and_wait();
    }
  };
  std::vector<std::thread> threads;
  for (unsigned t = 1; t < workers; ++t) threads.emplace_back(work, t);
  work(0);
  for (std::thread& thread : threads) thread.join();
  for (; tail; current = next++) {
    const Pivot best = Eliminate(current, 0, 1);
    if (next == n_) break;
    if (!Prepare(next, best)) {
      singular = true;
      break;
    }
  }
  if (singular) return false;
  BackSubstitute();
  return true;
}

}  // namespace

bool SolveLinear(std::size_t n, std::vector<double> a, std::size_t rhsCount,
                 std::vector<double>& b) {
  if (a.size() != n * n || b.size() != n * rhsCount) {
    throw std::invalid_argument("SolveLinear: matrix and right-hand sides do not match n");
  }
  FullPivotElimination system(n, std::move(a), rhsCount, b);
  const unsigned workers = n < kParallelSize ? 1u : WorkerCount(n / 64);
  if (!system.Run(workers)) return false;
  system.Solution(rhsCount, b);
  return true;
}

}  // namespace qv
