// Reading and writing the numbers of the dialogs' boxes. "." is the decimal
// sign whatever the user's locale, and a number beyond its field's type is
// refused rather than wrapped or made infinite.
#pragma once

#include <optional>
#include <string>

#include "platform/runtime.h"

namespace qv {

// Whether text holds nothing but blanks (or nothing at all).
bool IsBlank(const std::string& text);

// A box cleaned by ParseRealText ("," read as ".", blanks dropped, an empty
// box "0"), then read by its leading number. nullopt when the cleaning
// refuses a character or the number is beyond a Double. cleaned, when given,
// receives the cleaned text even on a refusal of the number.
std::optional<double> ReadRealBox(const std::string& text, std::string* cleaned = nullptr);

// The leading number of text (0 when there is none) as a Single; nullopt
// when it lies beyond the Single range.
std::optional<float> ReadSingleLeading(const std::string& text);

// A text that is one number and nothing else: blanks around it, an optional
// sign, digits with "." as the decimal sign, an optional exponent. nullopt
// for anything else, and beyond a Double.
std::optional<double> ReadStrictNumber(const std::string& text);

// The leading number of text rounded half to even; nullopt when it lies
// beyond the Long range.
std::optional<Long> ReadWholeLeading(const std::string& text);

// A Single as the dialogs show it: at most 7 significant digits, "." as the
// decimal sign.
std::string FormatSingle(float value);

}  // namespace qv

namespace qv {

// A step of 1, 2 or 5 times a power of ten near a tenth of range, for a
// contour interval the user left blank; 1 for a range of 0 or less.
double AutoContourStep(double range);

// A contour interval box: blank takes automatic; otherwise the cleaned
// number, which must be above 0. nullopt for a refused box.
std::optional<double> ReadContourInterval(const std::string& text, double automatic);

}  // namespace qv
