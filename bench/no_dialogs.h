// A file-dialog service for benchmarks: every dialog is cancelled, so a
// benchmark never waits on one.
#pragma once

#include "platform/file_dialog.h"

namespace qv::bench {

class NoDialogs final : public FileDialogService {
 public:
  FileDialogResult ShowOpen(const FileDialogRequest&) override { return {}; }
  FileDialogResult ShowSave(const FileDialogRequest&) override { return {}; }
};

}  // namespace qv::bench
