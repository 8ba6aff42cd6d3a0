// The Demo menu's commands.
#include "window/demo_samples.h"
#include "window/main_window_core.h"

namespace qv {

bool MainWindowCore::RunDemoCommand(MenuItem item) {
  const std::optional<std::string_view> file = DemoSampleFile(item);
  if (!file) return false;
  if (commands_ == nullptr) return true;
  const std::string path = DemoSamplePath(programFolder_, *file);
  // The open sets FitPending itself, once the sample has replaced the
  // document: a refused sample leaves the view as it was.
  AsOneLoad([&] { commands_->OpenSample(path); });
  view_.ModelsChanged();
  return true;
}

}  // namespace qv
