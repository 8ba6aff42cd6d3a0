// A message-box service for tests: records every box shown and answers from a
// script (the default answer when the script runs out).
#pragma once

#include <deque>
#include <functional>
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
  // Runs at every box, while it would be up: for looking at what the user
  // sees behind it.
  void OnShow(std::function<void()> hook) { onShow_ = std::move(hook); }

 private:
  std::deque<MsgAnswer> answers_;
  std::vector<ShownMessage> shown_;
  std::function<void()> onShow_;
};

}  // namespace qv::test
