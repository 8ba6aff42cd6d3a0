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
// A symbolic link is kept: its target is written. A file with several hard
// links keeps them: after the temporary file is whole, its bytes are copied
// over the target in place (see ReplaceFile). A file without write
// permission is refused, whoever runs the program.
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
};

// Names of the named temporary files: prefix, six letters or digits, suffix.
inline constexpr std::string_view kTemporaryPrefix = ".qrv-";
inline constexpr std::string_view kTemporarySuffix = ".tmp";

// Writes bytes to the file at path (a file-system path) as described above.
// Returns "" on success, otherwise a short reason ("the file is read-only",
// "the folder does not exist", "the disk is full", ...); the old file, if
// any, is then untouched and no temporary file is left.
//
// A file with several hard links is rewritten in place, so that every link
// sees the new bytes. That copy is not atomic: until it ends and is synced,
// a reader or a crash can meet a mix of old and new bytes. The whole new
// content is written and synced beside it first and the target's space is
// reserved, so a full disk is found before the target is touched.
//
// A new file gets the usual permissions (0666 less the umask); an existing
// file keeps its mode, and its owner where the program may keep it.
std::string ReplaceFile(const std::string& path, std::string_view bytes,
                        const ReplaceOptions& options = {});

}  // namespace qv
