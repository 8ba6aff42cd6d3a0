// The dense solvers of the radial-basis gridding: solutions, pivoting past
// zeros, the absolute singularity test, the condition it reports, the
// threaded path on large systems, and the Cholesky decomposition with the
// rows it solves along.
#include "linear_solver.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "data/parallel_for.h"
#include "support/stopping_monitor.h"

namespace qv {
namespace {

std::vector<double> Multiply(std::size_t n, const std::vector<double>& a, std::size_t m,
                             const std::vector<double>& x) {
  std::vector<double> b(n * m, 0.0);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      for (std::size_t s = 0; s < m; ++s) b[i * m + s] += a[i * n + j] * x[j * m + s];
    }
  }
  return b;
}

TEST(SolveLinear, SolvesWithSeveralRightHandSides) {
  const std::vector<double> a = {2, 1, -1, -3, -1, 2, -2, 1, 2};
  std::vector<double> b = {8, 1, -11, 0, -3, 0};
  ASSERT_TRUE(SolveLinear(3, a, 2, b));
  // x = (2, 3, -1) for the first column; the second is checked by substitution.
  EXPECT_NEAR(b[0], 2, 1e-12);
  EXPECT_NEAR(b[2], 3, 1e-12);
  EXPECT_NEAR(b[4], -1, 1e-12);
  const std::vector<double> back = Multiply(3, a, 2, b);
  EXPECT_NEAR(back[1], 1, 1e-12);
  EXPECT_NEAR(back[3], 0, 1e-12);
  EXPECT_NEAR(back[5], 0, 1e-12);
}

TEST(SolveLinear, PivotsPastZerosOnTheDiagonal) {
  // Without pivoting the first step divides by zero.
  const std::vector<double> a = {0, 0, 1, 0, 1, 0, 1, 0, 0};
  std::vector<double> b = {3, 2, 1};
  ASSERT_TRUE(SolveLinear(3, a, 1, b));
  EXPECT_EQ(b, (std::vector<double>{1, 2, 3}));
}

struct SingularCase {
  const char* name;
  std::size_t n;
  std::vector<double> a;
};

class SolveLinearSingularTest : public testing::TestWithParam<SingularCase> {};

TEST_P(SolveLinearSingularTest, ReportsSingular) {
  const SingularCase& c = GetParam();
  std::vector<double> b(c.n, 1.0);
  EXPECT_FALSE(SolveLinear(c.n, c.a, 1, b));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SolveLinearSingularTest,
    testing::Values(
        SingularCase{"Zero", 2, {0, 0, 0, 0}},
        SingularCase{"DependentRows", 3, {1, 2, 3, 2, 4, 6, 0, 1, 1}},
        // The test is absolute: 1e-17 + 1 == 1.
        SingularCase{"TinyPivot", 1, {1e-17}},
        SingularCase{"NaNEverywhere", 2, {std::nan(""), std::nan(""), std::nan(""), std::nan("")}},
        SingularCase{"NaNRowAfterAStep", 2, {1, 0, std::nan(""), std::nan("")}}),
    [](const testing::TestParamInfo<SingularCase>& info) { return std::string(info.param.name); });

TEST(SolveLinear, SmallButNotTinyPivotIsSolved) {
  std::vector<double> b = {1.0};
  ASSERT_TRUE(SolveLinear(1, {1e-15}, 1, b));
  EXPECT_DOUBLE_EQ(b[0], 1e15);
}

TEST(SolveLinear, EmptySystemSucceeds) {
  std::vector<double> b;
  EXPECT_TRUE(SolveLinear(0, {}, 1, b));
}

TEST(SolveLinear, MismatchedSizesThrow) {
  std::vector<double> b = {1, 2};
  EXPECT_THROW(SolveLinear(2, {1, 2, 3}, 1, b), std::invalid_argument);
  EXPECT_THROW(SolveLinear(2, {1, 0, 0, 1}, 2, b), std::invalid_argument);
}

std::vector<double> RandomSystem(std::size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> value(-1.0, 1.0);
  std::vector<double> a(n * n);
  for (double& e : a) e = value(random);
  return a;
}

struct ConditionCase {
  const char* name;
  std::size_t n;
  std::vector<double> a;
  double low, high;  // bounds of the reciprocal condition number
  bool solved;
};

class SolveLinearConditionTest : public testing::TestWithParam<ConditionCase> {};

