#include "dialogs/graph_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "data_ranges.h"
#include "dialog_bench.h"
#include "dialogs/draw_menu.h"
#include "dialogs/kind_dialogs.h"
#include "dialogs/surface_dialog.h"
#include "entry_text.h"
#include "graph_creation.h"
#include "graphs/graph_kinds.h"
#include "graphs/graph_record.h"
#include "platform/record_reader.h"
#include "support/graph_option_fill.h"

namespace qv {
namespace {

enum class Data { kSurface, kIrregular, kVolume };

bool LoadData(test::DialogBench& bench, Data data) {
  switch (data) {
    case Data::kSurface: return bench.LoadRegularSurface(5, 5);
    case Data::kIrregular: return bench.LoadIrregularSurface();
    case Data::kVolume: return bench.LoadRegularVolume(3, 3, 3);
  }
  return false;
}

struct KindCase {
  const char* name;
  Long kind;
  Data data;
  const char* caption;
  const char* entry;
  // The recorded fields the defaults change from a new graph of the kind.
  std::vector<std::string> changed;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }

class GraphKindDialogTest : public testing::TestWithParam<KindCase> {
 protected:
  void SetUp() override {
    const KindCase& c = GetParam();
    ASSERT_TRUE(LoadData(bench, c.data));
    ASSERT_TRUE(bench.messages.Shown().empty());
    bench.workspace.settings.NextGraphID = 6;
  }
  test::DialogBench bench;
};

TEST_P(GraphKindDialogTest, OkWithTheDefaultsAddsOneGraphOfTheKindWithTheNextID) {
  const KindCase& c = GetParam();
  std::unique_ptr<GraphDialogModel> model = MakeGraphDialog(c.kind, bench.Context());
  ASSERT_NE(model, nullptr);
  EXPECT_STREQ(model->Caption(), c.caption);
  ASSERT_TRUE(model->Ok());
  EXPECT_TRUE(bench.messages.Shown().empty());
  const Workspace& ws = bench.workspace;
  ASSERT_EQ(ws.allGraphs.Items.Count(), 1);
  ASSERT_EQ(ws.shownGraphs.Items.Count(), 1);
  const Graph& g = bench.GraphAt(1);
  EXPECT_EQ(&g, model->Created().get());
  EXPECT_EQ(ws.shownGraphs.Items.Item("7").get(), &g);
  EXPECT_EQ(g.GraphType, c.kind);
  EXPECT_EQ(g.ID(), 7);
  EXPECT_EQ(ws.settings.NextGraphID, 7);
  EXPECT_EQ(DrawListEntry(g, ws.settings.ViewCode), c.entry);
  // The steps are the data panel's node counts less one.
  const Long last = c.data == Data::kSurface ? 4 : c.data == Data::kIrregular ? 3 : 2;
  EXPECT_EQ(g.StepU, last);
  EXPECT_EQ(g.StepV, last);
  EXPECT_EQ(g.StepH, c.data == Data::kVolume ? 2 : 0);
}

TEST_P(GraphKindDialogTest, OkAppliesExactlyTheFieldsItsControlsName) {
  const KindCase& c = GetParam();
  const std::shared_ptr<Graph> fresh = NewGraphOfKind(c.kind, bench.panel);
  std::unique_ptr<GraphDialogModel> model = MakeGraphDialog(c.kind, bench.Context());
  ASSERT_TRUE(model->Ok());
  std::vector<std::string> changed = DifferingRecordedOptions(*fresh, *model->Created());
  std::vector<std::string> expected = c.changed;
  std::sort(changed.begin(), changed.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(changed, expected);
}

TEST_P(GraphKindDialogTest, TheNewGraphsRecordReadsBackTheSame) {
  std::unique_ptr<GraphDialogModel> model = MakeGraphDialog(GetParam().kind, bench.Context());
  ASSERT_TRUE(model->Ok());
  const Graph& made = *model->Created();
  RecordReader reader(SplitRecord(made.Save(bench.workspace.settings)));
  Graph read;
  SharedSettings settings;
  ASSERT_TRUE(ReadGraphRecord(reader, made.RecordFormat(), read, settings).ok);
  EXPECT_EQ(read.ID(), made.ID());
  EXPECT_EQ(test::DifferingInFormat(made, read, made.RecordFormat()), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, GraphKindDialogTest,
    testing::Values(KindCase{"Surface",
                             kSurfaceModel,
                             Data::kSurface,
                             "3D Surface Properties",
                             "3D Surface Model  ",
                             {"FillStyle", "FirstColor", "SecondColor", "Material", "Smoothness",
                              "TexMode", "TransAlpha", "ColorName"}},
                    KindCase{"ColorMap",
                             kColorMapGraph,
                             Data::kSurface,
                             "Color Map Properties",
                             "Color Map  ",
                             {"ColorMapfilltype", "ColorMapcolor1", "ColorMapcolor2", "FillStyle",
                              "FirstColor", "SecondColor", "ColorName"}},
                    KindCase{"Contour",
                             kContourPlot,
                             Data::kSurface,
                             "Contour Plot Properties",
                             "Contour Plot  ",
                             {"ContourLevels", "ConFillType", "ConColor1", "ConColor2", "ConWidth",
                              "ColorName"}},
                    KindCase{"Vector",
                             kVectorPlot,
                             Data::kSurface,
                             "Vector Plot Properties",
                             "Vector Plot ",
                             {"VectorColor"}},
                    KindCase{"Contour3D",
                             kContour3DPlot,
                             Data::kSurface,
                             "3D Contour Plot Properties",
                             "3D Contour Plot  ",
                             {"Contour3Levels", "Con3FillType", "Con3Color1", "Con3Color2",
                              "Con3Width", "ColorName"}},
                    KindCase{"Vertex",
                             kVertexModel,
                             Data::kSurface,
                             "3D Vertex Model Properties",
                             "3D Vertex Model  ",
                             {"VertColor", "VertSize"}},
                    KindCase{"GridModel",
                             kGridModel,
                             Data::kSurface,
                             "3D Grid Model Properties",
                             "3D Grid Model  ",
                             {"LineColor", "LineWidth", "GridColor", "GridWidth"}},
                    KindCase{"Delaunay",
                             kDelaunayGraph,
                             Data::kIrregular,
                             "Delaunay Triangles",
                             "Delaunay Triangles  ",
                             {"ShowDS", "Smoothness", "FillStyle", "FirstColor", "SecondColor",
                              "ColorName", "ShowDG", "TriColor", "TriWidth"}},
                    KindCase{"Scatter4D",
                             kScatter4D,
                             Data::kVolume,
                             "4D Scatter Properties",
                             "4D Scatter  ",
                             {"Scat4DColor", "FillStyle"}},
                    KindCase{"Vector4D",
                             kVector4D,
                             Data::kVolume,
                             "4D Vector Properties",
                             "4D Vector  ",
                             {"Vect4DColor"}},
                    KindCase{"Slice4D",
                             kSlice4D,
                             Data::kVolume,
                             "4D Slice Properties",
                             "4D Slice  ",
                             {"FillStyle", "FirstColor", "SecondColor", "ColorName", "LineWidth"}},
                    KindCase{"IsoSurface",
                             kIsoSurface4D,
                             Data::kVolume,
                             "IsoSurface Properties",
                             "4D IsoSurface  ",
                             {"IsoSurValue"}}),
    [](const testing::TestParamInfo<KindCase>& info) { return info.param.name; });

class GraphDialogTest : public testing::Test {
 protected:
  test::DialogBench bench;
};

TEST_F(GraphDialogTest, TheDefaultsColourAsTheDialogsOpen) {
  ASSERT_TRUE(bench.LoadRegularSurface(5, 5));
  SurfaceDialogModel surface(bench.Context());
  ASSERT_TRUE(surface.Ok());
  const Graph& s = *surface.Created();
  EXPECT_EQ(s.FillStyle, 2);  // "Gradient from top to bottom"
  EXPECT_EQ(s.FirstColor, kRed);
  EXPECT_EQ(s.SecondColor, kBlue);
  EXPECT_EQ(s.Material, 4);  // "Metal"
  EXPECT_EQ(s.Smoothness, 3);
  EXPECT_EQ(s.Show, 3);
  ContourDialogModel contour(bench.Context(), kContourPlot);
  ASSERT_TRUE(contour.Ok());
  const Graph& c = *contour.Created();
  EXPECT_EQ(c.ConFillType, 5);  // "Colormap"
  EXPECT_EQ(c.ConWidth, 1);
  EXPECT_EQ(c.ColorName, "RAINBOW");
  // A blank interval takes a tenth of the heights' range.
  EXPECT_EQ(c.ContourLevels, AutoContourStep(SurfaceHeightRange(bench.workspace.dataSet)));
  EXPECT_GT(c.ContourLevels, 0.0);
}

TEST_F(GraphDialogTest, TheDelaunayDialogShowsItsSurfaceAndItsGreyTriangles) {
  ASSERT_TRUE(bench.LoadIrregularSurface());
  DelaunayDialogModel delaunay(bench.Context());
  ASSERT_TRUE(delaunay.Ok());
  const Graph& g = *delaunay.Created();
  EXPECT_TRUE(g.ShowDS);
  EXPECT_TRUE(g.ShowDG);
  EXPECT_EQ(g.Smoothness, 2);  // "Smooth"
  EXPECT_EQ(g.FillStyle, 4);   // "Colormap"
  EXPECT_EQ(g.FirstColor, RGB(255, 128, 0));
  EXPECT_EQ(g.SecondColor, RGB(0, 255, 0));
  EXPECT_EQ(g.TriColor, RGB(64, 64, 64));
  EXPECT_EQ(g.TriWidth, 1);
}

TEST_F(GraphDialogTest, SingleColoursGoWhereTheirDrawingReadsThem) {
  ASSERT_TRUE(bench.LoadRegularSurface(5, 5));
  SurfaceDialogModel surface(bench.Context());
  surface.fillStyle = 3;
  surface.single = 1111;
  ASSERT_TRUE(surface.Ok());
  EXPECT_EQ(surface.Created()->FirstColor, 1111);
  ContourDialogModel contour(bench.Context(), kContour3DPlot);
  contour.colors.mode = ColorModeChoice::kSingle;
  contour.colors.single = 2222;
  contour.width = 3;
  ASSERT_TRUE(contour.Ok());
  // The contour drawer's one-colour mode draws in its second colour.
  EXPECT_EQ(contour.Created()->Con3FillType, 4);
  EXPECT_EQ(contour.Created()->Con3Color2, 2222);
  EXPECT_EQ(contour.Created()->Con3Width, 4);
  ColorMapDialogModel map(bench.Context());
  map.colors.mode = ColorModeChoice::kGradient;
  map.colors.first = 3333;
  map.colors.map = 2;
  ASSERT_TRUE(map.Ok());
  EXPECT_EQ(map.Created()->ColorMapfilltype, 2);
  EXPECT_EQ(map.Created()->ColorMapcolor1, 3333);
  EXPECT_EQ(map.Created()->ColorName, "FIERY");
}

TEST_F(GraphDialogTest, TheSurfacesOtherTabsReachTheGraph) {
  ASSERT_TRUE(bench.LoadRegularSurface(5, 5));
  SurfaceDialogModel surface(bench.Context());
  EXPECT_TRUE(surface.GeneralEnabled());
  surface.addColorMap = surface.addContour = surface.addVector = surface.showIrregular = true;
  surface.interval = "0,5";
  surface.material = 12;
  surface.smoothness = 1;
  surface.addTexture = true;
  surface.texturePath = "/tmp/wood.bmp";
  surface.transparent = true;
  surface.blend = true;
  surface.transparency = 25;
  ASSERT_TRUE(surface.Ok());
  const Graph& g = *surface.Created();
  EXPECT_TRUE(g.ShowColormap && g.ShowContour && g.ShowVector && g.ShowIrregData);
  EXPECT_EQ(g.ContourLevel, 0.5);
  EXPECT_EQ(g.Material, 13);
  EXPECT_EQ(g.Smoothness, 1);
  EXPECT_TRUE(g.ShowTex);
  EXPECT_EQ(g.TexName, "/tmp/wood.bmp");
  EXPECT_EQ(g.TexMode, 2);
  EXPECT_TRUE(g.ShowTrans);
  EXPECT_EQ(g.TransAlpha, 0.75);
}

TEST_F(GraphDialogTest, CylindricalAndSphericalDataTakeNoLayersUnderASurface) {
  ASSERT_TRUE(bench.LoadRegularSurface(5, 5));
  bench.panel.SetKindIndex(kRegularCylindrical);
  SurfaceDialogModel surface(bench.Context());
  EXPECT_FALSE(surface.GeneralEnabled());
  surface.addColorMap = true;
  ASSERT_TRUE(surface.Ok());
  EXPECT_FALSE(surface.Created()->ShowColormap);
}

struct Refusal {
  const char* name;
  Long kind;
  const char* text;
};

class GraphRefusalTest : public testing::TestWithParam<Refusal> {};

// These entries had no check at all; now OK refuses them and creates nothing.
TEST_P(GraphRefusalTest, ShowsIllegalDataAndCreatesNothing) {
  const Refusal& r = GetParam();
  test::DialogBench bench;
  ASSERT_TRUE(r.kind == kIsoSurface4D ? bench.LoadRegularVolume(3, 3, 3)
                                      : bench.LoadRegularSurface(5, 5));
  std::unique_ptr<GraphDialogModel> model = MakeGraphDialog(r.kind, bench.Context());
  if (auto* surface = dynamic_cast<SurfaceDialogModel*>(model.get())) {
    surface->addContour = true;
    surface->interval = r.text;
  } else if (auto* contour = dynamic_cast<ContourDialogModel*>(model.get())) {
    contour->interval = r.text;
  } else if (auto* iso = dynamic_cast<IsoSurfaceDialogModel*>(model.get())) {
    iso->value = r.text;
  }
  EXPECT_FALSE(model->Ok());
  EXPECT_EQ(bench.messages.Texts(), std::vector<std::string>{kIllegalDataMessage});
  EXPECT_EQ(model->Created(), nullptr);
  EXPECT_EQ(bench.workspace.allGraphs.Items.Count(), 0);
  EXPECT_EQ(bench.workspace.shownGraphs.Items.Count(), 0);
  EXPECT_EQ(bench.workspace.settings.NextGraphID, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, GraphRefusalTest,
    testing::Values(Refusal{"SurfaceIntervalZero", kSurfaceModel, "0"},
                    Refusal{"ContourIntervalNegative", kContourPlot, "-2"},
                    Refusal{"ContourIntervalLetters", kContourPlot, "abc"},
                    Refusal{"Contour3DIntervalBeyondDouble", kContour3DPlot, "1e400"},
                    Refusal{"IsoLevelAboveTheData", kIsoSurface4D, "4.5"},
                    Refusal{"IsoLevelBelowTheData", kIsoSurface4D, "-3"},
                    Refusal{"IsoLevelLetters", kIsoSurface4D, "high"}),
    [](const testing::TestParamInfo<Refusal>& info) { return info.param.name; });

TEST_F(GraphDialogTest, IsoLevelsOnTheDataRangesEndsAreAccepted) {
  ASSERT_TRUE(bench.LoadRegularVolume(3, 3, 3));
  for (const char* level : {"-2", "4", "0,5"}) {
    IsoSurfaceDialogModel iso(bench.Context());
    iso.value = level;
    ASSERT_TRUE(iso.Ok()) << level;
  }
  EXPECT_EQ(bench.GraphAt(3).IsoSurValue, 0.5);
}

// A key already taken (a pasted graph, say) must not stop the graph from
// being added: the ID moves past it.
TEST_F(GraphDialogTest, ANewIDSkipsKeysInUse) {
  ASSERT_TRUE(bench.LoadRegularSurface(5, 5));
  auto other = std::make_shared<Graph>();
  other->SetID(1);
  bench.workspace.allGraphs.Items.Add(other, "1");
  VectorDialogModel vector(bench.Context());
  ASSERT_TRUE(vector.Ok());
  EXPECT_EQ(vector.Created()->ID(), 2);
  EXPECT_EQ(bench.workspace.settings.NextGraphID, 2);
}

TEST_F(GraphDialogTest, ADelaunayGraphTriangulatesThePoints) {
  ASSERT_TRUE(bench.LoadIrregularSurface());
  EXPECT_EQ(bench.workspace.dataSet.DelaunayTriCount(), 0);
  DelaunayDialogModel delaunay(bench.Context());
  ASSERT_TRUE(delaunay.Ok());
  EXPECT_GT(bench.workspace.dataSet.DelaunayTriCount(), 0);
}

}  // namespace
}  // namespace qv
