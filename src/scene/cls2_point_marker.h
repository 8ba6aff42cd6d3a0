// A point marker: a position with colour, size and symbol. The camera keeps
// its eye and reference points in markers and reads only their coordinates.
#pragma once

#include "platform/runtime.h"
#include "scene/shared_settings.h"

namespace qv {

// Marker symbols. The shapes are the program's own.
enum class MarkerSymbol : Long { Dot = 0, Cross = 1, Square = 2, Diamond = 3 };

class Cls2 {
 public:
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  // Packed colour R + 256*G + 65536*B.
  Long Color = 0;
  // Size: the dot diameter in pixels, the other symbols' half width in data units.
  double Size = 1.0;
  Long Symbol = static_cast<Long>(MarkerSymbol::Dot);

  // Sets every field at once.
  void init(double px, double py, double pz, Long color, double size, Long symbol);
  // Draws the marker into the current OpenGL context. (x, y, z) are data
  // coordinates: the marker is drawn at scene (y - CenterY, z - CenterZ,
  // x - CenterX). An unknown symbol draws a dot. Needs a current context.
  void Draw(const SharedSettings& settings) const;
};

}  // namespace qv
