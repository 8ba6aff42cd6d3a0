// The colour and font choosers over wxColourDialog and wxFontDialog.
#pragma once

#include <wx/window.h>

#include "platform/colour_chooser.h"
#include "platform/font_chooser.h"

namespace qv {

class WxColourChooser final : public ColourChooserService {
 public:
  // Shown over parent (may be null), which must outlive the chooser.
  explicit WxColourChooser(wxWindow* parent) : parent_(parent) {}
  std::optional<Long> ChooseColour(Long initial) override;

 private:
  wxWindow* parent_;
};

class WxFontChooser final : public FontChooserService {
 public:
  // Shown over parent (may be null), which must outlive the chooser.
  explicit WxFontChooser(wxWindow* parent) : parent_(parent) {}
  std::optional<FontChoice> ChooseFont(const FontChoice& initial) override;

 private:
  wxWindow* parent_;
};

}  // namespace qv
