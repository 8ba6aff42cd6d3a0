// The graph kinds: one row per GraphType code with everything that differs
// between kinds (list caption, bounding rule, drawer and its prepare and
// release steps, legend, view kinds). Code elsewhere asks the row instead of
// testing codes, so adding a kind is one row here plus one drawer file.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/runtime.h"

namespace qv {

class Graph;
struct GraphOptions;
struct GraphBounds;
struct DrawContext;

// Graph Kind Codes (GraphType)
enum GraphKind : Long {
  // Kinds that only a stored record can bring: bounded by their line data
  // (the irregular points and the first grid row), drawn as nothing.
  kStoredLine0 = 0,
  kStoredLine9 = 9,
  kStoredLine20 = 20,
  kStoredLine23 = 23,
  // Kinds that only a stored record can bring, drawn as the surface model
  // but without a caption or legend (12 and 2 differ in the texture
  // coordinates' precision); 17 is bounded by the surface and not drawn.
  kStoredSurface2 = 2,
  kStoredSurface12 = 12,
  kStoredSurface17 = 17,
  kStoredSurface21 = 21,
  kStoredSurface22 = 22,
  kLineGraph = 4,
  kSurfaceModel = 6,
  kPointGraph = 7,
  kColorMapGraph = 13,
  kContourPlot = 14,
  kVectorPlot = 15,
  kContour3DPlot = 16,
  kVertexModel = 18,
  kGridModel = 19,
  kDelaunayGraph = 24,
  kScatter4D = 41,
  kVector4D = 42,
  kSlice4D = 43,
  kIsoSurface4D = 44,
};

// The view kinds whose documents offer a kind in their Draw menu (bits).
enum ViewSet : unsigned { kInNoView = 0, kIn2D = 1, kIn3D = 2, kIn4D = 4 };

// Where a kind's list caption comes from.
enum class CaptionRule {
  kNone,           // no caption of its own ("Graph <code>" in the list)
  kFixed,          // the row's caption
  kPointPosition,  // "Point  x=..." from the point's position and the view kind
};

// What the colour legend of a kind shows.
enum class LegendSource {
  kNone,
  // The data set's range of the axis the fill style grades along (data Y, X,
  // Z for FillStyle 0, 1, 2: a two-colour bar), or of the colour column
  // (FillStyle 4: the colour-map bar).
  kDataBounds,
  // The same, by the colour-map kind's own ColorMapfilltype, ColorMapcolor1
  // and ColorMapcolor2 instead of FillStyle, FirstColor and SecondColor.
  kDataBoundsColorMapOptions,
  // The data set's range of the volume value V, for either bar.
  kVolumeValues,
  // The same, the colour-map bar only.
  kVolumeValuesMapOnly,
  // The colour-map bar over the volume value V whatever the fill style: the
  // colours the 4D slices fill their planes with.
  kVolumeValuesMap,
  // The colouring of the contour plot's lines (ConFillType: a two-colour bar
  // from ConColor2 to ConColor1 for the blend, nothing for one colour, the
  // colour-map bar for the map) over its levels of the heights.
  kContourPlotLevels,
  // The same for the 3D contour plot (Con3FillType, Con3Color1, Con3Color2)
  // over its levels of the colour values.
  kContour3DLevels,
};

// Drawer Steps
// The graph's extent and value ranges (graph_bounds.h) from its options and
// the context.
using BoundRule = GraphBounds (*)(const GraphOptions& graph, const DrawContext& context);
// Draws graph into the current context inside the display list being
// compiled, given the bounds of the rule (the GL state is saved around it).
using DrawStep = void (*)(Graph& graph, const DrawContext& context, const GraphBounds& bounds);
// Makes what the drawer needs in the drawing context (textures) before the
// scene's lists are compiled; the context is current.
using PrepareStep = void (*)(Graph& graph, const DrawContext& context);
// Frees what the prepare step made; the context it was made in is current.
using ReleaseStep = void (*)(Graph& graph);

struct GraphKindRow {
  Long code;
  CaptionRule captionRule;
  // The list caption of the kFixed rule, verbatim.
  std::string_view caption;
  // nullptr: the kind is not part of the scene box (GetBox gives the
  // inverted box, which widens no union).
  BoundRule bound;
  DrawStep draw;
  PrepareStep prepare;
  ReleaseStep release;
  LegendSource legend;
  // ViewSet bits.
  unsigned views;
  // Drawn from the data set's Delaunay triangles, which loading must make.
  bool needsTriangles;
};

// The row of graphType; a code without a row gets one that has no caption,
// no box and draws nothing.
const GraphKindRow& KindOf(Long graphType);
// Every row, by ascending code.
std::span<const GraphKindRow> GraphKinds();

// List Captions
// The caption of the kind's row for a graph shown in a document of viewCode,
// or nullopt for a kind without one (and for a point in a 4D document).
std::optional<std::string> TableCaption(const GraphOptions& graph, Long viewCode);
// The caption a list entry gets: the table's, or for the kinds it leaves out
// one that keeps every graph listed (so the list stays in step with
// AllGraphs): a 4D point takes the 3D point caption, any other kind
// "Graph " and its kind number.
std::string ListCaption(const GraphOptions& graph, Long viewCode);

}  // namespace qv
