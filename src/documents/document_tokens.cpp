#include "documents/document_tokens.h"

namespace qv {

std::optional<std::vector<std::string>> Tokenize(std::string_view text, std::size_t maxTokens) {
  std::vector<std::string> tokens;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t blank = text.find(' ', start);
    if (tokens.size() == maxTokens) return std::nullopt;
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
