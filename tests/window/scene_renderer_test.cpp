// The scene building and display through the window's logic, drawn into an
// offscreen context.
#include "window/scene_renderer.h"

#include <gtest/gtest.h>

#include <set>

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
    core.Form_Load("", 15.0);
    core.SetDrawingSize(kSize, kSize);
    // The axis system would cover the graph's edges; tests that want it turn it on.
    core.Ws().AxisSystem.Show = false;
  }

  // Adds a shown graph; returns it.
  std::shared_ptr<FakeGraph> Show(Long id, const Cls1& box) {
    Workspace& ws = core.Ws();
    auto graph = std::make_shared<FakeGraph>(id, box, ws.settings);
    ws.AllGraphs.Items.Add(graph, CStr(id));
    core.AddListEntry("Surface Model");
    core.SetListChecked(core.List().ListCount() - 1, true);
    return graph;
  }

  RgbaImage Frame() {
    core.Display();
    return view.context->ReadPixels();
  }

  static int CountPixels(const RgbaImage& image, bool (*match)(const std::array<std::uint8_t, 4>&)) {
    int count = 0;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) count += match(image.At(x, y)) ? 1 : 0;
    }
    return count;
  }
  static bool IsWhite(const std::array<std::uint8_t, 4>& p) { return p[0] == 255 && p[1] == 255 && p[2] == 255; }
  static bool IsRed(const std::array<std::uint8_t, 4>& p) { return p[0] > 200 && p[1] < 60 && p[2] < 60; }
  static bool IsBlack(const std::array<std::uint8_t, 4>& p) { return p[0] < 30 && p[1] < 30 && p[2] < 30; }

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
  NullEventPump pump;
  FakeCommands commands;
  MainWindowCore core{view, {messages, dialogs, pump}};
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
  EXPECT_EQ(graph->legends, 1);  // once in the build, not on the repaint
  EXPECT_TRUE(IsRed(image.At(175, 100)));  // 80..95 x 10..90 of the frame
  EXPECT_TRUE(IsRed(image.At(175, 30)));
  EXPECT_FALSE(IsRed(image.At(175, 10)));
  EXPECT_FALSE(IsRed(image.At(150, 100)));

  core.Ws().settings.ShowLegend = false;
  core.BuildScene();
  EXPECT_EQ(CountPixels(Frame(), IsRed), 0);
  EXPECT_EQ(graph->legends, 1);
}

// Guards the passes: every pass draws the graphs, and the accumulation of 8
// jittered passes grades a slanted edge in many steps, while the 2 passes of
// a drag give at most half-way pixels.
TEST_F(SceneRenderTest, EightPassesGradeTheEdgesAndADragUsesTwo) {
  core.Ws().settings.ShowLegend = false;
  auto graph = Show(1, BoxAround(0, 0, 0, 6.37));
  core.Ws().ShownGraphs.RotRoll = 17;
  const int before = graph->draws;
  core.BuildScene();
  EXPECT_EQ(graph->draws - before, 8);
  const std::set<int> still = GreyLevels(Frame());
  EXPECT_GE(still.size(), 6U);

  core.Mouse().Dragging = true;
  core.BuildScene();
  EXPECT_EQ(graph->draws - before, 10);
  const std::set<int> dragged = GreyLevels(Frame());
  EXPECT_LE(dragged.size(), 4U);
}

// With nothing shown the picture holds only the clear colour: no axis
// system, and an empty legend overlay.
TEST_F(SceneRenderTest, NoShownGraphsDrawsNoAxisSystem) {
  core.Ws().AxisSystem.Show = true;
  core.BuildScene();
  EXPECT_EQ(CountPixels(Frame(), IsWhite), kSize * kSize);
  EXPECT_DOUBLE_EQ(core.Ws().settings.CenterX, 0.0);
}

TEST_F(SceneRenderTest, AxisSystemIsDrawnAroundTheShownGraphs) {
  core.Ws().settings.ShowLegend = false;
  Show(1, BoxAround(0, 0, 0, 2));
  const int withoutAxis = CountPixels(Frame(), IsWhite);
  core.Ws().AxisSystem.Show = true;
  core.BuildScene();
  EXPECT_LT(CountPixels(Frame(), IsWhite), withoutAxis);
  const Cls1 box = core.Ws().ShownGraphs.GetBox();
  EXPECT_EQ(core.SceneBox(), box);
}

// The captured picture is the drawn scene.
TEST_F(SceneRenderTest, CaptureReadsTheScene) {
  Show(1, BoxAround(0, 0, 0, 4));
  const RgbImage picture = core.CaptureDrawingArea();
  EXPECT_EQ(picture.width, kSize);
  EXPECT_EQ(picture.height, kSize);
}

}  // namespace
}  // namespace qv
