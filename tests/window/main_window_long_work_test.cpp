// Long work (gridding, triangulating) run through the window: what it
// refuses and disables while the work runs, and what comes after.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "data/memory_data_panel.h"
#include "enable_patterns.h"
#include "graphs/graph.h"
#include "support/temp_folder.h"
#include "window/document_program.h"
#include "window/scripted_dialogs.h"

namespace qv {
namespace {

using test::Program;

class LongWorkTest : public testing::Test {
 protected:
  void SetUp() override {
    program = std::make_unique<Program>(folder);
    program->core.SetDialogService(&dialogs);
  }
  void TearDown() override { program.reset(); }

  MainWindowCore& Core() { return program->core; }

  // Six scattered points typed into an irregular surface panel of 30 x 20
  // nodes over 0..4 x 0..4, gridded by method on the next OK.
  void TypeScatteredPoints(Long method) {
    MainWindowCore& core = Core();
    core.OnDataKindChosen(kIrregularSurface);
    core.PanelModel().texts[3].text = "6";
    core.OnDataPanelOk();
    const char* points[6][3] = {{"0", "0", "1"}, {"4", "0", "2"}, {"0", "4", "3"},
                                {"4", "4", "1"}, {"1", "3", "2"}, {"3", "1", "4"}};
    for (Long row = 1; row <= 6; ++row) {
      for (Long col = 1; col <= 3; ++col)
        core.Sheet().CellEdited(row, col, points[row - 1][col - 1]);
      core.Sheet().CellEdited(row, 4, "0");
    }
    DataPanel& panel = core.Panel();
    panel.SetText(1, "0");
    panel.SetText(2, "4");
    panel.SetText(4, "30");
    panel.SetText(5, "0");
    panel.SetText(6, "4");
    panel.SetText(7, "20");
    core.Shared().settings.GridMethod = method;
    program->messages.Script({});
    // The sizing OK above gridded the empty sheet already.
    program->work.ends.clear();
    program->view.longWork.clear();
  }

  // One surface graph, listed, checked and selected.
  void AddGraph() {
    MainWindowCore& core = Core();
    auto graph = std::make_shared<Graph>();
    graph->SetID(1);
    graph->GraphType = kSurfaceModel;
    core.Shared().allGraphs.Items.Add(graph, CStr(1));
    core.AddListEntry("Surface Model");
    core.SetListChecked(0, true);
    core.List().SetListIndex(0);
  }

