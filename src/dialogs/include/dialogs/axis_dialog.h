// The axis dialog ("Axis Properties"): the axis system's panels, grids,
// labels and titles, the scale settings, the legend switch and the two
// outline fonts of the axis text.
#pragma once

#include <array>
#include <string>

#include "graphs/workspace.h"
#include "platform/font_chooser.h"
#include "platform/message_box.h"
#include "platform/runtime.h"

namespace qv {

// The label and title fonts chosen in the axis dialog. They last for the
// program's run: empty faces and sizes 0 until a choice is made.
struct AxisFontChoices {
  FontChoice label;
  FontChoice title;
};

// The face the axis fonts use when none was chosen.
inline constexpr const char* kDefaultAxisFace = "Arial";

// Frees the two outline font sets at OutlineFontBase1 and OutlineFontBase2
// and makes them anew from the chosen fonts (an empty face takes
// kDefaultAxisFace): the labels at weight 400, the titles at weight 700. A set
// that cannot be made reports "Unable to create font" and keeps base 0. Needs
// a current context.
void RecreateAxisFonts(SharedSettings& settings, const AxisFontChoices& fonts,
                       MessageBoxService& messages);

class AxisDialogModel {
 public:
  static constexpr const char* kCaption = "Axis Properties";

  // Fills the controls from the shared state. workspace, fonts and messages
  // must outlive the model.
  AxisDialogModel(Workspace& workspace, AxisFontChoices& fonts, MessageBoxService& messages);

  const char* Caption() const { return kCaption; }

  // General tab
  // " Show Axis" and the scale options act on the shared state at once.
  bool ShowAxis() const { return axis_.Show; }
  void SetShowAxis(bool show) { axis_.Show = show; }
  Long ScaleMode() const { return settings_.ScaleMode; }
  // 1 "Square", 2 "Equal", 3 "Custom"; other values are ignored.
  void SetScaleMode(Long mode);
  // The ratio boxes and their labels are usable in the custom mode only.
  bool RatiosEnabled() const { return settings_.ScaleMode == 3; }
  // "X:Y:Z=" for a volume (Text9 shown, "Zoom Z:" hidden), "X:Y=" for a
  // surface (Text9 hidden, "Zoom Z:" and Text10 shown).
  bool Volume() const { return volume_; }
  const char* RatioLabel() const { return volume_ ? "X:Y:Z=" : "X:Y="; }
  // 1 "Panel Style", 2 "Line Style" (applied on OK).
  Long style = 1;
  // Text7..Text10: ScaleRatioX, ScaleRatioY, ScaleRatioZ, ZoomZ.
  std::array<std::string, 4> ratios{"1", "1", "1", "1"};
  bool showLegend = true;

  // Panel tab: XY, XZ, YZ. The colour and material controls of a panel are
  // usable while its box is checked.
  struct Panel {
    bool show = true;
    Long color = 0;
    // Position in the material list (code - 1), -1 for none: a code outside
    // 1..13 shows no selection and is kept.
    int material = -1;
  };
  std::array<Panel, 3> panels;
  // A colour chosen for a panel or grid applies at once.
  void ChoosePanelColor(int panel, Long color);

  // Grid tab: XY (X, Y), XZ (X, Z), YZ (Y, Z).
  struct Grid {
    bool first = true;
    bool second = true;
    Long color = 0;
  };
  std::array<Grid, 3> grids;
  void ChooseGridColor(int grid, Long color);

  // Label tab: the X, Y and Z axis intervals; the label font.
  std::array<std::string, 3> intervals;
  void SetLabelFont(const FontChoice& font) { fonts_.label = font; }
  // Title tab: the X, Y and Z axis titles; the title font.
  std::array<std::string, 3> titles;
  void SetTitleFont(const FontChoice& font) { fonts_.title = font; }
  const AxisFontChoices& Fonts() const { return fonts_; }

  // OK: checks every number first. A ratio that is not a number, is 0 or
  // less or lies beyond a Single, or an interval that is not a whole number
  // of at least 1 within a Long, shows "Illegal data exist." and returns
  // false with nothing applied (the dialog stays open). Otherwise applies the
  // style, the scale mode, the legend switch and the four ratios and, with
  // the axis shown in panel style, the Panel, Grid, Label and Title tabs, and
  // returns true. The caller then reads the data set, makes the fonts anew
  // and fits the view.
  bool Ok();

 private:
  bool Check(std::array<float, 4>& ratios, std::array<Long, 3>& intervals) const;
  void ApplyTabs(const std::array<Long, 3>& intervals);

  AxisSystem& axis_;
  SharedSettings& settings_;
  AxisFontChoices& fonts_;
  MessageBoxService& messages_;
  bool volume_ = false;
};

}  // namespace qv
