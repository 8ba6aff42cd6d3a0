// Dense linear systems for the radial-basis and thin-plate gridding.
#pragma once

#include <cstddef>
#include <vector>

namespace qv {

// Solves A X = B by elimination with full pivoting (the largest remaining
// element, the first of equal ones in row-major order) and back
// substitution. a holds the n x n matrix row by row; b holds n rows of rhsCount right-hand sides.
// On success b holds the solutions (row i = unknown i) and the result is true. The system counts as
// singular, and false is returned with b unspecified, when the largest remaining element a of a
// step satisfies a + 1 = 1 in double precision. Large systems use several threads; the result does
// not depend on their number. Throws std::invalid_argument when the sizes do not match.
bool SolveLinear(std::size_t n, std::vector<double> a, std::size_t rhsCount,
                 std::vector<double>& b);

}  // namespace qv
