#include "data/matrix.h"

#include <cmath>
#include <utility>

namespace qv {
namespace {

void Require(Matrix& m, Long rows, Long columns) {
  if (m.Rows() < rows || m.Columns() < columns) {
    Matrix grown(std::max(rows, m.Rows()), std::max(columns, m.Columns()));
    for (Long i = 1; i <= m.Rows(); ++i) {
      for (Long j = 1; j <= m.Columns(); ++j) grown(i, j) = m(i, j);
    }
    m = std::move(grown);
  }
}

void SwapRows(Matrix& a, Long n, Long r1, Long r2) {
  for (Long j = 1; j <= n; ++j) std::swap(a(r1, j), a(r2, j));
}

void SwapColumns(Matrix& a, Long n, Long c1, Long c2) {
  for (Long i = 1; i <= n; ++i) std::swap(a(i, c1), a(i, c2));
}

}  // namespace

Matrix::Matrix(Long rows, Long columns)
    : rows_(std::max<Long>(rows, 0)),
      columns_(std::max<Long>(columns, 0)),
      values_(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_), 0.0) {}

double& Matrix::At(Long row, Long column) {
  if (row < 1 || row > rows_ || column < 1 || column > columns_) {
    throw RuntimeError(kSubscriptOutOfRange);
  }
  return (*this)(row, column);
}

void MatTranspose(Long n, Long m, const Matrix& a, Matrix& b) {
  if (n < 1) return;
  Require(b, n, m);
  for (Long i = 1; i <= n; ++i) {
    for (Long j = 1; j <= m; ++j) b(i, j) = a(j, i);
  }
}

void MatMultiply(Long n, Long k, Long m, const Matrix& a, const Matrix& b, Matrix& c) {
  Require(c, n, m);
  for (Long i = 1; i <= n; ++i) {
    for (Long j = 1; j <= m; ++j) {
      double sum = 0.0;
      for (Long l = 1; l <= k; ++l) sum = a(i, l) * b(l, j) + sum;
      c(i, j) = sum;
    }
  }
}

bool MatInverse(Long n, Matrix& a, Matrix& b) {
  std::vector<Long> rowOf(static_cast<std::size_t>(n) + 1), colOf(static_cast<std::size_t>(n) + 1);
  const Matrix saved = a;
  for (Long k = 1; k <= n; ++k) {
    double d = 0.0;
    for (Long i = k; i <= n; ++i) {
      for (Long j = k; j <= n; ++j) {
        if (std::fabs(a(i, j)) > d) {
          d = std::fabs(a(i, j));
          rowOf[k] = i;
          colOf[k] = j;
        }
      }
    }
    if (d + 1.0 == 1.0) {
      a = saved;  // a failed inversion leaves the caller's matrix as it was
      return false;
    }
    if (rowOf[k] != k) SwapRows(a, n, k, rowOf[k]);
    if (colOf[k] != k) SwapColumns(a, n, k, colOf[k]);
    a(k, k) = 1.0 / a(k, k);
    for (Long j = 1; j <= n; ++j) {
      if (j != k) a(k, j) *= a(k, k);
    }
    for (Long i = 1; i <= n; ++i) {
      if (i == k) continue;
      for (Long j = 1; j <= n; ++j) {
        if (j != k) a(i, j) -= a(i, k) * a(k, j);
      }
    }
    for (Long i = 1; i <= n; ++i) {
      if (i != k) a(i, k) = -a(i, k) * a(k, k);
    }
  }
  for (Long k = n; k >= 1; --k) {
    if (colOf[k] != k) SwapRows(a, n, k, colOf[k]);
    if (rowOf[k] != k) SwapColumns(a, n, k, rowOf[k]);
  }
  Require(b, n, n);
  for (Long i = 1; i <= n; ++i) {
    for (Long j = 1; j <= n; ++j) {
      b(i, j) = a(i, j);
      a(i, j) = saved(i, j);
    }
  }
  return true;
}

}  // namespace qv
