// The property dialogs under a display: each opens from its menu item and
// its toolbar button with its caption and tabs, OK and Cancel close it (and
// Return and Escape press them), every page shows its controls whole, and
// the Draw and View buttons run their commands and show their hints.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/checklst.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "command_table.h"
#include "graphs/graph.h"
#include "running_window.h"
#include "support/scripted_choosers.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_message_box.h"
#include "support/scripted_shell.h"
#include "window/wx/main_frame.h"

namespace qv {
namespace {

using namespace std::chrono_literals;
using test::PumpFor;
using M = MenuItem;

// Plays the user in the next modal dialog: a timer that runs inside the
// dialog's modal loop calls act once the dialog shows. A dialog that act
// leaves open is cancelled a second later, so a failing test cannot hang.
class ModalDriver {
 public:
  explicit ModalDriver(std::function<void(wxDialog&)> act) : act_(std::move(act)) {
    timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Tick(); });
    timer_.Start(20);
  }
  ~ModalDriver() { timer_.Stop(); }
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  bool Acted() const { return acted_; }
  bool LeftOpen() const { return leftOpen_; }

 private:
  void Tick() {
    for (auto node = wxTopLevelWindows.GetFirst(); node != nullptr; node = node->GetNext()) {
      auto* dialog = dynamic_cast<wxDialog*>(node->GetData());
      if (dialog == nullptr || !dialog->IsModal()) continue;
      if (!acted_) {
        acted_ = true;
        act_(*dialog);
      } else if (++stuck_ > 50) {
        leftOpen_ = true;
        dialog->EndModal(wxID_CANCEL);
      }
      return;
    }
    if (acted_ || ++idle_ > 500) timer_.Stop();
  }

  std::function<void(wxDialog&)> act_;
  wxTimer timer_;
  bool acted_ = false;
  bool leftOpen_ = false;
  int stuck_ = 0;
  int idle_ = 0;
};

void Press(wxWindow& dialog, int id) {
  wxWindow* button = dialog.FindWindow(id);
  ASSERT_NE(button, nullptr);
  wxCommandEvent event(wxEVT_BUTTON, id);
  event.SetEventObject(button);
  button->GetEventHandler()->ProcessEvent(event);
}

void Click(wxWindow* window) {
  wxMouseEvent event(wxEVT_LEFT_DOWN);
  event.SetEventObject(window);
  window->GetEventHandler()->ProcessEvent(event);
}

std::vector<std::string> TabsOf(wxWindow& dialog) {
  std::vector<std::string> tabs;
  for (auto node = dialog.GetChildren().GetFirst(); node != nullptr; node = node->GetNext()) {
    if (auto* notebook = dynamic_cast<wxNotebook*>(node->GetData())) {
      for (size_t page = 0; page < notebook->GetPageCount(); ++page)
        tabs.push_back(notebook->GetPageText(page).utf8_string());
    }
  }
  return tabs;
}

// What the user saw in a dialog.
struct Seen {
  std::string caption;
  std::vector<std::string> tabs;
};

class PropertyDialogsTest : public test::RunningWindowTest {
 protected:
  void Configure(MainFrameOptions& options) override {
    options.colours = &colours_;
    options.fonts = &fonts_;
  }

  // Runs trigger, plays the next dialog with act (after noting its caption
  // and tabs) and returns what was seen; nothing when no dialog came.
  std::optional<Seen> Play(const std::function<void()>& trigger,
                           const std::function<void(wxDialog&)>& act) {
    std::optional<Seen> seen;
    ModalDriver driver([&](wxDialog& dialog) {
      seen = Seen{dialog.GetTitle().utf8_string(), TabsOf(dialog)};
      act(dialog);
    });
    trigger();
    EXPECT_FALSE(driver.LeftOpen()) << "the dialog stayed open";
    return seen;
  }

  test::ScriptedColourChooser colours_;
  test::ScriptedFontChooser fonts_;
};

struct DialogCase {
  const char* name;
  MenuItem item;
  int button;  // 0: no toolbar button
  Long viewCode;
  const char* caption;
  std::vector<std::string> tabs;
  bool addsGraph;
};

