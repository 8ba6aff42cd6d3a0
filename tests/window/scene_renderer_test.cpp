// The scene building and display through the window's logic, drawn into an
// offscreen context.
#include "window/scene_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "graphs/graph.h"
#include "platform/gl_text.h"
#include "platform/rgba_image.h"

#include "support/scripted_file_dialog.h"
#include "support/scripted_message_box.h"
#include "window/main_window_core.h"
#include "window/window_fakes.h"

namespace qv {
namespace {

using test::BoxAround;
using test::FakeCommands;
using test::FakeGraph;
using test::FakeView;

constexpr int kSize = 200;

class SceneRenderTest : public testing::Test {
 protected:
  void SetUp() override {
    view.MakeContext(kSize, kSize);
    core.SetDocumentCommands(&commands);
    core.Start("", 15.0);
    core.SetDrawingSize(kSize, kSize);
    // The axis system would cover the graph's edges; tests that want it turn it on.
    core.Shared().axisSystem.Show = false;
  }

  // Adds a shown graph; returns it.
  std::shared_ptr<FakeGraph> Show(Long id, const Box& box) {
    Workspace& ws = core.Shared();
    auto graph = std::make_shared<FakeGraph>(id, box, ws.settings);
    ws.allGraphs.Items.Add(graph, CStr(id));
    core.AddListEntry("Surface Model");
    core.SetListChecked(core.List().ListCount() - 1, true);
    return graph;
  }

  RgbaImage Frame() {
    core.Display();
    return view.context->ReadPixels();
  }

  static int CountPixels(const RgbaImage& image,
                         bool (*match)(const std::array<std::uint8_t, 4>&)) {
    int count = 0;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) count += match(image.At(x, y)) ? 1 : 0;
    }
    return count;
  }
  static bool IsWhite(const std::array<std::uint8_t, 4>& p) {
    return p[0] == 255 && p[1] == 255 && p[2] == 255;
  }
  static bool IsRed(const std::array<std::uint8_t, 4>& p) {
    return p[0] > 200 && p[1] < 60 && p[2] < 60;
  }
  static bool IsBlack(const std::array<std::uint8_t, 4>& p) {
    return p[0] < 30 && p[1] < 30 && p[2] < 30;
  }

  // Grey levels of the picture's grey pixels (R = G = B), the legend aside.
  static std::set<int> GreyLevels(const RgbaImage& image) {
    std::set<int> levels;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        const auto p = image.At(x, y);
        if (p[0] == p[1] && p[1] == p[2]) levels.insert(p[0]);
      }
    }
    return levels;
  }

  FakeView view;
  test::ScriptedMessageBox messages;
  test::ScriptedFileDialog dialogs;
  ImmediateWorkRunner work;
  FakeCommands commands;
  MainWindowCore core{view, {messages, dialogs, work}};
};

TEST_F(SceneRenderTest, PaintBeforeAnyBuildShowsTheClearColour) {
  const RgbaImage image = Frame();
  EXPECT_EQ(CountPixels(image, IsWhite), kSize * kSize);
  EXPECT_EQ(core.BuildCount(), 0);
}

// Guards the list: the build compiles list 900 and a repaint only replays
// it, so two frames in a row are the same picture.
TEST_F(SceneRenderTest, BuildCompilesListNineHundredThatDisplayReplays) {
  Show(1, BoxAround(0, 0, 0, 4));
  EXPECT_EQ(glIsList(kSceneList), GL_TRUE);
  const RgbaImage first = Frame();
  const RgbaImage second = Frame();
  EXPECT_EQ(first.pixels, second.pixels);
  EXPECT_GT(CountPixels(first, IsBlack), 100);
  EXPECT_GT(CountPixels(first, IsRed), 100);  // the legend bar
}

// The legend overlay lies in a 0..100 frame from the lower left corner,
// drawn once after the passes, and only with the legend on.
TEST_F(SceneRenderTest, LegendOverlayIsDrawnOnceInTheLowerLeftFrame) {
  auto graph = Show(1, BoxAround(0, 0, 0, 4));
  const RgbaImage image = Frame();
  EXPECT_EQ(graph->legends, 1);            // once in the build, not on the repaint
  EXPECT_TRUE(IsRed(image.At(175, 100)));  // 80..95 x 10..90 of the frame
  EXPECT_TRUE(IsRed(image.At(175, 30)));
  EXPECT_FALSE(IsRed(image.At(175, 10)));
  EXPECT_FALSE(IsRed(image.At(150, 100)));

  core.Shared().settings.ShowLegend = false;
  core.BuildScene();
  EXPECT_EQ(CountPixels(Frame(), IsRed), 0);
  EXPECT_EQ(graph->legends, 1);
}

