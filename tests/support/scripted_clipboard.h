// A clipboard for tests: holds what was put on it, answers as scripted (a
// clipboard that opens, unless told otherwise) and counts the hand-overs at
// exit.
#pragma once

#include <optional>
#include <string>

#include "platform/clipboard.h"

namespace qv::test {

class ScriptedClipboard final : public ClipboardService {
 public:
  // Whether the clipboard can be opened (both ways).
  void SetOpens(bool opens) { opens_ = opens; }
  // Puts text there as another program would (UTF-8); nullopt empties it.
  void Hold(std::optional<std::string> text) {
    text_ = std::move(text);
    picture_.reset();
  }

  bool SetText(const std::string& utf8) override {
    if (!opens_) return false;
    Hold(utf8);
    ++writes_;
    return true;
  }
  std::optional<std::string> Text() override { return opens_ ? text_ : std::nullopt; }
  bool SetPicture(const RgbaImage& picture) override {
    if (!opens_) return false;
    text_.reset();
    picture_ = picture;
    ++writes_;
    return true;
  }
  void KeepAfterExit() override { ++kept_; }

  const std::optional<RgbaImage>& Picture() const { return picture_; }
  // Successful writes of text or a picture.
  int Writes() const { return writes_; }
  int Kept() const { return kept_; }

 private:
  bool opens_ = true;
  std::optional<std::string> text_;
  std::optional<RgbaImage> picture_;
  int writes_ = 0;
  int kept_ = 0;
};

}  // namespace qv::test
