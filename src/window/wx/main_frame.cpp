#include "window/wx/main_frame.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <wx/button.h>
#include <wx/checklst.h>
#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/gdicmn.h>
#include <wx/grid.h>
#include <wx/iconbndl.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "command_table.h"
#include "platform/text_encoding.h"
#include "platform/wx/wx_file_dialog.h"
#include "platform/wx/wx_message_box.h"
#include "platform/wx/wx_text.h"
#include "sheet_grid_table.h"
#include "tool_icons.h"
#include "toolbar_style.h"
#include "window/web_entries.h"
#include "window/wx/about_dialog.h"
#include "wx_dialog_service.h"

namespace qv {

namespace {

constexpr int kMenuIdBase = wxID_HIGHEST + 100;
constexpr int kToolIdBase = wxID_HIGHEST + 400;
// A spin step 10 ms after the last one ended: the scene turns at an even
// pace, and the window does nothing at all while it is still.
constexpr int kSpinIntervalMs = 10;
// The sheet shows about this many rows below the panel.
constexpr int kSheetHeightPx = 230;
constexpr double kInitialSplitterLeft = 5400.0;

// A button's drawn image (every button has one, resources/icons).
wxBitmap ToolBitmap(const ToolRow& row) { return wxBitmap(ToolIcon(row.key)); }

wxEventTypeTag<wxMouseEvent> MouseTag(wxEventType type) {
  return wxEventTypeTag<wxMouseEvent>(type);
}

MouseModeCommand ModeOf(MenuItem item) {
  switch (item) {
    case MenuItem::mnuViewZoom: return MouseModeCommand::Zoom;
    case MenuItem::mnuViewMove: return MouseModeCommand::Move;
    case MenuItem::mnuViewRotateX: return MouseModeCommand::RotateX;
    case MenuItem::mnuViewRotateY: return MouseModeCommand::RotateY;
    case MenuItem::mnuViewRotateZ: return MouseModeCommand::RotateZ;
    default: return MouseModeCommand::Trackball;
  }
}

void FillMenu(wxMenu& menu, std::span<const MenuRow> rows) {
  for (const MenuRow& row : rows) {
    if (row.separator) {
      menu.AppendSeparator();
    } else if (!row.submenu.empty()) {
      auto* submenu = new wxMenu;
      FillMenu(*submenu, row.submenu);
      menu.Append(MainFrame::MenuId(row.item),
                  wxString::FromUTF8(row.caption.data(), row.caption.size()), submenu);
    } else {
      wxString caption = wxString::FromUTF8(row.caption.data(), row.caption.size());
      if (!row.shortcut.empty())
        caption += "\t" + wxString::FromUTF8(row.shortcut.data(), row.shortcut.size());
      menu.Append(MainFrame::MenuId(row.item), caption);
    }
  }
}

}  // namespace

// A splitter bar: the button face at rest, the button shadow while held.
class SplitterBar final : public wxWindow {
 public:
  SplitterBar(wxWindow* parent, bool vertical)
      : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxSize(4, 4), wxBORDER_NONE) {
    SetHeld(false);
    if (vertical) SetCursor(wxCursor(wxCURSOR_SIZEWE));
  }
  void SetHeld(bool held) {
    SetBackgroundColour(
        wxSystemSettings::GetColour(held ? wxSYS_COLOUR_BTNSHADOW : wxSYS_COLOUR_BTNFACE));
    Refresh();
  }
};

// The program's icon at every size shipped beside the program, for the
// window's frame and the desktop's task list; none where it is missing.
wxIconBundle ProgramIcons(const std::string& programFolder) {
  namespace fs = std::filesystem;
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
  const fs::path icon = fs::path(programFolder) / kProgramIconFile;
  wxIconBundle icons;
  std::error_code error;
  const wxLogNull quiet;  // a picture that cannot be read just goes without
  for (const auto& size :
       fs::directory_iterator(icon.parent_path().parent_path().parent_path(), error)) {
    const fs::path file = size.path() / "apps" / icon.filename();
    wxImage image;
    if (!fs::is_regular_file(file, error) || !image.LoadFile(file.string(), wxBITMAP_TYPE_PNG))
      continue;
    wxIcon sized;
    sized.CopyFromBitmap(wxBitmap(image));
    icons.AddIcon(sized);
  }
  return icons;
}

void PrepareToolkitEnvironment() {
  // The last argument 0 keeps a value already set.
  setenv("GTK_OVERLAY_SCROLLING", "0", 0);
}