// Guards the passes: the accumulation of 8 jittered passes grades a slanted
// edge in many steps, while the 2 passes of a drag give at most half-way
// pixels. The graphs are drawn once a build and replayed by every pass.
TEST_F(SceneRenderTest, EightPassesGradeTheEdgesAndADragUsesTwo) {
  core.Shared().settings.ShowLegend = false;
  auto graph = Show(1, BoxAround(0, 0, 0, 6.37));
  core.Shared().shownGraphs.RotRoll = 17;
  const int before = graph->draws;
  core.BuildScene();
  EXPECT_EQ(graph->draws - before, 1);
  const std::set<int> still = GreyLevels(Frame());
  EXPECT_GE(still.size(), 6U);

  core.Mouse().Dragging = true;
  core.BuildScene();
  const std::set<int> dragged = GreyLevels(Frame());
  EXPECT_LE(dragged.size(), 4U);
  EXPECT_GE(dragged.size(), 3U);  // black, white and the half-way edge
}

// A repaint takes the picture from the accumulation buffer instead of
// replaying every pass; it must be the very picture a full replay gives,
// legend and axis system included.
TEST_F(SceneRenderTest, RepaintFromTheAccumulationEqualsTheFullReplay) {
  core.Shared().axisSystem.Show = true;
  Show(1, BoxAround(0, 0, 0, 5));
  core.Shared().shownGraphs.RotPitch = -30;
  core.Shared().shownGraphs.RotYaw = 45;
  core.BuildScene();
  const RgbaImage built = view.context->ReadPixels();
  const RgbaImage repainted = Frame();
  core.SetDrawingSize(kSize, kSize);  // same size: only the next frame replays in full
  const RgbaImage replayed = Frame();
  EXPECT_EQ(repainted.pixels, built.pixels);
  EXPECT_EQ(replayed.pixels, built.pixels);
  EXPECT_EQ(Frame().pixels, built.pixels);
}

// Regression: blending mixed the picture's alpha as it mixed the colours, so
// a translucent face, and every smooth line's fringe, left pixels below full
// alpha that a picture read back shows lighter than they are drawn. Built,
// repainted from the accumulation and replayed in full, the picture is
// opaque, with the face still blended grey over the white.
TEST_F(SceneRenderTest, ThePictureStaysOpaqueWhereGraphsBlend) {
  auto graph = Show(1, BoxAround(0, 0, 0, 5));
  graph->translucent = true;
  core.BuildScene();
  const RgbaImage built = view.context->ReadPixels();
  const RgbaImage repainted = Frame();
  core.SetDrawingSize(kSize, kSize);  // same size: the next frame replays in full
  const RgbaImage replayed = Frame();
  for (const RgbaImage* image : {&built, &repainted, &replayed}) {
    EXPECT_EQ(CountPixels(*image, [](const auto& p) { return p[3] != 255; }), 0);
    EXPECT_GT(CountPixels(*image, [](const auto& p) { return p[0] > 100 && p[0] < 155; }), 1000);
  }
}

// A lit face turned by the scene rotation, under a light beside the camera.
void LightScene(Workspace& ws) {
  ws.settings.ShowLegend = false;
  ws.shownGraphs.RotYaw = 70;
  ws.shownGraphs.RotPitch = -40;
  ws.sceneLight.Position(0) = 1000;
  ws.sceneLight.Position(1) = 1000;
  ws.sceneLight.Position(2) = 200;
  ws.sceneLight.Position(3) = 1;
  for (int i = 0; i < 3; ++i) {
    ws.sceneLight.Amission(i) = 0.1F;  // dim ambient terms, so the diffuse one shows
    ws.sceneLight.GlobalAmbient(i) = 0.0F;
    ws.sceneLight.Diffuse(i) = 0.8F;
  }
}

