#include "dialogs/dialog_context.h"

namespace qv {

bool RefuseEntry(MessageBoxService& messages) {
  messages.Show(kIllegalDataMessage, "Error", MsgIcon::Exclamation, MsgButtons::OK);
  return false;
}

}  // namespace qv
