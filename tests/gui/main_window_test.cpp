#include "window/wx/main_frame.h"

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/checklst.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/grid.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/menu.h>
#include <wx/mstream.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "documents/document_container.h"
#include "graphs/graph.h"
#include "graphs/graph_kinds.h"
#include "running_window.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_message_box.h"
#include "support/scripted_shell.h"

namespace qv {
namespace {

using namespace std::chrono_literals;
using test::AllWhite;
using test::PumpFor;

// A mouse event as the toolkit delivers it to window.
void SendMouse(wxWindow* window, wxEventType type, int x, int y, bool leftDown,
               bool rightDown = false) {
  wxMouseEvent event(type);
  event.SetEventObject(window);
  event.SetId(window->GetId());
  event.m_x = x;
  event.m_y = y;
  event.m_leftDown = leftDown;
  event.m_rightDown = rightDown;
  window->GetEventHandler()->ProcessEvent(event);
}

// The running program's main window, started without a document.
class MainWindowTest : public test::RunningWindowTest {
 protected:
  // The picture the drawing area shows now.
  RgbImage Picture() { return Core().CaptureDrawingArea(); }

  // Two point graphs put into the document as a document load does: into
  // AllGraphs and the list, then checked with the first check fitting the view.
  void AddTwoPointGraphs() {
    Workspace& ws = Core().Shared();
    // The scales a loaded data set gives.
    ws.settings.DataScaleX = ws.settings.DataScaleY = ws.settings.DataScaleZ = 1.0;
    Core().AsOneLoad([&] {
      const double positions[2][3] = {{-3.0, -2.0, -1.0}, {3.0, 2.0, 1.0}};
      for (Long id = 1; id <= 2; ++id) {
        auto graph = std::make_shared<Graph>();
        graph->SetID(id);
        graph->GraphType = kPointGraph;
        graph->PointX = positions[id - 1][0];
        graph->PointY = positions[id - 1][1];
        graph->PointZ = positions[id - 1][2];
        graph->PointSize = 0.6;
        graph->PointColor = 255;  // red
        ws.allGraphs.Items.Add(graph, CStr(id));
        Core().AddListEntry(ListCaption(*graph, ws.settings.ViewCode));
      }
      Core().SetFitPending(true);
      Core().CheckListEntry(0);
      Core().CheckListEntry(1);
    });
    PumpFor(50ms);
  }

  // A trackball drag across the drawing area, released without a pause.
  void RotationDrag() {
    frame_->RunCommand(MenuItem::mnuViewRotate);
    wxWindow* area = frame_->DrawingArea();
    const wxSize size = area->GetClientSize();
    const int x = size.x / 2;
    const int y = size.y / 2;
    SendMouse(area, wxEVT_LEFT_DOWN, x, y, true);
    for (int step = 1; step <= 5; ++step)
      SendMouse(area, wxEVT_MOTION, x + 8 * step, y + 3 * step, true);
    SendMouse(area, wxEVT_LEFT_UP, x + 40, y + 15, false);
  }
};

// Started without a document: an empty 3D document whose drawing area is
// white until the first scene build; closing asks nothing and ends the window.
TEST_F(MainWindowTest, StartsEmptyWithAWhiteDrawingAreaAndClosesWithoutAQuestion) {
  ASSERT_NE(frame_->DrawingContext(), nullptr);
  EXPECT_EQ(Core().Shared().settings.ViewCode, 3);
  EXPECT_EQ(frame_->GraphListBox()->GetCount(), 0u);
  const RgbImage picture = Picture();
  ASSERT_FALSE(picture.Empty());
  EXPECT_EQ(picture.width, frame_->DrawingArea()->GetClientSize().x);
  EXPECT_TRUE(AllWhite(picture));

  frame_->Close();
  PumpFor(100ms);
  EXPECT_FALSE(alive_) << "the window must be gone after closing";
  EXPECT_TRUE(messages_.Shown().empty());
}

// Graphs added and checked as a document load does them are drawn, listed
// and checked; the panel and sheet show the start-up models.
TEST_F(MainWindowTest, ShowsGraphsPutIntoTheGroupsByALoad) {
  AddTwoPointGraphs();
  EXPECT_EQ(Core().Shared().shownGraphs.Items.Count(), 2);
  wxCheckListBox* list = frame_->GraphListBox();
  ASSERT_EQ(list->GetCount(), 2u);
  EXPECT_TRUE(list->IsChecked(0));
  EXPECT_TRUE(list->IsChecked(1));
  EXPECT_FALSE(AllWhite(Picture()));

  // Unchecking both through the list box hides them again.
  for (unsigned i = 0; i < 2; ++i) {
    list->Check(i, false);
    wxCommandEvent event(wxEVT_CHECKLISTBOX, list->GetId());
    event.SetInt(static_cast<int>(i));
    event.SetEventObject(list);
    list->GetEventHandler()->ProcessEvent(event);
  }
  EXPECT_EQ(Core().Shared().shownGraphs.Items.Count(), 0);
  EXPECT_TRUE(AllWhite(Picture()));
}

// A rotation drag keeps the scene turning after the release, one increment
// per tick, until the next press; while still, no ticks run.
TEST_F(MainWindowTest, RotationDragSpinsAfterReleaseUntilTheNextPress) {
  AddTwoPointGraphs();
  EXPECT_FALSE(frame_->SpinTimerRunning());
  const RgbImage before = Picture();
  RotationDrag();
  EXPECT_NE(Picture().rgb, before.rgb) << "the drag must turn the scene";
  EXPECT_TRUE(frame_->SpinTimerRunning());

  const RgbImage first = Picture();
  PumpFor(150ms);
  const RgbImage second = Picture();
  EXPECT_NE(second.rgb, first.rgb) << "the spin must keep turning after the release";
  PumpFor(150ms);
  EXPECT_NE(Picture().rgb, second.rgb);

  // A click stops the spin: the picture stays as it is.
  wxWindow* area = frame_->DrawingArea();
  SendMouse(area, wxEVT_LEFT_DOWN, 10, 10, true);
  SendMouse(area, wxEVT_LEFT_UP, 10, 10, false);
  EXPECT_FALSE(frame_->SpinTimerRunning());
  const RgbImage stopped = Picture();
  PumpFor(150ms);
  EXPECT_EQ(Picture().rgb, stopped.rgb);
}

// Closing while the scene spins stops the spin and ends the window.
TEST_F(MainWindowTest, ClosingDuringASpinEndsTheWindow) {
  AddTwoPointGraphs();
  RotationDrag();
  ASSERT_TRUE(frame_->SpinTimerRunning());
  messages_.Script({MsgAnswer::No});
  frame_->Close();
  PumpFor(100ms);
  EXPECT_FALSE(alive_);
  EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"Do you want to save the graphs?"});
}

