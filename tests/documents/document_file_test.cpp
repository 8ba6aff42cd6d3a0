// Reading a document file: what is refused before it is read whole, what a
// refused file may cost in memory, and the document that a save killed at a
// random moment leaves, in every way a save meets its file.
#include "documents/document_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "document_builder.h"
#include "documents/document_container.h"
#include "platform/file_replace.h"
#include "support/other_user.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// The head of a long-form container whose text is length bytes long.
std::string LongHead(std::uint32_t length) {
  std::string head("\x08\x00\xFF\xFF", 4);
  for (int shift = 0; shift < 32; shift += 8) head += static_cast<char>((length >> shift) & 0xFF);
  return head;
}

// A file of size bytes that starts with start and holds zero bytes after it,
// sparse: it takes no room on the disk.
void MakeSparseFile(const std::string& path, const std::string& start, off_t size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(::write(fd, start.data(), start.size()), static_cast<ssize_t>(start.size()));
  EXPECT_EQ(::ftruncate(fd, size), 0);
  ::close(fd);
}

std::string Copied(const std::string& path) {
  return "; a save into it did not end, and the document as it was before is kept in \"" + path +
         "\"";
}

struct SmallFile {
  const char* name;
  std::string bytes;
  bool withCopy;        // a "<name>~" copy lies beside it
  std::string text;     // the text read, when ok
  const char* problem;  // "" when it is read
  bool namesTheCopy;    // the problem names the copy
};

void PrintTo(const SmallFile& c, std::ostream* os) { *os << c.name; }

class SmallFileTest : public testing::TestWithParam<SmallFile> {};

// A save in place cut short leaves a prefix of the new container (or an
// empty file) beside a whole copy: only such files name the copy, not one
// that is whole or no document at all (an editor's "~" backup beside it).
TEST_P(SmallFileTest, IsReadOrRefusedAndNamesTheCopyOnlyWhenCutShort) {
  const SmallFile& c = GetParam();
  test::TempFolder folder;
  const std::string path = folder.File("doc.qrv");
  ASSERT_EQ(ReplaceFile(path, c.bytes), "");
  if (c.withCopy) {
    ASSERT_EQ(ReplaceFile(path + "~", EncodeContainer("D41 0 old")), "");
  }
  const ContainerText read = ReadDocumentFile(path);
  EXPECT_EQ(read.ok, *c.problem == '\0');
  EXPECT_EQ(read.text, c.text);
  EXPECT_EQ(read.problem, std::string(c.problem) + (c.namesTheCopy ? Copied(path + "~") : ""));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SmallFileTest,
    testing::Values(SmallFile{"Whole", EncodeContainer("D41 0 1"), true, "D41 0 1", "", false},
                    // The tail of an older, longer file is not even read.
                    SmallFile{"WithATail", EncodeContainer("D41 0") + std::string(100000, 't'),
                              false, "D41 0", "", false},
                    SmallFile{"LongForm", EncodeContainer(std::string(70000, 'x')), false,
                              std::string(70000, 'x'), "", false},
                    SmallFile{"CutShort", EncodeContainer("D41 0 1 2 3").substr(0, 9), false, "",
                              "the file is cut short", false},
                    SmallFile{"CutShortBesideACopy", EncodeContainer("D41 0 1 2 3").substr(0, 9),
                              true, "", "the file is cut short", true},
                    SmallFile{"CutInItsHeadBesideACopy", LongHead(70000).substr(0, 6), true, "",
                              "the file is too short", true},
                    SmallFile{"EmptyBesideACopy", "", true, "", "the file is empty", true},
                    // An empty file alone is left to the open, which says so.
                    SmallFile{"Empty", "", false, "", "", false},
                    SmallFile{"NoDocumentBesideACopy", "R3 2 2\r\n", true, "",
                              "the file holds no document text", false}),
    [](const testing::TestParamInfo<SmallFile>& info) { return std::string(info.param.name); });

// The largest resident memory of this process since ResetPeakMemory.
std::optional<std::uint64_t> PeakMemoryBytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmHWM:")) return std::stoull(line.substr(6)) * 1024;
  }
  return std::nullopt;
}

bool ResetPeakMemory() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

struct LargeFile {
  const char* name;
  std::string start;
  off_t size;
  const char* problem;  // "" when it is read
};