void PrintTo(const DialogCase& c, std::ostream* os) { *os << c.name; }

class DialogOpenTest : public PropertyDialogsTest,
                       public testing::WithParamInterface<DialogCase> {};

TEST_P(DialogOpenTest, OpensFromItsMenuItemAndButtonAndClosesWithCancelAndOk) {
  const DialogCase& c = GetParam();
  if (c.viewCode == kViewCode2D) frame_->RunCommand(M::mnuFileNew2D);
  if (c.viewCode == kViewCode4D) frame_->RunCommand(M::mnuFileNew4D);
  EXPECT_TRUE(frame_->GetMenuBar()->IsEnabled(MainFrame::MenuId(c.item)));

  const std::optional<Seen> cancelled =
      Play([&] { Menu(c.item); }, [](wxDialog& d) { Press(d, wxID_CANCEL); });
  ASSERT_TRUE(cancelled) << "no dialog opened";
  EXPECT_EQ(cancelled->caption, c.caption);
  EXPECT_EQ(cancelled->tabs, c.tabs);
  EXPECT_EQ(Core().Shared().allGraphs.Items.Count(), 0);

  const std::function<void()> again = [&] {
    if (c.button != 0) {
      EXPECT_TRUE(frame_->GetToolBar()->GetToolEnabled(MainFrame::ToolId(c.button)));
      Tool(c.button);
    } else {
      Menu(c.item);
    }
  };
  const std::optional<Seen> accepted = Play(again, [](wxDialog& d) { Press(d, wxID_OK); });
  ASSERT_TRUE(accepted) << "no dialog opened";
  EXPECT_EQ(accepted->caption, c.caption);
  EXPECT_TRUE(messages_.Shown().empty()) << messages_.Texts().front();
  EXPECT_EQ(Core().Shared().allGraphs.Items.Count(), c.addsGraph ? 1 : 0);
  EXPECT_EQ(frame_->GraphListBox()->GetCount(), c.addsGraph ? 1u : 0u);
}

const std::vector<std::string> kNoTabs;

// Every dialog a Draw or View menu item opens.
const std::vector<DialogCase> kMenuDialogs = {
    DialogCase{"Point",
               M::mnuDrawPoint,
               20,
               kViewCode3D,
               "Point Properties",
               {"Point", "Properties"},
               true},
    DialogCase{"Vertex", M::mnuDrawVert, 22, kViewCode3D, "3D Vertex Model Properties", kNoTabs,
               true},
    DialogCase{"GridModel", M::mnuDrawGrid, 23, kViewCode3D, "3D Grid Model Properties", kNoTabs,
               true},
    DialogCase{"Surface",
               M::mnuDrawTab3D,
               24,
               kViewCode3D,
               "3D Surface Properties",
               {"General", "Color", "Material", "Smoothness", "Texture", "Transparency"},
               true},
    DialogCase{"Delaunay",
               M::mnuDrawDelaunay,
               25,
               kViewCode3D,
               "Delaunay Triangles",
               {"Surface", "Triangles"},
               true},
    DialogCase{"ColorMap", M::mnuDrawColor, 27, kViewCode2D, "Color Map Properties", kNoTabs, true},
    DialogCase{"Contour",
               M::mnuDrawCon,
               28,
               kViewCode2D,
               "Contour Plot Properties",
               {"General", "Lines"},
               true},
    DialogCase{"Vector", M::mnuDrawVector, 29, kViewCode2D, "Vector Plot Properties", kNoTabs,
               true},
    DialogCase{"Contour3D",
               M::mnuDrawCon3D,
               30,
               kViewCode3D,
               "3D Contour Plot Properties",
               {"General", "Lines"},
               true},
    DialogCase{"Scatter4D", M::mnuDraw4DScat, 32, kViewCode4D, "4D Scatter Properties", kNoTabs,
               true},
    DialogCase{"Vector4D", M::mnuDraw4DVec, 33, kViewCode4D, "4D Vector Properties", kNoTabs, true},
    DialogCase{"Slice4D",
               M::mnuDraw4DSlice,
               34,
               kViewCode4D,
               "4D Slice Properties",
               {"General", "YZ Direction", "ZX Direction", "XY Direction"},
               true},
    DialogCase{"IsoSurface", M::mnuDrawIsoSur, 0, kViewCode4D, "IsoSurface Properties", kNoTabs,
               true},
    DialogCase{"Axis",
               M::mnuDrawAxis,
               36,
               kViewCode3D,
               "Axis Properties",
               {"General", "Panel", "Grid", "Label", "Title"},
               false},
    DialogCase{"Light", M::mnuDrawLight, 37, kViewCode3D, "Light Properties", kNoTabs, false},
    DialogCase{"ViewSettings", M::mnuViewSet, 0, kViewCode3D, "View Setting", kNoTabs, false}};

