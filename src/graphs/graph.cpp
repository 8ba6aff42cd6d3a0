#include "graphs/graph.h"

#include <algorithm>

#include "graphs/graph_record.h"

namespace qv {

Graph::Graph() { SetColorMap("RAINBOW"); }

// VertTab3D

std::shared_ptr<PointMarker> Graph::VertTab3D(Long i, Long j) {
  if (i < 0 || i > kVertTabUpper || j < 0 || j > kVertTabUpper) {
    throw RuntimeError(kSubscriptOutOfRange, "VertTab3D(" + CStr(i) + ", " + CStr(j) + ")");
  }
  constexpr std::size_t kSide = kVertTabUpper + 1;
  if (vertTab_.empty()) vertTab_.resize(kSide * kSide);
  std::shared_ptr<PointMarker>& slot = vertTab_[static_cast<std::size_t>(i) + kSide * j];
  if (!slot) slot = std::make_shared<PointMarker>();
  return slot;
}

void Graph::SetVertTab3D(Long i, Long j, std::shared_ptr<PointMarker> marker) {
  VertTab3D(i, j);  // checks the indices and allocates the table
  vertTab_[static_cast<std::size_t>(i) + (kVertTabUpper + 1) * j] = std::move(marker);
}

// Creating and copying

std::shared_ptr<Graph> Graph::init(Long id, const std::string& nameS, Long graphType,
                                   Long coordType, const std::string&, const std::string&,
                                   const std::string&, Long stepU, Long stepV, double minU,
                                   double maxU, double minV, double maxV, Long fillStyle,
                                   Long firstColor, Long secondColor, Long lineColor,
                                   Long lineWidth, Long material, Long show, Long smoothness,
                                   bool showContour, bool showVector, bool showColormap,
                                   double contourLevel) const {
  auto graph = std::make_shared<Graph>();
  graph->SetID(id);
  graph->Equal(nameS, graphType, coordType, "", "", "", stepU, stepV, minU, maxU, minV, maxV,
               fillStyle, firstColor, secondColor, lineColor, lineWidth, material, show, smoothness,
               showContour, showVector, showColormap, contourLevel);
  return graph;
}

void Graph::Equal(const std::string& nameS, Long graphType, Long coordType,
                  const std::string& text1, const std::string& text2, const std::string& text3,
                  Long stepU, Long stepV, double minU, double maxU, double minV, double maxV,
                  Long fillStyle, Long firstColor, Long secondColor, Long lineColor, Long lineWidth,
                  Long material, Long show, Long smoothness, bool showContour, bool showVector,
                  bool showColormap, double contourLevel) {
  GraphOptions core;
  core.NameS = nameS;
  core.GraphType = graphType;
  core.CoordType = coordType;
  core.StepU = stepU;
  core.StepV = stepV;
  core.MinU = minU;
  core.MaxU = maxU;
  core.MInv = minV;
  core.MaxV = maxV;
  core.FillStyle = fillStyle;
  core.FirstColor = firstColor;
  core.SecondColor = secondColor;
  core.LineColor = lineColor;
  core.LineWidth = lineWidth;
  core.Material = material;
  core.Show = show;
  core.Smoothness = smoothness;
  core.ShowContour = showContour;
  core.ShowVector = showVector;
  core.ShowColormap = showColormap;
  core.ContourLevel = contourLevel;
  CopyOptions(*this, core, kByEqual);
  auxText1_ = text1;
  auxText2_ = text2;
  auxText3_ = text3;
}

const std::string& Graph::AuxText(int which) const {
  if (which == 1) return auxText1_;
  if (which == 2) return auxText2_;
  if (which == 3) return auxText3_;
  throw RuntimeError(kSubscriptOutOfRange, "AuxText(" + CStr(which) + ")");
}

void Graph::EqualTo(const SceneItem& item) {
  const auto* source = dynamic_cast<const Graph*>(&item);
  if (source != nullptr) CopyOptions(*this, *source, kByEqualTo);
}

void Graph::TabEqualTo(const Graph& source) { CopyOptions(*this, source, kByTabEqualTo); }

// Record

Long Graph::RecordFormat() const { return RecordFormatNeeded(*this); }

std::string Graph::Save(const SharedSettings& settings, Long format) const {
  return WriteGraphRecord(*this, id_, settings.GridMethod, settings.GridMethod4D, format);
}

// Colour map

bool Graph::SetColorMap(const std::string& name) {
  const NamedColorMap* map = FindNamedColorMap(name);
  if (map == nullptr) return false;
  ColorNum = static_cast<Long>(map->points.count);
  for (std::size_t k = 0; k < map->points.count; ++k) {
    const ColorPoint& p = map->points.points[k];
    const auto i = static_cast<Long>(k);
    ColorPos(i) = p.pos;
    ColorR(i) = p.r;
    ColorG(i) = p.g;
    ColorB(i) = p.b;
  }
  return true;
}

ColorPointList Graph::ColorPoints() const {
  if (ColorNum < 1) return RainbowColorMap().points;
  ColorPointList list;
  list.count = static_cast<std::size_t>(std::min(ColorNum, kMaxColorPoints));
  for (std::size_t k = 0; k < list.count; ++k) {
    const auto i = static_cast<Long>(k);
    list.points[k] = {ColorPos(i), ColorR(i), ColorG(i), ColorB(i)};
  }
  return list;
}

ColorPointList Graph::LoadedColorPoints() {
  if (ColorName.empty()) ColorName = "Rainbow";
  SetColorMap(ColorName);
  return ColorPoints();
}

Rgb Graph::GetMapColor(double value, double min, double range) {
  return LookupColor(LoadedColorPoints(), MapScale(value, min, range));
}

}  // namespace qv
