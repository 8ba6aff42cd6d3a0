// The printer service over the toolkit's printing: the desktop's print
// dialog (its printers, and "Print to File" as PDF), then one page holding
// the picture scaled to the page with its proportions kept.
#pragma once

#include <string>

#include <wx/geometry.h>
#include <wx/window.h>

#include "platform/printer.h"

namespace qv {

class WxPrinter final : public PrinterService {
 public:
  // Prints through the print dialog, shown over parent (may be null).
  explicit WxPrinter(wxWindow* parent) : parent_(parent) {}
  // Prints without a dialog into a PDF file at path (UTF-8), one A4 page:
  // the page the dialog's "Print to File" makes, for printing unattended.
  // The desktop's printing does not print to a file without its dialog, so
  // the same page is drawn onto a PDF surface of its own.
  static WxPrinter ToPdfFile(const std::string& path);

  PrintResult PrintPicture(const RgbaImage& picture) override;

  // Where a picture of width x height goes on a page of pageWidth x
  // pageHeight (the same units): as large as fits inside a margin of a
  // twentieth of the page's smaller side, proportions kept, centred across
  // and at the top.
  static wxRect2DDouble PlaceOnPage(double pageWidth, double pageHeight, int width, int height);

 private:
  WxPrinter(wxWindow* parent, std::string pdfPath)
      : parent_(parent), pdfPath_(std::move(pdfPath)) {}
  PrintResult PrintToPdf(const RgbaImage& picture) const;

  wxWindow* parent_;
  std::string pdfPath_;  // "" for the dialog
};

}  // namespace qv
