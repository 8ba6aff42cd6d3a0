// The Edit commands of the main window: copy, cut, paste and delete of graphs
// through the clipboard, with the groups and the list kept in step.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "documents/document_writer.h"
#include "documents/graph_clipboard.h"
#include "graphs/graph.h"
#include "platform/record_reader.h"
#include "support/scripted_clipboard.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_message_box.h"
#include "support/scripted_printer.h"
#include "support/scripted_shell.h"
#include "support/temp_folder.h"
#include "window/main_window_core.h"
#include "window/web_entries.h"
#include "window/window_fakes.h"

namespace qv {
namespace {

using test::TypeSmallSurface;

constexpr char kRefusal[] = "The clipboard's text could not be pasted as a graph: ";

// A 3D document over a loaded 3 x 2 surface with three surface graphs, the
// first two checked.
class ExchangeTest : public testing::Test {
 protected:
  void SetUp() override {
    core.SetDocumentCommands(&commands);
    core.SetClipboard(&clipboard);
    core.Start("", 15.0);
    TypeSmallSurface(core, [](Long i, Long j) { return static_cast<double>(i * 2 + j + 1); });
    Workspace& ws = core.Shared();
    DataContext context{core.Panel(), ws.settings, messages, work};
    ASSERT_TRUE(ws.dataSet.GetData(context));
    for (Long id = 1; id <= 3; ++id) {
      auto graph = std::make_shared<Graph>();
      graph->SetID(id);
      graph->GraphType = kSurfaceModel;
      graph->NameS = "Surface " + CStr(id);
      graph->StepU = 2;
      graph->StepV = 1;
      graph->FirstColor = 100 * id;
      ws.allGraphs.Items.Add(graph, CStr(id));
      core.AddListEntry(ListCaption(*graph, ws.settings.ViewCode));
      if (id < 3) core.SetListChecked(id - 1, true);
    }
    ws.settings.NextGraphID = 3;
  }

  Graph& GraphAt(Long position) {
    return static_cast<Graph&>(*core.Shared().allGraphs.Items.Item(position));
  }
  std::vector<Long> Ids(const SceneGroup& group) const {
    std::vector<Long> ids;
    for (const auto& [key, item] : group.Items) ids.push_back(item->ID());
    return ids;
  }
  // Everything a document saves, with the list and the next ID.
  std::string DocumentState() {
    const Workspace& ws = core.Shared();
    std::string state = WriteDocumentText(ws, core.Panel()).text;
    state += "|next " + CStr(ws.settings.NextGraphID) + "|all";
    for (Long id : Ids(ws.allGraphs)) state += " " + CStr(id);
    state += "|list";
    for (Long i = 0; i < core.List().ListCount(); ++i)
      state += " " + core.List().At(i).caption + (core.List().At(i).checked ? "+" : "-");
    return state;
  }

