// The drawn images of the Draw menu's and the View menu's toolbar buttons.
#pragma once

#include <string_view>

namespace qv {

// The XPM image of the button with key (e.g. "barSurface"), nullptr for a
// key that has none here.
const char* const* DrawViewIcon(std::string_view key);

}  // namespace qv
