// A message-box service for tests: records every box shown and answers from a
// script (the default answer when the script runs out).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace qv::test {

struct ShownMessage {
  std::string text;
  std::string title;
  MsgIcon icon;
  MsgButtons buttons;
};

class ScriptedMessageBox final : public MessageBoxService {
 public:
  // Answers given in order; when they run out, OK for OK boxes, Cancel for
  // OKCancel and YesNoCancel, and No for YesNo.
  void Script(std::vector<MsgAnswer> answers) { answers_.assign(answers.begin(), answers.end()); }

  MsgAnswer Show(const std::string& text, const std::string& title, MsgIcon icon,
                 MsgButtons buttons) override;

  const std::vector<ShownMessage>& Shown() const { return shown_; }
  // The texts shown, in order.
  std::vector<std::string> Texts() const;
  void Clear() { shown_.clear(); }

 private:
  std::deque<MsgAnswer> answers_;
  std::vector<ShownMessage> shown_;
};

}  // namespace qv::test
