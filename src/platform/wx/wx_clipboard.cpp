#include "platform/wx/wx_clipboard.h"

#include <wx/bitmap.h>
#include <wx/clipbrd.h>
#include <wx/imagpng.h>
#include <wx/mstream.h>

#include "wx_image.h"

namespace qv {

namespace {

// Opens the clipboard for the lifetime of the object.
class OpenClipboard {
 public:
  OpenClipboard() : open_(wxTheClipboard->Open()) {}
  ~OpenClipboard() {
    if (open_) wxTheClipboard->Close();
  }
  OpenClipboard(const OpenClipboard&) = delete;
  OpenClipboard& operator=(const OpenClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

}  // namespace

bool WxClipboard::SetText(const std::string& utf8) {
  OpenClipboard clipboard;
  if (!clipboard.IsOpen()) return false;
  return wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(utf8)));
}

std::optional<std::string> WxClipboard::Text() {
  OpenClipboard clipboard;
  if (!clipboard.IsOpen() || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT)) return std::nullopt;
  wxTextDataObject data;
  if (!wxTheClipboard->GetData(data)) return std::nullopt;
  return data.GetText().utf8_string();
}

bool WxClipboard::SetPicture(const RgbaImage& picture) {
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height * 4)
    return false;
  // The toolkit offers a bitmap as PNG, which needs the PNG handler.
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
  const wxImage image = ImageOf(picture);
  // The toolkit offers the bitmap as PNG; programs that take only BMP find
  // the same picture as a BMP file's bytes beside it.
  wxMemoryOutputStream bmp;
  if (!image.SaveFile(bmp, wxBITMAP_TYPE_BMP)) return false;
  auto* bmpData = new wxCustomDataObject(wxDataFormat("image/bmp"));
  bmpData->SetData(bmp.GetLength(), bmp.GetOutputStreamBuffer()->GetBufferStart());
  auto* both = new wxDataObjectComposite;
  both->Add(new wxBitmapDataObject(wxBitmap(image)), true);
  both->Add(bmpData);
  OpenClipboard clipboard;
  if (!clipboard.IsOpen()) {
    delete both;
    return false;
  }
  return wxTheClipboard->SetData(both);
}

void WxClipboard::KeepAfterExit() { wxTheClipboard->Flush(); }

}  // namespace qv
