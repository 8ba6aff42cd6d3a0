#include "path_text.h"

#include <optional>

#include "platform/text_encoding.h"

namespace qv {

// The path as a message names it: in quotes, in the messages' Windows-1252;
// a character that it cannot hold shows as "?".
std::string QuotedPath(const std::string& path) {
  std::string text = "\"";
  for (std::size_t at = 0; at < path.size();) {
    const auto lead = static_cast<unsigned char>(path[at]);
    std::size_t length = lead >= 0xF8   ? 1
                         : lead >= 0xF0 ? 4
                         : lead >= 0xE0 ? 3
                         : lead >= 0xC0 ? 2
                                        : 1;
    // A sequence cut short is one byte that shows as "?".
    for (std::size_t next = 1; next < length; ++next) {
      if (at + next >= path.size() || (static_cast<unsigned char>(path[at + next]) & 0xC0) != 0x80)
        length = 1;
    }
    const std::optional<std::string> character =
        Utf8ToCp1252(std::string_view(path).substr(at, length));
    text += character ? *character : "?";
    at += length;
  }
  return text + "\"";
}

}  // namespace qv
