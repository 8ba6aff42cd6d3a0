// A file's path as the messages name it.
#pragma once

#include <string>

namespace qv {

// The path (UTF-8, as the file system has it) in quotes, in the messages'
// Windows-1252; a character that it cannot hold shows as "?".
std::string QuotedPath(const std::string& path);

}  // namespace qv
