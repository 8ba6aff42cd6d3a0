// Cost of reading and gridding an irregular surface, per gridding method:
// the whole GetData of a panel of scattered points onto a square grid.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>

#include "data/cls_data.h"
#include "data/memory_data_panel.h"
#include "scene/shared_settings.h"

namespace {

class SilentMessages final : public qv::MessageBoxService {
 public:
  qv::MsgAnswer Show(const std::string&, const std::string&, qv::MsgIcon, qv::MsgButtons) override {
    return qv::MsgAnswer::OK;
  }
};

void ScatteredSurface(qv::MemoryDataPanel& panel, int points, int nodes) {
  panel.SetKindIndex(qv::kIrregularSurface);
  const std::string side = std::to_string(nodes);
  const char* boxes[] = {"0", "1", "", "", "0", "1", ""};
  for (int b = 0; b < 7; ++b) panel.SetText(b + 1, boxes[b]);
  panel.SetText(3, std::to_string(points));
  panel.SetText(4, side);
  panel.SetText(7, side);
  std::mt19937 random(42);
  for (int n = 0; n < points; ++n) {
    const double x = random() / 4294967296.0, y = random() / 4294967296.0;
    const double z = std::sin(6 * x) * std::cos(4 * y);
    panel.SetRow(n + 1, {qv::FormatDouble(x), qv::FormatDouble(y), qv::FormatDouble(z),
                         qv::FormatDouble(x * y)});
  }
}

// Arguments: method, points, nodes per axis.
void BM_GridSurface(benchmark::State& state) {
  qv::MemoryDataPanel panel;
  ScatteredSurface(panel, static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
  qv::SharedSettings settings;
  settings.GridMethod = static_cast<qv::Long>(state.range(0));
  SilentMessages messages;
  qv::NullEventPump pump;
  qv::DataContext context{panel, settings, messages, pump};
  for (auto _ : state) {
    qv::ClsData data;
    if (!data.GetData(context)) state.SkipWithError("gridding failed");
    benchmark::DoNotOptimize(data.Reg3DZ(0, 0));
  }
}
BENCHMARK(BM_GridSurface)
    ->ArgNames({"method", "points", "nodes"})
    ->ArgsProduct({{1, 2, 3, 4, 5}, {1000}, {100}})
    ->Args({4, 2000, 100})
    ->Args({1, 20000, 200})
    ->Unit(benchmark::kMillisecond);

}  // namespace
