// Costs of the scene pieces that run on every scene build (the axis system is
// drawn once per anti-aliasing pass) and once at start-up (the fonts).
#include <GL/gl.h>

#include <benchmark/benchmark.h>

#include "platform/message_box.h"
#include "platform/osmesa/offscreen_context.h"
#include "scene/axis_system.h"
#include "scene/camera.h"
#include "scene/scene_fonts.h"
#include "scene/trackball.h"
#include "silent_messages.h"

namespace {

void BM_CreateSceneFonts(benchmark::State& state) {
  qv::OffscreenContext ctx(64, 64);
  qv::bench::SilentMessages messages;
  for (auto _ : state) {
    qv::SharedSettings settings;
    qv::CreateSceneFonts(settings, messages);
    qv::DeleteSceneFonts(settings);
  }
}
BENCHMARK(BM_CreateSceneFonts)->Unit(benchmark::kMillisecond);

// One full axis system with panels, grids and outline labels, as one pass.
void BM_AxisSystemDraw(benchmark::State& state) {
  qv::OffscreenContext ctx(256, 256);
  qv::bench::SilentMessages messages;
  qv::SharedSettings settings;
  qv::CreateSceneFonts(settings, messages);
  qv::AxisSystem axis;
  axis.SetDefault();
  axis.ShowXYPanel = axis.ShowXZPanel = axis.ShowYZPanel = true;
  qv::Camera camera;
  const qv::Box box{-5, 5, -5, 5, -5, 5};
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    camera.Projection(0, 0, box);
    axis.Draw(2, box, settings);
    glFinish();
  }
}
BENCHMARK(BM_AxisSystemDraw)->Unit(benchmark::kMillisecond);

void BM_TrackballStep(benchmark::State& state) {
  qv::Vec4 cur{0, 0, 0, 1}, step{};
  double x = 0.0;
  for (auto _ : state) {
    qv::Trackball(step, x, 0.1, x + 0.01, 0.12, 1);
    qv::AddQuats(step, cur, cur);
    x = x > 0.5 ? 0.0 : x + 0.001;
    benchmark::DoNotOptimize(cur);
  }
}
BENCHMARK(BM_TrackballStep);

}  // namespace
