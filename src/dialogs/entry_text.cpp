#include "entry_text.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "data/number_text.h"

namespace qv {

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

std::optional<double> ReadRealBox(const std::string& text, std::string* cleaned) {
  std::string source = text;
  std::string result;
  const bool ok = ParseRealText(source, result);
  if (cleaned != nullptr) *cleaned = result;
  if (!ok) return std::nullopt;
  const double value = Val(result);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<float> ReadSingleLeading(const std::string& text) {
  const double value = Val(text);
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
    return std::nullopt;
  return static_cast<float>(value);
}

std::optional<double> ReadStrictNumber(const std::string& text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return std::nullopt;
  const std::size_t end = text.find_last_not_of(" \t") + 1;
  const char* first = text.data() + begin;
  const char* last = text.data() + end;
  if (*first == '+') ++first;
  // Only digits, a point and an exponent: no "inf", "nan" or hex forms.
  for (const char* c = first; c != last; ++c) {
    const bool allowed =
        (*c >= '0' && *c <= '9') || *c == '.' || *c == 'e' || *c == 'E' || *c == '-' || *c == '+';
    if (!allowed) return std::nullopt;
  }
  double value = 0.0;
  const std::from_chars_result read = std::from_chars(first, last, value);
  if (read.ec != std::errc() || read.ptr != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<Long> ReadWholeLeading(const std::string& text) {
  const double value = CountValue(text);
  if (!std::isfinite(value) || value < std::numeric_limits<Long>::min() ||
      value > std::numeric_limits<Long>::max())
    return std::nullopt;
  return static_cast<Long>(value);
}

std::string FormatSingle(float value) {
  char buffer[32];
  const std::to_chars_result written = std::to_chars(
      buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::general, 7);
  double shortened = 0.0;
  std::from_chars(buffer, written.ptr, shortened);
  return FormatDouble(shortened);
}

}  // namespace qv

namespace qv {

double AutoContourStep(double range) {
  if (!std::isfinite(range) || range <= 0.0) return 1.0;
  const double rough = range / 10.0;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (double factor : {1.0, 2.0, 5.0}) {
    if (rough <= factor * power * 1.5) return factor * power;
  }
  return 10.0 * power;
}

std::optional<double> ReadContourInterval(const std::string& text, double automatic) {
  if (IsBlank(text)) return automatic;
  const std::optional<double> value = ReadRealBox(text);
  if (!value || *value <= 0.0) return std::nullopt;
  return value;
}

}  // namespace qv
