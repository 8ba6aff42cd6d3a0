// The room a window's caption takes in the window manager's title bar, so
// that a narrow dialog does not cut its caption to "Delaun...angles".
#pragma once

#include <wx/toplevel.h>

namespace qv {

// The least width in pixels that shows window's caption whole in its title
// bar: the caption in the bold GUI font, beside the title bar's buttons.
int CaptionWidth(const wxTopLevelWindow& window);

}  // namespace qv
