// Opening a document through the window with the document subsystem's own
// File commands: the window is their host.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "graphs/graph.h"
#include "window/document_program.h"

namespace qv {
namespace {

using test::Program;
using test::TypeSmallSurface;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class DocumentLoadTest : public testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("qv-window-load-" + std::to_string(getpid()) + "-" +
              testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  // Writes, through a window of its own, a regular 3 x 2 surface document
  // with three (or count) surface graphs to path.
  void WriteThreeGraphDocument(const std::string& path, Long count = 3) {
    Program source(folder);
    MainWindowCore& core = source.core;
    TypeSmallSurface(core, [](Long i, Long j) { return static_cast<double>(i * 2 + j + 1); });
    Workspace& ws = core.Shared();
    for (Long id = 1; id <= count; ++id) {
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

  std::filesystem::path folder;
};

// Guards the load of n graphs: the scene is built once, at its end, and the
// first check still fits the view.
TEST_F(DocumentLoadTest, ADocumentOfThreeGraphsBuildsTheSceneOnce) {
  const std::string path = (folder / "three graphs.qrv").string();
  WriteThreeGraphDocument(path);

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

// A document of thousands of graphs kept the window busy for minutes: the
// view was shown the list anew for every entry added and checked. It is
// shown the models as often for thirty graphs as for one.
TEST_F(DocumentLoadTest, TheViewShowsTheListOncePerOpenNotOncePerEntry) {
  std::vector<int> shown;
  for (const Long count : {1, 30}) {
    const std::string path = (folder / ("graphs " + CStr(count) + ".qrv")).string();
    WriteThreeGraphDocument(path, count);
    Program opened(folder);
    const int before = opened.view.modelsChanged;
    opened.core.OpenDocumentPath(path);
    ASSERT_TRUE(opened.messages.Shown().empty()) << opened.messages.Texts().front();
    ASSERT_EQ(opened.core.Shared().shownGraphs.Items.Count(), count);
    shown.push_back(opened.view.modelsChanged - before);
  }
  EXPECT_EQ(shown[0], shown[1]);
}

// A size refused in the panel of an opened document once stayed in the
// boxes, and the document could no longer be saved. The boxes go back to the
// document's counts, and saving writes the document as it was.
TEST_F(DocumentLoadTest, RefusedPanelSizeLeavesTheOpenedDocumentSaveable) {
  const std::string path = (folder / "refused size.qrv").string();
  WriteThreeGraphDocument(path);
  const std::string original = ReadFile(path);
  ASSERT_FALSE(original.empty());

  Program opened(folder);
  opened.core.OpenDocumentPath(path);
  ASSERT_TRUE(opened.messages.Shown().empty()) << opened.messages.Texts().front();
  DataPanelModel& panel = opened.core.PanelModel();
  panel.texts[1].text = "200";  // as typed: 200 x 200 rows
  panel.texts[2].text = "200";
  opened.core.OnDataPanelOk();
  EXPECT_EQ(opened.messages.Texts(), std::vector<std::string>{kSheetTooLargeMessage});
  EXPECT_EQ(panel.texts[1].text, "3");
  EXPECT_EQ(panel.texts[2].text, "2");

  std::filesystem::remove(path);
  opened.dialogs.Choose(path);
  EXPECT_TRUE(opened.files.Save());
  EXPECT_EQ(opened.messages.Texts().size(), 1u);
  EXPECT_EQ(ReadFile(path), original);
}

// A document made from the start-up panel, whose sheet is untouched, saves
// and opens again: the start counts size exactly the start sheet.
TEST_F(DocumentLoadTest, StartUpPanelSavesAndOpensAgain) {
  const std::string path = (folder / "fresh.qrv").string();
  {
    Program fresh(folder);
    Workspace& ws = fresh.core.Shared();
    auto graph = std::make_shared<Graph>();
    graph->SetID(1);
    graph->GraphType = kSurfaceModel;
    ws.allGraphs.Items.Add(graph, "1");
    fresh.core.AddListEntry("Surface Model");
    fresh.core.SetListChecked(0, true);
    fresh.dialogs.Choose(path);
    ASSERT_TRUE(fresh.files.Save()) << fresh.messages.Texts().front();
  }
  Program opened(folder);
  opened.core.OpenDocumentPath(path);
  EXPECT_TRUE(opened.messages.Shown().empty()) << opened.messages.Texts().front();
  EXPECT_EQ(opened.core.Shared().allGraphs.Items.Count(), 1);
  EXPECT_EQ(opened.core.PanelModel().texts[1].text, "10");
  EXPECT_EQ(opened.core.Sheet().Rows(), 101);
}

// A document whose points its method cannot grid (a quadratic fit needs six)
// used to be refused whole. It opens, says so once, and the user picks
// another method in the data panel and grids again with OK.
TEST_F(DocumentLoadTest, UngriddableDataOpensAndGridsAgainByAnotherMethod) {
  const std::string path = (folder / "five points.qrv").string();
  {
    Program source(folder);
    MainWindowCore& core = source.core;
    core.OnDataKindChosen(kIrregularSurface);
    DataPanelModel& panel = core.PanelModel();
    for (const auto& [box, text] : std::vector<std::pair<int, std::string>>{
             {3, "5"}, {1, "0"}, {2, "4"}, {4, "3"}, {5, "0"}, {6, "4"}, {7, "3"}})
      panel.texts[static_cast<std::size_t>(box)].text = text;
    core.OnDataPanelOk();
    const double points[5][3] = {{0, 0, 1}, {4, 0, 2}, {0, 4, 3}, {4, 4, 4}, {2, 1, 5}};
    for (Long row = 1; row <= 5; ++row) {
      for (Long column = 1; column <= 4; ++column)
        core.Sheet().SetCellText(row, column,
                                 FormatDouble(points[row - 1][std::min<Long>(column, 3) - 1]));
    }
    core.OnGridMethodChosen(5);
    auto graph = std::make_shared<Graph>();
    graph->SetID(1);
    graph->GraphType = kSurfaceModel;
    core.Shared().allGraphs.Items.Add(graph, "1");
    core.AddListEntry("Surface Model");
    core.SetListChecked(0, true);
    source.messages.Clear();
    source.dialogs.Choose(path);
    ASSERT_TRUE(source.files.Save());
    ASSERT_TRUE(source.messages.Shown().empty()) << source.messages.Texts().front();
  }

  Program opened(folder);
  opened.core.OpenDocumentPath(path);
  EXPECT_EQ(
      opened.messages.Texts(),
      std::vector<std::string>{"Can not generate a regular data grid, please try another method."});
  MainWindowCore& core = opened.core;
  EXPECT_EQ(core.Shared().shownGraphs.Items.Count(), 1);
  EXPECT_EQ(core.PanelGridMethod(), 5);
  EXPECT_EQ(core.Shared().dataSet.Points(), 5);
  EXPECT_EQ(core.Shared().dataSet.Reg3DZ(1, 1), 0.0);

  core.OnGridMethodChosen(2);
  EXPECT_EQ(core.PanelGridMethod(), 2);
  core.OnDataPanelOk();
  EXPECT_EQ(opened.messages.Texts().size(), 1u);
  // Shepard's mean of the points lies within their values.
  const DataSet& data = core.Shared().dataSet;
  const double middle = data.Reg3DZ(1, 1) * core.Shared().settings.DataScaleZ;
  EXPECT_GT(middle, 1.0);
  EXPECT_LT(middle, 5.0);
  // A method the kind does not offer changes nothing.
  core.OnGridMethodChosen(102);
  EXPECT_EQ(core.PanelGridMethod(), 2);
}

}  // namespace
}  // namespace qv
