#include "graphs/graph.h"

#include <algorithm>

namespace qv {

Graph::Graph(const Workspace& workspace) : workspace_(&workspace) {
  SetColorMap("RAINBOW");
}

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
  auto graph = std::make_shared<Graph>(*workspace_);
  graph->SetID(id);
  graph->NameS = nameS;
  graph->GraphType = graphType;
  graph->CoordType = coordType;
  graph->StepU = stepU;
  graph->StepV = stepV;
  graph->MinU = minU;
  graph->MaxU = maxU;
  graph->MInv = minV;
  graph->MaxV = maxV;
  graph->FillStyle = fillStyle;
  graph->FirstColor = firstColor;
  graph->SecondColor = secondColor;
  graph->LineColor = lineColor;
  graph->LineWidth = lineWidth;
  graph->Material = material;
  graph->Show = show;
  graph->Smoothness = smoothness;
  graph->ShowContour = showContour;
  graph->ShowVector = showVector;
  graph->ShowColormap = showColormap;
  graph->ContourLevel = contourLevel;
  return graph;
}

void Graph::Equal(const std::string& nameS, Long graphType, Long coordType,
                 const std::string& text1, const std::string& text2, const std::string& text3,
                 Long stepU, Long stepV, double minU, double maxU, double minV, double maxV,
                 Long fillStyle, Long firstColor, Long secondColor, Long lineColor,
                 Long lineWidth, Long material, Long show, Long smoothness, bool showContour,
                 bool showVector, bool showColormap, double contourLevel) {
  NameS = nameS;
  GraphType = graphType;
  CoordType = coordType;
  auxText1_ = text1;
  auxText2_ = text2;
  auxText3_ = text3;
  StepU = stepU;
  StepV = stepV;
  MinU = minU;
  MaxU = maxU;
  MInv = minV;
  MaxV = maxV;
  FillStyle = fillStyle;
  FirstColor = firstColor;
  SecondColor = secondColor;
  LineColor = lineColor;
  LineWidth = lineWidth;
  Material = material;
  Show = show;
  Smoothness = smoothness;
  ShowContour = showContour;
  ShowVector = showVector;
  ShowColormap = showColormap;
  ContourLevel = contourLevel;
}

const std::string& Graph::AuxText(int which) const {
  if (which == 1) return auxText1_;
  if (which == 2) return auxText2_;
  if (which == 3) return auxText3_;
  throw RuntimeError(kSubscriptOutOfRange, "AuxText(" + CStr(which) + ")");
}

void Graph::EqualTo(const SceneItem& item) {
  const auto* source = dynamic_cast<const Graph*>(&item);
  if (source == nullptr) return;
  const Graph& s = *source;
  NameS = s.NameS;
  GraphType = s.GraphType;
  CoordType = s.CoordType;
  StepU = s.StepU;
  StepV = s.StepV;
  MinU = s.MinU;
  MaxU = s.MaxU;
  MInv = s.MInv;
  MaxV = s.MaxV;
  FillStyle = s.FillStyle;
  FirstColor = s.FirstColor;
  SecondColor = s.SecondColor;
  LineColor = s.LineColor;
  LineWidth = s.LineWidth;
  Material = s.Material;
  Show = s.Show;
  Smoothness = s.Smoothness;
  PointX = s.PointX;
  PointY = s.PointY;
  PointZ = s.PointZ;
  PointColor = s.PointColor;
  PointSize = s.PointSize;
  ShowContour = s.ShowContour;
  ShowVector = s.ShowVector;
  ShowColormap = s.ShowColormap;
  ContourLevel = s.ContourLevel;
  ShowTex = s.ShowTex;
  TexName = s.TexName;
  TexMode = s.TexMode;
  ShowTrans = s.ShowTrans;
  TransAlpha = s.TransAlpha;
  IsoSurColor = s.IsoSurColor;
  IsoSurValue = s.IsoSurValue;
}

namespace {

// Copies entry i of each listed table from one graph to another.
template <auto... Tables>
void CopyEntries(Graph& to, const Graph& from, Long i) {
  (((to.*Tables)(i) = (from.*Tables)(i)), ...);
}

}  // namespace

