// Costs of the main window's drawing at 800 x 600: the scene build (8
// accumulation passes at rest, 2 while dragging) and the repaint, which only
// replays display list 900. The scene is one 101 x 101 surface in the colour
// map, with the axis system and the legend, loaded through the window's own
// data panel and sheet as a document would be. Then the graph list's costs
// with many small graphs: opening them and checking one entry.
#include <GL/gl.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include "documents/file_association.h"
#include "documents/file_commands.h"
#include "graphs/graph.h"
#include "many_graphs_document.h"
#include "no_dialogs.h"
#include "platform/osmesa/offscreen_context.h"
#include "silent_messages.h"
#include "window/file_commands_adapter.h"
#include "window/main_window_core.h"
#include "window/pass_plan.h"
#include "window/quat_ops.h"
#include "window/scene_renderer.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kNodes = 101;

class OffscreenView final : public qv::MainWindowView {
 public:
  qv::GlContext* DrawingContext() override { return picture ? &context : nullptr; }
  int DrawingWidth() const override { return kWidth; }
  int DrawingHeight() const override { return kHeight; }
  void ShowPopup(qv::PopupMenu, double, double) override {}
  void ModelsChanged() override {}
  void RepaintWindow() override {}
  void CloseWindow() override {}
  void SetIdleTicksWanted(bool) override {}

  qv::OffscreenContext context{kWidth, kHeight};
  // Without it the window has no drawing context: what a change costs
  // besides the picture.
  bool picture = true;
};

// The window with one shown surface, fitted as after opening a document.
struct SurfaceScene {
  SurfaceScene() {
    core.Start("", 15.0);
    core.SetDrawingSize(kWidth, kHeight);
    LoadSheet();
    qv::Workspace& ws = core.Shared();
    ws.axisSystem.SetDefault();
    ws.axisSystem.Show = true;
    ws.settings.ShowLegend = true;
    ws.shownGraphs.RotPitch = -30;
    ws.shownGraphs.RotYaw = 45;

    auto surface = std::make_shared<qv::Graph>();
    surface->SetID(1);
    surface->GraphType = qv::kSurfaceModel;
    surface->StepU = kNodes - 1;
    surface->StepV = kNodes - 1;
    surface->Show = 3;
    surface->Smoothness = 2;
    surface->FillStyle = 4;
    surface->Material = 1;
    surface->ColorName = "RAINBOW";
    ws.allGraphs.Items.Add(surface, "1");
    core.AddListEntry("Surface Model");
    core.SetFitPending(true);
    core.CheckListEntry(0);
  }

  // A 101 x 101 regular surface typed into the sheet, read by the data set.
  void LoadSheet() {
    qv::DataPanel& panel = core.Panel();
    panel.SetKindIndex(qv::kRegularSurface);
    panel.SetText(1, std::to_string(kNodes));
    panel.SetText(2, std::to_string(kNodes));
    core.OnDataPanelOk();
    qv::Long row = 1;
    for (int i = 0; i < kNodes; ++i) {
      for (int j = 0; j < kNodes; ++j, ++row) {
        const double x = i * 0.1;
        const double y = j * 0.1;
        panel.SetCell(row, 1, std::to_string(x));
        panel.SetCell(row, 2, std::to_string(y));
        panel.SetCell(row, 3, std::to_string(std::sin(x) * std::cos(y)));
      }
    }
    qv::Workspace& ws = core.Shared();
    qv::DataContext context{core.Panel(), ws.settings, messages, work};
    ws.dataSet.GetData(context);
  }

  OffscreenView view;
  qv::bench::SilentMessages messages;
  qv::bench::NoDialogs dialogs;
  qv::ImmediateWorkRunner work;
  qv::MainWindowCore core{view, qv::MainWindowServices{messages, dialogs, work}};
};

// A scene build at rest: 8 jittered passes of the surface and the axis
// system, then the legend.
void BM_BuildScene8Passes(benchmark::State& state) {
  SurfaceScene scene;
  for (auto _ : state) {
    scene.core.BuildScene();
    glFinish();
  }
}
BENCHMARK(BM_BuildScene8Passes)->Unit(benchmark::kMillisecond);