void PrintTo(const LargeFile& c, std::ostream* os) { *os << c.name; }

constexpr off_t kLarge = 480'000'000;

class LargeFileTest : public testing::TestWithParam<LargeFile> {};

// A 480 MB document of one long token cost 1.9 GB before it was refused. A
// file within the size limit is read no further than its container's text
// and no further than a run that no item can be: each of these costs a few
// megabytes at most, measured by the peak resident memory of the process.
TEST_P(LargeFileTest, IsRefusedOrReadWithoutTakingItsSizeInMemory) {
  const LargeFile& c = GetParam();
  test::TempFolder folder;
  const std::string path = folder.File("large.qrv");
  MakeSparseFile(path, c.start, c.size);
  if (!ResetPeakMemory() || !PeakMemoryBytes()) GTEST_SKIP() << "the peak memory cannot be read";
  const std::uint64_t before = *PeakMemoryBytes();
  const ContainerText read = ReadDocumentFile(path);
  const std::uint64_t grown = *PeakMemoryBytes() - before;
  EXPECT_EQ(read.problem, c.problem);
  EXPECT_EQ(read.ok, *c.problem == '\0');
  EXPECT_LT(grown, std::uint64_t{128} << 20) << "bytes of memory taken";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LargeFileTest,
    testing::Values(LargeFile{"OneLongToken", LongHead(kLarge - 8), kLarge,
                              "an item holds more than 1000 characters"},
                    LargeFile{"OneLongTokenAfterTheHeader", LongHead(kLarge - 8) + "D41 1 1 ",
                              kLarge, "an item holds more than 1000 characters"},
                    // The length field claims more than the file holds.
                    LargeFile{"LengthBeyondTheFile", LongHead(kLarge), kLarge - 100'000'000,
                              "the file is cut short"},
                    LargeFile{"ShortTextBeforeALongTail", EncodeContainer("D41 0"), kLarge, ""}),
    [](const testing::TestParamInfo<LargeFile>& info) { return std::string(info.param.name); });

// How a save meets the file it replaces.
enum class Situation { Plain, HardLink, OwnerARenameWouldChange, FolderTheUserMayNotWrite };

struct KillCase {
  const char* name;
  Situation situation;
};

void PrintTo(const KillCase& c, std::ostream* os) { *os << c.name; }

// A document text of about size bytes, of many short items.
std::string Document(char item, std::size_t size) {
  std::string text = "D41 0 ";
  while (text.size() < size) {
    text += item;
    text += ' ';
  }
  return EncodeContainer(text);
}

// Files in folder and its subfolders, by name.
std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (!fs::exists(folder)) return names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

struct stat StatusOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st;
}

class KilledSaveTest : public testing::TestWithParam<KillCase> {};

