// The 4D iso-surface (kind 44): the surface of the regular volume on which
// the value V equals the graph's IsoSurValue, lit, in one colour: the colour
// the graph's colour map gives that level over the volume's value range.
#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "drawers.h"
#include "iso_surface.h"

namespace qv {

namespace {

// One vertex as GL_N3F_V3F interleaves it: the normal, then the position.
struct SceneVertex {
  GLfloat nx, ny, nz;
  GLfloat x, y, z;
};

// The mesh in scene axes (x = data Y, y = data Z, z = data X) with the
// scene centre subtracted. A vertex without a normal (a flat value) is lit
// along the scene's x axis.
std::vector<SceneVertex> SceneVertices(const IsoMesh& mesh, const SharedSettings& s) {
  std::vector<SceneVertex> out(mesh.vertices.size());
  for (std::size_t n = 0; n < out.size(); ++n) {
    const IsoVertex& v = mesh.vertices[n];
    SceneVertex& o = out[n];
    const bool lit = v.nx != 0.0f || v.ny != 0.0f || v.nz != 0.0f;
    o.nx = lit ? v.ny : 1.0f;
    o.ny = lit ? v.nz : 0.0f;
    o.nz = lit ? v.nx : 0.0f;
    o.x = static_cast<GLfloat>(v.y - s.CenterY);
    o.y = static_cast<GLfloat>(v.z - s.CenterZ);
    o.z = static_cast<GLfloat>(v.x - s.CenterX);
  }
  return out;
}

void DrawMesh(const IsoMesh& mesh, const SharedSettings& settings) {
  if (mesh.triangles.empty()) return;
  const std::vector<SceneVertex> vertices = SceneVertices(mesh, settings);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glInterleavedArrays(GL_N3F_V3F, 0, vertices.data());
  glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.triangles.size()), GL_UNSIGNED_INT,
                 mesh.triangles.data());
  glPopClientAttrib();
}

}  // namespace

void IsoSurfaceOfGraph(const GraphOptions& graph, const DrawContext& context, IsoSurfacer& surfacer,
                       IsoMesh& mesh) {
  mesh.Clear();
  const double scale = context.settings.DataScaleV;
  if (scale == 0.0 || !std::isfinite(scale)) return;
  const std::optional<IsoVolume> volume =
      RegularVolumeOf(context.data, graph.StepU, graph.StepV, graph.StepH);
  if (!volume) return;
  surfacer.Polygonise(*volume, graph.IsoSurValue / scale, mesh);
}

void DrawIsoSurface(Graph& graph, const DrawContext& context, const GraphBounds&) {
  // The lookup names an unnamed map "Rainbow" in the graph, drawn or not.
  const DataSet& data = context.data;
  const Rgb color = graph.GetMapColor(graph.IsoSurValue, data.MInv(), data.MaxV() - data.MInv());
  IsoSurfacer surfacer;
  IsoMesh mesh;
  IsoSurfaceOfGraph(graph, context, surfacer, mesh);
  if (mesh.triangles.empty()) return;
  glColor3d(color.r, color.g, color.b);
  DrawMesh(mesh, context.settings);
}

}  // namespace qv
