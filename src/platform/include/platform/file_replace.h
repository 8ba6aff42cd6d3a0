// Reading the files the program opens and writing every file it saves
// (documents, pictures, text output).
//
// Reading follows links, opens only a regular file, refuses one above a
// stated size before reading any of it and never waits on a pipe or a device.
//
// Writing replaces a file safely: the new bytes go to a temporary file in the
// target's own folder, which then takes the target's name, so a failed write
// never damages the existing file and no stale tail stays. The temporary file
// is unnamed where the file system allows it (nothing is left when the
// program dies); elsewhere it is named ".qrv-XXXXXX.tmp", a fixed length that
// fits beside any legal file name, and the next save into that folder removes
// such files that no running save holds.
//
// A symbolic link is kept: its target is written. Where the rename would
// change what the user sees of the file (its other hard links, its owner or
// group, a folder the user may not write although the file may be), the file
// is rewritten in place instead, with a whole copy of its old content kept
// meanwhile (see ReplaceFile). A file without write permission is refused,
// whoever runs the program.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// Why a file could not be read.
enum class ReadProblem {
  None,
  Missing,     // no such file (or a folder on its path is missing)
  Folder,      // it is a folder
  NotRegular,  // a pipe, a device or a socket
  TooLarge,    // larger than the limit
  Unreadable,  // it exists but cannot be read; detail says why
};

struct FileBytes {
  ReadProblem problem = ReadProblem::None;
  std::string bytes;   // the file's bytes when problem is None
  std::string detail;  // the system's words for Unreadable ("Permission denied")
  bool Ok() const { return problem == ReadProblem::None; }
};

// Reads the regular file at path (links followed), at most limit bytes. A
// larger file, or one that grows past limit while it is read, is refused.
FileBytes ReadRegularFile(const std::string& path, std::uint64_t limit);

// Looks at a file while ReadRegularFile reads it: called after each piece
// with all bytes read so far and the size the file had when it was opened,
// it returns how many bytes of the file are wanted in all. Reading stops
// once that many are read, so an answer no larger than what was read stops
// it at once (the watcher keeps why).
using ReadWatch = std::function<std::uint64_t(std::string_view soFar, std::uint64_t fileSize)>;

// ReadRegularFile, read no further than watch wants. The bytes read are the
// result, without any more of the file.
FileBytes ReadRegularFile(const std::string& path, std::uint64_t limit, const ReadWatch& watch);

// Why read failed, in words that follow "could not be ...: "; tooLarge says
// it for a file above the limit, which each kind of file words its own way.
std::string ReadProblemText(const FileBytes& read, std::string_view tooLarge);

// The bytes of the regular file at path, or nullopt when it cannot be read
// or is larger than limit.
std::optional<std::string> ReadWholeFile(const std::string& path,
                                         std::uint64_t limit = std::uint64_t{1} << 30);

// How ReplaceFile writes; the defaults are what the program uses.
struct ReplaceOptions {
  // Stands for ::write (tests give one that fails, as on a full disk).
  std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
  // False: always use a named temporary file, as on a file system without
  // unnamed ones.
  bool unnamedTemporary = true;
  // Stand for the user's rights, for tests that run as root (who may give
  // any file away and write any folder); unset, the system decides.
  std::optional<bool> mayKeepOwner;    // a new file may get the old one's owner and group
  std::optional<bool> mayWriteFolder;  // new files may be made in the target's folder
};

// Names of the named temporary files: prefix, six letters or digits, suffix.
inline constexpr std::string_view kTemporaryPrefix = ".qrv-";
inline constexpr std::string_view kTemporarySuffix = ".tmp";

// Writes bytes to the file at path (a file-system path) as described above.
// Returns "" on success, otherwise a short reason ("the file is read-only",
// "the folder does not exist", "the disk is full", ...); the old file, if
// any, is then untouched and no temporary file is left.
//
// A file with several hard links, one whose owner or group a rename would
// change, or one in a folder the user may not write is rewritten in place,
// so that it stays the same file. That is not atomic, so first a whole,
// synced copy of the old content is made: beside the file as "<name>~", or,
// where its folder may not be written, in the program's folder of the
// user's cache folder ($XDG_CACHE_HOME or ~/.cache, then "quorvel"). Then
// the file is emptied, the new bytes are written and synced, and the copy is
// removed. A save cut short on the way leaves the old file whole, or a
// prefix of the new bytes beside the whole copy (InPlaceCopyOf finds it). A
// copy that is there already, left by such a save, is kept as it stands (the
// file may be torn) until a save succeeds. A save that fails puts the old
// content back from the copy it made.
//
// A new file gets the usual permissions (0666 less the umask); an existing
// file keeps its mode, owner and group (the owner only where a rename could
// keep it: otherwise the save is one in place). Access control lists and
// extended attributes are not kept by a rename.
std::string ReplaceFile(const std::string& path, std::string_view bytes,
                        const ReplaceOptions& options = {});

// The copy of the file at path that a save in place keeps while it writes,
// when one is there (a save was cut short, or is running); "" otherwise.
std::string InPlaceCopyOf(const std::string& path);

// The user's folder that the XDG variable names when it holds an absolute
// path, else belowHome inside $HOME ("" without a home): where the program
// keeps what it writes for this user.
std::string UserFolder(const char* xdgVariable, const char* belowHome);

}  // namespace qv
