// Contour lines of a regular grid of values: the levels at multiples of a
// step, the colour of each level, and the tracer that follows each line from
// cell to cell. The tracer knows nothing of OpenGL or of the document: a
// ContourPlacer turns each crossing into a drawn position and a ContourSink
// receives the lines (the GL sink and the placers are in contour_drawing.h).
//
// Grid, nodes and edges (first index i = 0..nx-1, second index j = 0..ny-1):
//
//        j+1  (i,j+1) ---- I-edge (i,j+1) ---- (i+1,j+1)
//               |                                 |
//          J-edge (i,j)        cell (i,j)    J-edge (i+1,j)
//               |                                 |
//        j    (i,j) ------ I-edge (i,j) ------ (i+1,j)
//
// An I-edge runs along the first index, a J-edge along the second. A
// crossing lies at fraction f of its edge, measured from the node of the
// lower index.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "graph_geometry.h"
#include "graphs/color_map.h"
#include "platform/runtime.h"

namespace qv {

// Levels

// The most levels one drawing traces. A step that would give more (a step
// tiny against the range of the values) is widened to the smallest multiple
// of itself that gives at most this many, so the lines still stand at
// multiples of the user's step and cover the whole range; more lines than
// this could not be told apart on any screen.
inline constexpr Long kMaxContourLevels = 1000;

// The levels of one drawing: level k = (firstMultiple + k) * step, k = 0 ..
// count-1, in the units of the values.
struct ContourLevels {
  double firstMultiple = 0.0;
  double step = 0.0;
  Long count = 0;
  double At(Long k) const { return (firstMultiple + static_cast<double>(k)) * step; }
  double First() const { return At(0); }
  double Last() const { return At(count - 1); }
};

// The multiples of step above min up to max: from (Int(min / step) + 1) * step
// to Int(max / step) * step, Int rounding down. min itself is never a level,
// max is one when it is a multiple. No levels when step is not a positive
// finite number, when min or max is not finite, or when no multiple lies in
// the range. At most kMaxContourLevels (the step widened, see there).
ContourLevels ContourLevelsOf(double min, double max, double step);

// Colours

// The colour modes of contour lines.
enum ContourColorMode : Long {
  // From colour2 at the lowest level to colour1 at the highest.
  kContourBlend = 3,
  // colour2 for every level.
  kContourSingle = 4,
  // The colour map over the lowest to the highest level.
  kContourMap = 5,
};

struct ContourColoring {
  // A ContourColorMode; any other code sets no colour (the current one stays).
  Long mode = kContourSingle;
  // Packed colours R + 256*G + 65536*B.
  Long color1 = 0;
  Long color2 = 0;
  // The map of kContourMap.
  ColorPointList map;
};

// The colour of level k of levels, or nullopt for a mode that sets none. A
// single level is the lowest (colour2 in the blend); in the map mode a
// single level, whose range is empty, is pure blue.
std::optional<Rgb> ContourLevelColor(const ContourColoring& coloring, const ContourLevels& levels,
                                     Long k);

// Edges And Steps

struct ContourEdge {
  Long i = 0;
  Long j = 0;
  // An I-edge, (i, j)-(i+1, j); otherwise a J-edge, (i, j)-(i, j+1).
  bool alongFirst = false;
  bool operator==(const ContourEdge&) const = default;
};

// The direction in which a trace crossed its last edge.
enum class ContourStep { kUpFirst, kUpSecond, kDownFirst, kDownSecond };

struct ContourMove {
  ContourEdge edge;
  ContourStep step;
};

// Where The Lines Go

// Turns a crossing into the position drawn (scene coordinates with the
// scene centre subtracted).
class ContourPlacer {
 public:
  virtual ~ContourPlacer() = default;
  // The crossing at fraction f (0..1) of edge.
  virtual ScenePoint Place(const ContourEdge& edge, double f) const = 0;
};

// Receives the lines level by level. Each line is BeginLine, two or more
// Vertex, EndLine; a closed line ends on its first point again.
class ContourSink {
 public:
  virtual ~ContourSink() = default;
  // Before the lines of each level (in the values' units), lowest first;
  // colour is nullopt when the mode sets none.
  virtual void BeginLevel(double level, const std::optional<Rgb>& colour) = 0;
  virtual void BeginLine() = 0;
  virtual void Vertex(const ScenePoint& p) = 0;
  virtual void EndLine() = 0;
};

// The Tracer

class ContourTracer {
 public:
  // values: nx * ny node values, node (i, j) at i * ny + j, taken over as
  // the tracer's own copy (the caller's grid is never changed). A grid with fewer than 2 nodes
  // along an index, or values of another size, has no lines. The levels come from the least and
  // largest finite value (ContourLevelsOf). Every node within 1e-4 of a level is raised by 1e-5
  // (both scaled down with a step below 1), level by level from the lowest, so that no line passes
  // exactly through a node; values that are not finite are left alone and cross no level.
  ContourTracer(Long nx, Long ny, std::vector<double> values, double step);

