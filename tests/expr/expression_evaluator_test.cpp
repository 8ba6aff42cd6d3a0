// Expression texts through the whole evaluator: the postfix text each one
// gives, then its value, its syntax message with the position of the
// offending character, its domain message or its overflow. Every row is run
// with the variables below.
#include "expr/expression_evaluator.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/scripted_message_box.h"

namespace qv {
namespace {

using test::ScriptedMessageBox;

const Variables kVariables{.U = 1, .V = 2, .X = 3, .Y = 4, .A = 0.5, .R = -2, .B = 10, .T = 0.25};
// The degree factor: 3.1416, not the full pi.
double Degrees(double angle) { return angle * 3.1416 / 180; }

enum class Expect { Value, NoValue, Syntax, Domain, Overflow };

struct Row {
  const char* name = "";
  std::string expression;
  // For a syntax error: the tokens written before it.
  std::string postfix;
  Expect expect = Expect::Value;
  double value = 0;
  bool degrees = false;
  Long position = 0;
  // The syntax error's text, or the domain error's message ("" when never shown).
  std::string message;
  DomainError error = DomainError::None;
};

Row Make(const char* name, std::string expression, std::string postfix, Expect expect) {
  Row row;
  row.name = name;
  row.expression = std::move(expression);
  row.postfix = std::move(postfix);
  row.expect = expect;
  return row;
}
Row Value(const char* name, std::string expression, std::string postfix, double value) {
  Row row = Make(name, std::move(expression), std::move(postfix), Expect::Value);
  row.value = value;
  return row;
}
Row InDegrees(const char* name, std::string expression, std::string postfix, double value) {
  Row row = Value(name, std::move(expression), std::move(postfix), value);
  row.degrees = true;
  return row;
}
Row Syntax(const char* name, std::string expression, std::string postfix, Long position,
           std::string message) {
  Row row = Make(name, std::move(expression), std::move(postfix), Expect::Syntax);
  row.position = position;
  row.message = std::move(message);
  return row;
}
Row Domain(const char* name, std::string expression, std::string postfix, DomainError error,
           std::string message) {
  Row row = Make(name, std::move(expression), std::move(postfix), Expect::Domain);
  row.error = error;
  row.message = std::move(message);
  return row;
}
Row Overflow(const char* name, std::string expression, std::string postfix) {
  return Make(name, std::move(expression), std::move(postfix), Expect::Overflow);
}

std::vector<Row> Rows() {
  const double pi = std::numbers::pi;
  const std::string digits200 = "1" + std::string(200, '0');
  const std::string digits400 = "1" + std::string(400, '0');
  return {
      // Precedence and grouping: every binary operator groups from the left.
      Value("Product", "2+3*X", "2 3 XX * + ", 11),
      Value("PowerFromLeft", "2^3^2", "2 3 ^ 2 ^ ", 64),
      Value("SignBelowPower", "-2^2", "2 2 ^ (-) ", -4),
      Value("SignedExponent", "2^-2", "2 2 (-) ^ ", 0.25),
      Value("SignedPowerFactor", "2*-3^2", "2 3 2 ^ (-) * ", -18),
      Value("QuotientFromLeft", "8/4/2", "8 4 / 2 / ", 1),
      Value("Parentheses", "(2+3)*4", "2 3 + 4 * ", 20),
      Value("SignThenDifference", "-2-3", "2 (-) 3 - ", -5),
      // Signs.
      Value("PlusSignDropped", "+2", "2 ", 2),
      Value("SignedParenthesis", "-(2)", "2 (-) ", -2),
      Value("MinusOfNegative", "3--2", "3 2 (-) - ", 5),
      Value("MinusOfPositive", "3-+2", "3 2 - ", 1),
      Value("NegativeBaseSquared", "(-2)^2", "2 (-) 2 ^ ", 4),
      Value("NegativeBaseCubed", "(-2)^3", "2 (-) 3 ^ ", -8),
      Value("ZeroToAPower", "0^2", "0 2 ^ ", 0),
      Value("ZeroToTheZero", "0^0", "0 0 ^ ", 1),
      // Functions: a function takes the next operand, parenthesised or not.
      Value("SquaredSine", "SIN(X)^2", "XX SIN 2 ^ ", std::pow(std::sin(3.0), 2)),
      Value("SineOfSigned", "SIN-1", "1 (-) SIN ", std::sin(-1.0)),
      Value("FunctionOfVariable", "SIN X", "XX SIN ", std::sin(3.0)),
      Value("NestedFunctions", "SQR(ABS(INT(-7.5)))", "7.5 (-) INT ABS SQR ", std::sqrt(8.0)),
      Value("LogOfExp", "log(exp(2))", "2 EXP LOG ", 2),
      Value("FunctionOfSum", "Cos(sin(x)*2+1)", "XX SIN 2 * 1 + COS ",
            std::cos(std::sin(3.0) * 2 + 1)),
      Value("AreaSecantPlusOne", "ASECH(A)+1", "AA ASECH 1 + ",
            std::log((std::sqrt(0.75) + 1) / 0.5) + 1),
      // Variables in any letter case.
      Value("AllVariables", "u+V*x-Y/a+r*B-t", "UU VV XX * + YY AA / - RR BB * + TT - ",
            1 + 2 * 3 - 4 / 0.5 + -2 * 10 - 0.25),
      // The comma decimal sign, written as typed.
      Value("CommaDecimal", "1,5*2", "1,5 2 * ", 3),
      Value("BareDecimalSigns", ",5+.5", ",5 .5 + ", 1),
      // Blanks and control characters between items are skipped.
      Value("BlanksAndTabs", " 1 +\t2 ", "1 2 + ", 3),
      Make("Empty", "", "", Expect::NoValue),
      Make("AllBlank", "   ", "", Expect::NoValue),
      // The degree switch turns the arguments of the direct functions and of
      // ATAN, and no result.
      InDegrees("SineOfNinety", "SIN(90)", "90 SIN ", std::sin(Degrees(90))),
      InDegrees("CosineOfSixty", "COS(60)", "60 COS ", std::cos(Degrees(60))),
      InDegrees("ArcTangentArgument", "ATAN(45)", "45 ATAN ", std::atan(Degrees(45))),
      InDegrees("SecantOfSixty", "SEC(60)", "60 SEC ", 1 / std::cos(Degrees(60))),
      InDegrees("ArcSineUnconverted", "ASIN(1)", "1 ASIN ", 1.5708),
      Value("RadiansByDefault", "SIN(90)", "90 SIN ", std::sin(90.0)),
      Value("ArcSineOfOne", "ASIN(1)", "1 ASIN ", 3.1416 / 2),
      Value("ArcCosineOfOne", "ACOS(1)", "1 ACOS ", 0),
      Value("ArcCosineOfMinusOne", "ACOS(-1)", "1 (-) ACOS ", 3.1416),
      // The inverse secant, cosecant and cotangent on their principal ranges.
      Value("ArcSecant", "ASEC(2)", "2 ASEC ", pi / 3),
      Value("ArcSecantNegative", "ASEC(-2)", "2 (-) ASEC ", 2 * pi / 3),
      Value("ArcCosecant", "ACSEC(2)", "2 ACSEC ", pi / 6),
      Value("ArcCosecantNegative", "ACSEC(-2)", "2 (-) ACSEC ", -pi / 6),
      Value("ArcCotangent", "ACTAN(1)", "1 ACTAN ", pi / 4),
      Value("ArcCotangentNegative", "ACTAN(-1)", "1 (-) ACTAN ", 3 * pi / 4),
      // Syntax errors, reported at the offending character; those at the
      // first item too, which must never read as success.
      Syntax("ImpliedProduct", "2(3)", "2 ", 2, "Operator expected"),
      Syntax("TwoNumbers", "1 2", "1 ", 3, "Operator expected"),
      Syntax("TwoGroups", "(2)(3)", "2 ", 4, "Operator expected"),
      Syntax("TwoVariables", "X Y", "XX ", 3, "Operator expected"),
      Syntax("UndefinedFirst", "x1", "", 1, "Undefined symbol : 'x1'"),
      Syntax("UndefinedLater", "2*pi", "2 ", 3, "Undefined symbol : 'pi'"),
      Syntax("LoneDecimalSign", ".", "", 1, "Invalid operand"),
      Syntax("LoneCommaLater", "2+,", "2 ", 3, "Invalid operand"),
      Syntax("DoubleSign", "--2", "", 2, "Operand expected"),
      Syntax("TwoOperators", "3*/2", "3 ", 3, "Operand expected"),
      Syntax("LeadingProduct", "*2", "", 1, "Operand expected"),
      Syntax("EmptyParentheses", "()", "", 2, "Operand expected"),
      Syntax("TrailingOperator", "1+", "1 ", 2, "Operand expected"),
      Syntax("TrailingOperatorBlanks", "1+  ", "1 ", 4, "Operand expected"),
      Syntax("FunctionAtEnd", "SIN", "", 3, "Operand expected"),
      Syntax("TwoDecimalPoints", "1.2.3", "", 4, "Operand contains multiple decimal points"),
      Syntax("MixedDecimalSigns", "1,2.3", "", 4, "Operand contains multiple decimal points"),
      Syntax("UnclosedParenthesis", "(1+2", "1 2 ", 4, "Closing parenthesis expected"),
      Syntax("UnopenedParenthesis", "1+2)", "1 2 ", 4,
             "Closing parenthesis without matching open parenthesis"),
      Syntax("NumberAfterFunction", "SIN 2", "", 5, "Open parenthesis expected"),
      Syntax("UnexpectedCharacter", "2#3", "2 ", 2, "Unexpected character encountered"),
      Syntax("NonAsciiLetter", "2*\xe9", "2 ", 3, "Unexpected character encountered"),
      // Domain errors: shown, or answered with 0.12345, as the setting says.
      Domain("DivisionByZero", "1/0", "1 0 / ", DomainError::DivisionByZero, "Devision by zero."),
      Domain("CosecantOfZero", "CSEC(0)", "0 CSEC ", DomainError::DivisionByZero,
             "Devision by zero."),
      Domain("CotangentOfZero", "CTAN(0)", "0 CTAN ", DomainError::DivisionByZero,
             "Devision by zero."),
      Domain("NegativeBaseFraction", "(-2)^0,5", "2 (-) 0,5 ^ ",
             DomainError::NegativeBaseFractionalPower, "A^B, B must be a long if A is negative."),
      Domain("LogOfZero", "LOG(0)", "0 LOG ", DomainError::LogOfNonPositive,
             "The parameter of function LOG must larger than 0."),
      Domain("RootOfNegative", "SQR(-1)", "1 (-) SQR ", DomainError::SqrOfNegative,
             "The parameter of function SQR must larger than or equal to 0."),
      Domain("ArcSineOfTwo", "ASIN(2)", "2 ASIN ", DomainError::InverseOutOfRange,
             "The expression is illegal."),
      Domain("ArcCosineBeyond", "ACOS(-1.5)", "1.5 (-) ACOS ", DomainError::InverseOutOfRange,
             "The expression is illegal."),
      Domain("ArcSecantWithin", "ASEC(0.5)", "0.5 ASEC ", DomainError::InverseOutOfRange,
             "The expression is illegal."),
      Domain("ArcCosecantOfOne", "ACSEC(1)", "1 ACSEC ", DomainError::InverseOutOfRange,
             "The expression is illegal."),
      // The hyperbolic ones are never shown.
      Domain("AreaTangentOfOne", "ATANH(1)", "1 ATANH ", DomainError::HyperbolicOutOfRange, ""),
      Domain("HyperbolicCotangentOfZero", "CTANH(0)", "0 CTANH ", DomainError::HyperbolicOutOfRange,
             ""),
      Domain("HyperbolicCosecantOfZero", "CSECH(0)", "0 CSECH ", DomainError::HyperbolicOutOfRange,
             ""),
      Domain("AreaCosineBelowOne", "ACOSH(A)", "AA ACOSH ", DomainError::HyperbolicOutOfRange, ""),
      Domain("AreaSecantOfZero", "ASECH(0)", "0 ASECH ", DomainError::HyperbolicOutOfRange, ""),
      Domain("AreaSecantBeyond", "ASECH(X)", "XX ASECH ", DomainError::HyperbolicOutOfRange, ""),
      Domain("AreaCosecantOfZero", "ACSECH(0)", "0 ACSECH ", DomainError::HyperbolicOutOfRange, ""),
      Domain("AreaCotangentOfOne", "ACTANH(1)", "1 ACTANH ", DomainError::HyperbolicOutOfRange, ""),
      // The first domain error stops the evaluation.
      Domain("FirstErrorStops", "LOG(0)+1/0", "0 LOG 1 0 / + ", DomainError::LogOfNonPositive,
             "The parameter of function LOG must larger than 0."),
      // Values that are not finite are an overflow, as arithmetic overflow is.
      Overflow("HugeExponential", "EXP(1000)", "1000 EXP "),
      Overflow("HugeExponentialInQuotient", "1/EXP(1000)", "1 1000 EXP / "),
      Overflow("HugePower", "10^400", "10 400 ^ "),
      Overflow("ZeroToMinusOne", "0^-1", "0 1 (-) ^ "),
      Overflow("HugeProduct", "X*" + digits200 + "*" + digits200,
               "XX " + digits200 + " * " + digits200 + " * "),
      Overflow("HugeNumber", digits400, digits400 + " "),
  };
}

class ExpressionTableTest : public testing::TestWithParam<Row> {
 protected:
  void ExpectShown(const std::string& text, const std::string& title) {
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_EQ(messages_.Shown()[0].text, text);
    EXPECT_EQ(messages_.Shown()[0].title, title);
    EXPECT_EQ(messages_.Shown()[0].icon, MsgIcon::Critical);
    messages_.Clear();
  }

