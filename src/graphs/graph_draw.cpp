// The graph drawing dispatcher and the kinds drawn outside the surface
// drawing: lines, points, the vector plot and the 4D scatter and vectors.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "graphs/graph.h"
#include "data_view.h"
#include "graph_geometry.h"
#include "graphs/workspace.h"
#include "scene/material_preset.h"

namespace qv {

namespace {

constexpr double kMissingValue = 0.12345;
constexpr double kLayerDrop = 3.0;
constexpr Long k2DView = 7;
constexpr double kRadiansToDegrees = 180.0 / 3.14159265358979323846;
// Radius of an arrow's head over that of its shaft.
constexpr double kHeadWidth = 2.5;

GLfloat WidthOf(Long width) { return static_cast<GLfloat>(std::max<Long>(width, 1)); }

void PutCentred(const SharedSettings& s, const ScenePoint& p) {
  glVertex3d(p.x - s.CenterY, p.y - s.CenterZ, p.z - s.CenterX);
}

// The closing state changes of the line kinds.
void EndLineState() {
  glDisable(GL_LINE_SMOOTH);
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
}

void BeginSmoothLines() {
  glDisable(GL_LIGHTING);
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
}

// The scattered points a volume was gridded from, as yellow markers, so that
// the user sees where the measured values lie among the drawn nodes.
void DrawIrregularVolumePoints(const DataSet& d, const SharedSettings& s) {
  const CheckedArray<double, 1>& x = d.Irreg4DXArray();
  const CheckedArray<double, 1>& y = d.Irreg4DYArray();
  const CheckedArray<double, 1>& z = d.Irreg4DZArray();
  if (!x.Allocated() || !y.Allocated() || !z.Allocated()) return;
  const Long count = std::min({d.Points(), x.Upper() + 1, y.Upper() + 1, z.Upper() + 1});
  for (Long p = 0; p < count; ++p) {
    PointMarker marker;
    marker.init(x(p), y(p), z(p), RGB(255, 255, 0), 4.0, 0);
    marker.Draw(s);
  }
}

}  // namespace

void Graph::Draw() {
  const SurfaceView surface(Owner().dataSet, StepU, StepV);
  nodeTable_.Redim0(std::max<Long>(surface.LastU(), 0), std::max<Long>(surface.LastV(), 0));
  if (FindNamedColorMap(ColorName) != nullptr) SetColorMap(ColorName);
  GetBox();
  const Long t = GraphType;
  if (t >= kColorMapGraph && t <= 17) {
    for (Long i = 0; i <= surface.LastU(); ++i) {
      for (Long j = 0; j <= surface.LastV(); ++j) {
        PointMarker& node = nodeTable_(i, j);
        node.z = surface.X(i, j);
        node.x = surface.Y(i, j);
        node.y = surface.Z(i, j);
      }
    }
  }
  if (t == kSurfaceModel && (ShowContour || ShowVector || ShowColormap)) {
    boxMinY_ += kLayerDrop;
  }
  // A graph leaves no GL state behind for the axis system and the next graph.
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, Material == 5 ? GL_EMISSION : GL_DIFFUSE);
  MaterialPreset().SetMaterial(Material);
  switch (t) {
    case 2: case 6: case 12: case 13: case 18: case 19: case 21: case 22: case 24:
      DrawSurface();
      break;
    case kLineGraph: DrawLines(); break;
    case kPointGraph: DrawPoint(); break;
    case kContourPlot: DrawContourPlot(); break;
    case kVectorPlot: DrawVectorPlot(); break;
    case kContour3DPlot: DrawContour3D(); break;
    case kScatter4D:
      DrawScatter4D();
      if (ShowIrregData) DrawIrregularVolumePoints(Owner().dataSet, Owner().settings);
      break;
    case kVector4D:
      DrawVector4D();
      if (ShowIrregData) DrawIrregularVolumePoints(Owner().dataSet, Owner().settings);
      break;
    case kSlice4D: Draw4DSlices(); break;
    case kIsoSurface4D: DrawIsoSurface(); break;
    default: break;
  }
  glPopAttrib();
}

