#include "dialogs/grid_size_dialog.h"

#include <optional>

#include "dialogs/dialog_context.h"
#include "entry_text.h"

namespace qv {

GridSizeDialogModel::GridSizeDialogModel(Long rowCount, Long columnCount,
                                         MessageBoxService& messages)
    : rows(CStr(rowCount)), columns(CStr(columnCount)), messages_(messages) {}

bool GridSizeDialogModel::Ok() {
  const std::optional<double> r = ReadStrictNumber(rows);
  const std::optional<double> c = ReadStrictNumber(columns);
  const auto inRange = [](const std::optional<double>& v) {
    return v && *v >= 1.0 && *v <= kMaxCount;
  };
  if (!inRange(r) || !inRange(c)) {
    messages_.Show(kGridSizeMessage, "Error", MsgIcon::Critical, MsgButtons::OK);
    return false;
  }
  rowCount_ = CLng(*r);
  columnCount_ = CLng(*c);
  return true;
}

}  // namespace qv
