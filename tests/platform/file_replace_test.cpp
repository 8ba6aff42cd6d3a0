// Reading and replacing files: what each kind of target does to a save, the
// permissions and links kept, the temporary files that must never stay, and
// saves killed at random moments.
#include "platform/file_replace.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <optional>
#include <random>
#include <thread>
#include <vector>

#include "support/other_user.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// Files left in the folder's tree whose names are our temporary files'.
std::vector<std::string> StrayFiles(const std::string& folder) {
  std::vector<std::string> stray;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(kTemporaryPrefix) && name.ends_with(kTemporarySuffix))
      stray.push_back(name);
  }
  return stray;
}

struct stat StatusOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st;
}

// A write that stands for a full disk: it takes the first bytes, then fails.
ReplaceOptions FullDisk(bool unnamed) {
  ReplaceOptions options;
  options.unnamedTemporary = unnamed;
  auto left = std::make_shared<std::size_t>(100);
  options.write = [left](int fd, const void* data, std::size_t size) -> ssize_t {
    if (*left == 0) {
      errno = ENOSPC;
      return -1;
    }
    const std::size_t n = std::min(size, *left);
    *left -= n;
    return ::write(fd, data, n);
  };
  return options;
}

constexpr char kOld[] = "the old document";
const std::string kNew(5000, 'N');

struct SaveTarget {
  const char* name;
  // Makes the target in the folder; returns the path the save is given.
  std::string (*make)(const test::TempFolder& folder);
  const char* failure;  // "" when the save must succeed
  // Checks the files afterwards.
  void (*check)(const test::TempFolder& folder);
  bool fullDisk = false;
};

void PrintTo(const SaveTarget& c, std::ostream* os) { *os << c.name; }

std::string OldFile(const test::TempFolder& f, const std::string& name) {
  EXPECT_EQ(ReplaceFile(f.File(name), kOld), "");
  return f.File(name);
}

