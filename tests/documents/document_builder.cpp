#include "document_builder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "data/data_panel.h"
#include "documents/document_container.h"
#include "platform/file_replace.h"
#include "support/graph_option_fill.h"

namespace qv::test {
namespace {

AssociationPaths TestPaths() {
  AssociationPaths paths;
  paths.programFolder = "/opt/quorvel";
  paths.separator = '/';
  return paths;
}

}  // namespace

TestProgram::TestProgram() : association(TestPaths(), folder.Path()) {}

std::shared_ptr<Graph> MakeGraph(Long graphType, Long id) {
  auto graph = std::make_shared<Graph>();
  Graph& g = *graph;
  // Seeds of the parity of id: the flags of consecutive graphs differ too.
  OptionValues values(1001 * id);
  FillOptions(g, values, NumberOption);
  g.GraphType = graphType;
  g.SetID(id);
  // Two blanks in a row, and Windows-1252 letters, must come back as written.
  g.NameS = "Graph " + CStr(id) + "  of kind " + CStr(graphType) + " \xE9t\xE9";
  g.TexName = "textures/wood grain " + CStr(id) + ".bmp";
  g.ColorName = id % 2 == 0 ? "EARTH" : "@FIERY";
  // Documents with and without the contour level.
  g.ShowContour = id % 3 != 0;
  g.Slice4NumX = 2;
  g.Slice4NumY = 1;
  g.Slice4NumZ = 3;
  g.ColorNum = 3;
  // Tiny values in exponent form; built from their decimal text so that
  // they have the 15 digits a document keeps.
  for (Long i = 1; i <= 3; ++i) g.Slice4Z(i) = Val(CStr(id * 10 + i) + "e-7");
  g.IsoSurValue = Val("-" + CStr(id) + ".5e-8");
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
  const double spots[6][3] = {{0.5, 0.5, 1},  {3.5, 0.25, 2}, {0.25, 3.5, 3},
                              {3.5, 3.75, 4}, {2, 2.125, 5},  {1.5, 2.5, 6}};
  for (Long row = 1; row <= rows; ++row) {
    const auto& s = spots[(row - 1) % 6];
    const double lift = static_cast<double>((row - 1) / 6);
    panel.SetRow(row, {FormatDouble(s[0] + lift), FormatDouble(s[1]), FormatDouble(s[2] * 1.25),
                       FormatDouble(-s[2] + 0.001)});
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
  axis.SetTitleZ(
      "Time of day \xB0"
      "C");
  axis.XYPanelColor = 1234;
  axis.YZGridColor = 5678;
  axis.XZPanelMaterial = 7;
  axis.AxisColor = 255;
  axis.AxisWidth = 2;
  axis.BetterFonts = false;
  FillPanel(program.host.panel, kind);
  Long id = 1;
  for (const Long graphType : kEveryGraphKind)
    program.host.AddGraph(MakeGraph(graphType, id++), true);
  program.host.AddGraph(MakeGraph(kSurfaceModel, 40), false);
}

void ExpectSameGraph(const Graph& e, const Graph& a) {
  SCOPED_TRACE("graph " + CStr(e.ID()));
  EXPECT_EQ(e.ID(), a.ID());
  EXPECT_EQ(DifferingRecordedOptions(e, a), std::vector<std::string>{});
}

void ExpectSameAxis(const AxisSystem& e, const AxisSystem& a) {
  EXPECT_EQ(e.Show, a.Show);
  if (!e.Show) return;
  for (const auto member :
       {&AxisSystem::ShowXYPanel, &AxisSystem::ShowXZPanel, &AxisSystem::ShowYZPanel,
        &AxisSystem::ShowXYXGrid, &AxisSystem::ShowXYYGrid, &AxisSystem::ShowXZXGrid,
        &AxisSystem::ShowXZZGrid, &AxisSystem::ShowYZYGrid, &AxisSystem::ShowYZZGrid,
        &AxisSystem::BetterFonts}) {
    EXPECT_EQ(e.*member, a.*member);
  }
  for (const auto member :
       {&AxisSystem::LabelNumX, &AxisSystem::LabelNumY, &AxisSystem::LabelNumZ,
        &AxisSystem::XYPanelColor, &AxisSystem::XZPanelColor, &AxisSystem::YZPanelColor,
        &AxisSystem::XYGridColor, &AxisSystem::XZGridColor, &AxisSystem::YZGridColor,
        &AxisSystem::XYPanelMaterial, &AxisSystem::XZPanelMaterial, &AxisSystem::YZPanelMaterial,
        &AxisSystem::AxisColor, &AxisSystem::AxisWidth}) {
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

std::string DocumentFixture(const std::string& name) {
  std::ifstream in(std::string(QV_TEST_INPUTS_DIR) + "/documents/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace qv::test
