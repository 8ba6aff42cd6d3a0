#include "window/wx/about_dialog.h"

#include <wx/button.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "platform/wx/wx_caption.h"

namespace qv {

namespace {

// One line of the separator, one pixel high.
wxWindow* Rule(wxWindow* parent, const wxColour& colour) {
  auto* line = new wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(-1, 1));
  line->SetBackgroundColour(colour);
  return line;
}

}  // namespace

std::string ProgramVersion() { return QV_VERSION; }

AboutDialog::AboutDialog(wxWindow* parent, const std::string& address,
                         std::function<void()> openHome)
    : wxDialog(parent, wxID_ANY, "About Quorvel") {
  title_ = new wxStaticText(this, wxID_ANY, "Quorvel");
  wxFont font(wxFontInfo(15.75).FaceName("Times New Roman").Bold());
  title_->SetFont(font);
  version_ = new wxStaticText(this, wxID_ANY, "Version " + ProgramVersion());
  address_ = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(address));
  address_->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
  address_->SetCursor(wxCursor(wxCURSOR_HAND));
  address_->Bind(wxEVT_LEFT_UP, [open = std::move(openHome)](wxMouseEvent&) {
    if (open) open();
  });
  ok_ = new wxButton(this, wxID_OK, "O K");

  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(title_, 0, wxLEFT | wxRIGHT | wxTOP, 12);
  column->Add(version_, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT, 12);
  column->AddSpacer(8);
  column->Add(Rule(this, wxColour(128, 128, 128)), 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
  column->Add(Rule(this, *wxWHITE), 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
  column->AddSpacer(8);
  column->Add(address_, 0, wxLEFT | wxRIGHT, 12);
  column->Add(ok_, 0, wxALIGN_RIGHT | wxALL, 12);
  column->SetMinSize(wxSize(CaptionWidth(*this), -1));
  SetSizerAndFit(column);
  ok_->SetDefault();
}

}  // namespace qv