// Regression: the light's position was taken in whatever model-view frame
// the last frame had left, so the first frame after a build (the rotated
// frame) was lit otherwise than the repaints after it.
TEST_F(SceneRenderTest, EveryFrameIsLitAlike) {
  LightScene(core.Shared());
  Show(1, BoxAround(0, 0, 0, 6))->lit = true;
  core.BuildScene();
  const RgbaImage built = view.context->ReadPixels();
  const auto face = built.At(100, 100);
  ASSERT_GT(face[0], 40);  // lit, but not washed out
  ASSERT_LT(face[0], 250);
  const RgbaImage repainted = Frame();
  core.SetDrawingSize(kSize, kSize);
  const RgbaImage replayed = Frame();
  EXPECT_EQ(repainted.pixels, built.pixels);
  EXPECT_EQ(replayed.pixels, built.pixels);
  EXPECT_EQ(Frame().pixels, built.pixels);
}

// The light dialog asks for no rebuild: a changed light shows at the next
// repaint, which then replays the passes instead of returning the old sum.
TEST_F(SceneRenderTest, AChangedLightShowsAtTheNextRepaint) {
  LightScene(core.Shared());
  Show(1, BoxAround(0, 0, 0, 6))->lit = true;
  core.BuildScene();
  const RgbaImage before = Frame();
  Light& light = core.Shared().sceneLight;
  for (int i = 0; i < 3; ++i) light.Diffuse(i) = light.Diffuse(i) * 0.3F;
  const RgbaImage after = Frame();
  EXPECT_LT(after.At(100, 100)[0] + 20, before.At(100, 100)[0]);
  EXPECT_EQ(Frame().pixels, after.pixels);
}

// The passes are accumulated only where pass 0 drew. A face that pass 0 left
// exactly the clear colour (white under a bright light) was still drawn on,
// so a repaint in a dimmer light, which replays the passes, shows it as a new
// build does: found by its depth when it writes depth, and by the whole
// picture being accumulated when it does not (a transparent surface).
class FaceWhiteUnderTheFirstLight : public SceneRenderTest,
                                    public testing::WithParamInterface<bool> {};

TEST_P(FaceWhiteUnderTheFirstLight, ShowsUnderTheNext) {
  Workspace& ws = core.Shared();
  ws.settings.ShowLegend = false;
  auto face = Show(1, BoxAround(0, 0, 0, 4));
  face->lit = true;
  face->withoutDepth = GetParam();
  Light& light = ws.sceneLight;
  for (int i = 0; i < 3; ++i) light.GlobalAmbient(i) = 1.0F;
  core.BuildScene();
  ASSERT_TRUE(IsWhite(Frame().At(100, 100)));

  for (int i = 0; i < 3; ++i) {
    light.GlobalAmbient(i) = 0.2F;
    light.Amission(i) = 0.0F;
    light.Diffuse(i) = 0.2F;
  }
  const RgbaImage replayed = Frame();
  core.BuildScene();
  const RgbaImage rebuilt = view.context->ReadPixels();
  EXPECT_LT(rebuilt.At(100, 100)[0], 200);
  EXPECT_EQ(replayed.pixels, rebuilt.pixels);
}

INSTANTIATE_TEST_SUITE_P(Depth, FaceWhiteUnderTheFirstLight, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? "WithoutDepth" : "WritingDepth";
                         });

// The jitter moves the later passes off pass 0's pixels: accumulating only
// where pass 0 drew loses none of their edge pixels, so the picture is the one
// the whole accumulation gives.
TEST_F(SceneRenderTest, TheAccumulatedRectanglesLoseNoEdgePixel) {
  core.Shared().settings.ShowLegend = false;
  core.Shared().axisSystem.Show = true;
  auto graph = Show(1, BoxAround(0, 0, 0, 6.37));
  core.Shared().shownGraphs.RotRoll = 17;
  core.Shared().shownGraphs.RotPitch = -30;
  core.BuildScene();
  const RgbaImage inRectangle = Frame();
  graph->saysWithoutDepth = true;  // the same picture, accumulated whole
  core.BuildScene();
  const RgbaImage whole = Frame();
  EXPECT_EQ(inRectangle.pixels, whole.pixels);
}

