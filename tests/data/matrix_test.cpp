// The matrix routines of the least-squares fit: 1-based tables, the inverse
// by full pivoting, and a failed inversion that leaves everything as it was.
#include "data/matrix.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

Matrix Make(Long rows, Long columns, std::initializer_list<double> values) {
  Matrix m(rows, columns);
  auto it = values.begin();
  for (Long i = 1; i <= rows; ++i) {
    for (Long j = 1; j <= columns; ++j) m(i, j) = *it++;
  }
  return m;
}

TEST(Matrix, StartsAtZeroAndChecksAt) {
  Matrix m(2, 3);
  EXPECT_EQ(m.Rows(), 2);
  EXPECT_EQ(m.Columns(), 3);
  EXPECT_EQ(m(2, 3), 0.0);
  m.At(2, 3) = 5.0;
  EXPECT_EQ(m(2, 3), 5.0);
  for (auto [row, column] : {std::pair<Long, Long>{0, 1}, {3, 1}, {1, 0}, {1, 4}}) {
    try {
      m.At(row, column);
      ADD_FAILURE() << row << ", " << column;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.Number(), kSubscriptOutOfRange);
    }
  }
}

TEST(MatTranspose, SwapsAndGrowsTheTarget) {
  const Matrix a = Make(2, 3, {1, 2, 3, 4, 5, 6});
  Matrix b;
  MatTranspose(3, 2, a, b);
  EXPECT_EQ(b, Make(3, 2, {1, 4, 2, 5, 3, 6}));
  Matrix untouched = Make(1, 1, {9});
  MatTranspose(0, 2, a, untouched);
  EXPECT_EQ(untouched, Make(1, 1, {9}));
}

TEST(MatMultiply, MultipliesWithinTheCounts) {
  const Matrix a = Make(2, 3, {1, 2, 3, 4, 5, 6});
  const Matrix b = Make(3, 2, {7, 8, 9, 10, 11, 12});
  Matrix c = Make(3, 3, {-1, -1, -1, -1, -1, -1, -1, -1, -1});
  MatMultiply(2, 3, 2, a, b, c);
  EXPECT_EQ(c(1, 1), 58);
  EXPECT_EQ(c(1, 2), 64);
  EXPECT_EQ(c(2, 1), 139);
  EXPECT_EQ(c(2, 2), 154);
  // Outside rows 1..2 and columns 1..2 nothing is written.
  EXPECT_EQ(c(3, 3), -1);
  EXPECT_EQ(c(1, 3), -1);
}

TEST(MatInverse, InvertsAndRestoresTheInput) {
  Matrix a = Make(3, 3, {0, 2, 1, 1, 0, 0, 3, 1, 4});
  const Matrix before = a;
  Matrix b;
  ASSERT_TRUE(MatInverse(3, a, b));
  EXPECT_EQ(a, before) << "bit for bit";
  Matrix product;
  MatMultiply(3, 3, 3, before, b, product);
  for (Long i = 1; i <= 3; ++i) {
    for (Long j = 1; j <= 3; ++j) EXPECT_NEAR(product(i, j), i == j ? 1.0 : 0.0, 1e-14);
  }
}

TEST(MatInverse, InvertsAPermutationExactly) {
  Matrix a = Make(3, 3, {0, 0, 2, 4, 0, 0, 0, 8, 0});
  Matrix b;
  ASSERT_TRUE(MatInverse(3, a, b));
  EXPECT_EQ(b, Make(3, 3, {0, 0.25, 0, 0, 0, 0.125, 0.5, 0, 0}));
}

TEST(MatInverse, EqualMagnitudesStillInvert) {
  Matrix a = Make(2, 2, {1, -1, 1, 1});
  Matrix b;
  ASSERT_TRUE(MatInverse(2, a, b));
  EXPECT_EQ(b, Make(2, 2, {0.5, 0.5, -0.5, 0.5}));
}

struct SingularCase {
  Long n;
  Matrix a;
};

TEST(MatInverse, SingularLeavesBothMatricesAsTheyWere) {
  const SingularCase cases[] = {
      {2, Make(2, 2, {1, 2, 2, 4})},
      {3, Make(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9})},
      // Largest remaining magnitude below the absolute threshold.
      {1, Make(1, 1, {1e-17})},
      {2, Make(2, 2, {0, 0, 0, 0})},
  };
  for (const SingularCase& c : cases) {
    Matrix a = c.a;
    Matrix b = Make(1, 1, {42});
    EXPECT_FALSE(MatInverse(c.n, a, b));
    EXPECT_EQ(a, c.a);
    EXPECT_EQ(b, Make(1, 1, {42}));
  }
}

TEST(MatInverse, UsesOnlyTheCountedPart) {
  Matrix a = Make(3, 3, {2, 0, 99, 0, 4, 99, 99, 99, 99});
  Matrix b;
  ASSERT_TRUE(MatInverse(2, a, b));
  EXPECT_EQ(b(1, 1), 0.5);
  EXPECT_EQ(b(2, 2), 0.25);
  EXPECT_EQ(b(1, 2), 0.0);
}

}  // namespace
}  // namespace qv
