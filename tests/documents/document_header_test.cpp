#include "documents/document_header.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

struct HeaderCase {
  const char* token;
  int version;
  Long viewCode;
};

TEST(DocumentHeader, ReadsTheSeventeenHeaders) {
  const HeaderCase cases[] = {
      {"D1", 0, 3},  {"D2", 0, 7},   {"D11", 1, 3}, {"D12", 1, 7}, {"D13", 1, 11}, {"D21", 2, 3},
      {"D22", 2, 7}, {"D23", 2, 11}, {"D31", 3, 3}, {"D32", 3, 7}, {"D33", 3, 11}, {"D41", 4, 3},
      {"D42", 4, 7}, {"D43", 4, 11}, {"D51", 5, 3}, {"D52", 5, 7}, {"D53", 5, 11},
  };
  for (const auto& c : cases) {
    const auto header = ParseDocumentHeader(c.token);
    ASSERT_TRUE(header) << c.token;
    EXPECT_EQ(header->version, c.version) << c.token;
    EXPECT_EQ(header->viewCode, c.viewCode) << c.token;
  }
}

TEST(DocumentHeader, RefusesEveryOtherToken) {
  for (const char* token : {"", "D", "D3", "D0", "D10", "D14", "D61", "D54", "D01", "d41", "D41 ",
                            "D411", "X41", "41"}) {
    EXPECT_FALSE(ParseDocumentHeader(token)) << '"' << token << '"';
  }
}

// Only the three known view kinds in formats 4 and 5 can be written;
// anything else would give a document without a header that could never be
// opened again, or one whose records its header misnames.
TEST(DocumentHeader, WritesOnlyTheCurrentHeaders) {
  EXPECT_EQ(HeaderToken(3, 4), "D41");
  EXPECT_EQ(HeaderToken(7, 4), "D42");
  EXPECT_EQ(HeaderToken(11, 4), "D43");
  EXPECT_EQ(HeaderToken(3, 5), "D51");
  EXPECT_EQ(HeaderToken(7, 5), "D52");
  EXPECT_EQ(HeaderToken(11, 5), "D53");
  for (const Long code : {0, 1, 4, 10, 12, -3}) EXPECT_FALSE(HeaderToken(code, 4)) << code;
  for (const int version : {0, 1, 3, 6}) EXPECT_FALSE(HeaderToken(3, version)) << version;
}

}  // namespace
}  // namespace qv
