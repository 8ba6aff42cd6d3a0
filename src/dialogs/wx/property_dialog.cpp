#include "property_dialog.h"

#include <algorithm>
#include <optional>

#include <wx/button.h>
#include <wx/statbox.h>
#include <wx/utils.h>

#include "platform/text_encoding.h"
#include "platform/wx/wx_caption.h"
#include "platform/wx/wx_choosers.h"
#include "platform/wx/wx_file_dialog.h"
#include "scene/material_preset.h"

namespace qv {

namespace {

wxColour ColourOf(Long packed) {
  return wxColour(static_cast<unsigned char>(packed & 0xFF),
                  static_cast<unsigned char>((packed >> 8) & 0xFF),
                  static_cast<unsigned char>((packed >> 16) & 0xFF));
}

constexpr int kGap = 4;
// Room around a tab's caption in the notebook's row of tabs.
constexpr int kTabPadding = 36;

}  // namespace

// Swatches

ColourSwatch::ColourSwatch(wxWindow* parent, Long& colour, ColourChooserService& chooser,
                           std::function<void(Long)> chosen)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(40, 20), wxBORDER_SUNKEN),
      colour_(colour),
      chooser_(chooser),
      chosen_(std::move(chosen)) {
  ShowColour();
  Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { Choose(); });
}

void ColourSwatch::Choose() {
  if (!IsEnabled()) return;
  // A cancelled chooser changes nothing.
  const std::optional<Long> colour = chooser_.ChooseColour(colour_);
  if (!colour) return;
  colour_ = *colour;
  ShowColour();
  if (chosen_) chosen_(*colour);
}

void ColourSwatch::ShowColour() {
  SetBackgroundColour(ColourOf(colour_));
  Refresh();
}

// The frame

PropertyDialog::PropertyDialog(wxWindow* parent, const char* caption,
                               const DialogChoosers& choosers)
    : wxDialog(parent, wxID_ANY, ToWx(caption)), choosers_(choosers) {}

PropertyDialog::~PropertyDialog() = default;

wxPanel* PropertyDialog::AddTab(const char* caption) {
  if (notebook_ == nullptr) notebook_ = new wxNotebook(this, wxID_ANY);
  auto* page = new wxPanel(notebook_, wxID_ANY);
  page->SetSizer(new wxBoxSizer(wxVERTICAL));
  notebook_->AddPage(page, ToWx(caption));
  return page;
}

wxPanel* PropertyDialog::Body() {
  if (body_ == nullptr) {
    body_ = new wxPanel(this, wxID_ANY);
    body_->SetSizer(new wxBoxSizer(wxVERTICAL));
  }
  return body_;
}

wxBoxSizer* PropertyDialog::Column(wxPanel* page) {
  return static_cast<wxBoxSizer*>(page->GetSizer());
}

wxStaticBoxSizer* PropertyDialog::Frame(wxWindow* parent, wxSizer* into, const char* caption) {
  auto* frame = new wxStaticBoxSizer(wxVERTICAL, parent, ToWx(caption));
  into->Add(frame, 0, wxEXPAND | wxALL, kGap);
  return frame;
}

wxStaticText* PropertyDialog::Label(wxWindow* parent, const char* text) {
  return new wxStaticText(parent, wxID_ANY, ToWx(text));
}

wxCheckBox* PropertyDialog::Check(wxWindow* parent, const char* label, bool& value) {
  return Check(
      parent, label, [&value] { return value; }, [&value](bool checked) { value = checked; });
}

wxCheckBox* PropertyDialog::Check(wxWindow* parent, const char* label, std::function<bool()> get,
                                  std::function<void(bool)> set) {
  auto* box = new wxCheckBox(parent, wxID_ANY, ToWx(label));
  box->SetValue(get());
  box->Bind(wxEVT_CHECKBOX, [this, box, set](wxCommandEvent&) {
    set(box->GetValue());
    Changed();
  });
  readers_.push_back([box, get] {
    if (box->GetValue() != get()) box->SetValue(get());
  });
  return box;
}

wxRadioButton* PropertyDialog::Option(wxWindow* parent, const char* label, bool firstOfGroup,
                                      std::function<bool()> isSelected,
                                      std::function<void()> select) {
  auto* button = new wxRadioButton(parent, wxID_ANY, ToWx(label), wxDefaultPosition, wxDefaultSize,
                                   firstOfGroup ? wxRB_GROUP : 0);
  button->Bind(wxEVT_RADIOBUTTON, [this, select](wxCommandEvent&) {
    select();
    Changed();
  });
  // A radio button cannot be cleared by itself: the selected one is set.
  readers_.push_back([button, isSelected] {
    if (isSelected() && !button->GetValue()) button->SetValue(true);
  });
  return button;
}

