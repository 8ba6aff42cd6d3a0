// The smaller graph-kind dialogs: colour map, contour plot and 3D contour
// plot, vector plot, vertex and grid models, 4D scatter and 4D vector,
// Delaunay triangles and iso-surface. Each model holds its controls'
// states, with the defaults the dialog opens with.
#pragma once

#include <array>
#include <string>

#include "dialogs/graph_dialog.h"
#include "graphs/graph_kinds.h"

namespace qv {

// "Color Map Properties": the colour mode of the colour-map kind.
class ColorMapDialogModel final : public GraphDialogModel {
 public:
  using GraphDialogModel::GraphDialogModel;
  Long Kind() const override { return kColorMapGraph; }
  const char* Caption() const override { return "Color Map Properties"; }

  ColorModeChoice colors;

 protected:
  bool Fill(Graph& graph) override;
};

// "Contour Plot Properties" (kind 14) and "3D Contour Plot Properties"
// (kind 16): tab "General" with the interval, tab "Lines" with the width and
// the colour mode.
class ContourDialogModel final : public GraphDialogModel {
 public:
  static constexpr std::array<const char*, 2> kTabs = {"General", "Lines"};

  // kind is kContourPlot or kContour3DPlot.
  ContourDialogModel(DialogContext context, Long kind);
  Long Kind() const override { return kind_; }
  const char* Caption() const override;

  // A blank interval takes a step of a tenth of the heights' range.
  std::string interval;
  // Position in the width list "1".."8".
  int width = 0;
  ColorModeChoice colors;

 protected:
  bool Fill(Graph& graph) override;

 private:
  Long kind_;
};

// "Vector Plot Properties": the arrows' colour.
class VectorDialogModel final : public GraphDialogModel {
 public:
  using GraphDialogModel::GraphDialogModel;
  Long Kind() const override { return kVectorPlot; }
  const char* Caption() const override { return "Vector Plot Properties"; }

  Long color = kRed;

 protected:
  bool Fill(Graph& graph) override;
};

// "3D Vertex Model Properties": the markers' colour and size.
class VertexDialogModel final : public GraphDialogModel {
 public:
  using GraphDialogModel::GraphDialogModel;
  Long Kind() const override { return kVertexModel; }
  const char* Caption() const override { return "3D Vertex Model Properties"; }

  Long color = kRed;
  int size = 0;  // position in the size list "1".."8"

 protected:
  bool Fill(Graph& graph) override;
};

// "3D Grid Model Properties": the grid lines' colour and width.
class GridModelDialogModel final : public GraphDialogModel {
 public:
  using GraphDialogModel::GraphDialogModel;
  Long Kind() const override { return kGridModel; }
  const char* Caption() const override { return "3D Grid Model Properties"; }

  Long color = kRed;
  int width = 0;  // position in the width list "1".."8"

 protected:
  bool Fill(Graph& graph) override;
};

// "4D Scatter Properties" (kind 41, blue at first) and "4D Vector
// Properties" (kind 42, red at first): a colour and "Show The Points Of
// Irregular Data".
class VolumePointsDialogModel final : public GraphDialogModel {
 public:
  // kind is kScatter4D or kVector4D.
  VolumePointsDialogModel(DialogContext context, Long kind);
  Long Kind() const override { return kind_; }
  const char* Caption() const override;

  Long color;
  bool showIrregular = false;

 protected:
  bool Fill(Graph& graph) override;

 private:
  Long kind_;
};

// "Delaunay Triangles": tab "Surface" (shown, flat or smooth, the colour
// mode) and tab "Triangles" (shown, colour, width).
class DelaunayDialogModel final : public GraphDialogModel {
 public:
  static constexpr std::array<const char*, 2> kTabs = {"Surface", "Triangles"};

  explicit DelaunayDialogModel(DialogContext context);
  Long Kind() const override { return kDelaunayGraph; }
  const char* Caption() const override { return "Delaunay Triangles"; }

  bool showSurface = true;
  bool smooth = true;  // "Smooth" (true) or "Flat"
  ColorModeChoice colors;
  bool showTriangles = true;
  Long triangleColor = RGB(64, 64, 64);
  int triangleWidth = 0;  // position in the width list "1".."5"

 protected:
  bool Fill(Graph& graph) override;
};

// "IsoSurface Properties": the iso value.
class IsoSurfaceDialogModel final : public GraphDialogModel {
 public:
  using GraphDialogModel::GraphDialogModel;
  Long Kind() const override { return kIsoSurface4D; }
  const char* Caption() const override { return "IsoSurface Properties"; }

  // A blank value takes the middle of the data's value range; a value
  // outside that range is refused.
  std::string value;

 protected:
  bool Fill(Graph& graph) override;
};

}  // namespace qv
