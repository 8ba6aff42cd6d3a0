#include "window/main_window_core.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/scripted_file_dialog.h"
#include "support/scripted_message_box.h"
#include "support/scripted_shell.h"
#include "window/window_fakes.h"

namespace qv {
namespace {

using test::BoxAround;
using test::FakeCommands;
using test::FakeGraph;
using test::FakeView;
using test::TypeSmallSurface;

// A window without a drawing context: the logic runs, nothing is drawn.
class MainWindowCoreTest : public testing::Test {
 protected:
  MainWindowCoreTest() { core.SetDocumentCommands(&commands); }

  // What opening a document does through the window: delete all graphs,
  // append each graph with its list entry, set FitPending and check every
  // entry in turn.
  static void Load(MainWindowCore& window, const std::vector<Box>& boxes) {
    Workspace& ws = window.Shared();
    window.DeleteAllGraphs();
    Long id = 1;
    for (const Box& box : boxes) {
      ws.allGraphs.Items.Add(std::make_shared<FakeGraph>(id, box, ws.settings), CStr(id));
      window.AddListEntry("Surface Model");
      ++id;
    }
    window.SetFitPending(true);
    for (std::size_t entry = 0; entry < boxes.size(); ++entry) window.CheckListEntry(entry);
  }

  std::vector<Long> ShownIds() const {
    std::vector<Long> ids;
    for (const auto& [key, item] : core.Shared().shownGraphs.Items) ids.push_back(item->ID());
    return ids;
  }

  const std::vector<Box> kThreeBoxes = {BoxAround(0, 0, 0, 1), BoxAround(10, 2, -4, 3),
                                        BoxAround(-6, 1, 8, 2)};

