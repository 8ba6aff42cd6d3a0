#include "documents/document_container.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

// Guards the length field: a text of 65535 bytes or more does not fit the
// 16-bit form and must switch to the marked 32-bit form, not wrap around.
TEST(DocumentContainer, RoundTripsEveryLengthForm) {
  for (const std::size_t length :
       {std::size_t{0}, std::size_t{1}, kClassicTextLimit, kClassicTextLimit + 1,
        std::size_t{70000}, std::size_t{300000}}) {
    std::string text(length, 'x');
    for (std::size_t i = 0; i < length; i += 97) text[i] = static_cast<char>(i % 251);
    const std::string bytes = EncodeContainer(text);
    const bool longForm = length > kClassicTextLimit;
    EXPECT_EQ(bytes.size(), length + (longForm ? 8 : 4)) << length;
    const ContainerText back = DecodeContainer(bytes);
    ASSERT_TRUE(back.ok) << length << ": " << back.problem;
    EXPECT_EQ(back.text, text) << length;
  }
}

// Short documents must stay byte-compatible with the classic layout.
TEST(DocumentContainer, ShortTextKeepsTheClassicBytes) {
  EXPECT_EQ(EncodeContainer("D41 0 "), std::string("\x08\x00\x06\x00"
                                                   "D41 0 ",
                                                   10));
  const std::string longBytes = EncodeContainer(std::string(65535, 'a'));
  EXPECT_EQ(longBytes.substr(0, 8), std::string("\x08\x00\xFF\xFF\xFF\xFF\x00\x00", 8));
}

// An older, longer file overwritten in place keeps its tail; the reader must
// take the stored length and ignore what follows.
TEST(DocumentContainer, IgnoresAStaleTail) {
  const std::string bytes = EncodeContainer("D41 0 ") + "1 2 3 stale tail of a longer document";
  const ContainerText back = DecodeContainer(bytes);
  ASSERT_TRUE(back.ok);
  EXPECT_EQ(back.text, "D41 0 ");
}

TEST(DocumentContainer, EmptyFileIsAnEmptyValue) {
  const ContainerText back = DecodeContainer("");
  EXPECT_TRUE(back.ok);
  EXPECT_EQ(back.text, "");
}

struct BadContainer {
  const char* name;
  std::string bytes;
};

// Damaged files: each must be refused, never read past its end.
TEST(DocumentContainer, RefusesDamagedBytes) {
  const BadContainer cases[] = {
      {"one byte", std::string("\x08", 1)},
      {"cut header", std::string("\x08\x00\x05", 3)},
      {"wrong type", std::string("\x02\x00\x01\x00"
                                 "a",
                                 5)},
      {"text cut short", std::string("\x08\x00\x10\x00"
                                     "D41 ",
                                     8)},
      {"long form cut in its length", std::string("\x08\x00\xFF\xFF\x01\x00", 6)},
      {"long form beyond the file", std::string("\x08\x00\xFF\xFF\xFF\xFF\xFF\xFF"
                                                "abc",
                                                11)},
  };
  for (const auto& c : cases) {
    const ContainerText back = DecodeContainer(c.bytes);
    EXPECT_FALSE(back.ok) << c.name;
    EXPECT_FALSE(back.problem.empty()) << c.name;
  }
}

}  // namespace
}  // namespace qv
