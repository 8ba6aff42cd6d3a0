#include "axis_painter.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "platform/gl_text.h"
#include "scene/color.h"
#include "scene/material_preset.h"

namespace qv {

namespace {

// Sizes relative to the largest extent of the box.
constexpr double kOvershoot = 0.12;
constexpr double kConeLength = 0.05;
constexpr double kConeRadius = 0.015;
constexpr double kTickLength = 0.02;
constexpr double kLabelGap = 0.07;
constexpr double kTitleGap = 0.05;
// How far the 2D panel, grid and axes lie behind the box.
constexpr double kBehind = 0.01;
// Heights of label and title text; the two outline fonts were made at 3 and 5.
constexpr double kLabelSize = 0.06;
constexpr double kTitleSize = 0.1;

double UsableScale(double scale) { return scale != 0.0 && std::isfinite(scale) ? scale : 1.0; }

// The view's rotation undone, so that text drawn after it faces the viewer.
void MultiplyBillboard() {
  GLdouble m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  GLdouble b[16] = {0};
  for (int iRow = 0; iRow < 3; ++iRow) {
    for (int iCol = 0; iCol < 3; ++iCol) b[iCol * 4 + iRow] = m[iRow * 4 + iCol];
  }
  b[15] = 1.0;
  glMultMatrixd(b);
}

void Vertex(const std::array<double, 3>& p) { glVertex3d(p[0], p[1], p[2]); }

}  // namespace

AxisPainter::AxisPainter(const AxisSystem& axis, const Box& box, const SharedSettings& settings)
    : axis_(axis), settings_(settings) {
  const bool flat = settings.ViewCode == kViewCode2D;
  // Each box pair less the centre of the data axis it carries.
  const P3 centre = flat ? P3{settings.CenterX, settings.CenterY, settings.CenterZ}
                         : P3{settings.CenterY, settings.CenterZ, settings.CenterX};
  min_ = {box.MinX - centre[0], box.MinY - centre[1], box.MinZ - centre[2]};
  max_ = {box.MaxX - centre[0], box.MaxY - centre[1], box.MaxZ - centre[2]};
  extent_ = std::max(max_[0] - min_[0], max_[1] - min_[1]);
  if (!flat) extent_ = std::max(extent_, max_[2] - min_[2]);
}

void AxisPainter::Draw() const {
  // An empty group's box is inverted: there is nothing to draw around.
  if (!(extent_ > 0.0) || !std::isfinite(extent_)) return;
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT |
               GL_LIST_BIT);
  glMatrixMode(GL_MODELVIEW);
  if (settings_.ViewCode == kViewCode2D) {
    Draw2D();
  } else {
    Draw3D();
  }
  glPopAttrib();
}

AxisPainter::Line AxisPainter::MakeLine(int along, double lo, double hi, double scale,
                                        double centre, const std::string& title, Long labelNum,
                                        P3 outward, bool rightAlign) const {
  return Line{
      along,   lo,        hi, UsableScale(scale), centre, title, labelNum > 1 ? labelNum : 1,
      outward, rightAlign};
}

AxisPainter::Ticks AxisPainter::TicksOf(const Line& line) const {
  double lo = (line.lo + line.centre) * line.scale;
  double hi = (line.hi + line.centre) * line.scale;
  if (lo > hi) std::swap(lo, hi);
  Ticks ticks;
  double last = 0.0;
  AxisSystem::Coord(lo, hi, ticks.step, ticks.first, last, ticks.count);
  return ticks;
}

std::array<AxisPainter::Line, 3> AxisPainter::Lines3D() const {
  const double diag = 1.0 / std::sqrt(2.0);
  // Data X on scene z, data Y on scene x, data Z on scene y.
  return {MakeLine(2, min_[2], max_[2], settings_.DataScaleX, settings_.CenterX, axis_.TitleX(),
                   axis_.LabelNumX, {-1.0, 0.0, 0.0}, false),
          MakeLine(0, min_[0], max_[0], settings_.DataScaleY, settings_.CenterY, axis_.TitleY(),
                   axis_.LabelNumY, {0.0, 0.0, -1.0}, false),
          // Off the corner across the floor's diagonal, so that the labels do
          // not sit on the vertical axis in the usual diagonal view.
          MakeLine(1, min_[1], max_[1], settings_.DataScaleZ, settings_.CenterZ, axis_.TitleZ(),
                   axis_.LabelNumZ, {-diag, 0.0, diag}, true)};
}

std::array<AxisPainter::Line, 2> AxisPainter::Lines2D() const {
  // Data X across on scene x, data Y up on scene y, as the graphs draw them.
  return {MakeLine(0, min_[0], max_[0], settings_.DataScaleX, settings_.CenterX, axis_.TitleX(),
                   axis_.LabelNumX, {0.0, -1.0, 0.0}, false),
          MakeLine(1, min_[1], max_[1], settings_.DataScaleY, settings_.CenterY, axis_.TitleY(),
                   axis_.LabelNumY, {-1.0, 0.0, 0.0}, true)};
}

