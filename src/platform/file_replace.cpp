#include "platform/file_replace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <random>

namespace qv {
namespace {

// As many links as the kernel itself follows before it gives up.
constexpr int kMaxLinkHops = 40;
constexpr std::size_t kTemporaryLetters = 6;
constexpr std::size_t kReadChunk = 1 << 16;

// An open file descriptor, closed when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  bool Open() const { return fd_ >= 0; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

// Reading

FileBytes ReadFailure(ReadProblem problem, std::string detail = "") {
  FileBytes result;
  result.problem = problem;
  result.detail = std::move(detail);
  return result;
}

FileBytes FailureOfErrno(int error) {
  if (error == ENOENT || error == ENOTDIR) return ReadFailure(ReadProblem::Missing);
  return ReadFailure(ReadProblem::Unreadable, std::strerror(error));
}

// The kind checks of a file's status; None when it may be read.
ReadProblem KindProblem(const struct stat& st, std::uint64_t limit) {
  if (S_ISDIR(st.st_mode)) return ReadProblem::Folder;
  if (!S_ISREG(st.st_mode)) return ReadProblem::NotRegular;
  if (static_cast<std::uint64_t>(st.st_size) > limit) return ReadProblem::TooLarge;
  return ReadProblem::None;
}

// Writing

std::string Reason(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return "the folder does not exist";
    case ENOSPC:
    case EDQUOT: return "the disk is full";
    case EACCES:
    case EPERM: return "the folder may not be written";
    case EROFS: return "the file system is read-only";
    case ENAMETOOLONG: return "the file name is too long";
    case EFBIG: return "the file is too large for the file system";
    case ELOOP: return "the path leads through too many symbolic links";
    default: return std::strerror(error);
  }
}

bool WriteAll(int fd, std::string_view bytes, const ReplaceOptions& options) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = options.write ? options.write(fd, bytes.data() + done, bytes.size() - done)
                                    : ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = EIO;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows path's chain of symbolic links to the file a save must write (which
// need not exist yet). False, with errno ELOOP, for a chain without end.
bool FollowLinks(std::string& path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    ssize_t n = 0;
    while ((n = ::readlink(path.c_str(), target.data(), target.size())) >=
           static_cast<ssize_t>(target.size())) {
      target.resize(target.size() * 2);
    }
    if (n < 0) return true;  // gone meanwhile: the path is written as a new file
    target.resize(static_cast<std::size_t>(n));
    path = target.starts_with('/') ? target : FolderOf(path) + "/" + target;
  }
  errno = ELOOP;
  return false;
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True when name in dir is still the file open as fd.
bool NameIsFile(int dir, const std::string& name, int fd) {
  struct stat byName {};
  struct stat byFd {};
  return ::fstatat(dir, name.c_str(), &byName, AT_SYMLINK_NOFOLLOW) == 0 &&
         ::fstat(fd, &byFd) == 0 && SameFile(byName, byFd);
}

bool IsTemporaryName(std::string_view name) {
  if (name.size() != kTemporaryPrefix.size() + kTemporaryLetters + kTemporarySuffix.size())
    return false;
  if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) return false;
  for (const char c : name.substr(kTemporaryPrefix.size(), kTemporaryLetters)) {
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!alnum) return false;
  }
  return true;
}

std::string RandomTemporaryName() {
  static constexpr std::string_view kLetters =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937_64 random{std::random_device{}() ^
                                      static_cast<std::uint64_t>(::getpid())};
  std::string name(kTemporaryPrefix);
  for (std::size_t i = 0; i < kTemporaryLetters; ++i) name += kLetters[random() % kLetters.size()];
  name += kTemporarySuffix;
  return name;
}

