// The exchange commands in the real window: the File, Edit, Print and Help
// buttons of the toolbar, the menus and pop-ups that reach them, and the
// About box.
#include <wx/button.h>
#include <wx/checklst.h>
#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/modalhook.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "graphs/graph.h"
#include "graphs/graph_kinds.h"
#include "running_window.h"
#include "support/scripted_clipboard.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_message_box.h"
#include "support/scripted_printer.h"
#include "support/scripted_shell.h"
#include "window/wx/about_dialog.h"
#include "window/wx/main_frame.h"

namespace qv {
namespace {

using namespace std::chrono_literals;
using test::Captions;
using test::PumpFor;

// The main window with scripted services and two point graphs shown.
class ExchangeWindowTest : public test::RunningWindowTest {
 protected:
  void Configure(MainFrameOptions& options) override {
    options.clipboard = &clipboard_;
    options.printer = &printer_;
  }

  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(RunningWindowTest::SetUp());
    Workspace& ws = Core().Shared();
    ws.settings.DataScaleX = ws.settings.DataScaleY = ws.settings.DataScaleZ = 1.0;
    Core().AsOneLoad([&] {
      for (Long id = 1; id <= 2; ++id) {
        auto graph = std::make_shared<Graph>();
        graph->SetID(id);
        graph->GraphType = kPointGraph;
        graph->PointX = graph->PointY = graph->PointZ = 2.0 * id - 3.0;
        graph->PointSize = 0.6;
        ws.allGraphs.Items.Add(graph, CStr(id));
        Core().AddListEntry(ListCaption(*graph, ws.settings.ViewCode));
      }
      Core().SetFitPending(true);
      Core().CheckListEntry(0);
      Core().CheckListEntry(1);
    });
    ws.settings.NextGraphID = 2;
    frame_->ModelsChanged();
  }
  Long GraphCount() { return Core().Shared().allGraphs.Items.Count(); }
  void Select(int entry) {
    wxCheckListBox* list = frame_->GraphListBox();
    list->SetSelection(entry);
    wxCommandEvent event(wxEVT_LISTBOX, list->GetId());
    event.SetInt(entry);
    event.SetEventObject(list);
    list->GetEventHandler()->ProcessEvent(event);
  }

  test::ScriptedClipboard clipboard_;
  test::ScriptedPrinter printer_;
};

// Each of the buttons shows its drawn picture, its tooltip and its status
// hint, and runs its command as the menu item does.
TEST_F(ExchangeWindowTest, FileEditPrintAndHelpButtonsRunTheirCommands) {
  wxToolBar* tools = frame_->GetToolBar();
  struct Button {
    int index;
    const char* tooltip;
    const char* hint;
  };
  const Button buttons[] = {
      {2, "New 2D Graphs", "Create new 2D graphs"},
      {3, "New 3D Graphs", "Create new 3D graphs"},
      {4, "Create 4D Graphs", "Create new 4D graphs"},
      {6, "Open File", "Open file"},
      {7, "Save File", "Save file"},
      {8, "Save File As", "Save file as"},
      {10, "Print", "Print"},
      {12, "Cut Selected Graph", "Cut the selected graph"},
      {13, "Copy Graph", "Copy the selected graph"},
      {14, "Copy Graph As BMP", "Copy graphs as bitmap"},
      {15, "Paste Graph", "Paste"},
      {16, "Delete Selected Graph", "Delete the selected graph"},
      {18, "Online Help", "Get online help"},
  };
  for (const Button& b : buttons) {
    SCOPED_TRACE(b.tooltip);
    const wxToolBarToolBase* tool = tools->FindById(MainFrame::ToolId(b.index));
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->GetShortHelp(), b.tooltip);
    tools->OnMouseEnter(MainFrame::ToolId(b.index));
    EXPECT_EQ(frame_->GetStatusBar()->GetStatusText(0), b.hint);
    // A drawn picture: its background is transparent, where a text face
    // filled the whole square.
    const wxImage picture = tool->GetNormalBitmap().ConvertToImage();
    EXPECT_EQ(picture.GetWidth(), 24);
    EXPECT_TRUE(picture.HasMask() || picture.HasAlpha());
  }

  Select(1);
  Tool(13);
  ASSERT_TRUE(clipboard_.Text());
  EXPECT_EQ(clipboard_.Text()->substr(0, 4), "3 7 ");
  Tool(15);
  EXPECT_EQ(GraphCount(), 3);
  Tool(14);
  ASSERT_TRUE(clipboard_.Picture());
  EXPECT_EQ(clipboard_.Picture()->width, frame_->DrawingWidth());
  Select(2);
  Tool(12);
  EXPECT_EQ(GraphCount(), 2);
  EXPECT_EQ(clipboard_.Text()->substr(0, 4), "3 7 ");
  Select(0);
  Tool(16);
  EXPECT_EQ(GraphCount(), 1);
  Tool(10);
  EXPECT_EQ(printer_.Asked().size(), 1u);
  Tool(18);
  ASSERT_EQ(shell_.Opened().size(), 1u);
  EXPECT_TRUE(shell_.Opened()[0].ends_with("help/index.html"));
  EXPECT_TRUE(messages_.Shown().empty()) << messages_.Texts().front();

  messages_.Script({MsgAnswer::No});  // Open: "Do you want to save the graphs?"
  Tool(6);
  Tool(7);
  Tool(8);
  ASSERT_EQ(dialogs_.Shown().size(), 3u);
  EXPECT_EQ(dialogs_.Shown()[0].request.title, "Open File");
  EXPECT_EQ(dialogs_.Shown()[1].request.title, "Save");
  EXPECT_EQ(dialogs_.Shown()[2].request.title, "Save As");
  messages_.Script({MsgAnswer::No});  // New 2D: "Save changes to the file?"
  Tool(2);
  EXPECT_EQ(Core().Shared().settings.ViewCode, kViewCode2D);
  Tool(4);
  EXPECT_EQ(Core().Shared().settings.ViewCode, kViewCode4D);
  Tool(3);
  EXPECT_EQ(Core().Shared().settings.ViewCode, kViewCode3D);
}

