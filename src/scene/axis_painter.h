// Draws one axis system (AxisSystem) around a box: the panels, their grids, the
// axis lines with arrow cones, the ticks, the tick labels and the titles.
//
//   3D (scene axes; data X runs along scene z, data Y along x, data Z up y):
//
//            y (data Z)
//            ^   XZ panel at x = min, YZ panel at z = min,
//            |   XY panel on the floor y = min; the three axes start at
//            |   the corner (min, min, min) and end in arrow cones,
//            o-----> x (data Y)   their titles beyond the tips.
//           /
//          z (data X)
//
//   2D (ViewCode 7): the horizontal axis is scene x (data X), the vertical
//   scene y (data Y), the box's z (the value) towards the viewer; one panel
//   (the XY panel) and its grid just behind the box, no third axis.
//
// Tick values come from AxisSystem::Coord over the data range (the box bounds
// multiplied back by the data scales); a tick at data value v sits at scene
// v / scale - centre. Labels are written at every LabelNum-th tick, starting
// with the first. Outline text faces the viewer.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/box.h"
#include "platform/shared_settings.h"
#include "scene/axis_system.h"
#include "scene/view_fit.h"

namespace qv {

class AxisPainter {
 public:
  AxisPainter(const AxisSystem& axis, const Box& box, const SharedSettings& settings);
  // Draws into the current GL context and restores the state it changed.
  void Draw() const;
  // Adds to marks what Draw draws: the box's corners, the axis tips and every
  // label and title with the extent of its text (the bitmap font's texts
  // counted as the outline font's). Adds nothing for an empty box.
  void AddFootprint(std::vector<SceneMark>& marks) const;

 private:
  using P3 = std::array<double, 3>;

  // One axis of the system: the scene axis it runs along, its extent in
  // centred scene units and how data values map onto it.
  struct Line {
    int along = 0;
    double lo = 0.0;
    double hi = 0.0;
    double scale = 1.0;
    double centre = 0.0;
    std::string title;
    Long labelEvery = 1;
    // Where ticks and labels stand off the axis.
    P3 outward{};
    // Labels end at their anchor (they lie left of the axis on screen).
    bool rightAlign = false;
  };

  struct Ticks {
    double first = 0.0;
    double step = 0.0;
    Long count = 0;
  };

  // A text the axis draws: its anchor, its height and how it lies on the
  // anchor.
  struct Text {
    P3 at{};
    std::string text;
    double size = 0.0;
    bool rightAlign = false;
    Long fontBase = 0;
  };

  Line MakeLine(int along, double lo, double hi, double scale, double centre,
                const std::string& title, Long labelNum, P3 outward, bool rightAlign) const;
  Ticks TicksOf(const Line& line) const;
  double SceneOf(const Line& line, double value) const { return value / line.scale - line.centre; }

  // The axes of the 3D and the 2D form, and where they start.
  std::array<Line, 3> Lines3D() const;
  std::array<Line, 2> Lines2D() const;
  double Plane2D() const;
  P3 Origin2D() const;
  P3 TipOf(const Line& line, const P3& origin) const;
  // The labels and the title of line drawn from origin.
  std::vector<Text> TextsOf(const Line& line, const P3& origin) const;

  void Draw3D() const;
  void Draw2D() const;
  void DrawPanel(bool show, Long color, Long material, int fixed, double at, const Line& a,
                 const Line& b) const;
  void DrawGrid(bool show, Long color, int fixed, double at, const Line& across,
                const Line& span) const;
  void DrawAxis(const Line& line, const P3& origin) const;
  void DrawCone(const P3& tip, int along) const;
  void DrawText(const P3& at, const std::string& text, double size, bool rightAlign,
                Long fontBase) const;

  const AxisSystem& axis_;
  const SharedSettings& settings_;
  P3 min_{};
  P3 max_{};
  double extent_ = 0.0;
};

}  // namespace qv