  test::FakeView view;
  test::ScriptedMessageBox messages;
  test::ScriptedFileDialog dialogs;
  test::ScriptedClipboard clipboard;
  ImmediateWorkRunner work;
  test::FakeCommands commands;
  MainWindowCore core{view, {messages, dialogs, work}};
};

// Copy puts the view code and the selected graph's record on the clipboard;
// Paste gives an equal graph with the next ID in both groups, listed under
// the caption opening gives it, again and again.
TEST_F(ExchangeTest, CopyThenPasteGivesAnEqualGraphWithANewId) {
  core.List().SetListIndex(1);
  ASSERT_TRUE(core.RunEditCommand(MenuItem::mnuEditCopy));
  EXPECT_EQ(core.Flags().CopiedCount, 1);
  EXPECT_EQ(clipboard.Text(), "3 " + GraphAt(2).Save(core.Shared().settings));

  core.RunEditCommand(MenuItem::mnuEditPaste);
  core.RunEditCommand(MenuItem::mnuEditPaste);
  EXPECT_TRUE(messages.Shown().empty()) << messages.Texts().front();
  const Workspace& ws = core.Shared();
  EXPECT_EQ(Ids(ws.allGraphs), (std::vector<Long>{1, 2, 3, 4, 5}));
  EXPECT_EQ(Ids(ws.shownGraphs), (std::vector<Long>{1, 2, 4, 5}));
  EXPECT_EQ(ws.settings.NextGraphID, 5);
  ASSERT_EQ(core.List().ListCount(), 5);
  for (Long position : {4, 5}) {
    EXPECT_EQ(DifferingRecordedOptions(GraphAt(position), GraphAt(2)), std::vector<std::string>{});
    EXPECT_EQ(core.List().At(position - 1).caption, "3D Surface Model");
    EXPECT_TRUE(core.List().At(position - 1).checked);
  }
}

// The new entry takes the check state of the selected entry; the graph of
// an unchecked entry stays out of the shown group. The graph copied is the
// selected one, shown or not.
TEST_F(ExchangeTest, PastedEntryIsCheckedAsTheSelectedOne) {
  core.List().SetListIndex(2);  // unchecked
  ASSERT_TRUE(core.CopyGraph());
  EXPECT_EQ(clipboard.Text(), "3 " + GraphAt(3).Save(core.Shared().settings));
  core.PasteGraph();
  EXPECT_EQ(Ids(core.Shared().allGraphs), (std::vector<Long>{1, 2, 3, 4}));
  EXPECT_EQ(Ids(core.Shared().shownGraphs), (std::vector<Long>{1, 2}));
  EXPECT_FALSE(core.List().At(3).checked);
}

// Clipboard texts that are no graph this document can take: each is refused
// with one message and leaves the document, the list and the next ID as
// they were.
TEST_F(ExchangeTest, HostileClipboardTextsChangeNothing) {
  core.List().SetListIndex(0);
  ASSERT_TRUE(core.CopyGraph());
  const std::string copied = *clipboard.Text();
  const std::string record = copied.substr(2);
  // The copy with item index (3 is the title's first token) replaced.
  const auto with = [&](std::size_t index, const std::string& token) {
    std::vector<std::string> tokens = SplitRecord(copied);
    tokens.at(index) = token;
    std::string text;
    for (const std::string& t : tokens) text += t + " ";
    return text;
  };
  const std::size_t kLineColor = 5, kStepU = 13, kSlice4NumZ = 42;
  ASSERT_EQ(SplitRecord(copied).at(4), "1@");
  struct Case {
    std::optional<std::string> text;
    std::string reason;
  };
  const Case cases[] = {
      {std::nullopt, "the clipboard holds no text"},
      {"", "it is not a graph copied by this program"},
      {"Dear reader, this is a letter.", "it is not a graph copied by this program"},
      {"3 \xCE\xA9 " + record, "it holds a character that documents cannot hold"},
      {"3 \xFF\xFE" + record, "it holds a character that documents cannot hold"},
      {copied.substr(0, copied.find(" 0 0 0 ") + 1), "the graph record is cut short"},
      {copied + copied, "the text goes on after the graph record"},
      {"7 " + record, "the graph was copied from a 2D document, which a 3D document cannot show"},
      {with(kLineColor, "99999999999"), "the graph record's LineColor is not a whole number"},
      {with(kLineColor, "1e999"), "the graph record's LineColor is not a whole number"},
      {with(kSlice4NumZ, "51"), "the graph record holds more than 50 slices"},
      {with(kStepU, "9"),
       "its StepU is 9, but the data set's grid has 3 nodes along its first axis"},
      {"3 " + std::string(3000, '7') + " " + record, "an item holds more than 1000 characters"},
  };
  const std::string before = DocumentState();
  const Long gridMethod = core.Shared().settings.GridMethod;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.value_or("(no text)").substr(0, 60));
    messages.Clear();
    clipboard.Hold(c.text);
    core.PasteGraph();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{kRefusal + c.reason + "."});
    EXPECT_EQ(DocumentState(), before);
    EXPECT_EQ(core.Shared().settings.GridMethod, gridMethod);
  }
}

