// The main window: menus, toolbar and status bar, the graph list above the
// data panel and sheet on the left, the drawing area on the right, with the
// splitter bars between them. Its widgets show MainWindowCore's models and
// forward every event to it; the core holds all the logic.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/timer.h>

#include "documents/file_association.h"
#include "documents/file_commands.h"
#include "platform/colour_chooser.h"
#include "platform/font_chooser.h"
#include "platform/wx/window_gl_context.h"
#include "platform/wx/wx_clipboard.h"
#include "platform/wx/wx_printer.h"
#include "platform/wx/wx_shell.h"
#include "window/file_commands_adapter.h"
#include "window/main_window_core.h"
#include "window/main_window_view.h"
#include "window/pane_layout.h"
#include "window/wx/wx_long_work.h"

class wxBusyCursor;
class wxButton;
class wxCheckListBox;
class wxChoice;
class wxGrid;
class wxGridEvent;
class wxMenu;
class wxStaticText;
class wxTextCtrl;

namespace qv {

class SheetGridTable;
class SplitterBar;
class WxDialogService;

// Before the toolkit starts: scroll bars that always show and take their own
// room (GTK_OVERLAY_SCROLLING=0, unless the user has set it), so that a sheet
// or list cut off by a narrow or low pane shows that it scrolls.
void PrepareToolkitEnvironment();

// What the window is made with; the defaults are those of the program.
struct MainFrameOptions {
  // Message boxes and file dialogs (tests script them); null: the toolkit's.
  MessageBoxService* messages = nullptr;
  FileDialogService* fileDialogs = nullptr;
  // The shell that shows the help (tests script it); null: the toolkit's.
  ShellService* shell = nullptr;
  // The colour and font choosers of the property dialogs (tests script
  // them); null: the toolkit's. The dialogs' file chooser is fileDialogs.
  ColourChooserService* colours = nullptr;
  FontChooserService* fonts = nullptr;
  // The clipboard (tests script it); null: the desktop's.
  ClipboardService* clipboard = nullptr;
  // The printer (tests print to a file); null: the desktop's, with its dialog.
  PrinterService* printer = nullptr;
  // The user's data folder for the file association; empty: UserDataHome().
  std::string dataHome;
  // The folder the help and the samples are looked for in; empty: the
  // running program's own.
  std::string programFolder;
  wxSize size = wxSize(1000, 700);
};

class MainFrame final : public wxFrame, public MainWindowView {
 public:
  explicit MainFrame(const MainFrameOptions& options = {});
  ~MainFrame() override;

  // Shows the window, makes the drawing context once the drawing area is on
  // screen, runs the start-up with the command line (one document path, or
  // empty) and lays the panes out.
  void Start(const std::string& commandLine);

  // Runs a command as its menu item, toolbar button or pop-up entry does.
  void RunCommand(MenuItem item);

  // A pop-up about to open, at (x, y) in pixels of the control it belongs to.
  // A hook that returns true takes the place of showing it (tests).
  using PopupHook = std::function<bool(qv::PopupMenu menu, wxMenu& items, double x, double y)>;
  void SetPopupHook(PopupHook hook) { popupHook_ = std::move(hook); }

  // The parts, for the program's own tests.
  MainWindowCore& Core() { return *core_; }
  GlCanvas* Canvas() { return canvas_; }
  wxCheckListBox* GraphListBox() { return list_; }
  wxGrid* SheetGrid() { return grid_; }
  wxChoice* KindList() { return combo_; }
  // Text1..Text10.
  wxTextCtrl* PanelBox(int box) { return texts_.at(static_cast<std::size_t>(box)); }
  wxButton* OkButton() { return okButton_; }
  // The gridding method list of the irregular kinds.
  wxChoice* MethodList() { return methodChoice_; }
  // The gridding's and triangulation's runner (its gauge shows while they run).
  WxLongWorkRunner& LongWork() { return work_; }
  wxWindow* VerticalSplitter();
  wxWindow* DrawingArea();
  wxWindow* DataFrame() { return data_; }
  // The id of a menu item or toolbar button (index 1..50); the window shows
  // only the commands that are built.
  static int MenuId(MenuItem item);
  static int ToolId(int index);
  bool SpinTimerRunning() const { return spinTimer_.IsRunning(); }
  double TwipsPerPixel() const { return twipsPerPixel_; }