// A child saves two large documents in turn until it is killed at a random
// moment, 100 times. A plain save must leave one of them whole every time.
// A save in place may leave a document cut short, but then a whole copy of
// one of them must exist and the open must name it. One save afterwards
// leaves no copy and no temporary file, and the file as it was: its links,
// owner, group and mode.
TEST_P(KilledSaveTest, LeavesTheDocumentWholeOrAWholeCopyThatTheOpenNames) {
  constexpr int kKills = 100;
  const Situation situation = GetParam().situation;
  const bool inPlace = situation != Situation::Plain;
  // Root may give any file away and write any folder: as root, the child
  // drops to another user and meets the real limits; otherwise the save's
  // seam stands for them.
  const bool otherUser =
      test::RunningAsRoot() && (situation == Situation::OwnerARenameWouldChange ||
                                situation == Situation::FolderTheUserMayNotWrite);
  ReplaceOptions options;
  if (!otherUser && situation == Situation::OwnerARenameWouldChange) options.mayKeepOwner = false;
  if (!otherUser && situation == Situation::FolderTheUserMayNotWrite)
    options.mayWriteFolder = false;

  test::TempFolder root;
  ASSERT_EQ(::chmod(root.Path().c_str(), 0755), 0);
  const std::string docs = root.File("docs");
  const std::string cache = root.File("cache");
  const bool othersMayWrite = otherUser && situation == Situation::OwnerARenameWouldChange;
  ASSERT_EQ(::mkdir(docs.c_str(), 0755), 0);
  ASSERT_EQ(::chmod(docs.c_str(), othersMayWrite ? 0777 : 0755), 0);
  ASSERT_EQ(::mkdir(cache.c_str(), 0700), 0);
  if (otherUser) {
    ASSERT_EQ(::chown(cache.c_str(), test::kOtherUid, test::kOtherGid), 0);
  }
  const test::ScopedEnv cacheHome("XDG_CACHE_HOME", cache);
  const std::string path = docs + "/large.qrv";
  const std::string first = Document('1', 2 << 20);
  const std::string second = Document('2', 3 << 19);
  ASSERT_EQ(ReplaceFile(path, first), "");
  ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
  if (situation == Situation::HardLink) {
    ASSERT_EQ(::link(path.c_str(), (docs + "/other.qrv").c_str()), 0);
  }

  // In a child: saves the second document, then the first, rounds times
  // (for ever when rounds is 0).
  const auto saveAsTheUser = [&](int rounds) {
    if (otherUser && !test::BecomeOtherUser()) ::_exit(2);
    for (int round = 0; rounds == 0 || round < rounds; ++round) {
      if (!ReplaceFile(path, second, options).empty()) ::_exit(3);
      if (!ReplaceFile(path, first, options).empty()) ::_exit(3);
    }
    ::_exit(0);
  };
  const auto waitForTheChild = [](pid_t child) {
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child failed: " << status;
  };
  // The kills must land all through a save: their delays reach over four
  // saves (twice what two took, timed as the child saves, so that a slower
  // moment still meets every part of one).
  const auto started = std::chrono::steady_clock::now();
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) saveAsTheUser(1);
  waitForTheChild(child);
  const auto twoSaves = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - started);
  const struct stat before = StatusOf(path);
  std::mt19937 random(2024);
  std::uniform_int_distribution<long> delayUs(0, std::max<long>(2000, 2 * twoSaves.count()));

  int torn = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) saveAsTheUser(0);
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child could not save: " << WEXITSTATUS(status);
    const auto now = ReadWholeFile(path);
    ASSERT_TRUE(now.has_value());
    if (*now == first || *now == second) continue;
    ASSERT_TRUE(inPlace) << "kill " << kill << " tore the document: " << now->size() << " bytes";
    ++torn;
    const std::string copy = InPlaceCopyOf(path);
    ASSERT_NE(copy, "") << "kill " << kill << ": a torn document and no copy";
    const auto kept = ReadWholeFile(copy);
    ASSERT_TRUE(kept == first || kept == second) << "kill " << kill << ": the copy is not whole";
    test::TestProgram program;
    EXPECT_EQ(program.commands.OpenDocument(path), OpenOutcome::Refused);
    const std::vector<std::string> messages = program.host.messages.Texts();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages.front().find("kept in \"" + copy + "\""), std::string::npos)
        << messages.front();
  }
  // Some kill always lands in the write: the saves in place are slow enough.
  if (inPlace) {
    EXPECT_GT(torn, 0);
  }

  child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) saveAsTheUser(1);
  waitForTheChild(child);
  EXPECT_EQ(ReadWholeFile(path), first);
  EXPECT_EQ(InPlaceCopyOf(path), "");
  const std::vector<std::string> expected = situation == Situation::HardLink
                                                ? std::vector<std::string>{"large.qrv", "other.qrv"}
                                                : std::vector<std::string>{"large.qrv"};
  EXPECT_EQ(FilesIn(docs), expected);
  EXPECT_EQ(FilesIn(cache), std::vector<std::string>{});
  const struct stat after = StatusOf(path);
  if (inPlace) {
    EXPECT_EQ(after.st_ino, before.st_ino);
  }
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
  EXPECT_EQ(after.st_mode & 07777, before.st_mode & 07777);
}

INSTANTIATE_TEST_SUITE_P(
    Situations, KilledSaveTest,
    testing::Values(KillCase{"Plain", Situation::Plain}, KillCase{"HardLink", Situation::HardLink},
                    KillCase{"OwnerARenameWouldChange", Situation::OwnerARenameWouldChange},
                    KillCase{"FolderTheUserMayNotWrite", Situation::FolderTheUserMayNotWrite}),
    [](const testing::TestParamInfo<KillCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qv