// The File, Edit and Help menus and the pop-ups hold their entries in
// order, with the shortcuts of Copy and Print.
TEST_F(ExchangeWindowTest, MenusAndPopupsHoldTheirEntriesInOrder) {
  wxMenuBar* bar = frame_->GetMenuBar();
  EXPECT_EQ(
      Captions(*bar->GetMenu(bar->FindMenu("File"))),
      (std::vector<std::string>{"New 2D Graphs", "New 3D Graphs", "New 4D Graphs", "-", "Open...",
                                "Save", "SaveAs...", "-", "Import Data ...", "Output Data ...",
                                "Output Gridded Data ...", "-", "Print...\tCtrl+P", "-", "Exit"}));
  EXPECT_EQ(Captions(*bar->GetMenu(bar->FindMenu("Edit"))),
            (std::vector<std::string>{"Cut", "Copy\tCtrl+C", "Copy As BMP", "Paste", "-", "Delete",
                                      "Delete All"}));
  EXPECT_EQ(Captions(*bar->GetMenu(bar->FindMenu("Help"))),
            (std::vector<std::string>{"Contents...", "-", "Home Page", "Customer Support",
                                      "Video Tutorials", "Tessaly On Twitter",
                                      "Tessaly On Facebook", "-", "About..."}));
  std::vector<std::vector<std::string>> popups;
  frame_->SetPopupHook([&](PopupMenu, wxMenu& items, double, double) {
    popups.push_back(Captions(items));
    return true;
  });
  Core().OnDrawingMouseDown(kRightButton, 20, 20);
  Core().OnDrawingMouseUp(kRightButton, 20, 20);
  Core().OnSheetMouseDown(kRightButton, 300, 100);
  ASSERT_EQ(popups.size(), 2u);
  EXPECT_EQ(popups.front(), (std::vector<std::string>{"Paste", "Copy As BMP", "Delete All", "-",
                                                      "Axis...", "Light..."}));
  EXPECT_EQ(popups.back(), (std::vector<std::string>{"Settings...", "-", "Cut", "Copy", "Paste",
                                                     "Delete", "-", "Insert Row", "Insert Column",
                                                     "Delete Row", "Delete Column"}));
}

// The sheet's pop-up acts on the cells selected in the grid.
TEST_F(ExchangeWindowTest, SheetPopupCutsAndPastesTheGridsSelection) {
  wxGrid* grid = frame_->SheetGrid();
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 2; ++col) grid->SetCellValue(row, col, CStr(row * 10 + col));
  }
  grid->SelectBlock(0, 0, 1, 1);
  frame_->RunCommand(MenuItem::mnuGECutIt);
  EXPECT_EQ(clipboard_.Text(), "0\t1\n10\t11\n");
  EXPECT_EQ(grid->GetCellValue(1, 1), "");
  grid->ClearSelection();
  grid->SetGridCursor(5, 2);
  frame_->RunCommand(MenuItem::mnuGEPaste);
  EXPECT_EQ(grid->GetCellValue(5, 2), "0");
  EXPECT_EQ(grid->GetCellValue(6, 3), "11");
  grid->SelectRow(5);
  frame_->RunCommand(MenuItem::mnuGEDelRow);
  EXPECT_EQ(grid->GetNumberRows(), 99);
  EXPECT_EQ(grid->GetCellValue(5, 3), "11");
}

// Help > About... shows the name, the build's version and the home address,
// which opens the help file's home section; the box stays until O K.
TEST_F(ExchangeWindowTest, AboutBoxShowsTheVersionAndOpensTheHomePage) {
  class Hook final : public wxModalDialogHook {
   public:
    std::function<void(AboutDialog&)> look;
    int shown = 0;

   protected:
    int Enter(wxDialog* dialog) override {
      auto* about = dynamic_cast<AboutDialog*>(dialog);
      if (about == nullptr) return wxID_NONE;
      ++shown;
      look(*about);
      return wxID_OK;
    }
    void Exit(wxDialog*) override {}
  } hook;
  hook.look = [&](AboutDialog& about) {
    EXPECT_EQ(about.GetTitle(), "About Quorvel");
    EXPECT_EQ(about.Title()->GetLabel(), "Quorvel");
    EXPECT_TRUE(about.Title()->GetFont().GetWeight() >= wxFONTWEIGHT_BOLD);
    EXPECT_EQ(about.Version()->GetLabel(), "Version " + ProgramVersion());
    EXPECT_EQ(about.Address()->GetLabel(), "help/index.html#home");
    EXPECT_EQ(about.OkButton()->GetLabel(), "O K");
    for (int click = 0; click < 2; ++click) {
      wxMouseEvent up(wxEVT_LEFT_UP);
      up.SetEventObject(about.Address());
      about.Address()->GetEventHandler()->ProcessEvent(up);
    }
  };
  hook.Register();
  frame_->RunCommand(MenuItem::mnuHelpAbout);
  hook.Unregister();
  EXPECT_EQ(hook.shown, 1);
  EXPECT_EQ(ProgramVersion(), "0.1");
  ASSERT_EQ(shell_.Opened().size(), 2u);
  EXPECT_TRUE(shell_.Opened()[0].ends_with("help/index.html"));
  EXPECT_EQ(shell_.Anchors(), (std::vector<std::string>{"home", "home"}));
}

}  // namespace
}  // namespace qv