MainFrame::MainFrame(const MainFrameOptions& options)
    : wxFrame(nullptr, wxID_ANY, "Quorvel", wxDefaultPosition, options.size), spinTimer_(this) {
  if (options.messages != nullptr) {
    messages_ = options.messages;
  } else {
    ownMessages_ = std::make_unique<WxMessageBox>(this);
    messages_ = ownMessages_.get();
  }
  if (options.fileDialogs != nullptr) {
    fileDialogs_ = options.fileDialogs;
  } else {
    ownFileDialogs_ = std::make_unique<WxFileDialogService>(this);
    fileDialogs_ = ownFileDialogs_.get();
  }
  programFolder_ =
      options.programFolder.empty() ? RunningProgramPaths().programFolder : options.programFolder;
  SetIcons(ProgramIcons(programFolder_));
  const wxSize ppi = wxGetDisplayPPI();
  if (ppi.y > 0) twipsPerPixel_ = kTwipsPerInch / ppi.y;

  core_ =
      std::make_unique<MainWindowCore>(*this, MainWindowServices{*messages_, *fileDialogs_, work_});
  association_ = std::make_unique<FileAssociation>(
      RunningProgramPaths(), options.dataHome.empty() ? UserDataHome() : options.dataHome);
  fileCommands_ = std::make_unique<FileCommands>(core_->Shared(), *core_, *association_);
  documentCommands_ = std::make_unique<FileCommandsAdapter>(*fileCommands_);
  core_->SetDocumentCommands(documentCommands_.get());
  core_->SetShell(options.shell != nullptr ? options.shell : &ownShell_);
  dialogService_ = std::make_unique<WxDialogService>(
      this, DialogChoosers{options.colours, options.fonts, options.fileDialogs});
  core_->SetDialogService(dialogService_.get());
  clipboard_ = options.clipboard != nullptr ? options.clipboard : &ownClipboard_;
  core_->SetClipboard(clipboard_);
  if (options.printer == nullptr) ownPrinter_ = std::make_unique<WxPrinter>(this);
  core_->SetPrinter(options.printer != nullptr ? options.printer : ownPrinter_.get());

  BuildMenus();
  BuildToolbar();
  CreateStatusBar(1);
  SetStatusText("Ready", 0);
  BuildPanes();
  BindEvents();
  core_->Commands().SetListener(
      [this](const CommandStates::Change& change) { ShowCommandState(change); });
  ShowCommandStates();
}

MainFrame::~MainFrame() {
  spinTimer_.Stop();
  core_->Commands().SetListener(nullptr);
  // The grid's table and the canvas read the core: the widgets go first.
  context_.reset();
  DestroyChildren();
}

// Building

int MainFrame::MenuId(MenuItem item) { return kMenuIdBase + static_cast<int>(item); }

int MainFrame::ToolId(int index) { return kToolIdBase + index; }

void MainFrame::BuildMenus() {
  auto* bar = new wxMenuBar;
  for (const MenuTable& table : MenuBarTable()) {
    auto* menu = new wxMenu;
    FillMenu(*menu, table.rows);
    bar->Append(menu, wxString::FromUTF8(table.title.data(), table.title.size()));
  }
  SetMenuBar(bar);
}

void MainFrame::BuildToolbar() {
  UseCompactToolbarSpacing();
  wxToolBar* bar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
  bar->SetToolBitmapSize(wxSize(24, 24));
  for (const ToolRow& row : ToolbarTable()) {
    if (row.separator) {
      bar->AddSeparator();
      continue;
    }
    const wxString tooltip = wxString::FromUTF8(row.tooltip.data(), row.tooltip.size());
    bar->AddTool(ToolId(row.index), tooltip, ToolBitmap(row), tooltip);
    bar->SetToolLongHelp(ToolId(row.index), wxString::FromUTF8(row.hint.data(), row.hint.size()));
  }
  bar->Realize();
}

void MainFrame::BuildPanes() {
  content_ = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
  list_ = new wxCheckListBox(content_, wxID_ANY);
  data_ = BuildDataFrame(content_);
  splitter_ = new SplitterBar(content_, true);
  splitter2_ = new SplitterBar(content_, false);
  canvas_ = new GlCanvas(content_, wxID_ANY);
  const wxSize best = data_->GetBestSize();
  dataHeightTwips_ = best.y * twipsPerPixel_;
  core_->SetSplitterLeft(std::max(kInitialSplitterLeft, std::ceil((best.x + 8) * twipsPerPixel_)));
  // The full height counts the sheet at its usual height; in a low window or
  // a narrow column the sheet then takes what is left and scrolls.
  grid_->SetMinSize(wxSize(1, 1));
}