  FakeView view;
  test::ScriptedMessageBox messages;
  test::ScriptedFileDialog dialogs;
  ImmediateWorkRunner work;
  FakeCommands commands;
  MainWindowCore core{view, {messages, dialogs, work}};
};

// Start-up

// Guards the start-up defaults: every setting of the load step gets its value
// even when the objects held something else before.
TEST_F(MainWindowCoreTest, FormLoadGivesEverySettingItsDefault) {
  SharedSettings& s = core.Shared().settings;
  s.RotateAxis = 3;
  s.ScaleMode = 2;
  s.ScaleRatioX = s.ScaleRatioY = s.ScaleRatioZ = 4.0;
  s.ZoomZ = 3.0;
  s.ShowLegend = false;
  s.GridMethod = 5;
  s.GridMethod4D = 103;
  s.DataScaleX = s.DataScaleV = 7.0;
  core.Shared().axisSystem.Show = false;
  core.Flags().FitPending = true;
  core.Flags().CopiedCount = 1;
  core.Flags().AxisChanged = true;
  core.Mouse().ZoomMode = core.Mouse().MoveMode = core.Mouse().RotateMode = true;
  core.Mouse().UseCurQuat = true;
  core.Mouse().ZoomFactor = 3.0;
  core.Mouse().CurQuat = {1.0F, 0.0F, 0.0F, 0.0F};

  core.Start("", 15.0, "/opt/quorvel");

  EXPECT_EQ(s.RotateAxis, 0);
  EXPECT_EQ(s.ScaleMode, 1);
  EXPECT_EQ(s.ScaleRatioX, 1.0);
  EXPECT_EQ(s.ScaleRatioY, 1.0);
  EXPECT_EQ(s.ScaleRatioZ, 1.0);
  EXPECT_EQ(s.ZoomZ, 1.0);
  EXPECT_TRUE(s.ShowLegend);
  EXPECT_EQ(s.GridMethod, 2);
  EXPECT_EQ(s.GridMethod4D, 102);
  EXPECT_EQ(s.DataScaleX, 0.0);
  EXPECT_EQ(s.DataScaleV, 0.0);
  EXPECT_TRUE(core.Shared().axisSystem.Show);
  EXPECT_EQ(core.Shared().dataSet.DataDim(), 1);

  const MainWindowFlags& f = core.Flags();
  EXPECT_FALSE(f.FitPending);
  EXPECT_EQ(f.DisplayArg, 1);
  EXPECT_FALSE(f.AxisChanged);
  EXPECT_FALSE(f.EditMode);
  EXPECT_EQ(f.CopiedCount, 0);
  EXPECT_EQ(f.ViewMinX, -50.0);
  EXPECT_EQ(f.ViewMaxZ, 50.0);
  EXPECT_EQ(f.NewLine, "\r\n");
  EXPECT_EQ(f.TabChar, "\t");
  EXPECT_EQ(f.HelpFile, "/opt/quorvel/help/index.html");

  const InteractionState& m = core.Mouse();
  EXPECT_FALSE(m.ZoomMode || m.MoveMode || m.RotateMode || m.UseCurQuat);
  EXPECT_EQ(m.ZoomFactor, 1.0);
  EXPECT_EQ(m.CurQuat, kIdentityQuat);

  // The kind list on its first entry, the sheet as start-up prepares it.
  EXPECT_EQ(core.PanelModel().kind, 0);
  EXPECT_EQ(core.Sheet().Rows(), 101);
  EXPECT_EQ(core.Sheet().Cols(), 5);
  EXPECT_EQ(core.Sheet().columnWidthPx[0], 53);  // 800 twips at 15 twips a pixel
  EXPECT_EQ(core.Sheet().columnWidthPx[1], 64);  // 960 twips
  EXPECT_EQ(core.Sheet().rowHeight, 20);
  for (Long col = 0; col < 5; ++col) {
    const char* headers[] = {"Index", "X", "Y", "Z", "Color"};
    EXPECT_EQ(core.Sheet().CellText(0, col), headers[col]);
  }

  // The file association is written before the new document is started.
  EXPECT_EQ(commands.calls, (std::vector<std::string>{"WriteFileAssociation", "New3D"}));
  // A new document does not build the scene.
  EXPECT_EQ(core.BuildCount(), 0);
}

// The command line is one document path: blanks and quotes stay as they are.
TEST_F(MainWindowCoreTest, CommandLineIsOpenedAsOneUnchangedPath) {
  core.Start("\"/home/u/my data\" two.qrv", 15.0);
  EXPECT_EQ(commands.calls, (std::vector<std::string>{"WriteFileAssociation",
                                                      "OpenDocument:\"/home/u/my data\" two.qrv"}));
}

// Shut-down

struct CloseCase {
  const char* name;
  bool withGraphs;
  MsgAnswer answer;
  bool saveSucceeds;
  bool questionAsked;
  bool saveCalled;
  bool closes;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class CloseTest : public MainWindowCoreTest, public testing::WithParamInterface<CloseCase> {};

// Guards the close: a Yes whose save is cancelled or fails must keep the
// window open with its graphs, instead of closing and losing them.
TEST_P(CloseTest, AsksWithGraphsAndStaysOpenWhenTheSaveDidNotHappen) {
  const CloseCase& c = GetParam();
  core.Start("", 15.0);
  if (c.withGraphs) Load(core, {BoxAround(0, 0, 0, 1)});
  commands.calls.clear();
  commands.saveResult = c.saveSucceeds;
  messages.Script({c.answer});

  EXPECT_EQ(core.ConfirmClose(), c.closes);

  ASSERT_EQ(messages.Shown().size(), c.questionAsked ? 1U : 0U);
  if (c.questionAsked) {
    EXPECT_EQ(messages.Shown()[0].text, "Do you want to save the graphs?");
    EXPECT_EQ(messages.Shown()[0].title, "Note");
    EXPECT_EQ(messages.Shown()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(messages.Shown()[0].icon, MsgIcon::Exclamation);
  }
  EXPECT_EQ(commands.calls,
            c.saveCalled ? std::vector<std::string>{"Save"} : std::vector<std::string>{});
  EXPECT_EQ(core.Shared().allGraphs.Items.Count(), c.withGraphs ? 1 : 0);
  EXPECT_EQ(core.Mouse().Closing, c.closes);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CloseTest,
    testing::Values(CloseCase{"NoGraphs", false, MsgAnswer::Yes, true, false, false, true},
                    CloseCase{"No", true, MsgAnswer::No, true, true, false, true},
                    CloseCase{"YesSaved", true, MsgAnswer::Yes, true, true, true, true},
                    CloseCase{"YesSaveCancelledOrFailed", true, MsgAnswer::Yes, false, true, true,
                              false}),
    [](const testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST_F(MainWindowCoreTest, ClosingDuringASpinStopsIt) {
  core.Start("", 15.0);
  core.SetMouseMode(MouseModeCommand::Trackball);
  core.OnDrawingMouseDown(kLeftButton, 100, 50);
  core.OnDrawingMouseMove(kLeftButton, 120, 50);
  core.OnDrawingMouseUp(kLeftButton, 120, 50);
  ASSERT_TRUE(view.idleWanted);
  EXPECT_TRUE(core.ConfirmClose());
  EXPECT_FALSE(view.idleWanted);
  const Long builds = core.BuildCount();
  core.IdleTick();
  EXPECT_EQ(core.BuildCount(), builds);
}

// Mouse and spin at the window

TEST_F(MainWindowCoreTest, PressAndReleaseBuildOnceWithEightPassesAndDoNotSpin) {
  core.Start("", 15.0);
  core.SetMouseMode(MouseModeCommand::Trackball);
  core.OnDrawingMouseDown(kLeftButton, 50, 50);
  core.OnDrawingMouseUp(kLeftButton, 50, 50);
  EXPECT_EQ(core.BuildCount(), 1);
  EXPECT_EQ(core.LastBuildPasses(), 8);
  EXPECT_FALSE(view.idleWanted);
}

// Guards the spin's cost: ticks are asked for only while each one turns the
// scene, so a still window (or a spin that changes nothing) uses no CPU.
TEST_F(MainWindowCoreTest, SpinAsksForTicksOnlyWhileItTurns) {
  core.Start("", 15.0);
  core.SetMouseMode(MouseModeCommand::Trackball);
  core.OnDrawingMouseDown(kLeftButton, 100, 50);
  core.OnDrawingMouseMove(kLeftButton, 130, 40);
  core.OnDrawingMouseUp(kLeftButton, 130, 40);
  ASSERT_TRUE(view.idleWanted);

  const Quat before = core.Mouse().CurQuat;
  core.IdleTick();
  EXPECT_NE(core.Mouse().CurQuat, before);
  EXPECT_EQ(core.LastBuildPasses(), 2);

  // A preset during the spin: the scene shows the preset and stays there.
  core.ShowIsoView();
  const Quat iso = RollPitchYawQuat(0, -30, 45);
  EXPECT_EQ(core.Mouse().CurQuat, iso);
  EXPECT_FALSE(view.idleWanted);
  core.IdleTick();  // a tick that still arrives redraws the preset unchanged
  EXPECT_EQ(core.Mouse().CurQuat, iso);

  // A drag from the preset starts from it and spins again; a press stops it.
  core.OnDrawingMouseDown(kLeftButton, 100, 50);
  core.OnDrawingMouseMove(kLeftButton, 100, 70);
  EXPECT_TRUE(view.idleWanted);
  EXPECT_EQ(core.Mouse().CurQuat, ComposeQuats(core.Mouse().LastQuat, iso));
  core.OnDrawingMouseUp(kLeftButton, 100, 70);
  core.OnDrawingMouseDown(kLeftButton, 100, 70);
  EXPECT_FALSE(view.idleWanted);
  EXPECT_EQ(core.LastBuildPasses(), 8);
}

// A zoom drag down by more than the area's height gives a factor of 0 or
// less: the view keeps its size and stays finite.
TEST_F(MainWindowCoreTest, ZoomFactorZeroOrLessLeavesTheView) {
  core.Start("", 15.0);
  core.SetMouseMode(MouseModeCommand::Zoom);
  const double width = core.Shared().camera.VolWidth;
  core.OnDrawingMouseDown(kLeftButton, 10, 10);
  core.OnDrawingMouseMove(kLeftButton, 10, 10 - view.height);
  core.OnDrawingMouseMove(kLeftButton, 10, 10 - 4 * view.height);
  EXPECT_EQ(core.Shared().camera.VolWidth, width);
  core.OnDrawingMouseMove(kLeftButton, 10, 10 - 4 * view.height + view.height / 2);  // down by half
  EXPECT_DOUBLE_EQ(core.Shared().camera.VolWidth, width * 1.5);
}

// A rotation drag whose last move had no displacement spins by the identity:
// nothing turns, so no ticks are asked for.
TEST_F(MainWindowCoreTest, SpinByTheIdentityAsksForNoTicks) {
  core.Start("", 15.0);
  core.SetMouseMode(MouseModeCommand::Trackball);
  core.OnDrawingMouseDown(kLeftButton, 100, 50);
  core.OnDrawingMouseMove(kLeftButton, 120, 50);
  core.OnDrawingMouseMove(kLeftButton, 120, 50);
  core.OnDrawingMouseUp(kLeftButton, 120, 50);
  EXPECT_TRUE(core.SpinActive());
  EXPECT_EQ(core.Mouse().LastQuat, kIdentityQuat);
  EXPECT_FALSE(view.idleWanted);
}

// View menu

TEST_F(MainWindowCoreTest, FitTwiceGivesTheSameViewAndPansOnlyWithTheLegend) {
  core.Start("", 15.0);
  Load(core, {BoxAround(10, 2, -4, 3)});
  const Camera fitted = core.Shared().camera;
  core.FitView();
  EXPECT_EQ(core.Shared().camera.VolWidth, fitted.VolWidth);
  EXPECT_EQ(core.Shared().camera.EyePos.x, fitted.EyePos.x);
  EXPECT_EQ(core.Shared().camera.RefPos.y, fitted.RefPos.y);

  core.Shared().settings.ShowLegend = false;
  core.FitView();
  // The legend's pan moves eye and reference point together, sideways.
  EXPECT_NE(core.Shared().camera.RefPos.x, fitted.RefPos.x);
  EXPECT_EQ(core.Shared().camera.VolWidth, fitted.VolWidth);
  core.FitView();
  EXPECT_NEAR(core.Shared().camera.RefPos.x, 0.0, 1e-9);  // centred on the box, no pan
}

// The view after a fit, in centred scene coordinates, as the camera's
// orthographic projection from the front shows it.
struct ViewRect {
  double left, right, bottom, top;
};
ViewRect FrontViewOf(const Camera& c) {
  EXPECT_EQ(c.EyePos.x, c.RefPos.x);
  EXPECT_EQ(c.EyePos.y, c.RefPos.y);
  EXPECT_GT(c.EyePos.z, c.RefPos.z);
  EXPECT_EQ(c.VecUp(1), 1.0);
  return {c.RefPos.x - c.VolWidth / 2, c.RefPos.x + c.VolWidth / 2, c.RefPos.y - c.VolHeight / 2,
          c.RefPos.y + c.VolHeight / 2};
}

// A 2D document is seen from the front, its picture in the x-y plane: the
// fit frames both extents, so a plot four times taller than wide is in view
// whole (the legend's room included), and centred on the box.
TEST_F(MainWindowCoreTest, FitShowsATallTwoDimensionalPlotWhole) {
  core.Start("", 15.0);
  core.Shared().settings.ViewCode = kViewCode2D;
  Load(core, {Box{4, 6, 0, 8, -1, 1}});
  core.FitView();
  const SharedSettings& s = core.Shared().settings;
  // The box less its centre: x -1..1, y -4..4.
  EXPECT_DOUBLE_EQ(s.CenterX, 5);
  EXPECT_DOUBLE_EQ(s.CenterY, 4);
  const ViewRect view = FrontViewOf(core.Shared().camera);
  EXPECT_LT(view.left, -1);
  EXPECT_GT(view.right, 1);
  EXPECT_LT(view.bottom, -4);
  EXPECT_GT(view.top, 4);
  EXPECT_NEAR(view.bottom + view.top, 0.0, 1e-9);
}

// The fit is made about the middle of the graphs shown now, which the build
// after it makes the scene centre, not about the centre of the last build:
// graphs shown since without a build would leave the picture off centre.
TEST_F(MainWindowCoreTest, FitCentresOnTheGraphsShownNow) {
  core.Start("", 15.0);
  core.Shared().settings.ShowLegend = false;
  Load(core, {BoxAround(0, 0, 0, 1)});
  Workspace& ws = core.Shared();
  ws.shownGraphs.Items.Add(std::make_shared<FakeGraph>(9, BoxAround(20, 10, -30, 1), ws.settings),
                           "9");
  core.FitView();
  EXPECT_DOUBLE_EQ(ws.settings.CenterY, 10);
  EXPECT_NEAR(ws.camera.RefPos.x, 0.0, 1e-9);
  EXPECT_NEAR(ws.camera.RefPos.y, 0.0, 1e-9);
  EXPECT_NEAR(ws.camera.RefPos.z, 0.0, 1e-9);
}

TEST_F(MainWindowCoreTest, FitWithNoShownGraphsOnlyRedraws) {
  core.Start("", 15.0);
  const Camera before = core.Shared().camera;
  core.FitView();
  EXPECT_EQ(core.Shared().camera.VolWidth, before.VolWidth);
  EXPECT_EQ(core.Shared().camera.EyePos.z, before.EyePos.z);
  EXPECT_EQ(core.BuildCount(), 1);
  EXPECT_EQ(core.DisplayCount(), 1);
}

// Graph list

// Guards the first-check fit: it fits once, at the first check change after
// a load, and every later change only redraws.
TEST_F(MainWindowCoreTest, FitPendingFitsAtTheFirstCheckOnly) {
  core.Start("", 15.0);
  Workspace& ws = core.Shared();
  for (Long id : {1, 2}) {
    ws.allGraphs.Items.Add(
        std::make_shared<FakeGraph>(id, BoxAround(5.0 * id, 0, 0, id), ws.settings), CStr(id));
    core.AddListEntry("Surface Model");
  }
  core.SetFitPending(true);
  core.SetListChecked(0, true);
  EXPECT_FALSE(core.Flags().FitPending);
  const Camera fitted = ws.camera;
  EXPECT_NE(fitted.VolHeight, 40.0);

  const Long builds = core.BuildCount();
  const Long displays = core.DisplayCount();
  core.SetListChecked(1, true);
  EXPECT_EQ(ws.camera.VolHeight, fitted.VolHeight);
  EXPECT_EQ(ws.camera.RefPos.x, fitted.RefPos.x);
  EXPECT_EQ(core.BuildCount(), builds + 1);
  EXPECT_EQ(core.DisplayCount(), displays + 1);

  // The same state again still rebuilds and redraws.
  core.SetListChecked(1, true);
  EXPECT_EQ(core.BuildCount(), builds + 2);
  EXPECT_EQ(core.DisplayCount(), displays + 2);
}

TEST_F(MainWindowCoreTest, FirstCheckAfterALoadClearsFitPendingEvenWhenItUnchecks) {
  core.Start("", 15.0);
  Load(core, {BoxAround(0, 0, 0, 1)});
  core.SetFitPending(true);
  core.SetListChecked(0, false);
  EXPECT_FALSE(core.Flags().FitPending);
  EXPECT_EQ(core.Shared().shownGraphs.Items.Count(), 0);
}

// Guards the list's invariant: entry i is graph i + 1 of AllGraphs and its
// check box says whether the graph is shown.
TEST_F(MainWindowCoreTest, ListAndAllGraphsStayInStep) {
  core.Start("", 15.0);
  Load(core, kThreeBoxes);
  core.SetListChecked(1, false);
  core.SetListChecked(1, true);
  const Workspace& ws = core.Shared();
  ASSERT_EQ(core.List().ListCount(), ws.allGraphs.Items.Count());
  for (Long entry = 0; entry < core.List().ListCount(); ++entry) {
    const Long id = ws.allGraphs.Items.Item(entry + 1)->ID();
    EXPECT_EQ(core.List().Selected(entry), ws.shownGraphs.Items.Contains(CStr(id))) << entry;
  }
  EXPECT_EQ(ShownIds(), (std::vector<Long>{1, 3, 2}));

  core.DeleteAllGraphs();
  EXPECT_EQ(core.List().ListCount(), 0);
  EXPECT_EQ(ws.allGraphs.Items.Count(), 0);
  EXPECT_EQ(ws.shownGraphs.Items.Count(), 0);
}

// Regression: with no entry selected (ListIndex -1) the pop-up's commands
// must not act on some other graph.
TEST_F(MainWindowCoreTest, ListCommandsWithoutSelectionDoNothing) {
  core.Start("", 15.0);
  Load(core, kThreeBoxes);
  ASSERT_EQ(core.List().ListIndex(), -1);
  core.OnGraphListMouseDown(kRightButton, 12, 30);
  ASSERT_EQ(view.popups.size(), 1U);
  EXPECT_EQ(view.popups[0].menu, PopupMenu::FunEdit);
  EXPECT_EQ(core.List().ListIndex(), -1);  // the right press selects nothing
  const Long builds = core.BuildCount();
  for (MenuItem item :
       {MenuItem::mnuFunEdit, MenuItem::mnuFunCut, MenuItem::mnuFunCopy, MenuItem::mnuFunDelete}) {
    EXPECT_FALSE(core.RunListCommand(item)) << MenuItemName(item);
  }
  EXPECT_EQ(core.Shared().allGraphs.Items.Count(), 3);
  EXPECT_EQ(core.List().ListCount(), 3);
  EXPECT_EQ(core.BuildCount(), builds);

  core.OnGraphListMouseDown(kLeftButton, 12, 30);
  EXPECT_EQ(view.popups.size(), 1U);
}

// Opening a document as one scene build

// Guards the load of n graphs: one build at the end instead of one a check,
// with the same final state and the same first-check fit as checking one by one.
TEST_F(MainWindowCoreTest, LoadBuildsTheSceneOnceWithTheSameFinalState) {
  core.Start("", 15.0);
  commands.onOpen = [&] { Load(core, kThreeBoxes); };
  core.OpenDocumentPath("/tmp/three.qrv");

  FakeView otherView;
  FakeCommands otherCommands;
  MainWindowCore oneByOne(otherView, {messages, dialogs, work});
  oneByOne.SetDocumentCommands(&otherCommands);
  oneByOne.Start("", 15.0);
  Load(oneByOne, kThreeBoxes);

  EXPECT_EQ(core.BuildCount(), 1);
  EXPECT_EQ(core.DisplayCount(), 1);
  EXPECT_GT(oneByOne.BuildCount(), 3);
  EXPECT_FALSE(core.InSceneBatch());

  const Camera& a = core.Shared().camera;
  const Camera& b = oneByOne.Shared().camera;
  EXPECT_EQ(a.VolWidth, b.VolWidth);
  EXPECT_EQ(a.VolHeight, b.VolHeight);
  EXPECT_EQ(a.EyePos.x, b.EyePos.x);
  EXPECT_EQ(a.EyePos.y, b.EyePos.y);
  EXPECT_EQ(a.EyePos.z, b.EyePos.z);
  EXPECT_EQ(a.RefPos.x, b.RefPos.x);
  EXPECT_EQ(a.RefPos.y, b.RefPos.y);
  EXPECT_EQ(a.RefPos.z, b.RefPos.z);
  EXPECT_EQ(core.Shared().settings.CenterX, oneByOne.Shared().settings.CenterX);
  EXPECT_EQ(core.Shared().settings.CenterY, oneByOne.Shared().settings.CenterY);
  EXPECT_EQ(core.Shared().settings.CenterZ, oneByOne.Shared().settings.CenterZ);
  EXPECT_EQ(core.Mouse().CurQuat, oneByOne.Mouse().CurQuat);
  EXPECT_FALSE(core.Flags().FitPending);
  EXPECT_EQ(ShownIds(), (std::vector<Long>{1, 2, 3}));
}

// The document layer may open its own batch inside the window's: only the
// outermost end builds.
TEST_F(MainWindowCoreTest, NestedBatchesBuildOnceAtTheOutermostEnd) {
  core.Start("", 15.0);
  commands.onOpen = [&] {
    SceneBatch inner(core);
    Load(core, kThreeBoxes);
  };
  core.RunFileCommand(MenuItem::mnuFileOpen);
  EXPECT_EQ(core.BuildCount(), 1);
  core.EndSceneBatch();  // unmatched: nothing
  EXPECT_EQ(core.BuildCount(), 1);
}

// An error inside a load still ends the batch, so later checks draw again.
TEST_F(MainWindowCoreTest, ErrorInsideALoadStillEndsTheBatch) {
  core.Start("", 15.0);
  commands.onOpen = [&] {
    Load(core, {BoxAround(0, 0, 0, 1)});
    throw std::runtime_error("bad record");
  };
  EXPECT_THROW(core.OpenDocumentPath("/tmp/bad.qrv"), std::runtime_error);
  EXPECT_FALSE(core.InSceneBatch());
  EXPECT_EQ(core.BuildCount(), 1);
  core.SetListChecked(0, false);
  EXPECT_EQ(core.BuildCount(), 2);
}

// Layout

PaneInput WindowOf(double widthTwips, double heightTwips) {
  PaneInput in;
  in.clientWidth = widthTwips;
  in.clientHeight = heightTwips;
  in.toolbarHeight = 420;
  in.statusHeight = 300;
  in.dataHeight = 3000;
  in.splitterLeft = 3000;
  in.twipsPerPixel = 15;
  return in;
}

// Guards the picture's proportions: the view volume follows the drawing
// area's aspect on every resize instead of stretching until the next fit.
TEST_F(MainWindowCoreTest, ResizeKeepsThePicturesProportions) {
  core.Start("", 15.0);
  const Camera& camera = core.Shared().camera;
  for (double width : {15060.0, 9060.0, 30060.0}) {
    const PaneLayout layout = core.OnResize(WindowOf(width, 9720));
    EXPECT_EQ(camera.ScreenWidth, layout.drawingWidthPx);
    EXPECT_EQ(camera.ScreenHeight, layout.drawingHeightPx);
    EXPECT_NEAR(camera.VolWidth / camera.VolHeight, camera.ScreenWidth / camera.ScreenHeight, 1e-12)
        << width;
    EXPECT_DOUBLE_EQ(camera.VolHeight, 40.0);
  }
}

// Dragging the vertical bar to the far left: on release it snaps to 1000,
// the left column takes that width and the drawing area the rest.
TEST_F(MainWindowCoreTest, SplitterReleasedFarLeftSnapsAndLaysOut) {
  core.Start("", 15.0);
  core.SetSplitterLeft(3000);
  core.OnSplitterMouseDown();
  EXPECT_TRUE(core.SplitterDragging());
  core.OnSplitterMouseMove(-2500);
  const PaneLayout layout = core.OnSplitterMouseUp(WindowOf(15060, 9720));
  EXPECT_FALSE(core.SplitterDragging());
  EXPECT_DOUBLE_EQ(core.SplitterLeft(), 1000);
  EXPECT_DOUBLE_EQ(layout.list.width, 1000);
  EXPECT_DOUBLE_EQ(layout.drawing.left, 1060);
  EXPECT_EQ(core.Shared().camera.ScreenWidth, layout.drawingWidthPx);

  core.OnSplitterMouseDown();
  core.OnSplitterMouseMove(20000);
  core.OnSplitterMouseUp(WindowOf(15060, 9720));
  EXPECT_DOUBLE_EQ(core.SplitterLeft(), 15060 - 1000);
}

TEST_F(MainWindowCoreTest, DrawingAreaWithoutHeightGivesAFiniteView) {
  core.Start("", 15.0);
  core.SetDrawingSize(300, 0);
  const Camera& camera = core.Shared().camera;
  EXPECT_EQ(camera.ScreenHeight, 1.0);
  EXPECT_TRUE(std::isfinite(camera.VolWidth));
  core.SetDrawingSize(0, 0);
  EXPECT_TRUE(std::isfinite(camera.VolWidth));
  EXPECT_GT(camera.VolWidth, 0.0);
}

// A low window is laid out too: the camera follows the drawing area.
TEST_F(MainWindowCoreTest, LowWindowStillSizesTheCamera) {
  core.Start("", 15.0);
  const PaneLayout layout = core.OnResize(WindowOf(15000, 4000));
  EXPECT_EQ(core.Shared().camera.ScreenWidth, layout.drawingWidthPx);
  EXPECT_EQ(core.Shared().camera.ScreenHeight, std::lround((4000 - 420 - 300) / 15.0));
}

// In a window narrower than the column the bar shows nearer the left; a
// press takes it from where it shows, so a drag never jumps.
TEST_F(MainWindowCoreTest, SplitterPressedInANarrowWindowStartsWhereItShows) {
  core.Start("", 15.0);
  PaneInput narrow = WindowOf(2500, 9720);
  narrow.splitterLeft = 3000;
  core.SetSplitterLeft(3000);
  // The column takes its share of the narrow window.
  const PaneLayout shown = core.OnResize(narrow);
  EXPECT_DOUBLE_EQ(shown.splitter.left, 2500 * kColumnShare);
  EXPECT_DOUBLE_EQ(core.SplitterLeft(), 3000);  // kept for a wider window
  core.OnSplitterMouseDown();
  core.OnSplitterMouseMove(-100);
  EXPECT_DOUBLE_EQ(core.SplitterLeft(), 1025);
  EXPECT_DOUBLE_EQ(core.OnSplitterMouseUp(narrow).splitter.left, 1025);
  EXPECT_DOUBLE_EQ(core.SplitterLeft(), 1025);
  // Released, the bar stays where the user put it, whatever the window's
  // width.
  narrow.splitterLeft = core.SplitterLeft();
  narrow.clientWidth = 2300;
  EXPECT_DOUBLE_EQ(core.OnResize(narrow).splitter.left, 1025);
  narrow.clientWidth = 30000;
  EXPECT_DOUBLE_EQ(core.OnResize(narrow).splitter.left, 1025);
}

// Help

struct HelpCase {
  const char* name;
  bool fileThere;
  bool shell;
  bool browserStarts;
  const char* message;  // the start of the message naming the help file, nullptr for none
};

class HelpTest : public MainWindowCoreTest, public testing::WithParamInterface<HelpCase> {};

// Help > Contents with no browser installed once failed without a word.
TEST_P(HelpTest, ShowsTheHelpFileOrNamesIt) {
  const HelpCase& c = GetParam();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("qv-help-" + std::to_string(getpid()) + c.name);
  std::filesystem::create_directories(folder / "help");
  if (c.fileThere) std::ofstream(folder / "help" / "index.html") << "<html></html>";
  test::ScriptedShell shell;
  shell.SetBrowserStarts(c.browserStarts);
  if (c.shell) core.SetShell(&shell);
  core.Start("", 15.0, folder.string());
  const std::string help = (folder / "help" / "index.html").string();
  core.OpenHelp();
  EXPECT_EQ(shell.Opened(),
            (c.fileThere && c.shell ? std::vector<std::string>{help} : std::vector<std::string>{}));
  if (c.message) {
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], std::string(c.message) + help);
  } else {
    EXPECT_TRUE(messages.Texts().empty());
  }
  std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HelpTest,
    testing::Values(HelpCase{"BrowserStarts", true, true, true, nullptr},
                    HelpCase{"NoBrowser", true, true, false, kNoBrowserMessage},
                    HelpCase{"NoShell", true, false, false, kNoBrowserMessage},
                    // Once passed over in silence.
                    HelpCase{"NoHelpFile", false, true, true, kNoHelpFileMessage}),
    [](const testing::TestParamInfo<HelpCase>& info) { return std::string(info.param.name); });

// Data panel

TEST_F(MainWindowCoreTest, SheetPopupOpensOnlyOverDataCells) {
  core.Start("", 15.0);
  const double col0 = core.Sheet().columnWidthPx[0];
  const double row0 = core.Sheet().rowHeight;
  core.OnSheetMouseDown(kRightButton, col0, row0 + 5);     // on the index column's edge
  core.OnSheetMouseDown(kRightButton, col0 + 5, row0);     // on the header row's edge
  core.OnSheetMouseDown(kLeftButton, col0 + 5, row0 + 5);  // left button
  EXPECT_TRUE(view.popups.empty());
  core.OnSheetMouseDown(kRightButton, col0 + 1, row0 + 1);
  ASSERT_EQ(view.popups.size(), 1U);
  EXPECT_EQ(view.popups[0].menu, PopupMenu::SheetEdit);
}

TEST_F(MainWindowCoreTest, RefusedSheetSizeShowsItsMessageAndKeepsTheSheet) {
  core.Start("", 15.0);
  core.PanelModel().texts[1].text = "200";
  core.PanelModel().texts[2].text = "200";
  core.OnDataPanelOk();
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{kSheetTooLargeMessage});
  EXPECT_EQ(core.Sheet().Rows(), 101);
  // The boxes show the start counts again, already while the message is up.
  EXPECT_EQ(core.PanelModel().texts[1].text, "10");
  EXPECT_EQ(core.PanelModel().texts[2].text, "10");
  EXPECT_GE(view.modelsChanged, 1);
}

// A document read in sizes the sheet through the host: its boxes are the
// accepted ones that a refusal goes back to.
TEST_F(MainWindowCoreTest, SheetSizedByADocumentAcceptsItsBoxes) {
  core.Start("", 15.0);
  DataPanel& panel = core.Panel();
  panel.SetKindIndex(kRegularSurface);
  panel.SetText(1, "4");
  panel.SetText(2, "3");
  core.SetSheetRows(13);
  core.PanelModel().texts[1].text = "30000";
  core.OnDataPanelOk();
  EXPECT_EQ(core.PanelModel().texts[1].text, "4");
  EXPECT_EQ(core.PanelModel().texts[2].text, "3");
  EXPECT_EQ(core.Sheet().Rows(), 13);
}

// The data set reads the real panel: a kind chosen through the data-panel
// interface runs the kind change, and cells written through it are the sheet's.
TEST_F(MainWindowCoreTest, DataPanelInterfaceReadsAndWritesTheWindowsControls) {
  core.Start("", 15.0);
  DataPanel& panel = core.Panel();
  panel.SetKindIndex(kRegularVolume);
  EXPECT_EQ(core.PanelModel().kind, 2);
  EXPECT_EQ(core.Sheet().CellText(0, 4), "V");
  panel.SetKindIndex(9);
  EXPECT_EQ(panel.KindIndex(), 2);
  panel.SetText(4, "3");
  EXPECT_EQ(core.PanelModel().texts[4].text, "3");
  panel.SetCell(5, 2, "1.5");
  EXPECT_EQ(core.Sheet().CellText(5, 2), "1.5");
  EXPECT_EQ(core.Sheet().Text()(5, 2), "1.5");
  EXPECT_EQ(panel.Cell(5, 2), "1.5");
  EXPECT_EQ(panel.Cell(200, 2), "");  // beyond the sheet's 101 rows
}

// The data set reads the window's own panel and sheet: counts from the boxes,
// values from the cells as the user typed them into the grid.
TEST_F(MainWindowCoreTest, DataSetReadsTheWindowsPanelAndSheet) {
  core.Start("", 15.0);
  TypeSmallSurface(core, [](Long i, Long j) { return static_cast<double>(i + 2 * j); });
  ASSERT_EQ(core.Sheet().Rows(), 7);
  DataSet& data = core.Shared().dataSet;
  DataContext context{core.Panel(), core.Shared().settings, messages, work};
  ASSERT_TRUE(data.GetData(context));
  EXPECT_EQ(data.LoadedKind(), kRegularSurface);
  EXPECT_EQ(data.StepsX(), 3);
  EXPECT_EQ(data.StepsY(), 2);
  EXPECT_DOUBLE_EQ(data.MaxX(), 2.0);
  EXPECT_DOUBLE_EQ(data.MaxY(), 1.0);
  EXPECT_DOUBLE_EQ(data.MinZ(), 0.0);
  EXPECT_DOUBLE_EQ(data.MaxZ(), 4.0);
  EXPECT_TRUE(messages.Shown().empty());
}

}  // namespace
}  // namespace qv
