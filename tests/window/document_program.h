// One main window with the document subsystem's own File commands as its
// host, for tests that open and save real documents through the window.
#pragma once

#include <filesystem>
#include <string>

#include "documents/file_association.h"
#include "documents/file_commands.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_message_box.h"
#include "support/scripted_work_runner.h"
#include "window/document_commands.h"
#include "window/main_window_core.h"
#include "window/window_fakes.h"

namespace qv::test {

// The File commands the window calls, run by the document subsystem.
class RealCommands final : public DocumentCommands {
 public:
  explicit RealCommands(FileCommands& files) : files_(files) {}
  void New2D() override { files_.New2D(); }
  void New3D() override { files_.New3D(); }
  void New4D() override { files_.New4D(); }
  void Open() override { files_.Open(); }
  bool Save() override { return files_.Save(); }
  void SaveAs() override { files_.SaveAs(); }
  void OpenDocument(const std::string& path) override { files_.OpenDocument(path); }
  void OpenSample(const std::string& path) override { files_.OpenSample(path); }
  void WriteFileAssociation() override { files_.WriteFileAssociation(); }
  bool Modified() override { return files_.Modified(); }

 private:
  FileCommands& files_;
};

// One main window with its File commands, writing its association into
// folder. The window starts as the program does, with a new 3D document, as
// if the program lay in programFolder (where its samples are looked for).
struct Program {
  explicit Program(const std::filesystem::path& folder, const std::string& programFolder = "")
      : association(AssociationPaths{folder.string(), '/'}, folder.string()) {
    core.SetDocumentCommands(&commands);
    core.Start("", 15.0, programFolder);
  }

  FakeView view;
  ScriptedMessageBox messages;
  ScriptedFileDialog dialogs;
  ScriptedWorkRunner work;
  MainWindowCore core{view, {messages, dialogs, work}};
  FileAssociation association;
  FileCommands files{core.Shared(), core, association};
  RealCommands commands{files};
};

}  // namespace qv::test
