#include "platform/message_text.h"

namespace qv {

namespace {

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

}  // namespace

std::string InnerSentence(std::string_view sentence) {
  std::string text(sentence);
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
  if (text.size() >= 2 && IsUpper(text[0]) && IsLower(text[1])) {
    text[0] = static_cast<char>(text[0] - 'A' + 'a');
  }
  return text;
}

}  // namespace qv
