// Costs of a 201 x 201 surface (40000 cells, the largest grid the data panel
// offers) in the two steps the window runs: compiling the graph into the
// scene's display list (every scene build, once per anti-aliasing pass) and
// replaying the list (every paint), offscreen at 800 x 600.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include <benchmark/benchmark.h>

#include "graphs/graph.h"
#include "graphs/workspace.h"
#include "platform/osmesa/offscreen_context.h"
#include "scene/light.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr qv::Long kNodes = 201;
constexpr GLuint kList = 900;

// A wavy surface over 0..10 x 0..10, lit, in the given fill style.
struct SurfaceScene {
  explicit SurfaceScene(qv::Long fillStyle) {
    qv::DataSet& d = ws.dataSet;
    d.RedimRegular3D(kNodes - 1, kNodes - 1);
    // The graphs draw only the nodes the data set says it holds.
    d.StepsX(kNodes);
    d.StepsY(kNodes);
    for (qv::Long i = 0; i < kNodes; ++i) {
      for (qv::Long j = 0; j < kNodes; ++j) {
        const double x = 10.0 * i / (kNodes - 1), y = 10.0 * j / (kNodes - 1);
        const double h = 2.0 + std::sin(x) * std::cos(0.7 * y);
        d.Reg3DX(i, j, x);
        d.Reg3DY(i, j, y);
        d.Reg3DZ(i, j, h);
        d.Reg3DC(i, j, h);
      }
    }
    graph.GraphType = qv::kSurfaceModel;
    graph.StepU = graph.StepV = kNodes - 1;
    graph.Show = 3;
    graph.Smoothness = 2;
    graph.Material = 1;
    graph.FillStyle = fillStyle;
    graph.FirstColor = qv::RGB(255, 0, 0);
    graph.SecondColor = qv::RGB(0, 0, 255);
    ws.settings.CenterX = ws.settings.CenterY = 5;
    ws.settings.CenterZ = 2;
  }

  void SetView() const {
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40.0, static_cast<double>(kWidth) / kHeight, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(12, 12, 12, 0, 0, 0, 0, 1, 0);
  }

  void Compile() {
    glNewList(kList, GL_COMPILE);
    graph.Draw(ws.Context());
    glEndList();
  }

  qv::Workspace ws;
  qv::Graph graph;
};

void Setup(qv::OffscreenContext&) {
  glClearColor(1, 1, 1, 1);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  qv::Light light;
  light.SetLight();
}

void BM_CompileSurface201(benchmark::State& state) {
  qv::OffscreenContext ctx(kWidth, kHeight);
  Setup(ctx);
  SurfaceScene scene(state.range(0));
  for (auto _ : state) {
    scene.Compile();
    glFinish();
  }
  glDeleteLists(kList, 1);
  state.counters["cells"] = static_cast<double>((kNodes - 1) * (kNodes - 1));
}
BENCHMARK(BM_CompileSurface201)
    ->ArgName("FillStyle")
    ->Arg(2)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond);

void BM_ReplaySurface201(benchmark::State& state) {
  qv::OffscreenContext ctx(kWidth, kHeight);
  Setup(ctx);
  SurfaceScene scene(state.range(0));
  scene.Compile();
  scene.SetView();
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glCallList(kList);
    glFinish();
  }
  glDeleteLists(kList, 1);
}
BENCHMARK(BM_ReplaySurface201)->ArgName("FillStyle")->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
