#include <array>
#include <cmath>

#include "dialogs/wx/property_dialogs.h"
#include "property_dialog.h"

namespace qv {

namespace {

void BuildGeneral(PropertyDialog& d, AxisDialogModel& m) {
  wxPanel* page = d.AddTab("General");
  wxBoxSizer* column = PropertyDialog::Column(page);
  // " Show Axis" and the scales act on the shared state at once.
  column->Add(d.Check(
                  page, " Show Axis", [&m] { return m.ShowAxis(); },
                  [&m](bool show) { m.SetShowAxis(show); }),
              0, wxALL, 4);
  wxStaticBoxSizer* style = d.Frame(page, column, "Style");
  wxWindow* styleBox = style->GetStaticBox();
  style->Add(d.Option(
      styleBox, "Panel Style", true, [&m] { return m.style == 1; }, [&m] { m.style = 1; }));
  style->Add(d.Option(
      styleBox, "Line Style", false, [&m] { return m.style == 2; }, [&m] { m.style = 2; }));
  wxStaticBoxSizer* scales = d.Frame(page, column, "Scales");
  wxWindow* scalesBox = scales->GetStaticBox();
  const std::array<const char*, 3> modes = {"Square", "Equal", "Custom"};
  for (Long mode = 1; mode <= 3; ++mode) {
    scales->Add(d.Option(
        scalesBox, modes[static_cast<std::size_t>(mode - 1)], mode == 1,
        [&m, mode] { return m.ScaleMode() == mode; }, [&m, mode] { m.SetScaleMode(mode); }));
  }
  auto* ratios = new wxBoxSizer(wxHORIZONTAL);
  auto* label = d.Label(scalesBox, m.RatioLabel());
  ratios->Add(label, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 2);
  std::vector<wxWindow*> parts = {label};
  for (std::size_t k = 0; k < 4; ++k) {
    if (k == 1 || k == 2) {
      auto* colon = d.Label(scalesBox, ":");
      ratios->Add(colon, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 2);
      parts.push_back(colon);
      if (k == 2) d.ShowWhen(colon, [&m] { return m.Volume(); });
    }
    if (k == 3) {
      auto* zoom = d.Label(scalesBox, "Zoom Z:");
      ratios->Add(zoom, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 4);
      parts.push_back(zoom);
      d.ShowWhen(zoom, [&m] { return !m.Volume(); });
    }
    wxTextCtrl* box = d.Text(scalesBox, m.ratios[k], 44);
    ratios->Add(box, 0, wxALIGN_CENTER_VERTICAL);
    parts.push_back(box);
    if (k == 2) d.ShowWhen(box, [&m] { return m.Volume(); });
    if (k == 3) d.ShowWhen(box, [&m] { return !m.Volume(); });
  }
  for (wxWindow* part : parts) d.EnableWhen(part, [&m] { return m.RatiosEnabled(); });
  scales->Add(ratios, 0, wxTOP, 4);
  column->Add(d.Check(page, "Show Legend", m.showLegend), 0, wxALL, 4);
}

void BuildPanels(PropertyDialog& d, AxisDialogModel& m) {
  wxPanel* page = d.AddTab("Panel");
  wxBoxSizer* column = PropertyDialog::Column(page);
  const std::vector<std::string> materials = MaterialNames();
  const std::array<const char*, 3> frames = {"XY Panel", "XZ Panel", "YZ Panel"};
  for (int k = 0; k < 3; ++k) {
    AxisDialogModel::Panel& panel = m.panels[static_cast<std::size_t>(k)];
    wxStaticBoxSizer* frame = d.Frame(page, column, frames[static_cast<std::size_t>(k)]);
    wxWindow* box = frame->GetStaticBox();
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(d.Check(box, " Show", panel.show), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
    std::vector<wxWindow*> controls = {
        d.Label(box, "Color"),
        d.Swatch(box, panel.color, [&m, k](Long c) { m.ChoosePanelColor(k, c); }),
        d.Label(box, "Material"), d.List(box, materials, panel.material)};
    for (wxWindow* control : controls) {
      row->Add(control, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
      d.EnableWhen(control, [&panel] { return panel.show; });
    }
    frame->Add(row);
  }
}

void BuildGrids(PropertyDialog& d, AxisDialogModel& m) {
  wxPanel* page = d.AddTab("Grid");
  wxBoxSizer* column = PropertyDialog::Column(page);
  const std::array<const char*, 3> frames = {"XY", "XZ", "YZ"};
  const std::array<std::array<const char*, 2>, 3> directions = {{{"X direction", "Y direction"},
                                                                 {"X direction", "Z direction"},
                                                                 {"Y direction", "Z direction"}}};
  for (int k = 0; k < 3; ++k) {
    AxisDialogModel::Grid& grid = m.grids[static_cast<std::size_t>(k)];
    wxStaticBoxSizer* frame = d.Frame(page, column, frames[static_cast<std::size_t>(k)]);
    wxWindow* box = frame->GetStaticBox();
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(d.Check(box, directions[static_cast<std::size_t>(k)][0], grid.first), 0,
             wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    row->Add(d.Check(box, directions[static_cast<std::size_t>(k)][1], grid.second), 0,
             wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    row->Add(d.Label(box, "Color"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
    row->Add(d.Swatch(box, grid.color, [&m, k](Long c) { m.ChooseGridColor(k, c); }), 0,
             wxALIGN_CENTER_VERTICAL);
    frame->Add(row);
  }
}

// A "Font..." button: a chosen font is stored; a cancelled chooser keeps the
// choice as it was.
wxButton* FontButton(PropertyDialog& d, wxWindow* page, const FontChoice& current,
                     std::function<void(const FontChoice&)> store) {
  return d.Button(page, "Font...", [&d, &current, store] {
    if (const std::optional<FontChoice> font = d.Fonts().ChooseFont(current)) {
      FontChoice rounded = *font;
      rounded.size = std::nearbyint(rounded.size);
      store(rounded);
    }
  });
}

void BuildTexts(PropertyDialog& d, AxisDialogModel& m, const char* tab,
                const std::array<const char*, 3>& labels, std::array<std::string, 3>& texts,
                bool label) {
  wxPanel* page = d.AddTab(tab);
  wxBoxSizer* column = PropertyDialog::Column(page);
  auto* grid = new wxFlexGridSizer(2, 4, 4);
  for (std::size_t k = 0; k < 3; ++k)
    PropertyDialog::Row(grid, d.Label(page, labels[k]), d.Text(page, texts[k], label ? 60 : 160));
  column->Add(grid, 0, wxALL, 6);
  const FontChoice& current = label ? m.Fonts().label : m.Fonts().title;
  column->Add(FontButton(d, page, current,
                         [&m, label](const FontChoice& font) {
                           if (label) {
                             m.SetLabelFont(font);
                           } else {
                             m.SetTitleFont(font);
                           }
                         }),
              0, wxALL, 6);
}

}  // namespace

bool ShowAxisDialog(wxWindow* parent, AxisDialogModel& model, const DialogChoosers& choosers) {
  PropertyDialog dialog(parent, model.Caption(), choosers);
  BuildGeneral(dialog, model);
  BuildPanels(dialog, model);
  BuildGrids(dialog, model);
  BuildTexts(dialog, model, "Label", {"X Axis Intervals", "Y Axis Intervals", "Z Axis Intervals"},
             model.intervals, true);
  BuildTexts(dialog, model, "Title", {"X Axis Title", "Y Axis Title", "Z Axis Title"}, model.titles,
             false);
  return dialog.Run([&model] { return model.Ok(); });
}

}  // namespace qv
