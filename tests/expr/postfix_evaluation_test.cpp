// Postfix texts written by hand, as a caller other than the parser may pass
// them: the scan by blanks, the stack's errors for missing operands, unknown
// tokens, and that a stop is raised only when the evaluation reaches it.
#include "postfix_evaluation.h"

#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "expr/expression_evaluator.h"
#include "expr/object_error.h"
#include "support/scripted_message_box.h"

namespace qv {
namespace {

class PostfixEvaluationTest : public testing::Test {
 protected:
  EvalOutcome Evaluate(std::string_view postfix, double& result) {
    return evaluator_.DoEvaluate(postfix, false, result, Variables{.X = 4});
  }
  // The number of the error that evaluating postfix raises, or 0.
  int ErrorNumber(std::string_view postfix, std::string* description = nullptr) {
    double result = 0;
    try {
      Evaluate(postfix, result);
    } catch (const ObjectError& e) {
      if (description != nullptr) *description = e.Description();
      return e.Number();
    } catch (const RuntimeError& e) {
      return e.Number();
    }
    return 0;
  }

  test::ScriptedMessageBox messages_;
  ExpressionEvaluator evaluator_{messages_};
};

struct ValueCase {
  const char* postfix;
  double value;
};

class PostfixValueTest : public PostfixEvaluationTest,
                         public testing::WithParamInterface<ValueCase> {};

TEST_P(PostfixValueTest, Evaluates) {
  double result = 0;
  EXPECT_TRUE(Evaluate(GetParam().postfix, result).Succeeded());
  EXPECT_EQ(result, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Cases, PostfixValueTest,
                         testing::Values(ValueCase{"2 3 XX * + ", 14}, ValueCase{"1,5 ", 1.5},
                                         // Text after the last blank is not a token.
                                         ValueCase{"1 2", 1}, ValueCase{"7 3 - ", 4},
                                         // Values below the top are ignored.
                                         ValueCase{"1 2 ", 2},
                                         // A number is read as far as it forms one.
                                         ValueCase{"1.5.3 ", 1.5}, ValueCase{". ", 0},
                                         ValueCase{"5. ", 5}));

TEST_F(PostfixEvaluationTest, MissingOperandsRaiseTheStackError) {
  std::string description;
  EXPECT_EQ(ErrorNumber("+ ", &description), kPopOnEmptyStack);
  EXPECT_EQ(description, "Pop method invoked on empty stack");
  EXPECT_EQ(ErrorNumber("1 + "), kPopOnEmptyStack);
  EXPECT_EQ(ErrorNumber("SIN "), kPopOnEmptyStack);
  EXPECT_EQ(ErrorNumber("(-) "), kPopOnEmptyStack);
}

TEST_F(PostfixEvaluationTest, UnknownTokensRaiseTheBadTokenError) {
  std::string description;
  EXPECT_EQ(ErrorNumber("2 FOO ", &description), kBadToken);
  EXPECT_EQ(static_cast<unsigned>(kBadToken), 0x800403EAu);
  EXPECT_EQ(description, "Bad token in Evaluate: FOO");
  // Names are exact and upper case; two blanks make an empty token.
  EXPECT_EQ(ErrorNumber("1 sin ", &description), kBadToken);
  EXPECT_EQ(description, "Bad token in Evaluate: sin");
  EXPECT_EQ(ErrorNumber("XX  ", &description), kBadToken);
  EXPECT_EQ(description, "Bad token in Evaluate: ");
  EXPECT_EQ(ErrorNumber("X "), kBadToken);
}

// Compiling finds the faults ahead, but they must surface in the order the
// evaluation meets them: a domain error before a fault ends the evaluation.
TEST_F(PostfixEvaluationTest, StopsRaiseOnlyWhenReached) {
  double result = 0;
  EXPECT_EQ(Evaluate("1 0 / + ", result).status, EvalStatus::DomainFailure);
  EXPECT_EQ(Evaluate("1 0 / FOO ", result).status, EvalStatus::DomainFailure);
  EXPECT_EQ(ErrorNumber("+ 1 0 / "), kPopOnEmptyStack);
  EXPECT_EQ(ErrorNumber("1 EXP 1 0 / " + std::string(400, '9') + " "), 0);
  EXPECT_EQ(ErrorNumber(std::string(400, '9') + " 1 0 / "), kOverflow);
}

TEST_F(PostfixEvaluationTest, NoTokensLeaveTheResultAlone) {
  double result = 3;
  EXPECT_EQ(Evaluate("", result).status, EvalStatus::NoValue);
  EXPECT_EQ(Evaluate("XX", result).status, EvalStatus::NoValue);
  EXPECT_EQ(result, 3);
}

// A variable the caller gives that is not finite is refused like a computed one.
TEST_F(PostfixEvaluationTest, NonFiniteVariableOverflows) {
  double result = 0;
  const Variables variables{.T = std::numeric_limits<double>::infinity()};
  EXPECT_THROW(evaluator_.DoEvaluate("TT 0 * ", false, result, variables), RuntimeError);
  const Variables unused{.U = std::numeric_limits<double>::quiet_NaN()};
  EXPECT_TRUE(evaluator_.DoEvaluate("TT ", false, result, unused).Succeeded());
}

TEST(PostfixProgramTest, CountsTheStackDepth) {
  EXPECT_EQ(PostfixProgram::Compile("1 2 3 * + ").MaxDepth(), 3u);
  EXPECT_EQ(PostfixProgram::Compile("1 2 * 3 * ").MaxDepth(), 2u);
  const PostfixProgram stopped = PostfixProgram::Compile("1 + 2 3 4 ");
  EXPECT_EQ(stopped.Instructions().size(), 2u) << "nothing after a stop is compiled";
  EXPECT_EQ(stopped.Instructions().back().code, OpCode::StackUnderflow);
}

}  // namespace
}  // namespace qv