// Paste does nothing before a Copy in this run, whatever the clipboard holds.
TEST_F(ExchangeTest, PasteBeforeAnyCopyDoesNothing) {
  clipboard.Hold("3 " + GraphAt(1).Save(core.Shared().settings));
  const std::string before = DocumentState();
  core.PasteGraph();
  EXPECT_EQ(DocumentState(), before);
  EXPECT_TRUE(messages.Shown().empty());
}

// Cut is Copy, then Delete. A clipboard that does not open keeps the graph;
// with no graph shown Copy copies nothing and the selected graph is deleted
// all the same (Cut used to do nothing then).
TEST_F(ExchangeTest, CutDeletesUnlessTheCopyFailed) {
  core.List().SetListIndex(0);
  clipboard.SetOpens(false);
  EXPECT_FALSE(core.RunEditCommand(MenuItem::mnuEditCut));
  EXPECT_EQ(messages.Texts(),
            std::vector<std::string>{"The graph could not be copied: the clipboard could not be "
                                     "opened."});
  EXPECT_EQ(core.Shared().allGraphs.Items.Count(), 3);

  clipboard.SetOpens(true);
  core.List().SetListIndex(1);
  const std::string cut = "3 " + GraphAt(2).Save(core.Shared().settings);
  EXPECT_TRUE(core.RunListCommand(MenuItem::mnuFunCut));
  EXPECT_EQ(Ids(core.Shared().allGraphs), (std::vector<Long>{1, 3}));
  EXPECT_EQ(clipboard.Text(), cut);
  EXPECT_EQ(clipboard.Writes(), 1);

  // Graph 3 was never shown; with graph 1 unchecked none is.
  core.SetListChecked(0, false);
  ASSERT_EQ(core.Shared().shownGraphs.Items.Count(), 0);
  const Long builds = core.BuildCount();
  for (const bool fromList : {false, true}) {
    core.List().SetListIndex(fromList ? 0 : 1);
    EXPECT_TRUE(fromList ? core.RunListCommand(MenuItem::mnuFunCut)
                         : core.RunEditCommand(MenuItem::mnuEditCut));
  }
  EXPECT_EQ(core.Shared().allGraphs.Items.Count(), 0);
  EXPECT_EQ(core.List().ListCount(), 0);
  EXPECT_EQ(clipboard.Writes(), 1);
  EXPECT_EQ(clipboard.Text(), cut);
  EXPECT_GT(core.BuildCount(), builds);  // each delete rebuilt the scene
  EXPECT_EQ(messages.Texts().size(), 1u);
}

// Delete takes the selected entry's graph out of both groups and the list;
// the entries after it move up and still match the graphs.
TEST_F(ExchangeTest, DeleteKeepsTheGroupsAndTheListInStep) {
  core.List().SetListIndex(0);
  const Long builds = core.BuildCount();
  core.RunListCommand(MenuItem::mnuFunDelete);
  EXPECT_EQ(Ids(core.Shared().allGraphs), (std::vector<Long>{2, 3}));
  EXPECT_EQ(Ids(core.Shared().shownGraphs), (std::vector<Long>{2}));
  ASSERT_EQ(core.List().ListCount(), 2);
  EXPECT_TRUE(core.List().At(0).checked);
  EXPECT_FALSE(core.List().At(1).checked);
  EXPECT_EQ(core.List().ListIndex(), -1);
  EXPECT_EQ(core.BuildCount(), builds + 1);
  // Nothing selected: nothing deleted.
  core.DeleteSelectedGraph();
  EXPECT_EQ(core.Shared().allGraphs.Items.Count(), 2);
  // A graph that is not shown leaves the shown group as it was.
  core.List().SetListIndex(1);
  core.RunEditCommand(MenuItem::mnuEditDelete);
  EXPECT_EQ(Ids(core.Shared().allGraphs), (std::vector<Long>{2}));
  EXPECT_EQ(Ids(core.Shared().shownGraphs), (std::vector<Long>{2}));
  EXPECT_EQ(core.Shared().settings.NextGraphID, 3);
}

