// One graph of the document: its kind and options (GraphOptions), its
// identity, the vertex table of the line kind, and the operations on it:
// copying, bounding, drawing, the record. A graph lives in the two scene
// groups of the Workspace; what it reads besides its options comes in the
// DrawContext of each call.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "graphs/color_map.h"
#include "graphs/draw_context.h"
#include "graphs/graph_kinds.h"
#include "graphs/graph_options.h"
#include "graphs/texture_cache.h"
#include "platform/box.h"
#include "platform/runtime.h"
#include "scene/point_marker.h"
#include "scene/scene_item.h"

namespace qv {

struct GraphBounds;

// A graph. Options are plain public fields named as in the documents and the
// dialogs (graph_options.h): setting one only stores it.
class Graph : public SceneItem, public GraphOptions {
 public:
  // Highest index of VertTab3D in each dimension.
  static constexpr Long kVertTabUpper = 200;

  // A graph with the defaults of a new graph (StepU = StepV = 1, the six
  // rainbow colour points, everything else 0, empty or false).
  Graph();

  // Identity
  Long ID() const override { return id_; }
  void SetID(Long id) { id_ = id; }

  // Vertex table of the line kind: slot (i, j), i and j 0..200. An empty slot
  // gets a new marker at the origin the first time it is read; later reads
  // return the same marker. Throws RuntimeError(kSubscriptOutOfRange).
  std::shared_ptr<PointMarker> VertTab3D(Long i, Long j);
  // Stores marker in slot (i, j). Throws like VertTab3D.
  void SetVertTab3D(Long i, Long j, std::shared_ptr<PointMarker> marker);

  // Creating and copying (the fields each takes are marked in
  // graph_option_list.inc)
  // A new graph holding the given core options (the three texts are not
  // used); this graph is not changed.
  std::shared_ptr<Graph> init(Long id, const std::string& nameS, Long graphType, Long coordType,
                              const std::string& text1, const std::string& text2,
                              const std::string& text3, Long stepU, Long stepV, double minU,
                              double maxU, double minV, double maxV, Long fillStyle,
                              Long firstColor, Long secondColor, Long lineColor, Long lineWidth,
                              Long material, Long show, Long smoothness, bool showContour,
                              bool showVector, bool showColormap, double contourLevel) const;
  // Stores the core options (kByEqual) and the three texts; ID is not touched.
  void Equal(const std::string& nameS, Long graphType, Long coordType, const std::string& text1,
             const std::string& text2, const std::string& text3, Long stepU, Long stepV,
             double minU, double maxU, double minV, double maxV, Long fillStyle, Long firstColor,
             Long secondColor, Long lineColor, Long lineWidth, Long material, Long show,
             Long smoothness, bool showContour, bool showVector, bool showColormap,
             double contourLevel);
  // Takes the core, point, texture, transparency and iso-surface options of
  // source (kByEqualTo); not ID, StepH, the colour map or any table. A source
  // of another item kind leaves this graph unchanged.
  void EqualTo(const SceneItem& source) override;
  // Takes nearly every option of source (kByTabEqualTo), the slice tables
  // (1..count) and the colour points (0..ColorNum-1) included; not ID, StepH,
  // MinU..MaxV, the point options or VertTab3D. A slice count above 50 or a
  // ColorNum above 31 throws RuntimeError(kSubscriptOutOfRange) when the
  // first index past the table is reached; what was copied before stays
  // copied.
  void TabEqualTo(const Graph& source);
  // The three texts that Equal stored (nothing reads them). Throws
  // RuntimeError(kSubscriptOutOfRange) for which outside 1..3.
  const std::string& AuxText(int which) const;

  // Box, record, drawing (each by the row of GraphType, graph_kinds.h)
  // The graph's extent in scene axes (scene x = data Y, y = data Z, z =
  // data X), in the data set's scaled units, not centred; also sets MInv and
  // MaxV to the value range (the inverted range but for the 4D kinds). A
  // kind that bounds nothing returns the inverted box (max -99999990000, min
  // 99999990000).
  Box GetBox(const DrawContext& context) const override;
  // The format the graph's record needs (RecordFormatNeeded of
  // graph_record.h): 4, or 5 for what format 4 would lose.
  Long RecordFormat() const override;
  // The graph record (graph_record.h) in the layout of format, every item
  // followed by one blank, ending with the settings' GridMethod and
  // GridMethod4D.
  std::string Save(const SharedSettings& settings, Long format) const override;
  // The same in the format the graph needs: the record Copy writes.
  std::string Save(const SharedSettings& settings) const { return Save(settings, RecordFormat()); }
  // The kind's prepare step (the surface kinds' texture). When the graph
  // was prepared as another kind, that kind's release step runs first.
  void PrepareDrawing(const DrawContext& context) override;
  // Draws the graph into the current OpenGL context (inside the display list
  // being compiled), with the scene centre subtracted. Reloads a named colour
  // map into the colour points first. Needs a current context.
  void Draw(const DrawContext& context) override;
  // The release step of the kind the graph was last prepared as (so what
  // was made is freed even when GraphType changed since); nothing when it
  // was not prepared.
  void ReleaseDrawing() override;
  // A transparent graph draws with the depth mask off.
  bool DrawsWithoutDepth() const override { return ShowTrans; }
  // Draws the graph's colour legend into the 0..100 overlay. Needs a current
  // context and the bitmap font of the settings' BitmapFontBase.
  void DrawLegend(const DrawContext& context) override;
  bool HasLegend(const DrawContext& context) const override;
  // Where the legend's bar begins across the 0..100 overlay; the bar and its
  // scale lie right of it.
  static constexpr double kLegendLeft = 82.0;

  // What the prepare step made in the drawing context, with the release
  // step of the kind that made it.
  struct Prepared {
    Prepared() = default;
    // A copy of a graph has prepared nothing.
    Prepared(const Prepared&) {}
    Prepared& operator=(const Prepared&) { return *this; }
    ReleaseStep release = nullptr;
    PreparedTexture texture;
  };
  Prepared& PreparedParts() { return prepared_; }
  const Prepared& PreparedParts() const { return prepared_; }

  // Colour lookup
  // The colour of value over min..min+range in the graph's colour map, as
  // fractions 0..1. An empty ColorName becomes "Rainbow" first, a named map
  // reloads its points. Never reads outside the tables: a count outside
  // 1..31 is clamped (below 1 the rainbow is used), values outside the map
  // take the nearest end colour, and a zero or non-finite range gives the
  // colour of the map's start.
  Rgb GetMapColor(double value, double min, double range);
  // Loads the named map into ColorNum and the colour points; returns false,
  // changing nothing, when name matches none of the five maps.
  bool SetColorMap(const std::string& name);
  // The colour points in use, clamped to the tables (the rainbow when the
  // count is below 1).
  ColorPointList ColorPoints() const;
  // The colour points after loading the map ColorName names: an empty
  // ColorName becomes "Rainbow" first, a named map reloads its points.
  ColorPointList LoadedColorPoints();

 private:
  // The bounds of the kind's rule; stores their value range in MInv, MaxV.
  GraphBounds Bound(const DrawContext& context) const;

  Long id_ = 0;
  std::string auxText1_, auxText2_, auxText3_;
  // Slot i + 201*j of VertTab3D, allocated at the first access.
  std::vector<std::shared_ptr<PointMarker>> vertTab_;
  Prepared prepared_;
};

}  // namespace qv
