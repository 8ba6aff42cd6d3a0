#include "window/sheet_text.h"

namespace qv {

SheetText::SheetText() : cells_(static_cast<std::size_t>((kMaxRow + 1) * (kMaxColumn + 1))) {}

std::size_t SheetText::Offset(Long row, Long col) const {
  if (!InRange(row, col)) {
    throw RuntimeError(kSubscriptOutOfRange, "sheet cell " + CStr(row) + "," + CStr(col));
  }
  return static_cast<std::size_t>(row) * (kMaxColumn + 1) + static_cast<std::size_t>(col);
}

const std::string& SheetText::operator()(Long row, Long col) const {
  return cells_[Offset(row, col)];
}

std::string& SheetText::operator()(Long row, Long col) { return cells_[Offset(row, col)]; }

}  // namespace qv
