// Colour and font choosers for tests: record every request and answer from a
// script (a cancelled chooser when the script runs out).
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "platform/colour_chooser.h"
#include "platform/font_chooser.h"

namespace qv::test {

class ScriptedColourChooser final : public ColourChooserService {
 public:
  // Appends one answer: a colour, or nullopt for a cancelled chooser.
  void Answer(std::optional<Long> colour) { answers_.push_back(colour); }

  std::optional<Long> ChooseColour(Long initial) override {
    requests.push_back(initial);
    if (answers_.empty()) return std::nullopt;
    const std::optional<Long> answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  // The initial colours of the requests, in order.
  std::vector<Long> requests;

 private:
  std::deque<std::optional<Long>> answers_;
};

class ScriptedFontChooser final : public FontChooserService {
 public:
  void Answer(std::optional<FontChoice> font) { answers_.push_back(std::move(font)); }

  std::optional<FontChoice> ChooseFont(const FontChoice&) override {
    ++requests;
    if (answers_.empty()) return std::nullopt;
    std::optional<FontChoice> answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  int requests = 0;

 private:
  std::deque<std::optional<FontChoice>> answers_;
};

}  // namespace qv::test
