// The evaluator as a plotting loop uses it: an expression parsed once, then
// evaluated at every node with new variable values. Each expression below is
// 20 postfix tokens; the trigonometric one measures the cost of the library
// functions next to that of the loop.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "expr/expression_evaluator.h"
#include "expr/postfix_program.h"
#include "platform/message_box.h"

namespace qv {
namespace {

// X*X+2*X*Y-Y/(1+X)+SQR(A)*2: XX XX * 2 XX * YY * + YY 1 XX + / - AA SQR 2 * +
constexpr const char* kArithmetic = "X*X+2*X*Y-Y/(1+X)+SQR(A)*2";
// SIN(X)*COS(Y)+2*X^2-Y/(1+X)-SQR(A): XX SIN YY COS * 2 XX 2 ^ * + YY 1 XX + / - AA SQR -
constexpr const char* kTrigonometric = "SIN(X)*COS(Y)+2*X^2-Y/(1+X)-SQR(A)";

class SilentMessageBox final : public MessageBoxService {
 public:
  MsgAnswer Show(const std::string&, const std::string&, MsgIcon, MsgButtons) override {
    return MsgAnswer::OK;
  }
};

std::string Postfix(ExpressionEvaluator& evaluator, const char* expression) {
  std::string postfix;
  if (evaluator.InfixToPostfix(expression, postfix) != 0) std::abort();
  return postfix;
}

void BM_InfixToPostfix(benchmark::State& state, const char* expression) {
  SilentMessageBox messages;
  ExpressionEvaluator evaluator(messages);
  std::string postfix;
  for (auto _ : state) {
    postfix.clear();
    benchmark::DoNotOptimize(evaluator.InfixToPostfix(expression, postfix));
    benchmark::DoNotOptimize(postfix.data());
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_ParseAndCompile(benchmark::State& state, const char* expression) {
  SilentMessageBox messages;
  ExpressionEvaluator evaluator(messages);
  std::string postfix;
  for (auto _ : state) {
    postfix.clear();
    evaluator.InfixToPostfix(expression, postfix);
    PostfixProgram program = PostfixProgram::Compile(postfix);
    benchmark::DoNotOptimize(program.Instructions().data());
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_Evaluate(benchmark::State& state, const char* expression) {
  SilentMessageBox messages;
  ExpressionEvaluator evaluator(messages);
  const PostfixProgram program = PostfixProgram::Compile(Postfix(evaluator, expression));
  if (program.Instructions().size() != 20) std::abort();
  Variables variables{.U = 1, .V = 2, .X = 0.5, .Y = 0.25, .A = 3};
  double result = 0;
  for (auto _ : state) {
    variables.X += 1e-9;
    benchmark::DoNotOptimize(evaluator.DoEvaluate(program, false, result, variables));
    benchmark::DoNotOptimize(result);
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK_CAPTURE(BM_InfixToPostfix, Arithmetic, kArithmetic);
BENCHMARK_CAPTURE(BM_InfixToPostfix, Trigonometric, kTrigonometric);
BENCHMARK_CAPTURE(BM_ParseAndCompile, Arithmetic, kArithmetic);
BENCHMARK_CAPTURE(BM_Evaluate, Arithmetic, kArithmetic);
BENCHMARK_CAPTURE(BM_Evaluate, Trigonometric, kTrigonometric);

}  // namespace
}  // namespace qv