  Long Nx() const { return nx_; }
  Long Ny() const { return ny_; }
  const ContourLevels& Levels() const { return levels_; }
  // The values as traced (after the raise), node (i, j) at i * ny + j.
  std::span<const double> Values() const { return values_; }

  // Traces every level, lowest first, into sink: per level the lines that
  // start on the edges of the first column, then of the first row, of the
  // last column, of the last row, then the closed lines found on the
  // interior J-edges. Each crossing is drawn once. A line ends where it
  // meets the border or comes back to its start, or where the walk finds no
  // exit; it never takes more steps than the grid has edges.
  void Trace(const ContourPlacer& placer, const ContourColoring& coloring, ContourSink& sink);

  // The exit of the cell beyond edge in the direction of step, at level k:
  // the cell's two side edges (parallel to the step) in the order below, then
  // the opposite edge, the first that the level crosses and that no line of
  // level k has drawn yet; nullopt at the border or with none.
  //
  //   step toward        first tried                  then
  //   higher i (UpFirst)   side at the lower j         side at the higher j
  //   higher j (UpSecond)  side at the lower i         side at the higher i
  //   lower i (DownFirst)  side at the higher j        side at the lower j
  //   lower j (DownSecond) side at the higher i        side at the lower i
  //
  // This order decides the saddle cells, whose four edges all cross.
  std::optional<ContourMove> NextCrossing(const ContourEdge& edge, ContourStep step, Long k) const;

 private:
  void RaiseNodesNearLevels();
  void ComputeRunRanges();
  void TraceLevel(const ContourPlacer& placer, ContourSink& sink);
  void TryStart(const ContourEdge& edge, ContourStep step, const ContourPlacer& placer,
                ContourSink& sink);
  // The walk at level (mark: 1 + its number).
  std::optional<ContourMove> Next(const ContourEdge& edge, ContourStep step, double level,
                                  std::uint16_t mark) const;
  bool Open(const ContourEdge& edge, double level, std::uint16_t mark) const;
  bool OnBorder(const ContourEdge& edge) const;
  ScenePoint PointOn(const ContourEdge& edge, const ContourPlacer& placer) const;
  std::uint16_t& Drawn(const ContourEdge& edge);
  std::uint16_t Drawn(const ContourEdge& edge) const;
  std::size_t Node(Long i, Long j) const;
  // The nodes at the two ends of edge.
  std::size_t From(const ContourEdge& edge) const;
  std::size_t To(const ContourEdge& edge) const;

  Long nx_ = 0;
  Long ny_ = 0;
  std::vector<double> values_;
  ContourLevels levels_;
  // Per edge, 1 + the last level that drew its crossing (0: none yet), so no
  // table is cleared between levels. Indexed by the edge's first node.
  std::vector<std::uint16_t> drawnI_;
  std::vector<std::uint16_t> drawnJ_;
  // Least and largest value of each run of kScanBlock edges of each row (run
  // b of row i at i * blocks_ + b), with which the interior pass skips the
  // runs that a level cannot cross. Values that are not finite count for
  // neither.
  Long blocks_ = 0;
  std::vector<double> blockMin_;
  std::vector<double> blockMax_;
  // The level being traced and its mark in the tables.
  double level_ = 0.0;
  std::uint16_t mark_ = 0;
  Long maxSteps_ = 0;
};

static_assert(kMaxContourLevels < 65535, "the drawn marks hold a level number in 16 bits");

}  // namespace qv
