// Opening a document through the window with the document subsystem's own
// File commands: the window is their host.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "graphs/graph.h"
#include "window/document_program.h"

namespace qv {
namespace {

using test::Program;

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
      auto graph = std::make_shared<Graph>(ws);
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