// Names travel as UTF-8 on the clipboard and as Windows-1252 in the document.
TEST_F(ExchangeTest, ClipboardTextIsUtf8OutsideAndWindows1252Inside) {
  GraphAt(1).NameS = "Caf\xE9";
  core.List().SetListIndex(0);
  ASSERT_TRUE(core.CopyGraph());
  EXPECT_NE(clipboard.Text()->find("@Caf\xC3\xA9@"), std::string::npos);
  core.PasteGraph();
  EXPECT_EQ(GraphAt(4).NameS, "Caf\xE9");
}

// A pasted Delaunay graph gets the triangles of the document's points when
// the data set holds none yet; its gridding methods become the document's.
TEST_F(ExchangeTest, PastedDelaunayGraphTriangulatesThePoints) {
  Workspace& ws = core.Shared();
  DataPanel& panel = core.Panel();
  panel.SetKindIndex(kIrregularSurface);
  panel.SetText(3, "5");
  core.OnDataPanelOk();
  const double points[5][3] = {{0, 0, 1}, {4, 0, 2}, {0, 4, 3}, {4, 4, 4}, {2, 1, 5}};
  for (Long row = 1; row <= 5; ++row) {
    for (Long col = 1; col <= 3; ++col)
      core.Sheet().CellEdited(row, col, FormatDouble(points[row - 1][col - 1]));
  }
  DataContext context{panel, ws.settings, messages, work};
  ASSERT_TRUE(ws.dataSet.GetData(context));
  ASSERT_EQ(ws.dataSet.DelaunayTriCount(), 0);
  core.List().SetListIndex(0);
  ASSERT_TRUE(core.CopyGraph());
  Graph delaunay;
  delaunay.GraphType = kDelaunayGraph;
  SharedSettings copiedFrom = ws.settings;
  copiedFrom.GridMethod = 1;
  copiedFrom.GridMethod4D = 101;
  clipboard.Hold(CopiedGraphText(delaunay, copiedFrom));
  core.PasteGraph();
  EXPECT_TRUE(messages.Shown().empty()) << messages.Texts().front();
  EXPECT_EQ(ws.allGraphs.Items.Count(), 4);
  EXPECT_GT(ws.dataSet.DelaunayTriCount(), 0);
  EXPECT_EQ(core.List().At(3).caption, "Delaunay Triangles");
  EXPECT_EQ(ws.settings.GridMethod, 1);
  EXPECT_EQ(ws.settings.GridMethod4D, 101);
}

// The sheet's pop-up goes through the clipboard as UTF-8 and keeps the
// index column in step with its rows.
TEST_F(ExchangeTest, SheetPopupCopiesAndPastesThroughTheClipboard) {
  core.Sheet().CellEdited(1, 1, "\xE9");
  ASSERT_TRUE(core.RunSheetCommand(MenuItem::mnuGECopy, {1, 1, 2, 2}));
  EXPECT_EQ(clipboard.Text(), "\xC3\xA9\t0\n0\t1\n");
  ASSERT_TRUE(core.RunSheetCommand(MenuItem::mnuGEPaste, {5, 3, 5, 3}));
  EXPECT_EQ(core.Sheet().CellText(5, 3), "\xE9");
  EXPECT_EQ(core.Sheet().CellText(6, 4), "1");
  clipboard.Hold("\xCE\xA9");
  core.RunSheetCommand(MenuItem::mnuGEPaste, {1, 1, 1, 1});
  EXPECT_EQ(messages.Texts(),
            std::vector<std::string>{"The cells could not be pasted: the clipboard's text holds "
                                     "a character that the data sheet cannot hold."});
  EXPECT_EQ(core.Sheet().CellText(1, 1), "\xE9");
  ASSERT_TRUE(core.RunSheetCommand(MenuItem::mnuGEInsertRow, {2, 1, 2, 1}));
  EXPECT_EQ(core.Sheet().Rows(), 8);
  EXPECT_EQ(core.Sheet().CellText(7, 0), "6");
  EXPECT_EQ(core.Sheet().CellText(3, 2), "1");
  EXPECT_FALSE(core.RunSheetCommand(MenuItem::mnuEditCopy, {1, 1, 1, 1}));
}

