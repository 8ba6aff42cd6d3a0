// The surface kinds: the mesh kinds drawn from the regular surface (the
// surface model, the colour map, the vertex and grid models and the stored
// surface kinds), and the Delaunay triangles drawn from the irregular points.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "data_view.h"
#include "draw_helpers.h"
#include "drawers.h"
#include "vertex_emitter.h"

namespace qv {

namespace {

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

// The Mesh

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

void FillNodes(const SurfaceView& s, SurfaceMesh& m) {
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
}

// The normal of node (i, j) from the central differences along i and j
// (one-sided at the border), turned to face up (+y) so that light from
// above shows the surface from either grid orientation:
//
//             (i, j+1)
//                |
//   (i-1, j) ---(i, j)--- (i+1, j)      n = (a - b) x (c - d)
//                |
//             (i, j-1)
ScenePoint NodeNormal(const SurfaceMesh& m, Long i, Long j) {
  const ScenePoint& a = m.p[m.At(std::min(i + 1, m.lastU), j)];
  const ScenePoint& b = m.p[m.At(std::max(i - 1, 0), j)];
  const ScenePoint& c = m.p[m.At(i, std::min(j + 1, m.lastV))];
  const ScenePoint& d = m.p[m.At(i, std::max(j - 1, 0))];
  ScenePoint n =
      Normalized(Cross({a.x - b.x, a.y - b.y, a.z - b.z}, {c.x - d.x, c.y - d.y, c.z - d.z}));
  if (n.y < 0) n = {-n.x, -n.y, -n.z};
  return n;
}

SurfaceMesh BuildMesh(const SurfaceView& s) {
  SurfaceMesh m;
  m.lastU = s.LastU();
  m.lastV = s.LastV();
  if (s.Empty()) return m;
  FillNodes(s, m);
  for (Long i = 0; i <= m.lastU; ++i) {
    for (Long j = 0; j <= m.lastV; ++j) m.n[m.At(i, j)] = NodeNormal(m, i, j);
  }
  return m;
}

ScenePoint Lowered(ScenePoint p, double y) {
  p.y = y;
  return p;
}

// Whether the cell at (i, j), corners taken (i, j), (i+1, j), (i+1, j+1),
// (i, j+1), runs counter-clockwise seen from above: its front face is then
// its upper side, which two-sided lighting lights with the upward normals.
// A grid whose X or Y falls with its index runs the other way.
//
//   d = (i, j+1) ------- c = (i+1, j+1)
//        |                |      n = (c - a) x (d - b)
//   a = (i, j) -------- b = (i+1, j)
bool FacesUp(const SurfaceMesh& m, Long i, Long j) {
  const ScenePoint& a = m.p[m.At(i, j)];
  const ScenePoint& b = m.p[m.At(i + 1, j)];
  const ScenePoint& c = m.p[m.At(i + 1, j + 1)];
  const ScenePoint& d = m.p[m.At(i, j + 1)];
  return Cross({c.x - a.x, c.y - a.y, c.z - a.z}, {d.x - b.x, d.y - b.y, d.z - b.z}).y >= 0;
}

// One GL_QUADS pass over the cells; place(p) gives the drawn position (the
// node itself, or flattened onto a layer), the colour follows the node;
// texture coordinates run 0..1 along j (s) and i (t).
template <typename Place>
void DrawCells(const SurfaceMesh& m, const VertexEmitter& emit, Place place,
               const std::optional<ScenePoint>& normal) {
  if (m.lastU < 1 || m.lastV < 1) return;
  const double su = 1.0 / m.lastU;
  const double sv = 1.0 / m.lastV;
  glBegin(GL_QUADS);
  for (Long i = 0; i < m.lastU; ++i) {
    for (Long j = 0; j < m.lastV; ++j) {
      const Long up[4][2] = {{i, j}, {i + 1, j}, {i + 1, j + 1}, {i, j + 1}};
      const Long down[4][2] = {{i, j}, {i, j + 1}, {i + 1, j + 1}, {i + 1, j}};
      for (const auto& ij : FacesUp(m, i, j) ? up : down) {
        const std::size_t k = m.At(ij[0], ij[1]);
        emit.Vertex(place(m.p[k]), m.p[k], normal ? *normal : m.n[k], m.c[k], ij[1] * sv,
                    ij[0] * su);
      }
    }
  }
  glEnd();
}

// Cells flattened onto the plane at height y, lit from straight up.
void DrawFlatCells(const SurfaceMesh& m, const VertexEmitter& emit, double y) {
  DrawCells(
      m, emit, [y](const ScenePoint& p) { return Lowered(p, y); }, ScenePoint{0.0, 1.0, 0.0});
}

// Vertex model: one point per node in VertColor, VertSize pixels wide.
void DrawNodePoints(const Graph& g, const SurfaceMesh& m, const VertexEmitter& emit) {
  const Rgb color = SplitColor(g.VertColor);
  glPointSize(WidthOf(g.VertSize));
  glColor3d(color.r, color.g, color.b);
  glBegin(GL_POINTS);
  for (const ScenePoint& p : m.p) emit.Put(p);
  glEnd();
}

// Grid model: the grid lines along both node directions in GridColor,
// GridWidth pixels wide.
void DrawGridLines(const Graph& g, const SurfaceMesh& m, const VertexEmitter& emit) {
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

// The Vector Layer

// The slope of cell (i, j) from its two edges at its first node (uphill),
// from the cell's centre:
//
//   (i, j) ---- (i, j+1)       eu = (i+1, j) - (i, j)
//     |     *     |            ev = (i, j+1) - (i, j)
//   (i+1, j) -- (i+1, j+1)
//
// Nothing for a cell with a missing value at any corner or a zero edge.
void AddCellSlope(const SurfaceMesh& m, Long i, Long j, ArrowSet& out) {
  const std::size_t k00 = m.At(i, j), k10 = m.At(i + 1, j), k01 = m.At(i, j + 1),
                    k11 = m.At(i + 1, j + 1);
  for (const std::size_t k : {k00, k10, k01, k11}) {
    if (m.c[k] == kMissingValue) return;
  }
  const ScenePoint& p = m.p[k00];
  const ScenePoint eu{m.p[k10].x - p.x, 0, m.p[k10].z - p.z};
  const ScenePoint ev{m.p[k01].x - p.x, 0, m.p[k01].z - p.z};
  const double lu = std::hypot(eu.x, eu.z);
  const double lv = std::hypot(ev.x, ev.z);
  if (lu == 0.0 || lv == 0.0) return;
  out.minSpacing = std::min({out.minSpacing, lu, lv});
  const double gu = (m.p[k10].y - p.y) / lu;
  const double gv = (m.p[k01].y - p.y) / lv;
  const ScenePoint dir{gu * eu.x / lu + gv * ev.x / lv, 0, gu * eu.z / lu + gv * ev.z / lv};
  const double length = std::hypot(dir.x, dir.z);
  if (length == 0.0) return;
  out.maxLength = std::max(out.maxLength, length);
  const ScenePoint centre{(p.x + m.p[k10].x + m.p[k01].x + m.p[k11].x) / 4, 0,
                          (p.z + m.p[k10].z + m.p[k01].z + m.p[k11].z) / 4};
  out.arrows.push_back({centre, dir});
}

// A segment with a head of two strokes 0.3 of its length, 25 degrees off
// the shaft, in the plane at height y.
void DrawFlatArrow(const ScenePoint& from, const ScenePoint& tip, double y,
                   const VertexEmitter& emit) {
  emit.Put(from);
  emit.Put(tip);
  const double angle = std::atan2(tip.z - from.z, tip.x - from.x);
  const double head = 0.3 * std::hypot(tip.x - from.x, tip.z - from.z);
  for (double side : {-1.0, 1.0}) {
    const double a2 = angle + kPi - side * 25.0 * kPi / 180.0;
    emit.Put(tip);
    emit.Put({tip.x + head * std::cos(a2), y, tip.z + head * std::sin(a2)});
  }
}

// The vector layer: per cell one arrow along the slope of the surface, in
// the plane at height y. The longest is 0.4 of the smallest cell edge, so
// every arrow stays inside its own cell and the picture inside the box.
void DrawVectorLayer(const SurfaceMesh& m, double y, const VertexEmitter& emit) {
  ArrowSet a;
  for (Long i = 0; i < m.lastU; ++i) {
    for (Long j = 0; j < m.lastV; ++j) AddCellSlope(m, i, j, a);
  }
  if (a.arrows.empty()) return;
  const double scale = 0.4 * a.minSpacing / a.maxLength;
  glBegin(GL_LINES);
  for (const ArrowSet::Arrow& arrow : a.arrows) {
    const ScenePoint from{arrow.at.x, y, arrow.at.z};
    DrawFlatArrow(from, {from.x + arrow.dir.x * scale, y, from.z + arrow.dir.z * scale}, y, emit);
  }
  glEnd();
}

// The Mesh Passes

// How one mesh kind differs from the others.
struct MeshStyle {
  // What the model pass draws: the lit cells, the nodes as points, the grid
  // lines (both unlit), or nothing.
  enum Model { kCells, kNodePoints, kGridLines, kNoModel } model = kCells;
  // The cells flattened onto the height of the lowest node, unlit, first.
  bool flatFirstPass = false;
  // Heights graded over the nodes alone, not over the room the layers take
  // below them.
  bool gradesOwnHeights = false;
  // Texture coordinates sent in single precision.
  bool floatTexture = false;
  // The options the colours follow.
  ColourOptions (*colours)(const GraphOptions&) = SurfaceColourOptions;
};

void DrawModel(const Graph& graph, const SurfaceMesh& mesh, const VertexEmitter& emit,
               MeshStyle::Model model) {
  switch (model) {
    case MeshStyle::kCells:
      DrawCells(
          mesh, emit, [](const ScenePoint& p) { return p; }, std::nullopt);
      break;
    case MeshStyle::kNodePoints:
    case MeshStyle::kGridLines:
      glDisable(GL_LIGHTING);
      if (model == MeshStyle::kNodePoints) DrawNodePoints(graph, mesh, emit);
      if (model == MeshStyle::kGridLines) DrawGridLines(graph, mesh, emit);
      glEnable(GL_LIGHTING);
      break;
    case MeshStyle::kNoModel: break;
  }
}

// The model under the graph's shading, display mode, texture and
// transparency.
void DrawShadedModel(const Graph& graph, const SurfaceMesh& mesh, const VertexEmitter& emit,
                     MeshStyle::Model model) {
  ApplyShadeModel(graph.Smoothness);
  ApplyPolygonMode(graph.Show);
  const SurfacePasses passes = BeginTextureAndTransparency(graph);
  DrawModel(graph, mesh, emit, model);
  EndTextureAndTransparency(passes);
}

// The irregular points, the colour-map layer, the contour layer and the
// vector layer; the layers lie flat 3 below the lowest node, where the
// bounds make room for them.
void DrawLayers(Graph& graph, const DrawContext& context, const GraphBounds& bounds,
                const SurfaceMesh& mesh, const VertexEmitter& emit) {
  if (graph.ShowIrregData) {
    const PointsView points(context.data);
    for (Long k = 0; k < points.Count(); ++k) {
      DrawDataPointMarker(context.settings, points.X(k), points.Y(k), points.Z(k));
    }
  }
  if (graph.ShowColormap) DrawFlatCells(mesh, emit, mesh.lowest - kLayerDrop);
  if (graph.ShowTrans) {
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
  }
  if (graph.ShowContour) DrawSurfaceContours(graph, context, bounds);
  if (graph.ShowVector) {
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glColor3f(0.0f, 0.0f, 0.0f);
    DrawVectorLayer(mesh, mesh.lowest - kLayerDrop, emit);
  }
}

// The Delaunay Triangles

struct Triangle {
  Long v[3];
};

// The triangles of the last triangulation that name only points of the data
// set, as point indices 0..Count-1.
std::vector<Triangle> ValidTriangles(const PointsView& points, const TrianglesView& tris) {
  const Long n = points.Count();
  std::vector<Triangle> valid;
  valid.reserve(static_cast<std::size_t>(std::max<Long>(tris.Count(), 0)));
  for (Long t = 0; t < tris.Count(); ++t) {
    Triangle tri{{tris.Vertex(t, 0) - 1, tris.Vertex(t, 1) - 1, tris.Vertex(t, 2) - 1}};
    if (std::all_of(tri.v, tri.v + 3, [n](Long v) { return v >= 0 && v < n; })) {
      valid.push_back(tri);
    }
  }
  return valid;
}

ScenePoint PointAt(const PointsView& points, Long v) {
  return {points.Y(v), points.Z(v), points.X(v)};
}

// The triangulation lists its triangles clockwise in the data's X-Y plane,
// which shows their lower side from above. Each is turned, where needed, so
// that its corners run counter-clockwise seen from above: its front face is
// then its upper side, the side its normal faces, and two-sided lighting
// lights what is seen with that normal instead of its reverse. Returns the
// face normals by the right-hand rule of the turned triangles: swapping two
// corners reverses the normal exactly, so none points down.
std::vector<ScenePoint> FaceUp(const PointsView& points, std::vector<Triangle>& tris) {
  std::vector<ScenePoint> faceNormals;
  faceNormals.reserve(tris.size());
  for (Triangle& tri : tris) {
    ScenePoint n = TriangleNormal(PointAt(points, tri.v[0]), PointAt(points, tri.v[1]),
                                  PointAt(points, tri.v[2]));
    if (n.y < 0) {
      std::swap(tri.v[1], tri.v[2]);
      n = {-n.x, -n.y, -n.z};
    }
    faceNormals.push_back(n);
  }
  return faceNormals;
}

// The face normals FaceUp gave; a point's normal is the normalised sum of the
// face normals of the triangles that share it.
struct TriangleNormals {
  std::vector<ScenePoint> face;
  std::vector<ScenePoint> point;
};

TriangleNormals NormalsOf(const PointsView& points, const std::vector<Triangle>& tris,
                          const std::vector<ScenePoint>& faceNormals) {
  TriangleNormals normals{faceNormals,
                          std::vector<ScenePoint>(static_cast<std::size_t>(points.Count()))};
  for (std::size_t t = 0; t < tris.size(); ++t) {
    const ScenePoint& fn = normals.face[t];
    for (Long v : tris[t].v) {
      ScenePoint& pn = normals.point[static_cast<std::size_t>(v)];
      pn = {pn.x + fn.x, pn.y + fn.y, pn.z + fn.z};
    }
  }
  for (ScenePoint& pn : normals.point) pn = Normalized(pn);
  return normals;
}

// The filled triangles: flat shading (Smoothness 1) takes the face normals,
// smooth shading the point normals.
void DrawTriangleSurface(const Graph& graph, const PointsView& points,
                         const std::vector<Triangle>& tris,
                         const std::vector<ScenePoint>& faceNormals, const VertexEmitter& emit) {
  const TriangleNormals normals = NormalsOf(points, tris, faceNormals);
  ApplyShadeModel(graph.Smoothness);
  glBegin(GL_TRIANGLES);
  for (std::size_t t = 0; t < tris.size(); ++t) {
    for (Long v : tris[t].v) {
      const ScenePoint& normal =
          graph.Smoothness == 1 ? normals.face[t] : normals.point[static_cast<std::size_t>(v)];
      emit.Vertex(PointAt(points, v), PointAt(points, v), normal, points.C(v), 0.0, 0.0);
    }
  }
  glEnd();
}

// The triangle edges in TriColor, TriWidth pixels wide.
void DrawTriangleEdges(const Graph& graph, const PointsView& points,
                       const std::vector<Triangle>& tris, const VertexEmitter& emit) {
  const Rgb edge = SplitColor(graph.TriColor);
  glColor3d(edge.r, edge.g, edge.b);
  glLineWidth(WidthOf(graph.TriWidth));
  glBegin(GL_LINES);
  for (const Triangle& tri : tris) {
    for (int e = 0; e < 3; ++e) {
      emit.Put(PointAt(points, tri.v[e]));
      emit.Put(PointAt(points, tri.v[(e + 1) % 3]));
    }
  }
  glEnd();
}

// Mesh kinds: the data set's regular surface, node (i, j) at scene (Y, Z,
// X), drawn in the passes every mesh kind runs: the flat first pass, the
// shaded model, the layers. Colours follow FillStyle (surface_colors.h) over
// the bounds.
void DrawMesh(Graph& graph, const DrawContext& context, const GraphBounds& bounds,
              const MeshStyle& style) {
  GraphBounds colourBounds = bounds;
  if (style.gradesOwnHeights && (graph.ShowContour || graph.ShowVector || graph.ShowColormap)) {
    colourBounds.minY += kLayerDrop;
  }
  const SurfaceColors colors = SurfaceColorsOf(graph, colourBounds, style.colours(graph));
  const SurfaceMesh mesh = BuildMesh(SurfaceView(context.data, graph.StepU, graph.StepV));
  const VertexEmitter emit(graph, colors, context.settings, style.floatTexture);
  if (style.flatFirstPass) {
    glDisable(GL_LIGHTING);
    DrawFlatCells(mesh, emit.Plain(), mesh.lowest);
    glEnable(GL_LIGHTING);
  }
  DrawShadedModel(graph, mesh, emit, style.model);
  DrawLayers(graph, context, colourBounds, mesh, emit.Plain());
}

}  // namespace

// The surface model: one lit quad per cell.
void DrawSurfaceModel(Graph& graph, const DrawContext& context, const GraphBounds& bounds) {
  MeshStyle style;
  style.gradesOwnHeights = true;
  DrawMesh(graph, context, bounds, style);
}

void DrawStoredSurface(Graph& graph, const DrawContext& context, const GraphBounds& bounds) {
  DrawMesh(graph, context, bounds, MeshStyle{});
}

void DrawStoredSurface12(Graph& graph, const DrawContext& context, const GraphBounds& bounds) {
  MeshStyle style;
  style.floatTexture = true;
  DrawMesh(graph, context, bounds, style);
}

// The colour map: the cells flattened onto the lowest node's height, unlit,
// coloured by the kind's own ColorMapfilltype, ColorMapcolor1 and
// ColorMapcolor2. In a 2D document the map faces the viewer, at the back of
// its box.
void DrawColorMap(Graph& graph, const DrawContext& context, const GraphBounds& bounds) {
  MeshStyle style;
  style.model = MeshStyle::kNoModel;
  style.flatFirstPass = true;
  style.colours = ColorMapColourOptions;
  const Turn2D turn(context.settings);
  DrawMesh(graph, context, DrawingBounds(bounds, context.settings), style);
}

void DrawVertexModel(Graph& graph, const DrawContext& context, const GraphBounds& bounds) {
  MeshStyle style;
  style.model = MeshStyle::kNodePoints;
  DrawMesh(graph, context, bounds, style);
}

void DrawGridModel(Graph& graph, const DrawContext& context, const GraphBounds& bounds) {
  MeshStyle style;
  style.model = MeshStyle::kGridLines;
  DrawMesh(graph, context, bounds, style);
}

// Delaunay triangles: the surface (ShowDS) and the edges (ShowDG) of the
// data set's last triangulation; triangles naming a point outside the data
// set are skipped.
void DrawDelaunaySurface(Graph& graph, const DrawContext& context, const GraphBounds& bounds) {
  const SurfaceColors colors = SurfaceColorsOf(graph, bounds);
  const PointsView points(context.data);
  std::vector<Triangle> tris = ValidTriangles(points, TrianglesView(context.data));
  const std::vector<ScenePoint> faceNormals = FaceUp(points, tris);
  const VertexEmitter emit(graph, colors, context.settings);
  if (graph.ShowDS) DrawTriangleSurface(graph, points, tris, faceNormals, emit);
  if (graph.ShowDG) DrawTriangleEdges(graph, points, tris, emit);
}

}  // namespace qv
