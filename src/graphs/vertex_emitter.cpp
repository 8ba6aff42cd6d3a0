#include "vertex_emitter.h"

#include <GL/gl.h>

#include "draw_helpers.h"
#include "drawers.h"

namespace qv {

namespace {
// The texture mode that shows the texture's own colours under white.
constexpr Long kModulateTexture = 1;
}  // namespace

VertexEmitter::VertexEmitter(const Graph& graph, const SurfaceColors& colors,
                             const SharedSettings& settings, bool floatTexture)
    : graph_(graph),
      colors_(colors),
      settings_(settings),
      floatTexture_(floatTexture),
      textured_(SurfaceTextureReady(graph)),
      transparent_(graph.ShowTrans) {}

void VertexEmitter::Vertex(const ScenePoint& p, const ScenePoint& colourAt, const ScenePoint& n,
                           double c, double s, double t) const {
  if (textured_) {
    if (floatTexture_) {
      glTexCoord2f(static_cast<GLfloat>(s), static_cast<GLfloat>(t));
    } else {
      glTexCoord2d(s, t);
    }
  }
  glNormal3d(n.x, n.y, n.z);
  Color(colourAt, c);
  Put(p);
}

void VertexEmitter::Color(const ScenePoint& p, double c) const {
  std::optional<Rgb> rgb = colors_.At(p, c);
  if (textured_ && graph_.TexMode == kModulateTexture) rgb = Rgb{1.0, 1.0, 1.0};
  if (!rgb) return;
  if (transparent_) {
    glColor4d(rgb->r, rgb->g, rgb->b, graph_.TransAlpha);
  } else if (textured_) {
    glColor4d(rgb->r, rgb->g, rgb->b, 1.0);
  } else {
    glColor3d(rgb->r, rgb->g, rgb->b);
  }
}

void VertexEmitter::Put(const ScenePoint& p) const { PutCentred(settings_, p); }

}  // namespace qv