// A window with an offscreen drawing area of an odd size and one black
// graph shown, for the commands that pass its picture on.
class PictureTest : public testing::Test {
 protected:
  void SetUp() override {
    view.MakeContext(203, 101);
    core.SetDocumentCommands(&commands);
    core.SetClipboard(&clipboard);
    core.SetPrinter(&printer);
    core.Start("", 15.0);
    core.SetDrawingSize(203, 101);
    Workspace& ws = core.Shared();
    ws.allGraphs.Items.Add(
        std::make_shared<test::FakeGraph>(1, test::BoxAround(0, 0, 0, 2), ws.settings), "1");
    core.AddListEntry("Graph");
    core.SetFitPending(true);
    core.CheckListEntry(0);
  }
  static std::size_t Dark(const RgbaImage& picture) {
    std::size_t dark = 0;
    for (std::size_t at = 0; at < picture.pixels.size(); at += 4) dark += picture.pixels[at] < 128;
    return dark;
  }

  test::FakeView view;
  test::ScriptedMessageBox messages;
  test::ScriptedFileDialog dialogs;
  test::ScriptedClipboard clipboard;
  test::ScriptedPrinter printer;
  ImmediateWorkRunner work;
  test::FakeCommands commands;
  MainWindowCore core{view, {messages, dialogs, work}};
};

// Copy As BMP puts the drawing area's whole picture on the clipboard, column
// for column (no width is cut to a multiple of four), drawn for the copy.
TEST_F(PictureTest, CopyAsBmpPutsTheWholeDrawingAreaOnTheClipboard) {
  core.RunEditCommand(MenuItem::mnuEditCopyAs);
  EXPECT_TRUE(messages.Shown().empty()) << messages.Texts().front();
  ASSERT_TRUE(clipboard.Picture());
  const RgbaImage& picture = *clipboard.Picture();
  EXPECT_EQ(picture.width, 203);
  EXPECT_EQ(picture.height, 101);
  EXPECT_GT(Dark(picture), 100u) << "the graph must be in the picture";
  const RgbImage shown = core.CaptureDrawingArea();
  ASSERT_EQ(shown.rgb.size(), picture.pixels.size() / 4 * 3);
  for (std::size_t p = 0; p < shown.rgb.size() / 3; ++p) {
    ASSERT_EQ(shown.rgb[3 * p], picture.pixels[4 * p]) << p;
    ASSERT_EQ(shown.rgb[3 * p + 2], picture.pixels[4 * p + 2]) << p;
  }
  EXPECT_FALSE(std::filesystem::exists("temp.bmp"));
}

// With no graph shown Copy As BMP copies nothing; a clipboard that cannot be
// opened is reported.
TEST_F(PictureTest, CopyAsBmpNeedsAShownGraphAndAClipboard) {
  clipboard.Hold("kept");
  core.SetListChecked(0, false);
  core.CopyPicture();
  EXPECT_EQ(clipboard.Text(), "kept");
  core.SetListChecked(0, true);
  clipboard.SetOpens(false);
  core.CopyPicture();
  EXPECT_EQ(messages.Texts(),
            std::vector<std::string>{"The picture could not be copied: the clipboard could not be "
                                     "opened."});
}

// Print draws the scene and hands its picture to the printer, shown graphs
// or not; a cancelled dialog says nothing, a failure is reported.
TEST_F(PictureTest, PrintHandsThePictureToThePrinter) {
  core.RunFileCommand(MenuItem::mnuFilePrint);
  ASSERT_EQ(printer.Asked().size(), 1u);
  EXPECT_EQ(printer.Asked()[0].width, 203);
  EXPECT_EQ(printer.Asked()[0].height, 101);
  EXPECT_GT(Dark(printer.Asked()[0]), 100u);
  core.SetListChecked(0, false);
  printer.Answer({PrintOutcome::Cancelled, ""});
  core.PrintPicture();
  ASSERT_EQ(printer.Asked().size(), 2u);
  EXPECT_EQ(Dark(printer.Asked()[1]), 0u) << "an empty scene prints a white picture";
  EXPECT_TRUE(messages.Shown().empty());
  printer.Answer({PrintOutcome::Failed, "no printer is set up"});
  core.PrintPicture();
  EXPECT_EQ(messages.Texts(),
            std::vector<std::string>{"The picture could not be printed: no printer is set up."});
}

