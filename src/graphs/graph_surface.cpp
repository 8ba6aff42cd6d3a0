// The surface drawing of the mesh kinds and of the Delaunay triangles.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "graphs/graph.h"
#include "data_view.h"
#include "graph_geometry.h"
#include "graphs/workspace.h"

namespace qv {

namespace {

// Height of the missing-value marker in the data.
constexpr double kMissingValue = 0.12345;
// The layers under a surface lie this far below its lowest node.
constexpr double kLayerDrop = 3.0;
constexpr double kPi = 3.14159265358979323846;

void ApplyShadeModel(Long smoothness) {
  if (smoothness == 1) glShadeModel(GL_FLAT);
  if (smoothness == 2 || smoothness == 3) glShadeModel(GL_SMOOTH);
}

void ApplyPolygonMode(Long show) {
  if (show == 1) glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
  if (show == 2) glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  if (show == 3) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

GLfloat WidthOf(Long width) { return static_cast<GLfloat>(std::max<Long>(width, 1)); }

}  // namespace

// The colours and the box that every vertex colour of one surface drawing
// is chosen from.
struct SurfaceColors {
  Rgb first;
  Rgb second;
  Rgb line;
  Long fillStyle = 0;
  // Box pairs (scene axes) and the colour-value range.
  double minX = 0, spanX = 0, minY = 0, spanY = 0, minZ = 0, spanZ = 0, minC = 0, spanC = 0;
  ColorPointList map;

  // The FillStyle colour of a vertex at p with colour value c; none for a
  // style that sets no colour. 0, 1, 2 blend from SecondColor at the minimum
  // to FirstColor at the maximum of the first, third and second box pair; 3
  // is FirstColor; 4 the colour map over the colour-value range.
  std::optional<Rgb> At(const ScenePoint& p, double c) const {
    switch (fillStyle) {
      case 0: return GradedColor(first, second, SpanFraction(p.x, minX, spanX));
      case 1: return GradedColor(first, second, SpanFraction(p.z, minZ, spanZ));
      case 2: return GradedColor(first, second, SpanFraction(p.y, minY, spanY));
      case 3: return first;
      case 4: return LookupColor(map, MapScale(c, minC, spanC));
      default: return std::nullopt;
    }
  }
};

namespace {

// Emits the vertices of one surface: texture coordinate, normal, colour,
// then the centred vertex.
class VertexEmitter {
 public:
  VertexEmitter(const Graph& graph, const SurfaceColors& colors, const SharedSettings& settings)
      : graph_(graph), colors_(colors), settings_(settings) {}

  // Draws a vertex at p whose colour is that of a node at colourAt with
  // colour value c; (s, t) is its texture coordinate.
  void Vertex(const ScenePoint& p, const ScenePoint& colourAt, const ScenePoint& n, double c,
              double s, double t) const {
    if (graph_.ShowTex) {
      if (graph_.GraphType == 12) {
        glTexCoord2f(static_cast<GLfloat>(s), static_cast<GLfloat>(t));
      } else {
        glTexCoord2d(s, t);
      }
    }
    glNormal3d(n.x, n.y, n.z);
    Color(colourAt, c);
    Put(p);
  }
  void Color(const ScenePoint& p, double c) const {
    std::optional<Rgb> rgb = colors_.At(p, c);
    // A modulating texture (TexMode 1) shows its own colours under white.
    if (graph_.ShowTex && graph_.TexMode == 1) rgb = Rgb{1.0, 1.0, 1.0};
    if (!rgb) return;
    if (graph_.ShowTrans) {
      glColor4d(rgb->r, rgb->g, rgb->b, graph_.TransAlpha);
    } else if (graph_.ShowTex) {
      glColor4d(rgb->r, rgb->g, rgb->b, 1.0);
    } else {
      glColor3d(rgb->r, rgb->g, rgb->b);
    }
  }
  void Put(const ScenePoint& p) const {
    glVertex3d(p.x - settings_.CenterY, p.y - settings_.CenterZ, p.z - settings_.CenterX);
  }

