// Whole pictures of documents opened in the main window, each compared with
// its baseline tests/expected/render/<name>.png (see support/picture_baseline.h).
// They guard the drawing of the graphs, the axis system and the legend as a
// whole: a drawer that loses a colour or moves its vertices changes many
// pixels, while the tolerances absorb the last-bit noise of the rasteriser.
//
// Every input is fixed: a 256 x 256 offscreen picture, the light below, the
// camera as the open fits it to the graphs, one font file.
//
// The input documents lie in tests/inputs/render/<name>.qrv. Each case's
// builder makes its document in the window, as a user would type it, and
// saves it with the program's own writer when the file is missing: delete a
// document to write it anew (then regenerate its baseline).
//
// Regenerating: after a deliberate change of the pictures, run
//   QV_UPDATE_BASELINES=1 ctest -R RenderBaseline
// (or bin/render_tests with the variable set), look at every PNG written
// to tests/expected/render/, and commit them.
#include <gtest/gtest.h>

#include <unistd.h>
#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "documents/document_header.h"
#include "graphs/graph.h"
#include "graphs/graph_kinds.h"
#include "scene/color.h"
#include "support/picture_baseline.h"
#include "support/texture_files.h"
#include "typed_document.h"
#include "window/document_program.h"

namespace qv {
namespace {

using test::FixLight;
using test::NewGraph;
using test::PictureTolerance;
using test::Program;
using test::Show;
using test::TypeData;

constexpr int kSize = 256;

// Builders: each types its data into the panel and the sheet and adds its
// graphs through the graph list, as the window's user does
// (typed_document.h).

// A hill at the back and a pit at the front of an n x n grid, colour value = height.
std::vector<std::array<double, 4>> HillAndPit(Long n) {
  std::vector<std::array<double, 4>> rows;
  for (Long i = 0; i < n; ++i) {
    for (Long j = 0; j < n; ++j) {  // the last index runs fastest
      const double x = static_cast<double>(i), y = static_cast<double>(j);
      const double z = 4.0 * std::exp(-((x - 4) * (x - 4) + (y - 5) * (y - 5)) / 12.0) -
                       3.0 * std::exp(-((x - 10) * (x - 10) + (y - 9) * (y - 9)) / 10.0);
      rows.push_back({x, y, z, z});
    }
  }
  return rows;
}

// The nodes of an n x n x n volume at whole coordinates, with value(x, y, z)
// at each.
std::vector<std::array<double, 4>> VolumeRows(
    Long n, const std::function<double(double, double, double)>& value) {
  std::vector<std::array<double, 4>> rows;
  for (Long i = 0; i < n; ++i) {
    for (Long j = 0; j < n; ++j) {
      for (Long k = 0; k < n; ++k) {
        const double x = static_cast<double>(i), y = static_cast<double>(j),
                     z = static_cast<double>(k);
        rows.push_back({x, y, z, value(x, y, z)});
      }
    }
  }
  return rows;
}

void BuildSurface(Program& program) {
  constexpr Long n = 15;
  TypeData(program, kRegularSurface, {{1, n}, {2, n}}, HillAndPit(n));
  auto graph = NewGraph(program, kSurfaceModel);
  graph->StepU = graph->StepV = n - 1;
  graph->Show = 3;        // filled cells
  graph->Smoothness = 2;  // smooth shading
  graph->FillStyle = 4;   // the colour map over the colour values
  graph->ColorName = "RAINBOW";
  Show(program, graph);
}

// Scattered points of a saddle over 0..10 x 0..10, spread by the golden
// ratio so that none coincide.
void BuildDelaunay(Program& program) {
  constexpr int n = 40;
  std::vector<std::array<double, 4>> rows;
  for (int k = 0; k < n; ++k) {
    const double x = 10.0 * std::fmod(0.5 + k * 0.6180339887, 1.0);
    const double y = 10.0 * (k + 0.5) / n;
    const double z = (x - 5) * (y - 5) / 6.0;
    rows.push_back({x, y, z, z});
  }
  TypeData(program, kIrregularSurface, {{3, n}, {4, 11}, {7, 11}, {1, 0}, {2, 10}, {5, 0}, {6, 10}},
           rows);
  auto graph = NewGraph(program, kDelaunayGraph);
  graph->StepU = graph->StepV = 10;
  graph->Show = 3;
  graph->Smoothness = 2;
  graph->FillStyle = 4;
  graph->ColorName = "RAINBOW";
  graph->ShowDS = true;  // the triangles filled
  graph->ShowDG = true;  // and their edges
  graph->TriColor = 0;
  Show(program, graph);
}

// A 6 x 6 x 6 volume whose value is the distance from one corner.
void BuildScatter4D(Program& program) {
  program.files.New4D();
  constexpr Long n = 6;
  TypeData(program, kRegularVolume, {{1, n}, {2, n}, {4, n}},
           VolumeRows(n, [](double x, double y, double z) {
             return std::sqrt(x * x + 0.5 * y * y + 2 * z * z);
           }));
  auto graph = NewGraph(program, kScatter4D);
  graph->StepU = graph->StepV = graph->StepH = n - 1;
  graph->FillStyle = 4;
  graph->ColorName = "RAINBOW";
  graph->PointSize = 6;
  Show(program, graph);
}

// The iso-surface of an ellipsoid field on a 14 x 14 x 14 volume, in the
// rainbow colour of its level.
void BuildIsoSurface(Program& program) {
  program.files.New4D();
  constexpr Long n = 14;
  TypeData(program, kRegularVolume, {{1, n}, {2, n}, {4, n}},
           VolumeRows(n, [](double x, double y, double z) {
             x -= 6.3;
             y -= 6.6;
             z -= 6.2;
             return std::sqrt(x * x + y * y / 2.2 + z * z / 0.6);
           }));
  auto graph = NewGraph(program, kIsoSurface4D);
  graph->StepU = graph->StepV = graph->StepH = n - 1;
  graph->IsoSurValue = 4.0;
  graph->FillStyle = 4;
  graph->ColorName = "RAINBOW";
  Show(program, graph);
}

// The texture the textured surface wears, beside the documents: 33 pixels
// wide (rows padded to 100 bytes), its left third red, the middle white, the
// right third blue, with a black band along its top, so that a sheared,
// flipped or mirrored picture shows.
const char kStripesTexture[] = "../textures/stripes33.bmp";

void EnsureStripesTexture() {
  const std::string path = std::string(QV_TEST_INPUTS_DIR) + "/textures/stripes33.bmp";
  if (std::filesystem::exists(path)) return;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  ASSERT_TRUE(test::WriteBytes(path, test::BmpBytes(33, 20, [](int x, int y) {
                                 if (y < 3) return test::Rgb8{0, 0, 0};
                                 return x < 11   ? test::Rgb8{230, 30, 30}
                                        : x < 22 ? test::Rgb8{255, 255, 255}
                                                 : test::Rgb8{30, 30, 230};
                               })));
}

// The hill and the pit wearing the stripes in their own colours, lit.
void BuildTexturedSurface(Program& program) {
  EnsureStripesTexture();
  constexpr Long n = 15;
  TypeData(program, kRegularSurface, {{1, n}, {2, n}}, HillAndPit(n));
  auto graph = NewGraph(program, kSurfaceModel);
  graph->StepU = graph->StepV = n - 1;
  graph->Show = 3;
  graph->Smoothness = 2;
  graph->FillStyle = 3;
  graph->FirstColor = RGB(255, 255, 255);
  graph->ShowTex = true;
  graph->TexName = kStripesTexture;
  graph->TexMode = 1;
  Show(program, graph);
}

// A colour map with the hill and the pit drawn half transparent over it.
void BuildTransparentSurface(Program& program) {
  constexpr Long n = 15;
  TypeData(program, kRegularSurface, {{1, n}, {2, n}}, HillAndPit(n));
  auto map = NewGraph(program, kColorMapGraph);
  map->StepU = map->StepV = n - 1;
  map->Show = 3;
  map->FillStyle = 4;
  map->ColorMapfilltype = 4;
  map->ColorName = "RAINBOW";
  Show(program, map);
  auto surface = NewGraph(program, kSurfaceModel);
  surface->StepU = surface->StepV = n - 1;
  surface->Show = 3;
  surface->Smoothness = 2;
  surface->FillStyle = 3;
  surface->FirstColor = RGB(40, 90, 220);
  surface->ShowTrans = true;
  surface->TransAlpha = 0.5;
  Show(program, surface);
}

// A 2D document: seven point graphs, each its own colour and size, over
// data that spans 0..12 by -3..3 (which sets the scales).
void BuildPoints2D(Program& program) {
  program.files.New2D();
  constexpr Long nu = 13, nv = 7;
  std::vector<std::array<double, 4>> rows;
  for (Long i = 0; i < nu; ++i) {
    for (Long j = 0; j < nv; ++j) {
      const double x = static_cast<double>(i), y = static_cast<double>(j) - 3.0;
      rows.push_back({x, y, x + y, x + y});
    }
  }
  TypeData(program, kRegularSurface, {{1, nu}, {2, nv}}, rows);
  const Long colors[] = {RGB(255, 0, 0),   RGB(0, 160, 0),   RGB(0, 0, 255), RGB(200, 0, 200),
                         RGB(0, 160, 160), RGB(230, 120, 0), RGB(0, 0, 0)};
  for (const Long color : colors) {
    auto graph = NewGraph(program, kPointGraph);
    graph->PointColor = color;
    graph->PointSize = static_cast<double>(graph->ID()) + 2.0;
    Show(program, graph);
  }
}

// The document does not carry a point's position: type the seven along a
// wave as the point dialog stores them in 2D (x in PointY, y in PointZ),
// rebuild as its OK does, and fit the view to them.
void PlacePoints2D(Program& program) {
  int k = 0;
  for (const auto& [key, item] : program.core.Shared().allGraphs.Items) {
    auto graph = std::dynamic_pointer_cast<Graph>(item);
    ASSERT_NE(graph, nullptr) << key;
    graph->PointY = 2.0 * k;
    graph->PointZ = 2.5 * std::sin(0.9 * k);
    ++k;
  }
  program.core.BuildScene();
  program.core.FitView();
}

// A 2D document: a colour map of waves over 0..16 by 0..8, coloured by the
// rainbow over its colour values. Seen from the front, it fills its axis
// box.
void BuildColorMap2D(Program& program) {
  program.files.New2D();
  constexpr Long nu = 17, nv = 9;
  std::vector<std::array<double, 4>> rows;
  for (Long i = 0; i < nu; ++i) {
    for (Long j = 0; j < nv; ++j) {
      const double x = static_cast<double>(i), y = static_cast<double>(j);
      const double z = std::sin(x / 2.5) + std::cos(y / 2.0) + 0.1 * x;
      rows.push_back({x, y, z, z});
    }
  }
  TypeData(program, kRegularSurface, {{1, nu}, {2, nv}}, rows);
  auto graph = NewGraph(program, kColorMapGraph);
  graph->StepU = nu - 1;
  graph->StepV = nv - 1;
  graph->ColorMapfilltype = 4;  // the colour map over the colour values
  graph->ColorName = "RAINBOW";
  Show(program, graph);
}

// A 2D document: the contour plot of two hills and a pit over 0..12 by
// 0..12, its lines coloured by the rainbow map over its levels.
void BuildContourPlot2D(Program& program) {
  program.files.New2D();
  constexpr Long n = 25;
  std::vector<std::array<double, 4>> rows;
  for (Long i = 0; i < n; ++i) {
    for (Long j = 0; j < n; ++j) {
      const double x = 0.5 * static_cast<double>(i), y = 0.5 * static_cast<double>(j);
      const double z = 40 * std::exp(-((x - 4) * (x - 4) + (y - 8) * (y - 8)) / 6.0) +
                       30 * std::exp(-((x - 9) * (x - 9) + (y - 7) * (y - 7)) / 4.0) -
                       25 * std::exp(-((x - 7) * (x - 7) + (y - 2.5) * (y - 2.5)) / 5.0);
      rows.push_back({x, y, z, z});
    }
  }
  TypeData(program, kRegularSurface, {{1, n}, {2, n}}, rows);
  auto graph = NewGraph(program, kContourPlot);
  graph->StepU = graph->StepV = n - 1;
  graph->ContourLevels = 5;
  graph->ConFillType = 5;  // the colour map
  graph->ConWidth = 2;
  graph->ColorName = "RAINBOW";
  Show(program, graph);
}

// The hill and pit surface with its contour layer underneath, and the 3D
// contour plot of the same heights drawn on it in a blend of two colours.
void BuildContours3D(Program& program) {
  constexpr Long n = 15;
  TypeData(program, kRegularSurface, {{1, n}, {2, n}}, HillAndPit(n));
  auto surface = NewGraph(program, kSurfaceModel);
  surface->StepU = surface->StepV = n - 1;
  surface->Show = 3;
  surface->Smoothness = 2;
  surface->FillStyle = 3;  // one colour
  surface->FirstColor = RGB(230, 230, 230);
  surface->ShowContour = true;
  surface->ContourLevel = 0.5;
  surface->LineColor = RGB(0, 0, 160);
  surface->LineWidth = 1;
  Show(program, surface);
  auto lines = NewGraph(program, kContour3DPlot);
  lines->StepU = lines->StepV = n - 1;
  lines->Contour3Levels = 0.5;
  lines->Con3FillType = 3;  // blend
  lines->Con3Color1 = RGB(220, 0, 0);
  lines->Con3Color2 = RGB(0, 0, 220);
  lines->Con3Width = 2;
  Show(program, lines);
}

// A 9 x 9 x 9 volume of the distance from a corner, cut across each axis
// once: filled by the rainbow map, with contour lines on every plane and the
// value's slope as vectors on the Z plane.
void BuildSlices4D(Program& program) {
  program.files.New4D();
  constexpr Long n = 9;
  TypeData(
      program, kRegularVolume, {{1, n}, {2, n}, {4, n}},
      VolumeRows(n, [](double x, double y, double z) { return std::sqrt(x * x + y * y + z * z); }));
  auto g = NewGraph(program, kSlice4D);
  g->StepU = g->StepV = g->StepH = n - 1;
  g->ColorName = "RAINBOW";
  g->LineWidth = 1;
  g->Slice4NumX = g->Slice4NumY = g->Slice4NumZ = 1;
  g->Slice4Z(1) = 2;
  g->Slice4X(1) = 6;
  g->Slice4Y(1) = 4.5;
  for (SliceFlags* f :
       {&g->SliceXShowColor, &g->SliceYShowColor, &g->SliceZShowColor, &g->SliceXShowCont,
        &g->SliceYShowCont, &g->SliceZShowCont, &g->SliceZShowVect}) {
    (*f)(1) = true;
  }
  g->SliceXContLevels(1) = g->SliceYContLevels(1) = g->SliceZContLevels(1) = 1;
  g->SliceXContColor(1) = g->SliceYContColor(1) = g->SliceZContColor(1) = 0;
  g->SliceZVectColor(1) = RGB(255, 255, 255);
  for (SliceLongs* b : {&g->Slice4YZYB, &g->Slice4YZZB, &g->Slice4ZXXB, &g->Slice4ZXZB,
                        &g->Slice4XYXB, &g->Slice4XYYB}) {
    (*b)(1) = 1;
  }
  for (SliceLongs* e : {&g->Slice4YZYE, &g->Slice4YZZE, &g->Slice4ZXXE, &g->Slice4ZXZE,
                        &g->Slice4XYXE, &g->Slice4XYYE}) {
    (*e)(1) = n;
  }
  Show(program, g);
}

// The view a case is seen in after the open.
enum class View {
  AsOpened,  // the document's own (3D and 4D iso, 2D front)
  Front,
  Top,
};

// One picture: its name (the baseline's and the input document's), the
// builder of its input, what is done after the open, the view and whether the legend is shown, and
// how far it may stray from the baseline.
struct RenderCase {
  const char* name;
  void (*build)(Program&);
  // What the user does after the open, before the picture; may be null.
  void (*afterOpen)(Program&);
  View view;
  bool legend;
  PictureTolerance tolerance;
};

void PrintTo(const RenderCase& c, std::ostream* out) { *out << c.name; }

// Tolerances: llvmpipe gives the same bytes run after run, and the Debug
// sanitizer build the same as the optimised one. A pixel may stray by 8 in a
// channel and 1 in 2000 pixels (32 of 65536) further, room for the edge
// rounding of another Mesa build; one lost scatter point (about 40 pixels),
// one lost triangle, a colour map short of one colour or vertices moved by
// half a pixel fail.
const RenderCase kCases[] = {
    {"SurfaceWithAxisAndLegend", BuildSurface, nullptr, View::AsOpened, true, {8, 0.0005}},
    {"DelaunayTriangles", BuildDelaunay, nullptr, View::AsOpened, true, {8, 0.0005}},
    {"Scatter4D", BuildScatter4D, nullptr, View::AsOpened, true, {8, 0.0005}},
    {"Points2D", BuildPoints2D, PlacePoints2D, View::AsOpened, true, {8, 0.0005}},
    {"ColorMap2D", BuildColorMap2D, nullptr, View::AsOpened, true, {8, 0.0005}},
    {"ContourPlot2D", BuildContourPlot2D, nullptr, View::AsOpened, true, {8, 0.0005}},
    {"Contours3D", BuildContours3D, nullptr, View::AsOpened, true, {8, 0.0005}},
    {"Slices4D", BuildSlices4D, nullptr, View::AsOpened, true, {8, 0.0005}},
    {"IsoSurface", BuildIsoSurface, nullptr, View::AsOpened, true, {8, 0.0005}},
    {"TexturedSurface", BuildTexturedSurface, nullptr, View::Top, false, {8, 0.0005}},
    {"TransparentSurfaceOverColorMap",
     BuildTransparentSurface,
     nullptr,
     View::AsOpened,
     false,
     {8, 0.0005}},
};

class RenderBaselineTest : public testing::TestWithParam<RenderCase> {
 protected:
  static void SetUpTestSuite() { fontProblem_ = test::UseOnlyThePictureFont(); }