// Line kind: the polyline through VertTab3D(0, 0..StepV) (at most 200
// segments, the table's size), each marker's data position divided by the
// data scales, then a square marker on every vertex.
void Graph::DrawLines() {
  const SharedSettings& s = Owner().settings;
  const Long last = std::min(StepV, kVertTabUpper);
  const auto scaled = [&](Long i) {
    const std::shared_ptr<PointMarker> m = VertTab3D(0, i);
    return ScenePoint{m->y / s.DataScaleY, m->z / s.DataScaleZ, m->x / s.DataScaleX};
  };
  const Rgb color = SplitColor(LineColor);
  glColor3d(color.r, color.g, color.b);
  glLineWidth(WidthOf(LineWidth));
  for (Long i = 0; i < last; ++i) {
    glBegin(GL_LINES);
    PutCentred(s, scaled(i));
    PutCentred(s, scaled(i + 1));
    glEnd();
  }
  for (Long i = 0; i <= last; ++i) {
    const std::shared_ptr<PointMarker> m = VertTab3D(0, i);
    m->Size = 2.0;
    m->Symbol = 2;
    m->Color = 0;
    const ScenePoint p = scaled(i);
    PointMarker drawn = *m;
    drawn.x = p.z;
    drawn.y = p.x;
    drawn.z = p.y;
    drawn.Draw(s);
  }
  EndLineState();
}

// Point kind: one marker at the point's position (graph_geometry.h); a cross
// in 2D, the default symbol otherwise.
void Graph::DrawPoint() {
  const SharedSettings& s = Owner().settings;
  const bool flat = s.ViewCode == k2DView;
  if (flat) BeginSmoothLines();
  const ScenePoint p = PointGraphPosition(*this);
  PointMarker marker;
  marker.x = p.z;
  marker.y = p.x;
  marker.z = p.y;
  if (flat) marker.Symbol = 1;
  marker.Color = PointColor;
  marker.Size = PointSize;
  marker.Draw(s);
  if (flat) {
    glEnable(GL_LIGHTING);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_BLEND);
  }
}

// An arrow from (x1, y1, z1) to (x2, y2, z2) (centred scene coordinates): a
// cylinder of the given radius over the first three quarters and a cone of
// 2.5 times that radius over the last quarter.
void Graph::DrawArrow(double x1, double y1, double z1, double x2, double y2, double z2,
                     double radius) const {
  const double dx = x2 - x1, dy = y2 - y1, dz = z2 - z1;
  const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
  if (length == 0.0) return;
  GLUquadric* quadric = gluNewQuadric();
  glPushMatrix();
  glTranslatef(static_cast<GLfloat>(x1), static_cast<GLfloat>(y1), static_cast<GLfloat>(z1));
  // The quadric's axis is +z: turn it onto the direction about z x d.
  const double angle = std::acos(std::clamp(dz / length, -1.0, 1.0)) * kRadiansToDegrees;
  if (std::hypot(dx, dy) > 0.0) {
    glRotatef(static_cast<GLfloat>(angle), static_cast<GLfloat>(-dy), static_cast<GLfloat>(dx),
              0.0f);
  } else if (dz < 0) {
    glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
  }
  gluCylinder(quadric, radius, radius, 0.75 * length, 8, 1);
  glTranslated(0.0, 0.0, 0.75 * length);
  gluCylinder(quadric, kHeadWidth * radius, 0.0, 0.25 * length, 8, 1);
  glPopMatrix();
  gluDeleteQuadric(quadric);
}

