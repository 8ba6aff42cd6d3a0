// Long and deeply nested expressions: the scan and the evaluation must take
// them in time and memory proportional to their length, never by recursion
// that would exhaust the call stack.
#include "infix_parser.h"

#include <string>

#include <gtest/gtest.h>

#include "expr/expression_evaluator.h"
#include "expr/postfix_program.h"
#include "support/scripted_message_box.h"

namespace qv {
namespace {

std::string Repeat(std::string_view piece, std::size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

class LongExpressionTest : public testing::Test {
 protected:
  // Parses expression, which must be accepted, and evaluates it.
  double Evaluate(const std::string& expression) {
    std::string postfix;
    const auto error = ParseInfix(expression, postfix);
    EXPECT_FALSE(error) << error->text << " at " << error->position;
    double result = 0;
    EXPECT_TRUE(evaluator_.DoEvaluate(postfix, false, result, Variables{.X = 2}).Succeeded());
    return result;
  }

  test::ScriptedMessageBox messages_;
  ExpressionEvaluator evaluator_{messages_};
};

constexpr std::size_t kNest = 100000;

TEST_F(LongExpressionTest, DeepParentheses) {
  EXPECT_EQ(Evaluate(Repeat("(", kNest) + "X" + Repeat(")", kNest)), 2);
}

// Every operand waits on the value stack until the innermost sum is reached.
TEST_F(LongExpressionTest, DeepRightNestedSum) {
  EXPECT_EQ(Evaluate(Repeat("1+(", kNest) + "1" + Repeat(")", kNest)), kNest + 1.0);
}

TEST_F(LongExpressionTest, MillionCharacterSum) {
  const std::string expression = Repeat("1+", 499999) + "1";
  ASSERT_GE(expression.size(), 999999u);
  EXPECT_EQ(Evaluate(expression), 500000);
}

TEST_F(LongExpressionTest, LongChainsOfFunctionsAndSigns) {
  EXPECT_EQ(Evaluate(Repeat("ABS ", kNest) + "X"), 2);
  EXPECT_EQ(Evaluate(Repeat("-(", kNest) + "X" + Repeat(")", kNest)), 2);
}

TEST_F(LongExpressionTest, ErrorsFarIntoTheText) {
  std::string postfix;
  auto error = ParseInfix(Repeat("(", kNest) + "1", postfix);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->position, static_cast<Long>(kNest + 1));
  EXPECT_EQ(error->text, "Closing parenthesis expected");

  postfix.clear();
  error = ParseInfix(Repeat("1+", kNest) + "1$", postfix);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->position, static_cast<Long>(2 * kNest + 2));
  EXPECT_EQ(error->text, "Unexpected character encountered");
}

// A number of a million digits is read whole and is too large for a Double.
TEST_F(LongExpressionTest, MillionDigitNumberOverflows) {
  std::string postfix;
  ASSERT_FALSE(ParseInfix(std::string(1000000, '9'), postfix));
  double result = 0;
  try {
    evaluator_.DoEvaluate(postfix, false, result, Variables{});
    FAIL() << "evaluated to " << result;
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kOverflow);
  }
}

}  // namespace
}  // namespace qv