std::string CaseName(const testing::TestParamInfo<DialogCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogOpenTest, testing::ValuesIn(kMenuDialogs), CaseName);

TEST_F(PropertyDialogsTest, TheSheetPopupsSettingsOpensTheGridSizeDialog) {
  const std::optional<Seen> seen =
      Play([&] { Core().OpenGridSizeDialog(); }, [](wxDialog& d) { Press(d, wxID_OK); });
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->caption, "Options");
  EXPECT_EQ(Core().Sheet().Rows(), 101);
}

TEST_F(PropertyDialogsTest, TheDrawingAreasPopupOffersAxisAndLight) {
  std::vector<std::string> labels;
  frame_->SetPopupHook([&](PopupMenu menu, wxMenu& items, double, double) {
    if (menu == PopupMenu::GraphEdit) {
      for (wxMenuItem* item : items.GetMenuItems()) {
        if (!item->IsSeparator()) labels.push_back(item->GetItemLabelText().utf8_string());
      }
    }
    return true;
  });
  Core().OnDrawingMouseDown(kRightButton, 10, 10);
  ASSERT_GE(labels.size(), 2u);
  EXPECT_EQ(labels[labels.size() - 2], "Axis...");
  EXPECT_EQ(labels.back(), "Light...");
}

// The first control of type T under root, depth first.
template <typename T>
T* FirstOf(wxWindow& root) {
  for (auto node = root.GetChildren().GetFirst(); node != nullptr; node = node->GetNext()) {
    if (auto* found = dynamic_cast<T*>(node->GetData())) return found;
    if (T* found = FirstOf<T>(*node->GetData())) return found;
  }
  return nullptr;
}

// A refused entry keeps the dialog open with its message; corrected, OK
// closes it.
TEST_F(PropertyDialogsTest, ARefusedEntryKeepsTheDialogOpenUntilItIsCorrected) {
  bool openAfterRefusal = false;
  const std::optional<Seen> seen = Play([&] { Menu(M::mnuViewSet); },
                                        [&](wxDialog& d) {
                                          wxTextCtrl* minX = FirstOf<wxTextCtrl>(d);
                                          ASSERT_NE(minX, nullptr);
                                          minX->SetValue("abc");
                                          Press(d, wxID_OK);
                                          openAfterRefusal = d.IsModal();
                                          minX->SetValue("-7");
                                          Press(d, wxID_OK);
                                        });
  ASSERT_TRUE(seen);
  EXPECT_TRUE(openAfterRefusal);
  EXPECT_EQ(messages_.Texts(), std::vector<std::string>{"Illegal data exist."});
  EXPECT_EQ(Core().Flags().ViewMinX, -7.0);
}

