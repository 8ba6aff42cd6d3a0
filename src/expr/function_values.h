// The values of the evaluator's 30 functions with their domain checks.
#pragma once

#include "expr/expression_evaluator.h"
#include "expr/postfix_program.h"
#include "expr/random_generator.h"

namespace qv {

// Sets value to the function code (below kFunctionCount) of x, or returns the
// domain error that stops the evaluation, testing each checked quantity before
// the value is computed. Under degrees the angles of SIN, COS, TAN, SEC,
// CSEC, CTAN and ATAN are turned into radians first. The value may come out
// non-finite; the caller refuses it.
DomainError FunctionValue(OpCode code, double x, bool degrees, RandomGenerator& random,
                          double& value);

}  // namespace qv
