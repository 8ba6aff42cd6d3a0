// Reading a whole file, and replacing a file safely: the new bytes go to a
// temporary file in the same folder, which is then renamed over the old one,
// so a failed write never damages the existing file and no stale tail stays.
#pragma once

#include <optional>
#include <string>

namespace qv {

// The bytes of the file at path (a file-system path), or nullopt when it
// cannot be opened or read. Files above limit bytes are refused (nullopt).
std::optional<std::string> ReadWholeFile(const std::string& path,
                                         std::size_t limit = std::size_t{1} << 30);

// Writes bytes to path through a temporary file and a rename. Returns "" on
// success, otherwise a short reason (the old file, if any, is untouched and
// the temporary file removed). A new file gets the usual permissions (0666
// less the umask); an existing file keeps its own.
std::string ReplaceFile(const std::string& path, const std::string& bytes);

}  // namespace qv
