#include "document_tokens.h"

#include <algorithm>

namespace qv {

std::optional<std::vector<std::string>> Tokenize(std::string_view text, std::size_t maxTokens) {
  // Every blank ends one token, and the end of the text ends one more unless
  // a blank just did. Counting first refuses an oversized text before any
  // token is made, and lets the array be allocated once: a full document has
  // some 100000 tokens, and growing the array step by step cost more than
  // the splitting.
  const auto blanks = static_cast<std::size_t>(std::count(text.begin(), text.end(), ' '));
  const std::size_t count = blanks + (text.empty() || text.back() == ' ' ? 0 : 1);
  if (count > maxTokens) return std::nullopt;
  std::vector<std::string> tokens;
  tokens.reserve(count);
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t blank = text.find(' ', start);
    if (blank == std::string_view::npos) {
      tokens.emplace_back(text.substr(start));
      break;
    }
    tokens.emplace_back(text.substr(start, blank - start));
    start = blank + 1;
  }
  return tokens;
}

}  // namespace qv
