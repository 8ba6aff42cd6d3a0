#include "dialogs/view_dialog.h"

#include <optional>

#include "dialogs/dialog_context.h"
#include "entry_text.h"

namespace qv {

ViewDialogModel::ViewDialogModel(Camera& camera, std::array<double, 6>& bounds,
                                 MessageBoxService& messages)
    : camera_(camera), bounds_(bounds), messages_(messages) {
  for (std::size_t k = 0; k < texts.size(); ++k) texts[k] = FormatDouble(bounds[k]);
  perspective = camera.ProjectType == 2;
}

bool ViewDialogModel::Ok() {
  std::array<double, 6> read{};
  for (std::size_t k = 0; k < texts.size(); ++k) {
    std::string cleaned;
    const std::optional<double> value = ReadRealBox(texts[k], &cleaned);
    if (!value) return RefuseEntry(messages_);
    texts[k] = cleaned;
    read[k] = *value;
  }
  camera_.ProjectType = perspective ? 2 : 1;
  bounds_ = read;
  return true;
}

}  // namespace qv
