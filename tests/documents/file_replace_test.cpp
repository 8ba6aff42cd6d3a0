#include "documents/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "temp_folder.h"

namespace qv {
namespace {

// Writing in place without truncating left the tail of a longer file; the
// replacement must leave exactly the new bytes.
TEST(ReplaceFile, ShorterContentLeavesNoStaleTail) {
  test::TempFolder folder;
  const std::string path = folder.File("doc.qrv");
  ASSERT_EQ(ReplaceFile(path, std::string(1000, 'L')), "");
  ASSERT_EQ(ReplaceFile(path, "short"), "");
  EXPECT_EQ(folder.Read("doc.qrv"), "short");
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(ReplaceFile, KeepsTheModeOfAnExistingFile) {
  test::TempFolder folder;
  const std::string path = folder.File("doc.qrv");
  ASSERT_EQ(ReplaceFile(path, "one"), "");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_EQ(ReplaceFile(path, "two"), "");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// A failed save must be reported, and must not touch what was there.
TEST(ReplaceFile, ReportsFailuresAndKeepsTheOldFile) {
  test::TempFolder folder;
  EXPECT_NE(ReplaceFile(folder.File("missing/doc.qrv"), "x"), "");
  EXPECT_NE(ReplaceFile(folder.Path(), "x"), "");
  EXPECT_NE(ReplaceFile("", "x"), "");
  const std::string path = folder.File("doc.qrv");
  ASSERT_EQ(ReplaceFile(path, "old"), "");
  if (::geteuid() != 0) {
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0500), 0);
    EXPECT_NE(ReplaceFile(path, "new"), "");
    ::chmod(folder.Path().c_str(), 0700);
    EXPECT_EQ(folder.Read("doc.qrv"), "old");
  }
}

TEST(ReadWholeFile, ReadsBytesAndRefusesWhatItCannotRead) {
  test::TempFolder folder;
  const std::string bytes("a\0b\xFF", 4);
  ASSERT_EQ(ReplaceFile(folder.File("f"), bytes), "");
  EXPECT_EQ(ReadWholeFile(folder.File("f")), bytes);
  EXPECT_FALSE(ReadWholeFile(folder.File("none")));
  EXPECT_FALSE(ReadWholeFile(folder.File("f"), 3));
}

}  // namespace
}  // namespace qv