// A save the user asked for at closing that did not happen (the dialog was
// cancelled) keeps the window and its graphs.
TEST_F(MainWindowTest, CancelledSaveAtClosingKeepsTheWindowAndItsGraphs) {
  AddTwoPointGraphs();
  messages_.Script({MsgAnswer::Yes});
  dialogs_.Cancel();
  frame_->Close();
  PumpFor(100ms);
  ASSERT_TRUE(alive_);
  EXPECT_EQ(Core().Shared().allGraphs.Items.Count(), 2);
  EXPECT_EQ(frame_->GraphListBox()->GetCount(), 2u);
  ASSERT_NE(frame_->DrawingContext(), nullptr);
  EXPECT_FALSE(AllWhite(Picture()));
}

// The command line names a document: start-up opens it, lists and checks its
// graphs, fits the view once and shows the picture.
TEST(MainWindowStartTest, OpensTheDocumentNamedOnTheCommandLine) {
  char pattern[] = "/tmp/qv-gui-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string folder = pattern;
  std::ifstream in(std::string(QV_TEST_INPUTS_DIR) + "/documents/d11.txt", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(text.empty());
  // A path with a blank: the whole command line is the path.
  const std::string path = folder + "/a surface.qrv";
  std::ofstream(path, std::ios::binary) << EncodeContainer(text);

  test::ScriptedMessageBox messages;
  test::ScriptedFileDialog dialogs;
  MainFrameOptions options;
  options.messages = &messages;
  options.fileDialogs = &dialogs;
  options.dataHome = folder + "/data";
  auto* frame = new MainFrame(options);
  wxWeakRef<MainFrame> alive(frame);
  frame->Start(path);
  PumpFor(100ms);
  EXPECT_TRUE(messages.Shown().empty()) << messages.Texts().front();
  MainWindowCore& core = frame->Core();
  const Long graphs = core.Shared().allGraphs.Items.Count();
  EXPECT_GE(graphs, 1);
  EXPECT_EQ(frame->GraphListBox()->GetCount(), static_cast<unsigned>(graphs));
  EXPECT_FALSE(core.Flags().FitPending);
  // What the window shows after start-up is the picture a build at its
  // final size gives, not a buffer left from before the surface took it.
  const RgbImage shown = core.CaptureDrawingArea();
  EXPECT_FALSE(AllWhite(shown));
  core.BuildScene();
  const RgbImage rebuilt = core.CaptureDrawingArea();
  ASSERT_EQ(rebuilt.rgb.size(), shown.rgb.size());
  std::size_t differing = 0;
  for (std::size_t i = 0; i < shown.rgb.size(); ++i) differing += shown.rgb[i] != rebuilt.rgb[i];
  // A few edge pixels of the overlay may round differently between a replay
  // and a build; a stale buffer differs almost everywhere.
  EXPECT_LT(differing, shown.rgb.size() / 1000);

  messages.Script({MsgAnswer::No});
  frame->Close();
  PumpFor(100ms);
  EXPECT_FALSE(alive);
  std::filesystem::remove_all(folder);
}

// File > Open from the menu bar runs the document subsystem's Open: the
// chosen document replaces the empty one and is shown; a cancelled dialog
// changes nothing.
TEST_F(MainWindowTest, FileOpenFromTheMenuShowsTheChosenDocument) {
  std::ifstream in(std::string(QV_TEST_INPUTS_DIR) + "/documents/d11.txt", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string path = temp_.File("chosen.qrv");
  std::ofstream(path, std::ios::binary) << EncodeContainer(text);
  wxCommandEvent open(wxEVT_MENU, MainFrame::MenuId(MenuItem::mnuFileOpen));
  open.SetEventObject(frame_);

  dialogs_.Cancel();
  frame_->GetEventHandler()->ProcessEvent(open);
  EXPECT_EQ(Core().Shared().allGraphs.Items.Count(), 0);

  dialogs_.Choose(path);
  frame_->GetEventHandler()->ProcessEvent(open);
  ASSERT_EQ(dialogs_.Shown().size(), 2u);
  EXPECT_EQ(dialogs_.Shown()[1].request.title, "Open File");
  EXPECT_GE(Core().Shared().allGraphs.Items.Count(), 1);
  EXPECT_EQ(frame_->GraphListBox()->GetCount(),
            static_cast<unsigned>(Core().Shared().allGraphs.Items.Count()));
  EXPECT_FALSE(AllWhite(Picture()));
}

// Ctrl+C (the Copy item's shortcut, pressed as the user would) copies the
// selected graph to the desktop's clipboard; Edit > Paste adds an equal graph
// with its list entry.
TEST_F(MainWindowTest, CtrlCThenEditPasteAddsAGraph) {
  AddTwoPointGraphs();
  wxCheckListBox* list = frame_->GraphListBox();
  list->SetSelection(1);
  wxCommandEvent select(wxEVT_LISTBOX, list->GetId());
  select.SetInt(1);
  select.SetEventObject(list);
  list->GetEventHandler()->ProcessEvent(select);
  ASSERT_EQ(Core().List().ListIndex(), 1);
  const wxMenuItem* copy = frame_->GetMenuBar()->FindItem(MainFrame::MenuId(MenuItem::mnuEditCopy));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetItemLabelText(), "Copy");
  ASSERT_NE(copy->GetAccel(), nullptr);
  EXPECT_EQ(copy->GetAccel()->ToString(), "Ctrl+C");

  // The keys go to the window under the pointer; a window of a test running
  // beside this one on the same display may come up over it, so the press
  // is tried again a few times.
  wxUIActionSimulator keys;
  for (int attempt = 0; attempt < 5 && Core().Flags().CopiedCount == 0; ++attempt) {
    frame_->Raise();
    keys.MouseMove(frame_->DrawingArea()->GetScreenRect().GetPosition() + wxPoint(20, 20));
    frame_->DrawingArea()->SetFocus();
    PumpFor(50ms);
    keys.Char('c', wxMOD_CONTROL);
    for (int i = 0; i < 50 && Core().Flags().CopiedCount == 0; ++i) PumpFor(10ms);
  }
  ASSERT_EQ(Core().Flags().CopiedCount, 1) << "Ctrl+C must run Edit > Copy";

  wxCommandEvent paste(wxEVT_MENU, MainFrame::MenuId(MenuItem::mnuEditPaste));
  paste.SetEventObject(frame_);
  frame_->GetEventHandler()->ProcessEvent(paste);
  EXPECT_TRUE(messages_.Shown().empty()) << messages_.Texts().front();
  const Workspace& ws = Core().Shared();
  ASSERT_EQ(ws.allGraphs.Items.Count(), 3);
  EXPECT_EQ(ws.shownGraphs.Items.Count(), 3);
  const auto& pasted = static_cast<const Graph&>(*ws.allGraphs.Items.Item(3));
  const auto& copied = static_cast<const Graph&>(*ws.allGraphs.Items.Item(2));
  EXPECT_EQ(DifferingRecordedOptions(pasted, copied), std::vector<std::string>{});
  EXPECT_EQ(pasted.ID(), 3);
  ASSERT_EQ(list->GetCount(), 3u);
  EXPECT_EQ(list->GetString(2), list->GetString(1));
  EXPECT_TRUE(list->IsChecked(2));
}

// The key a caption's mnemonic gives (the character after a single "&",
// lower case), 0 for none; a caption with more than one gets -1.
int MnemonicOf(const wxString& caption) {
  int key = 0;
  for (std::size_t i = 0; i + 1 < caption.length(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    if (key != 0) return -1;
    key = static_cast<int>(wxTolower(caption[i + 1]));
  }
  return key;
}

// Every caption of a menu (submenus checked on their own) has one mnemonic
// of its own; only a caption whose every letter the menu's other items hold
// may have none (the Demo menu has more items than letters).
void ExpectOwnMnemonics(const std::vector<wxString>& captions, const std::string& menu) {
  std::map<int, wxString> taken;
  for (const wxString& caption : captions) {
    const int key = MnemonicOf(caption);
    EXPECT_NE(key, -1) << menu << ": " << caption;
    if (key <= 0) continue;
    const auto [it, added] = taken.emplace(key, caption);
    EXPECT_TRUE(added) << menu << ": " << caption << " and " << it->second;
  }
  for (const wxString& caption : captions) {
    if (MnemonicOf(caption) != 0) continue;
    for (const wxUniChar c : wxStripMenuCodes(caption, wxStrip_Mnemonics)) {
      if (!wxIsalnum(c)) continue;
      EXPECT_TRUE(taken.count(static_cast<int>(wxTolower(c)))) << menu << ": " << caption;
    }
  }
}

void ExpectOwnMnemonics(const wxMenu& menu, const std::string& name) {
  std::vector<wxString> captions;
  for (const wxMenuItem* item : menu.GetMenuItems()) {
    if (item->IsSeparator()) continue;
    captions.push_back(item->GetItemLabel().BeforeFirst('\t'));
    if (item->GetSubMenu() != nullptr)
      ExpectOwnMnemonics(*item->GetSubMenu(),
                         name + " > " + item->GetItemLabelText().utf8_string());
  }
  ExpectOwnMnemonics(captions, name);
}

// The menus open from the keyboard: every menu of the bar and every item of
// a menu or pop-up carries its own mnemonic, the captions reading as before.
TEST_F(MainWindowTest, MenusAndTheirItemsHaveTheirOwnMnemonics) {
  wxMenuBar* bar = frame_->GetMenuBar();
  std::vector<wxString> titles;
  for (std::size_t i = 0; i < bar->GetMenuCount(); ++i) {
    titles.push_back(bar->GetMenuLabel(i));
    ExpectOwnMnemonics(*bar->GetMenu(i), bar->GetMenuLabelText(i).utf8_string());
  }
  ExpectOwnMnemonics(titles, "menu bar");
  for (const wxString& title : titles) EXPECT_GT(MnemonicOf(title), 0) << title;
  EXPECT_EQ(bar->FindMenu("File"), 0);
  EXPECT_EQ(bar->GetMenuLabelText(4), "Demo");
  frame_->SetPopupHook([&](PopupMenu which, wxMenu& items, double, double) {
    ExpectOwnMnemonics(items, "pop-up " + std::to_string(static_cast<int>(which)));
    return true;
  });
  SendMouse(frame_->GraphListBox(), wxEVT_RIGHT_DOWN, 10, 10, false, true);
  SendMouse(frame_->DrawingArea(), wxEVT_RIGHT_DOWN, 10, 10, false, true);
  SendMouse(frame_->SheetGrid()->GetGridWindow(), wxEVT_RIGHT_DOWN, 20, 20, false, true);
}

// Alt+F opens the File menu (the captions once carried no mnemonic, and the
// keys opened nothing).
TEST_F(MainWindowTest, AltFOpensTheFileMenu) {
  wxMenu* file = frame_->GetMenuBar()->GetMenu(0);
  bool opened = false;
  frame_->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
    if (event.GetMenu() == file) opened = true;
    event.Skip();
  });
  wxUIActionSimulator keys;
  for (int attempt = 0; attempt < 5 && !opened; ++attempt) {
    frame_->Raise();
    keys.MouseMove(frame_->DrawingArea()->GetScreenRect().GetPosition() + wxPoint(20, 20));
    frame_->DrawingArea()->SetFocus();
    PumpFor(50ms);
    keys.Char('f', wxMOD_ALT);
    for (int i = 0; i < 50 && !opened; ++i) PumpFor(10ms);
  }
  EXPECT_TRUE(opened) << "Alt+F must open the File menu";
  keys.Char(WXK_ESCAPE);
  PumpFor(50ms);
}