// Just behind the back of the box, so that a colour map lying there covers
// the 2D panel and its grid.
double AxisPainter::Plane2D() const { return min_[2] - kBehind * extent_; }

AxisPainter::P3 AxisPainter::Origin2D() const { return {min_[0], min_[1], Plane2D()}; }

AxisPainter::P3 AxisPainter::TipOf(const Line& line, const P3& origin) const {
  P3 tip = origin;
  tip[line.along] = line.hi + kOvershoot * extent_;
  return tip;
}

void AxisPainter::AddFootprint(std::vector<SceneMark>& marks) const {
  if (!(extent_ > 0.0) || !std::isfinite(extent_)) return;
  const bool flat = settings_.ViewCode == kViewCode2D;
  const double back = flat ? std::min(min_[2], Plane2D()) : min_[2];
  for (int iCorner = 0; iCorner < 8; ++iCorner) {
    marks.push_back(
        {{(iCorner & 1) != 0 ? max_[0] : min_[0], (iCorner & 2) != 0 ? max_[1] : min_[1],
          (iCorner & 4) != 0 ? max_[2] : back}});
  }
  const auto addAxis = [&](const Line& line, const P3& origin) {
    marks.push_back({TipOf(line, origin)});
    for (const Text& t : TextsOf(line, origin)) {
      // Outline text runs from its anchor (right-aligned) or about it, from
      // 0.35 em below the anchor; a glyph reaches about 0.2 em below its
      // baseline and 0.8 em above it.
      const double width = OutlineTextWidth(t.text) * t.size;
      marks.push_back({t.at, t.rightAlign ? width : width / 2.0, t.rightAlign ? 0.0 : width / 2.0,
                       0.55 * t.size, 0.45 * t.size});
    }
  };
  if (flat) {
    for (const Line& line : Lines2D()) addAxis(line, Origin2D());
  } else {
    for (const Line& line : Lines3D()) addAxis(line, min_);
  }
}

void AxisPainter::Draw3D() const {
  const auto [x, y, z] = Lines3D();
  if (axis_.AxisStyle != 2) {
    DrawPanel(axis_.ShowXYPanel, axis_.XYPanelColor, axis_.XYPanelMaterial, 1, min_[1], x, y);
    DrawPanel(axis_.ShowXZPanel, axis_.XZPanelColor, axis_.XZPanelMaterial, 0, min_[0], x, z);
    DrawPanel(axis_.ShowYZPanel, axis_.YZPanelColor, axis_.YZPanelMaterial, 2, min_[2], y, z);
    DrawGrid(axis_.ShowXYXGrid, axis_.XYGridColor, 1, min_[1], x, y);
    DrawGrid(axis_.ShowXYYGrid, axis_.XYGridColor, 1, min_[1], y, x);
    DrawGrid(axis_.ShowXZXGrid, axis_.XZGridColor, 0, min_[0], x, z);
    DrawGrid(axis_.ShowXZZGrid, axis_.XZGridColor, 0, min_[0], z, x);
    DrawGrid(axis_.ShowYZYGrid, axis_.YZGridColor, 2, min_[2], y, z);
    DrawGrid(axis_.ShowYZZGrid, axis_.YZGridColor, 2, min_[2], z, y);
  }
  for (const Line* line : {&x, &y, &z}) DrawAxis(*line, min_);
}

void AxisPainter::Draw2D() const {
  const auto [h, v] = Lines2D();
  const double plane = Plane2D();
  if (axis_.AxisStyle != 2) {
    DrawPanel(axis_.ShowXYPanel, axis_.XYPanelColor, axis_.XYPanelMaterial, 2, plane, h, v);
    DrawGrid(axis_.ShowXYXGrid, axis_.XYGridColor, 2, plane, h, v);
    DrawGrid(axis_.ShowXYYGrid, axis_.XYGridColor, 2, plane, v, h);
  }
  DrawAxis(h, Origin2D());
  DrawAxis(v, Origin2D());
}

// A filled panel in the plane where axis `fixed` is `at`, spanning a and b,
// lit with its material and coloured by its colour (colour tracking).
void AxisPainter::DrawPanel(bool show, Long color, Long material, int fixed, double at,
                            const Line& a, const Line& b) const {
  if (!show) return;
  MaterialPreset panelMaterial;
  panelMaterial.SetMaterial(material);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  // Pushed back a little so the grid lines on it stay visible.
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(1.0f, 1.0f);
  SetGlColor(color);
  P3 normal{0.0, 0.0, 0.0};
  normal[fixed] = 1.0;
  glNormal3d(normal[0], normal[1], normal[2]);
  glBegin(GL_QUADS);
  for (const auto& [ua, ub] : {std::pair{a.lo, b.lo}, {a.hi, b.lo}, {a.hi, b.hi}, {a.lo, b.hi}}) {
    P3 p{};
    p[fixed] = at;
    p[a.along] = ua;
    p[b.along] = ub;
    Vertex(p);
  }
  glEnd();
  glDisable(GL_POLYGON_OFFSET_FILL);
  glDisable(GL_COLOR_MATERIAL);
}

