// Which menu items and toolbar buttons are enabled. The window's logic writes
// here; the widget layer mirrors the states onto the real menus and toolbar
// (it is told through the listener), so the patterns are testable without a
// display.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "window/menu_item.h"

namespace qv {

class CommandStates {
 public:
  // One change: a menu item (button == 0) or a toolbar button (item unused).
  struct Change {
    MenuItem item;
    int button;
    bool enabled;
  };
  using Listener = std::function<void(const Change&)>;

  // Every item and button starts enabled, as a freshly made window has them.
  CommandStates();

  void SetMenuEnabled(MenuItem item, bool enabled);
  bool MenuEnabled(MenuItem item) const;
  // button: toolbar index 1..kToolbarButtonCount; other indices are ignored
  // (set) or read as disabled (get).
  void SetButtonEnabled(int button, bool enabled);
  bool ButtonEnabled(int button) const;

  // Called on every Set*, also when the state does not change, in call order.
  void SetListener(Listener listener) { listener_ = std::move(listener); }

 private:
  std::array<bool, kMenuItemCount> menus_{};
  std::array<bool, kToolbarButtonCount + 1> buttons_{};
  Listener listener_;
};

}  // namespace qv