  // MainWindowView
  GlContext* DrawingContext() override { return context_.get(); }
  int DrawingWidth() const override;
  int DrawingHeight() const override;
  void ShowPopup(qv::PopupMenu menu, double x, double y) override;
  void ModelsChanged() override;
  void RepaintWindow() override;
  void CloseWindow() override { Close(false); }
  void CloseWindowLater() override;
  void ShowLongWork(bool running) override;
  void SetIdleTicksWanted(bool wanted) override;
  // A busy cursor and a status-bar text while the data is gridded.
  void ShowBusy(bool busy) override;
  void ShowStatusText(const std::string& text) override;

 protected:
  // Hints of toolbar buttons go to the first panel; elsewhere it says "Ready".
  void DoGiveHelp(const wxString& text, bool show) override;

 private:
  void BuildMenus();
  void BuildToolbar();
  void BuildPanes();
  wxPanel* BuildDataFrame(wxWindow* parent);
  void BindEvents();

  // OnResize over the real widgets.
  void LayoutPanes();
  PaneInput CurrentPaneInput() const;
  void ShowList();
  void ShowPanel();
  void ShowSheet();
  void ShowCommandStates();
  void ShowCommandState(const CommandStates::Change& change);

  void OnMenu(wxCommandEvent& event);
  void OnTool(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnCanvasPaint(wxPaintEvent& event);
  void OnCanvasMouse(wxMouseEvent& event);
  void OnSpinTimer(wxTimerEvent& event);
  void OnListCheck(wxCommandEvent& event);
  void OnListSelect(wxCommandEvent& event);
  void OnListRightDown(wxMouseEvent& event);
  void OnKindChoice(wxCommandEvent& event);
  void OnMethodChoice(wxCommandEvent& event);
  // Shows the method list of the panel's kind, the document's method chosen;
  // true when it was shown or hidden anew.
  bool ShowMethodList();
  void OnPanelText(wxCommandEvent& event);
  void OnSheetCellChanging(wxGridEvent& event);
  void OnSheetRightDown(wxMouseEvent& event);
  void OnSplitterMouse(wxMouseEvent& event);
  void OnSplitter2Mouse(wxMouseEvent& event);
  void OpenHelp();
  // Help > About...: the About box, modal.
  void ShowAbout();
  void RefuseText();
  // The sheet's selected cells (the cursor's cell when none is selected), as
  // one block in the sheet's counting.
  SheetBlock SelectedSheetBlock() const;

  // Services
  std::unique_ptr<MessageBoxService> ownMessages_;
  std::unique_ptr<FileDialogService> ownFileDialogs_;
  MessageBoxService* messages_ = nullptr;
  FileDialogService* fileDialogs_ = nullptr;
  WxLongWorkRunner work_{*this};
  WxShell ownShell_;
  WxClipboard ownClipboard_;
  ClipboardService* clipboard_ = nullptr;
  std::unique_ptr<WxPrinter> ownPrinter_;

  // Logic
  std::unique_ptr<MainWindowCore> core_;
  std::unique_ptr<FileAssociation> association_;
  std::unique_ptr<FileCommands> fileCommands_;
  std::unique_ptr<FileCommandsAdapter> documentCommands_;
  std::unique_ptr<WindowGlContext> context_;
  std::unique_ptr<WxDialogService> dialogService_;
  std::unique_ptr<wxBusyCursor> busyCursor_;
  wxTimer spinTimer_;
  PopupHook popupHook_;
  double twipsPerPixel_ = 15.0;
  std::string programFolder_;
  double dataHeightTwips_ = 0.0;
  bool started_ = false;
  bool loaded_ = false;
  bool closing_ = false;

  // Widgets
  wxPanel* content_ = nullptr;
  GlCanvas* canvas_ = nullptr;
  wxCheckListBox* list_ = nullptr;
  // What list_ shows: the model's revision its captions came from (none yet
  // when unset) and its check boxes, so that a change is shown without asking
  // the box about every entry.
  std::optional<unsigned long> listRevision_;
  std::vector<bool> listChecks_;
  SplitterBar* splitter_ = nullptr;
  SplitterBar* splitter2_ = nullptr;
  wxPanel* data_ = nullptr;
  wxChoice* combo_ = nullptr;
  std::array<wxTextCtrl*, 11> texts_{};     // texts_[1] is Text1
  std::array<wxStaticText*, 12> labels_{};  // labels_[1] is Label1
  wxButton* okButton_ = nullptr;
  wxStaticText* methodLabel_ = nullptr;
  wxChoice* methodChoice_ = nullptr;
  // The methods methodChoice_ lists, in its order.
  std::vector<Long> listedMethods_;
  wxGrid* grid_ = nullptr;
  SheetGridTable* table_ = nullptr;  // owned by grid_
};

}  // namespace qv