TEST_P(SolveLinearConditionTest, ReportsTheReciprocalCondition) {
  const ConditionCase& c = GetParam();
  std::vector<double> b(c.n, 1.0);
  double condition = -1.0;
  EXPECT_EQ(SolveLinear(c.n, c.a, 1, b, &condition), c.solved);
  EXPECT_GE(condition, c.low);
  EXPECT_LE(condition, c.high);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SolveLinearConditionTest,
    testing::Values(ConditionCase{"Identity", 2, {1, 0, 0, 1}, 1.0, 1.0, true},
                    // |A| = 1 and |A^-1| = 1e10: the estimate is exact for diagonals.
                    ConditionCase{"Graded", 2, {1, 0, 0, 1e-10}, 0.99e-10, 1.01e-10, true},
                    ConditionCase{"EqualRows", 2, {1, 2, 1, 2}, 0.0, 0.0, false},
                    ConditionCase{"Zero", 2, {0, 0, 0, 0}, 0.0, 0.0, false},
                    ConditionCase{"NaN", 1, {std::nan("")}, 0.0, 0.0, false},
                    // Singular by the absolute test, yet well conditioned.
                    ConditionCase{"TinyPivot", 1, {1e-17}, 1.0, 1.0, false}),
    [](const testing::TestParamInfo<ConditionCase>& info) { return std::string(info.param.name); });

// Large systems are decomposed in panels with the columns shared among
// threads; the answer must be the same on any number of threads, and on
// every run.
TEST(SolveLinear, LargeSystemsSolveAndRepeatBitForBit) {
  const std::size_t n = 700;
  const std::vector<double> a = RandomSystem(n, 3);
  std::vector<double> x(n * 2);
  for (std::size_t i = 0; i < x.size(); ++i) x[i] = std::sin(0.1 * static_cast<double>(i));
  const std::vector<double> b = Multiply(n, a, 2, x);
  std::vector<double> first = b;
  ASSERT_TRUE(SolveLinear(n, a, 2, first));
  for (std::size_t i = 0; i < x.size(); ++i) ASSERT_NEAR(first[i], x[i], 1e-8) << i;
  for (int run = 0; run < 3; ++run) {
    std::vector<double> again = b;
    ASSERT_TRUE(SolveLinear(n, a, 2, again));
    ASSERT_EQ(again, first);
  }
}

TEST(SolveLinear, LargeSingularSystemIsReported) {
  const std::size_t n = 600;
  std::vector<double> a = RandomSystem(n, 4);
  // Unknown 150 appears in no equation. (The test is absolute: rows that are
  // only dependent up to rounding leave pivots near 1e-15 and are solved.)
  for (std::size_t i = 0; i < n; ++i) a[i * n + 150] = 0.0;
  std::vector<double> b(n, 1.0);
  double condition = -1.0;
  EXPECT_FALSE(SolveLinear(n, a, 1, b, &condition));
  EXPECT_EQ(condition, 0.0);
}

// The symmetric solver must give what the LU gives on symmetric systems:
// solutions, singular verdicts and, for a singular one, the condition. Its
// pivots may be 2 x 2 blocks, which a zero diagonal forces.
struct SymmetricCase {
  const char* name;
  std::size_t n;
  std::vector<double> a;
  bool solved;
};

class SolveSymmetricTest : public testing::TestWithParam<SymmetricCase> {};

TEST_P(SolveSymmetricTest, AgreesWithTheLu) {
  const SymmetricCase& c = GetParam();
  std::vector<double> x(c.n * 2);
  for (std::size_t i = 0; i < x.size(); ++i) x[i] = 1.0 + static_cast<double>(i % 5);
  const std::vector<double> b = Multiply(c.n, c.a, 2, x);
  // Only the lower triangle may be read.
  std::vector<double> lower = c.a;
  for (std::size_t i = 0; i < c.n; ++i) {
    for (std::size_t j = i + 1; j < c.n; ++j) lower[i * c.n + j] = std::nan("");
  }
  std::vector<double> symmetric = b, general = b;
  double symmetricCondition = -1.0, generalCondition = -1.0;
  EXPECT_EQ(SolveSymmetricLinear(c.n, lower, 2, symmetric, &symmetricCondition), c.solved);
  EXPECT_EQ(SolveLinear(c.n, c.a, 2, general, &generalCondition), c.solved);
  if (c.solved) {
    for (std::size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(symmetric[i], x[i], 1e-9) << i;
    EXPECT_EQ(symmetricCondition, -1.0) << "estimated for a solved system";
  } else {
    // Both estimate the same number, each from its own solves.
    EXPECT_EQ(symmetricCondition == 0.0, generalCondition == 0.0);
    EXPECT_LE(symmetricCondition, 10 * generalCondition);
    EXPECT_GE(symmetricCondition, 0.1 * generalCondition);
  }
}

std::vector<double> RandomSymmetricSystem(std::size_t n, unsigned seed) {
  std::vector<double> a = RandomSystem(n, seed);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < i; ++j) a[j * n + i] = a[i * n + j];
  }
  return a;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SolveSymmetricTest,
    testing::Values(SymmetricCase{"Identity", 2, {1, 0, 0, 1}, true},
                    SymmetricCase{"Graded", 2, {1, 0, 0, 1e-10}, true},
                    SymmetricCase{"ZeroDiagonal", 3, {0, 1, 2, 1, 0, 3, 2, 3, 0}, true},
                    SymmetricCase{"Exchange", 3, {0, 0, 1, 0, 1, 0, 1, 0, 0}, true},
                    SymmetricCase{"Random", 60, RandomSymmetricSystem(60, 7), true},
                    SymmetricCase{"Large", 700, RandomSymmetricSystem(700, 8), true},
                    SymmetricCase{"Zero", 2, {0, 0, 0, 0}, false},
                    SymmetricCase{"DependentRows", 2, {1, 2, 2, 4}, false},
                    SymmetricCase{"TinyPivot", 1, {1e-17}, false},
                    // Only a 2 x 2 block can hold it; its eigenvalues are +-1e-17.
                    SymmetricCase{"TinyBlock", 2, {0, 1e-17, 1e-17, 0}, false},
                    SymmetricCase{"NaN", 2, {std::nan(""), 1, 1, std::nan("")}, false},
                    // Singular by the absolute test, yet well conditioned.
                    SymmetricCase{"TinyButConditioned", 2, {1e-17, 0, 0, 1e-17}, false}),
    [](const testing::TestParamInfo<SymmetricCase>& info) { return std::string(info.param.name); });

