// The Draw menu and the property dialogs through the main window, with the
// document subsystem's File commands and a scripted user in the dialogs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dialogs/kind_dialogs.h"
#include "dialogs/slice_dialog.h"
#include "graphs/graph.h"
#include "graphs/graph_kinds.h"
#include "platform/gl_text.h"
#include "support/graph_option_fill.h"
#include "support/temp_folder.h"
#include "window/document_program.h"
#include "window/scripted_dialogs.h"

namespace qv {
namespace {

using M = MenuItem;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool AllWhite(const RgbImage& image) {
  for (std::uint8_t byte : image.rgb) {
    if (byte != 255) return false;
  }
  return true;
}

const Graph& GraphAt(const SceneGroup& group, Long position) {
  return static_cast<const Graph&>(*group.Items.Item(position));
}

enum class Data { kSurface, kIrregular, kVolume };

// A window with a drawing context, its File commands and a scripted user.
class Window {
 public:
  explicit Window(const std::filesystem::path& folder) : program(folder) {
    program.view.MakeContext(120, 90);
    core.SetDialogService(&dialogs);
  }

  // Sizes the panel for the data kind and types the data into the sheet
  // as a user does, then presses the panel's OK.
  void TypeData(Data data) {
    DataPanelModel& panel = core.PanelModel();
    if (data == Data::kSurface) {
      core.OnDataKindChosen(kRegularSurface);
      panel.texts[1].text = "5";
      panel.texts[2].text = "5";
      core.OnDataPanelOk();
      for (Long row = 1; row <= 25; ++row) {
        const Long i = (row - 1) / 5;
        const Long j = (row - 1) % 5;
        Type(row, {CStr(i), CStr(j), CStr(i * j), CStr(j)});
      }
    } else if (data == Data::kIrregular) {
      core.OnDataKindChosen(kIrregularSurface);
      panel.texts[3].text = "6";
      core.OnDataPanelOk();
      const char* points[6][3] = {{"0", "0", "1"}, {"4", "0", "2"}, {"0", "4", "3"},
                                  {"4", "4", "1"}, {"1", "3", "2"}, {"3", "1", "4"}};
      for (Long row = 1; row <= 6; ++row) {
        const auto* p = points[row - 1];
        Type(row, {p[0], p[1], p[2], "0"});
      }
      for (int box : {1, 5}) panel.texts[static_cast<std::size_t>(box)].text = "0";
      for (int box : {2, 6}) panel.texts[static_cast<std::size_t>(box)].text = "4";
    } else {
      core.OnDataKindChosen(kRegularVolume);
      panel.texts[1].text = "3";
      panel.texts[2].text = "3";
      panel.texts[4].text = "3";
      core.OnDataPanelOk();
      for (Long row = 1; row <= 27; ++row) {
        const Long n = row - 1;
        Type(row, {CStr(n / 9), CStr(n / 3 % 3), CStr(n % 3), CStr(n / 9 + n % 3 - 1)});
      }
    }
  }

  void Type(Long row, const std::vector<std::string>& cells) {
    for (std::size_t col = 0; col < cells.size(); ++col)
      core.Sheet().CellEdited(row, static_cast<Long>(col + 1), cells[col]);
  }

