#include "platform/file_replace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace qv {
namespace {

// As many links as the kernel itself follows before it gives up.
constexpr int kMaxLinkHops = 40;
constexpr std::size_t kTemporaryLetters = 6;
constexpr std::size_t kReadChunk = 1 << 16;
constexpr std::size_t kCopyChunk = 1 << 20;
// The copy in the cache folder keeps this much of the file's name, so that
// a person can tell it, and a hash of the whole path, so that it is unique.
constexpr std::size_t kCachedNameBytes = 200;

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
  // The file whose owner, group and mode the written file takes: the old
  // file itself for a save over it.
  std::optional<struct stat> like;
  // Set where a written file that could not keep like's owner and group
  // must not take the name (the save then writes in place).
  bool ownerMustStay = false;
  mode_t createMode = 0666;
};

// A target in dir named name, as it stands now.
Target TargetIn(int dir, bool syncable, std::string name) {
  Target target;
  target.dir = dir;
  target.dirSyncable = syncable;
  target.name = std::move(name);
  target.exists = ::fstatat(dir, target.name.c_str(), &target.old, AT_SYMLINK_NOFOLLOW) == 0;
  return target;
}

// Gives the new file open as fd like's owner and group, as far as the
// program may. True when it has them.
bool GiveOwner(int fd, const struct stat& like, const ReplaceOptions& options) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) return false;
  if (now.st_uid != like.st_uid || now.st_gid != like.st_gid) {
    // Only root may give a file away; a group of the user's own may be kept.
    if (::fchown(fd, like.st_uid, like.st_gid) != 0) {
      [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), like.st_gid);
    }
    if (::fstat(fd, &now) != 0) return false;
  }
  if (options.mayKeepOwner.has_value()) return *options.mayKeepOwner;
  return now.st_uid == like.st_uid && now.st_gid == like.st_gid;
}

// Writes the whole content of a new file into fd; false, with errno set,
// when it fails.
using Filler = std::function<bool(int fd)>;

Filler BytesFiller(std::string_view bytes, const ReplaceOptions& options) {
  return [bytes, &options](int fd) { return WriteAll(fd, bytes, options); };
}