// A cancelled colour chooser changes nothing; a chosen colour reaches the
// graph.
TEST_F(PropertyDialogsTest, ASwatchTakesAChosenColourAndIgnoresACancelledChooser) {
  frame_->RunCommand(M::mnuFileNew2D);
  colours_.Answer(std::nullopt);
  colours_.Answer(RGB(1, 2, 3));
  wxColour afterCancel;
  const std::optional<Seen> seen = Play([&] { Menu(M::mnuDrawVector); },
                                        [&](wxDialog& d) {
                                          wxWindow* swatch = d.FindWindow("swatch");
                                          ASSERT_NE(swatch, nullptr);
                                          Click(swatch);
                                          afterCancel = swatch->GetBackgroundColour();
                                          Click(swatch);
                                          Press(d, wxID_OK);
                                        });
  ASSERT_TRUE(seen);
  EXPECT_EQ(afterCancel, wxColour(255, 0, 0));
  EXPECT_EQ(colours_.requests, (std::vector<Long>{255, 255}));
  ASSERT_EQ(Core().Shared().allGraphs.Items.Count(), 1);
  const auto& graph = static_cast<const Graph&>(*Core().Shared().allGraphs.Items.Item(1));
  EXPECT_EQ(graph.VectorColor, RGB(1, 2, 3));
}

wxWindow* ButtonLabelled(wxWindow& root, const wxString& label) {
  for (auto node = root.GetChildren().GetFirst(); node != nullptr; node = node->GetNext()) {
    wxWindow* child = node->GetData();
    if (dynamic_cast<wxButton*>(child) != nullptr && child->GetLabel() == label) return child;
    if (wxWindow* found = ButtonLabelled(*child, label)) return found;
  }
  return nullptr;
}

// A cancelled font or file chooser keeps what was chosen before.
TEST_F(PropertyDialogsTest, CancelledFontAndFileChoosersChangeNothing) {
  fonts_.Answer(FontChoice{"DejaVu Sans", 11.6});
  fonts_.Answer(std::nullopt);
  Play([&] { Menu(M::mnuDrawAxis); },
       [&](wxDialog& d) {
         wxWindow* font = ButtonLabelled(d, "Font...");
         ASSERT_NE(font, nullptr);
         wxCommandEvent press(wxEVT_BUTTON, font->GetId());
         press.SetEventObject(font);
         font->GetEventHandler()->ProcessEvent(press);
         font->GetEventHandler()->ProcessEvent(press);
         Press(d, wxID_OK);
       });
  EXPECT_EQ(fonts_.requests, 2);
  EXPECT_EQ(Core().AxisFonts().label.face, "DejaVu Sans");
  EXPECT_EQ(Core().AxisFonts().label.size, 12.0);

  dialogs_.Choose("/tmp/first.bmp");
  dialogs_.Cancel();
  Play([&] { Menu(M::mnuDrawTab3D); },
       [&](wxDialog& d) {
         wxWindow* browse = ButtonLabelled(d, "...");
         ASSERT_NE(browse, nullptr);
         wxCommandEvent press(wxEVT_BUTTON, browse->GetId());
         press.SetEventObject(browse);
         browse->GetEventHandler()->ProcessEvent(press);
         browse->GetEventHandler()->ProcessEvent(press);
         Press(d, wxID_OK);
       });
  ASSERT_EQ(dialogs_.Shown().size(), 2u);
  EXPECT_EQ(dialogs_.Shown()[0].request.title, "Open File");
  EXPECT_EQ(dialogs_.Shown()[0].request.filter, "(*.bmp)|*.bmp|*.jpg|*.jpg|*.gif|*.gif");
  EXPECT_EQ(dialogs_.Shown()[0].request.fileName, "");
  ASSERT_EQ(Core().Shared().allGraphs.Items.Count(), 1);
  const auto& graph = static_cast<const Graph&>(*Core().Shared().allGraphs.Items.Item(1));
  EXPECT_EQ(graph.TexName, "/tmp/first.bmp");
}

TEST_F(PropertyDialogsTest, GriddingShowsABusyCursorAndAStatusText) {
  frame_->ShowBusy(true);
  EXPECT_TRUE(wxIsBusy());
  EXPECT_EQ(frame_->GetStatusBar()->GetStatusText(0), "Gridding the data, please wait...");
  frame_->ShowBusy(false);
  EXPECT_FALSE(wxIsBusy());
  EXPECT_EQ(frame_->GetStatusBar()->GetStatusText(0), "Ready");
}

