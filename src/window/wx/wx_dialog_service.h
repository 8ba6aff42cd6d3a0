// The property dialogs of the main window: modal wx dialogs over it.
#pragma once

#include <wx/window.h>

#include "dialogs/wx/property_dialogs.h"
#include "window/dialog_service.h"

namespace qv {

class WxDialogService final : public DialogService {
 public:
  // The dialogs are shown over parent, which must outlive the service;
  // choosers holds the colour, font and file choosers (null: the toolkit's).
  WxDialogService(wxWindow* parent, const DialogChoosers& choosers)
      : parent_(parent), choosers_(choosers) {}

  bool Show(AxisDialogModel& model) override { return ShowAxisDialog(parent_, model, choosers_); }
  bool Show(LightDialogModel& model) override { return ShowLightDialog(parent_, model); }
  bool Show(ViewDialogModel& model) override { return ShowViewDialog(parent_, model); }
  bool Show(PointDialogModel& model) override { return ShowPointDialog(parent_, model, choosers_); }
  bool Show(GridSizeDialogModel& model) override { return ShowGridSizeDialog(parent_, model); }
  bool Show(GraphDialogModel& model) override { return ShowGraphDialog(parent_, model, choosers_); }

 private:
  wxWindow* parent_;
  DialogChoosers choosers_;
};

}  // namespace qv
