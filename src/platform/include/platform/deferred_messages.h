// A message box for work off the window thread: it keeps what it is asked to
// show, answers OK at once, and shows it all later, in order, through the
// window's own message box.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace qv {

class DeferredMessages final : public MessageBoxService {
 public:
  // Keeps the message; any thread may call it. Every question gets OK.
  MsgAnswer Show(const std::string& text, const std::string& title, MsgIcon icon,
                 MsgButtons buttons) override;
  // Shows the kept messages through target, in the order they came, and
  // forgets them. Call it on target's thread.
  void ShowThrough(MessageBoxService& target);
  // Forgets the kept messages unshown (the work was stopped).
  void Forget();
  bool Empty() const;
  // The text of the first kept message, "" when none is kept.
  std::string FirstText() const;

 private:
  struct Kept {
    std::string text;
    std::string title;
    MsgIcon icon;
    MsgButtons buttons;
  };
  mutable std::mutex mutex_;
  std::vector<Kept> kept_;
};

}  // namespace qv
