// Costs of contour lines on large grids: a contour plot of n x n nodes with
// a given number of levels compiled into the scene's display list offscreen
// (what every scene build pays), and the tracer alone into a sink that keeps
// nothing. Targets: 500 x 500 with 100 levels within 100 ms, 1000 x 1000
// with 20 levels within 200 ms, both with the list.
#include <GL/gl.h>

#include <cmath>
#include <vector>

#include <benchmark/benchmark.h>

#include "contour_tracer.h"
#include "graphs/graph.h"
#include "graphs/workspace.h"
#include "platform/osmesa/offscreen_context.h"

namespace {

constexpr GLuint kList = 900;

// Hills and pits, three periods across the grid each way, with heights 0 ..
// levels + 0.5, so that a step of 1 gives `levels` levels of closed and
// open lines.
double Height(qv::Long i, qv::Long j, qv::Long n, qv::Long levels) {
  const double k = 6.0 * 3.14159265358979 / static_cast<double>(n);
  return (static_cast<double>(levels) + 0.5) * (0.5 + 0.5 * std::sin(k * i) * std::cos(k * j));
}

struct ContourScene {
  ContourScene(qv::Long n, qv::Long levels) {
    qv::DataSet& d = ws.dataSet;
    d.RedimRegular3D(n - 1, n - 1);
    d.StepsX(n);
    d.StepsY(n);
    for (qv::Long i = 0; i < n; ++i) {
      for (qv::Long j = 0; j < n; ++j) {
        d.Reg3DX(i, j, 10.0 * i / (n - 1));
        d.Reg3DY(i, j, 10.0 * j / (n - 1));
        d.Reg3DZ(i, j, Height(i, j, n, levels));
        d.Reg3DC(i, j, Height(i, j, n, levels));
      }
    }
    ws.settings.ViewCode = qv::kViewCode2D;
    graph.GraphType = qv::kContourPlot;
    graph.StepU = graph.StepV = n - 1;
    graph.ContourLevels = 1.0;
    graph.ConFillType = 5;
    graph.ColorName = "RAINBOW";
  }
  qv::Workspace ws;
  qv::Graph graph;
};

void BM_ContourPlotIntoDisplayList(benchmark::State& state) {
  qv::OffscreenContext ctx(256, 256);
  ContourScene scene(state.range(0), state.range(1));
  for (auto _ : state) {
    glNewList(kList, GL_COMPILE);
    scene.graph.Draw(scene.ws.Context());
    glEndList();
    glFinish();
  }
  glDeleteLists(kList, 1);
}
BENCHMARK(BM_ContourPlotIntoDisplayList)
    ->ArgNames({"nodes", "levels"})
    ->Args({500, 100})
    ->Args({1000, 20})
    ->Unit(benchmark::kMillisecond);

class NullSink final : public qv::ContourSink {
 public:
  void BeginLevel(double, const std::optional<qv::Rgb>&) override {}
  void BeginLine() override { ++lines; }
  void Vertex(const qv::ScenePoint& p) override {
    benchmark::DoNotOptimize(p);
    ++vertices;
  }
  void EndLine() override {}
  double lines = 0, vertices = 0;
};

class IndexPlacer final : public qv::ContourPlacer {
 public:
  qv::ScenePoint Place(const qv::ContourEdge& e, double f) const override {
    return {e.i + (e.alongFirst ? f : 0.0), e.j + (e.alongFirst ? 0.0 : f), 0.0};
  }
};

void BM_ContourTracer(benchmark::State& state) {
  const qv::Long n = state.range(0), levels = state.range(1);
  std::vector<double> values;
  for (qv::Long i = 0; i < n; ++i) {
    for (qv::Long j = 0; j < n; ++j) values.push_back(Height(i, j, n, levels));
  }
  NullSink sink;
  for (auto _ : state) {
    sink = NullSink();
    qv::ContourTracer tracer(n, n, values, 1.0);
    tracer.Trace(IndexPlacer(), {}, sink);
  }
  state.counters["lines"] = sink.lines;
  state.counters["vertices"] = sink.vertices;
}
BENCHMARK(BM_ContourTracer)
    ->ArgNames({"nodes", "levels"})
    ->Args({500, 100})
    ->Args({1000, 20})
    ->Unit(benchmark::kMillisecond);

}  // namespace
