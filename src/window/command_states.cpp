#include "window/command_states.h"

namespace qv {

CommandStates::CommandStates() {
  menus_.fill(true);
  buttons_.fill(true);
}

void CommandStates::SetMenuEnabled(MenuItem item, bool enabled) {
  const int index = static_cast<int>(item);
  if (index < 0 || index >= kMenuItemCount) return;
  menus_[static_cast<std::size_t>(index)] = enabled;
  if (listener_) listener_({item, 0, enabled});
}

bool CommandStates::MenuEnabled(MenuItem item) const {
  const int index = static_cast<int>(item);
  if (index < 0 || index >= kMenuItemCount) return false;
  return menus_[static_cast<std::size_t>(index)];
}

void CommandStates::SetButtonEnabled(int button, bool enabled) {
  if (button < 1 || button > kToolbarButtonCount) return;
  buttons_[static_cast<std::size_t>(button)] = enabled;
  if (listener_) listener_({MenuItem::kCount, button, enabled});
}

bool CommandStates::ButtonEnabled(int button) const {
  if (button < 1 || button > kToolbarButtonCount) return false;
  return buttons_[static_cast<std::size_t>(button)];
}

}  // namespace qv