// The Help menu's web entries show their sections of the help file beside
// the program, as Contents shows the file; the About box's address is the
// home entry's.
TEST_F(ExchangeTest, WebEntriesShowTheirSectionsOfTheHelpFile) {
  test::TempFolder folder;
  std::filesystem::create_directories(folder.File("help"));
  std::ofstream(folder.File("help/index.html")) << "<html></html>";
  test::ScriptedShell shell;
  core.SetShell(&shell);
  core.Start("", 15.0, folder.Path());
  const std::vector<std::pair<MenuItem, std::string>> entries = {
      {MenuItem::mnuHelpHome, "home"},
      {MenuItem::mnuHelpCus, "support"},
      {MenuItem::mnuHelpVideo, "videos"},
      {MenuItem::mnuHelpTwitter, "social"},
      {MenuItem::mnuHelpFB, "social"}};
  for (const auto& [item, anchor] : entries) EXPECT_TRUE(core.OpenWebEntry(item));
  core.OpenHomePage();
  EXPECT_FALSE(core.OpenWebEntry(MenuItem::mnuHelpCon));
  EXPECT_EQ(shell.Opened(), std::vector<std::string>(6, folder.File("help/index.html")));
  EXPECT_EQ(shell.Anchors(),
            (std::vector<std::string>{"home", "support", "videos", "social", "social", "home"}));
  EXPECT_EQ(kHomeAddress, *WebAddress(MenuItem::mnuHelpHome));
  // No browser: the message names the file, as for Contents.
  shell.SetBrowserStarts(false);
  core.OpenWebEntry(MenuItem::mnuHelpCus);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{std::string(kNoBrowserMessage) +
                                                       folder.File("help/index.html")});
}

// The data file commands of the File menu, through their dialogs.

// Output Data, then Import Data of the same file, gives the sheet back; the
// file is written only past a passing panel and a chosen name.
TEST_F(ExchangeTest, OutputThenImportThroughTheFileMenu) {
  test::TempFolder folder;
  const std::string path = folder.File("data.txt");
  core.Sheet().CellEdited(2, 3, "7 5");
  dialogs.Cancel();
  core.RunFileCommand(MenuItem::mnuFileOutput);
  EXPECT_EQ(folder.Read("data.txt"), "<missing>");
  dialogs.Choose(path);
  core.RunFileCommand(MenuItem::mnuFileOutput);
  ASSERT_EQ(dialogs.Shown().size(), 2u);
  EXPECT_EQ(dialogs.Shown()[1].request.title, "Output");
  EXPECT_EQ(dialogs.Shown()[1].request.filter, "(*.txt)|*.txt");
  EXPECT_EQ(folder.Read("data.txt"),
            "\"R3 3 2\r\n0 0 1\r\n0 1 75\r\n1 0 3\r\n1 1 4\r\n2 0 5\r\n2 1 6\r\n\"\r\n");

  // Another kind and size; the import brings kind, sizes and cells back.
  core.OnDataKindChosen(kIrregularVolume);
  core.Panel().SetText(3, "8");
  core.OnDataPanelOk();
  for (Long row = 1; row <= 6; ++row) core.Sheet().CellEdited(row, 3, "x");
  dialogs.Choose(path);
  core.RunFileCommand(MenuItem::mnuFileImport);
  EXPECT_TRUE(messages.Shown().empty()) << messages.Texts().front();
  EXPECT_EQ(dialogs.Shown().back().request.title, "Open");
  EXPECT_EQ(core.PanelModel().kind, kRegularSurface);
  EXPECT_EQ(core.Sheet().Rows(), 7);
  EXPECT_EQ(core.Sheet().CellText(4, 0), "1,1");
  for (Long row = 1; row <= 6; ++row) {
    EXPECT_EQ(core.Sheet().CellText(row, 3), row == 2 ? "75" : CStr(row)) << row;
    EXPECT_EQ(core.Sheet().CellText(row, 4), core.Sheet().CellText(row, 3)) << row;
  }
}

