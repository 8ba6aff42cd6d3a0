#include <vector>

#include "enable_patterns.h"
#include "window/main_window_core.h"

namespace qv {

// Long work

WorkEnd MainWindowCore::WindowWork::Run(const WorkJob& job, MessageBoxService& messages) {
  MainWindowCore& core = core_;
  // Work that starts while work runs (nothing should start it) runs at once.
  if (core.working_) return ImmediateWorkRunner().Run(job, messages);
  core.working_ = true;
  const std::vector<bool> before = DisableDataCommands(core.commandStates_);
  core.view_.ShowLongWork(true);
  auto end = [&] {
    RestoreDataCommands(core.commandStates_, before);
    core.working_ = false;
    core.view_.ShowLongWork(false);
    if (core.closeAfterWork_) {
      core.closeAfterWork_ = false;
      core.view_.CloseWindowLater();
    }
  };
  WorkEnd result = WorkEnd::Failed;
  try {
    result = core.services_.work.Run(job, messages);
  } catch (...) {
    end();
    throw;
  }
  end();
  return result;
}

MsgAnswer MainWindowCore::QuietWhileClosing::Show(const std::string& text, const std::string& title,
                                                  MsgIcon icon, MsgButtons buttons) {
  // What the stopped work's caller says of it (a document that did not open)
  // is no news to the user who closed the window.
  if (core_.quietUntilClose_ && buttons == MsgButtons::OK) return MsgAnswer::OK;
  return core_.services_.messages.Show(text, title, icon, buttons);
}

}  // namespace qv
