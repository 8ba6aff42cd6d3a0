#include "platform/file_dialog.h"

#include <cstddef>

namespace qv {

std::string FilterExtension(const std::string& filter, int filterIndex) {
  if (filterIndex < 1) return "";
  // Pairs of description and pattern: the pattern of pair n is item 2n - 1
  // (from 0) of the items between the bars.
  const std::size_t wanted = 2 * static_cast<std::size_t>(filterIndex) - 1;
  std::size_t start = 0;
  for (std::size_t item = 0; item < wanted; ++item) {
    start = filter.find('|', start);
    if (start == std::string::npos) return "";
    ++start;
  }
  const std::size_t end = filter.find_first_of("|;", start);
  const std::string pattern = filter.substr(start, end == std::string::npos ? end : end - start);
  if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0) return "";
  const std::string extension = pattern.substr(1);
  if (extension.find_first_of("*?[]/ ", 1) != std::string::npos) return "";
  return extension;
}

std::string WithFilterExtension(const std::string& path, const std::string& filter,
                                int filterIndex) {
  const std::string extension = FilterExtension(filter, filterIndex);
  const std::size_t slash = path.rfind('/');
  const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
  if (extension.empty() || nameAt >= path.size()) return path;
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot <= nameAt) return path + extension;
  if (dot + 1 == path.size()) return path + extension.substr(1);
  return path;
}

}  // namespace qv
