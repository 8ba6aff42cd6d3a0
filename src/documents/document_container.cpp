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

ContainerHead ReadContainerHead(std::string_view bytes) {
  ContainerHead head;
  if (bytes.size() < 4) return head;
  head.complete = true;
  if (GetU16(bytes, 0) != kStringValueType) {
    head.problem = "the file holds no document text";
    return head;
  }
  head.textStart = 4;
  head.textLength = GetU16(bytes, 2);
  if (head.textLength == kLongFormMark) {
    if (bytes.size() < 8) return ContainerHead{};
    head.textLength = GetU16(bytes, 4) | (static_cast<std::uint64_t>(GetU16(bytes, 6)) << 16);
    head.textStart = 8;
  }
  return head;
}

namespace {

// The checks of DecodeContainer; ok with an empty text where the text lies
// in bytes.
ContainerText CheckContainer(std::string_view bytes, const ContainerHead& head) {
  ContainerText r;
  if (!head.complete) {
    r = Refused("the file is too short");
    r.cutShort = true;
  } else if (!head.problem.empty()) {
    r = Refused(head.problem);
  } else if (head.textLength > bytes.size() - head.textStart) {
    r = Refused("the file is cut short");
    r.cutShort = true;
  } else {
    r.ok = true;
  }
  return r;
}

}  // namespace

ContainerText DecodeContainer(std::string_view bytes) {
  if (bytes.empty()) return DecodeContainerInPlace(std::string());
  const ContainerHead head = ReadContainerHead(bytes);
  ContainerText r = CheckContainer(bytes, head);
  if (r.ok) r.text.assign(bytes.substr(head.textStart, static_cast<std::size_t>(head.textLength)));
  return r;
}

ContainerText DecodeContainerInPlace(std::string&& bytes) {
  ContainerText r;
  if (bytes.empty()) {
    r.ok = true;
    return r;
  }
  const ContainerHead head = ReadContainerHead(bytes);
  r = CheckContainer(bytes, head);
  if (!r.ok) return r;
  bytes.resize(head.textStart + static_cast<std::size_t>(head.textLength));
  bytes.erase(0, head.textStart);
  r.text = std::move(bytes);
  return r;
}

}  // namespace qv