// The rectangles pass 0 drew on, from a 10 x 6 picture (rows bottom-up): a
// pixel counts by its colour or by its depth alone; the margin reaches into
// the neighbouring bands and stops at the picture's edges.
TEST(DrawnBands, HoldEveryDrawnPixelWithItsMargin) {
  constexpr int kW = 10;
  constexpr int kH = 6;
  struct Mark {
    int x, y;
    bool byColour;
  };
  struct Case {
    const char* name;
    std::vector<Mark> marks;
    int margin;
    int bands;
    std::vector<PixelRect> expected;
  };
  const Case cases[] = {
      {"nothing drawn", {}, 3, 1, {}},
      {"one coloured pixel", {{5, 2, true}}, 1, 1, {{4, 1, 3, 3}}},
      {"depth alone, at the corner", {{0, 0, false}}, 2, 1, {{0, 0, 3, 3}}},
      {"two pixels span the rectangle", {{1, 4, true}, {8, 1, false}}, 0, 1, {{1, 1, 8, 4}}},
      {"top right corner", {{9, 5, true}}, 3, 1, {{6, 2, 4, 4}}},
      {"margin into the band below", {{5, 2, true}}, 1, 3, {{4, 1, 3, 1}, {4, 2, 3, 2}}},
      {"bands fit two pixels apart",
       {{1, 4, true}, {8, 1, false}},
       0,
       3,
       {{8, 1, 1, 1}, {1, 4, 1, 1}}},
      {"a diagonal", {{0, 0, true}, {9, 5, true}}, 1, 3, {{0, 0, 2, 2}, {8, 4, 2, 2}}},
      {"a band a row", {{5, 2, true}}, 1, 10, {{4, 1, 3, 1}, {4, 2, 3, 1}, {4, 3, 3, 1}}},
      {"no bands", {{5, 2, true}}, 1, 0, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> rgba(kW * kH * 4, 255);
    std::vector<float> depth(kW * kH, 1.0F);
    for (const Mark& m : c.marks) {
      const std::size_t at = static_cast<std::size_t>(m.y * kW + m.x);
      if (m.byColour) {
        rgba[at * 4 + 1] = 254;
      } else {
        depth[at] = 0.5F;
      }
    }
    EXPECT_EQ(DrawnBands(rgba, depth, kW, kH, {255, 255, 255, 255}, c.margin, c.bands), c.expected)
        << c.name;
  }
  const std::vector<std::uint8_t> shortColour(kW * 4, 0);
  const std::vector<float> depth(kW * kH, 0.5F);
  EXPECT_TRUE(DrawnBands(shortColour, depth, kW, kH, {255, 255, 255, 255}, 0, 1).empty());
}

// Regression: list 900 holds the projections of the size it was built for,
// so a resize that only repainted showed a stretched picture until the next
// build. A square graph stays square.
TEST(SceneResize, ASquareStaysSquareAfterAResize) {
  FakeView view;
  view.MakeContext(400, 200);
  test::ScriptedMessageBox messages;
  test::ScriptedFileDialog dialogs;
  ImmediateWorkRunner work;
  FakeCommands commands;
  MainWindowCore core(view, {messages, dialogs, work});
  core.SetDocumentCommands(&commands);
  core.Start("", 15.0);
  core.Shared().settings.ShowLegend = false;
  core.Shared().axisSystem.Show = false;
  PaneInput in;
  in.clientWidth = 3060 + 200 * 15;  // a 200 x 200 drawing area
  in.clientHeight = 720 + 200 * 15;
  in.toolbarHeight = 420;
  in.statusHeight = 300;
  in.dataHeight = 1000;
  in.splitterLeft = 3000;
  in.twipsPerPixel = 15;
  core.OnResize(in);
  Workspace& ws = core.Shared();
  ws.allGraphs.Items.Add(std::make_shared<FakeGraph>(1, BoxAround(0, 0, 0, 5), ws.settings), "1");
  core.AddListEntry("Surface Model");
  core.SetListChecked(0, true);

  in.clientWidth += 200 * 15;  // now 400 x 200
  core.OnResize(in);
  const RgbaImage image = view.context->ReadPixels();
  int width = 0;
  int height = 0;
  for (int x = 0; x < 400; ++x) width += image.At(x, 100)[0] < 128 ? 1 : 0;
  for (int y = 0; y < 200; ++y) height += image.At(200, y)[0] < 128 ? 1 : 0;
  EXPECT_GT(width, 20);
  EXPECT_NEAR(width, height, 1);
}

// Checks in the order 3, 1, 2 draw the graphs in that order, so graph 2 lies
// on top where they overlap.
TEST_F(SceneRenderTest, GraphsDrawInTheOrderTheyWereChecked) {
  std::vector<Long> log;
  Workspace& ws = core.Shared();
  for (Long id : {1, 2, 3}) {
    auto graph = std::make_shared<FakeGraph>(id, BoxAround(0, 0, 0, id), ws.settings);
    graph->drawLog = &log;
    ws.allGraphs.Items.Add(graph, CStr(id));
    core.AddListEntry("Surface Model");
  }
  core.SetListChecked(2, true);
  core.SetListChecked(0, true);
  core.SetListChecked(1, true);
  log.clear();
  core.BuildScene();
  EXPECT_EQ(log, (std::vector<Long>{3, 1, 2}));  // drawn once, replayed by every pass
}

// With nothing shown the picture holds only the clear colour: no axis
// system, and an empty legend overlay.
TEST_F(SceneRenderTest, NoShownGraphsDrawsNoAxisSystem) {
  core.Shared().axisSystem.Show = true;
  core.BuildScene();
  EXPECT_EQ(CountPixels(Frame(), IsWhite), kSize * kSize);
  EXPECT_DOUBLE_EQ(core.Shared().settings.CenterX, 0.0);
}

TEST_F(SceneRenderTest, AxisSystemIsDrawnAroundTheShownGraphs) {
  core.Shared().settings.ShowLegend = false;
  Show(1, BoxAround(0, 0, 0, 2));
  const int withoutAxis = CountPixels(Frame(), IsWhite);
  core.Shared().axisSystem.Show = true;
  core.BuildScene();
  EXPECT_LT(CountPixels(Frame(), IsWhite), withoutAxis);
  const Box box = core.Shared().shownGraphs.GetBox(core.Shared().Context());
  EXPECT_EQ(core.SceneBox(), box);
}

// The captured picture is the drawn scene.
TEST_F(SceneRenderTest, CaptureReadsTheScene) {
  Show(1, BoxAround(0, 0, 0, 4));
  const RgbImage picture = core.CaptureDrawingArea();
  EXPECT_EQ(picture.width, kSize);
  EXPECT_EQ(picture.height, kSize);
}

// Closing frees the lists in the context they belong to; nothing is drawn
// or initialised again afterwards.
TEST_F(SceneRenderTest, CloseFreesTheListsAndDrawsNoMore) {
  Show(1, BoxAround(0, 0, 0, 4));
  ASSERT_NE(core.Shared().settings.BitmapFontBase, 0);
  messages.Script({MsgAnswer::No});
  ASSERT_TRUE(core.ConfirmClose());
  view.context->MakeCurrent();
  EXPECT_EQ(glIsList(kSceneList), GL_FALSE);
  EXPECT_EQ(core.Shared().settings.OutlineFontBase1, 0);
  EXPECT_EQ(core.Shared().settings.BitmapFontBase, 0);
  core.BuildScene();
  EXPECT_EQ(glIsList(kSceneList), GL_FALSE);
}

// A graph that logs its drawing steps with the GL state each meets: what a
// prepare step makes (a texture) cannot be made while a list is being
// compiled, and what a release step frees must be freed in the context that
// still holds it (list 900 still there).
class StepLog final : public SceneItem {
 public:
  StepLog(Long id, std::vector<std::string>& log) : id_(id), log_(log) {}
  Long ID() const override { return id_; }
  void PrepareDrawing(const DrawContext&) override {
    log_.push_back(Compiling() ? "prepare while compiling" : "prepare");
  }
  void Draw(const DrawContext&) override {
    log_.push_back(Compiling() ? "draw while compiling" : "draw");
  }
  void ReleaseDrawing() override {
    log_.push_back(glIsList(kSceneList) == GL_TRUE ? "release"
                                                   : "release without the scene's context");
  }
  Long RecordFormat() const override { return 4; }
  std::string Save(const SharedSettings&, Long) const override { return ""; }
  Box GetBox(const DrawContext&) const override { return BoxAround(0, 0, 0, 1); }
  void DrawLegend(const DrawContext&) override {}
  void EqualTo(const SceneItem&) override {}

 private:
  static bool Compiling() {
    GLint list = 0;
    glGetIntegerv(GL_LIST_INDEX, &list);
    return list != 0;
  }
  Long id_;
  std::vector<std::string>& log_;
};

class SceneGraphStepsTest : public SceneRenderTest {
 protected:
  void ShowLogged(Long id) {
    Workspace& ws = core.Shared();
    ws.allGraphs.Items.Add(std::make_shared<StepLog>(id, log), CStr(id));
    core.AddListEntry("Logged");
    core.SetListChecked(core.List().ListCount() - 1, true);
  }
  std::vector<std::string> log;
};

TEST_F(SceneGraphStepsTest, EachBuildPreparesTheShownGraphsBeforeCompiling) {
  ShowLogged(1);
  log.clear();
  core.BuildScene();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "prepare");
  EXPECT_EQ(std::count(log.begin(), log.end(), "prepare"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "draw while compiling"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "prepare while compiling"), 0);
  // A graph that is not shown is neither prepared nor drawn.
  core.SetListChecked(0, false);
  log.clear();
  core.BuildScene();
  EXPECT_TRUE(log.empty());
}

