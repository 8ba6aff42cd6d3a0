#include <wx/debug.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

// A wx assert must fail the running test instead of opening a modal dialog,
// which would hang the suite under Xvfb.
TEST(AssertHandlerTest, WxAssertFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(wxFAIL_MSG("probe assert"), "probe assert");
}

}  // namespace