// Lines at the ticks of `across`, each spanning the extent of `span`.
void AxisPainter::DrawGrid(bool show, Long color, int fixed, double at, const Line& across,
                           const Line& span) const {
  if (!show) return;
  const Ticks ticks = TicksOf(across);
  glDisable(GL_LIGHTING);
  glLineWidth(1.0f);
  SetGlColor(color);
  glBegin(GL_LINES);
  for (Long iT = 0; iT < ticks.count; ++iT) {
    P3 p{};
    p[fixed] = at;
    p[across.along] = SceneOf(across, ticks.first + iT * ticks.step);
    p[span.along] = span.lo;
    Vertex(p);
    p[span.along] = span.hi;
    Vertex(p);
  }
  glEnd();
}

void AxisPainter::DrawAxis(const Line& line, const P3& origin) const {
  glDisable(GL_LIGHTING);
  SetGlColor(axis_.AxisColor);
  glLineWidth(static_cast<GLfloat>(axis_.AxisWidth >= 1 ? axis_.AxisWidth : 1));
  const P3 tip = TipOf(line, origin);
  glBegin(GL_LINES);
  Vertex(origin);
  Vertex(tip);
  const Ticks ticks = TicksOf(line);
  const double tick = kTickLength * extent_;
  for (Long iT = 0; iT < ticks.count; ++iT) {
    P3 p = origin;
    p[line.along] = SceneOf(line, ticks.first + iT * ticks.step);
    Vertex(p);
    Vertex({p[0] + line.outward[0] * tick, p[1] + line.outward[1] * tick,
            p[2] + line.outward[2] * tick});
  }
  glEnd();
  DrawCone(tip, line.along);
  for (const Text& t : TextsOf(line, origin))
    DrawText(t.at, t.text, t.size, t.rightAlign, t.fontBase);
}

std::vector<AxisPainter::Text> AxisPainter::TextsOf(const Line& line, const P3& origin) const {
  std::vector<Text> texts;
  const Ticks ticks = TicksOf(line);
  const double gap = kLabelGap * extent_;
  for (Long iT = 0; iT < ticks.count; iT += line.labelEvery) {
    const double value = ticks.first + iT * ticks.step;
    P3 p = origin;
    p[line.along] = SceneOf(line, value);
    for (int iA = 0; iA < 3; ++iA) p[iA] += line.outward[iA] * gap;
    // Snap values within rounding of 0 so that no label reads "-1E-16".
    const double shown = std::fabs(value) < ticks.step * 1e-9 ? 0.0 : value;
    texts.push_back({p, FormatDouble(shown), kLabelSize * extent_, line.rightAlign,
                     settings_.OutlineFontBase1});
  }
  P3 titleAt = TipOf(line, origin);
  titleAt[line.along] += kTitleGap * extent_;
  if (!line.title.empty())
    texts.push_back({titleAt, line.title, kTitleSize * extent_, false, settings_.OutlineFontBase2});
  return texts;
}

void AxisPainter::DrawCone(const P3& tip, int along) const {
  GLUquadric* quadric = gluNewQuadric();
  if (quadric == nullptr) return;
  const double length = kConeLength * extent_;
  glPushMatrix();
  P3 base = tip;
  base[along] -= length;
  glTranslated(base[0], base[1], base[2]);
  // gluCylinder points along +z.
  if (along == 0) glRotated(90.0, 0.0, 1.0, 0.0);
  if (along == 1) glRotated(-90.0, 1.0, 0.0, 0.0);
  gluCylinder(quadric, kConeRadius * extent_, 0.0, length, 12, 1);
  glPopMatrix();
  gluDeleteQuadric(quadric);
}

void AxisPainter::DrawText(const P3& at, const std::string& text, double size, bool rightAlign,
                           Long fontBase) const {
  if (text.empty()) return;
  if (!axis_.BetterFonts || fontBase == 0) {
    const GlColor c = SplitColor(axis_.AxisColor);
    DrawBitmapText(settings_.BitmapFontBase, text, static_cast<float>(at[0]),
                   static_cast<float>(at[1]), static_cast<float>(at[2]), static_cast<float>(c.r),
                   static_cast<float>(c.g), static_cast<float>(c.b));
    return;
  }
  glPushMatrix();
  glTranslated(at[0], at[1], at[2]);
  MultiplyBillboard();
  glScaled(size, size, size);
  const double width = OutlineTextWidth(text);
  glTranslated(rightAlign ? -width : -width / 2.0, -0.35, 0.0);
  DrawOutlineText(fontBase, text);
  glPopMatrix();
}

}  // namespace qv
