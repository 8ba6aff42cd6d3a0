#include "function_table.h"

#include <array>
#include <cstddef>

namespace qv {
namespace {

constexpr std::array<std::string_view, kFunctionCount> kFunctionNames = {
    "SIN",  "COS",   "LOG",  "EXP",   "ABS",   "ATAN",  "INT",   "RND",   "SQR",    "TAN",
    "SEC",  "CSEC",  "CTAN", "ASIN",  "ACOS",  "ASEC",  "ACSEC", "ACTAN", "SINH",   "COSH",
    "TANH", "CTANH", "SECH", "CSECH", "ASINH", "ACOSH", "ATANH", "ASECH", "ACSECH", "ACTANH"};

}  // namespace

std::string_view FunctionName(OpCode code) {
  return kFunctionNames[static_cast<std::size_t>(code)];
}

std::optional<OpCode> FindFunction(std::string_view upperName) {
  // Every name has three to six letters; the length test skips most compares.
  if (upperName.size() < 3 || upperName.size() > 6) return std::nullopt;
  for (std::size_t i = 0; i < kFunctionNames.size(); ++i) {
    if (kFunctionNames[i] == upperName) return static_cast<OpCode>(i);
  }
  return std::nullopt;
}

std::optional<int> FindVariable(std::string_view upperName) {
  if (upperName.size() != 1) return std::nullopt;
  const std::size_t index = kVariableLetters.find(upperName[0]);
  if (index == std::string_view::npos) return std::nullopt;
  return static_cast<int>(index);
}

}  // namespace qv
