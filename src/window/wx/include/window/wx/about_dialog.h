// Help > About...: the program's name, its version and the address of its
// home page, which a click opens (the box stays open).
#pragma once

#include <functional>
#include <string>

#include <wx/dialog.h>

class wxButton;
class wxStaticText;

namespace qv {

// The version of this build ("0.1").
std::string ProgramVersion();

class AboutDialog final : public wxDialog {
 public:
  // openHome runs at every click on the address.
  AboutDialog(wxWindow* parent, const std::string& address, std::function<void()> openHome);

  wxStaticText* Title() { return title_; }
  wxStaticText* Version() { return version_; }
  wxStaticText* Address() { return address_; }
  wxButton* OkButton() { return ok_; }

 private:
  wxStaticText* title_ = nullptr;
  wxStaticText* version_ = nullptr;
  wxStaticText* address_ = nullptr;
  wxButton* ok_ = nullptr;
};

}  // namespace qv