  test::TempFolder temp_;
  const std::filesystem::path folder{temp_.Path()};
  std::unique_ptr<Program> program;
  test::ScriptedDialogs dialogs;
};

TEST_F(LongWorkTest, DataCommandsAreOffWhileTheGriddingRunsAndAsBeforeAfter) {
  TypeScatteredPoints(2);
  CommandStates& states = Core().Commands();
  // Some off before, so that "as before" is more than "all on".
  states.SetMenuEnabled(MenuItem::mnuDrawCon3D, false);
  states.SetButtonEnabled(30, false);
  std::vector<bool> before;
  for (const CommandRef& command : DataChangingCommands()) {
    if (command.item) before.push_back(states.MenuEnabled(*command.item));
    if (command.button != 0) before.push_back(states.ButtonEnabled(command.button));
  }
  bool ran = false;
  program->work.whileRunning = [&] {
    ran = true;
    EXPECT_TRUE(Core().Working());
    EXPECT_EQ(program->view.longWork, std::vector<bool>{true});
    for (const CommandRef& command : DataChangingCommands()) {
      if (command.item) {
        EXPECT_FALSE(states.MenuEnabled(*command.item)) << MenuItemName(*command.item);
      }
      if (command.button != 0) {
        EXPECT_FALSE(states.ButtonEnabled(command.button)) << command.button;
      }
    }
    // Viewing goes on.
    EXPECT_TRUE(states.MenuEnabled(MenuItem::mnuViewFit));
    EXPECT_TRUE(states.MenuEnabled(MenuItem::mnuFileSave));
  };
  Core().OnDataPanelOk();
  ASSERT_TRUE(ran);
  EXPECT_FALSE(Core().Working());
  EXPECT_EQ(program->view.longWork, (std::vector<bool>{true, false}));
  std::vector<bool> after;
  for (const CommandRef& command : DataChangingCommands()) {
    if (command.item) after.push_back(states.MenuEnabled(*command.item));
    if (command.button != 0) after.push_back(states.ButtonEnabled(command.button));
  }
  EXPECT_EQ(after, before);
  EXPECT_EQ(Core().Shared().dataSet.StepsX(), 30);
}

// A command that arrives while the gridding runs (the window serves its
// events meanwhile) is refused: nothing it would change changes, and no
// second gridding starts.
struct ArrivingCommand {
  const char* name;
  std::function<void(MainWindowCore&, const std::filesystem::path& document)> run;
  friend void PrintTo(const ArrivingCommand& command, std::ostream* out) { *out << command.name; }
};

class RefusedWhileWorkingTest : public LongWorkTest,
                                public testing::WithParamInterface<ArrivingCommand> {};

TEST_P(RefusedWhileWorkingTest, ChangesNothing) {
  // A document to open, saved before the data is typed.
  const std::filesystem::path document = folder / "saved.qrv";
  AddGraph();
  program->dialogs.Choose(document.string());
  ASSERT_TRUE(program->files.Save());
  TypeScatteredPoints(2);
  const int dialogsBefore = static_cast<int>(dialogs.captions.size());
  const int runsBefore = program->work.runs;
  const std::size_t shownBefore = program->messages.Shown().size();
  program->work.whileRunning = [&] {
    program->work.whileRunning = nullptr;
    MainWindowCore& core = Core();
    program->dialogs.Choose(document.string());
    GetParam().run(core, document);
    EXPECT_EQ(core.Shared().allGraphs.Items.Count(), 1);
    EXPECT_EQ(core.List().ListCount(), 1);
    EXPECT_EQ(core.Panel().KindIndex(), kIrregularSurface);
    EXPECT_EQ(core.Sheet().CellText(1, 3), "1");
    EXPECT_EQ(core.Panel().Text(4), "30");
    EXPECT_EQ(static_cast<int>(dialogs.captions.size()), dialogsBefore);
  };
  Core().OnDataPanelOk();
  EXPECT_EQ(program->work.runs, runsBefore + 1);
  EXPECT_EQ(Core().Shared().allGraphs.Items.Count(), 1);
  EXPECT_EQ(Core().Shared().dataSet.StepsX(), 30);
  EXPECT_EQ(program->messages.Shown().size(), shownBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, RefusedWhileWorkingTest,
    testing::Values(
        ArrivingCommand{"New3D",
                        [](MainWindowCore& c, auto&) { c.RunFileCommand(MenuItem::mnuFileNew3D); }},
        ArrivingCommand{"Open",
                        [](MainWindowCore& c, auto&) { c.RunFileCommand(MenuItem::mnuFileOpen); }},
        ArrivingCommand{"OpenDropped",
                        [](MainWindowCore& c, const std::filesystem::path& document) {
                          c.OpenDocumentPath(document.string());
                        }},
        ArrivingCommand{
            "Import", [](MainWindowCore& c, auto&) { c.RunFileCommand(MenuItem::mnuFileImport); }},
        ArrivingCommand{
            "Delete", [](MainWindowCore& c, auto&) { c.RunEditCommand(MenuItem::mnuEditDelete); }},
        ArrivingCommand{"DeleteAll", [](MainWindowCore& c,
                                        auto&) { c.RunEditCommand(MenuItem::mnuEditDelAll); }},
        ArrivingCommand{"ListDelete",
                        [](MainWindowCore& c, auto&) { c.RunListCommand(MenuItem::mnuFunDelete); }},
        ArrivingCommand{"DataPanelOk", [](MainWindowCore& c, auto&) { c.OnDataPanelOk(); }},
        ArrivingCommand{"KindChosen",
                        [](MainWindowCore& c, auto&) { c.OnDataKindChosen(kRegularSurface); }},
        ArrivingCommand{"SheetDelete",
                        [](MainWindowCore& c, auto&) {
                          c.RunSheetCommand(MenuItem::mnuGEDelete, SheetBlock{1, 1, 6, 4});
                        }},
        ArrivingCommand{"GridSize", [](MainWindowCore& c, auto&) { c.OpenGridSizeDialog(); }},
        ArrivingCommand{"DrawSurface", [](MainWindowCore& c,
                                          auto&) { c.RunDialogCommand(MenuItem::mnuDrawTab3D); }}),
    [](const testing::TestParamInfo<ArrivingCommand>& info) {
      return std::string(info.param.name);
    });

// The gridding's messages reach the user once it has ended, with the texts
// and in the order that the same gridding gives when run at once (one box for
// a singular system: the method's own).
TEST_F(LongWorkTest, MessagesOfTheWorkShowAfterItEnded) {
  // The thin-plate fit of points on one line is singular.
  MainWindowCore& core = Core();
  core.OnDataKindChosen(kIrregularSurface);
  core.PanelModel().texts[3].text = "4";
  core.OnDataPanelOk();
  for (Long row = 1; row <= 4; ++row) {
    core.Sheet().CellEdited(row, 1, CStr(row));
    core.Sheet().CellEdited(row, 2, CStr(row));
    core.Sheet().CellEdited(row, 3, "1");
    core.Sheet().CellEdited(row, 4, "0");
  }
  core.Shared().settings.GridMethod = 4;
  MemoryDataPanel alone;
  alone.SetKindIndex(kIrregularSurface);
  for (int box = 1; box <= 10; ++box) alone.SetText(box, core.Panel().Text(box));
  for (Long row = 1; row <= 4; ++row) {
    alone.SetRow(row, {CStr(row), CStr(row), "1", "0"});
  }
  SharedSettings settings = core.Shared().settings;
  test::ScriptedMessageBox aloneMessages;
  ImmediateWorkRunner atOnce;
  DataContext context{alone, settings, aloneMessages, atOnce};
  DataSet data;
  ASSERT_FALSE(data.GetData(context));
  ASSERT_EQ(aloneMessages.Texts(),
            std::vector<std::string>{"Can not solve the linear eqution group."});

  program->messages.Script({});
  const std::size_t shownBefore = program->messages.Shown().size();
  program->work.whileRunning = [&] { EXPECT_EQ(program->messages.Shown().size(), shownBefore); };
  core.OnDataPanelOk();
  const std::vector<std::string> all = program->messages.Texts();
  const std::vector<std::string> after(all.begin() + static_cast<long>(shownBefore), all.end());
  EXPECT_EQ(after, aloneMessages.Texts());
  EXPECT_EQ(program->work.ends.back(), WorkEnd::Failed);
}

// Closing while the gridding runs stops it and closes once it has ended; the
// data set and the graphs stay as they were, and nobody is asked anything
// until the close comes again.
TEST_F(LongWorkTest, CloseWhileTheGriddingRunsStopsItAndClosesAfter) {
  AddGraph();
  TypeScatteredPoints(2);
  const Long stepsBefore = Core().Shared().dataSet.StepsX();
  const std::size_t shownBefore = program->messages.Shown().size();
  program->work.whileRunning = [&] {
    EXPECT_FALSE(Core().ConfirmClose());
    EXPECT_EQ(program->view.laterCloseRequests, 0);
  };
  Core().OnDataPanelOk();
  EXPECT_EQ(program->work.ends, std::vector<WorkEnd>{WorkEnd::Stopped});
  EXPECT_EQ(program->view.laterCloseRequests, 1);
  EXPECT_EQ(Core().Shared().dataSet.StepsX(), stepsBefore);
  EXPECT_EQ(Core().Shared().allGraphs.Items.Count(), 1);
  EXPECT_EQ(program->messages.Shown().size(), shownBefore);
  // The close that follows asks as any close does.
  program->messages.Script({MsgAnswer::No});
  EXPECT_TRUE(Core().ConfirmClose());
  ASSERT_EQ(program->messages.Shown().size(), shownBefore + 1);
  EXPECT_EQ(program->messages.Texts().back(), "Do you want to save the graphs?");
}

// A document whose data set grids: closing while it opens leaves the open
// document as it was and says nothing of the open that did not finish.
TEST_F(LongWorkTest, CloseWhileADocumentOpensKeepsTheOpenOneQuietly) {
  TypeScatteredPoints(2);
  Core().OnDataPanelOk();
  const std::filesystem::path document = folder / "scattered.qrv";
  AddGraph();
  program->dialogs.Choose(document.string());
  ASSERT_TRUE(program->files.Save());
  program->messages.Script({MsgAnswer::No});
  Core().RunFileCommand(MenuItem::mnuFileNew3D);
  ASSERT_EQ(Core().Shared().allGraphs.Items.Count(), 0);
  program->messages.Script({});
  const std::size_t shownBefore = program->messages.Shown().size();
  program->work.whileRunning = [&] { EXPECT_FALSE(Core().ConfirmClose()); };
  Core().OpenDocumentPath(document.string());
  EXPECT_EQ(program->work.ends.back(), WorkEnd::Stopped);
  EXPECT_EQ(Core().Shared().allGraphs.Items.Count(), 0);
  EXPECT_EQ(program->messages.Shown().size(), shownBefore);
  EXPECT_EQ(program->view.laterCloseRequests, 1);
  // Unstopped, the same document opens.
  program->work.whileRunning = nullptr;
  EXPECT_TRUE(Core().ConfirmClose());
  Core().OpenDocumentPath(document.string());
  EXPECT_EQ(program->work.ends.back(), WorkEnd::Done);
  EXPECT_EQ(Core().Shared().allGraphs.Items.Count(), 1);
  EXPECT_EQ(Core().Shared().dataSet.StepsX(), 30);
}

}  // namespace
}  // namespace qv
