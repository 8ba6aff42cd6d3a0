#include "scripted_file_dialog.h"

namespace qv::test {

FileDialogResult ScriptedFileDialog::Answer(bool save, const FileDialogRequest& request) {
  shown_.push_back({save, request});
  if (answers_.empty()) return {"", request.filterIndex};
  FileDialogResult answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace qv::test