// One frame of a drag: a 2-pass build and its display.
void BM_DragFrame2Passes(benchmark::State& state) {
  SurfaceScene scene;
  scene.core.Mouse().Dragging = true;
  for (auto _ : state) {
    scene.core.BuildScene();
    scene.core.Display();
  }
}
BENCHMARK(BM_DragFrame2Passes)->Unit(benchmark::kMillisecond);

// A repaint: the list replayed, nothing rebuilt. The counter tells that the
// picture holds the scene (pixels other than the white clear colour).
void BM_Repaint(benchmark::State& state) {
  SurfaceScene scene;
  scene.core.BuildScene();
  for (auto _ : state) scene.core.Display();
  const qv::RgbaImage image = scene.view.context.ReadPixels();
  double drawn = 0;
  for (std::size_t i = 0; i + 3 < image.pixels.size(); i += 4) {
    if (image.pixels[i] != 255 || image.pixels[i + 1] != 255 || image.pixels[i + 2] != 255) ++drawn;
  }
  state.counters["drawnPixels"] = drawn;
}
BENCHMARK(BM_Repaint)->Unit(benchmark::kMillisecond);

// A repaint that replays every pass of list 900, as after a resize or a
// change of light (and always on a context without an accumulation buffer).
void BM_RepaintFullReplay(benchmark::State& state) {
  SurfaceScene scene;
  scene.core.BuildScene();
  for (auto _ : state) {
    scene.core.SetDrawingSize(kWidth, kHeight);
    scene.core.Display();
  }
}
BENCHMARK(BM_RepaintFullReplay)->Unit(benchmark::kMillisecond);

// The floor under the full repaint on this renderer: the same 8 jittered
// passes of the scene (clear, projection, rotation, the surface and the axis
// system from one list), each waited for as its accumulation waits for it,
// with nothing accumulated or returned and no legend.
void BM_PassesWithoutAccumulation(benchmark::State& state) {
  SurfaceScene scene;
  scene.core.BuildScene();
  qv::Workspace& ws = scene.core.Shared();
  const std::array<float, 16> rotation =
      qv::RotationMatrix(qv::SceneRotation(ws, scene.core.Mouse()));
  const qv::Box box = ws.shownGraphs.GetBox(ws.Context());
  const GLuint content = glGenLists(1);
  glNewList(content, GL_COMPILE);
  ws.shownGraphs.Draw(ws.Context());
  ws.axisSystem.Draw(2, box, ws.settings);
  glEndList();
  for (auto _ : state) {
    for (const qv::AccumPass& pass : qv::EightPassPlan()) {
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      ws.camera.Projection(pass.jitterX, pass.jitterY, box);
      glMultMatrixf(rotation.data());
      glCallList(content);
      glFinish();
    }
  }
  glDeleteLists(content, 1);
}
BENCHMARK(BM_PassesWithoutAccumulation)->Unit(benchmark::kMillisecond);

// The window with its File commands, and a document of n point graphs
// (none when n is past what a document holds).
struct ManyGraphsWindow {
  explicit ManyGraphsWindow(qv::Long n, bool withDocument = true, bool picture = true) : count(n) {
    if (withDocument) path = qv::bench::WriteManyPointGraphs(n, &whyNot);
    view.picture = picture;
    core.SetDocumentCommands(&commands);
    core.Start("", 15.0);
    core.SetDrawingSize(kWidth, kHeight);
  }
  ~ManyGraphsWindow() {
    if (!path.empty()) std::filesystem::remove(path);
  }
  ManyGraphsWindow(const ManyGraphsWindow&) = delete;
  ManyGraphsWindow& operator=(const ManyGraphsWindow&) = delete;