  test::Program program;
  MainWindowCore& core = program.core;
  Workspace& ws = program.core.Shared();
  test::ScriptedDialogs dialogs;
};

class DrawCommandTest : public testing::Test {
 protected:
  test::TempFolder temp_;
  const std::filesystem::path folder{temp_.Path()};
};

struct KindCase {
  const char* name;
  MenuItem item;
  Long kind;
  Long viewCode;
  Data data;
  const char* entry;
  // Whether the kind shows today: the contour, slice and iso-surface drawers
  // come later, and the colour map lies edge-on to a 2D document's view
  // until it is placed in the 2D plane.
  bool draws;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }

class DrawKindTest : public DrawCommandTest, public testing::WithParamInterface<KindCase> {};

TEST_P(DrawKindTest, OkWithTheDefaultsAddsTheGraphDrawsItAndSavesIt) {
  const KindCase& c = GetParam();
  Window window(folder);
  MainWindowCore& core = window.core;
  if (c.viewCode == kViewCode2D) core.RunFileCommand(M::mnuFileNew2D);
  if (c.viewCode == kViewCode4D) core.RunFileCommand(M::mnuFileNew4D);
  window.TypeData(c.data);
  ASSERT_TRUE(window.program.messages.Shown().empty()) << window.program.messages.Texts()[0];
  // Only the graph is in the picture.
  window.ws.axisSystem.Show = false;
  window.ws.settings.ShowLegend = false;
  window.ws.settings.NextGraphID = 2;

  ASSERT_TRUE(core.RunDialogCommand(c.item));
  ASSERT_TRUE(window.program.messages.Shown().empty()) << window.program.messages.Texts()[0];
  ASSERT_EQ(window.dialogs.captions.size(), 1u);
  ASSERT_EQ(window.ws.allGraphs.Items.Count(), 1);
  ASSERT_EQ(window.ws.shownGraphs.Items.Count(), 1);
  const Graph& g = GraphAt(window.ws.allGraphs, 1);
  EXPECT_EQ(g.GraphType, c.kind);
  EXPECT_EQ(g.ID(), 3);
  EXPECT_TRUE(window.ws.shownGraphs.Items.Contains("3"));
  ASSERT_EQ(core.List().ListCount(), 1);
  EXPECT_EQ(core.List().At(0).caption, c.entry);
  EXPECT_TRUE(core.List().At(0).checked);
  const bool flat = c.viewCode == kViewCode2D;
  EXPECT_EQ(window.ws.shownGraphs.RotPitch, flat ? 0.0 : -30.0);
  EXPECT_EQ(window.ws.shownGraphs.RotYaw, flat ? 0.0 : 45.0);
  if (c.draws) {
    EXPECT_FALSE(AllWhite(core.CaptureDrawingArea()));
  }

  // A document saved after it opens the same and saves the same bytes.
  const std::filesystem::path first = folder / "first.qrv";
  window.program.dialogs.Choose(first.string());
  ASSERT_TRUE(window.program.files.Save());
  Window reopened(folder);
  reopened.core.OpenDocumentPath(first.string());
  ASSERT_TRUE(reopened.program.messages.Shown().empty()) << reopened.program.messages.Texts()[0];
  ASSERT_EQ(reopened.ws.allGraphs.Items.Count(), 1);
  const Graph& read = GraphAt(reopened.ws.allGraphs, 1);
  EXPECT_EQ(read.ID(), 3);
  // The document is in the format the graph needs; what format 4 does not
  // carry reads back as a new graph's (which draws the same).
  EXPECT_EQ(test::DifferingInFormat(g, read, g.RecordFormat()), std::vector<std::string>{});
  const std::filesystem::path second = folder / "second.qrv";
  reopened.program.dialogs.Choose(second.string());
  ASSERT_TRUE(reopened.program.files.Save());
  EXPECT_EQ(ReadFile(second), ReadFile(first));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DrawKindTest,
    testing::Values(KindCase{"Vertex", M::mnuDrawVert, kVertexModel, kViewCode3D, Data::kSurface,
                             "3D Vertex Model  ", true},
                    KindCase{"GridModel", M::mnuDrawGrid, kGridModel, kViewCode3D, Data::kSurface,
                             "3D Grid Model  ", true},
                    KindCase{"Surface", M::mnuDrawTab3D, kSurfaceModel, kViewCode3D, Data::kSurface,
                             "3D Surface Model  ", true},
                    KindCase{"Delaunay", M::mnuDrawDelaunay, kDelaunayGraph, kViewCode3D,
                             Data::kIrregular, "Delaunay Triangles  ", true},
                    KindCase{"ColorMap", M::mnuDrawColor, kColorMapGraph, kViewCode2D,
                             Data::kSurface, "Color Map  ", false},
                    KindCase{"Contour", M::mnuDrawCon, kContourPlot, kViewCode2D, Data::kSurface,
                             "Contour Plot  ", false},
                    KindCase{"Vector", M::mnuDrawVector, kVectorPlot, kViewCode2D, Data::kSurface,
                             "Vector Plot ", true},
                    KindCase{"Contour3D", M::mnuDrawCon3D, kContour3DPlot, kViewCode3D,
                             Data::kSurface, "3D Contour Plot  ", false},
                    KindCase{"Scatter4D", M::mnuDraw4DScat, kScatter4D, kViewCode4D, Data::kVolume,
                             "4D Scatter  ", true},
                    KindCase{"Vector4D", M::mnuDraw4DVec, kVector4D, kViewCode4D, Data::kVolume,
                             "4D Vector  ", true},
                    KindCase{"Slice4D", M::mnuDraw4DSlice, kSlice4D, kViewCode4D, Data::kVolume,
                             "4D Slice  ", false},
                    KindCase{"IsoSurface", M::mnuDrawIsoSur, kIsoSurface4D, kViewCode4D,
                             Data::kVolume, "4D IsoSurface  ", false}),
    [](const testing::TestParamInfo<KindCase>& info) { return info.param.name; });

TEST_F(DrawCommandTest, CancelAddsNothingAndLeavesTheOrientationAndTheList) {
  Window window(folder);
  window.TypeData(Data::kSurface);
  window.ws.shownGraphs.RotYaw = 90.0;
  window.dialogs.pressOk = false;
  for (MenuItem item : {M::mnuDrawTab3D, M::mnuDrawVert, M::mnuDrawPoint}) {
    ASSERT_TRUE(window.core.RunDialogCommand(item));
  }
  EXPECT_EQ(window.dialogs.captions,
            (std::vector<std::string>{"3D Surface Properties", "3D Vertex Model Properties",
                                      "Point Properties"}));
  EXPECT_EQ(window.ws.allGraphs.Items.Count(), 0);
  EXPECT_EQ(window.core.List().ListCount(), 0);
  EXPECT_EQ(window.ws.shownGraphs.RotYaw, 90.0);
  EXPECT_EQ(window.ws.settings.NextGraphID, 0);
}

// The data set was read only when a document opened: a grid typed into the
// sheet never reached a new graph.
TEST_F(DrawCommandTest, AGridTypedIntoTheSheetIsTheGridTheSurfaceDraws) {
  Window window(folder);
  window.TypeData(Data::kSurface);
  // Typed after the panel's OK: only the Draw command's read sees it.
  window.Type(25, {"4", "4", "40", "0"});
  ASSERT_TRUE(window.core.RunDialogCommand(M::mnuDrawTab3D));
  const DataSet& data = window.ws.dataSet;
  EXPECT_EQ(data.StepsX(), 5);
  EXPECT_EQ(data.StepsY(), 5);
  EXPECT_EQ(data.MaxZ(), 40.0);
  EXPECT_EQ(data.MinZ(), 0.0);
  const Graph& g = GraphAt(window.ws.allGraphs, 1);
  EXPECT_EQ(g.StepU, 4);
  EXPECT_EQ(g.StepV, 4);
  EXPECT_FALSE(AllWhite(window.core.CaptureDrawingArea()));
}

TEST_F(DrawCommandTest, ARefusedPanelShowsItsMessageOpensNoDialogAndKeepsTheData) {
  Window window(folder);
  window.TypeData(Data::kSurface);
  ASSERT_TRUE(window.core.RunDialogCommand(M::mnuDrawVert));
  window.Type(3, {"1", "x1", "2", "0"});
  window.dialogs.captions.clear();
  ASSERT_TRUE(window.core.RunDialogCommand(M::mnuDrawGrid));
  EXPECT_EQ(window.program.messages.Texts(), std::vector<std::string>{"Illegal data exist."});
  EXPECT_TRUE(window.dialogs.captions.empty());
  EXPECT_EQ(window.ws.allGraphs.Items.Count(), 1);
  EXPECT_EQ(window.ws.dataSet.StepsX(), 5);
}

// With a Delaunay graph drawn, the Draw command's read triangulates the
// points; the new Delaunay graph takes those triangles and runs no second
// triangulation of the same points.
TEST_F(DrawCommandTest, ASecondDelaunayGraphTriangulatesThePointsOnce) {
  Window window(folder);
  window.TypeData(Data::kIrregular);
  ASSERT_TRUE(window.core.RunDialogCommand(M::mnuDrawDelaunay));
  ASSERT_EQ(window.ws.allGraphs.Items.Count(), 1);
  const int runsBefore = window.program.work.runs;
  ASSERT_TRUE(window.core.RunDialogCommand(M::mnuDrawDelaunay));
  ASSERT_TRUE(window.program.messages.Shown().empty()) << window.program.messages.Texts()[0];
  EXPECT_EQ(window.ws.allGraphs.Items.Count(), 2);
  // One gridding of the read, one triangulation.
  EXPECT_EQ(window.program.work.runs, runsBefore + 2);
  EXPECT_GT(window.ws.dataSet.DelaunayTriCount(), 0);
}

TEST_F(DrawCommandTest, GriddingShowsTheWindowBusyAndRegularDataDoesNot) {
  Window window(folder);
  window.TypeData(Data::kSurface);
  window.program.view.busyCalls.clear();
  ASSERT_TRUE(window.core.ReadDataSet());
  EXPECT_TRUE(window.program.view.busyCalls.empty());
  window.TypeData(Data::kIrregular);
  window.program.view.busyCalls.clear();
  ASSERT_TRUE(window.core.ReadDataSet());
  EXPECT_EQ(window.program.view.busyCalls, (std::vector<bool>{true, false}));
}

TEST_F(DrawCommandTest, APointIsListedAsTypedAndADragsRotationGivesWayToTheOrientation) {
  Window window(folder);
  window.core.Mouse().UseCurQuat = true;
  window.dialogs.editPoint = [](PointDialogModel& m) {
    m.x = "1";
    m.y = "2";
    m.z = "3";
  };
  ASSERT_TRUE(window.core.RunDialogCommand(M::mnuDrawPoint));
  EXPECT_EQ(window.core.List().At(0).caption, "Point  x=1, y=2, z=3");
  EXPECT_FALSE(window.core.Mouse().UseCurQuat);
  EXPECT_EQ(window.ws.shownGraphs.RotPitch, -30.0);
  window.core.RunFileCommand(M::mnuFileNew2D);
  window.dialogs.editPoint = [](PointDialogModel& m) {
    m.x = "1";
    m.y = "2";
  };
  ASSERT_TRUE(window.core.RunDialogCommand(M::mnuDrawPoint));
  EXPECT_EQ(window.core.List().At(window.core.List().ListCount() - 1).caption, "Point  x=1, y=2");
  EXPECT_EQ(window.ws.shownGraphs.RotPitch, 0.0);
}

TEST_F(DrawCommandTest, AxisOkReadsTheDataMakesTheFontsAnewAndFitsTheView) {
  Window window(folder);
  window.TypeData(Data::kSurface);
  ASSERT_TRUE(window.core.RunDialogCommand(M::mnuDrawTab3D));
  window.Type(1, {"0", "0", "-20", "0"});
  const Long builds = window.core.BuildCount();
  window.dialogs.editAxis = [](AxisDialogModel& m) {
    m.SetLabelFont({"DejaVu Serif", 14.0});
    m.intervals[0] = "4";
  };
  ASSERT_TRUE(window.core.RunDialogCommand(M::mnuDrawAxis));
  EXPECT_EQ(window.ws.axisSystem.LabelNumX, 4);
  EXPECT_EQ(window.core.AxisFonts().label.face, "DejaVu Serif");
  EXPECT_EQ(window.ws.dataSet.MinZ(), -20.0);  // the sheet was read again
  EXPECT_NE(window.ws.settings.OutlineFontBase1, 0);
  EXPECT_NE(window.ws.settings.OutlineFontBase2, 0);
  EXPECT_FALSE(window.core.Flags().AxisChanged);
  EXPECT_EQ(window.core.BuildCount() - builds, 1);
  EXPECT_TRUE(window.program.messages.Shown().empty());
}

// The ink of "XYZ" in the outline set at base, drawn black on white one em
// high across the drawing area: a bold set has more.
long OutlineInk(test::FakeView& view, Long base) {
  if (!view.context->MakeCurrent()) return -1;
  glViewport(0, 0, view.width, view.height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, 2.2, -0.3, 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(0, 0, 0);
  DrawOutlineText(base, "XYZ");
  glFinish();
  const RgbaImage image = view.context->ReadPixels();
  long ink = 0;
  for (std::size_t i = 0; i < image.pixels.size(); i += 4) ink += image.pixels[i] < 128 ? 1 : 0;
  return ink;
}

struct FontResetCase {
  const char* name;
  MenuItem command;  // mnuFileOpen opens a sample
};

void PrintTo(const FontResetCase& c, std::ostream* os) { *os << c.name; }

class AxisFontResetTest : public DrawCommandTest,
                          public testing::WithParamInterface<FontResetCase> {};

// Regression: after New 2D and the axis dialog's OK the titles were bold, and
// stayed bold in the next document, new or opened: the dialog's fonts
// outlived the document they were chosen in.
TEST_P(AxisFontResetTest, TheNextDocumentHasTheStartUpFonts) {
  Window window(folder);
  test::FakeView& view = window.program.view;
  window.core.RunFileCommand(M::mnuFileNew2D);
  const long startTitle = OutlineInk(view, window.ws.settings.OutlineFontBase2);
  const long startLabel = OutlineInk(view, window.ws.settings.OutlineFontBase1);
  ASSERT_GT(startTitle, 0);
  window.dialogs.editAxis = [](AxisDialogModel& m) { m.SetLabelFont({"DejaVu Serif", 14.0}); };
  ASSERT_TRUE(window.core.RunDialogCommand(M::mnuDrawAxis));
  ASSERT_GT(OutlineInk(view, window.ws.settings.OutlineFontBase2), startTitle) << "not bold";

  const FontResetCase& c = GetParam();
  if (c.command == M::mnuFileOpen) {
    window.program.dialogs.Choose(std::string(QV_SOURCE_DIR) +
                                  "/resources/samples/color_contour.qrv");
  }
  window.core.RunFileCommand(c.command);
  ASSERT_TRUE(window.program.messages.Shown().empty()) << window.program.messages.Texts()[0];
  EXPECT_EQ(OutlineInk(view, window.ws.settings.OutlineFontBase2), startTitle);
  EXPECT_EQ(OutlineInk(view, window.ws.settings.OutlineFontBase1), startLabel);
  EXPECT_EQ(window.core.AxisFonts().label.face, "");
  EXPECT_EQ(window.core.AxisFonts().title.size, 0.0);
}

INSTANTIATE_TEST_SUITE_P(Commands, AxisFontResetTest,
                         testing::Values(FontResetCase{"New2D", M::mnuFileNew2D},
                                         FontResetCase{"New3D", M::mnuFileNew3D},
                                         FontResetCase{"New4D", M::mnuFileNew4D},
                                         FontResetCase{"Open", M::mnuFileOpen}),
                         [](const testing::TestParamInfo<FontResetCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(DrawCommandTest, AxisCancelBuildsNothingAndARefusalKeepsTheDialogsChangesOut) {
  Window window(folder);
  const Long builds = window.core.BuildCount();
  window.dialogs.pressOk = false;
  ASSERT_TRUE(window.core.RunDialogCommand(M::mnuDrawAxis));
  EXPECT_EQ(window.core.BuildCount(), builds);
  EXPECT_FALSE(window.core.Flags().AxisChanged);
  window.dialogs.pressOk = true;
  window.dialogs.editAxis = [](AxisDialogModel& m) {
    m.ratios[0] = "0";
    m.showLegend = false;
  };
  ASSERT_TRUE(window.core.RunDialogCommand(M::mnuDrawAxis));
  EXPECT_EQ(window.program.messages.Texts(), std::vector<std::string>{"Illegal data exist."});
  EXPECT_TRUE(window.ws.settings.ShowLegend);
  EXPECT_EQ(window.core.BuildCount(), builds);
}

TEST_F(DrawCommandTest, LightViewAndGridSizeDialogsApplyTheirOk) {
  Window window(folder);
  window.dialogs.editLight = [](LightDialogModel& m) { m.lighting = false; };
  ASSERT_TRUE(window.core.RunDialogCommand(M::mnuDrawLight));
  EXPECT_FALSE(window.ws.sceneLight.Enabled);
  window.dialogs.editView = [](ViewDialogModel& m) {
    m.perspective = true;
    m.texts[1] = "75";
  };
  ASSERT_TRUE(window.core.RunDialogCommand(M::mnuViewSet));
  EXPECT_EQ(window.ws.camera.ProjectType, 2);
  EXPECT_EQ(window.core.Flags().ViewMaxX, 75.0);
  window.dialogs.editGridSize = [](GridSizeDialogModel& m) {
    m.rows = "40";
    m.columns = "3";
  };
  window.core.OpenGridSizeDialog();
  EXPECT_EQ(window.core.Sheet().Rows(), 40);
  EXPECT_EQ(window.core.Sheet().Cols(), 3);
  EXPECT_EQ(window.dialogs.captions,
            (std::vector<std::string>{"Light Properties", "View Setting", "Options"}));
  EXPECT_FALSE(window.core.RunDialogCommand(M::mnuEditDelAll));
}

}  // namespace
}  // namespace qv
