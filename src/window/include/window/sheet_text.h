// The texts behind the data sheet's cells. The sheet's control keeps only the
// header row and the index column; every other cell's text lives here, for as
// long as the window lives. Nothing empties it: rows that leave the sheet on
// a resize keep their texts and show them again when they come back.
#pragma once

#include <string>
#include <vector>

#include "platform/runtime.h"

namespace qv {

class SheetText {
 public:
  static constexpr Long kMaxRow = 20000;  // rows 0..20000: at most 20000 data rows
  static constexpr Long kMaxColumn = 5;   // columns 0..5

  SheetText();

  // The text of (row, col); throws RuntimeError(kSubscriptOutOfRange) outside
  // rows 0..kMaxRow or columns 0..kMaxColumn.
  const std::string& operator()(Long row, Long col) const;
  std::string& operator()(Long row, Long col);

  // Whether (row, col) lies inside the array.
  static bool InRange(Long row, Long col) {
    return row >= 0 && row <= kMaxRow && col >= 0 && col <= kMaxColumn;
  }

 private:
  std::size_t Offset(Long row, Long col) const;
  std::vector<std::string> cells_;
};

}  // namespace qv