 private:
  const Graph& graph_;
  const SurfaceColors& colors_;
  const SharedSettings& settings_;
};

// The nodes of the regular surface in scene axes with a normal each.
struct SurfaceMesh {
  Long lastU = -1;
  Long lastV = -1;
  std::vector<ScenePoint> p;
  std::vector<ScenePoint> n;
  std::vector<double> c;
  // Height of the lowest node: the layers under the surface hang from it.
  double lowest = 0.0;
  std::size_t At(Long i, Long j) const {
    return static_cast<std::size_t>(i) * static_cast<std::size_t>(lastV + 1) +
           static_cast<std::size_t>(j);
  }
};

// Node positions from the data set and normals from central differences
// (one-sided at the border), turned to face up (+y) so that light from
// above shows the surface from either grid orientation.
SurfaceMesh BuildMesh(const SurfaceView& s) {
  SurfaceMesh m;
  m.lastU = s.LastU();
  m.lastV = s.LastV();
  if (s.Empty()) return m;
  const std::size_t count = m.At(m.lastU, m.lastV) + 1;
  m.p.resize(count);
  m.n.resize(count);
  m.c.resize(count);
  m.lowest = INFINITY;
  for (Long i = 0; i <= m.lastU; ++i) {
    for (Long j = 0; j <= m.lastV; ++j) {
      m.p[m.At(i, j)] = {s.Y(i, j), s.Z(i, j), s.X(i, j)};
      m.c[m.At(i, j)] = s.C(i, j);
      m.lowest = std::min(m.lowest, s.Z(i, j));
    }
  }
  for (Long i = 0; i <= m.lastU; ++i) {
    for (Long j = 0; j <= m.lastV; ++j) {
      const ScenePoint& a = m.p[m.At(std::min(i + 1, m.lastU), j)];
      const ScenePoint& b = m.p[m.At(std::max(i - 1, 0), j)];
      const ScenePoint& c = m.p[m.At(i, std::min(j + 1, m.lastV))];
      const ScenePoint& d = m.p[m.At(i, std::max(j - 1, 0))];
      const ScenePoint du{a.x - b.x, a.y - b.y, a.z - b.z};
      const ScenePoint dv{c.x - d.x, c.y - d.y, c.z - d.z};
      ScenePoint n = Normalized(Cross(du, dv));
      if (n.y < 0) n = {-n.x, -n.y, -n.z};
      m.n[m.At(i, j)] = n;
    }
  }
  return m;
}

ScenePoint Lowered(ScenePoint p, double y) {
  p.y = y;
  return p;
}

// One GL_QUADS pass over the cells; place(p) gives the drawn position (the
// node itself, or flattened onto a layer), the colour follows the node.
template <typename Place>
void DrawCells(const SurfaceMesh& m, const VertexEmitter& emit, Place place,
               const std::optional<ScenePoint>& normal) {
  if (m.lastU < 1 || m.lastV < 1) return;
  const double su = 1.0 / m.lastU;
  const double sv = 1.0 / m.lastV;
  glBegin(GL_QUADS);
  for (Long i = 0; i < m.lastU; ++i) {
    for (Long j = 0; j < m.lastV; ++j) {
      const Long corners[4][2] = {{i, j}, {i + 1, j}, {i + 1, j + 1}, {i, j + 1}};
      for (const auto& ij : corners) {
        const std::size_t k = m.At(ij[0], ij[1]);
        emit.Vertex(place(m.p[k]), m.p[k], normal ? *normal : m.n[k], m.c[k], ij[1] * sv,
                    ij[0] * su);
      }
    }
  }
  glEnd();
}

// Vertex model: one point per node in VertColor, VertSize pixels wide.
void DrawVertexModel(const Graph& g, const SurfaceMesh& m, const VertexEmitter& emit) {
  const Rgb color = SplitColor(g.VertColor);
  glPointSize(WidthOf(g.VertSize));
  glColor3d(color.r, color.g, color.b);
  glBegin(GL_POINTS);
  for (const ScenePoint& p : m.p) emit.Put(p);
  glEnd();
}

// Grid model: the grid lines along both node directions in GridColor,
// GridWidth pixels wide.
void DrawGridModel(const Graph& g, const SurfaceMesh& m, const VertexEmitter& emit) {
  const Rgb color = SplitColor(g.GridColor);
  glLineWidth(WidthOf(g.GridWidth));
  glColor3d(color.r, color.g, color.b);
  for (Long i = 0; i <= m.lastU; ++i) {
    glBegin(GL_LINE_STRIP);
    for (Long j = 0; j <= m.lastV; ++j) emit.Put(m.p[m.At(i, j)]);
    glEnd();
  }
  for (Long j = 0; j <= m.lastV; ++j) {
    glBegin(GL_LINE_STRIP);
    for (Long i = 0; i <= m.lastU; ++i) emit.Put(m.p[m.At(i, j)]);
    glEnd();
  }
}

// The vector layer: per cell one segment along the slope of the surface
// (uphill, from the cell's two edges at its first node), drawn from the
// cell's centre on the plane below the surface, with a two-stroke head. The
// longest segment is 0.4 of the smallest cell edge, so every arrow stays
// inside its own cell and the picture inside the surface's box. A cell with
// a missing value at any corner draws nothing.
void DrawVectorLayer(const SurfaceMesh& m, double y, const VertexEmitter& emit) {
  struct Arrow {
    ScenePoint from, dir;
  };
  std::vector<Arrow> arrows;
  double maxLength = 0.0;
  double minEdge = INFINITY;
  for (Long i = 0; i < m.lastU; ++i) {
    for (Long j = 0; j < m.lastV; ++j) {
      const std::size_t k00 = m.At(i, j), k10 = m.At(i + 1, j), k01 = m.At(i, j + 1),
                        k11 = m.At(i + 1, j + 1);
      if (m.c[k00] == kMissingValue || m.c[k10] == kMissingValue ||
          m.c[k01] == kMissingValue || m.c[k11] == kMissingValue) {
        continue;
      }
      const ScenePoint& p = m.p[k00];
      const ScenePoint eu{m.p[k10].x - p.x, 0, m.p[k10].z - p.z};
      const ScenePoint ev{m.p[k01].x - p.x, 0, m.p[k01].z - p.z};
      const double lu = std::hypot(eu.x, eu.z);
      const double lv = std::hypot(ev.x, ev.z);
      if (lu == 0.0 || lv == 0.0) continue;
      minEdge = std::min({minEdge, lu, lv});
      const double gu = (m.p[k10].y - p.y) / lu;
      const double gv = (m.p[k01].y - p.y) / lv;
      const ScenePoint dir{gu * eu.x / lu + gv * ev.x / lv, 0, gu * eu.z / lu + gv * ev.z / lv};
      const double length = std::hypot(dir.x, dir.z);
      if (length == 0.0) continue;
      maxLength = std::max(maxLength, length);
      const ScenePoint centre{(p.x + m.p[k10].x + m.p[k01].x + m.p[k11].x) / 4, 0,
                              (p.z + m.p[k10].z + m.p[k01].z + m.p[k11].z) / 4};
      arrows.push_back({centre, dir});
    }
  }
  if (arrows.empty()) return;
  const double scale = 0.4 * minEdge / maxLength;
  glBegin(GL_LINES);
  for (const Arrow& a : arrows) {
    const ScenePoint from{a.from.x, y, a.from.z};
    const ScenePoint tip{from.x + a.dir.x * scale, y, from.z + a.dir.z * scale};
    emit.Put(from);
    emit.Put(tip);
    // Head strokes 0.3 of the length, 25 degrees off the shaft.
    const double angle = std::atan2(tip.z - from.z, tip.x - from.x);
    const double head = 0.3 * std::hypot(tip.x - from.x, tip.z - from.z);
    for (double side : {-1.0, 1.0}) {
      const double a2 = angle + kPi - side * 25.0 * kPi / 180.0;
      emit.Put(tip);
      emit.Put({tip.x + head * std::cos(a2), y, tip.z + head * std::sin(a2)});
    }
  }
  glEnd();
}

}  // namespace

void Graph::DrawSurface() {
  SurfaceColors colors;
  colors.first = SplitColor(FirstColor);
  colors.second = SplitColor(SecondColor);
  colors.line = SplitColor(LineColor);
  colors.fillStyle = FillStyle;
  colors.minX = boxMinX_;
  colors.spanX = boxMaxX_ - boxMinX_;
  colors.minY = boxMinY_;
  colors.spanY = boxMaxY_ - boxMinY_;
  colors.minZ = boxMinZ_;
  colors.spanZ = boxMaxZ_ - boxMinZ_;
  colors.minC = boxMinC_;
  colors.spanC = boxMaxC_ - boxMinC_;
  if (FillStyle == 4) {
    // One name lookup for the whole surface gives the colours GetMapColor
    // gives vertex by vertex.
    if (ColorName.empty()) ColorName = "Rainbow";
    SetColorMap(ColorName);
    colors.map = ColorPoints();
  }
  if (GraphType == kDelaunayGraph) {
    DrawDelaunay(colors);
  } else {
    DrawMesh(colors);
  }
}

// Mesh kinds, in the passes the surface drawing always runs. Geometry:
// 6 and the record-only kinds 2, 12, 21, 22 draw the data set's regular
// surface as one lit quad per cell, node (i, j) at scene (Y, Z, X); each
// node's normal is the cross product of its central differences along i and
// j (one-sided at the border), turned to face up so both grid orientations
// light alike; texture coordinates run 0..1 along j (s) and i (t). 13 (colour
// map) draws the same cells flattened onto the height of the lowest node,
// unlit, in the first pass, and nothing in the mesh pass; 18 draws every node
// as a VertSize-pixel point in VertColor and 19 the grid lines along i and j
// in GridColor, GridWidth wide, both unlit. Colours: FillStyle 0, 1, 2 blend
// linearly from SecondColor at the minimum to FirstColor at the maximum of
// the box along scene x, z and y (data Y, X and Z), clamped to the ends; 3 is
// FirstColor; 4 the colour map over the colour values' range. The colour-map
// layer and the vector layer lie flat 3 below the lowest node, which is where
// the box makes room for them.
void Graph::DrawMesh(const SurfaceColors& colors) {
  const SharedSettings& settings = Owner().settings;
  const SurfaceMesh mesh = BuildMesh(SurfaceView(Owner().dataSet, StepU, StepV));
  const VertexEmitter emit(*this, colors, settings);
  const ScenePoint up{0.0, 1.0, 0.0};
  const auto asIs = [](const ScenePoint& p) { return p; };
  const double floorY = mesh.lowest;

  if (GraphType == kColorMapGraph) {
    glDisable(GL_LIGHTING);
    DrawCells(mesh, emit, [&](const ScenePoint& p) { return Lowered(p, floorY); }, up);
    glEnable(GL_LIGHTING);
  }
  ApplyShadeModel(Smoothness);
  ApplyPolygonMode(Show);
  const bool textured = ShowTex && LoadSurfaceTexture();
  if (textured) glEnable(GL_TEXTURE_2D);
  if (ShowTrans) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
  }
  if (GraphType == kVertexModel) {
    glDisable(GL_LIGHTING);
    DrawVertexModel(*this, mesh, emit);
    glEnable(GL_LIGHTING);
  } else if (GraphType == kGridModel) {
    glDisable(GL_LIGHTING);
    DrawGridModel(*this, mesh, emit);
    glEnable(GL_LIGHTING);
  } else if (GraphType != kColorMapGraph) {
    DrawCells(mesh, emit, asIs, std::nullopt);
  }
  if (textured) glDisable(GL_TEXTURE_2D);
  if (ShowTrans) glDisable(GL_BLEND);
  if (ShowIrregData) {
    const PointsView points(Owner().dataSet);
    for (Long k = 0; k < points.Count(); ++k) {
      PointMarker marker;
      marker.init(points.X(k), points.Y(k), points.Z(k), 255 + 256 * 255, 4.0, 0);
      marker.Draw(settings);
    }
  }
  if (ShowColormap) {
    DrawCells(mesh, emit, [&](const ScenePoint& p) { return Lowered(p, floorY - kLayerDrop); },
              up);
  }
  if (ShowTrans) {
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
  }
  if (ShowContour) DrawSurfaceContours();
  if (ShowVector) {
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glColor3f(0.0f, 0.0f, 0.0f);
    DrawVectorLayer(mesh, floorY - kLayerDrop, emit);
  }
}

// Delaunay triangles: face normals by the right-hand rule, turned up; a
// vertex normal is the normalised sum of the face normals of the triangles
// that share the point. Triangles naming a point outside the data set are
// skipped.
void Graph::DrawDelaunay(const SurfaceColors& colors) {
  const SharedSettings& settings = Owner().settings;
  const PointsView points(Owner().dataSet);
  const TrianglesView tris(Owner().dataSet);
  const VertexEmitter emit(*this, colors, settings);
  const Long n = points.Count();
  struct Tri {
    Long v[3];
  };
  std::vector<Tri> valid;
  valid.reserve(static_cast<std::size_t>(std::max<Long>(tris.Count(), 0)));
  for (Long t = 0; t < tris.Count(); ++t) {
    Tri tri{{tris.Vertex(t, 0) - 1, tris.Vertex(t, 1) - 1, tris.Vertex(t, 2) - 1}};
    if (std::all_of(tri.v, tri.v + 3, [n](Long v) { return v >= 0 && v < n; })) {
      valid.push_back(tri);
    }
  }
  const auto at = [&](Long v) { return ScenePoint{points.Y(v), points.Z(v), points.X(v)}; };
  if (ShowDS) {
    std::vector<ScenePoint> faceNormals(valid.size());
    std::vector<ScenePoint> pointNormals(static_cast<std::size_t>(n));
    for (std::size_t t = 0; t < valid.size(); ++t) {
      ScenePoint fn = TriangleNormal(at(valid[t].v[0]), at(valid[t].v[1]), at(valid[t].v[2]));
      if (fn.y < 0) fn = {-fn.x, -fn.y, -fn.z};
      faceNormals[t] = fn;
      for (Long v : valid[t].v) {
        ScenePoint& pn = pointNormals[static_cast<std::size_t>(v)];
        pn = {pn.x + fn.x, pn.y + fn.y, pn.z + fn.z};
      }
    }
    for (ScenePoint& pn : pointNormals) pn = Normalized(pn);
    ApplyShadeModel(Smoothness);
    glBegin(GL_TRIANGLES);
    for (std::size_t t = 0; t < valid.size(); ++t) {
      for (Long v : valid[t].v) {
        const ScenePoint& normal =
            Smoothness == 1 ? faceNormals[t] : pointNormals[static_cast<std::size_t>(v)];
        emit.Vertex(at(v), at(v), normal, points.C(v), 0.0, 0.0);
      }
    }
    glEnd();
  }
  if (ShowDG) {
    const Rgb edge = SplitColor(TriColor);
    glColor3d(edge.r, edge.g, edge.b);
    glLineWidth(WidthOf(TriWidth));
    glBegin(GL_LINES);
    for (const Tri& tri : valid) {
      for (int e = 0; e < 3; ++e) {
        emit.Put(at(tri.v[e]));
        emit.Put(at(tri.v[(e + 1) % 3]));
      }
    }
    glEnd();
  }
}

}  // namespace qv
