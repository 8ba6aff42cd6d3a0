// The save dialogs' names made whole: the extension of the chosen filter is
// added to a name typed without one.
#include "platform/file_dialog.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

struct ExtensionCase {
  const char* name;
  const char* filter;
  int filterIndex;
  const char* extension;
};

class FilterExtensionTest : public testing::TestWithParam<ExtensionCase> {};

TEST_P(FilterExtensionTest, NamesThePatternsExtension) {
  const ExtensionCase& c = GetParam();
  EXPECT_EQ(FilterExtension(c.filter, c.filterIndex), c.extension);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FilterExtensionTest,
    testing::Values(ExtensionCase{"Text", "(*.txt)|*.txt", 1, ".txt"},
                    ExtensionCase{"Document", "(*.qrv)|*.qrv", 1, ".qrv"},
                    ExtensionCase{"SaveAsFirst", "*.qrv|*.qrv|*.bmp|*.bmp", 1, ".qrv"},
                    ExtensionCase{"SaveAsSecond", "*.qrv|*.qrv|*.bmp|*.bmp", 2, ".bmp"},
                    ExtensionCase{"FirstOfSeveralPatterns", "Pictures|*.jpg;*.jpeg", 1, ".jpg"},
                    ExtensionCase{"AnyFile", "All files|*.*", 1, ""},
                    ExtensionCase{"Star", "All files|*", 1, ""},
                    ExtensionCase{"IndexPastTheFilter", "(*.txt)|*.txt", 2, ""},
                    ExtensionCase{"IndexZero", "(*.txt)|*.txt", 0, ""},
                    ExtensionCase{"NoPattern", "(*.txt)", 1, ""},
                    ExtensionCase{"EmptyFilter", "", 1, ""}),
    [](const testing::TestParamInfo<ExtensionCase>& info) { return info.param.name; });

struct NameCase {
  const char* name;
  const char* typed;
  const char* filter;
  int filterIndex;
  const char* saved;
};

class WithFilterExtensionTest : public testing::TestWithParam<NameCase> {};

// Regression: "out1" typed under (*.txt) was saved as "out1", and the same
// for documents and pictures.
TEST_P(WithFilterExtensionTest, AddsTheExtensionOnlyToANameWithout) {
  const NameCase& c = GetParam();
  EXPECT_EQ(WithFilterExtension(c.typed, c.filter, c.filterIndex), c.saved);
}

constexpr const char* kText = "(*.txt)|*.txt";
constexpr const char* kSaveAs = "*.qrv|*.qrv|*.bmp|*.bmp";

INSTANTIATE_TEST_SUITE_P(
    Names, WithFilterExtensionTest,
    testing::Values(
        NameCase{"NoExtension", "/home/u/out1", kText, 1, "/home/u/out1.txt"},
        NameCase{"NoExtensionDocument", "/home/u/graphs", "(*.qrv)|*.qrv", 1, "/home/u/graphs.qrv"},
        NameCase{"NoExtensionPicture", "/home/u/shot", kSaveAs, 2, "/home/u/shot.bmp"},
        NameCase{"MatchingExtension", "/home/u/out1.txt", kText, 1, "/home/u/out1.txt"},
        NameCase{"MatchingInCapitals", "/home/u/OUT1.TXT", kText, 1, "/home/u/OUT1.TXT"},
        NameCase{"OtherExtension", "/home/u/out1.csv", kText, 1, "/home/u/out1.csv"},
        NameCase{"PictureNamedAsDocument", "/home/u/shot.qrv", kSaveAs, 2, "/home/u/shot.qrv"},
        NameCase{"NameWithDots", "/home/u/run.2.final", kText, 1, "/home/u/run.2.final"},
        NameCase{"NameEndingInADot", "/home/u/out1.", kText, 1, "/home/u/out1.txt"},
        NameCase{"HiddenName", "/home/u/.out1", kText, 1, "/home/u/.out1.txt"},
        NameCase{"DottedFolder", "/home/u/v1.2/out1", kText, 1, "/home/u/v1.2/out1.txt"},
        NameCase{"DottedFolderAndName", "/home/u/v1.2/out1.txt", kText, 1, "/home/u/v1.2/out1.txt"},
        NameCase{"BareName", "out1", kText, 1, "out1.txt"},
        NameCase{"AnyFileFilter", "/home/u/out1", "All files|*.*", 1, "/home/u/out1"},
        NameCase{"Cancelled", "", kText, 1, ""}),
    [](const testing::TestParamInfo<NameCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qv
