#include "platform/message_text.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

struct InnerCase {
  const char* sentence;
  const char* inner;
};

class InnerSentenceTest : public testing::TestWithParam<InnerCase> {};

TEST_P(InnerSentenceTest, LosesItsFullStopAndCapital) {
  EXPECT_EQ(InnerSentence(GetParam().sentence), GetParam().inner);
}

INSTANTIATE_TEST_SUITE_P(Sentences, InnerSentenceTest,
                         testing::Values(InnerCase{"The graph record holds more than 50 slices.",
                                                   "the graph record holds more than 50 slices"},
                                         InnerCase{"The number of Rows X must larger than 0.",
                                                   "the number of Rows X must larger than 0"},
                                         InnerCase{"Illegal data exist..", "illegal data exist"},
                                         InnerCase{"already a part", "already a part"},
                                         // Names and abbreviations keep their capitals.
                                         InnerCase{"ID 4 is taken.", "ID 4 is taken"},
                                         InnerCase{"X is missing.", "X is missing"},
                                         InnerCase{"GL2 failed", "GL2 failed"}, InnerCase{"", ""},
                                         InnerCase{".", ""}));

}  // namespace
}  // namespace qv
