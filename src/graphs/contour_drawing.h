// How the graphs draw contour lines: the placers that put the tracer's
// crossings into the scene of each view kind, and the GL sink that turns
// each line into one line strip.
#pragma once

#include <array>
#include <vector>

#include "contour_tracer.h"
#include "graphs/graph.h"
#include "platform/shared_settings.h"

namespace qv {

// The orientation of a flat plane of lines in 3D and 4D documents (the codes
// of ContourMode): which data axes the grid's first and second index run
// along, and which one the plane is constant on.
enum class ContourPlane : Long {
  // First index data X, second data Y, at a fixed height Z.
  kConstantZ = 1,
  // First index data Y, second data Z, at a fixed X.
  kConstantX = 2,
  // First index data X, second data Z, at a fixed Y.
  kConstantY = 3,
};

// Lines in a flat plane, each crossing placed between the in-plane
// coordinates of its edge's two nodes.
class PlanePlacer final : public ContourPlacer {
 public:
  // first, second: the in-plane coordinates of node (i, j) at i * ny + j,
  // in scaled units; third: the plane's fixed coordinate. In a 2D document
  // (flat2D) a crossing is drawn as every kind of those documents is, data
  // X, Y and the value along scene x, y, z: (first - CenterX, second -
  // CenterY, third - CenterZ). Otherwise plane names the data axes of
  // first, second and third, drawn at scene (Y - CenterY, Z - CenterZ, X -
  // CenterX). settings must outlive the placer.
  PlanePlacer(Long ny, std::vector<double> first, std::vector<double> second, double third,
              bool flat2D, ContourPlane plane, const SharedSettings& settings);
  ScenePoint Place(const ContourEdge& edge, double f) const override;

 private:
  Long ny_;
  // first and second of each node side by side, which a walk along a line
  // reads together.
  std::vector<std::array<double, 2>> inPlane_;
  double third_;
  bool flat2D_;
  ContourPlane plane_;
  const SharedSettings& settings_;
};

// How the three parameters of a surface node give its place.
enum class SurfaceCoordinates {
  // Data X, Y, Z, in scaled units.
  kCartesian,
  // Angle (radians), height and radius, in data units.
  kCylindrical,
  // Azimuth and polar angle (radians) and radius, in data units.
  kSpherical,
};

// Lines on a surface: a crossing takes the parameters interpolated between
// its edge's two nodes, so it lies on the surface that the parameters
// describe (on the cylinder or the sphere itself, not on a chord).
class SurfacePlacer final : public ContourPlacer {
 public:
  // p1, p2, p3: the parameters of node (i, j) at i * ny + j. Cylindrical
  // and spherical points are made Cartesian and divided by DataScaleX, Y,
  // Z; every point is drawn at scene (Y - CenterY, Z - CenterZ, X -
  // CenterX). settings must outlive the placer.
  SurfacePlacer(Long ny, std::vector<double> p1, std::vector<double> p2, std::vector<double> p3,
                SurfaceCoordinates coordinates, const SharedSettings& settings);
  ScenePoint Place(const ContourEdge& edge, double f) const override;

 private:
  Long ny_;
  std::vector<double> p1_;
  std::vector<double> p2_;
  std::vector<double> p3_;
  SurfaceCoordinates coordinates_;
  const SharedSettings& settings_;
};

// The colours of a contour kind's lines: mode and its two colours, and for
// the colour map (kContourMap) the graph's map, an empty ColorName taken as
// "Rainbow" as the other kinds take it (a named map loaded, any other name
// keeping the graph's own points, which its legend shows too).
ContourColoring ContourColoringOf(Graph& graph, Long mode, Long color1, Long color2);

// The sink that draws into the current context: one GL_LINE_STRIP per line,
// the level's colour set before its lines.
class GlContourSink final : public ContourSink {
 public:
  void BeginLevel(double level, const std::optional<Rgb>& colour) override;
  void BeginLine() override;
  void Vertex(const ScenePoint& p) override;
  void EndLine() override;
};

// The GL state contour lines are drawn in: unlit, width pixels wide (at
// least 1), neither smoothed nor blended, so that each line is drawn whole;
// the scene's jittered passes anti-alias it. EndContourLines turns smooth
// lines and blending off and lighting on.
void BeginContourLines(Long width);
void EndContourLines();

// The Lines Of The Contour Kinds
// Each traces its graph's lines into sink; the drawers pass the GL sink.

// The contour plot: the heights of the regular surface every ContourLevels
// (data units), coloured by ConFillType. A 2D document draws them in its
// plane at the height of the highest node, in front of a colour map of the
// same field; a 3D or 4D one flat at the lowest node's height.
void TraceContourPlot(Graph& graph, const DrawContext& context, ContourSink& sink);
// The contour layer under a surface (ShowContour): the heights every
// ContourLevel in LineColor, flat in the plane of the other layers, 3 below
// the lowest node (lifted by 0.02 off the colour-map layer there).
void TraceSurfaceContours(Graph& graph, const DrawContext& context, ContourSink& sink);
// The 3D contour plot: the colour values every Contour3Levels (data units),
// coloured by Con3FillType, on the surface itself (SurfacePlacer) in its
// data kind's coordinates: Cartesian, cylindrical (angle A, height D, radius
// B) or spherical (azimuth A, polar angle B, radius D). Nothing outside a 3D
// document, for a volume, or without the polar arrays of every node.
void TraceContour3D(Graph& graph, const DrawContext& context, ContourSink& sink);

}  // namespace qv
