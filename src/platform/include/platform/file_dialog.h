// The file-dialog service: the open and save dialogs of the File menu and of
// the data import and export commands. The window injects the toolkit's
// implementation; tests inject a scripted fake.
#pragma once

#include <string>

namespace qv {

// What the caller sets before the dialog is shown.
struct FileDialogRequest {
  // Caption of the dialog ("Open File", "Save", "Save As").
  std::string title;
  // Pairs of description and pattern separated by "|", e.g.
  // "*.qrv|*.qrv|*.bmp|*.bmp" (the toolkit's own filter syntax).
  std::string filter;
  // Filter selected when the dialog opens, counted from 1.
  int filterIndex = 1;
  // File name proposed in the dialog; "" for none.
  std::string fileName;
};

// What the user chose. A cancelled dialog gives an empty fileName.
struct FileDialogResult {
  // Full path in the file system's own encoding, or "" when cancelled.
  std::string fileName;
  // Filter selected when the dialog closed, counted from 1.
  int filterIndex = 1;

  bool Cancelled() const { return fileName.empty(); }
};

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  // Shows a dialog that picks an existing file. Never throws; a cancelled
  // dialog gives an empty fileName.
  virtual FileDialogResult ShowOpen(const FileDialogRequest& request) = 0;
  // Shows a dialog that names a file to write. It asks before replacing the
  // file named as typed; a name that WithFilterExtension completes is the
  // caller's to ask about. Never throws.
  virtual FileDialogResult ShowSave(const FileDialogRequest& request) = 0;
};

// The extension (".txt") that filter number filterIndex (from 1) of a filter
// text names: the first pattern of the pair, when it is "*." and a plain
// extension. "" for "*.*", "*", an index outside the filter, or a pattern
// that is no plain extension.
std::string FilterExtension(const std::string& filter, int filterIndex);

// path, with the chosen filter's extension added when its file name (what
// follows the last '/') has none: a name has an extension when it holds a
// '.' that is neither its first character (".profile" has none) nor its
// last ("out." becomes "out.txt"). So "out1" becomes "out1.txt", while
// "out1.csv", "OUT1.TXT" and "v1.5" stay; dots in the folders do not count.
std::string WithFilterExtension(const std::string& path, const std::string& filter,
                                int filterIndex);

}  // namespace qv
