// One graph of the document: its kind, every option that the drawing of any
// kind reads, its box, its record and its drawing. A graph lives in the two
// scene groups of its Workspace and reads the Workspace's data set and
// settings when it is bounded, drawn or saved.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "graphs/color_map.h"
#include "platform/checked_array.h"
#include "platform/runtime.h"
#include "platform/box.h"
#include "scene/point_marker.h"
#include "scene/scene_item.h"

namespace qv {

struct Workspace;

// Graph kinds (`GraphType`) that the program draws or gives a list caption.
enum GraphKind : Long {
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

// A graph. Options are plain public fields named as in the documents and the
// dialogs: setting one only stores it. The slice tables take indices 0..50 and
// the colour-point tables 0..30; any other index throws
// RuntimeError(kSubscriptOutOfRange) and stores nothing.
class Graph : public SceneItem {
 public:
  using SliceDoubles = FixedTable<double, 0, 50>;
  using SliceLongs = FixedTable<Long, 0, 50>;
  using SliceFlags = FixedTable<bool, 0, 50>;
  static constexpr Long kMaxSlices = 50;
  // Highest index of VertTab3D in each dimension.
  static constexpr Long kVertTabUpper = 200;

  // A graph with the defaults of a new graph (StepU = StepV = 1, the six
  // rainbow colour points, everything else 0, empty or false) that reads the
  // data set and settings of workspace, which must outlive it.
  explicit Graph(const Workspace& workspace);

  // Identity
  Long ID() const override { return id_; }
  void SetID(Long id) { id_ = id; }
  // Title shown in the graph list.
  std::string NameS;
  // Kind of graph (GraphKind); any other code draws nothing.
  Long GraphType = 0;
  // Kept and copied only.
  Long CoordType = 0;

  // Grid extent: last node index along the data set's first, second and
  // third grid axis (node count minus 1). Drawing and GetBox never read past
  // the data set's arrays whatever these hold.
  Long StepU = 1;
  Long StepV = 1;
  Long StepH = 0;
  // Kept and copied only.
  double MinU = 0.0;
  double MaxU = 0.0;
  // Value range of 4D data: GetBox sets them for the 4D kinds (hence mutable:
  // bounding a graph refreshes them even through a const graph).
  mutable double MInv = 0.0;
  mutable double MaxV = 0.0;

  // Surface appearance
  // Packed colours R + 256*G + 65536*B.
  Long FirstColor = 0;
  Long SecondColor = 0;
  // Colouring of the surface kinds: 0, 1, 2 graded along the first, third and
  // second box pair, 3 one colour, 4 the colour map.
  Long FillStyle = 0;
  // Material preset (1..13); 5 also makes the colour track the emission.
  Long Material = 0;
  // Display mode of the surface kinds: 1 points, 2 lines, 3 filled.
  Long Show = 0;
  // Shading of the surface kinds: 1 flat, 2 or 3 smooth.
  Long Smoothness = 0;
  // Line width in pixels (a width below 1 is drawn as 1).
  Long LineWidth = 0;
  Long LineColor = 0;

  // Point graph: colour, marker size and position in data units.
  Long PointColor = 0;
  double PointSize = 0.0;
  double PointX = 0.0;
  double PointY = 0.0;
  double PointZ = 0.0;

  // Layers under a surface: contour lines, vectors, a colour map.
  bool ShowContour = false;
  bool ShowVector = false;
  bool ShowColormap = false;
  // Contour interval of the contour layer under a surface.
  double ContourLevel = 0.0;

  // Vertex and grid models: marker size (pixels) and colour, grid colour and
  // line width.
  Long VertSize = 0;
  Long VertColor = 0;
  Long GridColor = 0;
  Long GridWidth = 0;

