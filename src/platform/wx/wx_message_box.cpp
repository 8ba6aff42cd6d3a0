#include "platform/wx/wx_message_box.h"

#include <wx/msgdlg.h>

#include "platform/wx/wx_text.h"

namespace qv {

namespace {

MsgAnswer LastButton(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::OK: return MsgAnswer::OK;
    case MsgButtons::YesNo: return MsgAnswer::No;
    default: return MsgAnswer::Cancel;
  }
}

}  // namespace

MsgAnswer WxMessageBox::AnswerFor(int returnCode, MsgButtons buttons) {
  switch (returnCode) {
    case wxID_OK: return MsgAnswer::OK;
    case wxID_YES: return MsgAnswer::Yes;
    case wxID_NO: return MsgAnswer::No;
    default: return LastButton(buttons);
  }
}

long WxMessageBox::StyleFor(MsgIcon icon, MsgButtons buttons) {
  long style = 0;
  switch (buttons) {
    case MsgButtons::OK: style = wxOK; break;
    case MsgButtons::OKCancel: style = wxOK | wxCANCEL; break;
    case MsgButtons::YesNo: style = wxYES_NO; break;
    case MsgButtons::YesNoCancel: style = wxYES_NO | wxCANCEL; break;
  }
  switch (icon) {
    case MsgIcon::None: style |= wxICON_NONE; break;
    case MsgIcon::Critical: style |= wxICON_ERROR; break;
    case MsgIcon::Question: style |= wxICON_QUESTION; break;
    case MsgIcon::Exclamation: style |= wxICON_WARNING; break;
    case MsgIcon::Information: style |= wxICON_INFORMATION; break;
  }
  return style;
}

MsgAnswer WxMessageBox::Show(const std::string& text, const std::string& title, MsgIcon icon,
                             MsgButtons buttons) {
  wxMessageDialog dialog(parent_, ToWx(text), ToWx(title), StyleFor(icon, buttons));
  return AnswerFor(dialog.ShowModal(), buttons);
}

}  // namespace qv
