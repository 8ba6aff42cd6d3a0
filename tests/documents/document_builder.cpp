#include "document_builder.h"

#include <gtest/gtest.h>

#include "data/data_panel.h"
#include "documents/document_container.h"
#include "platform/file_replace.h"

namespace qv::test {
namespace {

AssociationPaths TestPaths() {
  AssociationPaths paths;
  paths.programFolder = "/opt/quorvel";
  paths.separator = '/';
  return paths;
}

void FillSlices(Graph& g, Long id) {
  g.Slice4NumX = 2;
  g.Slice4NumY = 1;
  g.Slice4NumZ = 3;
  for (Long i = 1; i <= 3; ++i) {
    const double f = static_cast<double>(id * 10 + i);
    if (i <= 2) {
      g.Slice4X(i) = f + 0.25;
      g.SliceXShowColor(i) = true;
      g.SliceXShowCont(i) = i == 1;
      g.SliceXShowVect(i) = i == 2;
      g.SliceXContLevels(i) = f;
      g.SliceXContColor(i) = 1000 + id + i;
      g.SliceXVectColor(i) = 2000 + id + i;
      g.Slice4YZYB(i) = i;
      g.Slice4YZYE(i) = i + 1;
      g.Slice4YZZB(i) = i + 2;
      g.Slice4YZZE(i) = i + 3;
    }
    if (i == 1) {
      g.Slice4Y(i) = -f;
      g.SliceYShowCont(i) = true;
      g.SliceYContLevels(i) = 3;
      g.SliceYContColor(i) = 3000 + id;
      g.SliceYVectColor(i) = 4000 + id;
      g.Slice4ZXXB(i) = 4;
      g.Slice4ZXXE(i) = 5;
      g.Slice4ZXZB(i) = 6;
      g.Slice4ZXZE(i) = 7;
    }
    // Tiny values in exponent form; built from their decimal text so that
    // they have the 15 digits a document keeps.
    g.Slice4Z(i) = Val(CStr(id * 10 + i) + "e-7");
    g.SliceZShowVect(i) = true;
    g.SliceZContLevels(i) = i;
    g.SliceZContColor(i) = 5000 + id + i;
    g.SliceZVectColor(i) = 6000 + id + i;
    g.Slice4XYXB(i) = 8 + i;
    g.Slice4XYXE(i) = 9 + i;
    g.Slice4XYYB(i) = 10 + i;
    g.Slice4XYYE(i) = 11 + i;
  }
}

}  // namespace

TestProgram::TestProgram() : association(TestPaths(), folder.Path()) {}

std::shared_ptr<Graph> MakeGraph(const Workspace& workspace, Long graphType, Long id) {
  auto graph = std::make_shared<Graph>(workspace);
  Graph& g = *graph;
  g.GraphType = graphType;
  g.SetID(id);
  // Two blanks in a row, and Windows-1252 letters, must come back as written.
  g.NameS = "Graph " + CStr(id) + "  of kind " + CStr(graphType) + " \xE9t\xE9";
  g.LineColor = 100 + id;
  g.LineWidth = 1 + id % 3;
  g.FillStyle = id % 5;
  g.FirstColor = 16711680 + id;
  g.SecondColor = 65280 + id;
  g.Material = 1 + id % 13;
  g.Show = 1;
  g.Smoothness = id % 2;
  g.StepU = 2 + id;
  g.StepV = 3 + id;
  g.PointColor = 4660 + id;
  g.PointSize = 0.5 + id;
  g.ShowColormap = id % 2 == 1;
  g.ShowContour = id % 3 != 0;
  g.ContourLevel = 7.25 + id;
  g.ShowVector = id % 2 == 0;
  g.VertSize = 3 + id;
  g.VertColor = 255 + id;
  g.GridColor = 128 + id;
  g.GridWidth = 1 + id % 4;
  g.ContourLevels = 10 + id;
  g.ConFillType = 1 + id % 2;
  g.ConColor1 = 300 + id;
  g.ConColor2 = 400 + id;
  g.Contour3Levels = 5.5 + id;
  g.Con3FillType = 2;
  g.Con3Color1 = 500 + id;
  g.Con3Color2 = 600 + id;
  g.Con3Width = 2;
  g.VectorColor = 700 + id;
  g.ColorMapfilltype = 1;
  g.ColorMapcolor1 = 800 + id;
  g.ColorMapcolor2 = 900 + id;
  g.ShowIrregData = true;
  g.Scat4DColor = 111 + id;
  g.Vect4DColor = 222 + id;
  FillSlices(g, id);
  g.ShowTex = id % 2 == 0;
  g.TexMode = 1 + id % 3;
  g.ShowTrans = true;
  g.TransAlpha = 0.125 * static_cast<double>(id % 8);
  g.TexName = "textures/wood grain " + CStr(id) + ".bmp";
  g.ShowDS = id % 2 == 1;
  g.ShowDG = true;
  g.TriColor = 4444 + id;
  g.TriWidth = 1 + id % 2;
  g.ColorName = id % 2 == 0 ? "EARTH" : "@FIERY";
  g.ColorNum = 3;
  for (Long k = 0; k < 3; ++k) {
    g.ColorPos(k) = 50.0 * static_cast<double>(k) - 0.5 * static_cast<double>(k % 2);
    g.ColorR(k) = 10 * k + id;
    g.ColorG(k) = 20 * k + id;
    g.ColorB(k) = 30 * k + id;
  }
  g.IsoSurValue = Val("-" + CStr(id) + ".5e-8");
  g.IsoSurColor = 999 + id;
  return graph;
}

void FillPanel(MemoryDataPanel& panel, Long kind) {
  panel.SetKindIndex(kind);
  Long rows = 0;
  switch (kind) {
    case kRegularSurface:
    case kRegularCylindrical:
    case kRegularSpherical:
      panel.SetText(1, "3");
      panel.SetText(2, "2");
      rows = 6;
      break;
    case kRegularVolume:
      panel.SetText(1, "2");
      panel.SetText(2, "2");
      panel.SetText(4, "3");
      rows = 12;
      break;
    case kIrregularVolume:
      panel.SetText(3, "6");
      for (const int box : {4, 7, 10}) panel.SetText(box, "3");
      for (const int box : {1, 5, 8}) panel.SetText(box, "0");
      for (const int box : {2, 6, 9}) panel.SetText(box, "4");
      rows = 6;
      break;
    default:  // the irregular surfaces
      panel.SetText(3, "5");
      for (const int box : {4, 7, 10}) panel.SetText(box, "4");
      for (const int box : {1, 5, 8}) panel.SetText(box, "0");
      for (const int box : {2, 6, 9}) panel.SetText(box, kind == kIrregularSurface ? "4" : "80");
      rows = 5;
      break;
  }
  // Points spread over the bounds, none coincident, so that the gridding
  // and the triangulation have sound input.
  const double spots[6][3] = {{0.5, 0.5, 1}, {3.5, 0.25, 2}, {0.25, 3.5, 3}, {3.5, 3.75, 4}, {2, 2.125, 5}, {1.5, 2.5, 6}};
  for (Long row = 1; row <= rows; ++row) {
    const auto& s = spots[(row - 1) % 6];
    const double lift = static_cast<double>((row - 1) / 6);
    panel.SetRow(row, {FormatDouble(s[0] + lift), FormatDouble(s[1]), FormatDouble(s[2] * 1.25), FormatDouble(-s[2] + 0.001)});
  }
}

void BuildDocument(TestProgram& program, Long viewCode, Long kind) {
  Workspace& w = program.workspace;
  w.settings.ViewCode = viewCode;
  w.settings.ScaleMode = 3;
  w.settings.ScaleRatioX = 1.5;
  w.settings.ScaleRatioY = 0.75;
  w.settings.ScaleRatioZ = 2;
  w.settings.ZoomZ = 1.25;
  w.settings.GridMethod = 1;
  w.settings.GridMethod4D = 101;
  w.settings.NextGraphID = 40;
  AxisSystem& axis = w.axisSystem;
  axis.Show = true;
  axis.ShowXZPanel = true;
  axis.ShowXYYGrid = false;
  axis.LabelNumX = 4;
  axis.LabelNumY = 5;
  axis.LabelNumZ = 6;
  axis.SetTitleX("Distance east");
  axis.SetTitleY("Height");
  axis.SetTitleZ("Time of day \xB0" "C");
  axis.XYPanelColor = 1234;
  axis.YZGridColor = 5678;
  axis.XZPanelMaterial = 7;
  axis.AxisColor = 255;
  axis.AxisWidth = 2;
  axis.BetterFonts = false;
  FillPanel(program.host.panel, kind);
  Long id = 1;
  for (const Long graphType : kEveryGraphKind) program.host.AddGraph(MakeGraph(w, graphType, id++), true);
  program.host.AddGraph(MakeGraph(w, kSurfaceModel, 40), false);
}

void ExpectSameGraph(const Graph& e, const Graph& a) {
  SCOPED_TRACE("graph " + CStr(e.ID()));
  EXPECT_EQ(e.GraphType, a.GraphType);
  EXPECT_EQ(e.ID(), a.ID());
  EXPECT_EQ(e.NameS, a.NameS);
  EXPECT_EQ(e.LineColor, a.LineColor);
  EXPECT_EQ(e.LineWidth, a.LineWidth);
  EXPECT_EQ(e.FillStyle, a.FillStyle);
  EXPECT_EQ(e.FirstColor, a.FirstColor);
  EXPECT_EQ(e.SecondColor, a.SecondColor);
  EXPECT_EQ(e.Material, a.Material);
  EXPECT_EQ(e.Show, a.Show);
  EXPECT_EQ(e.Smoothness, a.Smoothness);
  EXPECT_EQ(e.StepU, a.StepU);
  EXPECT_EQ(e.StepV, a.StepV);
  EXPECT_EQ(e.PointColor, a.PointColor);
  EXPECT_EQ(e.PointSize, a.PointSize);
  EXPECT_EQ(e.ShowColormap, a.ShowColormap);
  EXPECT_EQ(e.ShowContour, a.ShowContour);
  if (e.ShowContour) {
    EXPECT_EQ(e.ContourLevel, a.ContourLevel);
  }
  EXPECT_EQ(e.ShowVector, a.ShowVector);
  EXPECT_EQ(e.VertSize, a.VertSize);
  EXPECT_EQ(e.VertColor, a.VertColor);
  EXPECT_EQ(e.GridColor, a.GridColor);
  EXPECT_EQ(e.GridWidth, a.GridWidth);
  EXPECT_EQ(e.ContourLevels, a.ContourLevels);
  EXPECT_EQ(e.ConFillType, a.ConFillType);
  EXPECT_EQ(e.ConColor1, a.ConColor1);
  EXPECT_EQ(e.ConColor2, a.ConColor2);
  EXPECT_EQ(e.Contour3Levels, a.Contour3Levels);
  EXPECT_EQ(e.Con3FillType, a.Con3FillType);
  EXPECT_EQ(e.Con3Color1, a.Con3Color1);
  EXPECT_EQ(e.Con3Color2, a.Con3Color2);
  EXPECT_EQ(e.Con3Width, a.Con3Width);
  EXPECT_EQ(e.VectorColor, a.VectorColor);
  EXPECT_EQ(e.ColorMapfilltype, a.ColorMapfilltype);
  EXPECT_EQ(e.ColorMapcolor1, a.ColorMapcolor1);
  EXPECT_EQ(e.ColorMapcolor2, a.ColorMapcolor2);
  EXPECT_EQ(e.ShowIrregData, a.ShowIrregData);
  EXPECT_EQ(e.Scat4DColor, a.Scat4DColor);
  EXPECT_EQ(e.Vect4DColor, a.Vect4DColor);
  ASSERT_EQ(e.Slice4NumX, a.Slice4NumX);
  ASSERT_EQ(e.Slice4NumY, a.Slice4NumY);
  ASSERT_EQ(e.Slice4NumZ, a.Slice4NumZ);
  for (Long i = 1; i <= e.Slice4NumX; ++i) {
    EXPECT_EQ(e.Slice4X(i), a.Slice4X(i));
    EXPECT_EQ(e.SliceXShowColor(i), a.SliceXShowColor(i));
    EXPECT_EQ(e.SliceXShowCont(i), a.SliceXShowCont(i));
    EXPECT_EQ(e.SliceXShowVect(i), a.SliceXShowVect(i));
    EXPECT_EQ(e.SliceXContLevels(i), a.SliceXContLevels(i));
    EXPECT_EQ(e.SliceXContColor(i), a.SliceXContColor(i));
    EXPECT_EQ(e.SliceXVectColor(i), a.SliceXVectColor(i));
    EXPECT_EQ(e.Slice4YZYB(i), a.Slice4YZYB(i));
    EXPECT_EQ(e.Slice4YZYE(i), a.Slice4YZYE(i));
    EXPECT_EQ(e.Slice4YZZB(i), a.Slice4YZZB(i));
    EXPECT_EQ(e.Slice4YZZE(i), a.Slice4YZZE(i));
  }
  for (Long i = 1; i <= e.Slice4NumY; ++i) {
    EXPECT_EQ(e.Slice4Y(i), a.Slice4Y(i));
    EXPECT_EQ(e.SliceYShowColor(i), a.SliceYShowColor(i));
    EXPECT_EQ(e.SliceYShowCont(i), a.SliceYShowCont(i));
    EXPECT_EQ(e.SliceYShowVect(i), a.SliceYShowVect(i));
    EXPECT_EQ(e.SliceYContLevels(i), a.SliceYContLevels(i));
    EXPECT_EQ(e.SliceYContColor(i), a.SliceYContColor(i));
    EXPECT_EQ(e.SliceYVectColor(i), a.SliceYVectColor(i));
    EXPECT_EQ(e.Slice4ZXXB(i), a.Slice4ZXXB(i));
    EXPECT_EQ(e.Slice4ZXXE(i), a.Slice4ZXXE(i));
    EXPECT_EQ(e.Slice4ZXZB(i), a.Slice4ZXZB(i));
    EXPECT_EQ(e.Slice4ZXZE(i), a.Slice4ZXZE(i));
  }
  for (Long i = 1; i <= e.Slice4NumZ; ++i) {
    EXPECT_EQ(e.Slice4Z(i), a.Slice4Z(i));
    EXPECT_EQ(e.SliceZShowColor(i), a.SliceZShowColor(i));
    EXPECT_EQ(e.SliceZShowCont(i), a.SliceZShowCont(i));
    EXPECT_EQ(e.SliceZShowVect(i), a.SliceZShowVect(i));
    EXPECT_EQ(e.SliceZContLevels(i), a.SliceZContLevels(i));
    EXPECT_EQ(e.SliceZContColor(i), a.SliceZContColor(i));
    EXPECT_EQ(e.SliceZVectColor(i), a.SliceZVectColor(i));
    EXPECT_EQ(e.Slice4XYXB(i), a.Slice4XYXB(i));
    EXPECT_EQ(e.Slice4XYXE(i), a.Slice4XYXE(i));
    EXPECT_EQ(e.Slice4XYYB(i), a.Slice4XYYB(i));
    EXPECT_EQ(e.Slice4XYYE(i), a.Slice4XYYE(i));
  }
  EXPECT_EQ(e.ShowTex, a.ShowTex);
  EXPECT_EQ(e.TexMode, a.TexMode);
  EXPECT_EQ(e.ShowTrans, a.ShowTrans);
  EXPECT_EQ(e.TransAlpha, a.TransAlpha);
  EXPECT_EQ(e.TexName, a.TexName);
  EXPECT_EQ(e.ShowDS, a.ShowDS);
  EXPECT_EQ(e.ShowDG, a.ShowDG);
  EXPECT_EQ(e.TriColor, a.TriColor);
  EXPECT_EQ(e.TriWidth, a.TriWidth);
  EXPECT_EQ(e.ColorName, a.ColorName);
  ASSERT_EQ(e.ColorNum, a.ColorNum);
  for (Long k = 0; k < e.ColorNum; ++k) {
    EXPECT_EQ(e.ColorPos(k), a.ColorPos(k));
    EXPECT_EQ(e.ColorR(k), a.ColorR(k));
    EXPECT_EQ(e.ColorG(k), a.ColorG(k));
    EXPECT_EQ(e.ColorB(k), a.ColorB(k));
  }
  EXPECT_EQ(e.IsoSurValue, a.IsoSurValue);
  EXPECT_EQ(e.IsoSurColor, a.IsoSurColor);
}

void ExpectSameAxis(const AxisSystem& e, const AxisSystem& a) {
  EXPECT_EQ(e.Show, a.Show);
  if (!e.Show) return;
  for (const auto member : {&AxisSystem::ShowXYPanel, &AxisSystem::ShowXZPanel, &AxisSystem::ShowYZPanel, &AxisSystem::ShowXYXGrid,
                            &AxisSystem::ShowXYYGrid, &AxisSystem::ShowXZXGrid, &AxisSystem::ShowXZZGrid, &AxisSystem::ShowYZYGrid,
                            &AxisSystem::ShowYZZGrid, &AxisSystem::BetterFonts}) {
    EXPECT_EQ(e.*member, a.*member);
  }
  for (const auto member : {&AxisSystem::LabelNumX, &AxisSystem::LabelNumY, &AxisSystem::LabelNumZ, &AxisSystem::XYPanelColor,
                            &AxisSystem::XZPanelColor, &AxisSystem::YZPanelColor, &AxisSystem::XYGridColor, &AxisSystem::XZGridColor,
                            &AxisSystem::YZGridColor, &AxisSystem::XYPanelMaterial, &AxisSystem::XZPanelMaterial,
                            &AxisSystem::YZPanelMaterial, &AxisSystem::AxisColor, &AxisSystem::AxisWidth}) {
    EXPECT_EQ(e.*member, a.*member);
  }
  EXPECT_EQ(e.TitleX(), a.TitleX());
  EXPECT_EQ(e.TitleY(), a.TitleY());
  EXPECT_EQ(e.TitleZ(), a.TitleZ());
}

std::string DocumentTextOf(const std::string& path) {
  const auto bytes = ReadWholeFile(path);
  if (!bytes) return "";
  const ContainerText value = DecodeContainer(*bytes);
  return value.ok ? value.text : "";
}

}  // namespace qv::test
