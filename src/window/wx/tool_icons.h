// The pictures of the toolbar's buttons, drawn as XPM files in
// resources/icons (one per button key) and compiled into the program, so
// that none is looked up at run time.
#pragma once

#include <string_view>

namespace qv {

// The XPM picture of the button with key ("barOpen"), or nullptr when the
// button has none.
const char* const* ToolIcon(std::string_view key);

}  // namespace qv
