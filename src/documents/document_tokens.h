// Splitting a document text into tokens, and a cursor that walks them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/record_reader.h"

namespace qv {

// Most tokens a document may hold.
inline constexpr std::size_t kMaxDocumentTokens = 500000;
// Longest token a document may hold: far more than any number needs, and no
// word of a graph's name or an axis title comes near it. Longer ones are
// refused, which also bounds the size of any sound document.
inline constexpr std::size_t kMaxTokenChars = 1000;

// Splits text at every single blank: two blanks in a row give an empty token,
// a trailing blank gives no further token, and the end of the text ends a
// non-empty last token. Returns nullopt when the text holds more than
// maxTokens tokens (the document is refused rather than cut).
inline std::optional<std::vector<std::string>> Tokenize(
    std::string_view text, std::size_t maxTokens = kMaxDocumentTokens) {
  return SplitRecord(text, maxTokens);
}

}  // namespace qv
