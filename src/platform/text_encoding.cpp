#include "platform/text_encoding.h"

#include <array>
#include <cstdint>

namespace qv {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the unassigned ones.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

char32_t Cp1252CodePoint(unsigned char code) {
  return code >= 0x80 && code <= 0x9F ? kHigh[code - 0x80] : code;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char b : text) {
    const char32_t c = Cp1252CodePoint(b);
    AppendUtf8(out, c != 0 || b == 0 ? c : 0xFFFD);
  }
  return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    char32_t c = 0;
    int extra = 0;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xE0) == 0xC0) {
      c = b & 0x1F;
      extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
      c = b & 0x0F;
      extra = 2;
    } else if ((b & 0xF8) == 0xF0) {
      c = b & 0x07;
      extra = 3;
    } else
      return std::nullopt;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= text.size()) return std::nullopt;
      const auto cont = static_cast<unsigned char>(text[i + k]);
      if ((cont & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (cont & 0x3F);
    }
    i += 1 + extra;
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out += static_cast<char>(c);
      continue;
    }
    bool found = false;
    for (std::size_t k = 0; k < kHigh.size(); ++k) {
      if (kHigh[k] != 0 && kHigh[k] == c) {
        out += static_cast<char>(0x80 + k);
        found = true;
        break;
      }
    }
    if (!found) return std::nullopt;
  }
  return out;
}

}  // namespace qv
