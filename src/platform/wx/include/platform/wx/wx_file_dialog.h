// The file-dialog service over wxFileDialog.
#pragma once

#include <wx/window.h>

#include "platform/file_dialog.h"

namespace qv {

class WxFileDialogService final : public FileDialogService {
 public:
  // Dialogs are shown over parent (may be null); it must outlive the service.
  explicit WxFileDialogService(wxWindow* parent) : parent_(parent) {}

  FileDialogResult ShowOpen(const FileDialogRequest& request) override;
  FileDialogResult ShowSave(const FileDialogRequest& request) override;

 private:
  FileDialogResult Show(const FileDialogRequest& request, long style);

  wxWindow* parent_;
};

}  // namespace qv