  // True when every graph is listed and shown.
  bool Whole() {
    return core.List().ListCount() == count && core.Shared().shownGraphs.Items.Count() == count;
  }
  bool Open() {
    core.OpenDocumentPath(path);
    return Whole();
  }
  // The window's side of opening n graphs, past what a document holds.
  bool Load() {
    qv::bench::LoadPointGraphs(core, core.Shared(), count);
    return Whole();
  }

  const qv::Long count;
  std::string whyNot;
  std::string path;
  OffscreenView view;
  qv::bench::SilentMessages messages;
  qv::bench::NoDialogs dialogs;
  qv::ImmediateWorkRunner work;
  qv::MainWindowCore core{view, qv::MainWindowServices{messages, dialogs, work}};
  // Without a data home the start-up association stays in its in-memory
  // store: nothing is written into the user's folders.
  qv::FileAssociation association{qv::AssociationPaths{}, ""};
  qv::FileCommands files{core.Shared(), core, association};
  qv::FileCommandsAdapter commands{files};
};

// File > Open of a document of n point graphs: reading it, the list filled
// and every entry checked, one scene build of all of them and its display.
void BM_OpenManyGraphs(benchmark::State& state) {
  ManyGraphsWindow window(state.range(0));
  if (window.path.empty()) {
    state.SkipWithError(("the document could not be written: " + window.whyNot).c_str());
    return;
  }
  for (auto _ : state) {
    if (!window.Open()) {
      state.SkipWithError("the document did not open whole");
      break;
    }
  }
}
BENCHMARK(BM_OpenManyGraphs)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

// The window's side of opening n point graphs (the list filled, every entry
// checked, one scene build and its display), without the file.
void BM_LoadManyGraphs(benchmark::State& state) {
  ManyGraphsWindow window(state.range(0), false);
  for (auto _ : state) {
    if (!window.Load()) {
      state.SkipWithError("the graphs did not load whole");
      break;
    }
  }
}
BENCHMARK(BM_LoadManyGraphs)->Arg(10000)->Unit(benchmark::kMillisecond);

// One check box of a list of n graphs clicked, on and off again (each click
// is one iteration): the groups brought in line and the scene rebuilt with
// the few graphs shown. The other entries were unchecked after loading.
void BM_CheckOneOfManyGraphs(benchmark::State& state) {
  const qv::Long n = state.range(0);
  ManyGraphsWindow window(n, false, state.range(1) != 0);
  if (!window.Load()) {
    state.SkipWithError("the graphs did not load whole");
    return;
  }
  for (qv::Long i = 0; i < n; ++i) {
    if (i != 7) window.core.List().SetSelected(i, false);
  }
  window.core.OnGraphListCheck();
  const qv::Long entry = n / 2;
  bool checked = false;
  for (auto _ : state) {
    checked = !checked;
    window.core.SetListChecked(entry, checked);
  }
  if (window.core.Shared().shownGraphs.Items.Count() != (checked ? 2 : 1))
    state.SkipWithError("the shown graphs do not follow the check boxes");
}
// Second argument 0: the same in a window without a drawing context, so
// without the scene's 8 passes: the graph list's own share of the click.
BENCHMARK(BM_CheckOneOfManyGraphs)
    ->ArgNames({"graphs", "picture"})
    ->Args({10000, 1})
    ->Args({10000, 0})
    ->Unit(benchmark::kMillisecond);

// The same click with every graph of the list shown: the scene build of the
// n point graphs comes with it.
void BM_CheckOneOfManyShownGraphs(benchmark::State& state) {
  const qv::Long n = state.range(0);
  ManyGraphsWindow window(n, false);
  if (!window.Load()) {
    state.SkipWithError("the graphs did not load whole");
    return;
  }
  const qv::Long entry = n / 2;
  bool checked = true;
  for (auto _ : state) {
    checked = !checked;
    window.core.SetListChecked(entry, checked);
  }
  if (window.core.Shared().shownGraphs.Items.Count() != (checked ? n : n - 1))
    state.SkipWithError("the shown graphs do not follow the check boxes");
}
BENCHMARK(BM_CheckOneOfManyShownGraphs)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
