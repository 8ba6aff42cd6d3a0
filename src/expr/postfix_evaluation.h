// The loop that runs a compiled postfix program on a stack of Doubles.
#pragma once

#include "expr/expression_evaluator.h"
#include "expr/postfix_program.h"
#include "expr/random_generator.h"

namespace qv {

struct RunResult {
  EvalOutcome outcome;
  // The top of the stack when outcome succeeded.
  double value = 0.0;
};

// Runs program with variables U, V, X, Y, A, R, B, T in index order. Throws
// as ExpressionEvaluator::DoEvaluate does; shows nothing.
RunResult RunPostfix(const PostfixProgram& program, bool degrees, const double (&variables)[8],
                     RandomGenerator& random);

}  // namespace qv
