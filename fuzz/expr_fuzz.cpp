// Any text is either refused with a position inside it, or its postfix text
// evaluates without the stack or bad-token errors (the parser never writes a
// text that lacks operands or holds an unknown token) to a finite value, a
// domain failure or an overflow. The same text read as postfix may raise only
// the evaluator's own errors.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "expr/expression_evaluator.h"
#include "expr/object_error.h"
#include "expr/postfix_program.h"
#include "platform/message_box.h"

namespace {

class CountingMessageBox final : public qv::MessageBoxService {
 public:
  qv::MsgAnswer Show(const std::string& text, const std::string&, qv::MsgIcon,
                     qv::MsgButtons) override {
    if (text.empty()) std::abort();
    ++shown;
    return qv::MsgAnswer::OK;
  }
  int shown = 0;
};

void EvaluateParsed(qv::ExpressionEvaluator& evaluator, const qv::PostfixProgram& program,
                    bool degrees, const qv::Variables& variables) {
  double result = 1.5;
  try {
    const qv::EvalOutcome outcome = evaluator.DoEvaluate(program, degrees, result, variables);
    if (outcome.Succeeded() && !std::isfinite(result)) std::abort();
  } catch (const qv::ObjectError&) {
    std::abort();  // the parser wrote operands short or an unknown token
  } catch (const qv::RuntimeError& e) {
    if (e.Number() != qv::kOverflow) std::abort();
  }
}

void CheckExpression(const std::string& text) {
  CountingMessageBox messages;
  qv::ExpressionEvaluator evaluator(messages);
  std::string postfix;
  const qv::Long position = evaluator.InfixToPostfix(text, postfix);
  if (position != 0) {
    if (position < 1 || static_cast<std::size_t>(position) > text.size()) std::abort();
    if (messages.shown != 1 || evaluator.SyntaxErrorText().empty()) std::abort();
    return;
  }
  const qv::PostfixProgram program = qv::PostfixProgram::Compile(postfix);
  for (const qv::Instruction& op : program.Instructions()) {
    if (op.code == qv::OpCode::BadToken || op.code == qv::OpCode::StackUnderflow) std::abort();
  }
  EvaluateParsed(evaluator, program, false, qv::Variables{});
  evaluator.SetEvalShowErrors(true);
  EvaluateParsed(
      evaluator, program, true,
      qv::Variables{
          .U = -1, .V = 1, .X = 0.5, .Y = -2.5, .A = 1e300, .R = 3, .B = -1e-300, .T = 90});
}

void CheckPostfix(const std::string& text) {
  CountingMessageBox messages;
  qv::ExpressionEvaluator evaluator(messages);
  double result = 0;
  try {
    evaluator.DoEvaluate(text, false, result, qv::Variables{.X = 2});
  } catch (const qv::ObjectError& e) {
    if (e.Number() != qv::kBadToken && e.Number() != qv::kPopOnEmptyStack) std::abort();
  } catch (const qv::RuntimeError& e) {
    if (e.Number() != qv::kOverflow) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckExpression(text);
  CheckPostfix(text);
  return 0;
}
