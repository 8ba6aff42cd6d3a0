// Where a Demo item looks for its sample: the samples folder beside the
// program, whatever the program's folder ends with.
#include "window/demo_samples.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

struct PathCase {
  const char* programFolder;
  const char* path;
};

class DemoSamplePathTest : public testing::TestWithParam<PathCase> {};

TEST_P(DemoSamplePathTest, PutsOneSeparatorBetweenTheParts) {
  EXPECT_EQ(DemoSamplePath(GetParam().programFolder, "sphere.qrv"), GetParam().path);
}

const PathCase kPaths[] = {
    {"/opt/quorvel/bin", "/opt/quorvel/bin/samples/sphere.qrv"},
    {"/opt/quorvel/bin/", "/opt/quorvel/bin/samples/sphere.qrv"},
    // A program at the root gives no doubled separator.
    {"/", "/samples/sphere.qrv"},
    // Without a known folder: beside the working folder.
    {"", "samples/sphere.qrv"},
    {"folder with blanks", "folder with blanks/samples/sphere.qrv"},
};

INSTANTIATE_TEST_SUITE_P(Folders, DemoSamplePathTest, testing::ValuesIn(kPaths));

}  // namespace
}  // namespace qv
