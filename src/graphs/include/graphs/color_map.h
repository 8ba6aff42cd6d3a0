// Colour maps: a list of control points, each a position on a 0..100 scale
// with an RGB colour, blended linearly between neighbours; the five named
// maps. Packed colours are split by scene/color.h.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/checked_array.h"
#include "platform/runtime.h"
#include "scene/color.h"

namespace qv {

// The graph's colour-point tables (indices 0..30).
using ColorPositions = FixedTable<double, 0, 30>;
using ColorComponents = FixedTable<Long, 0, 30>;
// Every map, named or the user's own, holds at most this many points.
inline constexpr Long kMaxColorPoints = 31;

// A colour as OpenGL fractions 0..1 (the type the packed-colour split gives).
using Rgb = GlColor;

// One control point: position on the 0..100 scale and components 0..255.
struct ColorPoint {
  double pos = 0.0;
  Long r = 0;
  Long g = 0;
  Long b = 0;
};

// The points of one map in use, at most kMaxColorPoints.
struct ColorPointList {
  std::array<ColorPoint, kMaxColorPoints> points{};
  std::size_t count = 0;
};

// A named map: its upper-case name and its points.
struct NamedColorMap {
  std::string_view name;
  ColorPointList points;
};

// The map called name ("RAINBOW", "EARTH", "FIERY", "MARINE", "GREY", in any
// letter case, each also with a leading "@"; blanks are not trimmed), or
// nullptr when the name matches none of them.
const NamedColorMap* FindNamedColorMap(std::string_view name);
// The six rainbow points a new graph starts with.
const NamedColorMap& RainbowColorMap();

// The colour at t on the 0..100 scale of points. A t below the first point
// or above the last takes that end's colour; a segment of zero width (two
// equal positions) gives its lower point's colour; NaN counts as the start.
// An empty list falls back to the rainbow.
Rgb LookupColor(const ColorPointList& points, double t);
// (value - min) / range * 100, or 0 when range is 0 or the result is not finite.
double MapScale(double value, double min, double range);

}  // namespace qv
