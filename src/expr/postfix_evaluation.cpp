#include "postfix_evaluation.h"

#include <cmath>
#include <limits>
#include <memory>

#include "expr/object_error.h"
#include "expr/value_stack.h"
#include "function_values.h"
#include "platform/runtime.h"

namespace qv {
namespace {

// The stack of a short expression lives in the frame, a deeper one on the heap.
constexpr std::size_t kFrameStack = 64;

bool Finite(double v) { return std::fabs(v) <= std::numeric_limits<double>::max(); }

[[noreturn]] void ThrowOverflow() { throw RuntimeError(kOverflow); }

[[noreturn]] void ThrowStop(const PostfixProgram& program, OpCode code) {
  if (code == OpCode::StackUnderflow) ThrowPopOnEmptyStack();
  if (code == OpCode::NumberOverflow) ThrowOverflow();
  throw ObjectError(kBadToken, "Bad token in Evaluate: " + program.BadTokenText());
}

RunResult Fail(DomainError error) {
  return RunResult{EvalOutcome{EvalStatus::DomainFailure, error}};
}

// a^b: 1 for b = 0 whatever a is; a negative a only with a whole b.
DomainError Power(double a, double b, double& value) {
  if (b == 0) {
    value = 1;
  } else if (a >= 0 || b == std::floor(b)) {
    value = std::pow(a, b);
  } else {
    return DomainError::NegativeBaseFractionalPower;
  }
  return DomainError::None;
}

// Runs the instructions on stack, which holds MaxDepth values. end points one
// past the top, so the operands of a binary operator are end[-2] and end[-1];
// compiling has made sure that they are there.
RunResult Run(const PostfixProgram& program, bool degrees, const double (&variables)[8],
              RandomGenerator& random, double* stack) {
  double* end = stack;
  DomainError error = DomainError::None;
  for (const Instruction& op : program.Instructions()) {
    double value = 0;
    switch (op.code) {
      case OpCode::Number: *end++ = op.value; continue;
      case OpCode::Variable:
        value = variables[op.variable];
        ++end;
        break;
      case OpCode::Add:
        value = end[-2] + end[-1];
        --end;
        break;
      case OpCode::Subtract:
        value = end[-2] - end[-1];
        --end;
        break;
      case OpCode::Multiply:
        value = end[-2] * end[-1];
        --end;
        break;
      case OpCode::Divide:
        if (end[-1] == 0) return Fail(DomainError::DivisionByZero);
        value = end[-2] / end[-1];
        --end;
        break;
      case OpCode::Power:
        error = Power(end[-2], end[-1], value);
        --end;
        break;
      case OpCode::Negate: value = -end[-1]; break;
      case OpCode::BadToken:
      case OpCode::StackUnderflow:
      case OpCode::NumberOverflow: ThrowStop(program, op.code);
      default: error = FunctionValue(op.code, end[-1], degrees, random, value); break;
    }
    if (error != DomainError::None) return Fail(error);
    if (!Finite(value)) ThrowOverflow();
    end[-1] = value;
  }
  if (end == stack) return RunResult{EvalOutcome{EvalStatus::NoValue}};
  return RunResult{EvalOutcome{}, end[-1]};
}

}  // namespace

RunResult RunPostfix(const PostfixProgram& program, bool degrees, const double (&variables)[8],
                     RandomGenerator& random) {
  if (program.MaxDepth() <= kFrameStack) {
    double stack[kFrameStack];
    return Run(program, degrees, variables, random, stack);
  }
  const auto stack = std::make_unique<double[]>(program.MaxDepth());
  return Run(program, degrees, variables, random, stack.get());
}

}  // namespace qv
