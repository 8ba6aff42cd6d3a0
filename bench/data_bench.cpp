// The building blocks of the gridding and of the Delaunay graph, called the
// way the gridding driver calls them: one model or index per gridding, then
// every node of a 101 x 101 grid on the cores.
#include <benchmark/benchmark.h>
#include <cblas.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "data/data_set.h"
#include "data/delaunay.h"
#include "data/matrix.h"
#include "data/memory_data_panel.h"
#include "data/nearest_point_index.h"
#include "data/parallel_for.h"
#include "data/poly_fit.h"
#include "data/radial_basis_model.h"
#include "data/shepard.h"
#include "platform/long_work.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "platform/shared_settings.h"
#include "silent_messages.h"

// LAPACK's Fortran entry points, for the reference solve.
extern "C" {
void dgetrf_(const int* m, const int* n, double* a, const int* lda, int* ipiv, int* info);
void dgetrs_(const char* trans, const int* n, const int* nrhs, const double* a, const int* lda,
             const int* ipiv, double* b, const int* ldb, int* info, std::size_t transLength);
}

namespace qv {
namespace {

constexpr int kNodes = 101;
constexpr double kSide = 100.0;

struct Scatter {
  std::vector<double> x, y, z, c;
};

Scatter MakeScatter(std::size_t n) {
  std::mt19937 random(12345);
  std::uniform_real_distribution<double> unit(0.0, kSide);
  Scatter s;
  for (std::size_t i = 0; i < n; ++i) {
    const double x = unit(random), y = unit(random);
    s.x.push_back(x);
    s.y.push_back(y);
    s.z.push_back(std::sin(x / 9) * std::cos(y / 13) * 10 + 0.01 * x * y);
    s.c.push_back(x - y);
  }
  return s;
}

// Every node of the grid over the scatter's square, on the cores, as the driver runs them.
template <typename Node>
void ForEachNode(const Node& node) {
  const double step = kSide / (kNodes - 1);
  ParallelFor(kNodes * kNodes, 16, [&](std::size_t first, std::size_t last) {
    for (std::size_t n = first; n < last; ++n) {
      const auto i = static_cast<double>(n / kNodes), j = static_cast<double>(n % kNodes);
      node(n, i * step, j * step);
    }
  });
}

// Random points over a square.
void BM_DelaunayTriangulate(benchmark::State& state) {
  const Scatter s = MakeScatter(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    DelaunayResult r = TriangulatePoints(s.x.data(), s.y.data(), s.x.size());
    benchmark::DoNotOptimize(r.triangles.data());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DelaunayTriangulate)
    ->Arg(20000)
    ->Arg(1000000)
    ->Arg(4000000)
    ->Unit(benchmark::kMillisecond);
// The growth with the number of points, against n log n.
BENCHMARK(BM_DelaunayTriangulate)
    ->Name("BM_DelaunayGrowth")
    ->RangeMultiplier(8)
    ->Range(1 << 12, 1 << 21)
    ->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMillisecond);

// A regular lattice of side x side points, step / 10 apart: every quad's
// corners are cocircular, and with a step of 0.1 the rounded coordinates
// make near-ties as well, the predicates' exact path.
void BM_DelaunayLattice(benchmark::State& state) {
  const auto side = static_cast<int>(state.range(0));
  const double step = static_cast<double>(state.range(1)) / 10;
  std::vector<double> x, y;
  for (int i = 0; i < side; ++i) {
    for (int j = 0; j < side; ++j) {
      x.push_back(i * step);
      y.push_back(j * step);
    }
  }
  for (auto _ : state) {
    DelaunayResult r = TriangulatePoints(x.data(), y.data(), x.size());
    benchmark::DoNotOptimize(r.triangles.data());
  }
  state.SetComplexityN(static_cast<std::int64_t>(side) * side);
}
BENCHMARK(BM_DelaunayLattice)
    ->ArgNames({"side", "step10"})
    ->Args({141, 1})
    ->Args({300, 1})
    ->Args({300, 10})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DelaunayLattice)
    ->Name("BM_DelaunayLatticeGrowth")
    ->ArgNames({"side", "step10"})
    ->ArgsProduct({{64, 128, 256, 512, 1024}, {1}})
    ->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMillisecond);

