// The colour legend: a bar at x 82..85, y 30..70 of the 0..100 overlay with a
// numbered scale at its right.
#include <GL/gl.h>

#include <locale>
#include <optional>

#include "contour_tracer.h"
#include "graphs/graph.h"
#include "legend_scale.h"
#include "platform/gl_text.h"
#include "surface_colors.h"

namespace qv {

namespace {

constexpr double kBarLeft = Graph::kLegendLeft;
constexpr double kBarRight = 85.0;
constexpr double kBarBottom = 30.0;
constexpr double kBarTop = 70.0;
constexpr double kBarHeight = kBarTop - kBarBottom;
constexpr double kLabelX = 86.0;

// The user's locale for the labels, or the classic one where the process
// environment names none that the library knows.
const std::locale& LabelLocale() {
  static const std::locale locale = [] {
    try {
      return std::locale("");
    } catch (const std::exception&) {
      return std::locale::classic();
    }
  }();
  return locale;
}

void BarRectangle(double y0, const Rgb& c0, double y1, const Rgb& c1) {
  glBegin(GL_QUADS);
  glNormal3d(0.0, 0.0, 1.0);
  glColor3d(c0.r, c0.g, c0.b);
  glVertex3d(kBarLeft, y0, 0.0);
  glVertex3d(kBarRight, y0, 0.0);
  glColor3d(c1.r, c1.g, c1.b);
  glVertex3d(kBarRight, y1, 0.0);
  glVertex3d(kBarLeft, y1, 0.0);
  glEnd();
}

void DrawScale(double min, double max, Long fontBase) {
  LegendScale scale;
  if (!GetLegendScale(min, max, scale)) return;
  const double range = max - min;
  glColor3d(0.0, 0.0, 0.0);
  for (Long k = 0; k <= scale.count; ++k) {
    const double v = scale.first + k * scale.step;
    const double y = kBarBottom + kBarHeight * (v - min) / range;
    const std::string label = FormatLegendLabel(v, LegendDecimals(v), LabelLocale());
    DrawBitmapText(fontBase, label, static_cast<float>(kLabelX), static_cast<float>(y), 0.0f, 0.0f,
                   0.0f, 0.0f);
    glColor3d(0.0, 0.0, 0.0);
    glBegin(GL_LINES);
    glVertex3d(kBarLeft, y, 0.0);
    glVertex3d(kBarLeft + 0.5, y, 0.0);
    glVertex3d(kBarRight - 0.5, y, 0.0);
    glVertex3d(kBarRight, y, 0.0);
    glEnd();
  }
}

void DrawFrame() {
  glColor3d(0.0, 0.0, 0.0);
  glBegin(GL_LINE_LOOP);
  glVertex3d(kBarLeft, kBarBottom, 0.0);
  glVertex3d(kBarLeft, kBarTop, 0.0);
  glVertex3d(kBarRight, kBarTop, 0.0);
  glVertex3d(kBarRight, kBarBottom, 0.0);
  glEnd();
}

// The range a legend numbers and whether its bar is the two-colour one;
// nullopt for no legend.
struct LegendRange {
  double min = 0.0;
  double max = 0.0;
  bool twoColour = true;
};

std::optional<LegendRange> RangeOf(LegendSource source, Long fillStyle, const DataSet& data) {
  if (source == LegendSource::kNone) return std::nullopt;
  if (source == LegendSource::kVolumeValuesMap) return LegendRange{data.MInv(), data.MaxV(), false};
  // The iso-surface is drawn in the map's colour whatever its fill style:
  // the map bar over V, but for the one-colour style.
  if (source == LegendSource::kVolumeValuesMapOnly) {
    return fillStyle == 3
               ? std::nullopt
               : std::optional<LegendRange>(LegendRange{data.MInv(), data.MaxV(), false});
  }
  const bool volume = source == LegendSource::kVolumeValues;
  switch (fillStyle) {
    case 0:
      return volume ? LegendRange{data.MInv(), data.MaxV()} : LegendRange{data.MinY(), data.MaxY()};
    case 1:
      return volume ? LegendRange{data.MInv(), data.MaxV()} : LegendRange{data.MinX(), data.MaxX()};
    case 2:
      return volume ? LegendRange{data.MInv(), data.MaxV()} : LegendRange{data.MinZ(), data.MaxZ()};
    case 4:
      return volume ? LegendRange{data.MInv(), data.MaxV(), false}
                    : LegendRange{data.MinC(), data.MaxC(), false};
    default: return std::nullopt;
  }
}

// The colour-map bar: the colours of the control points, as GetMapColor
// gives them at the values min + position / 100 * range (also when the
// range is empty).
void DrawMapBar(Graph& graph, const LegendRange& range) {
  graph.GetMapColor(range.min, range.min, range.max - range.min);
  const ColorPointList points = graph.ColorPoints();
  for (std::size_t i = 0; i + 1 < points.count; ++i) {
    const double p0 = points.points[i].pos;
    const double p1 = points.points[i + 1].pos;
    BarRectangle(kBarBottom + 0.4 * p0, LookupColor(points, p0), kBarBottom + 0.4 * p1,
                 LookupColor(points, p1));
  }
}

// The bar (the two-colour bar from bottom to top, or the map bar), the scale
// and the frame of range.
void DrawBar(Graph& graph, const LegendRange& range, Long bottom, Long top, Long fontBase) {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glDisable(GL_LIGHTING);
  glShadeModel(GL_SMOOTH);
  if (range.twoColour) {
    BarRectangle(kBarBottom, SplitColor(bottom), kBarTop, SplitColor(top));
  } else {
    DrawMapBar(graph, range);
  }
  DrawScale(range.min, range.max, fontBase);
  DrawFrame();
  glPopAttrib();
}

// The legend of a contour kind's lines, over its lowest to its highest
// level (of the data set's heights for the contour plot, of its colour
// values for the 3D contour plot): the blend as a two-colour bar from the
// second colour to the first, the map as the map bar; nothing for one
// colour, another mode or no level.
std::optional<LegendRange> ContourRangeOf(const Graph& graph, LegendSource source,
                                          const DataSet& d) {
  const bool plot = source == LegendSource::kContourPlotLevels;
  const Long mode = plot ? graph.ConFillType : graph.Con3FillType;
  if (mode != kContourBlend && mode != kContourMap) return std::nullopt;
  const ContourLevels levels = plot ? ContourLevelsOf(d.MinZ(), d.MaxZ(), graph.ContourLevels)
                                    : ContourLevelsOf(d.MinC(), d.MaxC(), graph.Contour3Levels);
  if (levels.count == 0) return std::nullopt;
  return LegendRange{levels.First(), levels.Last(), mode == kContourBlend};
}

bool IsContourSource(LegendSource source) {
  return source == LegendSource::kContourPlotLevels || source == LegendSource::kContour3DLevels;
}

// The colours of the graph's bar: a contour kind's line colours, otherwise
// its fill style's (fillStyle is only read for the other kinds).
ColourOptions LegendColoursOf(const Graph& graph, LegendSource source) {
  switch (source) {
    case LegendSource::kContourPlotLevels: return {0, graph.ConColor1, graph.ConColor2};
    case LegendSource::kContour3DLevels: return {0, graph.Con3Color1, graph.Con3Color2};
    case LegendSource::kDataBoundsColorMapOptions: return ColorMapColourOptions(graph);
    default: return SurfaceColourOptions(graph);
  }
}

// The range of the graph's legend, nullopt for none.
std::optional<LegendRange> LegendRangeOf(const Graph& graph, LegendSource source,
                                         const DataSet& data) {
  if (IsContourSource(source)) return ContourRangeOf(graph, source, data);
  return RangeOf(source, LegendColoursOf(graph, source).fillStyle, data);
}

}  // namespace

// The bar follows the kind's legend source (graph_kinds.h) and the fill
// style (the colour-map kind's ColorMapfilltype, with its two colours): 0,
// 1, 2 a two-colour bar (SecondColor at the bottom, FirstColor at the top)
// over the data range of the axis the surface grades along (data Y, X and
// Z), 4 the colour-map bar over the colour column (V for the 4D kinds), 3
// nothing at all. An iso-surface has only the colour-map bar (for every style
// but 3), the 4D slices
// always the map bar over V, the contour kinds the colours of their lines. A
// range the scale cannot number (min = max <= 0, reversed, not finite) draws
// the bar and the frame without labels.
void Graph::DrawLegend(const DrawContext& context) {
  const LegendSource source = KindOf(GraphType).legend;
  const std::optional<LegendRange> range = LegendRangeOf(*this, source, context.data);
  if (!range) return;
  const ColourOptions colours = LegendColoursOf(*this, source);
  DrawBar(*this, *range, colours.second, colours.first, context.settings.BitmapFontBase);
}

bool Graph::HasLegend(const DrawContext& context) const {
  return LegendRangeOf(*this, KindOf(GraphType).legend, context.data).has_value();
}

}  // namespace qv