  // Contour plot (kind 14): interval, colour mode, two colours, line width.
  double ContourLevels = 0.0;
  Long ConFillType = 0;
  Long ConColor1 = 0;
  Long ConColor2 = 0;
  Long ConWidth = 0;
  // 3D contour plot (kind 16).
  double Contour3Levels = 0.0;
  Long Con3FillType = 0;
  Long Con3Color1 = 0;
  Long Con3Color2 = 0;
  Long Con3Width = 0;
  // Arrow colour of the vector plot (kind 15).
  Long VectorColor = 0;
  // Colour mode and two colours of the colour-map kind.
  Long ColorMapfilltype = 0;
  Long ColorMapcolor1 = 0;
  Long ColorMapcolor2 = 0;
  // Also draw the points of irregular data.
  bool ShowIrregData = false;
  // Colours of the 4D scatter points and the 4D vectors.
  Long Scat4DColor = 0;
  Long Vect4DColor = 0;

  // 4D slices: count along each axis (at most 50) and the per-slice options,
  // used at indices 1..count.
  Long Slice4NumX = 0;
  SliceDoubles Slice4X;
  SliceFlags SliceXShowColor;
  SliceFlags SliceXShowCont;
  SliceFlags SliceXShowVect;
  SliceDoubles SliceXContLevels;
  SliceLongs SliceXContColor;
  SliceLongs SliceXVectColor;
  Long Slice4NumY = 0;
  SliceDoubles Slice4Y;
  SliceFlags SliceYShowColor;
  SliceFlags SliceYShowCont;
  SliceFlags SliceYShowVect;
  SliceDoubles SliceYContLevels;
  SliceLongs SliceYContColor;
  SliceLongs SliceYVectColor;
  Long Slice4NumZ = 0;
  SliceDoubles Slice4Z;
  SliceFlags SliceZShowColor;
  SliceFlags SliceZShowCont;
  SliceFlags SliceZShowVect;
  SliceDoubles SliceZContLevels;
  SliceLongs SliceZContColor;
  SliceLongs SliceZVectColor;
  // Begin/end node indices of the drawn part of each slice: of Y slice i
  // along X and Z, of X slice i along Y and Z, of Z slice i along X and Y.
  SliceLongs Slice4ZXXB, Slice4ZXXE, Slice4ZXZB, Slice4ZXZE;
  SliceLongs Slice4YZYB, Slice4YZYE, Slice4YZZB, Slice4YZZE;
  SliceLongs Slice4XYXB, Slice4XYXE, Slice4XYYB, Slice4XYYE;

  // Texture and transparency of the surface.
  bool ShowTex = false;
  std::string TexName;
  Long TexMode = 0;
  bool ShowTrans = false;
  double TransAlpha = 0.0;

  // Delaunay kind: draw the triangle surface, the triangle edges, and the
  // edges' colour and width.
  bool ShowDS = false;
  bool ShowDG = false;
  Long TriColor = 0;
  Long TriWidth = 0;

  // Iso-surface (kind 44): colour (not used in drawing) and iso value.
  Long IsoSurColor = 0;
  double IsoSurValue = 0.0;

  // Colour map: a name ("RAINBOW", "EARTH", "FIERY", "MARINE", "GREY", any
  // letter case, also with a leading "@", or a name of the user's own points),
  // the number of points in use and the points (position 0..100, R, G, B).
  std::string ColorName;
  Long ColorNum = 0;
  ColorPositions ColorPos;
  ColorComponents ColorR;
  ColorComponents ColorG;
  ColorComponents ColorB;

  // Vertex table of the line kind: slot (i, j), i and j 0..200. An empty slot
  // gets a new marker at the origin the first time it is read; later reads
  // return the same marker. Throws RuntimeError(kSubscriptOutOfRange).
  std::shared_ptr<PointMarker> VertTab3D(Long i, Long j);
  // Stores marker in slot (i, j). Throws like VertTab3D.
  void SetVertTab3D(Long i, Long j, std::shared_ptr<PointMarker> marker);

