// Costs of the iso-surface of a 101 x 101 x 101 volume (the distance from a
// point off the centre, a sphere of radius 40 nodes at the level): the
// polygonising alone, on one core, with the surfacer and the mesh kept from
// one run to the next; the drawer compiled into a display list on OSMesa;
// and the graph's whole Draw so compiled.
// Items are the volume's nodes (voxels).
#include <GL/gl.h>

#include <cmath>

#include <benchmark/benchmark.h>

#include "drawers.h"
#include "graphs/graph.h"
#include "graphs/workspace.h"
#include "iso_surface.h"
#include "platform/osmesa/offscreen_context.h"
#include "scene/light.h"

namespace {

constexpr qv::Long kNodes = 101;
constexpr double kRadius = 40.0;
constexpr GLuint kList = 900;

double SphereValue(qv::Long i, qv::Long j, qv::Long k) {
  const double x = i - 50.3, y = j - 49.6, z = k - 50.1;
  return std::sqrt(x * x + y * y + z * z);
}

// The volume as the data set holds it, in the data set's arrays.
struct SphereVolume {
  SphereVolume() {
    qv::DataSet& d = ws.dataSet;
    d.RedimRegular4D(kNodes - 1, kNodes - 1, kNodes - 1);
    d.StepsX(kNodes);
    d.StepsY(kNodes);
    d.StepsZ(kNodes);
    for (qv::Long i = 0; i < kNodes; ++i) {
      for (qv::Long j = 0; j < kNodes; ++j) {
        for (qv::Long k = 0; k < kNodes; ++k) {
          d.Reg4DX(i, j, k, 0.1 * i);
          d.Reg4DY(i, j, k, 0.1 * j);
          d.Reg4DZ(i, j, k, 0.1 * k);
          d.Reg4DV(i, j, k, SphereValue(i, j, k));
        }
      }
    }
    d.MInv(0.0);
    d.MaxV(90.0);
    graph.GraphType = qv::kIsoSurface4D;
    graph.StepU = graph.StepV = graph.StepH = kNodes - 1;
    graph.IsoSurValue = kRadius;
    graph.ColorName = "RAINBOW";
    ws.settings.CenterX = ws.settings.CenterY = ws.settings.CenterZ = 5.0;
  }

  qv::Workspace ws;
  qv::Graph graph;
};

constexpr double kVoxels = static_cast<double>(kNodes * kNodes * kNodes);

void BM_PolygoniseSphere101(benchmark::State& state) {
  SphereVolume scene;
  const std::optional<qv::IsoVolume> volume =
      qv::RegularVolumeOf(scene.ws.dataSet, kNodes - 1, kNodes - 1, kNodes - 1);
  if (!volume) {
    state.SkipWithError("no volume");
    return;
  }
  qv::IsoSurfacer surfacer;
  qv::IsoMesh mesh;
  for (auto _ : state) {
    surfacer.Polygonise(*volume, kRadius, mesh);
    benchmark::DoNotOptimize(mesh.triangles.data());
  }
  state.counters["triangles"] = static_cast<double>(mesh.TriangleCount());
  state.counters["voxels/s"] =
      benchmark::Counter(kVoxels, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PolygoniseSphere101)->Unit(benchmark::kMillisecond);

// The iso-surface drawer compiled into a display list: polygonising, the
// colour, the vertices in scene axes and their emission.
void BM_DrawIsoSurfaceIntoList(benchmark::State& state) {
  qv::OffscreenContext context(400, 400);
  SphereVolume scene;
  qv::Light light;
  light.SetLight();
  const qv::DrawContext drawContext = scene.ws.Context();
  const qv::GraphBounds bounds{};
  for (auto _ : state) {
    glNewList(kList, GL_COMPILE);
    qv::DrawIsoSurface(scene.graph, drawContext, bounds);
    glEndList();
  }
  glFinish();
  glDeleteLists(kList, 1);
  state.counters["voxels/s"] =
      benchmark::Counter(kVoxels, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_DrawIsoSurfaceIntoList)->Unit(benchmark::kMillisecond);

// The same through the graph's Draw, as a scene build runs it: with the
// dispatcher's set-up, which bounds the whole volume first.
void BM_GraphDrawIntoList(benchmark::State& state) {
  qv::OffscreenContext context(400, 400);
  SphereVolume scene;
  qv::Light light;
  light.SetLight();
  for (auto _ : state) {
    glNewList(kList, GL_COMPILE);
    scene.graph.Draw(scene.ws.Context());
    glEndList();
  }
  glFinish();
  glDeleteLists(kList, 1);
}
BENCHMARK(BM_GraphDrawIntoList)->Unit(benchmark::kMillisecond);

}  // namespace
