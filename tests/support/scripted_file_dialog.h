// A file-dialog service for tests: records every request and answers from a
// script (a cancelled dialog when the script runs out).
#pragma once

#include <deque>
#include <vector>

#include "platform/file_dialog.h"

namespace qv::test {

struct ShownFileDialog {
  bool save = false;  // a save dialog (true) or an open dialog (false)
  FileDialogRequest request;
};

class ScriptedFileDialog final : public FileDialogService {
 public:
  // Answers given in order; an empty fileName answers as a cancelled dialog.
  void Script(std::vector<FileDialogResult> answers) {
    answers_.assign(answers.begin(), answers.end());
  }
  // Appends one answer choosing fileName with the filter filterIndex.
  void Choose(const std::string& fileName, int filterIndex = 1) {
    answers_.push_back({fileName, filterIndex});
  }
  void Cancel() { answers_.push_back({"", 1}); }

  FileDialogResult ShowOpen(const FileDialogRequest& request) override {
    return Answer(false, request);
  }
  FileDialogResult ShowSave(const FileDialogRequest& request) override {
    return Answer(true, request);
  }

  const std::vector<ShownFileDialog>& Shown() const { return shown_; }
  void Clear() { shown_.clear(); }

 private:
  FileDialogResult Answer(bool save, const FileDialogRequest& request);

  std::deque<FileDialogResult> answers_;
  std::vector<ShownFileDialog> shown_;
};

}  // namespace qv::test