wxPanel* MainFrame::BuildDataFrame(wxWindow* parent) {
  auto* panel = new wxPanel(parent, wxID_ANY);
  const DataPanelModel& model = core_->PanelModel();
  for (std::size_t i = 1; i < labels_.size(); ++i) {
    labels_[i] = new wxStaticText(panel, wxID_ANY, ToWx(model.labels[i].text));
  }
  wxArrayString kinds;
  for (int kind = 0; kind < kDataKindCount; ++kind) kinds.Add(ToWx(DataKindCaption(kind)));
  combo_ = new wxChoice(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize, kinds);
  // Created in the tab order: Text3, Text1, Text2, Text4, Text5 .. Text10, OK.
  const wxSize box(56, -1);
  for (int i : {3, 1, 2, 4, 5, 6, 7, 8, 9, 10}) {
    texts_[static_cast<std::size_t>(i)] =
        new wxTextCtrl(panel, wxID_ANY, ToWx(model.texts[i].text), wxDefaultPosition, box);
  }
  methodLabel_ = new wxStaticText(panel, wxID_ANY, "Method");
  methodChoice_ = new wxChoice(panel, wxID_ANY);
  okButton_ = new wxButton(panel, wxID_ANY, "OK");
  grid_ = new wxGrid(panel, wxID_ANY, wxDefaultPosition, wxSize(-1, kSheetHeightPx));
  table_ = new SheetGridTable(core_->Sheet());
  grid_->SetTable(table_, true, wxGrid::wxGridSelectCells);

  auto* top = new wxBoxSizer(wxHORIZONTAL);
  top->Add(labels_[5], 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  top->Add(combo_, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  top->Add(labels_[3], 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  top->Add(texts_[3], 0, wxALIGN_CENTER_VERTICAL);
  auto* rows = new wxFlexGridSizer(6, 4, 6);
  const std::array<std::array<int, 6>, 3> cells = {
      {{1, 1, 2, 2, 4, 4}, {6, 5, 7, 6, 8, 7}, {9, 8, 10, 9, 11, 10}}};
  for (const auto& row : cells) {
    for (std::size_t k = 0; k < row.size(); k += 2) {
      rows->Add(labels_[static_cast<std::size_t>(row[k])], 0, wxALIGN_CENTER_VERTICAL);
      rows->Add(texts_[static_cast<std::size_t>(row[k + 1])], 0, wxALIGN_CENTER_VERTICAL);
    }
  }
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(top, 0, wxEXPAND | wxALL, 4);
  column->Add(rows, 0, wxLEFT | wxRIGHT, 4);
  auto* bottom = new wxBoxSizer(wxHORIZONTAL);
  bottom->Add(methodLabel_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  bottom->Add(methodChoice_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
  bottom->AddStretchSpacer();
  bottom->Add(okButton_, 0, wxALIGN_CENTER_VERTICAL);
  column->Add(bottom, 0, wxEXPAND | wxALL, 4);
  column->Add(grid_, 1, wxEXPAND);
  panel->SetSizer(column);
  return panel;
}

void MainFrame::BindEvents() {
  Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnClose, this);
  Bind(wxEVT_MENU, &MainFrame::OnMenu, this, kMenuIdBase, kMenuIdBase + kMenuItemCount - 1);
  Bind(wxEVT_TOOL, &MainFrame::OnTool, this, kToolIdBase + 1, kToolIdBase + kToolbarButtonCount);
  Bind(wxEVT_TIMER, &MainFrame::OnSpinTimer, this, spinTimer_.GetId());
  content_->Bind(wxEVT_SIZE, [this](wxSizeEvent&) { LayoutPanes(); });

  canvas_->Bind(wxEVT_PAINT, &MainFrame::OnCanvasPaint, this);
  // The toolkit gives the drawing surface its new size after the layout has
  // asked for it; the buffers may then be new, so the panes are laid out (and
  // the picture drawn) again at the size the surface really has.
  canvas_->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    event.Skip();
    LayoutPanes();
  });
  // The whole area is drawn by GL: erasing first would only flicker.
  canvas_->Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
  for (wxEventType type :
       {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, wxEVT_MOTION}) {
    canvas_->Bind(MouseTag(type), &MainFrame::OnCanvasMouse, this);
  }
  canvas_->Bind(wxEVT_MOUSE_CAPTURE_LOST, [](wxMouseCaptureLostEvent&) {});

  list_->Bind(wxEVT_CHECKLISTBOX, &MainFrame::OnListCheck, this);
  list_->Bind(wxEVT_LISTBOX, &MainFrame::OnListSelect, this);
  list_->Bind(wxEVT_RIGHT_DOWN, &MainFrame::OnListRightDown, this);

  combo_->Bind(wxEVT_CHOICE, &MainFrame::OnKindChoice, this);
  methodChoice_->Bind(wxEVT_CHOICE, &MainFrame::OnMethodChoice, this);
  for (std::size_t i = 1; i < texts_.size(); ++i)
    texts_[i]->Bind(wxEVT_TEXT, &MainFrame::OnPanelText, this);
  okButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { core_->OnDataPanelOk(); });
  grid_->Bind(wxEVT_GRID_CELL_CHANGING, &MainFrame::OnSheetCellChanging, this);
  for (wxWindow* part : {grid_->GetGridWindow(), grid_->GetGridRowLabelWindow(),
                         grid_->GetGridColLabelWindow(), grid_->GetGridCornerLabelWindow()}) {
    part->Bind(wxEVT_RIGHT_DOWN, &MainFrame::OnSheetRightDown, this);
  }

  for (wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP,
                           wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, wxEVT_MOTION}) {
    splitter_->Bind(MouseTag(type), &MainFrame::OnSplitterMouse, this);
  }
  splitter_->Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
    if (!core_->SplitterDragging()) return;
    core_->OnSplitterMouseUp(CurrentPaneInput());
    splitter_->SetHeld(false);
    LayoutPanes();
  });
  for (wxEventType type : {wxEVT_LEFT_UP, wxEVT_MIDDLE_UP, wxEVT_RIGHT_UP}) {
    splitter2_->Bind(MouseTag(type), &MainFrame::OnSplitter2Mouse, this);
  }
}

