// A point marker: a position with colour, size and symbol. The camera keeps
// its eye and reference points in markers and reads only their coordinates.
#pragma once

#include "platform/runtime.h"
#include "scene/shared_settings.h"

namespace qv {

// Marker symbols. The shapes are the program's own.
// 2 is a square; every other value a round dot.
enum class MarkerSymbol : Long { Dot = 1, Square = 2 };

class Cls2 {
 public:
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  // Packed colour R + 256*G + 65536*B.
  Long Color = 0;
  // Size 1..8 as the point dialog offers it: the symbol is 2 + 2 * size
  // pixels across on screen, whatever the zoom.
  double size = 1.0;
  Long Symbol = static_cast<Long>(MarkerSymbol::Dot);

  // Sets every field at once.
  void init(double px, double py, double pz, Long color, double markerSize, Long symbol);
  // Draws the marker into the current OpenGL context. (x, y, z) are scene
  // coordinates (x carries data Y, y data Z, z data X), so the marker is drawn
  // at (x - CenterY, y - CenterZ, z - CenterX). Lighting is off for the
  // marker and the GL state is restored afterwards. Needs a current context.
  void Draw(const SharedSettings& settings) const;
};

}  // namespace qv
