// Opening a document through the window with the document subsystem's own
// File commands: the window is their host.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "documents/file_association.h"
#include "documents/file_commands.h"
#include "graphs/graph.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_message_box.h"
#include "window/main_window_core.h"
#include "window/window_fakes.h"

namespace qv {
namespace {

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
  void WriteFileAssociation() override { files_.WriteFileAssociation(); }

 private:
  FileCommands& files_;
};

// One main window with its File commands, writing into folder.
struct Program {
  explicit Program(const std::filesystem::path& folder)
      : association(AssociationPaths{folder.string(), '/'}, folder.string()) {
    core.SetDocumentCommands(&commands);
    core.Start("", 15.0);
  }

  test::FakeView view;
  test::ScriptedMessageBox messages;
  test::ScriptedFileDialog dialogs;
  NullEventPump pump;
  MainWindowCore core{view, {messages, dialogs, pump}};
  FileAssociation association;
  FileCommands files{core.Shared(), core, association};
  RealCommands commands{files};
};

class DocumentLoadTest : public testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("qv-window-load-" + std::to_string(getpid()) + "-" +
              testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::filesystem::path folder;
};

// Guards the load of n graphs: the scene is built once, at its end, and the
// first check still fits the view.
TEST_F(DocumentLoadTest, ADocumentOfThreeGraphsBuildsTheSceneOnce) {
  const std::string path = (folder / "three graphs.qrv").string();
  {
    Program source(folder);
    MainWindowCore& core = source.core;
    DataPanel& panel = core.Panel();
    panel.SetKindIndex(kRegularSurface);
    panel.SetText(1, "3");
    panel.SetText(2, "2");
    core.OnDataPanelOk();
    for (Long row = 1; row <= 6; ++row) {
      core.Sheet().CellEdited(row, 1, CStr((row - 1) / 2));
      core.Sheet().CellEdited(row, 2, CStr((row - 1) % 2));
      core.Sheet().CellEdited(row, 3, CStr(row));
    }
    Workspace& ws = core.Shared();
    for (Long id = 1; id <= 3; ++id) {
      auto graph = std::make_shared<Graph>();
      graph->SetID(id);
      graph->GraphType = kSurfaceModel;
      graph->StepU = 2;
      graph->StepV = 1;
      ws.allGraphs.Items.Add(graph, CStr(id));
      core.AddListEntry("Surface Model");
      core.SetListChecked(id - 1, true);
    }
    source.dialogs.Choose(path);
    ASSERT_TRUE(source.files.Save());
  }

  Program opened(folder);
  const Long builds = opened.core.BuildCount();
  const Long displays = opened.core.DisplayCount();
  opened.core.OpenDocumentPath(path);
  EXPECT_TRUE(opened.messages.Shown().empty()) << opened.messages.Texts().front();
  EXPECT_EQ(opened.core.BuildCount() - builds, 1);
  EXPECT_EQ(opened.core.DisplayCount() - displays, 1);
  EXPECT_EQ(opened.core.Shared().allGraphs.Items.Count(), 3);
  EXPECT_EQ(opened.core.Shared().shownGraphs.Items.Count(), 3);
  EXPECT_EQ(opened.core.List().ListCount(), 3);
  EXPECT_FALSE(opened.core.Flags().FitPending);
  EXPECT_NE(opened.core.Shared().camera.VolHeight, 40.0);  // fitted at the first check
  EXPECT_FALSE(opened.core.InSceneBatch());
}

}  // namespace
}  // namespace qv