// Method 1: the surface value and the colour value from the 5 nearest points.
void BM_NearestPointsGrid(benchmark::State& state) {
  const Scatter s = MakeScatter(static_cast<std::size_t>(state.range(0)));
  std::vector<std::array<double, 2>> at(s.x.size());
  for (std::size_t i = 0; i < at.size(); ++i) at[i] = {s.x[i], s.y[i]};
  std::vector<double> w(kNodes * kNodes), c(kNodes * kNodes);
  for (auto _ : state) {
    const NearestPointIndex<2> wIndex(at);
    const NearestPointIndex<2> cIndex(at);
    ForEachNode([&](std::size_t n, double u, double v) {
      thread_local std::vector<Neighbour> nearest;
      wIndex.Nearest({u, v}, 5, nearest);
      w[n] = InverseDistanceEstimate(nearest, s.z);
      cIndex.Nearest({u, v}, 5, nearest);
      c[n] = InverseDistanceEstimate(nearest, s.c);
    });
    benchmark::DoNotOptimize(w.data());
  }
}
BENCHMARK(BM_NearestPointsGrid)->Arg(20000)->Unit(benchmark::kMillisecond);

// Method 2: every point weighs in at every node, for w and c at once.
void BM_ShepardGrid(benchmark::State& state) {
  const Scatter s = MakeScatter(static_cast<std::size_t>(state.range(0)));
  const ShepardPoints<2> points{{s.x, s.y}, s.z};
  std::vector<double> w(kNodes * kNodes), c(kNodes * kNodes);
  for (auto _ : state) {
    ForEachNode([&](std::size_t n, double u, double v) {
      const std::array<double, 2> both = ShepardAt(points, s.c, {u, v});
      w[n] = both[0];
      c[n] = both[1];
    });
    benchmark::DoNotOptimize(w.data());
  }
}
BENCHMARK(BM_ShepardGrid)->Arg(20000)->Unit(benchmark::kMillisecond);

// Methods 3 and 4: one solve of the dense system, then a sum over the points per node.
void RadialGrid(benchmark::State& state, RadialKernel kernel) {
  const Scatter s = MakeScatter(static_cast<std::size_t>(state.range(0)));
  std::vector<double> w(kNodes * kNodes), c(kNodes * kNodes);
  for (auto _ : state) {
    RadialBasisModel model;
    if (!model.Fit(kernel, s.x, s.y, {s.z, s.c})) state.SkipWithError("singular");
    ForEachNode([&](std::size_t n, double u, double v) {
      thread_local std::vector<double> out;
      model.Evaluate(u, v, out);
      w[n] = out[0];
      c[n] = out[1];
    });
    benchmark::DoNotOptimize(w.data());
  }
}
void BM_MultiquadricGrid(benchmark::State& state) { RadialGrid(state, RadialKernel::Multiquadric); }
void BM_ThinPlateGrid(benchmark::State& state) { RadialGrid(state, RadialKernel::ThinPlate); }
BENCHMARK(BM_MultiquadricGrid)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThinPlateGrid)->Arg(2000)->Unit(benchmark::kMillisecond);

// The radial fits alone, against one LAPACK LU decomposition and solve
// (dgetrf + dgetrs) of the same system, a fresh copy each time, on as many
// OpenBLAS threads as the fit may use: the fit, which also builds the
// matrix, should take no longer. Run it on fewer cores with taskset.
// The counter error is the largest miss of the last fit at the points.
void RadialFit(benchmark::State& state, RadialKernel kernel) {
  const Scatter s = MakeScatter(static_cast<std::size_t>(state.range(0)));
  RadialBasisModel model;
  for (auto _ : state) {
    model = RadialBasisModel();
    if (!model.Fit(kernel, s.x, s.y, {s.z, s.c})) state.SkipWithError("singular");
    benchmark::DoNotOptimize(model.SetCount());
  }
  double error = 0.0;
  std::vector<double> out;
  for (std::size_t i = 0; i < s.x.size(); ++i) {
    model.Evaluate(s.x[i], s.y[i], out);
    error = std::max({error, std::fabs(out[0] - s.z[i]), std::fabs(out[1] - s.c[i])});
  }
  state.counters["error"] = error;
}
void RadialSolveReference(benchmark::State& state, RadialKernel kernel) {
  const Scatter s = MakeScatter(static_cast<std::size_t>(state.range(0)));
  const std::vector<double> system = RadialBasisModel::System(kernel, s.x, s.y);
  const int size = static_cast<int>(std::lround(std::sqrt(static_cast<double>(system.size()))));
  const auto rows = static_cast<std::size_t>(size);
  std::vector<double> a(system.size()), b(2 * rows);
  std::vector<int> pivots(rows);
  const int previous = openblas_get_num_threads();
  openblas_set_num_threads(static_cast<int>(WorkerCount(rows)));
  for (auto _ : state) {
    state.PauseTiming();
    a = system;
    std::copy(s.z.begin(), s.z.end(), b.begin());
    std::copy(s.c.begin(), s.c.end(), b.begin() + static_cast<std::ptrdiff_t>(rows));
    state.ResumeTiming();
    int info = 0;
    const int sets = 2;
    dgetrf_(&size, &size, a.data(), &size, pivots.data(), &info);
    if (info == 0)
      dgetrs_("T", &size, &sets, a.data(), &size, pivots.data(), b.data(), &size, &info, 1);
    if (info != 0) state.SkipWithError("singular");
    benchmark::DoNotOptimize(b.data());
  }
  openblas_set_num_threads(previous);
}
void BM_MultiquadricFit(benchmark::State& state) { RadialFit(state, RadialKernel::Multiquadric); }
void BM_ThinPlateFit(benchmark::State& state) { RadialFit(state, RadialKernel::ThinPlate); }
void BM_MultiquadricSolveReference(benchmark::State& state) {
  RadialSolveReference(state, RadialKernel::Multiquadric);
}
void BM_ThinPlateSolveReference(benchmark::State& state) {
  RadialSolveReference(state, RadialKernel::ThinPlate);
}
BENCHMARK(BM_MultiquadricFit)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MultiquadricSolveReference)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ThinPlateFit)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ThinPlateSolveReference)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Method 5: the fit alone (its nodes are a polynomial each).
void BM_QuadraticFit(benchmark::State& state) {
  const Scatter s = MakeScatter(static_cast<std::size_t>(state.range(0)));
  const auto n = static_cast<Long>(s.x.size());
  Matrix table(n, 3);
  for (Long i = 1; i <= n; ++i) {
    const auto at = static_cast<std::size_t>(i - 1);
    table(i, 1) = s.x[at];
    table(i, 2) = s.y[at];
    table(i, 3) = s.z[at];
  }
  for (auto _ : state) {
    QuadraticFit<2> fit;
    if (!PolyFit3D(table, n, fit)) state.SkipWithError("singular");
    benchmark::DoNotOptimize(fit.beta.data());
  }
}
BENCHMARK(BM_QuadraticFit)->Arg(20000)->Unit(benchmark::kMillisecond);

