#include "documents/document_container.h"

#include <limits>
#include <stdexcept>

namespace qv {
namespace {

constexpr std::uint16_t kLongFormMark = 0xFFFF;

void PutU16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

std::uint32_t GetU16(std::string_view b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) |
         (static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 1])) << 8);
}

ContainerText Refused(std::string problem) {
  ContainerText r;
  r.problem = std::move(problem);
  return r;
}

}  // namespace

std::string EncodeContainer(std::string_view text) {
  if (text.size() > std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("document text too long");
  }
  std::string out;
  out.reserve(text.size() + 8);
  PutU16(out, kStringValueType);
  const auto length = static_cast<std::uint32_t>(text.size());
  if (text.size() <= kClassicTextLimit) {
    PutU16(out, length);
  } else {
    PutU16(out, kLongFormMark);
    PutU16(out, length & 0xFFFF);
    PutU16(out, length >> 16);
  }
  out.append(text);
  return out;
}

ContainerText DecodeContainer(std::string_view bytes) {
  if (bytes.empty()) {
    ContainerText empty;
    empty.ok = true;
    return empty;
  }
  if (bytes.size() < 4) return Refused("the file is too short");
  if (GetU16(bytes, 0) != kStringValueType) return Refused("the file holds no document text");
  std::size_t start = 4;
  std::uint64_t length = GetU16(bytes, 2);
  if (length == kLongFormMark) {
    if (bytes.size() < 8) return Refused("the file is too short");
    length = GetU16(bytes, 4) | (static_cast<std::uint64_t>(GetU16(bytes, 6)) << 16);
    start = 8;
  }
  if (length > bytes.size() - start) return Refused("the file is cut short");
  ContainerText r;
  r.ok = true;
  r.text.assign(bytes.substr(start, static_cast<std::size_t>(length)));
  return r;
}

}  // namespace qv