// Edit > Copy As BMP puts a picture of the drawing area's size on the
// desktop's clipboard, offered as PNG and BMP; read back it is what the
// area shows.
TEST_F(MainWindowTest, CopyAsBmpPutsTheDrawingAreasPictureOnTheClipboard) {
  AddTwoPointGraphs();
  frame_->RunCommand(MenuItem::mnuEditCopyAs);
  EXPECT_TRUE(messages_.Shown().empty()) << messages_.Texts().front();
  const RgbImage shown = Picture();
  ASSERT_TRUE(wxTheClipboard->Open());
  for (const char* type : {"image/png", "image/bmp"})
    EXPECT_TRUE(wxTheClipboard->IsSupported(wxDataFormat(type))) << type;
  wxBitmapDataObject data;
  const bool read = wxTheClipboard->GetData(data);
  wxCustomDataObject bmp(wxDataFormat("image/bmp"));
  const bool readBmp = wxTheClipboard->GetData(bmp);
  wxTheClipboard->Close();
  ASSERT_TRUE(read);
  ASSERT_TRUE(readBmp);
  wxMemoryInputStream bmpBytes(bmp.GetData(), bmp.GetSize());
  const wxImage fromBmp(bmpBytes, wxBITMAP_TYPE_BMP);
  ASSERT_TRUE(fromBmp.IsOk());
  EXPECT_EQ(fromBmp.GetWidth(), shown.width);
  EXPECT_EQ(fromBmp.GetHeight(), shown.height);
  const wxImage image = data.GetBitmap().ConvertToImage();
  ASSERT_EQ(image.GetWidth(), shown.width);
  ASSERT_EQ(image.GetHeight(), shown.height);
  EXPECT_EQ(shown.width,
            static_cast<int>(std::lround(frame_->DrawingArea()->GetClientSize().x *
                                         frame_->DrawingArea()->GetContentScaleFactor())));
  std::size_t differing = 0;
  for (int y = 0; y < shown.height; ++y) {
    for (int x = 0; x < shown.width; ++x) {
      const std::size_t at = (static_cast<std::size_t>(shown.height - 1 - y) * shown.width + x) * 3;
      differing += image.GetRed(x, y) != shown.rgb[at] || image.GetBlue(x, y) != shown.rgb[at + 2];
    }
  }
  EXPECT_EQ(differing, 0u);
}

