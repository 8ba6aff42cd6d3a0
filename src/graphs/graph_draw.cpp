// The drawing dispatcher: what every kind shares (the named colour map, the
// bounds, the saved GL state, the material), then the kind's drawer from the
// kinds table; the prepare and release steps likewise go to the kind's row.
#include <GL/gl.h>

#include "draw_helpers.h"
#include "drawers.h"
#include "graphs/graph.h"
#include "scene/material_preset.h"

namespace qv {

namespace {
// The preset whose colour tracks the emission instead of the diffuse colour.
constexpr Long kGlowMaterial = 5;
}  // namespace

void Graph::PrepareDrawing(const DrawContext& context) {
  const GraphKindRow& kind = KindOf(GraphType);
  if (prepared_.release != nullptr && prepared_.release != kind.release) ReleaseDrawing();
  kind.prepare(*this, context);
  prepared_.release = kind.release;
}

void Graph::ReleaseDrawing() {
  if (prepared_.release != nullptr) prepared_.release(*this);
  prepared_.release = nullptr;
}

void Graph::Draw(const DrawContext& context) {
  if (FindNamedColorMap(ColorName) != nullptr) SetColorMap(ColorName);
  const GraphKindRow& kind = KindOf(GraphType);
  const GraphBounds bounds = Bound(context);
  // A graph leaves no GL state behind for the axis system and the next graph.
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, Material == kGlowMaterial ? GL_EMISSION : GL_DIFFUSE);
  MaterialPreset().SetMaterial(Material);
  {
    // The kinds of 2D documents draw in its plane themselves, from bounds
    // in its axes; any other kind that a record brings into one is turned
    // there whole (draw_helpers.h), with its bounds in the axes it draws in.
    const bool own2D = (kind.views & kIn2D) != 0;
    const Turn2D turn(context.settings, !own2D);
    kind.draw(*this, context, own2D ? bounds : DrawingBounds(bounds, context.settings));
  }
  glPopAttrib();
}

void DrawNothing(Graph&, const DrawContext&, const GraphBounds&) {}
void PrepareNothing(Graph&, const DrawContext&) {}
void ReleaseNothing(Graph&) {}

}  // namespace qv