TEST(SolveSymmetricLinear, EmptyAndMismatchedSystems) {
  std::vector<double> none;
  EXPECT_TRUE(SolveSymmetricLinear(0, {}, 1, none));
  std::vector<double> b = {1, 2};
  EXPECT_THROW(SolveSymmetricLinear(2, {1, 2, 3}, 1, b), std::invalid_argument);
}

using test::StoppingMonitor;

// The decomposition of a large system reports how far it got, rising to
// the end, and gives the same answer as one that nobody watches.
TEST(SolveLinear, LargeSystemReportsRisingProgress) {
  const std::size_t n = 700;
  const std::vector<double> a = RandomSystem(n, 5);
  std::vector<double> watched(n, 1.0), unwatched(n, 1.0);
  StoppingMonitor monitor(2.0);
  ASSERT_TRUE(SolveLinear(n, a, 1, watched, nullptr, &monitor));
  ASSERT_TRUE(SolveLinear(n, a, 1, unwatched));
  EXPECT_EQ(watched, unwatched);
  // Shared among threads it reports every step; in one call, only its end.
  ASSERT_GE(monitor.fractions.size(), WorkerCount(n) >= 2 ? 2U : 1U);
  EXPECT_TRUE(std::is_sorted(monitor.fractions.begin(), monitor.fractions.end()));
  EXPECT_GT(monitor.fractions.front(), 0.0);
  EXPECT_NEAR(monitor.fractions.back(), 1.0, 1e-12);
}

TEST(SolveLinear, StoppedDecompositionIsNotSolved) {
  const std::size_t n = 700;
  std::vector<double> b(n, 1.0);
  StoppingMonitor monitor(0.0);
  double condition = -1.0;
  EXPECT_FALSE(SolveLinear(n, RandomSystem(n, 6), 1, b, &condition, &monitor));
  EXPECT_EQ(monitor.fractions.size(), 1U);
  EXPECT_EQ(condition, 0.0);
}

// The Cholesky decomposition with rows solved along: the array holds the
// lower triangle of A column by column, NaN above it (never to be read), the
// extra rows below it and one row of padding.
struct CholeskyArray {
  std::size_t n, extra, ld;
  std::vector<double> a;
  std::vector<double> x;  // the solutions the extra rows stand for, row by row
};

// A symmetric A, diagonally dominant (and so positive definite) unless
// diagonal says otherwise, and extra rows e = A x for known x.
CholeskyArray MakeCholesky(std::size_t n, std::size_t extra, unsigned seed, double diagonal) {
  CholeskyArray c{n, extra, n + extra + 1, {}, {}};
  const std::vector<double> m = RandomSymmetricSystem(n, seed);
  c.a.assign(c.ld * n, std::nan(""));
  for (std::size_t j = 0; j < n; ++j) {
    for (std::size_t i = j; i < n; ++i) c.a[i + j * c.ld] = i == j ? diagonal : m[i * n + j];
  }
  c.x.resize(extra * n);
  for (std::size_t k = 0; k < c.x.size(); ++k) c.x[k] = std::cos(0.37 * static_cast<double>(k));
  for (std::size_t r = 0; r < extra; ++r) {
    for (std::size_t i = 0; i < n; ++i) {
      double sum = 0.0;
      for (std::size_t j = 0; j < n; ++j) {
        const double entry = i == j ? diagonal : m[std::max(i, j) * n + std::min(i, j)];
        sum += entry * c.x[r * n + j];
      }
      c.a[n + r + i * c.ld] = sum;
    }
  }
  return c;
}

