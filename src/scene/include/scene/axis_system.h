// The axis system drawn with the scene: three coordinate panels with their
// grids, the axis lines, tick labels and titles, and its document record.
#pragma once

#include <string>
#include <vector>

#include "platform/box.h"
#include "platform/record_reader.h"
#include "platform/runtime.h"
#include "platform/shared_settings.h"
#include "scene/view_fit.h"

namespace qv {

class AxisSystem {
 public:
  // Options (plain fields: setting one redraws nothing)
  bool Show = false;
  bool ShowXYPanel = false;
  bool ShowXZPanel = false;
  bool ShowYZPanel = false;
  // First grid family of each panel: lines at the ticks of its first axis.
  bool ShowXYXGrid = true;
  bool ShowXZXGrid = true;
  bool ShowYZYGrid = true;
  // Number of tick intervals setting of each axis.
  Long LabelNumX = 2;
  Long LabelNumY = 2;
  Long LabelNumZ = 2;
  // Second grid family of each panel.
  bool ShowXYYGrid = true;
  bool ShowXZZGrid = true;
  bool ShowYZZGrid = true;
  // Packed colours R + 256*G + 65536*B.
  Long XYPanelColor = kPanelColor;
  Long XZPanelColor = kPanelColor;
  Long YZPanelColor = kPanelColor;
  Long XYGridColor = kGridColor;
  Long XZGridColor = kGridColor;
  Long YZGridColor = kGridColor;
  // Material presets 1..13 of the panels.
  Long XYPanelMaterial = 4;
  Long XZPanelMaterial = 4;
  Long YZPanelMaterial = 4;
  Long AxisColor = 0;
  // Axis line width in pixels.
  Long AxisWidth = 1;
  // Labels and titles in the outline fonts (true) or the bitmap font.
  bool BetterFonts = true;
  // 1 panel style, 2 line style.
  Long AxisStyle = 1;

  static constexpr Long kPanelColor = 204 + 256 * 204 + 65536 * 204;
  static constexpr Long kGridColor = 153 + 256 * 153 + 65536 * 153;

  // Titles
  // The titles are cleaned as they are set so that the record reads back the
  // same fields: leading blanks are dropped, an "@" directly before a blank is
  // dropped, repeatedly (it would end the title early when read), and the title is cut
  // before its 101st blank (the reader joins at most 101 tokens).
  void SetTitleX(const std::string& title) { titleX_ = CleanTitle(title); }
  void SetTitleY(const std::string& title) { titleY_ = CleanTitle(title); }
  void SetTitleZ(const std::string& title) { titleZ_ = CleanTitle(title); }
  const std::string& TitleX() const { return titleX_; }
  const std::string& TitleY() const { return titleY_; }
  const std::string& TitleZ() const { return titleZ_; }
  // The title as SetTitle* would store it.
  static std::string CleanTitle(const std::string& title);

  // Operations
  // Tick scale of one axis over minV..maxV: a step of 1, 2 or 5 times a power
  // of ten, the first and last multiples of it bounding the range and the
  // number of ticks first + i*step, i = 0..count-1 (first up to but not
  // including last). A zero range counts from 0 to maxV and sets minV to 0.
  // A negative range, or a zero range with maxV <= 0, gives count 0 with
  // step, first and last 0. Non-finite input gives count 0 too.
  static void Coord(double& minV, double maxV, double& stepV, double& firstV, double& lastV,
                    Long& count);
  // Draws the axis system around box (scene axes, data units before the
  // centre is subtracted) into the current OpenGL context. mode is 2 from the
  // scene building and is not read. ViewCode 7 draws the 2D form (x and y
  // axes only). Reads CenterX/Y/Z, DataScaleX/Y/Z, the font bases and ViewCode.
  void Draw(Long mode, const Box& box, const SharedSettings& settings) const;
  // Adds to marks the points and texts Draw draws around box (the same
  // inputs), for fitting the view to them.
  void AddFootprint(const Box& box, const SharedSettings& settings,
                    std::vector<SceneMark>& marks) const;
  // The axis record: "0 " when hidden, otherwise the 28 items (more tokens
  // when a title holds blanks), each followed by one blank.
  std::string Save() const;
  // Reads an axis record at the reader's position (the inverse of Save):
  // Show and the flags take "1" or "True", Longs are rounded half to even,
  // titles follow the record's text rule. A title item that does not start
  // with "@" leaves the title unchanged and is not consumed.
  void Read(RecordReader& reader);
  // Resets the options to the defaults of File New (AxisStyle is kept).
  void SetDefault();

 private:
  std::string titleX_ = "X";
  std::string titleY_ = "Y";
  std::string titleZ_ = "Z";
};

}  // namespace qv
