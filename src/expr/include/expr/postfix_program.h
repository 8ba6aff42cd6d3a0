// A postfix text turned into instructions once, so that it can be evaluated
// many times without reading its text again. Compiling also counts the values
// each instruction leaves on the stack: an instruction that would find too few
// operands, and any token the evaluator does not know, become a stop that
// raises its error when the evaluation reaches it, exactly where the text's
// own evaluation would have raised it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

enum class OpCode : std::uint8_t {
  // The functions, in the order of their names in the postfix text's table.
  Sin,
  Cos,
  Log,
  Exp,
  Abs,
  Atan,
  Int,
  Rnd,
  Sqr,
  Tan,
  Sec,
  Csec,
  Ctan,
  Asin,
  Acos,
  Asec,
  Acsec,
  Actan,
  Sinh,
  Cosh,
  Tanh,
  Ctanh,
  Sech,
  Csech,
  Asinh,
  Acosh,
  Atanh,
  Asech,
  Acsech,
  Actanh,
  // Operands and operators.
  Number,
  Variable,
  Add,
  Subtract,
  Multiply,
  Divide,
  Power,
  Negate,
  // Stops: each raises its error; nothing after it is compiled.
  BadToken,        // ObjectError(kBadToken) naming the token
  StackUnderflow,  // ObjectError(kPopOnEmptyStack)
  NumberOverflow,  // RuntimeError(kOverflow): a number too large for a Double
};

// Number of functions: OpCode values below this are functions.
inline constexpr int kFunctionCount = 30;

struct Instruction {
  OpCode code;
  // Variable: 0..7 for U, V, X, Y, A, R, B, T.
  std::uint8_t variable = 0;
  // Number: its value.
  double value = 0.0;
};

class PostfixProgram {
 public:
  // Reads a postfix text: tokens each followed by one blank, text after the
  // last blank ignored (so an empty token between two blanks is a bad token).
  // A token starting with one of "1234567890.," is a number, "," read as "."
  // and read as far as it forms one. Never throws.
  static PostfixProgram Compile(std::string_view postfix);

  const std::vector<Instruction>& Instructions() const { return instructions_; }
  // The most values on the stack at any point of the evaluation.
  std::size_t MaxDepth() const { return maxDepth_; }
  // The token of a BadToken stop ("" when there is none).
  const std::string& BadTokenText() const { return badToken_; }

 private:
  void Add(std::string_view token);

  std::vector<Instruction> instructions_;
  // While compiling: values on the stack after the last instruction, and
  // whether a stop has ended the program.
  std::size_t depth_ = 0;
  bool stopped_ = false;
  std::size_t maxDepth_ = 0;
  std::string badToken_;
};

}  // namespace qv
