// A cursor over the tokens of a record text (documents, the clipboard's graph
// record). Tokens are the pieces between single blanks, so two blanks in a row
// give an empty token. Reading past the last token gives empty tokens, as the
// fixed token array of the document reader does; a reader therefore never
// fails on a short text, it reads zeros and empty texts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime.h"

namespace qv {

// Splits text at every single blank: two blanks in a row give an empty token,
// a trailing blank gives no further token, and the end of the text ends a
// non-empty last token.
std::vector<std::string> SplitRecord(std::string_view text);
// The same, but nullopt when the text holds more than maxTokens tokens (so
// that an oversized text is refused rather than cut, before any token is made).
std::optional<std::vector<std::string>> SplitRecord(std::string_view text, std::size_t maxTokens);

class RecordReader {
 public:
  explicit RecordReader(std::vector<std::string> tokens, std::size_t start = 0)
      : tokens_(std::move(tokens)), next_(start) {}

  // Index of the next token to read.
  std::size_t Position() const { return next_; }
  bool AtEnd() const { return next_ >= tokens_.size(); }
  // The next token without consuming it ("" past the end).
  const std::string& Peek() const;
  // Consumes and returns the next token ("" past the end).
  const std::string& Next();

  // A Long item: the leading number of the token, rounded half to even and
  // clamped to the Long range (a hostile number never throws).
  Long ReadLong();
  // A Double item: the leading number of the token; an infinite value gives 0.
  double ReadDouble();
  // A flag item: true for "1", and for "True" when acceptTrue is set.
  bool ReadFlag(bool acceptTrue);
  // A text item "@text@" that may span several tokens. Returns false, and
  // leaves text unchanged, when the token does not begin with "@" (the token is
  // then not consumed) or when no closing token comes within 100 further
  // tokens (then only the first token is consumed). A lone "@" opens a text
  // that began with a blank.
  bool ReadText(std::string& text);

 private:
  std::vector<std::string> tokens_;
  std::size_t next_;
};

}  // namespace qv
