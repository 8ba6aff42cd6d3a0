// Runtime semantics shared by every subsystem: whole-number conversion, the
// leading-number reader, Int and Fix, the shared Double formatter, and the one
// error type that carries the runtime's error number.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qv {

// The program's whole-number type: 32 bits, as stored in documents and records.
using Long = std::int32_t;

// Error Numbers
// The numbers are those that the program's messages and records rely on.
enum ErrorNumber : int {
  kInvalidProcedureCall = 5,
  kOverflow = 6,
  kSubscriptOutOfRange = 9,
  kDivisionByZero = 11,
  kTypeMismatch = 13,
  kDuplicateKey = 457,
};

// The runtime error: a number from ErrorNumber and a description.
class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(int number);
  RuntimeError(int number, const std::string& detail);
  int Number() const { return number_; }

 private:
  int number_;
};

// The standard description of an error number ("Subscript out of range", ...).
std::string ErrorDescription(int number);

// Conversion
// Rounds half to even (2.5 gives 2, 3.5 gives 4). Throws RuntimeError(kOverflow)
// for NaN or a value outside the Long range.
Long CLng(double value);
// Rounds half to even like CLng, but clamps to the Long range and maps NaN to 0.
// For readers that must never fail on a hostile number.
Long SaturateLong(double value);
// Largest whole number not above value (floor).
double Int(double value);
// value with its fraction dropped (truncation toward zero).
double Fix(double value);

// Text
// The leading-number reader: skips leading blanks and tabs, then reads an
// optional sign, digits, "." as the only decimal sign and an optional exponent
// (E, e, D or d). Text with no number gives 0. A number too large for a Double
// gives +/-infinity, which callers that need a finite value must refuse.
double Val(std::string_view text);
// The shared Double formatter: short form with at most 15 significant digits,
// no trailing zeros, "." as decimal sign whatever the locale ("0.5", "100",
// "1E+20", "-2.5E-07"). Negative zero, NaN and infinities are written "0".
std::string FormatDouble(double value);
// Decimal text of a whole number with no leading blank (the collections' keys).
std::string CStr(long long value);

}  // namespace qv
