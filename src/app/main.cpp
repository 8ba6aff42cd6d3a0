// The program: the main window over the whole command line as one document
// path.
#include <wx/app.h>
#include <wx/init.h>

#include <string>

#include "documents/file_commands.h"
#include "platform/gl_context.h"
#include "window/wx/main_frame.h"

namespace {

class QuorvelApp final : public wxApp {
 public:
  explicit QuorvelApp(std::string commandLine) : commandLine_(std::move(commandLine)) {}

  // The base class would parse the command line as options; here it is a
  // path, whatever it holds.
  bool OnInit() override {
    SetAppName("Quorvel");
    auto* frame = new qv::MainFrame();
    SetTopWindow(frame);
    frame->Start(commandLine_);
    return true;
  }

 private:
  std::string commandLine_;
};

}  // namespace

int main(int argc, char** argv) {
  // Before the toolkit starts: the GL and display settings the window needs.
  qv::PrepareGlEnvironment();
  qv::PrepareToolkitEnvironment();
  const std::string commandLine = qv::CommandLinePath(argc, argv);
  wxApp::SetInstance(new QuorvelApp(commandLine));
  // The toolkit takes its own options (such as --display) from the line as well.
  return wxEntry(argc, argv);
}
