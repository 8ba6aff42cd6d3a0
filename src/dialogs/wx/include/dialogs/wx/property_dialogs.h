// The property dialogs as modal wx dialogs over a parent window. Each shows
// its model's controls, writes every change into the model at once, and
// forwards OK (the model's Ok: a refusal keeps the dialog open) and Cancel.
#pragma once

#include <wx/window.h>

#include "dialogs/axis_dialog.h"
#include "dialogs/graph_dialog.h"
#include "dialogs/grid_size_dialog.h"
#include "dialogs/light_dialog.h"
#include "dialogs/point_dialog.h"
#include "dialogs/view_dialog.h"
#include "platform/colour_chooser.h"
#include "platform/file_dialog.h"
#include "platform/font_chooser.h"

namespace qv {

// The choosers the dialogs open. A null one is the toolkit's, shown over the
// dialog; tests script them.
struct DialogChoosers {
  ColourChooserService* colours = nullptr;
  FontChooserService* fonts = nullptr;
  FileDialogService* files = nullptr;
};

// Each shows its dialog modally over parent and returns true when it closed
// through an accepted OK, false for Cancel or the close box.
bool ShowAxisDialog(wxWindow* parent, AxisDialogModel& model, const DialogChoosers& choosers);
bool ShowLightDialog(wxWindow* parent, LightDialogModel& model);
bool ShowViewDialog(wxWindow* parent, ViewDialogModel& model);
bool ShowPointDialog(wxWindow* parent, PointDialogModel& model, const DialogChoosers& choosers);
bool ShowGridSizeDialog(wxWindow* parent, GridSizeDialogModel& model);
// The dialog of model's graph kind.
bool ShowGraphDialog(wxWindow* parent, GraphDialogModel& model, const DialogChoosers& choosers);

}  // namespace qv
