// The scan that checks an infix expression and writes its postfix text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/runtime.h"

namespace qv {

struct SyntaxError {
  // 1-based position of the offending character; the expression's length for
  // an error found at its end.
  Long position = 0;
  std::string text;
};

// Appends the postfix tokens of expression, each followed by one blank, to
// postfix. Returns the first syntax error, if any; the tokens appended before
// it stay. Never throws but for allocation.
std::optional<SyntaxError> ParseInfix(std::string_view expression, std::string& postfix);

}  // namespace qv
