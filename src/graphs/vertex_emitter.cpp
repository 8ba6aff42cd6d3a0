#include "vertex_emitter.h"

#include <GL/gl.h>

#include "draw_helpers.h"
#include "drawers.h"

namespace qv {

namespace {
// The texture mode that shows the texture's own colours under white.
constexpr Long kModulateTexture = 1;
}  // namespace

void VertexEmitter::Vertex(const ScenePoint& p, const ScenePoint& colourAt, const ScenePoint& n,
                           double c, double s, double t) const {
  if (!plain_ && SurfaceTextureReady(graph_)) {
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
  const bool textured = !plain_ && SurfaceTextureReady(graph_);
  if (textured && graph_.TexMode == kModulateTexture) rgb = Rgb{1.0, 1.0, 1.0};
  if (!rgb) return;
  if (!plain_ && graph_.ShowTrans) {
    glColor4d(rgb->r, rgb->g, rgb->b, graph_.TransAlpha);
  } else if (textured) {
    glColor4d(rgb->r, rgb->g, rgb->b, 1.0);
  } else {
    glColor3d(rgb->r, rgb->g, rgb->b);
  }
}

void VertexEmitter::Put(const ScenePoint& p) const { PutCentred(settings_, p); }

}  // namespace qv
