// A picture that shows whether accumulation averages linearly: a black
// rectangle on white whose right edge lies half a pixel inside one column,
// drawn in two passes jittered by +/-0.25 pixel and averaged with glAccum.
// The edge column is covered in one pass and not in the other, so it must
// read half way (127 or 128); a context that averages in sRGB reads ~188.
#pragma once

#include "platform/rgba_image.h"

namespace qv::test {

struct AccumulationProbe {
  // Column of the half-covered edge, and one inside / outside the rectangle.
  int edgeColumn = 0;
  int interiorColumn = 0;
  int backgroundColumn = 0;
  int row = 0;
};

// Draws the probe into the current context (viewport width x height) and
// returns where to look. Call ReadPixels on the context afterwards.
AccumulationProbe DrawAccumulationProbe(int width, int height);

}  // namespace qv::test
