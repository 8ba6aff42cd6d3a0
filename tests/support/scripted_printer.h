// A printer for tests: keeps every picture it is given and answers as
// scripted (printed, unless told otherwise).
#pragma once

#include <vector>

#include "platform/printer.h"

namespace qv::test {

class ScriptedPrinter final : public PrinterService {
 public:
  void Answer(PrintResult result) { answer_ = std::move(result); }
  PrintResult PrintPicture(const RgbaImage& picture) override {
    asked_.push_back(picture);
    return answer_;
  }
  // The pictures asked for, in order, whatever the answer was.
  const std::vector<RgbaImage>& Asked() const { return asked_; }

 private:
  PrintResult answer_;
  std::vector<RgbaImage> asked_;
};

}  // namespace qv::test