// File > Print to a PDF file (the dialog's "Print to File", unattended) gives
// one page with the scene on it.
TEST(MainWindowPrintTest, PrintingToAPdfFileGivesAPageWithThePicture) {
  char pattern[] = "/tmp/qv-gui-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string folder = pattern;
  WxPrinter printer = WxPrinter::ToPdfFile(folder + "/page.pdf");
  test::ScriptedMessageBox messages;
  test::ScriptedFileDialog dialogs;
  MainFrameOptions options;
  options.messages = &messages;
  options.fileDialogs = &dialogs;
  options.printer = &printer;
  options.dataHome = folder + "/data";
  auto* frame = new MainFrame(options);
  wxWeakRef<MainFrame> alive(frame);
  frame->Start("");
  PumpFor(100ms);
  MainWindowCore& core = frame->Core();
  Workspace& ws = core.Shared();
  ws.settings.DataScaleX = ws.settings.DataScaleY = ws.settings.DataScaleZ = 1.0;
  core.AsOneLoad([&] {
    auto graph = std::make_shared<Graph>();
    graph->SetID(1);
    graph->GraphType = kPointGraph;
    graph->PointX = graph->PointY = graph->PointZ = 1.0;
    graph->PointSize = 3.0;
    graph->PointColor = 255;
    ws.allGraphs.Items.Add(graph, "1");
    core.AddListEntry(ListCaption(*graph, ws.settings.ViewCode));
    core.SetFitPending(true);
    core.CheckListEntry(0);
  });
  frame->RunCommand(MenuItem::mnuFilePrint);
  EXPECT_TRUE(messages.Shown().empty()) << messages.Texts().front();
  ASSERT_TRUE(std::filesystem::is_regular_file(folder + "/page.pdf"));
  const std::string command = "pdftoppm -r 40 -png '" + folder + "/page.pdf' '" + folder + "/page'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const std::string png = folder + "/page-1.png";
  ASSERT_TRUE(std::filesystem::is_regular_file(png)) << "one page";
  EXPECT_FALSE(std::filesystem::exists(folder + "/page-2.png"));
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
  if (std::getenv("QV_WRITE_PICTURES") != nullptr)
    std::filesystem::copy_file(png, "/tmp/qv_print_page.png",
                               std::filesystem::copy_options::overwrite_existing);
  wxImage page(wxString::FromUTF8(png), wxBITMAP_TYPE_PNG);
  ASSERT_TRUE(page.IsOk());
  EXPECT_LT(page.GetWidth(), page.GetHeight()) << "an upright page";
  std::size_t red = 0;
  for (int y = 0; y < page.GetHeight(); ++y) {
    for (int x = 0; x < page.GetWidth(); ++x)
      red += page.GetRed(x, y) > 150 && page.GetGreen(x, y) < 100 && page.GetBlue(x, y) < 100;
  }
  EXPECT_GT(red, 10u) << "the red point must be on the page";

  frame->Close(true);
  PumpFor(100ms);
  EXPECT_FALSE(alive);
  std::filesystem::remove_all(folder);
}

