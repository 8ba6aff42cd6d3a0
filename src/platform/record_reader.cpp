#include "platform/record_reader.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv {

namespace {
const std::string kEmpty;
constexpr int kMaxTextTokens = 100;
}  // namespace

std::optional<std::vector<std::string>> SplitRecord(std::string_view text, std::size_t maxTokens) {
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

std::vector<std::string> SplitRecord(std::string_view text) {
  return *SplitRecord(text, std::numeric_limits<std::size_t>::max());
}

const std::string& RecordReader::Peek() const {
  return next_ < tokens_.size() ? tokens_[next_] : kEmpty;
}

const std::string& RecordReader::Next() {
  const std::string& token = Peek();
  ++next_;
  return token;
}

Long RecordReader::ReadLong() { return SaturateLong(Val(Next())); }

double RecordReader::ReadDouble() {
  const double value = Val(Next());
  return std::isfinite(value) ? value : 0.0;
}

bool RecordReader::ReadFlag(bool acceptTrue) {
  const std::string& token = Next();
  return token == "1" || (acceptTrue && token == "True");
}

bool RecordReader::ReadText(std::string& text) {
  const std::string& first = Peek();
  if (first.empty() || first.front() != '@') return false;
  ++next_;
  if (first.size() >= 2 && first.back() == '@') {
    text = first.substr(1, first.size() - 2);
    return true;
  }
  // Either "@word" or a lone "@" (a text that began with a blank): join the
  // following tokens up to the first one that ends with "@".
  std::string joined = first.substr(1);
  const std::size_t afterFirst = next_;
  for (int iT = 0; iT < kMaxTextTokens && next_ < tokens_.size(); ++iT) {
    const std::string& token = tokens_[next_++];
    joined += ' ';
    if (!token.empty() && token.back() == '@') {
      joined.append(token, 0, token.size() - 1);
      text = joined;
      return true;
    }
    joined += token;
  }
  next_ = afterFirst;
  return false;
}

}  // namespace qv
