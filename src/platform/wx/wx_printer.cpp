#include "platform/wx/wx_printer.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <wx/dcgraph.h>
#include <wx/graphics.h>
#include <wx/print.h>

#include <algorithm>

#include "wx_image.h"

namespace qv {

namespace {

// A4 in PostScript points.
constexpr double kA4Width = 595.0;
constexpr double kA4Height = 842.0;

// One page: the picture placed by PlaceOnPage on the printable area.
class PicturePrintout final : public wxPrintout {
 public:
  explicit PicturePrintout(const wxImage& image) : wxPrintout("Quorvel"), bitmap_(image) {}

  bool OnPrintPage(int page) override {
    wxDC* dc = GetDC();
    if (page != 1 || dc == nullptr) return false;
    int width = 0;
    int height = 0;
    GetPageSizePixels(&width, &height);
    const wxRect2DDouble at =
        WxPrinter::PlaceOnPage(width, height, bitmap_.GetWidth(), bitmap_.GetHeight());
    const double scale = at.m_width / bitmap_.GetWidth();
    dc->SetUserScale(scale, scale);
    dc->DrawBitmap(bitmap_, wxRound(at.m_x / scale), wxRound(at.m_y / scale));
    dc->SetUserScale(1.0, 1.0);
    return true;
  }
  bool HasPage(int page) override { return page == 1; }
  void GetPageInfo(int* minPage, int* maxPage, int* selFrom, int* selTo) override {
    *minPage = *maxPage = *selFrom = *selTo = 1;
  }

 private:
  wxBitmap bitmap_;
};

bool Usable(const RgbaImage& picture) {
  return picture.width > 0 && picture.height > 0 &&
         picture.pixels.size() == static_cast<std::size_t>(picture.width) * picture.height * 4;
}

}  // namespace

WxPrinter WxPrinter::ToPdfFile(const std::string& path) { return WxPrinter(nullptr, path); }

wxRect2DDouble WxPrinter::PlaceOnPage(double pageWidth, double pageHeight, int width, int height) {
  if (pageWidth <= 0 || pageHeight <= 0 || width <= 0 || height <= 0) return {0, 0, 0, 0};
  const double margin = std::min(pageWidth, pageHeight) / 20.0;
  const double scale =
      std::min((pageWidth - 2 * margin) / width, (pageHeight - 2 * margin) / height);
  const double w = width * scale;
  const double h = height * scale;
  return {(pageWidth - w) / 2.0, margin, w, h};
}

PrintResult WxPrinter::PrintPicture(const RgbaImage& picture) {
  if (!Usable(picture)) return {PrintOutcome::Failed, "the picture is empty"};
  if (!pdfPath_.empty()) return PrintToPdf(picture);
  PicturePrintout printout(ImageOf(picture));
  wxPrintDialogData data;
  wxPrinter printer(&data);
  if (printer.Print(parent_, &printout, true)) return {};
  if (wxPrinter::GetLastError() == wxPRINTER_CANCELLED) return {PrintOutcome::Cancelled, ""};
  return {PrintOutcome::Failed, "the printer reported an error"};
}

PrintResult WxPrinter::PrintToPdf(const RgbaImage& picture) const {
  cairo_surface_t* surface = cairo_pdf_surface_create(pdfPath_.c_str(), kA4Width, kA4Height);
  cairo_t* cairo = cairo_create(surface);
  {
    wxGCDC dc(wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(cairo));
    PicturePrintout printout(ImageOf(picture));
    // What the toolkit's printer tells a printout before its pages: a
    // printable A4 page at 72 dots an inch.
    printout.SetDC(&dc);
    printout.SetPPIPrinter(72, 72);
    printout.SetPPIScreen(96, 96);
    printout.SetPageSizePixels(static_cast<int>(kA4Width), static_cast<int>(kA4Height));
    printout.SetPageSizeMM(210, 297);
    printout.SetPaperRectPixels(
        wxRect(0, 0, static_cast<int>(kA4Width), static_cast<int>(kA4Height)));
    printout.OnPreparePrinting();
    printout.OnBeginPrinting();
    printout.OnPrintPage(1);
    printout.OnEndPrinting();
  }
  cairo_show_page(cairo);
  cairo_destroy(cairo);
  cairo_surface_finish(surface);
  const bool written = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  if (!written) return {PrintOutcome::Failed, "the PDF file could not be written"};
  return {};
}

}  // namespace qv