// Vector plot: at every interior node an arrow along the slope of the
// surface (uphill; the slope from the central differences of the four
// neighbour heights), lying just above the plane of the lowest node so its
// head stays inside the graph's box. The longest arrow is 0.9 of the
// smallest node spacing, the others in proportion; the shaft's radius is 0.03
// of that spacing and the head a cone of 2.5 times the radius over the last
// quarter. A node next to a missing value draws nothing.
void Graph::DrawVectorPlot() {
  const SharedSettings& s = Owner().settings;
  BeginSmoothLines();
  const Rgb color = SplitColor(VectorColor);
  glColor3f(static_cast<GLfloat>(color.r), static_cast<GLfloat>(color.g),
            static_cast<GLfloat>(color.b));
  const Long lastU = nodeTable_.Upper(0);
  const Long lastV = nodeTable_.Upper(1);
  struct Arrow {
    ScenePoint at, dir;
  };
  std::vector<Arrow> arrows;
  double maxLength = 0.0;
  double minSpacing = INFINITY;
  for (Long i = 1; i < lastU; ++i) {
    for (Long j = 1; j < lastV; ++j) {
      const PointMarker& w = nodeTable_(i, j - 1);
      const PointMarker& n = nodeTable_(i - 1, j);
      const PointMarker& e = nodeTable_(i + 1, j);
      const PointMarker& sN = nodeTable_(i, j + 1);
      if (w.y == kMissingValue || n.y == kMissingValue || e.y == kMissingValue ||
          sN.y == kMissingValue) {
        continue;
      }
      const double lu = std::hypot(e.x - n.x, e.z - n.z);
      const double lv = std::hypot(sN.x - w.x, sN.z - w.z);
      if (lu == 0.0 || lv == 0.0) continue;
      minSpacing = std::min({minSpacing, lu / 2, lv / 2});
      const double gu = (e.y - n.y) / lu;
      const double gv = (sN.y - w.y) / lv;
      const ScenePoint dir{gu * (e.x - n.x) / lu + gv * (sN.x - w.x) / lv, 0.0,
                           gu * (e.z - n.z) / lu + gv * (sN.z - w.z) / lv};
      maxLength = std::max(maxLength, std::hypot(dir.x, dir.z));
      const PointMarker& c = nodeTable_(i, j);
      arrows.push_back({{c.x, boxMinY_, c.z}, dir});
    }
  }
  if (!arrows.empty() && maxLength > 0.0) {
    const double scale = 0.9 * minSpacing / maxLength;
    const double radius = 0.03 * minSpacing;
    const double lift = kHeadWidth * radius;
    for (const Arrow& a : arrows) {
      const double x = a.at.x - s.CenterY, y = a.at.y + lift - s.CenterZ,
                   z = a.at.z - s.CenterX;
      DrawArrow(x, y, z, x + a.dir.x * scale, y, z + a.dir.z * scale, radius);
    }
  }
  EndLineState();
}

// 4D scatter: one point per node of the regular volume at the node's place,
// PointSize pixels wide (4 when no size is set), coloured by the node's value
// over MInv..MaxV: with FillStyle 4 through the colour map, otherwise as a
// ramp of Scat4DColor from a quarter of its intensity at the lowest value to
// the full colour at the highest, so the value reads as brightness on the
// white background while the graph keeps the colour its user chose.
void Graph::DrawScatter4D() {
  const SharedSettings& s = Owner().settings;
  const VolumeView v(Owner().dataSet, StepU, StepV, StepH);
  if (v.Empty()) return;
  const bool byMap = FillStyle == 4;
  if (byMap) {
    if (ColorName.empty()) ColorName = "Rainbow";
    SetColorMap(ColorName);
  }
  const ColorPointList map = ColorPoints();
  const Rgb full = SplitColor(Scat4DColor);
  const Rgb dim{0.25 * full.r, 0.25 * full.g, 0.25 * full.b};
  const double range = MaxV - MInv;
  glDisable(GL_LIGHTING);
  glPointSize(static_cast<GLfloat>(PointSize >= 1.0 ? PointSize : 4.0));
  glBegin(GL_POINTS);
  for (Long i = 0; i <= v.LastU(); ++i) {
    for (Long j = 0; j <= v.LastV(); ++j) {
      for (Long k = 0; k <= v.LastH(); ++k) {
        const double t = MapScale(v.V(i, j, k), MInv, range);
        const Rgb c = byMap ? LookupColor(map, t) : GradedColor(full, dim, t / 100.0);
        glColor3d(c.r, c.g, c.b);
        PutCentred(s, {v.Y(i, j, k), v.Z(i, j, k), v.X(i, j, k)});
      }
    }
  }
  glEnd();
  glEnable(GL_LIGHTING);
}

