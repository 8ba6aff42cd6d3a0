#include "document_tokens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

struct SplitCase {
  const char* text;
  std::vector<std::string> tokens;
};

// The split must keep empty tokens between two blanks (an empty cell or a
// blank inside a title) and add none for the trailing blank.
TEST(Tokenize, SplitsAtEverySingleBlank) {
  const SplitCase cases[] = {
      {"", {}},
      {" ", {""}},
      {"D41", {"D41"}},
      {"D41 ", {"D41"}},
      {"D41 0", {"D41", "0"}},
      {"a  b ", {"a", "", "b"}},
      {"@two  blanks@ 1 ", {"@two", "", "blanks@", "1"}},
      {"  x", {"", "", "x"}},
  };
  for (const auto& c : cases) {
    const auto tokens = Tokenize(c.text);
    ASSERT_TRUE(tokens) << c.text;
    EXPECT_EQ(*tokens, c.tokens) << '"' << c.text << '"';
  }
}

// A text of more tokens than allowed is refused, not cut: a cut document
// would read as a different one.
TEST(Tokenize, RefusesMoreTokensThanTheLimit) {
  EXPECT_TRUE(Tokenize("1 2 3 ", 3));
  EXPECT_TRUE(Tokenize("1 2 3", 3));
  EXPECT_FALSE(Tokenize("1 2 3 4", 3));
  EXPECT_FALSE(Tokenize("1 2 3  ", 3));
}

}  // namespace
}  // namespace qv