void Graph::TabEqualTo(const Graph& s) {
  NameS = s.NameS;
  LineColor = s.LineColor;
  LineWidth = s.LineWidth;
  GraphType = s.GraphType;
  CoordType = s.CoordType;
  StepU = s.StepU;
  StepV = s.StepV;
  FillStyle = s.FillStyle;
  FirstColor = s.FirstColor;
  SecondColor = s.SecondColor;
  Material = s.Material;
  Show = s.Show;
  Smoothness = s.Smoothness;
  ShowColormap = s.ShowColormap;
  ShowContour = s.ShowContour;
  ContourLevel = s.ContourLevel;
  ShowVector = s.ShowVector;
  VertSize = s.VertSize;
  VertColor = s.VertColor;
  GridColor = s.GridColor;
  GridWidth = s.GridWidth;
  ContourLevels = s.ContourLevels;
  ConFillType = s.ConFillType;
  ConColor1 = s.ConColor1;
  ConColor2 = s.ConColor2;
  ConWidth = s.ConWidth;
  Contour3Levels = s.Contour3Levels;
  Con3FillType = s.Con3FillType;
  Con3Color1 = s.Con3Color1;
  Con3Color2 = s.Con3Color2;
  Con3Width = s.Con3Width;
  ColorMapfilltype = s.ColorMapfilltype;
  ColorMapcolor1 = s.ColorMapcolor1;
  ColorMapcolor2 = s.ColorMapcolor2;
  VectorColor = s.VectorColor;
  ShowIrregData = s.ShowIrregData;
  Scat4DColor = s.Scat4DColor;
  Vect4DColor = s.Vect4DColor;
  Slice4NumX = s.Slice4NumX;
  Slice4NumY = s.Slice4NumY;
  Slice4NumZ = s.Slice4NumZ;
  for (Long i = 1; i <= Slice4NumX; ++i) {
    CopyEntries<&Graph::Slice4X, &Graph::SliceXShowColor, &Graph::SliceXShowCont,
                &Graph::SliceXShowVect, &Graph::SliceXContLevels, &Graph::SliceXContColor,
                &Graph::SliceXVectColor>(*this, s, i);
  }
  for (Long i = 1; i <= Slice4NumY; ++i) {
    CopyEntries<&Graph::Slice4Y, &Graph::SliceYShowColor, &Graph::SliceYShowCont,
                &Graph::SliceYShowVect, &Graph::SliceYContLevels, &Graph::SliceYContColor,
                &Graph::SliceYVectColor>(*this, s, i);
  }
  for (Long i = 1; i <= Slice4NumZ; ++i) {
    CopyEntries<&Graph::Slice4Z, &Graph::SliceZShowColor, &Graph::SliceZShowCont,
                &Graph::SliceZShowVect, &Graph::SliceZContLevels, &Graph::SliceZContColor,
                &Graph::SliceZVectColor>(*this, s, i);
  }
  ShowTex = s.ShowTex;
  TexName = s.TexName;
  TexMode = s.TexMode;
  ShowTrans = s.ShowTrans;
  TransAlpha = s.TransAlpha;
  ShowDS = s.ShowDS;
  ShowDG = s.ShowDG;
  TriColor = s.TriColor;
  TriWidth = s.TriWidth;
  ColorName = s.ColorName;
  ColorNum = s.ColorNum;
  for (Long k = 0; k <= ColorNum - 1; ++k) {
    CopyEntries<&Graph::ColorPos, &Graph::ColorR, &Graph::ColorG, &Graph::ColorB>(*this, s, k);
  }
  for (Long i = 1; i <= Slice4NumX; ++i) {
    CopyEntries<&Graph::Slice4YZYB, &Graph::Slice4YZYE, &Graph::Slice4YZZB,
                &Graph::Slice4YZZE>(*this, s, i);
  }
  for (Long i = 1; i <= Slice4NumY; ++i) {
    CopyEntries<&Graph::Slice4ZXXB, &Graph::Slice4ZXXE, &Graph::Slice4ZXZB,
                &Graph::Slice4ZXZE>(*this, s, i);
  }
  for (Long i = 1; i <= Slice4NumZ; ++i) {
    CopyEntries<&Graph::Slice4XYXB, &Graph::Slice4XYXE, &Graph::Slice4XYYB,
                &Graph::Slice4XYYE>(*this, s, i);
  }
  IsoSurColor = s.IsoSurColor;
  IsoSurValue = s.IsoSurValue;
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

Rgb Graph::GetMapColor(double value, double min, double range) {
  if (ColorName.empty()) ColorName = "Rainbow";
  SetColorMap(ColorName);
  return LookupColor(ColorPoints(), MapScale(value, min, range));
}

}  // namespace qv