// The gridding driver itself: DataSet::Grid over an irregular Cartesian
// surface loaded through the panel, 101 x 101 nodes, by each method.
class LoadedSurface {
 public:
  // n points onto nodes x nodes.
  explicit LoadedSurface(std::size_t n, int nodes = kNodes) {
    const Scatter s = MakeScatter(n);
    panel_.SetKindIndex(kIrregularSurface);
    panel_.SetText(3, std::to_string(n));
    for (int box : {4, 7}) panel_.SetText(box, std::to_string(nodes));
    for (int box : {1, 5}) panel_.SetText(box, "0");
    for (int box : {2, 6}) panel_.SetText(box, FormatDouble(kSide));
    double low = s.z[0], high = s.z[0];
    for (std::size_t i = 0; i < n; ++i) {
      panel_.SetRow(static_cast<Long>(i + 1), {FormatDouble(s.x[i]), FormatDouble(s.y[i]),
                                               FormatDouble(s.z[i]), FormatDouble(s.c[i])});
      low = std::min(low, s.z[i]);
      high = std::max(high, s.z[i]);
    }
    // Custom ratios that make every drawing scale 1, so that the normalised
    // points stay where the grid's bounds expect them.
    settings_.ScaleMode = 3;
    settings_.ScaleRatioX = settings_.ScaleRatioY = kSide / 10;
    settings_.ScaleRatioZ = (high - low) / 10;
    settings_.GridMethod = 5;
    loaded_ = data_.GetData(context_);
  }
  bool Loaded() const { return loaded_; }
  bool Grid(Long method) {
    settings_.GridMethod = method;
    return data_.Grid(context_);
  }
  const DataSet& Data() const { return data_; }

 protected:
  LoadedSurface() = default;

  MemoryDataPanel panel_;
  SharedSettings settings_;
  bench::SilentMessages messages_;
  ImmediateWorkRunner work_;
  DataContext context_{panel_, settings_, messages_, work_};
  DataSet data_;
  bool loaded_ = false;
};

// n points of a volume in the cube of side kSide onto nodes^3 nodes.
class LoadedVolume : public LoadedSurface {
 public:
  LoadedVolume(std::size_t n, int nodes) {
    std::mt19937 random(777);
    std::uniform_real_distribution<double> unit(0.0, kSide);
    panel_.SetKindIndex(kIrregularVolume);
    const std::string side = FormatDouble(kSide), count = std::to_string(nodes);
    const std::string boxes[] = {"0",  side, std::to_string(n), count, "0", side, count, "0",
                                 side, count};
    for (int b = 0; b < 10; ++b) panel_.SetText(b + 1, boxes[b]);
    for (std::size_t i = 0; i < n; ++i) {
      const double x = unit(random), y = unit(random), z = unit(random);
      const double v = std::sin(x / 9) * std::cos(y / 13) + 0.01 * z;
      panel_.SetRow(static_cast<Long>(i + 1),
                    {FormatDouble(x), FormatDouble(y), FormatDouble(z), FormatDouble(v)});
    }
    settings_.ScaleMode = 3;
    settings_.ScaleRatioX = settings_.ScaleRatioY = settings_.ScaleRatioZ = kSide / 10;
    settings_.GridMethod4D = 103;
    loaded_ = data_.GetData(context_);
  }
  bool Grid(Long method) {
    settings_.GridMethod4D = method;
    return data_.Grid(context_);
  }
};