// Copies the whole content of the file open as from into to, at to's
// current offset.
bool CopyBytes(int from, int to, const ReplaceOptions& options) {
  std::vector<char> buffer(kCopyChunk);
  for (off_t at = 0;;) {
    const ssize_t n = ::pread(from, buffer.data(), buffer.size(), at);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    if (!WriteAll(to, std::string_view(buffer.data(), static_cast<std::size_t>(n)), options))
      return false;
    at += n;
  }
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

enum class Outcome { Done, Failed, CannotLink, OwnerWouldChange, FolderNotWritable };

// The usual save: the temporary file takes the target's name by a rename.
Outcome ReplaceByRename(const Target& target, const Filler& fill, const ReplaceOptions& options,
                        bool unnamed) {
  Temporary temp;
  if (!OpenTemporary(target.dir, unnamed, target.createMode, temp))
    return errno == EACCES || errno == EPERM ? Outcome::FolderNotWritable : Outcome::Failed;
  // The owner first: whether it can be kept decides how the file is saved.
  if (target.like && !GiveOwner(temp.fd.Get(), *target.like, options) && target.ownerMustStay) {
    Discard(temp, target);
    return Outcome::OwnerWouldChange;
  }
  // The mode after the bytes: writing would clear its set-ID bits.
  if (!fill(temp.fd.Get()) ||
      (target.like && ::fchmod(temp.fd.Get(), target.like->st_mode & 07777) != 0) ||
      ::fsync(temp.fd.Get()) != 0) {
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

// ReplaceByRename, with a named temporary file where unnamed ones cannot be
// given a name.
Outcome ReplaceByRename(const Target& target, const Filler& fill, const ReplaceOptions& options) {
  const Outcome outcome = ReplaceByRename(target, fill, options, options.unnamedTemporary);
  return outcome == Outcome::CannotLink ? ReplaceByRename(target, fill, options, false) : outcome;
}

std::string UserCacheHome() { return UserFolder("XDG_CACHE_HOME", ".cache"); }

// The program's own folder in the user's cache folder ("" without a home).
std::string CacheFolder() {
  const std::string home = UserCacheHome();
  return home.empty() ? "" : home + "/quorvel";
}

std::string PathHash(std::string_view text) {
  // 64-bit FNV-1a: short, stable across runs and builds.
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex(16, '0');
  for (std::size_t i = 0; i < hex.size(); ++i) hex[15 - i] = kDigits[(hash >> (4 * i)) & 0xF];
  return hex;
}

// Where the copy of a file rewritten in place lies.
struct CopyPlace {
  std::string folder;  // "" when there is no such place
  std::string name;
};

// Beside the file as "<name>~", where its folder may be written and the
// name has room; otherwise in the program's cache folder, named after the
// file's whole path.
CopyPlace CopyPlaceOf(const std::string& resolved, bool beside) {
  const std::string folder = FolderOf(resolved);
  const std::string name = NameOf(resolved);
  if (beside && name.size() < NAME_MAX) return {folder, name + "~"};
  char* real = ::realpath(folder.c_str(), nullptr);
  const std::string key = (real != nullptr ? std::string(real) : folder) + "/" + name;
  std::free(real);
  return {CacheFolder(), name.substr(0, kCachedNameBytes) + "-" + PathHash(key) + "~"};
}

// Opens the folder at path, made (with its parents) where it is missing, for
// the user alone.
int OpenOwnFolder(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    ::mkdir(path.substr(0, slash).c_str(), 0700);
    if (slash == std::string::npos) break;
  }
  return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// The copy of the old content that a save in place keeps meanwhile.
class KeptCopy {
 public:
  KeptCopy(const CopyPlace& place, bool inCache) : place_(place), inCache_(inCache) {}

  // Writes the whole content of the file open as from to the copy's place,
  // synced, under its final name. A copy already there was left by a save
  // cut short, which may have left the file itself torn: that copy is kept
  // as it is and stands for the old content. False, with errno set, when no
  // copy can be had.
  bool Write(int from, const struct stat& like, const ReplaceOptions& options) {
    if (place_.folder.empty()) {
      errno = ENOENT;
      return false;
    }
    dir_.Reset(inCache_ ? OpenOwnFolder(place_.folder)
                        : ::open(place_.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir_.Open()) return false;
    RemoveStaleTemporaries(dir_.Get());
    Target target = TargetIn(dir_.Get(), true, place_.name);
    found_ = target.exists && S_ISREG(target.old.st_mode);
    if (found_) return true;
    // Beside the file, the copy looks like it; in the cache it is the user's
    // alone.
    if (!inCache_) target.like = like;
    target.createMode = 0600;
    return ReplaceByRename(
               target, [&](int fd) { return CopyBytes(from, fd, options); }, options) ==
           Outcome::Done;
  }

  // Puts the copy's content back into the file open as to, when this save
  // made it. It needs no room beyond what that content held before the file
  // was emptied, so a full disk does not stop it (the write of the options
  // is not used).
  bool Restore(int to) const {
    if (found_) return false;
    const Descriptor copy(
        ::openat(dir_.Get(), place_.name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    return copy.Open() && ::ftruncate(to, 0) == 0 && ::lseek(to, 0, SEEK_SET) == 0 &&
           CopyBytes(copy.Get(), to, ReplaceOptions{}) && ::fsync(to) == 0;
  }

  void Remove() const {
    ::unlinkat(dir_.Get(), place_.name.c_str(), 0);
    ::fsync(dir_.Get());
  }

 private:
  CopyPlace place_;
  bool inCache_;
  bool found_ = false;  // the copy was there before this save
  Descriptor dir_;
};

// Where a rename would change what the user sees of the file (its other
// hard links, its owner or group, a folder the user may not write), its bytes
// are rewritten in place, but only while a whole, synced copy of the old
// content exists. The file is emptied before the new bytes go in, so a save
// cut short leaves a prefix of them, which a reader can tell from a whole
// file.
std::string RewriteInPlace(const Target& target, const std::string& resolved,
                           std::string_view bytes, const ReplaceOptions& options, bool beside) {
  Descriptor file(
      ::openat(target.dir, target.name.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (!file.Open()) {
    if (errno == EACCES) return "the file may not be read, so no copy of it can be kept";
    return Reason(errno);
  }
  struct stat now {};
  if (::fstat(file.Get(), &now) != 0 || !SameFile(now, target.old))
    return "the file was replaced while it was saved";
  // Room for a longer content is reserved before the first byte changes.
  const auto size = static_cast<off_t>(bytes.size());
  if (size > now.st_size && ::fallocate(file.Get(), FALLOC_FL_KEEP_SIZE, 0, size) != 0 &&
      (errno == ENOSPC || errno == EDQUOT))
    return Reason(errno);
  const CopyPlace place = CopyPlaceOf(resolved, beside);
  KeptCopy copy(place, place.folder != FolderOf(resolved));
  if (!copy.Write(file.Get(), now, options)) {
    // A folder the user may not write holds no copy: the cache does.
    if (beside && (errno == EACCES || errno == EPERM))
      return RewriteInPlace(target, resolved, bytes, options, false);
    return "no copy of the old content could be kept (" + Reason(errno) + ")";
  }
  const bool written = ::ftruncate(file.Get(), 0) == 0 && ::lseek(file.Get(), 0, SEEK_SET) == 0 &&
                       WriteAll(file.Get(), bytes, options) && ::fsync(file.Get()) == 0;
  const int error = errno;
  if (!written) {
    // The old content goes back, so that a failed save changes nothing.
    if (!copy.Restore(file.Get()))
      return Reason(error) +
             ", and the file is only partly rewritten; a copy of its old content "
             "is kept";
  }
  copy.Remove();
  return written ? "" : Reason(error);
}

}  // namespace

FileBytes ReadRegularFile(const std::string& path, std::uint64_t limit) {
  return ReadRegularFile(path, limit, ReadWatch{});
}

FileBytes ReadRegularFile(const std::string& path, std::uint64_t limit, const ReadWatch& watch) {
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
  const auto size = static_cast<std::uint64_t>(st.st_size);
  // A watcher may stop the read long before the end: nothing is set aside
  // for the whole file then.
  if (!watch) result.bytes.reserve(static_cast<std::size_t>(size));
  std::uint64_t wanted = std::numeric_limits<std::uint64_t>::max();
  std::array<char, kReadChunk> buffer{};
  while (result.bytes.size() < wanted) {
    const std::size_t ask = static_cast<std::size_t>(
        std::min<std::uint64_t>(buffer.size(), wanted - result.bytes.size()));
    const ssize_t n = ::read(fd.Get(), buffer.data(), ask);
    if (n < 0) {
      if (errno == EINTR) continue;
      return FailureOfErrno(errno);
    }
    if (n == 0) break;
    if (result.bytes.size() + static_cast<std::uint64_t>(n) > limit)
      return ReadFailure(ReadProblem::TooLarge);
    result.bytes.append(buffer.data(), static_cast<std::size_t>(n));
    if (watch) wanted = watch(result.bytes, size);
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

  if (target.exists) {
    target.like = target.old;
    target.ownerMustStay = true;
    target.createMode = 0600;  // the old content may be private until it has the old mode
    if (target.old.st_nlink > 1) return RewriteInPlace(target, resolved, bytes, options, true);
    if (options.mayWriteFolder == false)
      return RewriteInPlace(target, resolved, bytes, options, false);
  }
  switch (ReplaceByRename(target, BytesFiller(bytes, options), options)) {
    case Outcome::Done: return "";
    case Outcome::OwnerWouldChange: return RewriteInPlace(target, resolved, bytes, options, true);
    case Outcome::FolderNotWritable:
      if (target.exists) return RewriteInPlace(target, resolved, bytes, options, false);
      return Reason(EACCES);
    default: return Reason(errno);
  }
}

std::string InPlaceCopyOf(const std::string& path) {
  std::string resolved = path;
  if (path.empty() || !FollowLinks(resolved)) return "";
  for (const bool beside : {true, false}) {
    const CopyPlace place = CopyPlaceOf(resolved, beside);
    const std::string copy = place.folder + "/" + place.name;
    struct stat st {};
    if (!place.folder.empty() && ::lstat(copy.c_str(), &st) == 0 && S_ISREG(st.st_mode))
      return copy;
  }
  return "";
}

std::string UserFolder(const char* xdgVariable, const char* belowHome) {
  const char* xdg = std::getenv(xdgVariable);
  if (xdg != nullptr && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return std::string(home) + "/" + belowHome;
  return "";
}

}  // namespace qv
