// The drawers whose routines come later (contours, slices). Until then they draw and hold nothing;
// the dispatcher's set-up still runs. Each one's own file replaces its line here.
#include "drawers.h"

namespace qv {

void DrawContourPlot(Graph&, const DrawContext&, const GraphBounds&) {}
void DrawContour3D(Graph&, const DrawContext&, const GraphBounds&) {}
void Draw4DSlices(Graph&, const DrawContext&, const GraphBounds&) {}
void DrawSurfaceContours(Graph&, const DrawContext&, const GraphBounds&) {}

}  // namespace qv
