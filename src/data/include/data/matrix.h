// Dense matrices indexed from 1 in both dimensions, (row, column), and the
// three routines of the least-squares fit.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/runtime.h"

namespace qv {

class Matrix {
 public:
  Matrix() = default;
  // rows x columns zeros.
  Matrix(Long rows, Long columns);

  Long Rows() const { return rows_; }
  Long Columns() const { return columns_; }
  // Element (row, column), both from 1. Unchecked: the routines below stay
  // inside the counts they are given.
  double& operator()(Long row, Long column) { return values_[Offset(row, column)]; }
  double operator()(Long row, Long column) const { return values_[Offset(row, column)]; }
  // Checked access: throws RuntimeError(kSubscriptOutOfRange) outside the matrix.
  double& At(Long row, Long column);

  bool operator==(const Matrix&) const = default;

 private:
  std::size_t Offset(Long row, Long column) const {
    return static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(columns_) +
           static_cast<std::size_t>(column - 1);
  }
  Long rows_ = 0;
  Long columns_ = 0;
  std::vector<double> values_;
};

// B(i, j) = A(j, i) for i = 1..n, j = 1..m: A is m x n, B is n x m. Nothing
// happens when n < 1. B grows to n x m if it is smaller.
void MatTranspose(Long n, Long m, const Matrix& a, Matrix& b);

// C = A B with A n x k, B k x m, C n x m (C grows if it is smaller); each
// C(i, j) is summed over l = 1..k in increasing order. C must not be A or B.
void MatMultiply(Long n, Long k, Long m, const Matrix& a, const Matrix& b, Matrix& c);

// B receives the inverse of the n x n matrix A (Gauss-Jordan in place with
// full pivoting; A is restored bit for bit). Returns false, B untouched, when
// a step's largest remaining magnitude d satisfies d + 1 = 1 (A is then
// restored as well).
bool MatInverse(Long n, Matrix& a, Matrix& b);

}  // namespace qv