  void SetUp() override {
    ASSERT_EQ(fontProblem_, "");
    folder_ = std::filesystem::temp_directory_path() /
              ("qv-render-" + std::to_string(getpid()) + "-" + GetParam().name);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  static std::string InputPath(const RenderCase& c) {
    return std::string(QV_TEST_INPUTS_DIR) + "/render/" + c.name + ".qrv";
  }

  // Writes the case's input document when it is missing.
  void EnsureInput(const RenderCase& c) {
    const std::string path = InputPath(c);
    if (std::filesystem::exists(path)) return;
    Program writer(folder_);
    c.build(writer);
    ASSERT_TRUE(writer.messages.Shown().empty()) << writer.messages.Texts().front();
    writer.dialogs.Choose(path);
    ASSERT_TRUE(writer.files.Save()) << "could not write " << path;
  }

  std::filesystem::path folder_;
  static inline std::string fontProblem_;
};

TEST_P(RenderBaselineTest, MatchesItsBaseline) {
  const RenderCase& c = GetParam();
  ASSERT_NO_FATAL_FAILURE(EnsureInput(c));
  Program program(folder_);
  MainWindowCore& core = program.core;
  program.view.MakeContext(kSize, kSize);
  core.SetDrawingSize(kSize, kSize);
  FixLight(core.Shared().sceneLight);
  core.Shared().settings.ShowLegend = c.legend;
  core.OpenDocumentPath(InputPath(c));
  ASSERT_TRUE(program.messages.Shown().empty()) << program.messages.Texts().front();
  ASSERT_GE(core.Shared().shownGraphs.Items.Count(), 1);
  if (c.afterOpen != nullptr) {
    ASSERT_NO_FATAL_FAILURE(c.afterOpen(program));
  }
  switch (c.view) {
    case View::AsOpened: break;
    case View::Front: core.ShowFrontView(); break;
    case View::Top: core.ShowTopView(); break;
  }
  core.Display();
  EXPECT_TRUE(test::MatchesBaseline(c.name, program.view.context->ReadPixels(), c.tolerance));
}

INSTANTIATE_TEST_SUITE_P(Pictures, RenderBaselineTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<RenderCase>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace qv
