// The radial-basis fit of a large system through the part of it on which
// the kernel is definite.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "data/parallel_for.h"
#include "data/radial_basis_model.h"
#include "linear_solver.h"
#include "progress_meter.h"

// LAPACK's Fortran entry points (32-bit integers; the hidden lengths of the
// character arguments last).
extern "C" {
void dgeqrf_(const int* m, const int* n, double* a, const int* lda, double* tau, double* work,
             const int* lwork, int* info);
void dlarft_(const char* direct, const char* storev, const int* n, const int* k, const double* v,
             const int* ldv, const double* tau, double* t, const int* ldt, std::size_t directLength,
             std::size_t storevLength);
}

namespace qv {
namespace {

// Pivots of the definite part at or below this are not trusted to decide:
// the scaled coordinates make the kernels of order one, and the whole
// system's solve then decides.
constexpr double kSmallestPivot = 1e-12;

// The orthogonal Q = I - V T V^T of the QR decomposition P = Q [R; 0] of the
// polynomial columns P (n x m; m is 1 or 3), held row by row.
struct Reflectors {
  std::size_t n = 0, m = 0;
  std::vector<double> v;  // n x m, V(i, t) at v[i * m + t]; V(t, t) = 1, 0 above
  std::vector<double> t;  // m x m, upper triangular
  std::vector<double> r;  // m x m, upper triangular

  // x := Q x, or Q^T x when transposed, for a column x of length n.
  void Apply(double* x, bool transposed) const {
    double vx[3] = {0, 0, 0}, tvx[3] = {0, 0, 0};
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t c = 0; c < m; ++c) vx[c] += v[i * m + c] * x[i];
    }
    for (std::size_t a = 0; a < m; ++a) {
      for (std::size_t b = 0; b < m; ++b) {
        tvx[a] += (transposed ? t[b * m + a] : t[a * m + b]) * vx[b];
      }
    }
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t c = 0; c < m; ++c) x[i] -= v[i * m + c] * tvx[c];
    }
  }
};

// The reflectors of the columns 1, u (and v, with three columns).
Reflectors PolynomialReflectors(const std::vector<double>& u, const std::vector<double>& v,
                                std::size_t m) {
  Reflectors q;
  q.n = u.size();
  q.m = m;
  const int rows = static_cast<int>(q.n), columns = static_cast<int>(m);
  std::vector<double> p(q.n * m);  // column by column, for LAPACK
  for (std::size_t i = 0; i < q.n; ++i) {
    p[i] = 1.0;
    if (m == 3) {
      p[q.n + i] = u[i];
      p[2 * q.n + i] = v[i];
    }
  }
  std::vector<double> tau(m), work(64 * m);
  const int length = static_cast<int>(work.size());
  int info = 0;
  dgeqrf_(&rows, &columns, p.data(), &rows, tau.data(), work.data(), &length, &info);
  std::vector<double> t(m * m, 0.0);  // column by column
  dlarft_("F", "C", &rows, &columns, p.data(), &rows, tau.data(), t.data(), &columns, 1, 1);
  q.v.assign(q.n * m, 0.0);
  q.t.assign(m * m, 0.0);
  q.r.assign(m * m, 0.0);
  for (std::size_t c = 0; c < m; ++c) {
    q.v[c * m + c] = 1.0;
    for (std::size_t i = c + 1; i < q.n; ++i) q.v[i * m + c] = p[c * q.n + i];
    for (std::size_t a = 0; a <= c; ++a) {
      q.t[a * m + c] = t[c * m + a];
      q.r[a * m + c] = p[c * q.n + a];
    }
  }
  return q;
}