TEST_F(SceneGraphStepsTest, DeletedGraphsAreReleasedInTheirContext) {
  ShowLogged(1);
  ShowLogged(2);
  core.SetListChecked(1, false);
  log.clear();
  core.DeleteAllGraphs();
  // Shown or not, every graph is released, once, before it goes.
  EXPECT_EQ(std::count(log.begin(), log.end(), "release"), 2);
  EXPECT_EQ(log.size(), 2u);
  EXPECT_EQ(core.Shared().allGraphs.Items.Count(), 0);
}

TEST_F(SceneGraphStepsTest, GraphsAreReleasedBeforeTheDrawingContextGoes) {
  ShowLogged(1);
  log.clear();
  core.ReleaseDrawingContext();
  EXPECT_EQ(log, (std::vector<std::string>{"release"}));
  EXPECT_EQ(glIsList(kSceneList), GL_FALSE);
  // Released once: deleting the graphs later touches no context.
  log.clear();
  core.DeleteAllGraphs();
  EXPECT_TRUE(log.empty());
}

// The window's logic over fakes, for tests that make the drawing context
// themselves.
struct BareWindow {
  BareWindow() { core.SetDocumentCommands(&commands); }
  FakeView view;
  test::ScriptedMessageBox messages;
  test::ScriptedFileDialog dialogs;
  ImmediateWorkRunner work;
  FakeCommands commands;
  MainWindowCore core{view, {messages, dialogs, work}};
};

