// Dense linear systems for the radial-basis and thin-plate gridding.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "data/parallel_for.h"
#include "platform/work_monitor.h"

namespace qv {

// Makes every BLAS and LAPACK call run on its calling thread; the solvers
// below share their work among threads themselves. Call it before the first
// BLAS or LAPACK call of a job.
void UseCallingThreadOnly();

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

// Cholesky decomposition A = L L^T, in place, of the symmetric n x n matrix
// held column by column with leading dimension ld, of which only the lower
// triangle is read and then holds L. The extra rows below it in the array
// (rows n..n + extra - 1, a matrix E of n columns) are solved along and end
// as E L^-T: half of solving A X = E^T (see SolveDecomposedRows). Large
// systems are shared among threads; the result does not depend on their
// number. False when A is not numerically positive definite, when a pivot
// (a diagonal entry of L, squared) is not above minimumPivot, or when the
// monitor stopped it (ask the monitor which); a is then unspecified. The
// monitor hears how far it got. Throws std::invalid_argument when n or
// extra is too large or ld below n + extra.
bool DecomposeCholesky(std::size_t n, std::size_t extra, double* a, std::size_t ld,
                       double minimumPivot, WorkMonitor* monitor = nullptr);

// After DecomposeCholesky, the solutions x of A x = e for its extra rows
// E L^-T (e a row of E), column by column: the solution of row r at r * n.
std::vector<double> SolveDecomposedRows(std::size_t n, std::size_t extra, const double* a,
                                        std::size_t ld);

// Solves A X = B with the decomposition of DecomposeCholesky (its extra rows
// aside) for count columns held one after the other (leading dimension n).
void SolveCholesky(std::size_t n, const double* a, std::size_t ld, std::size_t count,
                   double* columns);

// Calls visit(i, j) for every entry (i, j) with i < j, or i <= j with the
// diagonal, of an n x n matrix, tile by tile on the cores: entries of the
// mirrored tile, (j, i), stay in the cache while the tile is visited. Tiles
// in different rows of tiles may be visited at once.
template <typename Visit>
void ForEachUpperEntryByTiles(std::size_t n, bool diagonal, const Visit& visit) {
  constexpr std::size_t kTile = 64;
  const std::size_t skip = diagonal ? 0 : 1;
  ParallelFor((n + kTile - 1) / kTile, 1, [&](std::size_t first, std::size_t last) {
    for (std::size_t tileRow = first * kTile; tileRow < std::min(n, last * kTile);
         tileRow += kTile) {
      for (std::size_t tileColumn = tileRow; tileColumn < n; tileColumn += kTile) {
        for (std::size_t i = tileRow; i < std::min(n, tileRow + kTile); ++i) {
          for (std::size_t j = std::max(i + skip, tileColumn); j < std::min(n, tileColumn + kTile);
               ++j) {
            visit(i, j);
          }
        }
      }
    }
  });
}

// Copies the lower triangle of the row-major n x n matrix a over its upper
// one, making it the whole symmetric matrix.
void MirrorLowerTriangle(std::size_t n, std::vector<double>& a);

}  // namespace qv