// The peak memory of the process since the last ResetPeakMemory, in MiB
// (Linux: /proc/self/status VmHWM).
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }
double PeakMemoryMiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024;
  }
  return 0.0;
}

void BM_DataSetGrid(benchmark::State& state) {
  LoadedSurface surface(static_cast<std::size_t>(state.range(1)));
  if (!surface.Loaded()) state.SkipWithError("the data set did not load");
  const auto method = static_cast<Long>(state.range(0));
  ResetPeakMemory();
  for (auto _ : state) {
    if (!surface.Grid(method)) state.SkipWithError("gridding failed");
    benchmark::DoNotOptimize(surface.Data().Reg3DZ(50, 50));
  }
  state.counters["peak_MiB"] = PeakMemoryMiB();
}
BENCHMARK(BM_DataSetGrid)
    ->ArgNames({"method", "points"})
    ->Args({1, 20000})
    ->Args({2, 20000})
    ->Args({3, 2000})
    ->Args({4, 2000})
    ->Args({5, 20000})
    ->Unit(benchmark::kMillisecond);
// The point limit of the radial bases: the fit and the 101 x 101 nodes in
// 2 s and 512 MB.
BENCHMARK(BM_DataSetGrid)
    ->Name("BM_RadialPointLimit")
    ->ArgNames({"method", "points"})
    ->ArgsProduct({{3, 4}, {4000, 6000, 7500}})
    ->Unit(benchmark::kMillisecond);

// The large grids: up to 20000 points onto a million nodes, by every method
// but the radial bases. Arguments: method, points, nodes per axis.
void BM_LargeSurfaceGrid(benchmark::State& state) {
  LoadedSurface surface(static_cast<std::size_t>(state.range(1)), static_cast<int>(state.range(2)));
  if (!surface.Loaded()) state.SkipWithError("the data set did not load");
  for (auto _ : state) {
    if (!surface.Grid(static_cast<Long>(state.range(0)))) state.SkipWithError("gridding failed");
    benchmark::DoNotOptimize(surface.Data().Reg3DZ(50, 50));
  }
}
BENCHMARK(BM_LargeSurfaceGrid)
    ->ArgNames({"method", "points", "nodes"})
    ->ArgsProduct({{1, 2, 5}, {20000}, {1000}})
    ->Unit(benchmark::kMillisecond);

void BM_LargeVolumeGrid(benchmark::State& state) {
  LoadedVolume volume(static_cast<std::size_t>(state.range(1)), static_cast<int>(state.range(2)));
  if (!volume.Loaded()) state.SkipWithError("the data set did not load");
  for (auto _ : state) {
    if (!volume.Grid(static_cast<Long>(state.range(0)))) state.SkipWithError("gridding failed");
    benchmark::DoNotOptimize(volume.Data().Reg4DV(50, 50, 50));
  }
}
BENCHMARK(BM_LargeVolumeGrid)
    ->ArgNames({"method", "points", "nodes"})
    ->ArgsProduct({{101, 102, 103}, {20000}, {100}})
    ->Unit(benchmark::kMillisecond);

// The whole GetData of a panel of scattered points onto a square grid, per
// gridding method: reading the sheet, gridding and normalising.
void ScatteredSurface(MemoryDataPanel& panel, int points, int nodes) {
  panel.SetKindIndex(kIrregularSurface);
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
    panel.SetRow(n + 1, {FormatDouble(x), FormatDouble(y), FormatDouble(z), FormatDouble(x * y)});
  }
}

// Arguments: method, points, nodes per axis.
void BM_GetDataGridded(benchmark::State& state) {
  MemoryDataPanel panel;
  ScatteredSurface(panel, static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
  SharedSettings settings;
  settings.GridMethod = static_cast<Long>(state.range(0));
  bench::SilentMessages messages;
  ImmediateWorkRunner work;
  DataContext context{panel, settings, messages, work};
  for (auto _ : state) {
    DataSet data;
    if (!data.GetData(context)) state.SkipWithError("gridding failed");
    benchmark::DoNotOptimize(data.Reg3DZ(0, 0));
  }
}
BENCHMARK(BM_GetDataGridded)
    ->ArgNames({"method", "points", "nodes"})
    ->ArgsProduct({{1, 2, 3, 4, 5}, {1000}, {100}})
    ->Args({4, 2000, 100})
    ->Args({1, 20000, 200})
    ->ArgsProduct({{1, 2, 5}, {20000}, {1000}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
