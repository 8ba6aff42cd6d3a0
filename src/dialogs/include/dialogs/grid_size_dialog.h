// The grid size dialog ("Options"): the row and column counts of the data
// sheet. The model checks the counts; its caller sizes the sheet.
#pragma once

#include <string>

#include "platform/message_box.h"
#include "platform/runtime.h"

namespace qv {

class GridSizeDialogModel {
 public:
  static constexpr const char* kCaption = "Options";
  // The most rows or columns the sheet's control takes.
  static constexpr double kMaxCount = 65536.0;

  // Shows the sheet's current counts; messages must outlive the model.
  GridSizeDialogModel(Long rows, Long columns, MessageBoxService& messages);

  const char* Caption() const { return kCaption; }

  std::string rows;     // "Number of rows:"
  std::string columns;  // "Number of columns:"

  // OK: each text must be one number ("." the decimal sign, whatever the
  // locale) of at least 1 and at most 65536 before rounding; otherwise shows
  // the grid size message (critical icon) and returns false. Accepted counts
  // are rounded half to even into Rows() and Columns().
  bool Ok();
  Long Rows() const { return rowCount_; }
  Long Columns() const { return columnCount_; }

 private:
  MessageBoxService& messages_;
  Long rowCount_ = 0;
  Long columnCount_ = 0;
};

}  // namespace qv