struct CholeskyCase {
  const char* name;
  std::size_t n, extra;
};

class CholeskyTest : public testing::TestWithParam<CholeskyCase> {};

// One call on one thread below the threaded size; above it, tiles whole and
// ragged, with rows solved along or none. The answer must repeat bit for bit.
TEST_P(CholeskyTest, SolvesTheRowsBelowAndRepeatsBitForBit) {
  const CholeskyCase& t = GetParam();
  const CholeskyArray c = MakeCholesky(t.n, t.extra, 11, static_cast<double>(t.n));
  std::vector<double> first = c.a;
  ASSERT_TRUE(DecomposeCholesky(t.n, t.extra, first.data(), c.ld, 1e-12));
  const std::vector<double> solved = SolveDecomposedRows(t.n, t.extra, first.data(), c.ld);
  ASSERT_EQ(solved.size(), c.x.size());
  for (std::size_t k = 0; k < solved.size(); ++k) ASSERT_NEAR(solved[k], c.x[k], 1e-10) << k;
  std::vector<double> again = c.a;
  ASSERT_TRUE(DecomposeCholesky(t.n, t.extra, again.data(), c.ld, 1e-12));
  for (std::size_t j = 0; j < t.n; ++j) {
    for (std::size_t i = j; i < t.n + t.extra; ++i) {
      ASSERT_EQ(again[i + j * c.ld], first[i + j * c.ld]) << i << ", " << j;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, CholeskyTest,
    testing::Values(CholeskyCase{"Tiny", 3, 2}, CholeskyCase{"OneCall", 300, 1},
                    CholeskyCase{"WholeTiles", 640, 3}, CholeskyCase{"RaggedTiles", 777, 2},
                    CholeskyCase{"NoRowsBelow", 700, 0}),
    [](const testing::TestParamInfo<CholeskyCase>& info) { return std::string(info.param.name); });

// What is not positive definite, or has a pivot at or below the least one
// asked for, is refused, on one thread and in tiles.
TEST(DecomposeCholesky, RefusesWhatIsNotDefinite) {
  const struct {
    const char* name;
    std::size_t n;
    double diagonal;
    double minimumPivot;
  } cases[] = {{"IndefiniteSmall", 40, -40.0, 1e-12},
               {"IndefiniteTiled", 700, -700.0, 1e-12},
               {"BelowTheLeastPivot", 40, 40.0, 41.0 * 41.0},
               {"NotANumber", 700, std::nan(""), 1e-12}};
  for (const auto& c : cases) {
    CholeskyArray array = MakeCholesky(c.n, 1, 12, c.diagonal);
    EXPECT_FALSE(DecomposeCholesky(c.n, 1, array.a.data(), array.ld, c.minimumPivot)) << c.name;
  }
  std::vector<double> graded = {1.0, 0.0, 0.0, 1e-13};
  EXPECT_FALSE(DecomposeCholesky(2, 0, graded.data(), 2, 1e-12));
  graded = {1.0, 0.0, 0.0, 1e-13};
  EXPECT_TRUE(DecomposeCholesky(2, 0, graded.data(), 2, 1e-14));
  EXPECT_THROW(DecomposeCholesky(2, 1, graded.data(), 2, 1e-12), std::invalid_argument);
}

TEST(DecomposeCholesky, TiledReportsRisingProgressAndStopsWhenAsked) {
  const CholeskyArray c = MakeCholesky(700, 1, 13, 700.0);
  std::vector<double> a = c.a;
  StoppingMonitor watch(2.0);
  ASSERT_TRUE(DecomposeCholesky(c.n, 1, a.data(), c.ld, 1e-12, &watch));
  ASSERT_GE(watch.fractions.size(), WorkerCount(c.n) >= 2 ? 2U : 1U);
  EXPECT_TRUE(std::is_sorted(watch.fractions.begin(), watch.fractions.end()));
  EXPECT_EQ(watch.fractions.back(), 1.0);

  a = c.a;
  StoppingMonitor stopper(0.0);
  EXPECT_FALSE(DecomposeCholesky(c.n, 1, a.data(), c.ld, 1e-12, &stopper));
  EXPECT_EQ(stopper.fractions.size(), 1U);
}

}  // namespace
}  // namespace qv