// The enable pattern of the view kind reaches the real menu items and
// toolbar buttons, both ways.
TEST_F(MainWindowTest, ViewKindSwitchesMenuItemsAndToolbarButtons) {
  wxMenuBar* menus = frame_->GetMenuBar();
  wxToolBar* tools = frame_->GetToolBar();
  struct Row {
    MenuItem item;
    int button;
  };
  const Row rotations[] = {{MenuItem::mnuViewRotateX, 42},
                           {MenuItem::mnuViewRotate, 45},
                           {MenuItem::mnuViewFront, 47},
                           {MenuItem::mnuViewISO, 50}};
  for (const Row& row : rotations) {
    EXPECT_TRUE(menus->IsEnabled(MainFrame::MenuId(row.item))) << MenuItemName(row.item);
    EXPECT_TRUE(tools->GetToolEnabled(MainFrame::ToolId(row.button))) << row.button;
  }
  frame_->RunCommand(MenuItem::mnuFileNew2D);
  EXPECT_EQ(Core().Shared().settings.ViewCode, 7);
  for (const Row& row : rotations) {
    EXPECT_FALSE(menus->IsEnabled(MainFrame::MenuId(row.item))) << MenuItemName(row.item);
    EXPECT_FALSE(tools->GetToolEnabled(MainFrame::ToolId(row.button))) << row.button;
  }
  // Move, zoom and fit stay usable in 2D.
  EXPECT_TRUE(tools->GetToolEnabled(MainFrame::ToolId(41)));
  frame_->RunCommand(MenuItem::mnuFileNew3D);
  for (const Row& row : rotations) EXPECT_TRUE(menus->IsEnabled(MainFrame::MenuId(row.item)));
}

// A button's tooltip and its status-bar hint are different texts; away from
// the buttons the status bar says "Ready".
TEST_F(MainWindowTest, ToolbarShowsTooltipsAndStatusHints) {
  wxToolBar* tools = frame_->GetToolBar();
  struct Case {
    int button;
    const char* tooltip;
    const char* hint;
  };
  for (const Case& c : {Case{4, "Create 4D Graphs", "Create new 4D graphs"},
                        Case{41, "Zoom To Fit", "Zoom to an appropriate size"},
                        Case{45, "Rotate The Scene", "Rotate the scene"}}) {
    EXPECT_EQ(tools->GetToolShortHelp(MainFrame::ToolId(c.button)), c.tooltip);
    tools->OnMouseEnter(MainFrame::ToolId(c.button));
    EXPECT_EQ(frame_->GetStatusBar()->GetStatusText(0), c.hint) << c.button;
  }
  tools->OnMouseEnter(wxID_ANY);
  EXPECT_EQ(frame_->GetStatusBar()->GetStatusText(0), "Ready");
}