// The Draw menu's buttons (20..37) and the View menu's (39..50).
std::vector<ToolRow> DrawAndViewButtons() {
  std::vector<ToolRow> rows;
  for (const ToolRow& row : ToolbarTable()) {
    if (!row.separator && row.index >= 19) rows.push_back(row);
  }
  return rows;
}

TEST_F(PropertyDialogsTest, EveryDrawAndViewButtonShowsItsTooltipAndHintAndRunsItsCommand) {
  wxToolBar* toolbar = frame_->GetToolBar();
  const std::vector<ToolRow> rows = DrawAndViewButtons();
  EXPECT_EQ(rows.size(), 25u);
  for (const ToolRow& row : rows) {
    SCOPED_TRACE(std::string(row.key));
    const int id = MainFrame::ToolId(row.index);
    ASSERT_NE(toolbar->FindById(id), nullptr);
    EXPECT_EQ(toolbar->GetToolShortHelp(id).utf8_string(), row.tooltip);
    toolbar->OnMouseEnter(id);
    EXPECT_EQ(frame_->GetStatusBar()->GetStatusText(0).utf8_string(), row.hint);
    if (row.index <= 37) {
      // A Draw button opens its dialog.
      const std::optional<Seen> seen =
          Play([&] { Tool(row.index); }, [](wxDialog& d) { Press(d, wxID_CANCEL); });
      EXPECT_TRUE(seen) << "no dialog";
    }
  }
  toolbar->OnMouseEnter(wxID_ANY);
  EXPECT_EQ(frame_->GetStatusBar()->GetStatusText(0), "Ready");
}

TEST_F(PropertyDialogsTest, TheViewButtonsRunTheirViewCommands) {
  const InteractionState& mouse = Core().Mouse();
  Tool(39);
  EXPECT_TRUE(mouse.MoveMode);
  Tool(40);
  EXPECT_TRUE(mouse.ZoomMode);
  for (const auto& [index, axis] :
       {std::pair{42, 2}, std::pair{43, 3}, std::pair{44, 4}, std::pair{45, 1}}) {
    Tool(index);
    EXPECT_TRUE(mouse.RotateMode);
    EXPECT_EQ(Core().Shared().settings.RotateAxis, axis);
  }
  const Long builds = Core().BuildCount();
  Tool(41);
  EXPECT_EQ(Core().BuildCount(), builds + 1);
  const SceneGroup& shown = Core().Shared().shownGraphs;
  const std::array<std::array<double, 3>, 4> presets = {
      {{0, 0, 0}, {0, 0, 90}, {0, -90, 0}, {0, -30, 45}}};
  for (int k = 0; k < 4; ++k) {
    Tool(47 + k);
    EXPECT_EQ(shown.RotRoll, presets[static_cast<std::size_t>(k)][0]);
    EXPECT_EQ(shown.RotPitch, presets[static_cast<std::size_t>(k)][1]);
    EXPECT_EQ(shown.RotYaw, presets[static_cast<std::size_t>(k)][2]);
  }
}

// Layout as the user sees it

class DialogLayoutTest : public PropertyDialogsTest,
                         public testing::WithParamInterface<DialogCase> {
 protected:
  // Opens the case's dialog in its kind of document.
  std::optional<Seen> Open(const std::function<void(wxDialog&)>& act) {
    const DialogCase& c = GetParam();
    if (!documentMade_) {
      if (c.viewCode == kViewCode2D) frame_->RunCommand(M::mnuFileNew2D);
      if (c.viewCode == kViewCode4D) frame_->RunCommand(M::mnuFileNew4D);
      documentMade_ = true;
    }
    return Play([&] { Menu(c.item); }, act);
  }

 private:
  bool documentMade_ = false;
};

// Every dialog there is: the menus' and the data sheet's and the About box.
std::vector<DialogCase> EveryDialog() {
  std::vector<DialogCase> cases = kMenuDialogs;
  cases.push_back({"GridSize", M::mnuGESet, 0, kViewCode3D, "Options", kNoTabs, false});
  cases.push_back({"About", M::mnuHelpAbout, 0, kViewCode3D, "About Quorvel", kNoTabs, false});
  return cases;
}