  // Creating and copying
  // A new graph of this graph's workspace holding the given core options
  // (the three texts are not used); this graph is not changed.
  std::shared_ptr<Graph> init(Long id, const std::string& nameS, Long graphType, Long coordType,
                             const std::string& text1, const std::string& text2,
                             const std::string& text3, Long stepU, Long stepV, double minU,
                             double maxU, double minV, double maxV, Long fillStyle,
                             Long firstColor, Long secondColor, Long lineColor, Long lineWidth,
                             Long material, Long show, Long smoothness, bool showContour,
                             bool showVector, bool showColormap, double contourLevel) const;
  // Stores the core options (and the three texts); ID is not touched.
  void Equal(const std::string& nameS, Long graphType, Long coordType, const std::string& text1,
             const std::string& text2, const std::string& text3, Long stepU, Long stepV,
             double minU, double maxU, double minV, double maxV, Long fillStyle, Long firstColor,
             Long secondColor, Long lineColor, Long lineWidth, Long material, Long show,
             Long smoothness, bool showContour, bool showVector, bool showColormap,
             double contourLevel);
  // Takes the core, point, texture, transparency and iso-surface options of
  // source; not ID, StepH, the colour map or any table. A source of another
  // item kind leaves this graph unchanged.
  void EqualTo(const SceneItem& source) override;
  // Takes nearly every option of source, the slice tables (1..count) and the
  // colour points (0..ColorNum-1) included; not ID, StepH, MinU..MaxV, the
  // point options or VertTab3D. A slice count above 50 or a ColorNum above 31
  // throws RuntimeError(kSubscriptOutOfRange) when the first index past the
  // table is reached; what was copied before stays copied.
  void TabEqualTo(const Graph& source);
  // The three texts that Equal stored (nothing reads them).
  const std::string& AuxText(int which) const;

  // Box, record, drawing
  // The graph's extent in scene axes (scene x = data Y, y = data Z, z =
  // data X), in the data set's scaled units, not centred. A kind that bounds
  // nothing returns the inverted box (max -99999990000, min 99999990000).
  Box GetBox() const override;
  // The graph record, every item followed by one blank (see graph_record.h).
  // Never fails: slice counts above 50 and a ColorNum above 31 are written
  // as 50 and 31 with their entries.
  std::string Save() const override;
  // Draws the graph into the current OpenGL context (inside the display list
  // being compiled), with the scene centre subtracted. Needs a current context.
  void Draw() override;
  // Draws the graph's colour legend into the 0..100 overlay. Needs a current
  // context and the bitmap font of the settings' BitmapFontBase.
  void DrawLegend() override;

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

  // The workspace this graph reads.
  const Workspace& Owner() const { return *workspace_; }

 private:
  struct BoxFields {
    double maxX, minX, maxY, minY, maxZ, minZ, maxC, minC, maxV, minV;
  };
  BoxFields ComputeBox() const;
  void StoreBox(const BoxFields& box) const;

  // Drawing by kind (graph_draw.cpp, graph_surface.cpp, graph_draw_4d.cpp).
  void DrawSurface();
  void DrawDelaunay(const struct SurfaceColors& colors);
  void DrawMesh(const struct SurfaceColors& colors);
  void DrawLines();
  void DrawPoint();
  void DrawVectorPlot();
  void DrawScatter4D();
  void DrawVector4D();
  void DrawArrow(double x1, double y1, double z1, double x2, double y2, double z2,
                 double radius) const;
  // Kinds whose drawing comes with the contour, texture and iso-surface
  // routines; they draw nothing yet.
  void DrawContourPlot();
  void DrawContour3D();
  void Draw4DSlices();
  void DrawIsoSurface();
  void DrawSurfaceContours();
  bool LoadSurfaceTexture();

  const Workspace* workspace_;
  Long id_ = 0;
  std::string auxText1_, auxText2_, auxText3_;
  // One marker per grid node (0..StepU, 0..StepV), rebuilt by Draw.
  CheckedArray<PointMarker, 2> nodeTable_;
  // Slot i + 201*j of VertTab3D, allocated at the first access.
  std::vector<std::shared_ptr<PointMarker>> vertTab_;
  // The box fields written by GetBox (scene axes and the colour range).
  mutable double boxMaxX_ = 0, boxMinX_ = 0, boxMaxY_ = 0, boxMinY_ = 0, boxMaxZ_ = 0,
                 boxMinZ_ = 0, boxMaxC_ = 0, boxMinC_ = 0;
};

}  // namespace qv
