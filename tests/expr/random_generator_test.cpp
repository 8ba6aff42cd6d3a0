// RND: the meaning of its argument, and that the evaluator draws from the
// generator it is given.
#include "expr/random_generator.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "expr/expression_evaluator.h"
#include "support/scripted_message_box.h"

namespace qv {
namespace {

TEST(LinearCongruentialGeneratorTest, ArgumentChoosesTheNumber) {
  LinearCongruentialGenerator random;
  const float first = random.Rnd(1);
  const float second = random.Rnd(1);
  EXPECT_NE(first, second);
  EXPECT_EQ(random.Rnd(0), second) << "0 repeats the previous number";
  const float seeded = random.Rnd(-3);
  random.Rnd(1);
  EXPECT_EQ(random.Rnd(-3), seeded) << "a negative argument gives its own number";
  EXPECT_NE(random.Rnd(-4), seeded);
  LinearCongruentialGenerator fresh;
  EXPECT_EQ(fresh.Rnd(1), first) << "every generator starts from the same seed";
  EXPECT_EQ(random.Rnd(-1e300), random.Rnd(-1e300));
}

TEST(LinearCongruentialGeneratorTest, StaysInTheUnitInterval) {
  LinearCongruentialGenerator random;
  for (int i = 0; i < 100000; ++i) {
    const float value = random.Rnd(1);
    ASSERT_GE(value, 0.0f);
    ASSERT_LT(value, 1.0f);
  }
}

class ScriptedRandom final : public RandomGenerator {
 public:
  float Rnd(double argument) override {
    arguments.push_back(argument);
    return 0.25f;
  }
  std::vector<double> arguments;
};

TEST(RndFunctionTest, DrawsFromTheInjectedGenerator) {
  test::ScriptedMessageBox messages;
  ScriptedRandom random;
  ExpressionEvaluator evaluator(messages, random);
  std::string postfix;
  ASSERT_EQ(evaluator.InfixToPostfix("RND(-X)+RND(0)", postfix), 0);
  double result = 0;
  ASSERT_TRUE(evaluator.DoEvaluate(postfix, true, result, Variables{.X = 7}).Succeeded());
  EXPECT_EQ(result, 0.5);
  EXPECT_EQ(random.arguments, (std::vector<double>{-7, 0})) << "the argument is not in degrees";
}

}  // namespace
}  // namespace qv
