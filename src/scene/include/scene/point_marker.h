// A point marker: a position with colour, size and symbol. The camera keeps
// its eye and reference points in markers and reads only their coordinates.
#pragma once

#include "platform/runtime.h"
#include "platform/shared_settings.h"

namespace qv {

// Marker symbols. The shapes are the program's own; an unknown value draws a dot.
enum class MarkerSymbol : Long { Dot = 0, Cross = 1, Square = 2, Diamond = 3 };

class PointMarker {
 public:
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  // Packed colour R + 256*G + 65536*B.
  Long Color = 0;
  // Size 1..8 as the point dialog offers it: the symbol is 2 + 2 * Size
  // pixels across on screen (at most 32), whatever the zoom.
  double Size = 1.0;
  Long Symbol = static_cast<Long>(MarkerSymbol::Dot);

  // Sets every field at once.
  void init(double px, double py, double pz, Long color, double size, Long symbol);
  // Draws the marker into the current OpenGL context. (x, y, z) are data
  // coordinates: the marker is drawn at scene (y - CenterY, z - CenterZ,
  // x - CenterX). Lighting is off for the marker and the GL state is restored
  // afterwards. Needs a current context.
  void Draw(const SharedSettings& settings) const;

  // Width in pixels of the drawn symbol.
  int PixelSize() const;
};

}  // namespace qv
