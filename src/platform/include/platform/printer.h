// The printer: one page holding a picture. The window injects the toolkit's
// implementation (its print dialog); tests inject a scripted fake, or the
// toolkit's printer writing a PDF file without a dialog.
#pragma once

#include <string>

#include "platform/rgba_image.h"

namespace qv {

enum class PrintOutcome {
  Printed,    // the page went to the printer or the file
  Cancelled,  // the user cancelled the print dialog: nothing was printed
  Failed,     // it could not be printed; problem says why
};

struct PrintResult {
  PrintOutcome outcome = PrintOutcome::Printed;
  // A short phrase for the message ("" unless Failed).
  std::string problem;
};

class PrinterService {
 public:
  virtual ~PrinterService() = default;
  // Asks where to print (the print dialog), then prints picture (rows
  // bottom-up) on one page, scaled to fit the page with its proportions kept.
  virtual PrintResult PrintPicture(const RgbaImage& picture) = 0;
};

}  // namespace qv
