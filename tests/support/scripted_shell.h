// A shell service for tests: records every file it is asked to show and
// answers as scripted (a browser that starts, unless told otherwise).
#pragma once

#include <string>
#include <vector>

#include "platform/shell.h"

namespace qv::test {

class ScriptedShell final : public ShellService {
 public:
  void SetBrowserStarts(bool starts) { starts_ = starts; }
  bool OpenInBrowser(const std::string& path) override {
    opened_.push_back(path);
    return starts_;
  }
  const std::vector<std::string>& Opened() const { return opened_; }

 private:
  bool starts_ = true;
  std::vector<std::string> opened_;
};

}  // namespace qv::test
