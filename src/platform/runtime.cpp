#include "platform/runtime.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace qv {

std::string ErrorDescription(int number) {
  switch (number) {
    case kInvalidProcedureCall: return "Invalid procedure call or argument";
    case kOverflow: return "Overflow";
    case kSubscriptOutOfRange: return "Subscript out of range";
    case kDivisionByZero: return "Division by zero";
    case kTypeMismatch: return "Type mismatch";
    case kDuplicateKey: return "This key is already associated with an element of this collection";
    default: return "Application-defined or object-defined error";
  }
}

RuntimeError::RuntimeError(int number)
    : std::runtime_error(ErrorDescription(number)), number_(number) {}

RuntimeError::RuntimeError(int number, const std::string& detail)
    : std::runtime_error(ErrorDescription(number) + ": " + detail), number_(number) {}

namespace {
constexpr double kLongMin = static_cast<double>(std::numeric_limits<Long>::min());
constexpr double kLongMax = static_cast<double>(std::numeric_limits<Long>::max());
}  // namespace

Long CLng(double value) {
  // nearbyint follows the default rounding mode, round half to even.
  const double rounded = std::nearbyint(value);
  if (std::isnan(rounded) || rounded < kLongMin || rounded > kLongMax) {
    throw RuntimeError(kOverflow, FormatDouble(value));
  }
  return static_cast<Long>(rounded);
}

Long SaturateLong(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);
  if (rounded <= kLongMin) return std::numeric_limits<Long>::min();
  if (rounded >= kLongMax) return std::numeric_limits<Long>::max();
  return static_cast<Long>(rounded);
}

double Int(double value) { return std::floor(value); }

double Fix(double value) { return std::trunc(value); }

double Val(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::string number;
  auto digit = [&](std::size_t k) {
    return k < text.size() && std::isdigit(static_cast<unsigned char>(text[k]));
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
  bool any = false;
  while (digit(i)) {
    number += text[i++];
    any = true;
  }
  if (i < text.size() && text[i] == '.') {
    number += text[i++];
    while (digit(i)) {
      number += text[i++];
      any = true;
    }
  }
  if (!any) return 0.0;
  if (i < text.size() && std::strchr("EeDd", text[i]) != nullptr) {
    std::size_t k = i + 1;
    std::string exponent = "e";
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) exponent += text[k++];
    if (digit(k)) {
      while (digit(k)) exponent += text[k++];
      number += exponent;
    }
  }
  // strtod is locale dependent; the program never changes LC_NUMERIC from "C".
  return std::strtod(number.c_str(), nullptr);
}

std::string FormatDouble(double value) {
  // A non-finite value has no text that reads back; readers treat it as 0.
  if (value == 0.0 || !std::isfinite(value)) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  std::string text = buffer;
  // Drop the trailing zeros of the mantissa, as the short form writes it.
  std::size_t e = text.find('E');
  std::string mantissa = text.substr(0, e);
  std::string exponent = e == std::string::npos ? "" : text.substr(e);
  if (mantissa.find('.') != std::string::npos) {
    while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
    if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
  }
  // Keep the decimal sign a point even if a library changed the C locale.
  for (char& c : mantissa)
    if (c == ',') c = '.';
  return mantissa + exponent;
}

std::string CStr(long long value) { return std::to_string(value); }

}  // namespace qv
