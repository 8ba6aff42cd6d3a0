#include "expr/postfix_program.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "function_table.h"
#include "platform/runtime.h"

namespace qv {
namespace {

bool StartsNumber(char c) { return (c >= '0' && c <= '9') || c == '.' || c == ','; }

std::optional<OpCode> FindOperator(std::string_view token) {
  if (token == "+") return OpCode::Add;
  if (token == "-") return OpCode::Subtract;
  if (token == "*") return OpCode::Multiply;
  if (token == "/") return OpCode::Divide;
  if (token == "^") return OpCode::Power;
  if (token == "(-)") return OpCode::Negate;
  return std::nullopt;
}

// "UU" .. "TT": the variable's index.
std::optional<int> FindVariableToken(std::string_view token) {
  if (token.size() != 2 || token[0] != token[1]) return std::nullopt;
  return FindVariable(token.substr(0, 1));
}

// How many values an instruction takes off the stack (it then pushes one).
std::size_t Operands(OpCode code) {
  switch (code) {
    case OpCode::Number:
    case OpCode::Variable: return 0;
    case OpCode::Add:
    case OpCode::Subtract:
    case OpCode::Multiply:
    case OpCode::Divide:
    case OpCode::Power: return 2;
    default: return 1;
  }
}

double NumberValue(std::string_view token) {
  std::string text(token);
  std::replace(text.begin(), text.end(), ',', '.');
  return Val(text);
}

}  // namespace

PostfixProgram PostfixProgram::Compile(std::string_view postfix) {
  PostfixProgram program;
  std::size_t p = 0;
  while (!program.stopped_) {
    const std::size_t blank = postfix.find(' ', p);
    if (blank == std::string_view::npos) break;
    program.Add(postfix.substr(p, blank - p));
    p = blank + 1;
  }
  return program;
}

void PostfixProgram::Add(std::string_view token) {
  Instruction instruction{OpCode::BadToken};
  if (!token.empty() && StartsNumber(token[0])) {
    instruction.value = NumberValue(token);
    instruction.code = std::isfinite(instruction.value) ? OpCode::Number : OpCode::NumberOverflow;
  } else if (auto op = FindOperator(token)) {
    instruction.code = *op;
  } else if (auto function = FindFunction(token)) {
    instruction.code = *function;
  } else if (auto variable = FindVariableToken(token)) {
    instruction.code = OpCode::Variable;
    instruction.variable = static_cast<std::uint8_t>(*variable);
  }
  if (instruction.code == OpCode::BadToken) badToken_ = token;
  if (instruction.code >= OpCode::BadToken) {
    instructions_.push_back(instruction);
    stopped_ = true;
    return;
  }
  const std::size_t operands = Operands(instruction.code);
  if (depth_ < operands) {
    instructions_.push_back(Instruction{OpCode::StackUnderflow});
    stopped_ = true;
    return;
  }
  depth_ = depth_ - operands + 1;
  maxDepth_ = std::max(maxDepth_, depth_);
  instructions_.push_back(instruction);
}

}  // namespace qv
