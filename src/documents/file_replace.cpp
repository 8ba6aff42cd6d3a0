#include "documents/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace qv {
namespace {

std::string TempNameBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > limit) return std::nullopt;
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::string ReplaceFile(const std::string& path, const std::string& bytes) {
  if (path.empty()) return "no file name";
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return "it is a folder";
  const std::string temp = TempNameBeside(path);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return std::strerror(errno);
  bool ok = WriteAll(fd, bytes);
  int error = ok ? 0 : errno;
  if (ok && exists) ::fchmod(fd, old.st_mode & 07777);
  if (ok && ::fsync(fd) != 0) { ok = false; error = errno; }
  if (::close(fd) != 0 && ok) { ok = false; error = errno; }
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) { ok = false; error = errno; }
  if (!ok) {
    ::unlink(temp.c_str());
    return std::strerror(error);
  }
  return "";
}

}  // namespace qv