// Every button shows in a window 1280 pixels wide: the theme's spacing once
// needed some 1560 pixels, and the last buttons went behind the overflow
// arrow.
TEST_F(MainWindowTest, ToolbarShowsEveryButtonAt1280Pixels) {
  frame_->SetSize(wxSize(1280, 1000));
  PumpFor(150ms);
  wxToolBar* tools = frame_->GetToolBar();
  EXPECT_EQ(tools->GetToolsCount(), 50u);
  // What the toolbar asks for to show all its items, against what it has.
  EXPECT_LE(tools->GetBestSize().x, tools->GetSize().x);
  EXPECT_LE(tools->GetSize().x, 1280);
}

// The OK button sizes the grid from the panel and writes the index labels;
// typed cells land in the sheet's texts.
TEST_F(MainWindowTest, SheetFollowsThePanelAndStoresTypedCells) {
  frame_->PanelBox(1)->SetValue("3");
  frame_->PanelBox(2)->SetValue("2");
  wxCommandEvent click(wxEVT_BUTTON, frame_->OkButton()->GetId());
  click.SetEventObject(frame_->OkButton());
  frame_->OkButton()->GetEventHandler()->ProcessEvent(click);
  wxGrid* grid = frame_->SheetGrid();
  ASSERT_EQ(grid->GetNumberRows(), 6);
  EXPECT_EQ(grid->GetNumberCols(), 4);
  const char* indices[] = {"0,0", "0,1", "1,0", "1,1", "2,0", "2,1"};
  for (int row = 0; row < 6; ++row) EXPECT_EQ(grid->GetRowLabelValue(row), indices[row]) << row;
  EXPECT_EQ(grid->GetColLabelValue(0), "X");
  EXPECT_EQ(grid->GetColLabelValue(3), "Color");

  grid->SetCellValue(1, 2, "7.5");
  EXPECT_EQ(Core().Sheet().CellText(2, 3), "7.5");
  // Windows-1252 text shows as typed.
  grid->SetCellValue(0, 0, wxString::FromUTF8("\xC3\xA9t\xC3\xA9"));
  EXPECT_EQ(Core().Sheet().CellText(1, 1), "\xE9t\xE9");
  EXPECT_EQ(grid->GetCellValue(0, 0), wxString::FromUTF8("\xC3\xA9t\xC3\xA9"));

  // Growing the sheet again (a larger count) keeps the grid in step.
  frame_->PanelBox(1)->SetValue("10");
  frame_->OkButton()->GetEventHandler()->ProcessEvent(click);
  EXPECT_EQ(grid->GetNumberRows(), 20);
}

// A character that Windows-1252 cannot hold is refused in the panel's box
// with a message, and the box keeps its text.
TEST_F(MainWindowTest, PanelRefusesTextThatDocumentsCannotHold) {
  wxTextCtrl* box = frame_->PanelBox(2);
  box->SetValue(wxString::FromUTF8("5\xE2\x82\xAC"));  // the euro sign is in Windows-1252
  EXPECT_EQ(Core().PanelModel().texts[2].text, "5\x80");
  box->SetValue(wxString::FromUTF8("\xCE\xA9"));  // Greek omega is not
  EXPECT_EQ(Core().PanelModel().texts[2].text, "5\x80");
  EXPECT_EQ(box->GetValue(), wxString::FromUTF8("5\xE2\x82\xAC"));
  EXPECT_EQ(messages_.Shown().size(), 1u);
}

// The panel starts with the boxes of the selected kind (it once read "Rows X
// 0"); a refused size shows its message over the boxes already back at the
// counts that last sized the sheet.
TEST_F(MainWindowTest, PanelStartsWithItsKindsCountsAndARefusedSizeGoesBack) {
  EXPECT_EQ(frame_->PanelBox(1)->GetValue(), "10");
  EXPECT_EQ(frame_->PanelBox(2)->GetValue(), "10");
  frame_->PanelBox(1)->SetValue("200");
  frame_->PanelBox(2)->SetValue("200");
  wxString shownWhileAsked;
  messages_.OnShow([&] { shownWhileAsked = frame_->PanelBox(1)->GetValue(); });
  wxCommandEvent click(wxEVT_BUTTON, frame_->OkButton()->GetId());
  click.SetEventObject(frame_->OkButton());
  frame_->OkButton()->GetEventHandler()->ProcessEvent(click);
  EXPECT_EQ(messages_.Texts(), std::vector<std::string>{kSheetTooLargeMessage});
  EXPECT_EQ(shownWhileAsked, "10");
  EXPECT_EQ(frame_->PanelBox(1)->GetValue(), "10");
  EXPECT_EQ(frame_->PanelBox(2)->GetValue(), "10");
  EXPECT_EQ(frame_->SheetGrid()->GetNumberRows(), 100);
}