// A panel that does not pass shows its message and asks for no file; a file
// that cannot be written, or one refused on import, is reported and changes
// nothing.
TEST_F(ExchangeTest, DataFileFailuresAreReportedAndChangeNothing) {
  test::TempFolder folder;
  core.Sheet().CellEdited(3, 2, "abc");
  core.RunFileCommand(MenuItem::mnuFileOutput);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Illegal data exist."});
  EXPECT_TRUE(dialogs.Shown().empty());

  core.Sheet().CellEdited(3, 2, "0");
  messages.Clear();
  dialogs.Choose(folder.File("missing/data.txt"));
  core.RunFileCommand(MenuItem::mnuFileOutput);
  ASSERT_EQ(messages.Shown().size(), 1u);
  EXPECT_EQ(
      messages.Texts()[0].rfind(
          "The data file \"" + folder.File("missing/data.txt") + "\" could not be written: ", 0),
      0u)
      << messages.Texts()[0];

  std::ofstream(folder.File("binary.txt"), std::ios::binary) << std::string("I3 2\n\0\0", 7);
  const std::string before = DocumentState();
  messages.Clear();
  dialogs.Choose(folder.File("binary.txt"));
  core.RunFileCommand(MenuItem::mnuFileImport);
  EXPECT_EQ(messages.Texts(),
            std::vector<std::string>{"The data file \"" + folder.File("binary.txt") +
                                     "\" could not be imported: it is not a "
                                     "text file."});
  EXPECT_EQ(DocumentState(), before);
  EXPECT_EQ(core.Sheet().CellText(3, 2), "0");
}

// Output Gridded Data grids a data set of its own: the document's data set
// and graphs keep theirs, and a gridding that fails stops before the dialog.
TEST_F(ExchangeTest, GriddedOutputLeavesTheDocumentsDataSet) {
  test::TempFolder folder;
  DataPanel& panel = core.Panel();
  panel.SetKindIndex(kIrregularSurface);
  panel.SetText(3, "5");
  core.OnDataPanelOk();
  // Five points on one line: the quadratic fit has no solution.
  for (Long row = 1; row <= 5; ++row) {
    core.Sheet().CellEdited(row, 1, CStr(row));
    core.Sheet().CellEdited(row, 2, CStr(row));
    core.Sheet().CellEdited(row, 3, CStr(2 * row));
  }
  const Workspace& ws = core.Shared();
  const Long stepsX = ws.dataSet.StepsX();
  const double maxZ = ws.dataSet.MaxZ();
  const Long loadedKind = ws.dataSet.LoadedKind();
  const std::string before = DocumentState();
  core.Shared().settings.GridMethod = 5;
  core.RunFileCommand(MenuItem::mnuFileGridded);
  EXPECT_EQ(messages.Texts(),
            std::vector<std::string>{"Can not generate a regular data grid, please try another "
                                     "method."});
  EXPECT_TRUE(dialogs.Shown().empty());

  core.Shared().settings.GridMethod = 2;
  messages.Clear();
  dialogs.Choose(folder.File("grid.txt"));
  core.RunFileCommand(MenuItem::mnuFileGridded);
  EXPECT_TRUE(messages.Shown().empty()) << messages.Texts().front();
  EXPECT_EQ(folder.Read("grid.txt").substr(0, 11), "\"R3 11 11\r\n");
  EXPECT_EQ(ws.dataSet.StepsX(), stepsX);
  EXPECT_EQ(ws.dataSet.MaxZ(), maxZ);
  EXPECT_EQ(ws.dataSet.LoadedKind(), loadedKind);
  EXPECT_EQ(DocumentState(), before);
}

}  // namespace
}  // namespace qv
