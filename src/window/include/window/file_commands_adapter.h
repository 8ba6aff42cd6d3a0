// The window's File commands are the document subsystem's FileCommands.
#pragma once

#include "documents/file_commands.h"
#include "window/document_commands.h"

namespace qv {

class FileCommandsAdapter final : public DocumentCommands {
 public:
  explicit FileCommandsAdapter(FileCommands& commands) : commands_(commands) {}

  void New2D() override { commands_.New2D(); }
  void New3D() override { commands_.New3D(); }
  void New4D() override { commands_.New4D(); }
  void Open() override { commands_.Open(); }
  bool Save() override { return commands_.Save(); }
  void SaveAs() override { commands_.SaveAs(); }
  // Only start-up opens by path: a document that cannot be opened leaves a
  // new 3D document, so the window always has a view kind and its menus.
  void OpenDocument(const std::string& path) override { commands_.OpenAtStartUp(path); }
  void OpenSample(const std::string& path) override { commands_.OpenSample(path); }
  void WriteFileAssociation() override { commands_.WriteFileAssociation(); }
  bool Modified() override { return commands_.Modified(); }

 private:
  FileCommands& commands_;
};

}  // namespace qv
