#include "dialogs/axis_dialog.h"

#include <cmath>
#include <limits>

#include "dialogs/dialog_context.h"
#include "entry_text.h"
#include "platform/gl_text.h"
#include "scene/material_preset.h"

namespace qv {

namespace {

constexpr Long kLabelWeight = 400;
constexpr Long kTitleWeight = 700;

std::string FaceOrDefault(const FontChoice& font) {
  return font.face.empty() ? std::string(kDefaultAxisFace) : font.face;
}

// The list position of a material code, -1 for a code outside the list.
int MaterialPosition(Long code) {
  return code >= 1 && code <= MaterialPreset::kPresetCount ? static_cast<int>(code - 1) : -1;
}

// A size in points as the fonts take it: rounded, and 0 when it is no
// usable size.
Long FontHeight(double size) {
  const double rounded = std::nearbyint(size);
  return std::isfinite(rounded) && rounded > 0.0 && rounded < 10000.0 ? static_cast<Long>(rounded)
                                                                      : 0;
}

}  // namespace

void RecreateAxisFonts(SharedSettings& settings, const AxisFontChoices& fonts,
                       MessageBoxService& messages) {
  // The old sets go first: every OK would otherwise leave two sets behind.
  DeleteFont(settings.OutlineFontBase1, kOutlineFontLists);
  DeleteFont(settings.OutlineFontBase2, kOutlineFontLists);
  CreateOutlineFont(settings.OutlineFontBase1, FaceOrDefault(fonts.label),
                    FontHeight(fonts.label.size), kLabelWeight, false, 0, messages);
  CreateOutlineFont(settings.OutlineFontBase2, FaceOrDefault(fonts.title),
                    FontHeight(fonts.title.size), kTitleWeight, false, 0, messages);
}

AxisDialogModel::AxisDialogModel(Workspace& workspace, AxisFontChoices& fonts,
                                 MessageBoxService& messages)
    : axis_(workspace.axisSystem),
      settings_(workspace.settings),
      fonts_(fonts),
      messages_(messages),
      volume_(workspace.dataSet.DataDim() != 1) {
  if (settings_.ScaleMode == 3) {
    ratios = {FormatDouble(settings_.ScaleRatioX), FormatDouble(settings_.ScaleRatioY),
              FormatDouble(settings_.ScaleRatioZ), FormatDouble(settings_.ZoomZ)};
  }
  showLegend = settings_.ShowLegend;
  style = axis_.AxisStyle == 2 ? 2 : 1;
  panels = {Panel{axis_.ShowXYPanel, axis_.XYPanelColor, MaterialPosition(axis_.XYPanelMaterial)},
            Panel{axis_.ShowXZPanel, axis_.XZPanelColor, MaterialPosition(axis_.XZPanelMaterial)},
            Panel{axis_.ShowYZPanel, axis_.YZPanelColor, MaterialPosition(axis_.YZPanelMaterial)}};
  grids = {Grid{axis_.ShowXYXGrid, axis_.ShowXYYGrid, axis_.XYGridColor},
           Grid{axis_.ShowXZXGrid, axis_.ShowXZZGrid, axis_.XZGridColor},
           Grid{axis_.ShowYZYGrid, axis_.ShowYZZGrid, axis_.YZGridColor}};
  intervals = {CStr(axis_.LabelNumX), CStr(axis_.LabelNumY), CStr(axis_.LabelNumZ)};
  titles = {axis_.TitleX(), axis_.TitleY(), axis_.TitleZ()};
}

void AxisDialogModel::SetScaleMode(Long mode) {
  if (mode >= 1 && mode <= 3) settings_.ScaleMode = mode;
}

void AxisDialogModel::ChoosePanelColor(int panel, Long color) {
  if (panel < 0 || panel > 2) return;
  panels[static_cast<std::size_t>(panel)].color = color;
  Long* targets[] = {&axis_.XYPanelColor, &axis_.XZPanelColor, &axis_.YZPanelColor};
  *targets[panel] = color;
}

void AxisDialogModel::ChooseGridColor(int grid, Long color) {
  if (grid < 0 || grid > 2) return;
  grids[static_cast<std::size_t>(grid)].color = color;
  Long* targets[] = {&axis_.XYGridColor, &axis_.XZGridColor, &axis_.YZGridColor};
  *targets[grid] = color;
}

bool AxisDialogModel::Check(std::array<float, 4>& ratioValues,
                            std::array<Long, 3>& intervalValues) const {
  // Every box is read, hidden and disabled ones too, as OK stores all four.
  for (std::size_t k = 0; k < ratios.size(); ++k) {
    const std::optional<double> value = ReadStrictNumber(ratios[k]);
    if (!value || *value <= 0.0 || *value > std::numeric_limits<float>::max()) return false;
    ratioValues[k] = static_cast<float>(*value);
    if (ratioValues[k] <= 0.0f) return false;  // too small to survive as a Single
  }
  for (std::size_t k = 0; k < intervals.size(); ++k) {
    const std::optional<Long> value = ReadWholeLeading(intervals[k]);
    if (!value || *value < 1) return false;
    intervalValues[k] = *value;
  }
  return true;
}

bool AxisDialogModel::Ok() {
  std::array<float, 4> ratioValues{};
  std::array<Long, 3> intervalValues{};
  if (!Check(ratioValues, intervalValues)) return RefuseEntry(messages_);
  axis_.AxisStyle = style;
  settings_.ShowLegend = showLegend;
  settings_.ScaleRatioX = ratioValues[0];
  settings_.ScaleRatioY = ratioValues[1];
  settings_.ScaleRatioZ = ratioValues[2];
  settings_.ZoomZ = ratioValues[3];
  // A hidden axis or the line style takes nothing of the four tabs.
  if (axis_.Show && axis_.AxisStyle == 1) ApplyTabs(intervalValues);
  return true;
}

void AxisDialogModel::ApplyTabs(const std::array<Long, 3>& intervalValues) {
  bool* shows[] = {&axis_.ShowXYPanel, &axis_.ShowXZPanel, &axis_.ShowYZPanel};
  Long* colors[] = {&axis_.XYPanelColor, &axis_.XZPanelColor, &axis_.YZPanelColor};
  Long* materials[] = {&axis_.XYPanelMaterial, &axis_.XZPanelMaterial, &axis_.YZPanelMaterial};
  for (std::size_t k = 0; k < panels.size(); ++k) {
    *shows[k] = panels[k].show;
    if (panels[k].show) *colors[k] = panels[k].color;
    if (panels[k].material >= 0) *materials[k] = panels[k].material + 1;
  }
  axis_.ShowXYXGrid = grids[0].first;
  axis_.ShowXYYGrid = grids[0].second;
  axis_.ShowXZXGrid = grids[1].first;
  axis_.ShowXZZGrid = grids[1].second;
  axis_.ShowYZYGrid = grids[2].first;
  axis_.ShowYZZGrid = grids[2].second;
  axis_.XYGridColor = grids[0].color;
  axis_.XZGridColor = grids[1].color;
  axis_.YZGridColor = grids[2].color;
  axis_.LabelNumX = intervalValues[0];
  axis_.LabelNumY = intervalValues[1];
  axis_.LabelNumZ = intervalValues[2];
  axis_.SetTitleX(titles[0]);
  axis_.SetTitleY(titles[1]);
  axis_.SetTitleZ(titles[2]);
}

}  // namespace qv
