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
class GaussJordan {
 public:
  GaussJordan(std::size_t n, std::vector<double>&& a, std::size_t m, const std::vector<double>& b)
      : n_(n), width_(n + m), rows_(n * (n + m)), unknownAt_(n) {
    for (std::size_t i = 0; i < n; ++i) {
      std::copy_n(a.begin() + static_cast<std::ptrdiff_t>(i * n), n, Row(i));
      std::copy_n(b.begin() + static_cast<std::ptrdiff_t>(i * m), m, Row(i) + n);
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
  // Eliminates column k from rows first..last-1 (except the pivot row) and
  // returns the best pivot candidate of those rows for step k + 1.
  Pivot Eliminate(std::size_t k, std::size_t first, std::size_t last);
  // Search only, before the first step.
  Pivot Search(std::size_t from, std::size_t first, std::size_t last) const {
    Pivot best;
    for (std::size_t i = std::max(first, from); i < last; ++i) {
      const Pivot candidate = RowPivot(i, from);
      if (Better(candidate, best)) best = candidate;
    }
    return best;
  }
  // Takes the pivot of step k into place and scales its row; false when singular.
  bool Prepare(std::size_t k, const Pivot& pivot);

  std::size_t n_;
  std::size_t width_;
  std::vector<double> rows_;
  std::vector<std::size_t> unknownAt_;
};

Pivot GaussJordan::Eliminate(std::size_t k, std::size_t first, std::size_t last) {
  const double* pivotRow = Row(k);
  Pivot best;
  for (std::size_t i = first; i < last; ++i) {
    if (i == k) continue;
    double* row = Row(i);
    const double factor = row[k];
    if (factor != 0.0) {
      for (std::size_t j = k + 1; j < width_; ++j) row[j] -= factor * pivotRow[j];
      row[k] = 0.0;
    }
    if (i > k) {
      const Pivot candidate = RowPivot(i, k + 1);
      if (Better(candidate, best)) best = candidate;
    }
  }
  return best;
}

bool GaussJordan::Prepare(std::size_t k, const Pivot& pivot) {
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

bool GaussJordan::Run(unsigned workers) {
  if (n_ == 0) return true;
  std::vector<Pivot> candidates(workers);
  std::size_t next = 0;     // the step whose pivot is chosen next
  std::size_t current = 0;  // the step whose pivot row the threads eliminate with
  bool singular = false;
  bool finished = false;
  // Runs once per phase, while every thread waits: picks the pivot of the next
  // step from the candidates of all threads and moves it into place.
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
    }
  };
  std::barrier sync(static_cast<std::ptrdiff_t>(workers), choose);
  auto work = [&](unsigned worker) {
    const std::size_t first = n_ * worker / workers;
    const std::size_t last = n_ * (worker + 1) / workers;
    candidates[worker] = Search(0, first, last);
    sync.arrive_and_wait();
    while (!finished) {
      candidates[worker] = Eliminate(current, first, last);
      sync.arrive_and_wait();
    }
  };
  std::vector<std::thread> threads;
  for (unsigned t = 1; t < workers; ++t) threads.emplace_back(work, t);
  work(0);
  for (std::thread& thread : threads) thread.join();
  return !singular;
}

}  // namespace

bool SolveLinear(std::size_t n, std::vector<double> a, std::size_t rhsCount,
                 std::vector<double>& b) {
  if (a.size() != n * n || b.size() != n * rhsCount) {
    throw std::invalid_argument("SolveLinear: matrix and right-hand sides do not match n");
  }
  GaussJordan system(n, std::move(a), rhsCount, b);
  const unsigned workers = n < kParallelSize ? 1u : WorkerCount(n / 64);
  if (!system.Run(workers)) return false;
  system.Solution(rhsCount, b);
  return true;
}

}  // namespace qv
