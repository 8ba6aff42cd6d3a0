// Placeholder start: an empty main window until the real one exists.
#include <wx/wx.h>

class QuorvelApp : public wxApp {
 public:
  bool OnInit() override {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Quorvel", wxDefaultPosition, wxSize(800, 600));
    frame->Show();
    return true;
  }
};

wxIMPLEMENT_APP(QuorvelApp);
