// The message-box service. The program shows every failure, question and note
// through it; the window injects the toolkit's implementation and tests inject
// a scripted fake.
#pragma once

#include <string>

namespace qv {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgAnswer { OK, Cancel, Yes, No };

class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  // Shows text (Windows-1252) under title with the icon and buttons, waits for
  // the user and returns the button chosen. Closing the box counts as Cancel
  // where there is one, otherwise as the last button.
  virtual MsgAnswer Show(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) = 0;
};

}  // namespace qv
