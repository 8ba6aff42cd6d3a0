// The dialogs of the graph kinds the Draw menu offers.
#include <array>

#include <wx/listbox.h>

#include "dialogs/kind_dialogs.h"
#include "dialogs/slice_dialog.h"
#include "dialogs/surface_dialog.h"
#include "dialogs/wx/property_dialogs.h"
#include "graphs/graph_kinds.h"
#include "property_dialog.h"

namespace qv {

namespace {

using Mode = ColorModeChoice::Mode;

std::vector<std::string> MapList() { return {kMapListNames.begin(), kMapListNames.end()}; }

void AddRow(wxSizer* into, std::initializer_list<wxWindow*> controls) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  for (wxWindow* control : controls) row->Add(control, 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
  into->Add(row);
}

// A colour-mode group, its options in the dialog's order.
void ColorModes(PropertyDialog& d, wxWindow* page, wxSizer* into, ColorModeChoice& c,
                std::array<Mode, 3> order) {
  bool first = true;
  for (Mode mode : order) {
    const auto select = [&c, mode] { c.mode = mode; };
    const auto selected = [&c, mode] { return c.mode == mode; };
    switch (mode) {
      case ColorModeChoice::kGradient:
        AddRow(into,
               {d.Option(page, "Gradient", first, selected, select), d.Label(page, "1st Color"),
                d.Swatch(page, c.first), d.Label(page, "2nd Color"), d.Swatch(page, c.second)});
        break;
      case ColorModeChoice::kSingle:
        AddRow(into, {d.Option(page, "Single", first, selected, select), d.Swatch(page, c.single)});
        break;
      case ColorModeChoice::kColormap:
        AddRow(into, {d.Option(page, "Colormap", first, selected, select),
                      d.List(page, MapList(), c.map)});
        break;
    }
    first = false;
  }
}

void BuildSurface(PropertyDialog& d, SurfaceDialogModel& m) {
  wxPanel* general = d.AddTab(SurfaceDialogModel::kTabs[0]);
  wxBoxSizer* g = PropertyDialog::Column(general);
  wxCheckBox* colorMap = d.Check(general, "Add Color Map", m.addColorMap);
  wxCheckBox* contour = d.Check(general, "Add Contour Plot", m.addContour);
  wxStaticText* intervalLabel = d.Label(general, "Interval");
  wxTextCtrl* interval = d.Text(general, m.interval);
  wxCheckBox* vector = d.Check(general, "Add Vector Plot", m.addVector);
  wxCheckBox* irregular = d.Check(general, "Show The Points Of Irregular Data", m.showIrregular);
  AddRow(g, {colorMap});
  AddRow(g, {contour, intervalLabel, interval});
  AddRow(g, {vector});
  AddRow(g, {irregular});
  for (wxWindow* box : std::initializer_list<wxWindow*>{colorMap, contour, vector, irregular})
    d.EnableWhen(box, [&m] { return m.GeneralEnabled(); });
  for (wxWindow* part : std::initializer_list<wxWindow*>{intervalLabel, interval})
    d.EnableWhen(part, [&m] { return m.GeneralEnabled() && m.addContour; });

  wxPanel* color = d.AddTab(SurfaceDialogModel::kTabs[1]);
  wxBoxSizer* c = PropertyDialog::Column(color);
  const std::array<std::pair<const char*, Long>, 3> gradients = {
      {{"Gradient from left to right", 0},
       {"Gradient from front to back", 1},
       {"Gradient from top to bottom", 2}}};
  for (const auto& [caption, code] : gradients) {
    const Long fill = code;
    AddRow(c, {d.Option(
                  color, caption, fill == 0, [&m, fill] { return m.fillStyle == fill; },
                  [&m, fill] { m.fillStyle = fill; })});
  }
  AddRow(c, {d.Label(color, "1st color"), d.Swatch(color, m.first), d.Label(color, "2nd color"),
             d.Swatch(color, m.second)});
  AddRow(c,
         {d.Option(
              color, "Single", false, [&m] { return m.fillStyle == 3; }, [&m] { m.fillStyle = 3; }),
          d.Swatch(color, m.single)});
  AddRow(c, {d.Option(
                 color, "Colormap", false, [&m] { return m.fillStyle == 4; },
                 [&m] { m.fillStyle = 4; }),
             d.List(color, MapList(), m.map)});

  wxPanel* material = d.AddTab(SurfaceDialogModel::kTabs[2]);
  PropertyDialog::Column(material)->Add(d.Label(material, "Select a material type"), 0, wxALL, 4);
  PropertyDialog::Column(material)->Add(d.ListBox(material, MaterialNames(), m.material), 0, wxALL,
                                        4);

  wxPanel* smoothness = d.AddTab(SurfaceDialogModel::kTabs[3]);
  wxStaticBoxSizer* frame = d.Frame(smoothness, PropertyDialog::Column(smoothness), "Smoothness");
  wxWindow* smoothnessBox = frame->GetStaticBox();
  const std::array<std::pair<const char*, Long>, 3> shades = {
      {{" Flat", 1}, {"Smooth", 2}, {" Smoothest", 3}}};
  for (const auto& [caption, code] : shades) {
    const Long shade = code;
    frame->Add(d.Option(
        smoothnessBox, caption, shade == 1, [&m, shade] { return m.smoothness == shade; },
        [&m, shade] { m.smoothness = shade; }));
  }

  wxPanel* texture = d.AddTab(SurfaceDialogModel::kTabs[4]);
  wxTextCtrl* path = d.PathText(texture, m.texturePath);
  wxButton* browse = d.Button(texture, "...", [&d, &m] {
    const FileDialogResult chosen = d.Files().ShowOpen(
        FileDialogRequest{"Open File", SurfaceDialogModel::kTextureFilter, 1, ""});
    // A cancelled file dialog keeps the path the box held.
    if (!chosen.Cancelled()) m.texturePath = chosen.fileName;
  });
  AddRow(PropertyDialog::Column(texture), {d.Check(texture, "Add Texture", m.addTexture)});
  AddRow(PropertyDialog::Column(texture), {path, browse});
  for (wxWindow* part : std::initializer_list<wxWindow*>{path, browse})
    d.EnableWhen(part, [&m] { return m.addTexture; });

  wxPanel* transparency = d.AddTab(SurfaceDialogModel::kTabs[5]);
  wxBoxSizer* t = PropertyDialog::Column(transparency);
  AddRow(t, {d.Check(transparency, "Transparent", m.transparent)});
  wxStaticBoxSizer* style = d.Frame(transparency, t, "Style");
  wxWindow* styleBox = style->GetStaticBox();
  style->Add(d.Option(
      styleBox, "Overlay", true, [&m] { return !m.blend; }, [&m] { m.blend = false; }));
  style->Add(d.Option(
      styleBox, "Blend", false, [&m] { return m.blend; }, [&m] { m.blend = true; }));
  wxSlider* slider =
      d.Slider(transparency, m.transparency, 0, SurfaceDialogModel::kMaxTransparency);
  t->Add(slider, 0, wxALL, 4);
  d.EnableWhen(slider, [&m] { return m.transparent; });
}

void BuildContour(PropertyDialog& d, ContourDialogModel& m) {
  wxPanel* general = d.AddTab(ContourDialogModel::kTabs[0]);
  AddRow(PropertyDialog::Column(general),
         {d.Label(general, "Interval"), d.Text(general, m.interval)});
  wxPanel* lines = d.AddTab(ContourDialogModel::kTabs[1]);
  wxBoxSizer* l = PropertyDialog::Column(lines);
  AddRow(l, {d.Label(lines, "Width"), d.List(lines, CountList(kWidthListCount), m.width)});
  wxStaticBoxSizer* frame = d.Frame(lines, l, "Color");
  ColorModes(d, frame->GetStaticBox(), frame, m.colors,
             {ColorModeChoice::kGradient, ColorModeChoice::kSingle, ColorModeChoice::kColormap});
}

void BuildDelaunay(PropertyDialog& d, DelaunayDialogModel& m) {
  wxPanel* surface = d.AddTab(DelaunayDialogModel::kTabs[0]);
  wxBoxSizer* s = PropertyDialog::Column(surface);
  AddRow(s, {d.Check(surface, "Show Surface", m.showSurface)});
  wxStaticBoxSizer* model = d.Frame(surface, s, "Model");
  model->Add(d.Option(
      model->GetStaticBox(), "Flat", true, [&m] { return !m.smooth; }, [&m] { m.smooth = false; }));
  model->Add(d.Option(
      model->GetStaticBox(), "Smooth", false, [&m] { return m.smooth; },
      [&m] { m.smooth = true; }));
  wxStaticBoxSizer* color = d.Frame(surface, s, "Color");
  ColorModes(d, color->GetStaticBox(), color, m.colors,
             {ColorModeChoice::kSingle, ColorModeChoice::kGradient, ColorModeChoice::kColormap});
  wxPanel* triangles = d.AddTab(DelaunayDialogModel::kTabs[1]);
  wxBoxSizer* t = PropertyDialog::Column(triangles);
  AddRow(t, {d.Check(triangles, "Show Triangles", m.showTriangles)});
  AddRow(t, {d.Label(triangles, "Color"), d.Swatch(triangles, m.triangleColor)});
  AddRow(t, {d.Label(triangles, "Width"),
             d.List(triangles, CountList(kTriangleWidthListCount), m.triangleWidth)});
}

// One direction tab of the slice dialog.
void BuildSliceTab(PropertyDialog& d, SliceDialogModel& m, int direction, const char* tab) {
  SliceDirection& s = m.directions[static_cast<std::size_t>(direction)];
  wxPanel* page = d.AddTab(tab);
  wxStaticBoxSizer* frame = d.Frame(page, PropertyDialog::Column(page), "Position(s)");
  wxWindow* box = frame->GetStaticBox();
  AddRow(frame,
         {d.Label(box, SliceDialogModel::kPositionCaptions[static_cast<std::size_t>(direction)]),
          d.Text(box, s.position)});
  frame->Add(d.Label(box, "Selected Values"), 0, wxLEFT, 3);
  auto* list = new wxListBox(box, wxID_ANY, wxDefaultPosition, wxSize(320, 110));
  list->Bind(wxEVT_LISTBOX, [&s, list](wxCommandEvent&) { s.selected = list->GetSelection(); });
  const auto show = [&s, list] {
    wxArrayString texts;
    for (const SliceEntry& entry : s.entries) texts.Add(ToWx(entry.Text()));
    if (list->GetStrings() != texts) list->Set(texts);
    const int shown =
        s.selected >= 0 && s.selected < static_cast<int>(texts.size()) ? s.selected : wxNOT_FOUND;
    if (list->GetSelection() != shown) list->SetSelection(shown);
  };
  d.OnChange(show);
  auto* listRow = new wxBoxSizer(wxHORIZONTAL);
  listRow->Add(list, 0, wxALL, 3);
  auto* buttons = new wxBoxSizer(wxVERTICAL);
  buttons->Add(d.Button(box, "Add", [&m, direction] { m.Add(direction); }), 0, wxBOTTOM, 3);
  buttons->Add(d.Button(box, "Remove", [&m, direction] { m.Remove(direction); }), 0, wxBOTTOM, 3);
  buttons->Add(d.Button(box, "Reset", [&m, direction] { m.Reset(direction); }));
  listRow->Add(buttons, 0, wxALL, 3);
  frame->Add(listRow);
  const auto& ranges = SliceDialogModel::kRangeCaptions[static_cast<std::size_t>(direction)];
  for (std::size_t r = 0; r < 2; ++r) {
    AddRow(frame, {d.Label(box, ranges[r]), d.Text(box, s.ranges[r * 2], 50), d.Label(box, "To"),
                   d.Text(box, s.ranges[r * 2 + 1], 50)});
  }
  AddRow(frame, {d.Check(box, "Add Color Map", s.color)});
  AddRow(frame,
         {d.Check(box, "Add Contour", s.contour), d.Label(box, "Interval"),
          d.Text(box, s.interval, 50), d.Label(box, "Color"), d.Swatch(box, s.contourColor)});
  AddRow(frame, {d.Check(box, "Add Vector", s.vector), d.Label(box, "Color"),
                 d.Swatch(box, s.vectorColor)});
  show();
}

void BuildSlice(PropertyDialog& d, SliceDialogModel& m) {
  wxPanel* general = d.AddTab(SliceDialogModel::kTabs[0]);
  wxBoxSizer* g = PropertyDialog::Column(general);
  wxStaticBoxSizer* colors = d.Frame(general, g, "Volume Colors");
  wxWindow* box = colors->GetStaticBox();
  AddRow(colors,
         {d.Option(
              box, "Gradient", true, [&m] { return !m.colormap; }, [&m] { m.colormap = false; }),
          d.Label(box, "1st Color"), d.Swatch(box, m.first), d.Label(box, "2nd Color"),
          d.Swatch(box, m.second)});
  AddRow(colors,
         {d.Option(
              box, "Colormap", false, [&m] { return m.colormap; }, [&m] { m.colormap = true; }),
          d.List(box, MapList(), m.map)});
  AddRow(g, {d.Check(general, "Show The Points Of Irregular Data", m.showIrregular)});
  for (int direction = 0; direction < 3; ++direction) {
    BuildSliceTab(d, m, direction,
                  SliceDialogModel::kTabs[static_cast<std::size_t>(direction) + 1]);
  }
}

void BuildSmall(PropertyDialog& d, GraphDialogModel& model) {
  wxPanel* body = d.Body();
  wxBoxSizer* b = PropertyDialog::Column(body);
  if (auto* m = dynamic_cast<ColorMapDialogModel*>(&model)) {
    ColorModes(d, body, b, m->colors,
               {ColorModeChoice::kGradient, ColorModeChoice::kSingle, ColorModeChoice::kColormap});
  } else if (auto* m = dynamic_cast<VectorDialogModel*>(&model)) {
    AddRow(b, {d.Label(body, "Color"), d.Swatch(body, m->color)});
  } else if (auto* m = dynamic_cast<VertexDialogModel*>(&model)) {
    AddRow(b, {d.Label(body, "Color"), d.Swatch(body, m->color)});
    AddRow(b, {d.Label(body, "Size"), d.List(body, CountList(kWidthListCount), m->size)});
  } else if (auto* m = dynamic_cast<GridModelDialogModel*>(&model)) {
    AddRow(b, {d.Label(body, "Line Color"), d.Swatch(body, m->color)});
    AddRow(b, {d.Label(body, "Line Width"), d.List(body, CountList(kWidthListCount), m->width)});
  } else if (auto* m = dynamic_cast<VolumePointsDialogModel*>(&model)) {
    AddRow(b, {d.Label(body, "Color"), d.Swatch(body, m->color)});
    AddRow(b, {d.Check(body, "Show The Points Of Irregular Data", m->showIrregular)});
  } else if (auto* m = dynamic_cast<IsoSurfaceDialogModel*>(&model)) {
    AddRow(b, {d.Label(body, "Value"), d.Text(body, m->value)});
  }
}

}  // namespace

bool ShowGraphDialog(wxWindow* parent, GraphDialogModel& model, const DialogChoosers& choosers) {
  PropertyDialog dialog(parent, model.Caption(), choosers);
  if (auto* surface = dynamic_cast<SurfaceDialogModel*>(&model)) {
    BuildSurface(dialog, *surface);
  } else if (auto* contour = dynamic_cast<ContourDialogModel*>(&model)) {
    BuildContour(dialog, *contour);
  } else if (auto* delaunay = dynamic_cast<DelaunayDialogModel*>(&model)) {
    BuildDelaunay(dialog, *delaunay);
  } else if (auto* slice = dynamic_cast<SliceDialogModel*>(&model)) {
    BuildSlice(dialog, *slice);
  } else {
    BuildSmall(dialog, model);
  }
  return dialog.Run([&model] { return model.Ok(); });
}

}  // namespace qv
