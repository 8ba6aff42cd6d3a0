// The shell service over the desktop's opener (xdg-open): the toolkit's own
// browser launch reports success whenever the opener starts, even when it
// then finds no browser.
#pragma once

#include "platform/shell.h"

namespace qv {

class WxShell final : public ShellService {
 public:
  using ShellService::OpenInBrowser;
  // path is UTF-8. Runs the opener on the file's URL (with "#" and the
  // anchor when there is one) and waits up to two seconds for its answer: an
  // exit with failure, or no opener at all, is false; a success, or an
  // opener still running (it then runs the browser itself), is true.
  bool OpenInBrowser(const std::string& path, const std::string& anchor) override;
};

}  // namespace qv
