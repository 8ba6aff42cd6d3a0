// The light, view settings, point and grid size dialogs.
#include <array>

#include "dialogs/wx/property_dialogs.h"
#include "property_dialog.h"

namespace qv {

bool ShowLightDialog(wxWindow* parent, LightDialogModel& model) {
  PropertyDialog d(parent, model.Caption(), {});
  wxPanel* body = d.Body();
  wxBoxSizer* column = PropertyDialog::Column(body);
  const std::array<std::array<const char*, 4>, 4> labels = {
      {{"X", "Y", "Z", "W"}, {"R", "G", "B", "A"}, {"R", "G", "B", "A"}, {"R", "G", "B", "A"}}};
  auto* frames = new wxGridSizer(2, 4, 4);
  column->Add(frames);
  for (std::size_t f = 0; f < 4; ++f) {
    wxStaticBoxSizer* frame = d.Frame(body, frames, LightDialogModel::kFrames[f]);
    wxWindow* box = frame->GetStaticBox();
    auto* grid = new wxFlexGridSizer(4, 4, 4);
    for (std::size_t c = 0; c < 4; ++c) {
      PropertyDialog::Row(grid, d.Label(box, labels[f][c]),
                          d.Text(box, model.values[f * 4 + c], 70));
    }
    frame->Add(grid);
  }
  auto* checks = new wxBoxSizer(wxHORIZONTAL);
  checks->Add(d.Check(body, " Lighting", model.lighting), 0, wxALL, 4);
  checks->Add(d.Check(body, " Two sides", model.twoSides), 0, wxALL, 4);
  checks->Add(d.Check(body, "Global ambient light", model.globalAmbient), 0, wxALL, 4);
  column->Add(checks);
  return d.Run([&model] { return model.Ok(); });
}

bool ShowViewDialog(wxWindow* parent, ViewDialogModel& model) {
  PropertyDialog d(parent, model.Caption(), {});
  wxPanel* body = d.Body();
  wxBoxSizer* column = PropertyDialog::Column(body);
  wxStaticBoxSizer* projection = d.Frame(body, column, "Projection Type");
  projection->Add(d.Option(
      projection->GetStaticBox(), "Ortho", true, [&model] { return !model.perspective; },
      [&model] { model.perspective = false; }));
  projection->Add(d.Option(
      projection->GetStaticBox(), "Perspective", false, [&model] { return model.perspective; },
      [&model] { model.perspective = true; }));
  wxStaticBoxSizer* intervals = d.Frame(body, column, "View Intervals");
  auto* grid = new wxFlexGridSizer(4, 4, 8);
  for (std::size_t k = 0; k < model.texts.size(); ++k)
    PropertyDialog::Row(grid, d.Label(intervals->GetStaticBox(), ViewDialogModel::kLabels[k]),
                        d.Text(intervals->GetStaticBox(), model.texts[k]));
  intervals->Add(grid);
  return d.Run([&model] { return model.Ok(); });
}

bool ShowPointDialog(wxWindow* parent, PointDialogModel& model, const DialogChoosers& choosers) {
  PropertyDialog d(parent, model.Caption(), choosers);
  wxPanel* point = d.AddTab("Point");
  wxStaticBoxSizer* frame = d.Frame(point, PropertyDialog::Column(point), "Coordinate");
  wxWindow* box = frame->GetStaticBox();
  auto* grid = new wxFlexGridSizer(2, 4, 4);
  PropertyDialog::Row(grid, d.Label(box, "X"), d.Text(box, model.x));
  PropertyDialog::Row(grid, d.Label(box, "Y"), d.Text(box, model.y));
  wxStaticText* zLabel = d.Label(box, "Z");
  wxTextCtrl* zBox = d.Text(box, model.z);
  PropertyDialog::Row(grid, zLabel, zBox);
  // A 2D document has no z.
  zLabel->Show(model.ZShown());
  zBox->Show(model.ZShown());
  frame->Add(grid);
  wxPanel* properties = d.AddTab("Properties");
  auto* rows = new wxFlexGridSizer(2, 4, 4);
  PropertyDialog::Row(rows, d.Label(properties, "Color"), d.Swatch(properties, model.color));
  PropertyDialog::Row(rows, d.Label(properties, "Size"),
                      d.List(properties, CountList(8), model.size));
  PropertyDialog::Column(properties)->Add(rows, 0, wxALL, 6);
  return d.Run([&model] { return model.Ok(); });
}

bool ShowGridSizeDialog(wxWindow* parent, GridSizeDialogModel& model) {
  PropertyDialog d(parent, model.Caption(), {});
  wxPanel* body = d.Body();
  auto* grid = new wxFlexGridSizer(2, 4, 4);
  PropertyDialog::Row(grid, d.Label(body, "Number of rows:"), d.Text(body, model.rows));
  PropertyDialog::Row(grid, d.Label(body, "Number of columns:"), d.Text(body, model.columns));
  PropertyDialog::Column(body)->Add(grid, 0, wxALL, 6);
  return d.Run([&model] { return model.Ok(); });
}

}  // namespace qv
