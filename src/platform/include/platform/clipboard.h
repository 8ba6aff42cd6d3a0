// The desktop's clipboard: text in and out, and a picture out. The window
// injects the toolkit's implementation; tests inject a scripted fake.
#pragma once

#include <optional>
#include <string>

#include "platform/rgba_image.h"

namespace qv {

class ClipboardService {
 public:
  virtual ~ClipboardService() = default;
  // Replaces the clipboard's content by text (UTF-8). False when the
  // clipboard could not be opened.
  virtual bool SetText(const std::string& utf8) = 0;
  // The clipboard's text (UTF-8); nullopt when it holds none or could not be
  // opened.
  virtual std::optional<std::string> Text() = 0;
  // Replaces the clipboard's content by picture (rows bottom-up, as read from
  // GL; the alpha bytes are not used). False when it could not be put there.
  virtual bool SetPicture(const RgbaImage& picture) = 0;
  // Hands what this program put on the clipboard to the desktop's clipboard
  // keeper, so that it can still be pasted after the program has ended.
  // Called once as the program ends; nothing happens where there is none.
  virtual void KeepAfterExit() = 0;
};

}  // namespace qv
