// The clipboard service over wxTheClipboard. A picture goes there as a
// bitmap (which the toolkit offers as PNG) and as the bytes of a BMP file.
#pragma once

#include "platform/clipboard.h"

namespace qv {

class WxClipboard final : public ClipboardService {
 public:
  bool SetText(const std::string& utf8) override;
  std::optional<std::string> Text() override;
  bool SetPicture(const RgbaImage& picture) override;
  void KeepAfterExit() override;
};

}  // namespace qv
