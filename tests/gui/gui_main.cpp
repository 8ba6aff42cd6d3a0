// The main of the widget tests: runs the tests inside a wxApp, so that real
// windows can be made, and fails the running test on any wxWidgets assert
// (the default handler opens a modal dialog, which hangs under Xvfb).
#include <wx/app.h>
#include <wx/init.h>

#include <gtest/gtest.h>

#include "platform/gl_context.h"
#include "window/wx/main_frame.h"

namespace {

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg) {
  ADD_FAILURE_AT(file.utf8_str().data(), line)
      << "wxWidgets assert in " << func.utf8_str().data() << ": " << cond.utf8_str().data() << " "
      << msg.utf8_str().data();
}

class GuiTestApp : public wxApp {
 public:
  // wxApp::OnInit would parse the command line, which gtest has already taken.
  bool OnInit() override { return true; }
  int OnRun() override { return RUN_ALL_TESTS(); }
};

}  // namespace

int main(int argc, char** argv) {
  qv::PrepareGlEnvironment();
  qv::PrepareToolkitEnvironment();
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no display (test discovery may run without one).
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  wxSetAssertHandler(FailOnAssert);
  wxApp::SetInstance(new GuiTestApp);
  // wxEntry returns OnRun's result, or non-zero when the toolkit cannot start.
  return wxEntry(argc, argv);
}