struct FitCase {
  const char* name;
  int width, height;  // the drawing area in pixels
  bool flat;          // a 2D document, else 3D in the diagonal view
};

class SceneFitTest : public testing::TestWithParam<FitCase> {};

// Guards Zoom to Fit at the drawing areas of small and large windows: the fit
// once sized the view to the box alone, so in a drawing area higher than
// wide (an 800 x 600 window) the axis titles went off the left edge and the
// box ran under the legend. After the fit nothing drawn touches the edges of
// the drawing area, and right of the legend's left edge only the legend is
// drawn.
TEST_P(SceneFitTest, ShowsTheWholeSceneAndLeavesTheLegendItsStrip) {
  const FitCase& c = GetParam();
  BareWindow window;
  FakeView& view = window.view;
  MainWindowCore& core = window.core;
  view.MakeContext(c.width, c.height);
  core.Start("", 15.0);
  core.SetDrawingSize(c.width, c.height);
  Workspace& ws = core.Shared();
  ws.settings.ViewCode = c.flat ? kViewCode2D : kViewCode3D;
  ws.axisSystem.Show = true;
  ws.axisSystem.SetTitleX("East");
  ws.axisSystem.SetTitleY("North");
  ws.axisSystem.SetTitleZ("Height");
  ws.shownGraphs.RotPitch = c.flat ? 0.0 : -30.0;
  ws.shownGraphs.RotYaw = c.flat ? 0.0 : 45.0;
  ws.allGraphs.Items.Add(std::make_shared<FakeGraph>(1, Box{0, 10, -2, 5, 0, 10}, ws.settings),
                         "1");
  core.AddListEntry("Surface Model");
  core.SetListChecked(0, true);
  core.FitView();
  const RgbaImage image = view.context->ReadPixels();
  const auto white = [](const std::array<std::uint8_t, 4>& p) {
    return p[0] == 255 && p[1] == 255 && p[2] == 255;
  };
  // The legend's red, blended with the white background at its edges.
  const auto legend = [](const std::array<std::uint8_t, 4>& p) {
    return p[0] == 255 && p[1] == p[2];
  };
  int edge = 0;
  for (int x = 0; x < c.width; ++x) {
    edge += !white(image.At(x, 0)) + !white(image.At(x, c.height - 1));
  }
  for (int y = 0; y < c.height; ++y) {
    edge += !white(image.At(0, y)) + !white(image.At(c.width - 1, y));
  }
  EXPECT_EQ(edge, 0) << "pixels drawn on the drawing area's edge";
  int underLegend = 0;
  const int strip = static_cast<int>(c.width * Graph::kLegendLeft / 100.0);
  for (int y = 0; y < c.height; ++y) {
    for (int x = strip; x < c.width; ++x) underLegend += !legend(image.At(x, y));
  }
  EXPECT_EQ(underLegend, 0) << "scene pixels in the legend's strip";
  // The picture is not made needlessly small: it spans most of the room.
  int left = c.width;
  int right = -1;
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < strip; ++x) {
      if (white(image.At(x, y))) continue;
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  EXPECT_GT(right - left, strip / 2);
  if (std::getenv("QV_WRITE_PICTURES") != nullptr)
    WritePng(std::string("/tmp/qv_fit_") + c.name + ".png", image);
}

