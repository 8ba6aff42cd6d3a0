#include "platform/wx/wx_file_dialog.h"

#include <wx/filedlg.h>

#include "platform/text_encoding.h"

namespace qv {
namespace {

wxString FromCp1252(const std::string& text) { return wxString::FromUTF8(Cp1252ToUtf8(text)); }

}  // namespace

FileDialogResult WxFileDialogService::ShowOpen(const FileDialogRequest& request) {
  return Show(request, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
}

FileDialogResult WxFileDialogService::ShowSave(const FileDialogRequest& request) {
  return Show(request, wxFD_SAVE);
}

FileDialogResult WxFileDialogService::Show(const FileDialogRequest& request, long style) {
  // The proposed name is a file-system path already; only the captions are
  // the program's own Windows-1252 texts.
  wxFileDialog dialog(parent_, FromCp1252(request.title), wxEmptyString,
                      wxString(request.fileName.c_str(), *wxConvFileName),
                      FromCp1252(request.filter), style);
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
