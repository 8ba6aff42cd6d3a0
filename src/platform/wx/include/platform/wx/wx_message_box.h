// The message-box service over wxMessageDialog.
#pragma once

#include <wx/window.h>

#include "platform/message_box.h"

namespace qv {

class WxMessageBox final : public MessageBoxService {
 public:
  // parent may be null (the box is then centred on the screen).
  explicit WxMessageBox(wxWindow* parent) : parent_(parent) {}
  // Converts text and title from Windows-1252 and shows a modal box.
  MsgAnswer Show(const std::string& text, const std::string& title, MsgIcon icon,
                 MsgButtons buttons) override;

  // The answer for the dialog's return code: a closed box counts as Cancel
  // where there is one, otherwise as the last button.
  static MsgAnswer AnswerFor(int returnCode, MsgButtons buttons);
  // The wxMessageDialog style bits for icon and buttons.
  static long StyleFor(MsgIcon icon, MsgButtons buttons);

 private:
  wxWindow* parent_;
};

}  // namespace qv