wxTextCtrl* PropertyDialog::Text(wxWindow* parent, std::string& value, int width) {
  auto* box = new wxTextCtrl(parent, wxID_ANY, ToWx(value), wxDefaultPosition, wxSize(width, -1));
  box->Bind(wxEVT_TEXT, [this, box, &value](wxCommandEvent&) {
    // Texts are kept in Windows-1252: a character it cannot hold is refused
    // where it is typed.
    const std::optional<std::string> text = Utf8ToCp1252(box->GetValue().utf8_string());
    if (!text) {
      box->ChangeValue(ToWx(value));
      wxBell();
      return;
    }
    value = *text;
    Changed();
  });
  readers_.push_back([box, &value] {
    if (box->GetValue() != ToWx(value)) box->ChangeValue(ToWx(value));
  });
  return box;
}

wxTextCtrl* PropertyDialog::PathText(wxWindow* parent, std::string& value, int width) {
  auto* box = new wxTextCtrl(parent, wxID_ANY, wxString::FromUTF8(value), wxDefaultPosition,
                             wxSize(width, -1));
  box->Bind(wxEVT_TEXT, [this, box, &value](wxCommandEvent&) {
    value = box->GetValue().utf8_string();
    Changed();
  });
  readers_.push_back([box, &value] {
    if (box->GetValue() != wxString::FromUTF8(value)) box->ChangeValue(wxString::FromUTF8(value));
  });
  return box;
}

template <typename ListControl>
void PropertyDialog::BindSelection(ListControl* list, const wxEventTypeTag<wxCommandEvent>& chosen,
                                   int& index) {
  list->Bind(chosen, [this, list, &index](wxCommandEvent&) {
    index = list->GetSelection();
    Changed();
  });
  readers_.push_back([list, &index] {
    const int shown =
        index >= 0 && index < static_cast<int>(list->GetCount()) ? index : wxNOT_FOUND;
    if (list->GetSelection() != shown) list->SetSelection(shown);
  });
}

wxChoice* PropertyDialog::List(wxWindow* parent, const std::vector<std::string>& items,
                               int& index) {
  wxArrayString texts;
  for (const std::string& item : items) texts.Add(ToWx(item));
  auto* list = new wxChoice(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, texts);
  BindSelection(list, wxEVT_CHOICE, index);
  return list;
}

wxListBox* PropertyDialog::ListBox(wxWindow* parent, const std::vector<std::string>& items,
                                   int& index) {
  wxArrayString texts;
  for (const std::string& item : items) texts.Add(ToWx(item));
  auto* list = new wxListBox(parent, wxID_ANY, wxDefaultPosition, wxSize(160, 180), texts);
  BindSelection(list, wxEVT_LISTBOX, index);
  return list;
}

ColourSwatch* PropertyDialog::Swatch(wxWindow* parent, Long& colour,
                                     std::function<void(Long)> chosen) {
  auto* swatch = new ColourSwatch(parent, colour, Colours(), [this, chosen](Long c) {
    if (chosen) chosen(c);
    Changed();
  });
  swatch->SetName("swatch");
  return swatch;
}

wxSlider* PropertyDialog::Slider(wxWindow* parent, int& value, int low, int high) {
  auto* slider =
      new wxSlider(parent, wxID_ANY, value, low, high, wxDefaultPosition, wxSize(200, -1));
  slider->Bind(wxEVT_SLIDER, [this, slider, &value](wxCommandEvent&) {
    value = slider->GetValue();
    Changed();
  });
  readers_.push_back([slider, &value] {
    if (slider->GetValue() != value) slider->SetValue(value);
  });
  return slider;
}

