// The desktop's shell: showing a local file in the user's web browser.
#pragma once

#include <string>

namespace qv {

class ShellService {
 public:
  virtual ~ShellService() = default;
  // Shows the local file at path (absolute, or relative to the working
  // folder) in the desktop's web browser, at the section named anchor (the
  // part after "#" of its address; "" for the top). Returns false when no
  // browser could be started.
  virtual bool OpenInBrowser(const std::string& path, const std::string& anchor) = 0;
  bool OpenInBrowser(const std::string& path) { return OpenInBrowser(path, ""); }
};

}  // namespace qv
