#include "graphs/cls9_graph.h"

#include <algorithm>

namespace qv {

Cls9::Cls9(const Workspace& workspace) : workspace_(&workspace) {
  SetColorMap("RAINBOW");
}

// VertTab3D

std::shared_ptr<Cls2> Cls9::VertTab3D(Long i, Long j) {
  if (i < 0 || i > kVertTabUpper || j < 0 || j > kVertTabUpper) {
    throw RuntimeError(kSubscriptOutOfRange, "VertTab3D(" + CStr(i) + ", " + CStr(j) + ")");
  }
  constexpr std::size_t kSide = kVertTabUpper + 1;
  if (vertTab_.empty()) vertTab_.resize(kSide * kSide);
  std::shared_ptr<Cls2>& slot = vertTab_[static_cast<std::size_t>(i) + kSide * j];
  if (!slot) slot = std::make_shared<Cls2>();
  return slot;
}

void Cls9::SetVertTab3D(Long i, Long j, std::shared_ptr<Cls2> marker) {
  VertTab3D(i, j);  // checks the indices and allocates the table
  vertTab_[static_cast<std::size_t>(i) + (kVertTabUpper + 1) * j] = std::move(marker);
}

// Creating and copying

std::shared_ptr<Cls9> Cls9::init(Long id, const std::string& nameS, Long graphType,
                                 Long coordType, const std::string&, const std::string&,
                                 const std::string&, Long stepU, Long stepV, double minU,
                                 double maxU, double minV, double maxV, Long fillStyle,
                                 Long firstColor, Long secondColor, Long lineColor,
                                 Long lineWidth, Long material, Long show, Long smoothness,
                                 bool showContour, bool showVector, bool showColormap,
                                 double contourLevel) const {
  auto graph = std::make_shared<Cls9>(*workspace_);
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

void Cls9::Equal(const std::string& nameS, Long graphType, Long coordType,
                 const std::string& text1, const std::string& text2, const std::string& text3,
                 Long stepU, Long stepV, double minU, double maxU, double minV, double maxV,
                 Long fillStyle, Long firstColor, Long secondColor, Long lineColor,
                 Long lineWidth, Long material, Long show, Long smoothness, bool showContour,
                 bool showVector, bool showColormap, double contourLevel) {
  NameS = nameS;
  GraphType = graphType;
  CoordType = coordType;
  AuxText1_ = text1;
  AuxText2_ = text2;
  AuxText3_ = text3;
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

const std::string& Cls9::AuxText(int which) const {
  if (which == 1) return AuxText1_;
  if (which == 2) return AuxText2_;
  if (which == 3) return AuxText3_;
  throw RuntimeError(kSubscriptOutOfRange, "AuxText(" + CStr(which) + ")");
}

void Cls9::EqualTo(const SceneItem& item) {
  const auto* source = dynamic_cast<const Cls9*>(&item);
  if (source == nullptr) return;
  const Cls9& s = *source;
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
void CopyEntries(Cls9& to, const Cls9& from, Long i) {
  (((to.*Tables)(i) = (from.*Tables)(i)), ...);
}

}  // namespace

void Cls9::TabEqualTo(const Cls9& s) {
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
    CopyEntries<&Cls9::Slice4X, &Cls9::SliceXShowColor, &Cls9::SliceXShowCont,
                &Cls9::SliceXShowVect, &Cls9::SliceXContLevels, &Cls9::SliceXContColor,
                &Cls9::SliceXVectColor>(*this, s, i);
  }
  for (Long i = 1; i <= Slice4NumY; ++i) {
    CopyEntries<&Cls9::Slice4Y, &Cls9::SliceYShowColor, &Cls9::SliceYShowCont,
                &Cls9::SliceYShowVect, &Cls9::SliceYContLevels, &Cls9::SliceYContColor,
                &Cls9::SliceYVectColor>(*this, s, i);
  }
  for (Long i = 1; i <= Slice4NumZ; ++i) {
    CopyEntries<&Cls9::Slice4Z, &Cls9::SliceZShowColor, &Cls9::SliceZShowCont,
                &Cls9::SliceZShowVect, &Cls9::SliceZContLevels, &Cls9::SliceZContColor,
                &Cls9::SliceZVectColor>(*this, s, i);
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
    CopyEntries<&Cls9::ColorPos, &Cls9::ColorR, &Cls9::ColorG, &Cls9::ColorB>(*this, s, k);
  }
  for (Long i = 1; i <= Slice4NumX; ++i) {
    CopyEntries<&Cls9::Slice4YZYB, &Cls9::Slice4YZYE, &Cls9::Slice4YZZB,
                &Cls9::Slice4YZZE>(*this, s, i);
  }
  for (Long i = 1; i <= Slice4NumY; ++i) {
    CopyEntries<&Cls9::Slice4ZXXB, &Cls9::Slice4ZXXE, &Cls9::Slice4ZXZB,
                &Cls9::Slice4ZXZE>(*this, s, i);
  }
  for (Long i = 1; i <= Slice4NumZ; ++i) {
    CopyEntries<&Cls9::Slice4XYXB, &Cls9::Slice4XYXE, &Cls9::Slice4XYYB,
                &Cls9::Slice4XYYE>(*this, s, i);
  }
  IsoSurColor = s.IsoSurColor;
  IsoSurValue = s.IsoSurValue;
}

// Colour map

bool Cls9::SetColorMap(const std::string& name) {
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

ColorPointList Cls9::ColorPoints() const {
  if (ColorNum < 1) return RainbowColorMap().points;
  ColorPointList list;
  list.count = static_cast<std::size_t>(std::min(ColorNum, kMaxColorPoints));
  for (std::size_t k = 0; k < list.count; ++k) {
    const auto i = static_cast<Long>(k);
    list.points[k] = {ColorPos(i), ColorR(i), ColorG(i), ColorB(i)};
  }
  return list;
}

Rgb Cls9::GetMapColor(double value, double min, double range) {
  if (ColorName.empty()) ColorName = "Rainbow";
  SetColorMap(ColorName);
  return LookupColor(ColorPoints(), MapScale(value, min, range));
}

}  // namespace qv
