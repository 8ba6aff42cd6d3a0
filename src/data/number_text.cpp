#include "data/number_text.h"

#include <cmath>
#include <string_view>

#include "platform/runtime.h"

namespace qv {
namespace {

constexpr std::string_view kNumberChars = "-1234567890Ee.";
constexpr std::string_view kFormulaChars = "-1234567890.+*/^()";

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The shared walk of the two parsers; blankAllowed tells them apart.
bool WalkNumberText(std::string& text, std::string& result, bool blankAllowed) {
  result.clear();
  const std::string source = std::move(text);
  text.clear();
  for (char c : source) {
    if (kNumberChars.find(c) != std::string_view::npos) {
      result.push_back(c);
    } else if (c == ',') {
      result.push_back('.');
    } else if (c == ' ' && blankAllowed) {
      continue;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

bool ParseRealText(std::string& text, std::string& result) {
  // An untouched box reads as zero: empty, or the single blank some editors leave.
  const bool blankOrEmpty = text.empty() || text == " ";
  if (!WalkNumberText(text, result, true)) return false;
  if (blankOrEmpty) result.assign(1, '0');
  return true;
}

bool ParseIntText(std::string& text, std::string& result) {
  if (text.empty()) {
    result.clear();
    return false;
  }
  return WalkNumberText(text, result, false);
}

std::string NormalizeNumText(std::string& text) {
  const std::string source = std::move(text);
  text.clear();
  std::string result;
  result.reserve(source.size());
  for (char c : source) {
    if (kFormulaChars.find(c) != std::string_view::npos || IsLetter(c)) {
      result.push_back(c);
    } else if (c == ',') {
      result.push_back('.');
    } else if (c != ' ') {
      return "";
    }
  }
  return result;
}

std::string NormalizedNumText(std::string text) { return NormalizeNumText(text); }

CellNumber ReadCellNumber(std::string text) {
  std::string cleaned;
  if (!ParseRealText(text, cleaned)) return CellNumber::NotANumber;
  return std::isfinite(Val(cleaned)) ? CellNumber::Number : CellNumber::OutOfRange;
}

double CountValue(std::string_view text) { return std::nearbyint(Val(text)); }

void StrToAnsiBytes(std::vector<std::uint8_t>& bytes, const std::string& text) {
  if (text.empty()) return;
  if (bytes.size() < text.size() + 1) bytes.resize(text.size() + 1);
  for (std::size_t k = 0; k < text.size(); ++k) bytes[k] = static_cast<std::uint8_t>(text[k]);
  bytes[text.size()] = 0;
}

}  // namespace qv