// Room that the window manager's title bar takes beside the caption's text:
// the close button and the padding around both.
constexpr int kTitleBarRoom = 80;
// Room a drop-down list takes beside its text: the arrow and the padding.
constexpr int kChoiceArrowRoom = 24;

std::string Describe(wxWindow& window) {
  std::string text = wxString(window.GetClassInfo()->GetClassName()).utf8_string();
  const wxString label = window.GetLabel();
  if (!label.empty()) text += " \"" + label.utf8_string() + "\"";
  const wxRect r = window.GetRect();
  text += " at " + std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) +
          "x" + std::to_string(r.height);
  return text;
}

// Where a container's children may lie, in the coordinates they are placed
// in: a frame's inside below its caption, else the client area. (The
// toolkit's screen position of a frame is off by its caption, so the
// checks compare the places the sizers gave.)
wxRect InsideOf(wxWindow& container) {
  if (auto* box = dynamic_cast<wxStaticBox*>(&container)) {
    int top = 0;
    int other = 0;
    box->GetBordersForSizer(&top, &other);
    const wxSize size = box->GetSize();
    return {0, 0, size.x - 2 * other, size.y - top - other};
  }
  return {wxPoint(0, 0), container.GetClientSize()};
}

bool IsContainer(wxWindow& window) {
  return dynamic_cast<wxStaticBox*>(&window) != nullptr ||
         (dynamic_cast<wxPanel*>(&window) != nullptr && !window.GetChildren().empty());
}

// Collects every fault of container's shown controls, depth first: a
// control outside its container, two siblings that overlap, a control
// smaller than its text needs, a list narrower than its longest entry.
void CheckLayout(wxWindow& container, const std::string& where, std::vector<std::string>& faults) {
  const wxRect inside = InsideOf(container);
  std::vector<wxWindow*> shown;
  for (wxWindow* child : container.GetChildren()) {
    if (child->IsShown() && !child->IsTopLevel()) shown.push_back(child);
  }
  for (std::size_t a = 0; a < shown.size(); ++a) {
    wxWindow& child = *shown[a];
    const wxRect r = child.GetRect();
    if (!inside.Contains(r)) faults.push_back(where + ": " + Describe(child) + " lies outside");
    for (std::size_t b = a + 1; b < shown.size(); ++b) {
      if (r.Intersects(shown[b]->GetRect()))
        faults.push_back(where + ": " + Describe(child) + " overlaps " + Describe(*shown[b]));
    }
    const bool hasText = dynamic_cast<wxStaticText*>(&child) != nullptr ||
                         dynamic_cast<wxCheckBox*>(&child) != nullptr ||
                         dynamic_cast<wxRadioButton*>(&child) != nullptr ||
                         dynamic_cast<wxButton*>(&child) != nullptr;
    const wxSize best = child.GetBestSize();
    if (hasText && (r.width < best.x || r.height < best.y))
      faults.push_back(where + ": " + Describe(child) + " is cut, it needs " +
                       std::to_string(best.x) + "x" + std::to_string(best.y));
    if (auto* list = dynamic_cast<wxChoice*>(&child)) {
      int longest = 0;
      for (const wxString& item : list->GetStrings())
        longest = std::max(longest, list->GetTextExtent(item).x);
      if (r.width < longest + kChoiceArrowRoom)
        faults.push_back(where + ": " + Describe(child) + " cuts an entry " +
                         std::to_string(longest) + " px wide");
    }
    if (auto* notebook = dynamic_cast<wxNotebook*>(&child)) {
      for (size_t page = 0; page < notebook->GetPageCount(); ++page) {
        notebook->SetSelection(page);
        wxYield();
        wxWindow& shownPage = *notebook->GetPage(page);
        const std::string tab = where + " > " + notebook->GetPageText(page).utf8_string();
        if (!notebook->GetScreenRect().Contains(shownPage.GetScreenRect()))
          faults.push_back(tab + ": the page lies outside its notebook");
        CheckLayout(shownPage, tab, faults);
      }
      notebook->SetSelection(0);
    } else if (IsContainer(child)) {
      CheckLayout(child, where, faults);
    }
  }
}