// Help > Contents shows the help file beside the program; with no browser a
// message names the file.
TEST_F(MainWindowTest, HelpContentsNamesTheHelpFileWhenNoBrowserStarts) {
  frame_->RunCommand(MenuItem::mnuHelpCon);
  ASSERT_EQ(shell_.Opened().size(), 1u);
  const std::string help = shell_.Opened()[0];
  EXPECT_TRUE(std::filesystem::is_regular_file(help)) << help;
  EXPECT_TRUE(messages_.Shown().empty());
  shell_.SetBrowserStarts(false);
  frame_->RunCommand(MenuItem::mnuHelpCon);
  EXPECT_EQ(messages_.Texts(), std::vector<std::string>{std::string(kNoBrowserMessage) + help});
}

// The data-kind list runs the kind change: captions and enabled boxes follow.
TEST_F(MainWindowTest, KindListShowsTheKindsPanel) {
  wxChoice* kinds = frame_->KindList();
  ASSERT_EQ(kinds->GetCount(), 8u);
  EXPECT_EQ(kinds->GetSelection(), 0);
  EXPECT_FALSE(frame_->PanelBox(3)->IsShown());
  kinds->SetSelection(3);
  wxCommandEvent event(wxEVT_CHOICE, kinds->GetId());
  event.SetInt(3);
  event.SetEventObject(kinds);
  kinds->GetEventHandler()->ProcessEvent(event);
  EXPECT_EQ(Core().PanelModel().kind, 3);
  EXPECT_TRUE(frame_->PanelBox(3)->IsShown());
  EXPECT_TRUE(frame_->PanelBox(10)->IsEnabled());
  EXPECT_EQ(frame_->SheetGrid()->GetColLabelValue(3), "V");
}

// The method list shows the irregular kinds' gridding methods, the
// document's chosen; picking one makes the document grid by it.
TEST_F(MainWindowTest, MethodListPicksTheGriddingMethod) {
  wxChoice* methods = frame_->MethodList();
  EXPECT_FALSE(methods->IsShown());  // a regular kind has nothing to grid
  const auto choose = [](wxChoice* choice, int index) {
    choice->SetSelection(index);
    wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
    event.SetInt(index);
    event.SetEventObject(choice);
    choice->GetEventHandler()->ProcessEvent(event);
  };
  choose(frame_->KindList(), kIrregularSurface);
  ASSERT_TRUE(methods->IsShown());
  ASSERT_EQ(methods->GetCount(), 5u);
  EXPECT_EQ(methods->GetStringSelection(), "Shepard");
  choose(methods, 4);
  EXPECT_EQ(Core().Shared().settings.GridMethod, 5);
  choose(frame_->KindList(), kIrregularVolume);
  ASSERT_EQ(methods->GetCount(), 3u);
  EXPECT_EQ(methods->GetStringSelection(), "Shepard");
  choose(methods, 0);
  EXPECT_EQ(Core().Shared().settings.GridMethod4D, 101);
  EXPECT_EQ(Core().Shared().settings.GridMethod, 5);
}

// The sheet's pop-up opens only over the data cells, never over the header
// row or the index column; the list's and the drawing area's open on the
// right button.
TEST_F(MainWindowTest, PopupsOpenWhereTheyBelong) {
  std::vector<PopupMenu> opened;
  frame_->SetPopupHook([&](PopupMenu menu, wxMenu&, double, double) {
    opened.push_back(menu);
    return true;
  });
  wxGrid* grid = frame_->SheetGrid();
  SendMouse(grid->GetGridRowLabelWindow(), wxEVT_RIGHT_DOWN, 5, 30, false, true);
  SendMouse(grid->GetGridColLabelWindow(), wxEVT_RIGHT_DOWN, 30, 5, false, true);
  SendMouse(grid->GetGridCornerLabelWindow(), wxEVT_RIGHT_DOWN, 5, 5, false, true);
  EXPECT_TRUE(opened.empty());
  SendMouse(grid->GetGridWindow(), wxEVT_RIGHT_DOWN, 20, 20, false, true);
  EXPECT_EQ(opened, std::vector<PopupMenu>{PopupMenu::SheetEdit});

  opened.clear();
  SendMouse(frame_->GraphListBox(), wxEVT_RIGHT_DOWN, 10, 10, false, true);
  SendMouse(frame_->DrawingArea(), wxEVT_RIGHT_DOWN, 10, 10, false, true);
  EXPECT_EQ(opened, (std::vector<PopupMenu>{PopupMenu::FunEdit, PopupMenu::GraphEdit}));
}