// Start-up

void MainFrame::Start(const std::string& commandLine) {
  Show();
  // The context can be made current only once the drawing area is on screen.
  for (int attempt = 0; attempt < 400 && !canvas_->IsShownOnScreen(); ++attempt) {
    wxYield();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  try {
    context_ = std::make_unique<WindowGlContext>(*canvas_);
  } catch (const GlContextError&) {
    // The program keeps running without a picture.
    messages_->Show("ChoosePixelFormat failed", "Error", MsgIcon::Critical, MsgButtons::OK);
  }
  started_ = true;
  LayoutPanes();
  // Let the drawing surface take its size before the first picture is made.
  const wxSize wanted = canvas_->GetSize();
  for (int attempt = 0; attempt < 40 && canvas_->GetClientSize() != wanted; ++attempt) {
    wxYield();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  wxYield();
  core_->Start(commandLine, twipsPerPixel_, programFolder_);
  loaded_ = true;
  ModelsChanged();
  LayoutPanes();
}

// Layout

wxWindow* MainFrame::VerticalSplitter() { return splitter_; }

wxWindow* MainFrame::DrawingArea() { return canvas_; }

PaneInput MainFrame::CurrentPaneInput() const {
  const double tpp = twipsPerPixel_;
  const wxSize client = content_->GetClientSize();
  const wxToolBar* toolbar = GetToolBar();
  const wxStatusBar* status = GetStatusBar();
  const int tb = toolbar != nullptr ? toolbar->GetSize().y : 0;
  const int sb = status != nullptr ? status->GetSize().y : 0;
  PaneInput in;
  // The panes' measures count from the top of the toolbar to the bottom of
  // the status bar, as the client area of a window holding both.
  in.clientWidth = client.x * tpp;
  in.clientHeight = (client.y + tb + sb) * tpp;
  in.toolbarHeight = tb * tpp;
  in.statusHeight = sb * tpp;
  in.dataHeight = dataHeightTwips_;
  in.splitterLeft = core_->SplitterLeft();
  in.barReleased = core_->SplitterReleased();
  in.twipsPerPixel = tpp;
  return in;
}

void MainFrame::LayoutPanes() {
  if (!started_ || closing_) return;
  const PaneInput in = CurrentPaneInput();
  const PaneLayout layout = qv::LayoutPanes(in);
  const double tpp = in.twipsPerPixel;
  const int tb = static_cast<int>(std::lround(in.toolbarHeight / tpp));
  // Edges are rounded, not sizes, so that neighbouring panes meet exactly.
  const auto place = [&](wxWindow* window, const PaneRect& r) {
    const int x0 = static_cast<int>(std::lround(r.left / tpp));
    const int y0 = static_cast<int>(std::lround(r.top / tpp));
    const int x1 = static_cast<int>(std::lround((r.left + r.width) / tpp));
    const int y1 = static_cast<int>(std::lround((r.top + r.height) / tpp));
    window->SetSize(x0, y0 - tb, std::max(x1 - x0, 1), std::max(y1 - y0, 1));
  };
  place(splitter_, layout.splitter);
  place(splitter2_, layout.splitter2);
  place(canvas_, layout.drawing);
  place(data_, layout.data);
  place(list_, layout.list);
  core_->OnResize(in);
}

// Showing the models

void MainFrame::ModelsChanged() {
  if (closing_) return;
  ShowList();
  ShowPanel();
  ShowSheet();
  ShowCommandStates();
}

void MainFrame::ShowList() {
  const GraphList& model = core_->List();
  const unsigned count = static_cast<unsigned>(model.ListCount());
  // Captions change only with entries added, removed or cleared: the box is
  // filled anew, in one go, only then. A document of thousands of graphs
  // would otherwise cost a pass over the box for every entry it adds.
  if (listRevision_ != model.Revision() || list_->GetCount() != count) {
    wxArrayString captions;
    captions.reserve(count);
    for (unsigned i = 0; i < count; ++i) captions.Add(ToWx(model.At(static_cast<Long>(i)).caption));
    list_->Set(captions);
    listRevision_ = model.Revision();
    listChecks_.assign(count, false);  // Set leaves every entry unchecked
  }
  for (unsigned i = 0; i < count; ++i) {
    const bool checked = model.At(static_cast<Long>(i)).checked;
    if (listChecks_[i] != checked) {
      list_->Check(i, checked);
      listChecks_[i] = checked;
    }
  }
  const Long index = model.ListIndex();
  if (index >= 0 && index < model.ListCount()) {
    if (list_->GetSelection() != index) list_->SetSelection(static_cast<int>(index));
  } else if (list_->GetSelection() != wxNOT_FOUND) {
    list_->SetSelection(wxNOT_FOUND);
  }
}

void MainFrame::ShowPanel() {
  const DataPanelModel& model = core_->PanelModel();
  bool relayout = false;
  if (model.kind != combo_->GetSelection()) combo_->SetSelection(model.kind);
  for (std::size_t i = 1; i < texts_.size(); ++i) {
    const PanelControl& control = model.texts[i];
    const wxString text = ToWx(control.text);
    if (texts_[i]->GetValue() != text) texts_[i]->ChangeValue(text);
    relayout |= texts_[i]->IsShown() != control.visible;
    texts_[i]->Show(control.visible);
    texts_[i]->Enable(control.enabled && !core_->Working());
  }
  for (std::size_t i = 1; i < labels_.size(); ++i) {
    const PanelControl& control = model.labels[i];
    const wxString text = ToWx(control.text);
    if (labels_[i]->GetLabel() != text) {
      labels_[i]->SetLabel(text);
      relayout = true;
    }
    relayout |= labels_[i]->IsShown() != control.visible;
    labels_[i]->Show(control.visible);
    labels_[i]->Enable(control.enabled);
  }
  relayout |= ShowMethodList();
  if (relayout) data_->Layout();
}

bool MainFrame::ShowMethodList() {
  std::vector<Long> methods;
  wxArrayString captions;
  for (const GridMethodEntry& entry : GridMethodsOfKind(core_->PanelModel().kind)) {
    methods.push_back(entry.method);
    captions.Add(entry.caption);
  }
  if (methods != listedMethods_) {
    methodChoice_->Set(captions);
    listedMethods_ = methods;
  }
  const auto at = std::find(methods.begin(), methods.end(), core_->PanelGridMethod());
  const int selection = at == methods.end() ? wxNOT_FOUND : static_cast<int>(at - methods.begin());
  if (methodChoice_->GetSelection() != selection) methodChoice_->SetSelection(selection);
  methodChoice_->Enable(!core_->Working());
  const bool shown = !methods.empty();
  const bool changed = methodChoice_->IsShown() != shown;
  methodLabel_->Show(shown);
  methodChoice_->Show(shown);
  return changed;
}

void MainFrame::ShowSheet() {
  const SheetModel& sheet = core_->Sheet();
  grid_->BeginBatch();
  table_->Sync(*grid_);
  if (grid_->GetRowLabelSize() != sheet.columnWidthPx[0])
    grid_->SetRowLabelSize(sheet.columnWidthPx[0]);
  if (grid_->GetColLabelSize() != sheet.rowHeight) grid_->SetColLabelSize(sheet.rowHeight);
  if (grid_->GetDefaultRowSize() != sheet.rowHeight)
    grid_->SetDefaultRowSize(sheet.rowHeight, true);
  for (int col = 0; col < grid_->GetNumberCols() && col + 1 < 6; ++col) {
    const int width = sheet.columnWidthPx[col + 1];
    if (grid_->GetColSize(col) != width) grid_->SetColSize(col, width);
  }
  grid_->EndBatch();
}

void MainFrame::ShowCommandStates() {
  const CommandStates& states = core_->Commands();
  wxMenuBar* bar = GetMenuBar();
  for (int i = 0; i < kMenuItemCount; ++i) {
    const MenuItem item = static_cast<MenuItem>(i);
    if (bar->FindItem(MenuId(item)) != nullptr) bar->Enable(MenuId(item), states.MenuEnabled(item));
  }
  wxToolBar* toolbar = GetToolBar();
  for (int index = 1; index <= kToolbarButtonCount; ++index) {
    if (toolbar->FindById(ToolId(index)) != nullptr)
      toolbar->EnableTool(ToolId(index), states.ButtonEnabled(index));
  }
}

void MainFrame::ShowCommandState(const CommandStates::Change& change) {
  if (change.button == 0) {
    wxMenuBar* bar = GetMenuBar();
    if (bar->FindItem(MenuId(change.item)) != nullptr)
      bar->Enable(MenuId(change.item), change.enabled);
  } else {
    wxToolBar* toolbar = GetToolBar();
    if (toolbar->FindById(ToolId(change.button)) != nullptr)
      toolbar->EnableTool(ToolId(change.button), change.enabled);
  }
}

void MainFrame::DoGiveHelp(const wxString& text, bool show) {
  if (GetStatusBar() == nullptr) return;
  SetStatusText(show && !text.empty() ? text : wxString("Ready"), 0);
}

// The view

int MainFrame::DrawingWidth() const {
  if (context_) return context_->Width();
  return static_cast<int>(
      std::lround(canvas_->GetClientSize().x * canvas_->GetContentScaleFactor()));
}

int MainFrame::DrawingHeight() const {
  if (context_) return context_->Height();
  return static_cast<int>(
      std::lround(canvas_->GetClientSize().y * canvas_->GetContentScaleFactor()));
}

void MainFrame::ShowPopup(qv::PopupMenu menu, double x, double y) {
  wxMenu items;
  wxWindow* owner = canvas_;
  switch (menu) {
    case qv::PopupMenu::GraphEdit: FillMenu(items, GraphEditPopupTable()); break;
    case qv::PopupMenu::FunEdit:
      FillMenu(items, FunEditPopupTable());
      owner = list_;
      break;
    case qv::PopupMenu::SheetEdit:
      FillMenu(items, SheetEditPopupTable());
      owner = grid_;
      break;
  }
  if (popupHook_ && popupHook_(menu, items, x, y)) return;
  if (items.GetMenuItemCount() == 0) return;
  // Positions arrive in device pixels of the control.
  const double scale = owner->GetContentScaleFactor();
  const wxPoint at(static_cast<int>(std::lround(x / scale)),
                   static_cast<int>(std::lround(y / scale)));
  PopupMenu(&items, ScreenToClient(owner->ClientToScreen(at)));
}

void MainFrame::ShowBusy(bool busy) {
  if (closing_) return;
  if (busy) {
    if (!busyCursor_) busyCursor_ = std::make_unique<wxBusyCursor>();
    SetStatusText("Gridding the data, please wait...", 0);
  } else {
    busyCursor_.reset();
    SetStatusText("Ready", 0);
  }
}

void MainFrame::CloseWindowLater() {
  CallAfter([this] { Close(false); });
}

void MainFrame::ShowLongWork(bool running) {
  if (closing_) return;
  // The work read the panel and the sheet before it began; what is typed
  // meanwhile would not be in its result.
  combo_->Enable(!running);
  okButton_->Enable(!running);
  grid_->Enable(!running);
  ShowPanel();  // the boxes: off meanwhile, then as the data kind has them
}

void MainFrame::RepaintWindow() {
  Refresh();
  canvas_->Refresh(false);
  Update();
}

void MainFrame::SetIdleTicksWanted(bool wanted) {
  // One tick at a time: the next is armed when a tick has ended, so however
  // long a step takes the events that came meanwhile run before the next.
  if (wanted && !closing_) {
    if (!spinTimer_.IsRunning()) spinTimer_.StartOnce(kSpinIntervalMs);
  } else if (spinTimer_.IsRunning()) {
    spinTimer_.Stop();
  }
}

void MainFrame::ShowStatusText(const std::string& text) {
  if (GetStatusBar() != nullptr) SetStatusText(ToWx(text), 0);
}

// Commands

void MainFrame::RunCommand(MenuItem item) {
  using M = MenuItem;
  MainWindowCore& core = *core_;
  // The Demo items, each opening its sample document.
  if (core.RunDemoCommand(item)) return;
  switch (item) {
    case M::mnuFileNew2D:
    case M::mnuFileNew3D:
    case M::mnuFileNew4D:
    case M::mnuFileOpen:
    case M::mnuFileSave:
    case M::mnuFileSaveAs:
    case M::mnuFileImport:
    case M::mnuFileOutput:
    case M::mnuFileGridded:
    case M::mnuFilePrint:
    case M::mnuFileExit: core.RunFileCommand(item); break;
    case M::mnuEditCut:
    case M::mnuEditCopy:
    case M::mnuEditCopyAs:
    case M::mnuEditPaste:
    case M::mnuEditDelete:
    case M::mnuEditDelAll: core.RunEditCommand(item); break;
    case M::mnuViewMove:
    case M::mnuViewZoom:
    case M::mnuViewRotateX:
    case M::mnuViewRotateY:
    case M::mnuViewRotateZ:
    case M::mnuViewRotate: core.SetMouseMode(ModeOf(item)); break;
    case M::mnuViewFit: core.FitView(); break;
    case M::mnuViewFront: core.ShowFrontView(); break;
    case M::mnuViewRight: core.ShowRightView(); break;
    case M::mnuViewTop: core.ShowTopView(); break;
    case M::mnuViewISO: core.ShowIsoView(); break;
    case M::mnuHelpCon: OpenHelp(); break;
    // The property dialogs.
    case M::mnuViewSet:
    case M::mnuDrawPoint:
    case M::mnuDrawVert:
    case M::mnuDrawGrid:
    case M::mnuDrawTab3D:
    case M::mnuDrawDelaunay:
    case M::mnuDrawColor:
    case M::mnuDrawCon:
    case M::mnuDrawVector:
    case M::mnuDrawCon3D:
    case M::mnuDraw4DScat:
    case M::mnuDraw4DVec:
    case M::mnuDraw4DSlice:
    case M::mnuDrawIsoSur:
    case M::mnuDrawAxis:
    case M::mnuDrawLight: core.RunDialogCommand(item); break;
    case M::mnuHelpHome:
    case M::mnuHelpCus:
    case M::mnuHelpVideo:
    case M::mnuHelpTwitter:
    case M::mnuHelpFB: core.OpenWebEntry(item); break;
    case M::mnuHelpAbout: ShowAbout(); break;
    case M::mnuFunEdit:
    case M::mnuFunCut:
    case M::mnuFunCopy:
    case M::mnuFunDelete:
      core.RunListCommand(item);
      ModelsChanged();
      break;
    case M::mnuGESet: core.OpenGridSizeDialog(); break;
    case M::mnuGECutIt:
    case M::mnuGECopy:
    case M::mnuGEPaste:
    case M::mnuGEDelete:
    case M::mnuGEInsertRow:
    case M::mnuGEInsertCol:
    case M::mnuGEDelRow:
    case M::mnuGEDelCol: core.RunSheetCommand(item, SelectedSheetBlock()); break;
    default: break;
  }
}

void MainFrame::OpenHelp() { core_->OpenHelp(); }

void MainFrame::ShowAbout() {
  AboutDialog about(this, std::string(kHomeAddress), [this] { core_->OpenHomePage(); });
  about.ShowModal();
}

SheetBlock MainFrame::SelectedSheetBlock() const {
  // The grid counts its cells from 0 below the header row and right of the
  // index column; the sheet counts those as 0.
  SheetBlock block{grid_->GetGridCursorRow() + 1, grid_->GetGridCursorCol() + 1,
                   grid_->GetGridCursorRow() + 1, grid_->GetGridCursorCol() + 1};
  bool first = true;
  for (const wxGridBlockCoords& selected : grid_->GetSelectedBlocks()) {
    const SheetBlock b{selected.GetTopRow() + 1, selected.GetLeftCol() + 1,
                       selected.GetBottomRow() + 1, selected.GetRightCol() + 1};
    if (first) {
      block = b;
      first = false;
      continue;
    }
    block.top = std::min(block.top, b.top);
    block.left = std::min(block.left, b.left);
    block.bottom = std::max(block.bottom, b.bottom);
    block.right = std::max(block.right, b.right);
  }
  return block;
}

// Events

void MainFrame::OnMenu(wxCommandEvent& event) {
  const int index = event.GetId() - kMenuIdBase;
  if (index < 0 || index >= kMenuItemCount) return;
  RunCommand(static_cast<MenuItem>(index));
}

void MainFrame::OnTool(wxCommandEvent& event) {
  const int index = event.GetId() - kToolIdBase;
  for (const ToolRow& row : ToolbarTable()) {
    if (row.index == index && !row.separator) {
      RunCommand(row.item);
      return;
    }
  }
}

void MainFrame::OnClose(wxCloseEvent& event) {
  if (closing_) return;
  // Start-up lets the toolkit run while the drawing area appears; the window
  // must outlive it.
  if (!loaded_ && event.CanVeto()) {
    event.Veto();
    return;
  }
  // A refused save keeps the window open with everything as it was; a
  // forced close goes on regardless.
  if (!core_->ConfirmClose() && event.CanVeto()) {
    event.Veto();
    return;
  }
  closing_ = true;
  // What the program copied stays on the clipboard after it ends.
  clipboard_->KeepAfterExit();
  spinTimer_.Stop();
  if (canvas_->HasCapture()) canvas_->ReleaseMouse();
  context_.reset();
  Destroy();
}

void MainFrame::OnCanvasPaint(wxPaintEvent&) {
  wxPaintDC dc(canvas_);
  if (started_ && !closing_) core_->OnDrawingPaint();
}

void MainFrame::OnCanvasMouse(wxMouseEvent& event) {
  if (!started_ || closing_) return;
  // The core measures the drawing area in device pixels.
  const double scale = canvas_->GetContentScaleFactor();
  const double x = event.GetX() * scale;
  const double y = event.GetY() * scale;
  const wxEventType type = event.GetEventType();
  if (type == wxEVT_LEFT_DOWN) {
    canvas_->SetFocus();
    if (!canvas_->HasCapture()) canvas_->CaptureMouse();
    core_->OnDrawingMouseDown(kLeftButton, x, y);
  } else if (type == wxEVT_RIGHT_DOWN) {
    core_->OnDrawingMouseDown(kRightButton, x, y);
  } else if (type == wxEVT_MOTION) {
    const int mask =
        (event.LeftIsDown() ? kLeftButton : 0) | (event.RightIsDown() ? kRightButton : 0);
    core_->OnDrawingMouseMove(mask, x, y);
  } else if (type == wxEVT_LEFT_UP) {
    if (canvas_->HasCapture()) canvas_->ReleaseMouse();
    core_->OnDrawingMouseUp(kLeftButton, x, y);
  } else if (type == wxEVT_RIGHT_UP) {
    core_->OnDrawingMouseUp(kRightButton, x, y);
  }
}

void MainFrame::OnSpinTimer(wxTimerEvent&) {
  if (closing_) return;
  core_->IdleTick();
  // IdleTick asks for the next tick itself while the spin goes on.
  SetIdleTicksWanted(core_->WantsIdleTicks());
}

void MainFrame::OnListCheck(wxCommandEvent& event) {
  const int index = event.GetInt();
  if (index < 0 || static_cast<unsigned>(index) >= list_->GetCount()) return;
  const bool checked = list_->IsChecked(static_cast<unsigned>(index));
  // The box shows the click already.
  if (static_cast<std::size_t>(index) < listChecks_.size())
    listChecks_[static_cast<std::size_t>(index)] = checked;
  core_->SetListChecked(index, checked);
  ModelsChanged();
}

void MainFrame::OnListSelect(wxCommandEvent&) { core_->List().SetListIndex(list_->GetSelection()); }

void MainFrame::OnListRightDown(wxMouseEvent& event) {
  // Not passed on: the right button must not select an entry.
  const double scale = list_->GetContentScaleFactor();
  core_->OnGraphListMouseDown(kRightButton, event.GetX() * scale, event.GetY() * scale);
}

void MainFrame::OnKindChoice(wxCommandEvent&) { core_->OnDataKindChosen(combo_->GetSelection()); }

void MainFrame::OnMethodChoice(wxCommandEvent&) {
  const int selection = methodChoice_->GetSelection();
  if (selection < 0 || selection >= static_cast<int>(listedMethods_.size())) return;
  core_->OnGridMethodChosen(listedMethods_[static_cast<std::size_t>(selection)]);
}

void MainFrame::RefuseText() {
  messages_->Show("The character could not be typed: documents cannot hold it.", "Error",
                  MsgIcon::Exclamation, MsgButtons::OK);
}

void MainFrame::OnPanelText(wxCommandEvent& event) {
  for (std::size_t i = 1; i < texts_.size(); ++i) {
    if (event.GetEventObject() != texts_[i]) continue;
    PanelControl& control = core_->PanelModel().texts[i];
    const std::optional<std::string> text = Utf8ToCp1252(texts_[i]->GetValue().utf8_string());
    if (text) {
      control.text = *text;
    } else {
      texts_[i]->ChangeValue(ToWx(control.text));
      RefuseText();
    }
    return;
  }
}

void MainFrame::OnSheetCellChanging(wxGridEvent& event) {
  if (!Utf8ToCp1252(event.GetString().utf8_string())) {
    event.Veto();
    RefuseText();
  }
}

void MainFrame::OnSheetRightDown(wxMouseEvent& event) {
  auto* part = dynamic_cast<wxWindow*>(event.GetEventObject());
  if (part == nullptr) return;
  // The rule is stated in pixels of the whole control, labels included.
  const wxPoint at = grid_->ScreenToClient(part->ClientToScreen(event.GetPosition()));
  const double scale = grid_->GetContentScaleFactor();
  core_->OnSheetMouseDown(kRightButton, at.x * scale, at.y * scale);
}

void MainFrame::OnSplitterMouse(wxMouseEvent& event) {
  const wxEventType type = event.GetEventType();
  if (event.ButtonDown()) {
    if (!splitter_->HasCapture()) splitter_->CaptureMouse();
    core_->OnSplitterMouseDown();
    splitter_->SetHeld(true);
  } else if (type == wxEVT_MOTION) {
    if (!core_->SplitterDragging()) return;
    // The bar follows the pointer: its left edge moves by X, measured from
    // the edge itself.
    core_->OnSplitterMouseMove(event.GetX() * twipsPerPixel_);
    const int x = static_cast<int>(std::lround(core_->SplitterLeft() / twipsPerPixel_));
    splitter_->Move(x, splitter_->GetPosition().y);
  } else if (event.ButtonUp()) {
    if (splitter_->HasCapture()) splitter_->ReleaseMouse();
    if (!core_->SplitterDragging()) return;
    // The core settles the bar; the widgets then follow its layout.
    core_->OnSplitterMouseUp(CurrentPaneInput());
    splitter_->SetHeld(false);
    LayoutPanes();
  }
}

void MainFrame::OnSplitter2Mouse(wxMouseEvent&) {
  // The horizontal bar only settles: the layout places it again from the
  // data frame's height.
  LayoutPanes();
}

}  // namespace qv