// The n x columns product (row by row) of a symmetric n x n matrix with
// another, on the cores. row(i, sums, own) goes through one triangle's
// entries of row i: each adds to own, row i of the product (zeroed before),
// and, mirrored, to the other rows in sums. Rows t and n - 1 - t together
// hold n + 1 entries, so tasks of such pairs are even; each block of them
// sums into a product of its own, and these are added in block order: the
// same product on any number of threads. A meter counts the rows, and a
// stop it hears ends the work early.
template <typename Row>
std::vector<double> SymmetricProduct(std::size_t n, std::size_t columns, ProgressMeter* meter,
                                     const Row& row) {
  const std::size_t pairs = (n + 1) / 2;
  const std::size_t blocks = std::min<std::size_t>(pairs, 64);
  std::vector<double> partial(blocks * n * columns, 0.0);
  ParallelFor(blocks, 1, [&](std::size_t first, std::size_t last) {
    std::vector<double> own(columns);
    auto one = [&](std::size_t i, double* sums) {
      std::fill(own.begin(), own.end(), 0.0);
      row(i, sums, own.data());
      for (std::size_t c = 0; c < columns; ++c) sums[i * columns + c] += own[c];
    };
    for (std::size_t block = first; block < last; ++block) {
      if (meter != nullptr && meter->Stopped()) return;
      double* sums = &partial[block * n * columns];
      const std::size_t from = block * pairs / blocks, to = (block + 1) * pairs / blocks;
      for (std::size_t t = from; t < to; ++t) {
        one(t, sums);
        if (n - 1 - t != t) one(n - 1 - t, sums);
      }
      if (meter != nullptr) meter->Add(static_cast<double>(std::min(n, 2 * to) - 2 * from));
    }
  });
  std::vector<double> product(n * columns, 0.0);
  for (std::size_t block = 0; block < blocks; ++block) {
    for (std::size_t e = 0; e < n * columns; ++e) product[e] += partial[block * n * columns + e];
  }
  return product;
}

}  // namespace

