// A shell service for tests: records every file it is asked to show and
// answers as scripted (a browser that starts, unless told otherwise).
#pragma once

#include <string>
#include <vector>

#include "platform/shell.h"

namespace qv::test {

class ScriptedShell final : public ShellService {
 public:
  using ShellService::OpenInBrowser;
  void SetBrowserStarts(bool starts) { starts_ = starts; }
  bool OpenInBrowser(const std::string& path, const std::string& anchor) override {
    opened_.push_back(path);
    anchors_.push_back(anchor);
    return starts_;
  }
  // The paths asked for, in order, and the anchor of each ("" for none).
  const std::vector<std::string>& Opened() const { return opened_; }
  const std::vector<std::string>& Anchors() const { return anchors_; }

 private:
  bool starts_ = true;
  std::vector<std::string> opened_;
  std::vector<std::string> anchors_;
};

}  // namespace qv::test
