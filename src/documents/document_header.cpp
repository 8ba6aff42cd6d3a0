#include "documents/document_header.h"

namespace qv {
namespace {

std::optional<Long> ViewOfDigit(char digit) {
  switch (digit) {
    case '1': return kViewCode3D;
    case '2': return kViewCode2D;
    case '3': return kViewCode4D;
    default: return std::nullopt;
  }
}

}  // namespace

std::optional<DocumentHeader> ParseDocumentHeader(std::string_view token) {
  if (token.size() == 2 && token[0] == 'D' && (token[1] == '1' || token[1] == '2')) {
    return DocumentHeader{0, *ViewOfDigit(token[1])};
  }
  if (token.size() != 3 || token[0] != 'D' || token[1] < '1' || token[1] > '5') return std::nullopt;
  const auto view = ViewOfDigit(token[2]);
  if (!view) return std::nullopt;
  return DocumentHeader{token[1] - '0', *view};
}

std::optional<std::string> HeaderToken(Long viewCode, int version) {
  if (version != 4 && version != 5) return std::nullopt;
  const std::string start = "D" + std::to_string(version);
  switch (viewCode) {
    case kViewCode3D: return start + "1";
    case kViewCode2D: return start + "2";
    case kViewCode4D: return start + "3";
    default: return std::nullopt;
  }
}

}  // namespace qv
