// Dense linear systems for the radial-basis and thin-plate gridding.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/work_monitor.h"

namespace qv {

// Solves A X = B by LU decomposition with partial pivoting (LAPACK). a holds
// the n x n matrix row by row; b holds n rows of rhsCount right-hand sides. On
// success b holds the solutions (row i = unknown i) and the result is true.
// The system counts as singular, and false is returned with b unspecified,
// when a pivot p of the decomposition satisfies |p| + 1 = 1 in double
// precision (or is not a number). Large systems use several threads; the
// result does not depend on their number. When reciprocalCondition is given
// it receives the estimate of 1 / (|A|_1 |A^-1|_1), solved or not: 0 for an
// exactly singular matrix or one that holds no numbers, near 1 for a well
// conditioned one. A monitor hears how far the decomposition got and may stop
// it: false then, b unspecified. Throws std::invalid_argument when the sizes
// do not match.
bool SolveLinear(std::size_t n, std::vector<double> a, std::size_t rhsCount, std::vector<double>& b,
                 double* reciprocalCondition = nullptr, WorkMonitor* monitor = nullptr);

// As SolveLinear, for a symmetric A of which only the lower triangle is read
// (a[i * n + j] with j <= i). Unless SolveLinear would share its LU among
// more than two threads, the decomposition is the symmetric indefinite one,
// A = U D U^T with LAPACK's Bunch-Kaufman pivoting, on the calling thread:
// half the work of the LU. Its pivots, for the singularity test, are the
// 1 x 1 blocks of D and the two eigenvalues of each of its 2 x 2 blocks, and
// a monitor hears only the end of the decomposition. Otherwise it is
// SolveLinear's LU. The reciprocal condition is estimated only for a system
// found singular (it is what a refusal can tell; a solved one leaves it
// alone): the estimate takes about a tenth of the whole.
bool SolveSymmetricLinear(std::size_t n, std::vector<double> a, std::size_t rhsCount,
                          std::vector<double>& b, double* reciprocalCondition = nullptr,
                          WorkMonitor* monitor = nullptr);

// Copies the lower triangle of the row-major n x n matrix a over its upper
// one, making it the whole symmetric matrix.
void MirrorLowerTriangle(std::size_t n, std::vector<double>& a);

}  // namespace qv