  ScriptedMessageBox messages_;
  ExpressionEvaluator evaluator_{messages_};
};

TEST_P(ExpressionTableTest, ParsesAndEvaluates) {
  const Row& row = GetParam();
  std::string postfix;
  const Long position = evaluator_.InfixToPostfix(row.expression, postfix);
  EXPECT_EQ(postfix, row.postfix);
  if (row.expect == Expect::Syntax) {
    EXPECT_EQ(position, row.position);
    EXPECT_EQ(evaluator_.SyntaxErrorText(), row.message);
    ExpectShown("Character " + std::to_string(row.position) + ":  " + row.message, "Syntax Error");
    return;
  }
  ASSERT_EQ(position, 0) << evaluator_.SyntaxErrorText();
  ASSERT_TRUE(messages_.Shown().empty());

  double result = -1;
  switch (row.expect) {
    case Expect::Value:
      EXPECT_TRUE(evaluator_.DoEvaluate(postfix, row.degrees, result, kVariables).Succeeded());
      EXPECT_DOUBLE_EQ(result, row.value);
      break;
    case Expect::NoValue:
      EXPECT_EQ(evaluator_.DoEvaluate(postfix, false, result, kVariables).status,
                EvalStatus::NoValue);
      EXPECT_EQ(result, -1) << "the result is left alone";
      break;
    case Expect::Overflow:
      try {
        evaluator_.DoEvaluate(postfix, false, result, kVariables);
        ADD_FAILURE() << "evaluated to " << result;
      } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kOverflow);
      }
      break;
    default: {
      // Silent: the sentinel and the kind, no message.
      EvalOutcome outcome = evaluator_.DoEvaluate(postfix, false, result, kVariables);
      EXPECT_EQ(outcome.status, EvalStatus::DomainFailure);
      EXPECT_EQ(outcome.error, row.error);
      EXPECT_EQ(result, ExpressionEvaluator::kSentinel);
      EXPECT_TRUE(messages_.Shown().empty());
      // Shown: the message, and the result left alone.
      evaluator_.SetEvalShowErrors(true);
      result = -1;
      outcome = evaluator_.DoEvaluate(postfix, false, result, kVariables);
      EXPECT_EQ(outcome.status, EvalStatus::DomainFailure);
      EXPECT_EQ(outcome.error, row.error);
      if (row.message.empty()) {
        EXPECT_EQ(result, ExpressionEvaluator::kSentinel);
        EXPECT_TRUE(messages_.Shown().empty());
      } else {
        EXPECT_EQ(result, -1);
        ExpectShown(row.message, "Error");
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, ExpressionTableTest, testing::ValuesIn(Rows()),
                         [](const testing::TestParamInfo<Row>& info) { return info.param.name; });

// A syntax error keeps its text for the caller until the next one.
TEST(ExpressionEvaluatorTest, KeepsTheLastSyntaxError) {
  ScriptedMessageBox messages;
  ExpressionEvaluator evaluator(messages);
  std::string postfix;
  EXPECT_EQ(evaluator.SyntaxErrorText(), "");
  EXPECT_EQ(evaluator.InfixToPostfix("1+", postfix), 2);
  postfix.clear();
  EXPECT_EQ(evaluator.InfixToPostfix("1+1", postfix), 0);
  EXPECT_EQ(evaluator.SyntaxErrorText(), "Operand expected");
  EXPECT_EQ(evaluator.InfixToPostfix("x2", postfix), 1);
  EXPECT_EQ(postfix, "1 1 + ") << "tokens go after what the caller's string held";
  EXPECT_EQ(evaluator.SyntaxErrorText(), "Undefined symbol : 'x2'");
}

// A program compiled once gives the same values as its text, for any variables.
TEST(ExpressionEvaluatorTest, CompiledProgramFollowsTheVariables) {
  ScriptedMessageBox messages;
  ExpressionEvaluator evaluator(messages);
  std::string postfix;
  ASSERT_EQ(evaluator.InfixToPostfix("X*X+2*X*Y-Y/(1+X)", postfix), 0);
  const PostfixProgram program = PostfixProgram::Compile(postfix);
  for (double x : {0.5, 2.0, -3.0}) {
    const Variables variables{.X = x, .Y = 7};
    double fromProgram = 0, fromText = 0;
    ASSERT_TRUE(evaluator.DoEvaluate(program, false, fromProgram, variables).Succeeded());
    ASSERT_TRUE(evaluator.DoEvaluate(postfix, false, fromText, variables).Succeeded());
    EXPECT_EQ(fromProgram, x * x + 2 * x * 7 - 7 / (1 + x));
    EXPECT_EQ(fromText, fromProgram);
  }
}

}  // namespace
}  // namespace qv
