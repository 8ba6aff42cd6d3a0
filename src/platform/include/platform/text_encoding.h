// Documents, records and text data hold Windows-1252 text; the toolkit speaks
// UTF-8. These convert at the user-interface boundary.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The Unicode character of a Windows-1252 code; 0 for the five unassigned
// codes (0x81, 0x8D, 0x8F, 0x90, 0x9D).
char32_t Cp1252CodePoint(unsigned char code);
// Every byte has a character; the five unassigned codes become U+FFFD.
std::string Cp1252ToUtf8(std::string_view text);
// Text with a character that Windows-1252 cannot hold, or with malformed
// UTF-8, gives nullopt: the caller refuses it where it was typed.
std::optional<std::string> Utf8ToCp1252(std::string_view text);

}  // namespace qv
