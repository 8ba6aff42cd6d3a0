#include "infix_parser.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "expr/postfix_program.h"
#include "expr/value_stack.h"
#include "function_table.h"

namespace qv {
namespace {

// Items of the operator stack: the OpCode of an operator or function, or "(".
using StackItem = std::uint8_t;
constexpr StackItem kOpenParen = 0xFF;

StackItem ItemOf(OpCode code) { return static_cast<StackItem>(code); }

// Binding strength on the operator stack; an item is popped by an incoming
// binary operator of the same or a lower strength, so every binary operator,
// "^" too, groups from the left.
int GetPrecedence(StackItem item) {
  if (item < kFunctionCount) return 5;
  switch (static_cast<OpCode>(item)) {
    case OpCode::Add:
    case OpCode::Subtract: return 1;
    case OpCode::Multiply:
    case OpCode::Divide: return 2;
    case OpCode::Negate: return 3;
    case OpCode::Power: return 4;
    default: return 0;  // "("
  }
}

std::string_view TokenText(StackItem item) {
  if (item < kFunctionCount) return FunctionName(static_cast<OpCode>(item));
  switch (static_cast<OpCode>(item)) {
    case OpCode::Add: return "+";
    case OpCode::Subtract: return "-";
    case OpCode::Multiply: return "*";
    case OpCode::Divide: return "/";
    case OpCode::Power: return "^";
    default: return "(-)";
  }
}

OpCode BinaryOperator(char c) {
  switch (c) {
    case '+': return OpCode::Add;
    case '-': return OpCode::Subtract;
    case '*': return OpCode::Multiply;
    case '/': return OpCode::Divide;
    default: return OpCode::Power;
  }
}

char Upper(unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsDecimalSign(unsigned char c) { return c == '.' || c == ','; }
bool IsIdentStart(unsigned char c) {
  const char u = Upper(c);
  return (u >= 'A' && u <= 'Z') || u == '_';
}
bool IsIdentChar(unsigned char c) { return IsIdentStart(c) || IsDigit(c); }

// One left-to-right scan in the manner of the shunting-yard method. The
// state is the kind of the last item accepted.
class InfixScanner {
 public:
  InfixScanner(std::string_view text, std::string& postfix) : text_(text), postfix_(postfix) {}

  std::optional<SyntaxError> Run() {
    std::size_t i = 0;
    while (i < text_.size() && !error_) i = Step(i);
    if (!error_) Finish();
    return std::move(error_);
  }

 private:
  enum class State { Start, Operand, Operator, Sign, Function };

  // Handles the item at index i; returns the index after it.
  std::size_t Step(std::size_t i) {
    const auto c = static_cast<unsigned char>(text_[i]);
    if (c == '(') return OpenParenthesis(i);
    if (c == ')') return CloseParenthesis(i);
    if (c == '+' || c == '-' || c == '*' || c == '/' || c == '^') return Operator(i);
    if (IsDigit(c) || IsDecimalSign(c)) return Number(i);
    if (c <= ' ') return i + 1;  // blanks and control characters
    if (IsIdentStart(c)) return Name(i);
    return Fail(i, "Unexpected character encountered");
  }

  std::size_t OpenParenthesis(std::size_t i) {
    if (state_ == State::Operand) return Fail(i, "Operator expected");
    if (state_ == State::Sign || state_ == State::Function) state_ = State::Operator;
    stack_.Push(kOpenParen);
    ++depth_;
    return i + 1;
  }

  std::size_t CloseParenthesis(std::size_t i) {
    if (state_ != State::Operand) return Fail(i, "Operand expected");
    if (depth_ == 0) return Fail(i, "Closing parenthesis without matching open parenthesis");
    // A function name below the "(" stays: the next operator or the end pops it.
    for (StackItem item = stack_.Pop(); item != kOpenParen; item = stack_.Pop()) Append(item);
    --depth_;
    return i + 1;
  }

  std::size_t Operator(std::size_t i) {
    const char c = text_[i];
    if (state_ == State::Operand) {
      const StackItem incoming = ItemOf(BinaryOperator(c));
      const int precedence = GetPrecedence(incoming);
      while (stack_.StackSize() > 0 && GetPrecedence(stack_.GetPopValue()) >= precedence) {
        Append(stack_.Pop());
      }
      stack_.Push(incoming);
      state_ = State::Operator;
      return i + 1;
    }
    // A sign: one only, and only "+" or "-".
    if (state_ == State::Sign || (c != '-' && c != '+')) return Fail(i, "Operand expected");
    if (c == '-') stack_.Push(ItemOf(OpCode::Negate));
    state_ = State::Sign;
    return i + 1;
  }

  std::size_t Number(std::size_t first) {
    if (state_ == State::Operand) return Fail(first, "Operator expected");
    std::size_t end = first;
    bool decimal = false;
    for (; end < text_.size(); ++end) {
      const auto c = static_cast<unsigned char>(text_[end]);
      if (IsDecimalSign(c)) {
        if (decimal) return Fail(end, "Operand contains multiple decimal points");
        decimal = true;
      } else if (!IsDigit(c)) {
        break;
      }
    }
    const std::string_view number = text_.substr(first, end - first);
    if (number == "." || number == ",") return Fail(first, "Invalid operand");
    if (state_ == State::Function) return Fail(first, "Open parenthesis expected");
    postfix_.append(number);
    postfix_ += ' ';
    state_ = State::Operand;
    return end;
  }

  std::size_t Name(std::size_t first) {
    std::size_t end = first;
    while (end < text_.size() && IsIdentChar(static_cast<unsigned char>(text_[end]))) ++end;
    if (state_ == State::Operand) return Fail(first, "Operator expected");
    const std::string_view name = text_.substr(first, end - first);
    std::string upper(name);
    for (char& c : upper) c = Upper(static_cast<unsigned char>(c));
    if (const auto function = FindFunction(upper)) {
      stack_.Push(ItemOf(*function));
      state_ = State::Function;
    } else if (FindVariable(upper)) {
      postfix_ += upper;
      postfix_ += upper;
      postfix_ += ' ';
      state_ = State::Operand;
    } else {
      return Fail(first, "Undefined symbol : '" + std::string(name) + "'");
    }
    return end;
  }

  // Errors at the end are reported at the last character: a text that fails
  // here holds at least one.
  void Finish() {
    if (state_ == State::Operator || state_ == State::Sign || state_ == State::Function) {
      Fail(text_.size() - 1, "Operand expected");
    } else if (depth_ > 0) {
      Fail(text_.size() - 1, "Closing parenthesis expected");
    } else {
      while (stack_.StackSize() > 0) Append(stack_.Pop());
    }
  }

  void Append(StackItem item) {
    postfix_.append(TokenText(item));
    postfix_ += ' ';
  }

  // Records the error at index (reported 1-based) and ends the scan.
  std::size_t Fail(std::size_t index, std::string text) {
    const std::size_t position = std::min<std::size_t>(index + 1, std::numeric_limits<Long>::max());
    error_ = SyntaxError{static_cast<Long>(position), std::move(text)};
    return text_.size();
  }

  std::string_view text_;
  std::string& postfix_;
  ValueStack<StackItem> stack_;
  State state_ = State::Start;
  std::size_t depth_ = 0;
  std::optional<SyntaxError> error_;
};

}  // namespace

std::optional<SyntaxError> ParseInfix(std::string_view expression, std::string& postfix) {
  return InfixScanner(expression, postfix).Run();
}

}  // namespace qv
