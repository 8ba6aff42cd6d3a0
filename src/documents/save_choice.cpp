#include "save_choice.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "path_text.h"

namespace qv {
namespace {

// Anything at path, a dangling link too: saving would replace it.
bool SomethingAt(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

std::string ReplaceQuestion(const std::string& path) {
  return "The file " + QuotedPath(path) + " already exists. Do you want to replace it?";
}

}  // namespace

FileDialogResult ChooseFileToSave(FileDialogService& dialogs, MessageBoxService& messages,
                                  const FileDialogRequest& request) {
  FileDialogResult chosen = dialogs.ShowSave(request);
  if (chosen.Cancelled()) return chosen;
  const std::string completed =
      WithFilterExtension(chosen.fileName, request.filter, chosen.filterIndex);
  if (completed != chosen.fileName && SomethingAt(completed) &&
      messages.Show(ReplaceQuestion(completed), "Note", MsgIcon::Exclamation, MsgButtons::YesNo) !=
          MsgAnswer::Yes) {
    return FileDialogResult{"", chosen.filterIndex};
  }
  chosen.fileName = completed;
  return chosen;
}

}  // namespace qv
