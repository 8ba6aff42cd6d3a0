#include "linear_solver.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
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
  FullPivotElimination(std::size_t n, std::vector<double>&& a, std::size_t m,
                       const std::vector<double>& b)
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
  // Clears column k from rows first..last-1 (all below k) and returns the
  // best pivot candidate of those rows for step k + 1.
  Pivot Eliminate(std::size_t k, std::size_t first, std::size_t last);
  // Search only, before the first step.
  Pivot Search() const {
    Pivot best;
    for (std::size_t i = 0; i < n_; ++i) {
      const Pivot candidate = RowPivot(i, 0);
      if (Better(candidate, best)) best = candidate;
    }
    return best;
  }
  // Runs the steps from `current` on with several threads while the block is
  // large, and returns the step at which the calling thread is to go on
  // alone (n when all are done), or n + 1 when a step was singular.
  std::size_t RunShared(std::size_t current, unsigned workers);
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

Pivot FullPivotElimination::Eliminate(std::size_t k, std::size_t first, std::size_t last) {
  const double* pivotRow = Row(k);
  Pivot best;
  for (std::size_t i = first; i < last; ++i) {
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

// The threads share each step's rows in small chunks taken from a counter,
// not in fixed parts: on a busy machine a thread that has lost its core then
// holds up no step, the others take its rows. The thread that finishes a
// step's last chunk picks the next pivot from the chunks' candidates (in
// chunk order, so the pick is the same however the chunks were shared) and
// opens the next step.
std::size_t FullPivotElimination::RunShared(std::size_t current, unsigned workers) {
  // The rows of step k (k + 1 .. n - 1) in chunks: a function of k alone, so
  // that a thread still looking at an earlier step reads nothing that moves.
  auto chunkRows = [&](std::size_t k) {
    return std::max<std::size_t>(4, (n_ - k - 1) / (8 * workers));
  };
  auto chunksOf = [&](std::size_t k) { return (n_ - k - 1 + chunkRows(k) - 1) / chunkRows(k); };
  // Step number in the high half of claim, next chunk in the low half.
  std::atomic<std::uint64_t> claim{0};
  std::atomic<std::size_t> done{0};
  std::atomic<std::size_t> opened{0};  // the step the threads may work on
  std::atomic<bool> stop{false};
  std::vector<Pivot> best(n_);  // more than the chunks of any step
  std::size_t result = 0;
  auto open = [&](std::size_t k) {
    std::fill_n(best.begin(), chunksOf(k), Pivot{});
    done.store(0, std::memory_order_relaxed);
    claim.store(static_cast<std::uint64_t>(k) << 32, std::memory_order_release);
    opened.store(k, std::memory_order_release);
    opened.notify_all();
  };
  auto finish = [&](std::size_t value) {
    result = value;
    stop.store(true, std::memory_order_release);
    opened.store(n_ + 1, std::memory_order_release);
    opened.notify_all();
  };
  // Called by the thread that completed step k's last chunk.
  auto close = [&](std::size_t k) {
    Pivot pick;
    for (std::size_t c = 0; c < chunksOf(k); ++c) {
      if (Better(best[c], pick)) pick = best[c];
    }
    const std::size_t next = k + 1;
    if (!Prepare(next, pick)) return finish(n_ + 1);
    // The caller eliminates with step `next` and goes on alone.
    if (n_ - next < kParallelSize) return finish(next);
    open(next);
  };
  auto work = [&] {
    std::size_t seen = static_cast<std::size_t>(-1);
    for (;;) {
      std::size_t k = opened.load(std::memory_order_acquire);
      while (k == seen) {
        opened.wait(seen, std::memory_order_acquire);
        k = opened.load(std::memory_order_acquire);
      }
      if (stop.load(std::memory_order_acquire)) return;
      seen = k;
      const std::size_t chunks = chunksOf(k), rows = chunkRows(k);
      std::uint64_t mine = claim.load(std::memory_order_acquire);
      for (;;) {
        if ((mine >> 32) != k || (mine & 0xffffffffu) >= chunks) break;
        if (!claim.compare_exchange_weak(mine, mine + 1, std::memory_order_acq_rel)) continue;
        const std::size_t chunk = mine & 0xffffffffu;
        const std::size_t first = k + 1 + chunk * rows;
        best[chunk] = Eliminate(k, first, std::min(n_, first + rows));
        if (done.fetch_add(1, std::memory_order_acq_rel) + 1 == chunks) {
          close(k);
          break;
        }
        mine = claim.load(std::memory_order_acquire);
      }
    }
  };
  open(current);
  std::vector<std::thread> threads;
  for (unsigned t = 1; t < workers; ++t) threads.emplace_back(work);
  work();
  for (std::thread& thread : threads) thread.join();
  return result;
}

bool FullPivotElimination::Run(unsigned workers) {
  if (n_ == 0) return true;
  if (!Prepare(0, Search())) return false;
  std::size_t current = 0;
  if (workers > 1 && n_ - 1 >= kParallelSize) {
    current = RunShared(0, workers);
    if (current > n_) return false;
  }
  // The small remaining block: a step is cheaper than waking the threads for it.
  for (; current < n_; ++current) {
    const Pivot best = Eliminate(current, current + 1, n_);
    if (current + 1 < n_ && !Prepare(current + 1, best)) return false;
  }
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