// 4D vectors: at every interior node of the regular volume a segment along
// the gradient of the value (central differences, uphill), the longest 0.8
// of the smallest node spacing, with a two-stroke head, in Vect4DColor.
void Graph::DrawVector4D() {
  const SharedSettings& s = Owner().settings;
  const VolumeView v(Owner().dataSet, StepU, StepV, StepH);
  if (v.LastU() < 2 || v.LastV() < 2 || v.LastH() < 2) return;
  const auto at = [&](Long i, Long j, Long k) {
    return ScenePoint{v.Y(i, j, k), v.Z(i, j, k), v.X(i, j, k)};
  };
  struct Arrow {
    ScenePoint at, dir;
  };
  std::vector<Arrow> arrows;
  double maxLength = 0.0;
  double minSpacing = INFINITY;
  for (Long i = 1; i < v.LastU(); ++i) {
    for (Long j = 1; j < v.LastV(); ++j) {
      for (Long k = 1; k < v.LastH(); ++k) {
        const ScenePoint axes[3][2] = {{at(i - 1, j, k), at(i + 1, j, k)},
                                       {at(i, j - 1, k), at(i, j + 1, k)},
                                       {at(i, j, k - 1), at(i, j, k + 1)}};
        const double dv[3] = {v.V(i + 1, j, k) - v.V(i - 1, j, k),
                              v.V(i, j + 1, k) - v.V(i, j - 1, k),
                              v.V(i, j, k + 1) - v.V(i, j, k - 1)};
        ScenePoint dir{0, 0, 0};
        bool degenerate = false;
        for (int a = 0; a < 3; ++a) {
          const ScenePoint d{axes[a][1].x - axes[a][0].x, axes[a][1].y - axes[a][0].y,
                             axes[a][1].z - axes[a][0].z};
          const double len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
          if (len == 0.0) {
            degenerate = true;
            break;
          }
          minSpacing = std::min(minSpacing, len / 2);
          const double g = dv[a] / len;
          dir = {dir.x + g * d.x / len, dir.y + g * d.y / len, dir.z + g * d.z / len};
        }
        const double length = std::sqrt(dir.x * dir.x + dir.y * dir.y + dir.z * dir.z);
        // A flat spot has no direction to show.
        if (degenerate || length == 0.0) continue;
        maxLength = std::max(maxLength, length);
        arrows.push_back({at(i, j, k), dir});
      }
    }
  }
  if (arrows.empty() || maxLength == 0.0) return;
  const double scale = 0.8 * minSpacing / maxLength;
  const Rgb color = SplitColor(Vect4DColor);
  glDisable(GL_LIGHTING);
  glColor3d(color.r, color.g, color.b);
  glBegin(GL_LINES);
  for (const Arrow& a : arrows) {
    const ScenePoint tip{a.at.x + a.dir.x * scale, a.at.y + a.dir.y * scale,
                         a.at.z + a.dir.z * scale};
    PutCentred(s, a.at);
    PutCentred(s, tip);
    // Head: two strokes back from the tip, 0.3 of the length, spread in the
    // plane of the shaft and the scene's vertical (or x when vertical).
    const ScenePoint d{tip.x - a.at.x, tip.y - a.at.y, tip.z - a.at.z};
    ScenePoint side = Cross(d, ScenePoint{0, 1, 0});
    if (side.x == 0 && side.y == 0 && side.z == 0) side = Cross(d, ScenePoint{1, 0, 0});
    side = Normalized(side);
    const double len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    for (double sign : {-1.0, 1.0}) {
      PutCentred(s, tip);
      PutCentred(s, {tip.x - 0.3 * d.x + sign * 0.12 * len * side.x,
                     tip.y - 0.3 * d.y + sign * 0.12 * len * side.y,
                     tip.z - 0.3 * d.z + sign * 0.12 * len * side.z});
    }
  }
  glEnd();
  glEnable(GL_LIGHTING);
}

// Kinds drawn by the contour, iso-surface and texture routines, which come
// later; until then they draw nothing (the set-up above still runs).
void Graph::DrawContourPlot() {}
void Graph::DrawContour3D() {}
void Graph::Draw4DSlices() {}
void Graph::DrawIsoSurface() {}
void Graph::DrawSurfaceContours() {}
bool Graph::LoadSurfaceTexture() { return false; }

}  // namespace qv
