#include "graphs/color_map.h"

#include <cctype>
#include <cmath>

namespace qv {

namespace {

ColorPointList MakePoints(std::initializer_list<ColorPoint> points) {
  ColorPointList list;
  for (const ColorPoint& p : points) list.points[list.count++] = p;
  return list;
}

const std::array<NamedColorMap, 5>& NamedMaps() {
  static const std::array<NamedColorMap, 5> maps{{
      {"RAINBOW", MakePoints({{0, 153, 102, 255},
                              {20, 0, 0, 255},
                              {40, 0, 255, 0},
                              {60, 255, 255, 0},
                              {80, 255, 102, 0},
                              {100, 255, 0, 0}})},
      {"EARTH", MakePoints({{0, 0, 0, 128},
                            {25, 0, 128, 0},
                            {50, 255, 255, 0},
                            {75, 0, 255, 255},
                            {100, 128, 64, 64}})},
      {"FIERY", MakePoints({{0, 255, 255, 0},
                            {25, 255, 0, 255},
                            {50, 0, 255, 255},
                            {75, 255, 0, 0},
                            {100, 0, 0, 255}})},
      {"MARINE", MakePoints({{0, 128, 128, 255}, {50, 0, 100, 100}, {100, 255, 255, 128}})},
      {"GREY", MakePoints({{0, 200, 200, 200}, {100, 50, 50, 50}})},
  }};
  return maps;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[i]);
    if (std::toupper(ca) != std::toupper(cb)) return false;
  }
  return true;
}

Rgb Blend(const ColorPoint& lo, const ColorPoint& hi, double f) {
  return {lo.r + f * (hi.r - lo.r), lo.g + f * (hi.g - lo.g), lo.b + f * (hi.b - lo.b)};
}

Rgb Components(const ColorPoint& p) {
  return {static_cast<double>(p.r), static_cast<double>(p.g), static_cast<double>(p.b)};
}

// The colour in 0..255 at t, or the nearest point's when no segment holds t
// (positions the user entered out of order).
Rgb LookupComponents(const ColorPointList& list, double t) {
  const ColorPoint* pts = list.points.data();
  const std::size_t n = list.count;
  const ColorPoint& last = pts[n - 1];
  if (std::fabs(t - last.pos) < 0.0001) return Components(last);
  if (n == 1 || t <= pts[0].pos) return Components(pts[0]);
  if (t >= last.pos) return Components(last);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const double lo = pts[i].pos;
    const double hi = pts[i + 1].pos;
    if (lo <= t && t <= hi) {
      // A zero-width segment would divide 0 by 0.
      const double f = hi > lo ? (t - lo) / (hi - lo) : 0.0;
      return Blend(pts[i], pts[i + 1], f);
    }
  }
  std::size_t nearest = 0;
  for (std::size_t i = 1; i < n; ++i) {
    if (std::fabs(pts[i].pos - t) < std::fabs(pts[nearest].pos - t)) nearest = i;
  }
  return Components(pts[nearest]);
}

}  // namespace

const NamedColorMap* FindNamedColorMap(std::string_view name) {
  if (!name.empty() && name.front() == '@') name.remove_prefix(1);
  for (const NamedColorMap& map : NamedMaps()) {
    if (EqualsIgnoringCase(name, map.name)) return &map;
  }
  return nullptr;
}

const NamedColorMap& RainbowColorMap() { return NamedMaps()[0]; }

double MapScale(double value, double min, double range) {
  if (range == 0.0) return 0.0;
  const double t = (value - min) / range * 100.0;
  return std::isfinite(t) ? t : 0.0;
}

Rgb LookupColor(const ColorPointList& points, double t) {
  const ColorPointList& list = points.count > 0 ? points : RainbowColorMap().points;
  if (std::isnan(t)) t = list.points[0].pos;
  const Rgb c = LookupComponents(list, t);
  return {c.r / 255.0, c.g / 255.0, c.b / 255.0};
}

}  // namespace qv
