#include "support/scripted_message_box.h"

namespace qv::test {

MsgAnswer ScriptedMessageBox::Show(const std::string& text, const std::string& title, MsgIcon icon,
                                   MsgButtons buttons) {
  shown_.push_back({text, title, icon, buttons});
  if (onShow_) onShow_();
  if (!answers_.empty()) {
    const MsgAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  switch (buttons) {
    case MsgButtons::OK: return MsgAnswer::OK;
    case MsgButtons::YesNo: return MsgAnswer::No;
    default: return MsgAnswer::Cancel;
  }
}

std::vector<std::string> ScriptedMessageBox::Texts() const {
  std::vector<std::string> texts;
  for (const auto& m : shown_) texts.push_back(m.text);
  return texts;
}

}  // namespace qv::test
