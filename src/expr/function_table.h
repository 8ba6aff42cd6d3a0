// The names of the evaluator's functions and variables as the postfix text
// spells them, shared by the parser that writes them and the compiler that
// reads them back.
#pragma once

#include <optional>
#include <string_view>

#include "expr/postfix_program.h"

namespace qv {

// The upper-case name of a function (code below kFunctionCount).
std::string_view FunctionName(OpCode code);
// The function of an upper-case name, compared exactly.
std::optional<OpCode> FindFunction(std::string_view upperName);

// Variables in index order; the postfix text doubles the letter ("XX").
inline constexpr std::string_view kVariableLetters = "UVXYARBT";
// The index 0..7 of an upper-case one-letter variable name, if it is one.
std::optional<int> FindVariable(std::string_view upperName);

}  // namespace qv
