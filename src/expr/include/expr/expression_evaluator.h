// The expression evaluator: checks an arithmetic expression typed in infix
// notation, turns it into postfix text and evaluates that text for given
// values of the eight variables U, V, X, Y, A, R, B and T.
//
//   "2+3*X"  --InfixToPostfix-->  "2 3 XX * + "  --DoEvaluate(X = 4)-->  14
//
// Nothing in the expression recurses: the parser is one scan with an operator
// stack and the evaluation one loop over the instructions, so deeply nested
// or very long expressions cost time and memory in proportion to their length.
#pragma once

#include <string>
#include <string_view>

#include "expr/postfix_program.h"
#include "expr/random_generator.h"
#include "platform/message_box.h"
#include "platform/runtime.h"

namespace qv {

// Values of the variables; the postfix text names them "UU" .. "TT".
struct Variables {
  double U = 0, V = 0, X = 0, Y = 0, A = 0, R = 0, B = 0, T = 0;
};

// Why an evaluation stopped on a value outside a function's or operator's domain.
enum class DomainError {
  None,
  // "/" by 0, SEC, CSEC or CTAN where cos, sin or tan is 0.
  DivisionByZero,
  // A negative number raised to a power that is not whole.
  NegativeBaseFractionalPower,
  // LOG of a number not above 0.
  LogOfNonPositive,
  // SQR of a negative number.
  SqrOfNegative,
  // ASIN or ACOS beyond [-1, 1], ASEC or ACSEC within [-1, 1].
  InverseOutOfRange,
  // The hyperbolic functions and their inverses outside their domains. Never shown.
  HyperbolicOutOfRange,
};

// The message shown for an error, "" for HyperbolicOutOfRange and None.
std::string_view DomainMessage(DomainError error);

enum class EvalStatus {
  Success,
  // The postfix text left nothing on the stack (it had no tokens).
  NoValue,
  // A value outside a domain: see EvalOutcome::error.
  DomainFailure,
};

struct EvalOutcome {
  EvalStatus status = EvalStatus::Success;
  DomainError error = DomainError::None;
  bool Succeeded() const { return status == EvalStatus::Success; }
};

class ExpressionEvaluator {
 public:
  // The result a failed evaluation stores, for callers that test for it.
  static constexpr double kSentinel = 0.12345;

  // Reports through messages; RND draws from a generator of its own.
  explicit ExpressionEvaluator(MessageBoxService& messages);
  // RND draws from random, which must outlive the evaluator.
  ExpressionEvaluator(MessageBoxService& messages, RandomGenerator& random);
  ExpressionEvaluator(const ExpressionEvaluator&) = delete;
  ExpressionEvaluator& operator=(const ExpressionEvaluator&) = delete;

  // Whether DoEvaluate shows the shown kinds of domain error in a message
  // box; False in a new evaluator.
  bool EvalShowErrors() const { return evalShowErrors_; }
  void SetEvalShowErrors(bool show) { evalShowErrors_ = show; }

  // Checks expression (Windows-1252) and appends its postfix tokens, each
  // followed by one blank, to postfix. Returns 0 on success. On a syntax error
  // shows "Character <n>:  <text>" in a critical box titled "Syntax Error" and
  // returns n, the 1-based position of the offending character (the length of
  // the expression for an error found at its end); the tokens appended before
  // the error stay. An empty or all-blank expression succeeds with no tokens.
  Long InfixToPostfix(std::string_view expression, std::string& postfix);
  // The text of the last syntax error ("" before the first).
  const std::string& SyntaxErrorText() const { return syntaxErrorText_; }

  // Evaluates program; angles of SIN, COS, TAN, SEC, CSEC, CTAN and ATAN are
  // in degrees when degrees is true. On success stores the value in result.
  // A domain error stops the evaluation: when EvalShowErrors is on and the
  // error has a message, the message is shown in a critical box titled
  // "Error" and result is left alone; otherwise result becomes kSentinel.
  // NoValue leaves result alone.
  // Throws RuntimeError(kOverflow) when a value is not finite (a variable, a
  // number, or a result such as EXP(1000)); ObjectError(kPopOnEmptyStack)
  // when an operator lacks operands; ObjectError(kBadToken) for an unknown
  // token, described "Bad token in Evaluate: " and the token.
  EvalOutcome DoEvaluate(const PostfixProgram& program, bool degrees, double& result,
                         const Variables& variables);
  // The same on a postfix text, compiled first.
  EvalOutcome DoEvaluate(std::string_view postfix, bool degrees, double& result,
                         const Variables& variables);

 private:
  MessageBoxService& messages_;
  LinearCongruentialGenerator ownRandom_;
  RandomGenerator& random_;
  bool evalShowErrors_ = false;
  std::string syntaxErrorText_;
};

}  // namespace qv