INSTANTIATE_TEST_SUITE_P(
    Areas, SceneFitTest,
    testing::Values(FitCase{"W800", 436, 510, false}, FitCase{"W1000", 585, 610, false},
                    FitCase{"W1280", 870, 880, false}, FitCase{"Wide", 900, 300, false},
                    FitCase{"Narrow", 250, 600, false}, FitCase{"W800Flat", 436, 510, true},
                    FitCase{"WideFlat", 900, 300, true}),
    [](const testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

// A toolkit window may get its context only once shown, after the load step:
// the first build or frame then makes the fixed state and the fonts.
TEST(SceneLateContext, FirstUseInitialisesAContextMadeAfterTheLoad) {
  BareWindow window;
  FakeView& view = window.view;
  MainWindowCore& core = window.core;
  core.Start("", 15.0);
  EXPECT_EQ(core.Shared().settings.BitmapFontBase, 0);

  view.MakeContext(64, 64);
  core.SetDrawingSize(64, 64);
  EXPECT_NE(core.Shared().settings.BitmapFontBase, 0);
  core.Display();
  const RgbaImage image = view.context->ReadPixels();
  EXPECT_EQ(image.At(10, 10)[0], 255);  // the white clear colour of the fixed state
  EXPECT_TRUE(window.messages.Shown().empty());
}

// List 900 has a fixed name; generated lists must never be given it. The
// window makes its fonts when the drawing area is first sized and again at
// start, and a driver may hand out ever higher names: a font whose range
// held 900 drew a glyph over the empty start picture.
TEST(SceneListName, FontsMadeAgainNeverTakeListNineHundred) {
  BareWindow window;
  FakeView& view = window.view;
  MainWindowCore& core = window.core;
  view.MakeContext(64, 64);
  core.SetDrawingSize(64, 64);
  for (int start = 0; start < 4; ++start) {
    core.Start("", 15.0);
    const SharedSettings& s = core.Shared().settings;
    for (const auto& [base, count] : {std::pair{s.OutlineFontBase1, kOutlineFontLists},
                                      std::pair{s.OutlineFontBase2, kOutlineFontLists},
                                      std::pair{s.BitmapFontBase, kBitmapFontLists}}) {
      ASSERT_NE(base, 0);
      EXPECT_FALSE(base <= Long{kSceneList} && Long{kSceneList} < base + count)
          << "start " << start << ": lists " << base << ".." << base + count - 1;
    }
    core.Display();
    const RgbaImage image = view.context->ReadPixels();
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
      ASSERT_EQ(image.pixels[i], 255) << "start " << start << ", byte " << i;
    }
  }
}

}  // namespace
}  // namespace qv
