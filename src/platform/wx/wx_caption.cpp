#include "platform/wx/wx_caption.h"

#include <wx/settings.h>

namespace qv {

namespace {

// A title bar's close button and the padding on both sides of the caption;
// the caption is centred, so the button's room counts on both sides.
constexpr int kTitleBarRoom = 100;

}  // namespace

int CaptionWidth(const wxTopLevelWindow& window) {
  // Window managers draw captions bold in about the GUI font's size.
  const wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold();
  int width = 0;
  int height = 0;
  window.GetTextExtent(window.GetTitle(), &width, &height, nullptr, nullptr, &font);
  return width + kTitleBarRoom;
}

}  // namespace qv
