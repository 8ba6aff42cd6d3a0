#include "platform/wx/wx_printer.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// The picture takes what fits inside the page's margin with its own
// proportions, centred across, at the top.
TEST(WxPrinterTest, PictureFillsThePageWithItsProportionsKept) {
  struct Case {
    double pageWidth, pageHeight;
    int width, height;
    wxRect2DDouble expected;
  };
  const Case cases[] = {
      // A wide picture on an upright page: as wide as the margins let it be.
      {200, 300, 400, 200, {10, 10, 180, 90}},
      // A tall picture on a wide page: as high as the margins let it be.
      {300, 200, 100, 400, {127.5, 10, 45, 180}},
      // The page's own shape fills it but for the margin.
      {400, 200, 38, 18, {10, 10, 380, 180}},
      {200, 300, 0, 10, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const wxRect2DDouble at = WxPrinter::PlaceOnPage(c.pageWidth, c.pageHeight, c.width, c.height);
    EXPECT_DOUBLE_EQ(at.m_x, c.expected.m_x);
    EXPECT_DOUBLE_EQ(at.m_y, c.expected.m_y);
    EXPECT_DOUBLE_EQ(at.m_width, c.expected.m_width);
    EXPECT_DOUBLE_EQ(at.m_height, c.expected.m_height);
  }
}

}  // namespace
}  // namespace qv
