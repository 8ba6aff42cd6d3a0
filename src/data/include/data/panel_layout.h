// Which boxes of the data panel hold what, per data kind. The validation, the
// record writer and the reader of the data set share this one table.
#pragma once

#include <optional>
#include <vector>

#include "platform/runtime.h"

namespace qv {

struct PanelLayout {
  bool irregular = false;
  bool volume = false;
  // Box of the point count (irregular kinds), 0 for none.
  int pointsBox = 0;
  // Boxes of the node counts along the first, second (and third) axis.
  std::vector<int> rowBoxes;
  // Boxes of the bounds: min and max of the first axis, then of the second,
  // then of the third (irregular kinds only).
  std::vector<int> boundBoxes;
  // The boxes in the order the data-set record writes them.
  std::vector<int> recordBoxes;
};

// The layout of data kind 0..7; nullopt for any other index.
std::optional<PanelLayout> LayoutOfKind(Long kind);

}  // namespace qv