// Every fault of a dialog's layout, its title's width included.
std::vector<std::string> LayoutFaults(wxDialog& dialog) {
  std::vector<std::string> faults;
  wxFont caption = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold();
  int titleWidth = 0;
  int titleHeight = 0;
  dialog.GetTextExtent(dialog.GetTitle(), &titleWidth, &titleHeight, nullptr, nullptr, &caption);
  if (dialog.GetSize().x < titleWidth + kTitleBarRoom)
    faults.push_back("the title needs " + std::to_string(titleWidth + kTitleBarRoom) +
                     " px, the dialog is " + std::to_string(dialog.GetSize().x));
  CheckLayout(dialog, dialog.GetTitle().utf8_string(), faults);
  return faults;
}

// Regression: the notebook's width was that of its tabs alone, so the
// Delaunay Surface page and the contour Lines page squeezed their colour row
// and left the second swatch, at no width, over the page's first control;
// controls made on a page under a frame lay below its caption; narrow
// dialogs cut their captions.
TEST_P(DialogLayoutTest, EveryPageShowsItsControlsWholeInsideAndApart) {
  std::vector<std::string> faults;
  const std::optional<Seen> seen = Open([&](wxDialog& d) {
    faults = LayoutFaults(d);
    d.EndModal(wxID_CANCEL);
  });
  ASSERT_TRUE(seen) << "no dialog opened";
  EXPECT_TRUE(faults.empty()) << testing::PrintToString(faults);
}

// The first control of type T on the shown page, if it has one.
template <typename T>
T* FirstShown(wxWindow& root) {
  for (wxWindow* child : root.GetChildren()) {
    auto* found = dynamic_cast<T*>(child);
    if (found != nullptr && found->IsShownOnScreen()) return found;
    if (T* inside = FirstShown<T>(*child)) return inside;
  }
  return nullptr;
}

struct KeyPress {
  const char* name;
  int key;
  // Puts the focus where the key is pressed: a text box or a drop-down list
  // would take Return for themselves. Without one the focus stays where the
  // dialog put it.
  std::function<wxWindow*(wxWindow&)> focus;
  bool pressesOk;
};

// Return presses OK and Escape Cancel, as users expect of a dialog, with the
// focus in a text box or on a drop-down list as well. The About box has one
// button, which both keys press.
TEST_P(DialogLayoutTest, ReturnPressesOkAndEscapeCancel) {
  const bool oneButton = GetParam().item == M::mnuHelpAbout;
  const std::vector<KeyPress> presses = {
      {"Return in a text box", WXK_RETURN, FirstShown<wxTextCtrl>, true},
      {"Return on a list", WXK_RETURN, FirstShown<wxChoice>, true},
      {"Escape in a text box", WXK_ESCAPE, FirstShown<wxTextCtrl>, oneButton}};
  for (const KeyPress& press : presses) {
    SCOPED_TRACE(press.name);
    int pressed = wxID_NONE;
    const std::optional<Seen> seen = Open([&](wxDialog& d) {
      for (int id : {wxID_OK, wxID_CANCEL}) {
        if (wxWindow* button = d.FindWindow(id)) {
          button->Bind(wxEVT_BUTTON, [&pressed, id](wxCommandEvent& event) {
            if (pressed == wxID_NONE) pressed = id;
            event.Skip();
          });
        }
      }
      if (wxWindow* focus = press.focus(d)) focus->SetFocus();
      // The key goes to the window under the pointer when no window manager
      // gives the dialog the focus.
      wxUIActionSimulator user;
      user.MouseMove(d.GetScreenRect().GetTopLeft() + wxPoint(4, 4));
      user.Char(press.key);
    });
    ASSERT_TRUE(seen) << "no dialog opened";
    EXPECT_EQ(pressed, press.pressesOk ? wxID_OK : wxID_CANCEL);
  }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogLayoutTest, testing::ValuesIn(EveryDialog()), CaseName);

}  // namespace
}  // namespace qv
