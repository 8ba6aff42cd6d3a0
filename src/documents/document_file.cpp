#include "documents/document_file.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>

#include "document_tokens.h"
#include "path_text.h"
#include "platform/file_replace.h"

namespace qv {
namespace {

// The largest file that can hold a sound document. A document is at most
// kMaxDocumentTokens items of at most kMaxTokenChars characters, each with
// its blank, behind the container's head (8 bytes in the long form). The
// data sheet (20000 rows of 4 cells), the panel boxes and the graph records
// (at most kMaxDocumentTokens / 36 graphs) all lie within those items, so
// 8 + 500000 * 1001 = 500500008 bytes (about 477 MiB) bounds every one. A
// larger file is refused before any of it is read.
constexpr std::uint64_t kMaxDocumentFileBytes =
    8 + std::uint64_t{kMaxDocumentTokens} * (kMaxTokenChars + 1);

// A run of this many bytes without a blank is refused while the file is
// read: no item may hold more than kMaxTokenChars characters, and keeping
// such a run would only cost memory. Shorter overlong items are left to the
// reader, which says where they lie.
constexpr std::size_t kMaxReadRun = std::size_t{16} << 20;

// Watches the read of a document file: it stops it at the end of the
// container's text, at once when the length field claims more text than the
// file holds, and at a run of bytes that no item can be.
class ContainerWatch {
 public:
  std::uint64_t operator()(std::string_view soFar, std::uint64_t fileSize);
  const std::string& Problem() const { return problem_; }
  bool CutShort() const { return cutShort_; }

 private:
  std::uint64_t Stop(std::string problem) {
    problem_ = std::move(problem);
    return 0;
  }

  bool headRead_ = false;
  std::uint64_t end_ = std::numeric_limits<std::uint64_t>::max();
  std::size_t scanned_ = 0;  // bytes of soFar looked at
  std::size_t run_ = 0;      // bytes since the last blank
  std::string problem_;
  bool cutShort_ = false;
};

std::uint64_t ContainerWatch::operator()(std::string_view soFar, std::uint64_t fileSize) {
  if (!headRead_) {
    const ContainerHead head = ReadContainerHead(soFar);
    if (!head.complete) return end_;
    if (!head.problem.empty()) return Stop(head.problem);
    end_ = head.textStart + head.textLength;
    if (end_ > fileSize) {
      cutShort_ = true;
      return Stop("the file is cut short");
    }
    headRead_ = true;
    scanned_ = head.textStart;
  }
  const auto until = static_cast<std::size_t>(std::min<std::uint64_t>(soFar.size(), end_));
  while (scanned_ < until) {
    const void* blank = std::memchr(soFar.data() + scanned_, ' ', until - scanned_);
    const std::size_t stop =
        blank != nullptr ? static_cast<std::size_t>(static_cast<const char*>(blank) - soFar.data())
                         : until;
    run_ += stop - scanned_;
    if (run_ > kMaxReadRun) return Stop("an item holds more than 1000 characters");
    if (blank == nullptr) {
      scanned_ = until;
    } else {
      run_ = 0;
      scanned_ = stop + 1;
    }
  }
  return end_;
}

ContainerText Refused(std::string problem, bool cutShort) {
  ContainerText value;
  value.problem = std::move(problem);
  value.cutShort = cutShort;
  return value;
}

}  // namespace

ContainerText ReadDocumentFile(const std::string& path) {
  ContainerWatch watch;
  FileBytes read = ReadRegularFile(path, kMaxDocumentFileBytes, std::ref(watch));
  ContainerText value;
  if (!read.Ok()) {
    value = Refused(ReadProblemText(read, "the file is larger than any document can be"), false);
  } else if (!watch.Problem().empty()) {
    value = Refused(watch.Problem(), watch.CutShort());
  } else if (read.bytes.empty()) {
    // A save in place empties the file before it writes it anew: beside
    // its copy, an empty file is one cut short.
    value.ok = true;
    value.cutShort = true;
  } else {
    value = DecodeContainerInPlace(std::move(read.bytes));
  }
  if (!value.cutShort) return value;
  const std::string copy = InPlaceCopyOf(path);
  if (copy.empty()) return value;
  value.ok = false;
  if (value.problem.empty()) value.problem = "the file is empty";
  value.problem += "; a save into it did not end, and the document as it was before is kept in " +
                   QuotedPath(copy);
  return value;
}

}  // namespace qv
