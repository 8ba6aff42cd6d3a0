// The font chooser of the axis dialog. The dialog uses the toolkit's
// implementation; tests inject a scripted fake.
#pragma once

#include <optional>
#include <string>

namespace qv {

// A face and a size in points, as the font chooser gives them.
struct FontChoice {
  // The face's name (UTF-8); empty before any choice.
  std::string face;
  double size = 0.0;
};

class FontChooserService {
 public:
  virtual ~FontChooserService() = default;
  // Shows the chooser starting from initial and waits for the user. Returns
  // the chosen face and size, or nullopt when it was cancelled (the caller
  // then changes nothing).
  virtual std::optional<FontChoice> ChooseFont(const FontChoice& initial) = 0;
};

}  // namespace qv
