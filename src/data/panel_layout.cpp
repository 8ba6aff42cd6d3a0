#include "data/panel_layout.h"

#include "data/data_panel.h"

namespace qv {

std::optional<PanelLayout> LayoutOfKind(Long kind) {
  switch (kind) {
    case kRegularSurface:
    case kRegularCylindrical:
    case kRegularSpherical: return PanelLayout{false, false, 0, {1, 2}, {}, {1, 2}};
    case kRegularVolume: return PanelLayout{false, true, 0, {1, 2, 4}, {}, {1, 2, 4}};
    case kIrregularSurface:
    case kIrregularSpherical:
      return PanelLayout{true, false, 3, {4, 7}, {1, 2, 5, 6}, {3, 4, 7, 1, 2, 5, 6}};
    case kIrregularCylindrical:
      // The second coordinate of cylindrical data is the height, in row 4.
      return PanelLayout{true, false, 3, {4, 10}, {1, 2, 8, 9}, {3, 4, 10, 1, 2, 8, 9}};
    case kIrregularVolume:
      return PanelLayout{
          true, true, 3, {4, 7, 10}, {1, 2, 5, 6, 8, 9}, {3, 4, 7, 10, 1, 2, 5, 6, 8, 9}};
    default: return std::nullopt;
  }
}

}  // namespace qv