// The system [A P; P^T 0] [w; c] = [f; 0] of the thin plate (P the columns
// 1, u, v) and A w = f of the multiquadric are neither definite, but the
// kernels are definite on the weights P^T w = 0 (P the column of ones for
// the multiquadric): the thin plate's positive, the multiquadric's
// negative. With P = Q [R; 0] and G = Q^T A Q, the block B of G beyond the
// first m rows and columns is that, and takes a Cholesky decomposition, a
// third of the LU's work, which shares well among threads.
//   thin plate:   w = Q [0; y] with B y = (Q^T f) below row m, and
//                 R c = (Q^T f) above it - G's rows above it times y;
//   multiquadric: w = Q [t; y], bordering B with G's first row and column.
// Only the upper triangle of G, row by row, is made: read column by column
// it is the lower one that the decomposition takes. Each row ends in the
// right-hand sides, which the decomposition solves along as its extra rows.
RadialBasisModel::Outcome RadialBasisModel::FitDefinite(
    const std::vector<std::vector<double>>& valueSets, WorkMonitor* monitor) {
  const std::size_t n = u_.size();
  const bool thinPlate = kernel_ == RadialKernel::ThinPlate;
  const std::size_t m = thinPlate ? 3 : 1;
  // The multiquadric's B is negative definite: G is made negated.
  const double sign = thinPlate ? 1.0 : -1.0;
  UseCallingThreadOnly();
  const Reflectors q = PolynomialReflectors(u_, v_, m);
  for (std::size_t c = 0; c < m; ++c) {
    if (!(std::fabs(q.r[c * m + c]) > 1e-9 * std::fabs(q.r[0]))) return Outcome::Undecided;
  }
  const std::size_t extra = sets_ + (thinPlate ? 0 : 1);
  const std::size_t ld = n + extra;
  // Left uninitialised: the entries left of each row's diagonal are never
  // read, and the threads that fill the rows touch their pages first.
  const std::unique_ptr<double[]> storage(new double[n * ld]);
  double* const a = storage.get();
  auto at = [&](std::size_t row, std::size_t column) -> double& { return a[row * ld + column]; };
  {
    std::vector<double> h(n);
    for (std::size_t s = 0; s < sets_; ++s) {
      std::copy(valueSets[s].begin(), valueSets[s].end(), h.begin());
      q.Apply(h.data(), true);
      for (std::size_t i = 0; i < n; ++i) at(i, n + s) = sign * h[i];
    }
  }

  // A's upper triangle, and W = A V: each kernel adds to W's row of its row
  // and, mirrored, of its column.
  const double matrixShare = 30.0 / (30.0 + static_cast<double>(n) / 3.0);
  WorkStep matrixStep(monitor, 0.0, matrixShare);
  ProgressMeter meter(monitor != nullptr ? &matrixStep : nullptr, static_cast<double>(n));
  auto fill = [&](const auto& kernel) {
    return SymmetricProduct(n, m, &meter, [&](std::size_t i, double* sums, double* own) {
      double* row = &at(i, 0);
      const double* vi = &q.v[i * m];
      for (std::size_t j = i; j < n; ++j) {
        const double du = u_[i] - u_[j];
        const double dv = v_[i] - v_[j];
        const double k = kernel(du * du + dv * dv);
        row[j] = k;
        for (std::size_t c = 0; c < m; ++c) own[c] += k * q.v[j * m + c];
        if (j != i) {
          for (std::size_t c = 0; c < m; ++c) sums[j * m + c] += k * vi[c];
        }
      }
    });
  };
  const std::vector<double> w =
      thinPlate ? fill([](double distance2) { return ThinPlate(distance2); })
                : fill([this](double distance2) { return Multiquadric(distance2); });
  if (meter.Stopped()) return Outcome::Stopped;

  // Q^T A Q = A - Y V^T - V Y^T with Y = W T - V (T^T V^T W T) / 2.
  double vw[9] = {}, middle[9] = {};
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t r = 0; r < m; ++r) {
      for (std::size_t c = 0; c < m; ++c) vw[r * m + c] += q.v[i * m + r] * w[i * m + c];
    }
  }
  for (std::size_t r = 0; r < m; ++r) {
    for (std::size_t c = 0; c < m; ++c) {
      for (std::size_t x = 0; x < m; ++x) {
        for (std::size_t z = 0; z < m; ++z) {
          middle[r * m + c] += q.t[x * m + r] * vw[x * m + z] * q.t[z * m + c];
        }
      }
    }
  }
  std::vector<double> y(n * m, 0.0);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t c = 0; c < m; ++c) {
      double value = 0.0;
      for (std::size_t x = 0; x < m; ++x) {
        value += w[i * m + x] * q.t[x * m + c] - 0.5 * q.v[i * m + x] * middle[x * m + c];
      }
      y[i * m + c] = value;
    }
  }
  // Each kernel is kept below the diagonal too (the decomposition leaves
  // that triangle alone) for the refinement, and replaced by G's entry.
  ForEachUpperEntryByTiles(n, true, [&](std::size_t i, std::size_t j) {
    double product = 0.0;
    for (std::size_t c = 0; c < m; ++c) {
      product += y[i * m + c] * q.v[j * m + c] + q.v[i * m + c] * y[j * m + c];
    }
    const double kernel = at(i, j);
    at(j, i) = kernel;
    at(i, j) = sign * (kernel - product);
  });
  if (!thinPlate) {
    for (std::size_t j = 1; j < n; ++j) at(j, n + sets_) = at(0, j);
  }

  double* const b = &at(m, m);
  WorkStep solveStep(monitor, matrixShare, 1.0);
  if (!DecomposeCholesky(n - m, extra, b, ld, kSmallestPivot,
                         monitor != nullptr ? &solveStep : nullptr)) {
    return StopRequested(monitor) ? Outcome::Stopped : Outcome::Undecided;
  }
  const std::size_t inner = n - m;
  const std::vector<double> solved = SolveDecomposedRows(inner, extra, b, ld);
  // The multiquadric's border: B^-1 g in the last column, and the Schur
  // complement of B in G.
  const double* border = thinPlate ? nullptr : &solved[sets_ * inner];
  double schur = 0.0;
  if (!thinPlate) {
    schur = at(0, 0);
    for (std::size_t j = 1; j < n; ++j) schur -= at(0, j) * border[j - 1];
    if (!(std::fabs(schur) > kSmallestPivot)) return Outcome::Undecided;
  }
  // The weights w and (thin plate) the polynomial c after them, from the
  // top m rows of sign Q^T f and the solution x of B for the rows below.
  auto weightsFrom = [&](const double* top, const double* x, std::vector<double>& out) {
    out.assign(n + (thinPlate ? m : 0), 0.0);
    if (thinPlate) {
      // R c = the top less G's rows above m times y.
      double rhs[3];
      for (std::size_t r = 0; r < m; ++r) {
        double product = 0.0;
        for (std::size_t j = m; j < n; ++j) product += at(r, j) * x[j - m];
        rhs[r] = top[r] - product;
      }
      for (std::size_t r = m; r-- > 0;) {
        double value = rhs[r];
        for (std::size_t c = r + 1; c < m; ++c) value -= q.r[r * m + c] * out[n + c];
        out[n + r] = value / q.r[r * m + r];
      }
      std::copy(x, x + inner, out.begin() + static_cast<std::ptrdiff_t>(m));
    } else {
      double top0 = top[0];
      for (std::size_t j = 1; j < n; ++j) top0 -= at(0, j) * x[j - 1];
      const double t = top0 / schur;
      out[0] = t;
      for (std::size_t j = 1; j < n; ++j) out[j] = x[j - 1] - border[j - 1] * t;
    }
    q.Apply(out.data(), false);
  };

  const std::size_t rows = n + (thinPlate ? m : 0);
  weights_.assign(rows * sets_, 0.0);
  std::vector<double> one;
  for (std::size_t s = 0; s < sets_; ++s) {
    double top[3];
    for (std::size_t r = 0; r < m; ++r) top[r] = at(r, n + s);
    weightsFrom(top, &solved[s * inner], one);
    for (std::size_t i = 0; i < rows; ++i) weights_[i * sets_ + s] = one[i];
  }

  // One step of refinement against the kernels themselves: G was made in
  // floating point, and its rounding shows at the points.
  {
    // A w from the kernels kept below the diagonal, whose own are K(0).
    const double* x = weights_.data();
    const double diagonal = Kernel(0.0);
    const std::vector<double> product =
        SymmetricProduct(n, sets_, nullptr, [&](std::size_t i, double* sums, double* own) {
          const double* row = &at(i, 0);
          const double* xi = &x[i * sets_];
          for (std::size_t c = 0; c < sets_; ++c) own[c] = diagonal * xi[c];
          for (std::size_t j = 0; j < i; ++j) {
            for (std::size_t c = 0; c < sets_; ++c) {
              own[c] += row[j] * x[j * sets_ + c];
              sums[j * sets_ + c] += row[j] * xi[c];
            }
          }
        });
    std::vector<double> h(n), y(inner * sets_), tops(m * sets_);
    for (std::size_t s = 0; s < sets_; ++s) {
      for (std::size_t i = 0; i < n; ++i) {
        double value = valueSets[s][i] - product[i * sets_ + s];
        if (thinPlate) {
          value -= weights_[n * sets_ + s] + weights_[(n + 1) * sets_ + s] * u_[i] +
                   weights_[(n + 2) * sets_ + s] * v_[i];
        }
        h[i] = value;
      }
      q.Apply(h.data(), true);
      for (std::size_t r = 0; r < m; ++r) tops[s * m + r] = sign * h[r];
      for (std::size_t j = m; j < n; ++j) y[s * inner + j - m] = sign * h[j];
    }
    SolveCholesky(inner, b, ld, sets_, y.data());
    for (std::size_t s = 0; s < sets_; ++s) {
      weightsFrom(&tops[s * m], &y[s * inner], one);
      for (std::size_t i = 0; i < rows; ++i) weights_[i * sets_ + s] += one[i];
    }
  }
  for (const double weight : weights_) {
    if (!std::isfinite(weight)) return Outcome::Undecided;
  }
  return Outcome::Solved;
}

}  // namespace qv
