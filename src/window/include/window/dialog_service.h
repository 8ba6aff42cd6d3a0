// How the main window's logic shows the property dialogs. The widget layer
// implements it with modal wx dialogs over the window; the tests use a
// scripted fake. Each Show returns once the dialog has closed.
#pragma once

#include "dialogs/axis_dialog.h"
#include "dialogs/graph_dialog.h"
#include "dialogs/grid_size_dialog.h"
#include "dialogs/light_dialog.h"
#include "dialogs/point_dialog.h"
#include "dialogs/view_dialog.h"

namespace qv {

class DialogService {
 public:
  virtual ~DialogService() = default;
  // Shows the dialog of model modally. Its OK button calls model.Ok(): a
  // refusal keeps the dialog open, an acceptance closes it. Returns true
  // when the dialog closed through an accepted OK, false for Cancel or the
  // close box. Changes that act at once (the axis dialog's) stay either way.
  virtual bool Show(AxisDialogModel& model) = 0;
  virtual bool Show(LightDialogModel& model) = 0;
  virtual bool Show(ViewDialogModel& model) = 0;
  virtual bool Show(PointDialogModel& model) = 0;
  virtual bool Show(GridSizeDialogModel& model) = 0;
  // The dialog of a graph kind (model.Kind() tells which).
  virtual bool Show(GraphDialogModel& model) = 0;
};

}  // namespace qv
