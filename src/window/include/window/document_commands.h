// The File commands as the main window calls them. The program wires them
// to the document subsystem's commands; tests use a scripted fake. Each runs
// with the window as its host.
#pragma once

#include <string>

namespace qv {

class DocumentCommands {
 public:
  virtual ~DocumentCommands() = default;
  virtual void New2D() = 0;
  virtual void New3D() = 0;
  virtual void New4D() = 0;
  virtual void Open() = 0;
  // File > Save; returns true when the document was written, false when the
  // user cancelled the dialog or the save failed.
  virtual bool Save() = 0;
  virtual void SaveAs() = 0;
  // Opens the document at path (the command line at start-up).
  virtual void OpenDocument(const std::string& path) = 0;
  // A Demo menu item: opens the sample document at path as File > Open
  // opens the file it is given, offering to save the shown graphs first. A
  // sample that is missing or refused is reported and the open document
  // stays.
  virtual void OpenSample(const std::string& path) = 0;
  // Writes the document file association at start-up.
  virtual void WriteFileAssociation() = 0;
  // Whether the document changed since it was last opened, made new or
  // saved; the close asks to save only then.
  virtual bool Modified() = 0;
};

}  // namespace qv