// A released splitter settles at least 1000 twips from the left; the left
// column and the drawing area follow, and the camera keeps the drawing
// area's pixel size, so the picture keeps its proportions.
TEST_F(MainWindowTest, SplitterAndResizeLayThePanesOut) {
  wxWindow* bar = frame_->VerticalSplitter();
  const double tpp = frame_->TwipsPerPixel();
  SendMouse(bar, wxEVT_LEFT_DOWN, 2, 10, true);
  SendMouse(bar, wxEVT_MOTION, -2000, 10, true);
  SendMouse(bar, wxEVT_LEFT_UP, -2000, 10, false);
  PumpFor(50ms);
  const int left = static_cast<int>(std::lround(1000.0 / tpp));
  EXPECT_EQ(bar->GetPosition().x, left);
  EXPECT_EQ(frame_->GraphListBox()->GetSize().x, left);
  EXPECT_EQ(frame_->DataFrame()->GetSize().x, left);
  EXPECT_GT(frame_->DrawingArea()->GetPosition().x, left);

  frame_->SetSize(wxSize(1100, 700));
  PumpFor(150ms);
  const Camera& camera = Core().Shared().camera;
  const wxSize area = frame_->DrawingArea()->GetClientSize();
  EXPECT_EQ(camera.ScreenWidth, area.x);
  EXPECT_EQ(camera.ScreenHeight, area.y);
  EXPECT_NEAR(camera.VolWidth / camera.VolHeight, static_cast<double>(area.x) / area.y, 1e-9);
}

// The window's content as it shows, written for looking at when
// QV_WRITE_PICTURES is set.
void WriteWindowPicture(wxFrame* frame, const std::string& name) {
  if (std::getenv("QV_WRITE_PICTURES") == nullptr) return;
  wxClientDC screen(frame);
  const wxSize size = frame->GetClientSize();
  wxBitmap shot(size.x, size.y);
  wxMemoryDC memory(shot);
  memory.Blit(0, 0, size.x, size.y, &screen, 0, 0);
  memory.SelectObject(wxNullBitmap);
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
  shot.SaveFile(wxString::FromUTF8("/tmp/qv_window_" + name + ".png"), wxBITMAP_TYPE_PNG);
}

// Every pane inside the window's content, side by side without overlap, the
// drawing area filling its pane down to the status bar and the camera
// following it, and the data panel shown with a sheet that scrolls, at sizes
// down to 640 x 480 (the layout once stopped below about 650 pixels).
TEST_F(MainWindowTest, SmallWindowsKeepEveryPaneInside) {
  for (const wxSize size : {wxSize(640, 480), wxSize(900, 650), wxSize(700, 520)}) {
    frame_->SetSize(size);
    PumpFor(150ms);
    const std::string at = std::to_string(size.x) + "x" + std::to_string(size.y);
    WriteWindowPicture(frame_, at);
    const wxWindow* content = frame_->DrawingArea()->GetParent();
    const wxRect inside(wxPoint(0, 0), content->GetClientSize());
    const wxRect area = frame_->DrawingArea()->GetRect();
    const wxRect data = frame_->DataFrame()->GetRect();
    const wxRect list = frame_->GraphListBox()->GetRect();
    const wxRect bar = frame_->VerticalSplitter()->GetRect();
    for (const wxRect& pane : {area, data, list, bar}) {
      EXPECT_TRUE(inside.Contains(pane)) << at;
      EXPECT_GT(pane.width, 0) << at;
      EXPECT_GT(pane.height, 0) << at;
    }
    EXPECT_FALSE(area.Intersects(data) || area.Intersects(list) || data.Intersects(list)) << at;
    EXPECT_EQ(area.GetRight(), inside.GetRight()) << at;
    EXPECT_EQ(area.GetBottom(), inside.GetBottom()) << at;
    EXPECT_EQ(area.GetLeft(), bar.GetRight() + 1) << at;
    EXPECT_GT(data.height, 200) << at;
    const Camera& camera = Core().Shared().camera;
    EXPECT_EQ(camera.ScreenWidth, area.width) << at;
    EXPECT_EQ(camera.ScreenHeight, area.height) << at;
    // The sheet ends inside the data panel; what it cannot show it scrolls to.
    wxGrid* grid = frame_->SheetGrid();
    EXPECT_LE(grid->GetRect().GetBottom(), data.height - 1) << at;
    EXPECT_LE(grid->GetRect().GetRight(), data.width - 1) << at;
    if (size.y < 650) {
      EXPECT_TRUE(grid->IsScrollbarShown(wxVERTICAL)) << at;
    }
  }
}

// A narrow left column cuts the sheet at the column's edge; the sheet then
// shows a horizontal scroll bar that takes its own room (an overlay
// indicator, hidden until the pointer comes, left the cut without a sign).
TEST_F(MainWindowTest, NarrowColumnScrollsTheSheet) {
  wxWindow* bar = frame_->VerticalSplitter();
  const int column = 200;
  SendMouse(bar, wxEVT_LEFT_DOWN, 2, 10, true);
  SendMouse(bar, wxEVT_MOTION, column - bar->GetPosition().x, 10, true);
  SendMouse(bar, wxEVT_LEFT_UP, 0, 10, false);
  PumpFor(150ms);
  WriteWindowPicture(frame_, "narrow_column");
  ASSERT_EQ(frame_->DataFrame()->GetSize().x, column);
  wxGrid* grid = frame_->SheetGrid();
  EXPECT_LE(grid->GetRect().GetRight(), column - 1);
  EXPECT_TRUE(grid->IsScrollbarShown(wxHORIZONTAL));
  EXPECT_GT(grid->GetScrollRange(wxHORIZONTAL), grid->GetScrollThumb(wxHORIZONTAL));
  EXPECT_LT(grid->GetClientSize().y, grid->GetSize().y);
}

}  // namespace
}  // namespace qv
