// The binary container of a document: one string value with a type tag and
// a length, then the text. Short texts keep the classic layout byte for byte;
// longer ones mark the 16-bit length 0xFFFF and carry a 32-bit length.
//
//   offset 0  u16 LE  8 (a string value)
//   offset 2  u16 LE  L, or 0xFFFF for the long form
//   long form only:   offset 4  u32 LE  L
//   then              L bytes of Windows-1252 text
//
// Bytes after the text (the tail of an older, longer file) are ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// Largest text the classic 16-bit length holds; 0xFFFF marks the long form.
inline constexpr std::size_t kClassicTextLimit = 65534;
// Type tag of a string value.
inline constexpr std::uint16_t kStringValueType = 8;

// The container bytes for text. Throws std::length_error for a text that not
// even the 32-bit length can hold.
std::string EncodeContainer(std::string_view text);

// Result of reading a container.
struct ContainerText {
  bool ok = false;        // false: the bytes are no sound container
  std::string text;       // the stored text when ok ("" for an empty file)
  std::string problem;    // why the bytes were refused, for the message
  bool cutShort = false;  // the bytes end before the text does (or there are none)
};

// Reads the text of a container. An empty byte string is an empty value (ok,
// text ""). A wrong type tag, a length beyond the bytes or a cut header is
// refused with ok false.
ContainerText DecodeContainer(std::string_view bytes);
// The same, taking the bytes' storage for the text (no second copy of a
// large document).
ContainerText DecodeContainerInPlace(std::string&& bytes);

// Where the text of a container lies, as its first bytes tell.
struct ContainerHead {
  bool complete = false;  // false: too few bytes to tell yet
  std::string problem;    // set when the bytes are no container
  std::size_t textStart = 0;
  std::uint64_t textLength = 0;
};

// Reads the head of a container from the first bytes of a file.
ContainerHead ReadContainerHead(std::string_view bytes);

}  // namespace qv
