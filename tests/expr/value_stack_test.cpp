// The operator stack: its ten-slot growth, reading the top without removing
// it, and the numbered errors of an empty stack, which leave it unchanged.
#include "expr/value_stack.h"

#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(ValueStackTest, GrowsByTenAndNeverShrinks) {
  ValueStack<int> stack;
  EXPECT_EQ(stack.Capacity(), 0);
  for (int i = 1; i <= 11; ++i) stack.Push(i);
  EXPECT_EQ(stack.Capacity(), 20);
  EXPECT_EQ(stack.StackSize(), 11);
  for (int i = 11; i >= 1; --i) EXPECT_EQ(stack.Pop(), i);
  EXPECT_EQ(stack.Capacity(), 20);
  EXPECT_EQ(stack.StackSize(), 0);
}

TEST(ValueStackTest, GetPopValueLeavesTheTop) {
  ValueStack<std::string> stack;
  stack.Push("(");
  stack.Push("SIN");
  EXPECT_EQ(stack.GetPopValue(), "SIN");
  EXPECT_EQ(stack.GetPopValue(), "SIN");
  EXPECT_EQ(stack.StackSize(), 2);
  EXPECT_EQ(stack.Pop(), "SIN");
  EXPECT_EQ(stack.Pop(), "(");
}

// A deep stack must not copy itself at every ten-slot step (a 10^5-deep
// parenthesis nest would take minutes).
TEST(ValueStackTest, DeepStackKeepsItsItems) {
  ValueStack<int> stack;
  constexpr int kDepth = 1000000;
  for (int i = 0; i < kDepth; ++i) stack.Push(i);
  EXPECT_EQ(stack.Capacity(), kDepth);
  EXPECT_EQ(stack.Pop(), kDepth - 1);
  EXPECT_EQ(stack.StackSize(), kDepth - 1);
}

TEST(ValueStackTest, EmptyStackRaisesNumberedErrors) {
  ValueStack<int> stack;
  try {
    stack.Pop();
    FAIL() << "Pop on an empty stack returned";
  } catch (const ObjectError& e) {
    EXPECT_EQ(static_cast<unsigned>(e.Number()), 0x800403F3u);
    EXPECT_EQ(e.Description(), "Pop method invoked on empty stack");
  }
  try {
    stack.GetPopValue();
    FAIL() << "GetPopValue on an empty stack returned";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(static_cast<unsigned>(e.Number()), 0x800403F4u);
    EXPECT_NE(std::string(e.what()).find("GetPopValue method invoked on empty stack"),
              std::string::npos);
  }
  EXPECT_EQ(stack.StackSize(), 0);
  EXPECT_EQ(stack.Capacity(), 0);
  stack.Push(7);
  EXPECT_EQ(stack.Pop(), 7);
  EXPECT_THROW(stack.Pop(), ObjectError);
  EXPECT_EQ(stack.Capacity(), 10);
}

}  // namespace
}  // namespace qv
