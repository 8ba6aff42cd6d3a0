// Number text: the routines that clean the texts of the data panel's boxes and
// sheet cells before they are read or written into a record, and the byte copy
// handed to the font calls. All texts are Windows-1252 byte strings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Cleans a real-number text. Consumes text: it is empty on return (pass a copy
// to keep it). Each of "-1234567890Ee." is appended to result, a blank is
// skipped and "," is appended as "."; any other character ends the walk with
// false, result keeping what was built so far. An empty text or a single blank
// gives "0". The number's syntax is not checked. Never throws.
bool ParseRealText(std::string& text, std::string& result);

// Cleans a whole-number text (the counts). Consumes text like ParseRealText.
// The accepted characters are the same, but a blank ends the walk with false,
// and an empty text gives false with an empty result. Never throws.
bool ParseIntText(std::string& text, std::string& result);

// Cleans a number text for a record: blanks removed, "," made ".", every
// character of "-1234567890.+*/^()" and every letter kept. Returns "" when the
// text holds any other character. Consumes text like ParseRealText.
std::string NormalizeNumText(std::string& text);
// The same on a copy, for callers that keep their text.
std::string NormalizedNumText(std::string text);

// How a sheet cell's text reads as a number of the data set.
enum class CellNumber {
  Number,      // the text ParseRealText takes whole, its leading number finite
  NotANumber,  // a character ParseRealText refuses ("NaN", "Inf", "1#")
  OutOfRange,  // a number too large for a double ("1e999")
};
// The cell text as the data set's checks and loading read it: cleaned by
// ParseRealText, its number read by the shared leading-number reader (Val).
// The checks of the panel, the document and the import all use it, so that a
// cell one accepts the others accept too.
CellNumber ReadCellNumber(std::string text);

// The number of a count box (rows, points) as everything that uses the count
// takes it: the text's leading number rounded to the nearest whole number,
// halves to even. Checking and loading both read counts through this, so the
// rows that are checked are the rows that are loaded. A non-finite number
// stays as it is.
double CountValue(std::string_view text);

// Copies the text's bytes into bytes and ends them with 0. An empty text writes
// nothing. bytes grows when it holds fewer than length + 1 bytes.
void StrToAnsiBytes(std::vector<std::uint8_t>& bytes, const std::string& text);

}  // namespace qv