wxButton* PropertyDialog::Button(wxWindow* parent, const char* label,
                                 std::function<void()> clicked) {
  auto* button =
      new wxButton(parent, wxID_ANY, ToWx(label), wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
  button->Bind(wxEVT_BUTTON, [this, clicked](wxCommandEvent&) {
    clicked();
    Changed();
  });
  return button;
}

void PropertyDialog::Row(wxFlexGridSizer* grid, wxWindow* label, wxWindow* control) {
  grid->Add(label, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
  grid->Add(control, 0, wxALIGN_CENTER_VERTICAL);
}

void PropertyDialog::EnableWhen(wxWindow* control, std::function<bool()> rule) {
  rules_.push_back([control, rule] { control->Enable(rule()); });
}

void PropertyDialog::ShowWhen(wxWindow* control, std::function<bool()> rule) {
  rules_.push_back([this, control, rule] {
    const bool shown = rule();
    if (control->IsShown() == shown) return;
    control->Show(shown);
    if (GetSizer() != nullptr) Layout();
  });
}

void PropertyDialog::Reread() {
  if (refreshing_) return;
  refreshing_ = true;
  for (const auto& read : readers_) read();
  for (const auto& rule : rules_) rule();
  refreshing_ = false;
}

void PropertyDialog::OnCharHook(wxKeyEvent& event) {
  // Return presses OK wherever the focus is, but on a button, which Return
  // presses itself: the toolkit would open a focused drop-down list instead.
  const int key = event.GetKeyCode();
  if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && !event.HasAnyModifiers() &&
      dynamic_cast<wxButton*>(FindFocus()) == nullptr && EmulateButtonClickIfPresent(wxID_OK))
    return;
  // Escape goes on to the dialog's own handling, which presses Cancel.
  event.Skip();
}

void PropertyDialog::Changed() {
  if (refreshing_) return;
  for (const auto& update : updates_) update();
  Reread();
}

ColourChooserService& PropertyDialog::Colours() {
  if (choosers_.colours != nullptr) return *choosers_.colours;
  if (!ownColours_) ownColours_ = std::make_unique<WxColourChooser>(this);
  return *ownColours_;
}

FontChooserService& PropertyDialog::Fonts() {
  if (choosers_.fonts != nullptr) return *choosers_.fonts;
  if (!ownFonts_) ownFonts_ = std::make_unique<WxFontChooser>(this);
  return *ownFonts_;
}

FileDialogService& PropertyDialog::Files() {
  if (choosers_.files != nullptr) return *choosers_.files;
  if (!ownFiles_) ownFiles_ = std::make_unique<WxFileDialogService>(this);
  return *ownFiles_;
}

bool PropertyDialog::Run(std::function<bool()> ok) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  // Wide enough for the caption and for every tab to show without
  // scrolling. The room is asked of the dialog's sizer, not of the notebook:
  // a minimum width of the notebook would override its pages' own and
  // squeeze their rows, leaving the last controls at no width.
  int least = CaptionWidth(*this);
  if (notebook_ != nullptr) {
    int tabs = 0;
    for (size_t page = 0; page < notebook_->GetPageCount(); ++page)
      tabs += notebook_->GetTextExtent(notebook_->GetPageText(page)).x + kTabPadding;
    least = std::max(least, tabs + 2 * kGap);
    top->Add(notebook_, 1, wxEXPAND | wxALL, kGap);
  }
  if (body_ != nullptr) top->Add(body_, 1, wxEXPAND | wxALL, kGap);
  auto* buttons = new wxStdDialogButtonSizer;
  auto* okButton = new wxButton(this, wxID_OK, "OK");
  auto* cancelButton = new wxButton(this, wxID_CANCEL, "Cancel");
  buttons->AddButton(okButton);
  buttons->AddButton(cancelButton);
  buttons->Realize();
  top->Add(buttons, 0, wxEXPAND | wxALL, kGap);
  top->SetMinSize(wxSize(least, -1));
  okButton->Bind(wxEVT_BUTTON, [this, ok](wxCommandEvent&) {
    // A refused entry has shown its message: the dialog stays open.
    if (ok()) EndModal(wxID_OK);
  });
  cancelButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CANCEL); });
  okButton->SetDefault();
  SetAffirmativeId(wxID_OK);
  SetEscapeId(wxID_CANCEL);
  Bind(wxEVT_CHAR_HOOK, &PropertyDialog::OnCharHook, this);
  SetSizerAndFit(top);
  Reread();
  Layout();
  Fit();
  CentreOnParent();
  return ShowModal() == wxID_OK;
}

std::vector<std::string> CountList(int count) {
  std::vector<std::string> items;
  for (int k = 1; k <= count; ++k) items.push_back(CStr(k));
  return items;
}

std::vector<std::string> MaterialNames() {
  std::vector<std::string> names;
  for (Long kind = 1; kind <= MaterialPreset::kPresetCount; ++kind)
    names.push_back(MaterialPreset::PresetName(kind));
  return names;
}

}  // namespace qv
