#include "platform/wx/wx_choosers.h"

#include <wx/colordlg.h>
#include <wx/fontdlg.h>

namespace qv {

std::optional<Long> WxColourChooser::ChooseColour(Long initial) {
  wxColourData data;
  data.SetChooseFull(true);
  data.SetColour(wxColour(static_cast<unsigned char>(initial & 0xFF),
                          static_cast<unsigned char>((initial >> 8) & 0xFF),
                          static_cast<unsigned char>((initial >> 16) & 0xFF)));
  wxColourDialog dialog(parent_, &data);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  const wxColour colour = dialog.GetColourData().GetColour();
  return static_cast<Long>(colour.Red()) + 256 * static_cast<Long>(colour.Green()) +
         65536 * static_cast<Long>(colour.Blue());
}

std::optional<FontChoice> WxFontChooser::ChooseFont(const FontChoice& initial) {
  wxFontData data;
  if (!initial.face.empty()) {
    wxFont font(wxFontInfo(initial.size > 0.0 ? initial.size : 10.0)
                    .FaceName(wxString::FromUTF8(initial.face)));
    if (font.IsOk()) data.SetInitialFont(font);
  }
  wxFontDialog dialog(parent_, data);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  const wxFont font = dialog.GetFontData().GetChosenFont();
  if (!font.IsOk()) return std::nullopt;
  return FontChoice{font.GetFaceName().utf8_string(), font.GetFractionalPointSize()};
}

}  // namespace qv
