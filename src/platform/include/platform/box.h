// The box every GetBox returns: six bounds in scene axes (scene x = data Y,
// scene y = data Z, scene z = data X).
#pragma once

namespace qv {

// An axis-aligned box. A default box is the point at the origin; the scene
// group's empty box is inverted (minima above maxima), which callers read as
// "nothing to bound".
struct Box {
  double MinX = 0.0;
  double MaxX = 0.0;
  double MinY = 0.0;
  double MaxY = 0.0;
  double MinZ = 0.0;
  double MaxZ = 0.0;

  bool operator==(const Box&) const = default;
};

}  // namespace qv