const std::vector<SaveTarget>& SaveTargets() {
  static const std::vector<SaveTarget> cases{
      {"NewFile", [](const test::TempFolder& f) { return f.File("new.qrv"); }, "",
       [](const test::TempFolder& f) { EXPECT_EQ(f.Read("new.qrv"), kNew); }},
      {"OldFile", [](const test::TempFolder& f) { return OldFile(f, "doc.qrv"); }, "",
       [](const test::TempFolder& f) { EXPECT_EQ(f.Read("doc.qrv"), kNew); }},
      // Root may write any file; a file without write permission stays all the same.
      {"ReadOnlyFile",
       [](const test::TempFolder& f) {
         const std::string path = OldFile(f, "doc.qrv");
         EXPECT_EQ(::chmod(path.c_str(), 0444), 0);
         return path;
       },
       "the file is read-only",
       [](const test::TempFolder& f) {
         EXPECT_EQ(f.Read("doc.qrv"), kOld);
         EXPECT_EQ(StatusOf(f.File("doc.qrv")).st_mode & 07777, 0444u);
       }},
      {"KeepsTheMode",
       [](const test::TempFolder& f) {
         const std::string path = OldFile(f, "doc.qrv");
         EXPECT_EQ(::chmod(path.c_str(), 0640), 0);
         return path;
       },
       "",
       [](const test::TempFolder& f) {
         EXPECT_EQ(StatusOf(f.File("doc.qrv")).st_mode & 07777, 0640u);
       }},
      // The link stays a link, and the file it points to (in another folder)
      // gets the new bytes.
      {"SymbolicLink",
       [](const test::TempFolder& f) {
         fs::create_directories(f.File("a"));
         fs::create_directories(f.File("b"));
         OldFile(f, "b/target.qrv");
         EXPECT_EQ(::symlink("../b/target.qrv", f.File("a/link.qrv").c_str()), 0);
         return f.File("a/link.qrv");
       },
       "",
       [](const test::TempFolder& f) {
         EXPECT_TRUE(S_ISLNK(StatusOf(f.File("a/link.qrv")).st_mode));
         EXPECT_EQ(fs::read_symlink(f.File("a/link.qrv")), "../b/target.qrv");
         EXPECT_EQ(f.Read("b/target.qrv"), kNew);
       }},
      {"LinkToNoFileYet",
       [](const test::TempFolder& f) {
         EXPECT_EQ(::symlink("later.qrv", f.File("link.qrv").c_str()), 0);
         return f.File("link.qrv");
       },
       "",
       [](const test::TempFolder& f) {
         EXPECT_TRUE(S_ISLNK(StatusOf(f.File("link.qrv")).st_mode));
         EXPECT_EQ(f.Read("later.qrv"), kNew);
       }},
      // Both names keep sharing the one file, which holds the new bytes.
      {"HardLink",
       [](const test::TempFolder& f) {
         const std::string path = OldFile(f, "doc.qrv");
         EXPECT_EQ(::chmod(path.c_str(), 0640), 0);
         EXPECT_EQ(::link(path.c_str(), f.File("other.qrv").c_str()), 0);
         return path;
       },
       "",
       [](const test::TempFolder& f) {
         EXPECT_EQ(f.Read("doc.qrv"), kNew);
         EXPECT_EQ(f.Read("other.qrv"), kNew);
         const struct stat st = StatusOf(f.File("doc.qrv"));
         EXPECT_EQ(st.st_ino, StatusOf(f.File("other.qrv")).st_ino);
         EXPECT_EQ(st.st_nlink, 2u);
         EXPECT_EQ(st.st_mode & 07777, 0640u);
       }},
      // Legal names up to the limit of 255 bytes: the temporary name must not
      // grow with them.
      {"Name250Bytes",
       [](const test::TempFolder& f) { return OldFile(f, std::string(246, 'n') + ".qrv"); }, "",
       [](const test::TempFolder& f) { EXPECT_EQ(f.Read(std::string(246, 'n') + ".qrv"), kNew); }},
      {"Name255Bytes",
       [](const test::TempFolder& f) { return f.File(std::string(251, 'n') + ".qrv"); }, "",
       [](const test::TempFolder& f) { EXPECT_EQ(f.Read(std::string(251, 'n') + ".qrv"), kNew); }},
      {"MissingFolder", [](const test::TempFolder& f) { return f.File("missing/doc.qrv"); },
       "the folder does not exist",
       [](const test::TempFolder& f) { EXPECT_FALSE(fs::exists(f.File("missing"))); }},
      {"Folder",
       [](const test::TempFolder& f) {
         fs::create_directories(f.File("folder.qrv"));
         return f.File("folder.qrv");
       },
       "it is a folder",
       [](const test::TempFolder& f) { EXPECT_TRUE(fs::is_directory(f.File("folder.qrv"))); }},
      {"NamedPipe",
       [](const test::TempFolder& f) {
         EXPECT_EQ(::mkfifo(f.File("pipe.qrv").c_str(), 0600), 0);
         return f.File("pipe.qrv");
       },
       "it is not a regular file",
       [](const test::TempFolder& f) { EXPECT_TRUE(fs::is_fifo(f.File("pipe.qrv"))); }},
      {"FullDisk", [](const test::TempFolder& f) { return OldFile(f, "doc.qrv"); },
       "the disk is full", [](const test::TempFolder& f) { EXPECT_EQ(f.Read("doc.qrv"), kOld); },
       true},
      {"FullDiskWithAHardLink",
       [](const test::TempFolder& f) {
         const std::string path = OldFile(f, "doc.qrv");
         EXPECT_EQ(::link(path.c_str(), f.File("other.qrv").c_str()), 0);
         return path;
       },
       "the disk is full",
       [](const test::TempFolder& f) {
         EXPECT_EQ(f.Read("doc.qrv"), kOld);
         EXPECT_EQ(f.Read("other.qrv"), kOld);
       },
       true},
  };
  return cases;
}

// Each target with an unnamed temporary file and with a named one.
class SaveTargetTest : public testing::TestWithParam<std::tuple<SaveTarget, bool>> {};

TEST_P(SaveTargetTest, IsSavedOrRefusedAndLeavesNoTemporaryFile) {
  const auto& [c, unnamed] = GetParam();
  test::TempFolder folder;
  const std::string path = c.make(folder);
  ReplaceOptions options = c.fullDisk ? FullDisk(unnamed) : ReplaceOptions{};
  options.unnamedTemporary = unnamed;
  EXPECT_EQ(ReplaceFile(path, kNew, options), c.failure);
  c.check(folder);
  EXPECT_EQ(StrayFiles(folder.Path()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Cases, SaveTargetTest,
                         testing::Combine(testing::ValuesIn(SaveTargets()), testing::Bool()),
                         [](const testing::TestParamInfo<std::tuple<SaveTarget, bool>>& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) ? "Unnamed" : "Named");
                         });

