// The clipboard service over wxTheClipboard. A picture goes there as a
// bitmap, which the desktop's programs can take as PNG or BMP.
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
