#include "platform/wx/wx_shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <wx/filename.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace qv {

bool WxShell::OpenInBrowser(const std::string& path, const std::string& anchor) {
  wxFileName file(wxString::FromUTF8(path));
  file.MakeAbsolute();
  std::string url = wxFileName::FileNameToURL(file).utf8_string();
  if (!anchor.empty()) url += "#" + anchor;
  char opener[] = "xdg-open";
  std::string argument = url;
  char* argv[] = {opener, argument.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, opener, nullptr, nullptr, argv, environ) != 0) return false;
  const auto end = std::chrono::steady_clock::now() + answerWait_;
  while (std::chrono::steady_clock::now() < end) {
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (done < 0) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // The opener runs the browser in its own place: it is waited for apart,
  // so that it leaves no zombie behind.
  std::thread([pid] {
    int status = 0;
    waitpid(pid, &status, 0);
  }).detach();
  return true;
}

}  // namespace qv
