// The shell service over the desktop's opener (xdg-open): the toolkit's own
// browser launch reports success whenever the opener starts, even when it
// then finds no browser.
#pragma once

#include <chrono>

#include "platform/shell.h"

namespace qv {

class WxShell final : public ShellService {
 public:
  // answerWait: how long the opener may take to answer (tests on a busy
  // machine give it longer).
  explicit WxShell(std::chrono::milliseconds answerWait = std::chrono::seconds(2))
      : answerWait_(answerWait) {}
  using ShellService::OpenInBrowser;
  // path is UTF-8. Runs the opener on the file's URL (with "#" and the
  // anchor when there is one) and waits up to answerWait for its answer: an
  // exit with failure, or no opener at all, is false; a success, or an
  // opener still running (it then runs the browser itself), is true.
  bool OpenInBrowser(const std::string& path, const std::string& anchor) override;

 private:
  std::chrono::milliseconds answerWait_;
};

}  // namespace qv