// Removes the named temporary files of the folder that saves killed on the
// way left behind. A running save holds a lock on its temporary file, so
// only files that no process holds (and that the program's user owns) go.
void RemoveStaleTemporaries(int dir) {
  const int listing = ::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listing < 0) return;
  DIR* entries = ::fdopendir(listing);
  if (entries == nullptr) {
    ::close(listing);
    return;
  }
  while (const dirent* entry = ::readdir(entries)) {
    const std::string name = entry->d_name;
    if (!IsTemporaryName(name)) continue;
    Descriptor file(::openat(dir, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!file.Open())
      file.Reset(::openat(dir, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (!file.Open() || ::fstat(file.Get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_uid != ::geteuid())
      continue;
    if (::flock(file.Get(), LOCK_EX | LOCK_NB) != 0) continue;
    if (NameIsFile(dir, name, file.Get())) ::unlinkat(dir, name.c_str(), 0);
  }
  ::closedir(entries);
}

// The temporary file of one save, locked while the save runs. name is empty
// while the file is unnamed.
struct Temporary {
  Descriptor fd;
  std::string name;
};

// A new named temporary file in dir.
bool OpenNamedTemporary(int dir, mode_t mode, Temporary& temp) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = RandomTemporaryName();
    temp.fd.Reset(
        ::openat(dir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!temp.fd.Open()) {
      if (errno == EEXIST) continue;
      return false;
    }
    ::flock(temp.fd.Get(), LOCK_EX);
    // Another save's sweep may have taken the file between the two calls.
    if (NameIsFile(dir, name, temp.fd.Get())) {
      temp.name = std::move(name);
      return true;
    }
  }
  errno = EEXIST;
  return false;
}

bool OpenTemporary(int dir, bool unnamed, mode_t mode, Temporary& temp) {
  if (unnamed) {
    temp.fd.Reset(::openat(dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    if (temp.fd.Open()) {
      ::flock(temp.fd.Get(), LOCK_EX);
      return true;
    }
    // File systems without unnamed files say so in one of these ways.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return false;
  }
  return OpenNamedTemporary(dir, mode, temp);
}

// Gives the unnamed file open as fd the name in dir. EEXIST when the name is
// taken; other errors mean that this system cannot link unnamed files.
bool LinkUnnamed(int fd, int dir, const std::string& name) {
  if (::linkat(fd, "", dir, name.c_str(), AT_EMPTY_PATH) == 0) return true;
  if (errno == EEXIST) return false;
  // Without the right to link by descriptor, through its /proc entry.
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  return ::linkat(AT_FDCWD, proc.c_str(), dir, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

bool Writable(const std::string& path, const struct stat& st) {
  // Root may write anything; a file that no one may write stays as it is.
  if ((st.st_mode & 0222) == 0) return false;
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ||
         (errno != EACCES && errno != EPERM && errno != EROFS);
}

// What one save writes to.
struct Target {
  int dir = -1;  // the target's folder
  bool dirSyncable = false;
  std::string name;  // the target's name in it
  bool exists = false;
  struct stat old {};  // the target's status when it exists
};

// Gives the written temporary file the target's mode and owner.
void TakeOver(int fd, const Target& target) {
  if (!target.exists) return;
  if (target.old.st_uid != ::geteuid() || target.old.st_gid != ::getegid()) {
    // Only root may give a file away; a group of the user's own may be kept.
    if (::fchown(fd, target.old.st_uid, target.old.st_gid) != 0) {
      [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), target.old.st_gid);
    }
  }
  ::fchmod(fd, target.old.st_mode & 07777);
}

// Fills the temporary file: bytes, mode and owner, synced to the disk.
bool FillTemporary(Temporary& temp, const Target& target, std::string_view bytes,
                   const ReplaceOptions& options) {
  if (!WriteAll(temp.fd.Get(), bytes, options)) return false;
  TakeOver(temp.fd.Get(), target);
  return ::fsync(temp.fd.Get()) == 0;
}

void Discard(Temporary& temp, const Target& target) {
  const int saved = errno;
  if (!temp.name.empty()) ::unlinkat(target.dir, temp.name.c_str(), 0);
  temp.fd.Close();
  errno = saved;
}

void SyncFolder(const Target& target) {
  if (target.dirSyncable) ::fsync(target.dir);
}

enum class Outcome { Done, Failed, CannotLink };

// The usual save: the temporary file takes the target's name by a rename.
Outcome ReplaceByRename(const Target& target, std::string_view bytes, const ReplaceOptions& options,
                        bool unnamed) {
  Temporary temp;
  // An old file's contents may be private: the temporary file is the user's
  // alone until it has the old file's mode.
  if (!OpenTemporary(target.dir, unnamed, target.exists ? 0600 : 0666, temp))
    return Outcome::Failed;
  if (!FillTemporary(temp, target, bytes, options)) {
    Discard(temp, target);
    return Outcome::Failed;
  }
  if (temp.name.empty()) {
    // A new file gets its name at once, leaving nothing behind at any moment.
    if (!target.exists) {
      if (LinkUnnamed(temp.fd.Get(), target.dir, target.name)) {
        SyncFolder(target);
        return Outcome::Done;
      }
      // Taken meanwhile: replaced like an old file.
      if (errno != EEXIST) return Outcome::CannotLink;
    }
    // Over an old file: a short fixed name first, then the rename. The lock
    // keeps other saves' sweeps off it in between.
    bool linked = false;
    for (int attempt = 0; attempt < 100 && !linked; ++attempt) {
      temp.name = RandomTemporaryName();
      linked = LinkUnnamed(temp.fd.Get(), target.dir, temp.name);
      if (!linked && errno != EEXIST) {
        temp.name.clear();
        return Outcome::CannotLink;
      }
    }
    if (!linked) {
      temp.name.clear();
      errno = EEXIST;
      return Outcome::Failed;
    }
  }
  if (::renameat(target.dir, temp.name.c_str(), target.dir, target.name.c_str()) != 0) {
    Discard(temp, target);
    return Outcome::Failed;
  }
  SyncFolder(target);
  return Outcome::Done;
}

// A file with several hard links: the new bytes are copied over it in place.
std::string RewriteInPlace(const Target& target, std::string_view bytes,
                           const ReplaceOptions& options) {
  // The whole new content on the disk first: a full disk or a failing write
  // shows here, before the target is touched.
  Temporary temp;
  if (!OpenTemporary(target.dir, options.unnamedTemporary, 0600, temp)) return Reason(errno);
  if (!WriteAll(temp.fd.Get(), bytes, options) || ::fsync(temp.fd.Get()) != 0) {
    Discard(temp, target);
    return Reason(errno);
  }
  Descriptor file(
      ::openat(target.dir, target.name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat now {};
  if (!file.Open()) {
    Discard(temp, target);
    return Reason(errno);
  }
  if (::fstat(file.Get(), &now) != 0 || !SameFile(now, target.old)) {
    Discard(temp, target);
    return "the file was replaced while it was saved";
  }
  // Room for a longer content is reserved before the first byte changes.
  const auto size = static_cast<off_t>(bytes.size());
  if (size > now.st_size && ::fallocate(file.Get(), FALLOC_FL_KEEP_SIZE, 0, size) != 0 &&
      (errno == ENOSPC || errno == EDQUOT)) {
    Discard(temp, target);
    return Reason(errno);
  }
  const bool copied = ::lseek(file.Get(), 0, SEEK_SET) == 0 &&
                      WriteAll(file.Get(), bytes, options) && ::ftruncate(file.Get(), size) == 0 &&
                      ::fsync(file.Get()) == 0;
  const int error = errno;
  Discard(temp, target);
  if (!copied) return Reason(error) + ", and the file is only partly rewritten";
  return "";
}

}  // namespace

FileBytes ReadRegularFile(const std::string& path, std::uint64_t limit) {
  // The status first: a pipe or a device is never even opened.
  struct stat st {};
  if (path.empty()) return ReadFailure(ReadProblem::Missing);
  if (::stat(path.c_str(), &st) != 0) return FailureOfErrno(errno);
  if (const ReadProblem problem = KindProblem(st, limit); problem != ReadProblem::None)
    return ReadFailure(problem);
  // Not blocking, in case the name was made a pipe meanwhile; then checked
  // again on what was opened.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd.Open()) return FailureOfErrno(errno);
  if (::fstat(fd.Get(), &st) != 0) return FailureOfErrno(errno);
  if (const ReadProblem problem = KindProblem(st, limit); problem != ReadProblem::None)
    return ReadFailure(problem);
  const int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK);

  FileBytes result;
  result.bytes.reserve(static_cast<std::size_t>(st.st_size));
  std::array<char, kReadChunk> buffer{};
  for (;;) {
    const ssize_t n = ::read(fd.Get(), buffer.data(), buffer.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return FailureOfErrno(errno);
    }
    if (n == 0) break;
    if (result.bytes.size() + static_cast<std::uint64_t>(n) > limit)
      return ReadFailure(ReadProblem::TooLarge);
    result.bytes.append(buffer.data(), static_cast<std::size_t>(n));
  }
  return result;
}

std::string ReadProblemText(const FileBytes& read, std::string_view tooLarge) {
  switch (read.problem) {
    case ReadProblem::Missing: return "the file does not exist";
    case ReadProblem::Folder: return "it is a folder";
    case ReadProblem::NotRegular: return "it is not a regular file";
    case ReadProblem::TooLarge: return std::string(tooLarge);
    default: return "the file could not be read (" + read.detail + ")";
  }
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::uint64_t limit) {
  FileBytes read = ReadRegularFile(path, limit);
  if (!read.Ok()) return std::nullopt;
  return std::move(read.bytes);
}

std::string ReplaceFile(const std::string& path, std::string_view bytes,
                        const ReplaceOptions& options) {
  if (path.empty()) return "no file name";
  std::string resolved = path;
  if (!FollowLinks(resolved)) return Reason(errno);
  Target target;
  target.exists = ::stat(resolved.c_str(), &target.old) == 0;
  if (!target.exists && errno != ENOENT) return Reason(errno);
  if (target.exists) {
    if (S_ISDIR(target.old.st_mode)) return "it is a folder";
    if (!S_ISREG(target.old.st_mode)) return "it is not a regular file";
    if (!Writable(resolved, target.old)) return "the file is read-only";
  }
  target.name = NameOf(resolved);
  if (target.name.empty()) return "no file name";

  Descriptor dir(::open(FolderOf(resolved).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  target.dirSyncable = dir.Open();
  if (!dir.Open()) dir.Reset(::open(FolderOf(resolved).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (!dir.Open()) return Reason(errno);
  target.dir = dir.Get();
  RemoveStaleTemporaries(target.dir);

  if (target.exists && target.old.st_nlink > 1) return RewriteInPlace(target, bytes, options);
  Outcome outcome = ReplaceByRename(target, bytes, options, options.unnamedTemporary);
  // Where unnamed files cannot be given a name, the same with a named one.
  if (outcome == Outcome::CannotLink) outcome = ReplaceByRename(target, bytes, options, false);
  return outcome == Outcome::Done ? "" : Reason(errno);
}

}  // namespace qv
