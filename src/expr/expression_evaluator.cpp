#include "expr/expression_evaluator.h"

#include <utility>

#include "infix_parser.h"
#include "postfix_evaluation.h"

namespace qv {

std::string_view DomainMessage(DomainError error) {
  switch (error) {
    case DomainError::DivisionByZero: return "Devision by zero.";
    case DomainError::NegativeBaseFractionalPower: return "A^B, B must be a long if A is negative.";
    case DomainError::LogOfNonPositive: return "The parameter of function LOG must larger than 0.";
    case DomainError::SqrOfNegative:
      return "The parameter of function SQR must larger than or equal to 0.";
    case DomainError::InverseOutOfRange: return "The expression is illegal.";
    default: return "";
  }
}

ExpressionEvaluator::ExpressionEvaluator(MessageBoxService& messages)
    : messages_(messages), random_(ownRandom_) {}

ExpressionEvaluator::ExpressionEvaluator(MessageBoxService& messages, RandomGenerator& random)
    : messages_(messages), random_(random) {}

Long ExpressionEvaluator::InfixToPostfix(std::string_view expression, std::string& postfix) {
  std::optional<SyntaxError> error = ParseInfix(expression, postfix);
  if (!error) return 0;
  syntaxErrorText_ = std::move(error->text);
  messages_.Show("Character " + CStr(error->position) + ":  " + syntaxErrorText_, "Syntax Error",
                 MsgIcon::Critical, MsgButtons::OK);
  return error->position;
}

EvalOutcome ExpressionEvaluator::DoEvaluate(const PostfixProgram& program, bool degrees,
                                            double& result, const Variables& variables) {
  const double values[8] = {variables.U, variables.V, variables.X, variables.Y,
                            variables.A, variables.R, variables.B, variables.T};
  const RunResult run = RunPostfix(program, degrees, values, random_);
  switch (run.outcome.status) {
    case EvalStatus::Success: result = run.value; break;
    case EvalStatus::NoValue: break;
    case EvalStatus::DomainFailure: {
      const std::string_view message = DomainMessage(run.outcome.error);
      if (evalShowErrors_ && !message.empty()) {
        messages_.Show(std::string(message), "Error", MsgIcon::Critical, MsgButtons::OK);
      } else {
        result = kSentinel;
      }
      break;
    }
  }
  return run.outcome;
}

EvalOutcome ExpressionEvaluator::DoEvaluate(std::string_view postfix, bool degrees, double& result,
                                            const Variables& variables) {
  return DoEvaluate(PostfixProgram::Compile(postfix), degrees, result, variables);
}

}  // namespace qv
