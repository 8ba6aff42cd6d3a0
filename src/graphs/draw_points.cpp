// The point and line kinds: one marker at the point graph's position, and
// the polyline through the line kind's vertex table.
#include <GL/gl.h>

#include <algorithm>

#include "draw_helpers.h"
#include "drawers.h"

namespace qv {

namespace {

// Marker of the line kind's vertices: a black square, size 2.
constexpr double kVertexSize = 2.0;
constexpr Long kVertexSymbol = static_cast<Long>(MarkerSymbol::Square);

// Vertex i of the line: its marker's data position divided by the data
// scales, in scene axes.
ScenePoint LineVertex(Graph& graph, const SharedSettings& s, Long i) {
  const std::shared_ptr<PointMarker> m = graph.VertTab3D(0, i);
  return {m->y / s.DataScaleY, m->z / s.DataScaleZ, m->x / s.DataScaleX};
}

void DrawSegments(Graph& graph, const SharedSettings& s, Long last) {
  for (Long i = 0; i < last; ++i) {
    glBegin(GL_LINES);
    PutCentred(s, LineVertex(graph, s, i));
    PutCentred(s, LineVertex(graph, s, i + 1));
    glEnd();
  }
}

// The table's markers take the vertex look (kept in the table, as the
// marker objects are the graph's); each is drawn at its scaled position.
void DrawVertexMarkers(Graph& graph, const SharedSettings& s, Long last) {
  for (Long i = 0; i <= last; ++i) {
    const std::shared_ptr<PointMarker> m = graph.VertTab3D(0, i);
    m->Size = kVertexSize;
    m->Symbol = kVertexSymbol;
    m->Color = 0;
    const ScenePoint p = LineVertex(graph, s, i);
    PointMarker drawn = *m;
    drawn.x = p.z;
    drawn.y = p.x;
    drawn.z = p.y;
    drawn.Draw(s);
  }
}

}  // namespace

// Line kind: the polyline through VertTab3D(0, 0..StepV) (at most 200
// segments, the table's size) in LineColor, then a square marker on every
// vertex.
void DrawLineGraph(Graph& graph, const DrawContext& context, const GraphBounds&) {
  const SharedSettings& s = context.settings;
  const Long last = std::min(graph.StepV, Graph::kVertTabUpper);
  const Rgb color = SplitColor(graph.LineColor);
  glColor3d(color.r, color.g, color.b);
  glLineWidth(WidthOf(graph.LineWidth));
  DrawSegments(graph, s, last);
  DrawVertexMarkers(graph, s, last);
  EndLineState();
}

// Point kind: one marker at the point's position (graph_geometry.h); a cross
// in 2D, the default symbol otherwise. A 2D point lies on what was drawn
// before it, whatever the values there (a colour map of values above 0
// would hide it otherwise), and keeps its depth against what follows.
void DrawPointGraph(Graph& graph, const DrawContext& context, const GraphBounds&) {
  const SharedSettings& s = context.settings;
  const bool flat = s.ViewCode == kViewCode2D;
  if (flat) {
    BeginSmoothLines();
    glDepthFunc(GL_ALWAYS);
  }
  const ScenePoint p = PointGraphPosition(graph, context);
  // The marker takes data axes; a 2D position is in them already (data X,
  // Y and the value), drawn in the 2D plane by the turn.
  const Turn2D turn(s);
  PointMarker marker;
  marker.x = flat ? p.x : p.z;
  marker.y = flat ? p.y : p.x;
  marker.z = flat ? p.z : p.y;
  if (flat) marker.Symbol = static_cast<Long>(MarkerSymbol::Cross);
  marker.Color = graph.PointColor;
  marker.Size = graph.PointSize;
  marker.Draw(s);
  if (flat) EndLineState();
}

}  // namespace qv
