// The colour chooser of the property dialogs' swatches. The dialogs use the
// toolkit's implementation; tests inject a scripted fake.
#pragma once

#include <optional>

#include "platform/runtime.h"

namespace qv {

class ColourChooserService {
 public:
  virtual ~ColourChooserService() = default;
  // Shows the chooser starting from initial (a packed colour R + 256*G +
  // 65536*B) and waits for the user. Returns the chosen packed colour, or
  // nullopt when the chooser was cancelled (the caller then changes nothing).
  virtual std::optional<Long> ChooseColour(Long initial) = 0;
};

}  // namespace qv