// Writing in place without truncating left the tail of a longer file; the
// replacement must leave exactly the new bytes.
TEST(ReplaceFile, ShorterContentLeavesNoStaleTail) {
  test::TempFolder folder;
  const std::string path = folder.File("doc.qrv");
  ASSERT_EQ(ReplaceFile(path, std::string(1000, 'L')), "");
  ASSERT_EQ(ReplaceFile(path, "short"), "");
  EXPECT_EQ(folder.Read("doc.qrv"), "short");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 1);
}

TEST(ReplaceFile, ReportsAnEmptyNameAndAFolderItMayNotWrite) {
  test::TempFolder folder;
  EXPECT_EQ(ReplaceFile("", "x"), "no file name");
  const std::string path = folder.File("doc.qrv");
  ASSERT_EQ(ReplaceFile(path, "old"), "");
  if (::geteuid() != 0) {
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0500), 0);
    EXPECT_EQ(ReplaceFile(path, "new"), "the folder may not be written");
    ::chmod(folder.Path().c_str(), 0700);
    EXPECT_EQ(folder.Read("doc.qrv"), "old");
  }
}

// A save killed on the way leaves its named temporary file; the next save
// into that folder removes it, but not one that a running save holds, nor
// files that only look alike.
TEST(ReplaceFile, RemovesTheStaleTemporaryFilesOfItsFolder) {
  test::TempFolder folder;
  for (const char* name : {".qrv-abc123.tmp", ".qrv-ZZZZZZ.tmp", ".qrv-held00.tmp", ".qrv-abc.tmp",
                           "qrv-abc123.tmp"}) {
    // Made directly: a save would sweep the ones made before.
    const int fd = ::open(folder.File(name).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
  }
  const int held = ::open(folder.File(".qrv-held00.tmp").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  ReplaceOptions named;
  named.unnamedTemporary = false;
  ASSERT_EQ(ReplaceFile(folder.File("doc.qrv"), "new", named), "");
  ::close(held);
  EXPECT_FALSE(fs::exists(folder.File(".qrv-abc123.tmp")));
  EXPECT_FALSE(fs::exists(folder.File(".qrv-ZZZZZZ.tmp")));
  EXPECT_TRUE(fs::exists(folder.File(".qrv-held00.tmp")));
  EXPECT_TRUE(fs::exists(folder.File(".qrv-abc.tmp")));
  EXPECT_TRUE(fs::exists(folder.File("qrv-abc123.tmp")));
  EXPECT_EQ(folder.Read("doc.qrv"), "new");
}

// Saves that must keep the very file, and with it its other names, owner,
// group and mode: it is rewritten in place, and a whole copy of the old
// content must exist while the new bytes go in, then be gone.
// Which of the user's rights the save's seam denies.
enum class Denied { Nothing, KeepingTheOwner, WritingTheFolder };

struct InPlaceCase {
  const char* name;
  bool hardLink;
  // Saved by a user other than the file's owner, in a folder that user may
  // (or may not) write: only root can set that up.
  bool otherUser;
  bool folderWritable;
  Denied denied;
  bool copyInCache;
  bool cacheIsAFile;    // the cache folder cannot be made
  const char* failure;  // "" when the save must succeed
};

void PrintTo(const InPlaceCase& c, std::ostream* os) { *os << c.name; }

// What the child that saved saw: the save's result, and the copy that
// existed when the first new byte went into the file.
struct InPlaceReport {
  std::string failure;
  std::string copySeen;
  bool copyWhole = false;
};

InPlaceReport SaveInChild(const std::string& path, const std::string& bytes, ReplaceOptions options,
                          bool otherUser) {
  int ends[2];
  EXPECT_EQ(::pipe(ends), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(ends[0]);
    if (otherUser && !test::BecomeOtherUser()) ::_exit(2);
    struct stat target {};
    const std::string old = ReadWholeFile(path).value_or("");
    if (::stat(path.c_str(), &target) != 0) ::_exit(3);
    std::string seen;
    bool whole = false;
    options.write = [&](int fd, const void* data, std::size_t size) {
      struct stat st {};
      if (seen.empty() && ::fstat(fd, &st) == 0 && st.st_ino == target.st_ino) {
        seen = InPlaceCopyOf(path);
        whole = !seen.empty() && ReadWholeFile(seen) == old;
      }
      return ::write(fd, data, size);
    };
    const std::string failure = ReplaceFile(path, bytes, options);
    const std::string report = failure + "\n" + seen + "\n" + (whole ? "1" : "0");
    const bool sent =
        ::write(ends[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
    ::_exit(sent ? 0 : 1);
  }
  ::close(ends[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;)
    text.append(buffer, static_cast<std::size_t>(n));
  ::close(ends[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child failed: " << status;
  InPlaceReport report;
  const std::size_t first = text.find('\n');
  const std::size_t second = text.find('\n', first + 1);
  if (first == std::string::npos || second == std::string::npos) return report;
  report.failure = text.substr(0, first);
  report.copySeen = text.substr(first + 1, second - first - 1);
  report.copyWhole = text.substr(second + 1) == "1";
  return report;
}

class InPlaceSaveTest : public testing::TestWithParam<InPlaceCase> {};

TEST_P(InPlaceSaveTest, KeepsTheFileWithAWholeCopyWhileItIsWritten) {
  const InPlaceCase& c = GetParam();
  if (c.otherUser && !test::RunningAsRoot()) GTEST_SKIP() << "only root can set this up";
  test::TempFolder root;
  ASSERT_EQ(::chmod(root.Path().c_str(), 0755), 0);
  const std::string docs = root.File("docs");
  const std::string cache = root.File("cache");
  ASSERT_EQ(::mkdir(docs.c_str(), c.otherUser && c.folderWritable ? 0777 : 0755), 0);
  ASSERT_EQ(::chmod(docs.c_str(), c.otherUser && c.folderWritable ? 0777 : 0755), 0);
  if (c.cacheIsAFile) {
    ASSERT_EQ(ReplaceFile(cache, "a file"), "");
  } else {
    ASSERT_EQ(::mkdir(cache.c_str(), 0700), 0);
    if (c.otherUser) {
      ASSERT_EQ(::chown(cache.c_str(), test::kOtherUid, test::kOtherGid), 0);
    }
  }
  const test::ScopedEnv cacheHome("XDG_CACHE_HOME", cache);
  const std::string path = docs + "/doc.qrv";
  ASSERT_EQ(ReplaceFile(path, kOld), "");
  ASSERT_EQ(::chmod(path.c_str(), c.otherUser ? 0666 : 0640), 0);
  // Root gives the file away, to see that the save keeps it so.
  if (test::RunningAsRoot() && !c.otherUser) {
    ASSERT_EQ(::chown(path.c_str(), 1234, 5678), 0);
  }
  if (c.hardLink) {
    ASSERT_EQ(::link(path.c_str(), (docs + "/other.qrv").c_str()), 0);
  }
  const struct stat before = StatusOf(path);

  ReplaceOptions options;
  if (c.denied == Denied::KeepingTheOwner) options.mayKeepOwner = false;
  if (c.denied == Denied::WritingTheFolder) options.mayWriteFolder = false;
  const InPlaceReport report = SaveInChild(path, kNew, options, c.otherUser);
  EXPECT_EQ(report.failure, c.failure);

  const struct stat after = StatusOf(path);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
  EXPECT_EQ(after.st_mode & 07777, before.st_mode & 07777);
  EXPECT_EQ(ReadWholeFile(path), std::string(*c.failure ? kOld : kNew));
  if (c.hardLink) {
    EXPECT_EQ(ReadWholeFile(docs + "/other.qrv"), ReadWholeFile(path));
  }
  if (!*c.failure) {
    EXPECT_TRUE(report.copyWhole) << "no whole copy while the file was written";
    const std::string place = c.copyInCache ? cache + "/quorvel/" : docs + "/doc.qrv~";
    EXPECT_TRUE(report.copySeen.starts_with(place)) << report.copySeen;
  }
  EXPECT_EQ(InPlaceCopyOf(path), "");
  EXPECT_EQ(StrayFiles(root.Path()), std::vector<std::string>{});
  EXPECT_FALSE(fs::exists(docs + "/doc.qrv~"));
  if (c.copyInCache && !c.cacheIsAFile) {
    EXPECT_EQ(std::distance(fs::directory_iterator(cache + "/quorvel"), {}), 0);
    EXPECT_EQ(StatusOf(cache + "/quorvel").st_mode & 07777, 0700u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InPlaceSaveTest,
    testing::Values(
        InPlaceCase{"HardLink", true, false, true, Denied::Nothing, false, false, ""},
        InPlaceCase{"OwnerARenameWouldChange", false, false, true, Denied::KeepingTheOwner, false,
                    false, ""},
        // Root may write the folder; the seam says the user may not.
        InPlaceCase{"FolderTheUserMayNotWrite", false, false, true, Denied::WritingTheFolder, true,
                    false, ""},
        InPlaceCase{"FileOfAnotherUser", false, true, true, Denied::Nothing, false, false, ""},
        InPlaceCase{"FileOfAnotherUserInTheirFolder", false, true, false, Denied::Nothing, true,
                    false, ""},
        InPlaceCase{"HardLinkInAFolderTheUserMayNotWrite", true, true, false, Denied::Nothing, true,
                    false, ""},
        InPlaceCase{"NoPlaceForTheCopy", false, false, true, Denied::WritingTheFolder, true, true,
                    "no copy of the old content could be kept (the folder does not exist)"}),
    [](const testing::TestParamInfo<InPlaceCase>& info) { return std::string(info.param.name); });

// A child saves two large documents in turn until it is killed at a random
// moment. The target must always be one of them whole, and once the next
// save has run no temporary file may remain.
class KilledSaveTest : public testing::TestWithParam<bool> {};

TEST_P(KilledSaveTest, LeavesTheOldOrTheNewFileWholeAndNoStrayFile) {
  constexpr int kKills = 100;
  const bool unnamed = GetParam();
  ReplaceOptions options;
  options.unnamedTemporary = unnamed;
  const std::string first(3 << 20, 'a');
  const std::string second(2 << 20, 'b');
  test::TempFolder folder;
  const std::string path = folder.File("large.qrv");
  ASSERT_EQ(ReplaceFile(path, first, options), "");
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> delayUs(0, 40000);
  int strayBeforeSweep = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) {
        ReplaceFile(path, second, options);
        ReplaceFile(path, first, options);
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    const auto now = ReadWholeFile(path);
    ASSERT_TRUE(now.has_value());
    ASSERT_TRUE(*now == first || *now == second)
        << "kill " << kill << ": " << now->size() << " bytes";
    strayBeforeSweep += static_cast<int>(StrayFiles(folder.Path()).size());
  }
  // The unnamed files leave nothing; the named ones leave a file whenever the
  // kill came while one was written, and the next save sweeps them.
  if (!unnamed) {
    EXPECT_GT(strayBeforeSweep, 0);
  }
  ASSERT_EQ(ReplaceFile(path, second, options), "");
  EXPECT_EQ(StrayFiles(folder.Path()), std::vector<std::string>{});
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 1);
  EXPECT_EQ(ReadWholeFile(path), second);
}

INSTANTIATE_TEST_SUITE_P(Temporary, KilledSaveTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? "Unnamed" : "Named";
                         });

struct ReadCase {
  const char* name;
  std::string (*make)(const test::TempFolder& folder);
  ReadProblem problem;
  std::string bytes = "";  // what a read that succeeds gives
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ReadRegularFileTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadRegularFileTest, ReadsOnlyARegularFileWithinTheLimit) {
  test::TempFolder folder;
  const std::string path = GetParam().make(folder);
  const FileBytes read = ReadRegularFile(path, 10);
  EXPECT_EQ(read.problem, GetParam().problem);
  EXPECT_EQ(read.bytes, GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadRegularFileTest,
    testing::Values(
        ReadCase{"Bytes",
                 [](const test::TempFolder& f) {
                   EXPECT_EQ(ReplaceFile(f.File("f"), std::string("a\0b\xFF", 4)), "");
                   return f.File("f");
                 },
                 ReadProblem::None, std::string("a\0b\xFF", 4)},
        ReadCase{"AtTheLimit",
                 [](const test::TempFolder& f) {
                   EXPECT_EQ(ReplaceFile(f.File("f"), std::string(10, 'x')), "");
                   return f.File("f");
                 },
                 ReadProblem::None, std::string(10, 'x')},
        ReadCase{"BeyondTheLimit",
                 [](const test::TempFolder& f) {
                   EXPECT_EQ(ReplaceFile(f.File("f"), std::string(11, 'x')), "");
                   return f.File("f");
                 },
                 ReadProblem::TooLarge},
        ReadCase{"Missing", [](const test::TempFolder& f) { return f.File("none"); },
                 ReadProblem::Missing},
        ReadCase{"MissingFolder", [](const test::TempFolder& f) { return f.File("none/f"); },
                 ReadProblem::Missing},
        ReadCase{"Folder", [](const test::TempFolder& f) { return f.Path(); }, ReadProblem::Folder},
        ReadCase{"Device", [](const test::TempFolder&) { return std::string("/dev/null"); },
                 ReadProblem::NotRegular}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qv
