#include "platform/wx/wx_file_dialog.h"

#include <wx/filedlg.h>

#include "platform/wx/wx_text.h"

namespace qv {

FileDialogResult WxFileDialogService::ShowOpen(const FileDialogRequest& request) {
  return Show(request, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
}

FileDialogResult WxFileDialogService::ShowSave(const FileDialogRequest& request) {
  // The toolkit asks about the name as typed; the callers complete a name
  // without an extension and ask about that one themselves.
  return Show(request, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
}

FileDialogResult WxFileDialogService::Show(const FileDialogRequest& request, long style) {
  // The proposed name is a file-system path already; only the captions are
  // the program's own Windows-1252 texts.
  wxFileDialog dialog(parent_, ToWx(request.title), wxEmptyString,
                      wxString(request.fileName.c_str(), *wxConvFileName), ToWx(request.filter),
                      style);
  if (request.filterIndex >= 1) dialog.SetFilterIndex(request.filterIndex - 1);
  FileDialogResult result;
  result.filterIndex = request.filterIndex;
  if (dialog.ShowModal() != wxID_OK) return result;
  const wxCharBuffer path = dialog.GetPath().fn_str();
  result.fileName = path.data() != nullptr ? std::string(path.data()) : std::string();
  result.filterIndex = dialog.GetFilterIndex() + 1;
  return result;
}

}  // namespace qv
