// The frame every property dialog is built in: an optional notebook of
// tabs, OK and Cancel below, and controls bound to the model's fields. A
// change in a control is written into its field at once and then every
// enable rule of the dialog runs again.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/listbox.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "dialogs/wx/property_dialogs.h"
#include "platform/wx/wx_text.h"

namespace qv {

// A swatch: a small box in its colour; a click opens the colour chooser
// from that colour, and a chosen colour (not a cancelled chooser) replaces
// it.
class ColourSwatch final : public wxPanel {
 public:
  ColourSwatch(wxWindow* parent, Long& colour, ColourChooserService& chooser,
               std::function<void(Long)> chosen);
  // The click, as the mouse makes it.
  void Choose();

 private:
  void ShowColour();

  Long& colour_;
  ColourChooserService& chooser_;
  std::function<void(Long)> chosen_;
};

class PropertyDialog final : public wxDialog {
 public:
  PropertyDialog(wxWindow* parent, const char* caption, const DialogChoosers& choosers);
  ~PropertyDialog() override;

  // Pages
  // A new tab of the notebook (made with the first tab).
  wxPanel* AddTab(const char* caption);
  // The area of a dialog without tabs.
  wxPanel* Body();
  // The sizer of a page or the body: controls are added to it in order.
  static wxBoxSizer* Column(wxPanel* page);
  // A captioned frame in parent's column. Its controls are made on its box
  // (GetStaticBox()) and added to its sizer: made on parent they would lie
  // under the box's caption and frame.
  wxStaticBoxSizer* Frame(wxWindow* parent, wxSizer* into, const char* caption);

  // Controls bound to fields (texts are Windows-1252)
  wxStaticText* Label(wxWindow* parent, const char* text);
  wxCheckBox* Check(wxWindow* parent, const char* label, bool& value);
  // A check box over a getter and a setter.
  wxCheckBox* Check(wxWindow* parent, const char* label, std::function<bool()> get,
                    std::function<void(bool)> set);
  // An option of a group: selected while isSelected, select on a click.
  wxRadioButton* Option(wxWindow* parent, const char* label, bool firstOfGroup,
                        std::function<bool()> isSelected, std::function<void()> select);
  wxTextCtrl* Text(wxWindow* parent, std::string& value, int width = 80);
  // A box holding a file-system path (UTF-8).
  wxTextCtrl* PathText(wxWindow* parent, std::string& value, int width = 220);
  // A drop-down list; index -1 shows no selection.
  wxChoice* List(wxWindow* parent, const std::vector<std::string>& items, int& index);
  // A list box; index -1 shows no selection.
  wxListBox* ListBox(wxWindow* parent, const std::vector<std::string>& items, int& index);
  ColourSwatch* Swatch(wxWindow* parent, Long& colour, std::function<void(Long)> chosen = {});
  wxSlider* Slider(wxWindow* parent, int& value, int low, int high);
  wxButton* Button(wxWindow* parent, const char* label, std::function<void()> clicked);
  // A row of label and control in a two-column grid.
  static void Row(wxFlexGridSizer* grid, wxWindow* label, wxWindow* control);

  // Rules re-run after every change (and once when shown).
  void EnableWhen(wxWindow* control, std::function<bool()> rule);
  void ShowWhen(wxWindow* control, std::function<bool()> rule);
  // Re-reads every bound control from its field and runs the rules.
  void Reread();
  // Runs after every change, before the rules (lists that the model fills).
  void OnChange(std::function<void()> update) { updates_.push_back(std::move(update)); }

  ColourChooserService& Colours();
  FontChooserService& Fonts();
  FileDialogService& Files();

  // Shows the dialog modally: OK runs ok, which closes it when it returns
  // true. Returns whether it closed so.
  bool Run(std::function<bool()> ok);

 private:
  void Changed();
  void OnCharHook(wxKeyEvent& event);
  // Keeps index and the selection of list (a wxChoice or a wxListBox) in
  // step, each way.
  template <typename ListControl>
  void BindSelection(ListControl* list, const wxEventTypeTag<wxCommandEvent>& chosen, int& index);

  DialogChoosers choosers_;
  std::unique_ptr<ColourChooserService> ownColours_;
  std::unique_ptr<FontChooserService> ownFonts_;
  std::unique_ptr<FileDialogService> ownFiles_;
  wxNotebook* notebook_ = nullptr;
  wxPanel* body_ = nullptr;
  std::vector<std::function<void()>> readers_;
  std::vector<std::function<void()>> rules_;
  std::vector<std::function<void()>> updates_;
  bool refreshing_ = false;
};

// The entries "1" to count of a width or size list.
std::vector<std::string> CountList(int count);
// The material presets' names in list order.
std::vector<std::string> MaterialNames();

}  // namespace qv
