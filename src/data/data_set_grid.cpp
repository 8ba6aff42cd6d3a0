// Gridding of the scattered points onto the regular arrays, and the
// interpolation members the gridding uses.
//
// A surface is gridded in the coordinates of its kind: (u, v) is the node's
// place on the grid and w the surface value there.
//
//   kind                 u            v            w         point arrays
//   1 Cartesian          x            y            z         X, Y, Z
//   5 cylindrical        angle A (deg) height      radius    X = A (rad), Z, Y
//   7 spherical          angle A (deg) angle B (deg) radius  X = A, Y = B (rad), Z
//
// Every method works on these (u, v, w) sites, so that the inverse distance,
// Shepard, the radial bases and the quadratic fit all see the same surface.
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "data/data_set.h"
#include "data/matrix.h"
#include "data/nearest_point_index.h"
#include "data/parallel_for.h"
#include "data/poly_fit.h"
#include "data/radial_basis_model.h"
#include "data/shepard.h"
#include "progress_meter.h"

namespace qv {
namespace {

constexpr const char* kGridMessage =
    "Can not generate a regular data grid, please try another method.";
constexpr const char* kSolveMessage = "Can not solve the linear eqution group.";
// The radial bases solve one dense system over all points: its matrix grows
// with the square of their number and the solution with the cube. This many
// points take 450 MB and some 1.6 s on 8 cores (with a 101 x 101 grid);
// beyond it the window would wait too long and the memory run short.
constexpr std::size_t kMaxRadialPoints = 7500;
// Nodes per work item of the cheap methods: enough to make a thread worth it.
constexpr std::size_t kNodeGrain = 64;

double Radians(double degrees) { return degrees * 3.1416 / 180.0; }
double Degrees(double radians) { return radians / 3.1416 * 180.0; }

// The kind the surface gridding works in: anything but the cylindrical and
// spherical surfaces counts as Cartesian.
Long SurfaceKind(Long kind) {
  return kind == kIrregularCylindrical || kind == kIrregularSpherical ? kind : kIrregularSurface;
}

// The inverse-distance gridding uses the five nearest points, or all when
// there are fewer.
std::size_t NeighbourCount(Long points) {
  return points < 5 ? static_cast<std::size_t>(std::max(points, 0)) : 5;
}

struct SurfaceSites {
  std::vector<double> u, v, w, c;
  // The colour search of the cylindrical kind: angle in radians and height,
  // each divided by its range.
  std::vector<std::array<double, 2>> colourAt;
  std::array<double, 2> colourDivisors{1.0, 1.0};
};

struct VolumeSites {
  std::vector<std::array<double, 3>> at;
  ShepardPoints<3> shepard;
};

// One axis of the grid: node n lies at origin + n * step. A single node has
// no spacing and sits at the minimum.
struct GridAxis {
  double origin = 0.0;
  double step = 0.0;
  Long count = 0;
  double Node(Long n) const { return n * step + origin; }
};

GridAxis AxisOf(double low, double high, Long count) {
  GridAxis axis;
  axis.origin = low;
  axis.count = std::max(count, 0);
  axis.step = count > 1 ? (high - low) / (count - 1) : 0.0;
  return axis;
}

std::vector<std::array<double, 2>> Zip(const std::vector<double>& a, const std::vector<double>& b) {
  std::vector<std::array<double, 2>> out(a.size());
  for (std::size_t i = 0; i < a.size(); ++i) out[i] = {a[i], b[i]};
  return out;
}

void ShowFailure(MessageBoxService& messages, const std::string& text) {
  messages.Show(text, "", MsgIcon::None, MsgButtons::OK);
}

// A limit of this program's own, so the message says which.
std::string TooManyRadialPoints() {
  return std::string(kGridMessage) + "\nThe multiquadric and thin-plate methods grid at most " +
         std::to_string(kMaxRadialPoints) + " points.";
}

// Runs node(n) for n = 0..count-1 on the cores, telling monitor the part of
// the nodes done; once it asks to stop, the nodes left are skipped. The stop
// is asked for every kNodeGrain nodes (a load of a flag), the count shared by
// the threads moved every kReportNodes (some nodes cost a few nanoseconds).
void ForEachNode(std::size_t count, const std::function<void(std::size_t)>& node,
                 WorkMonitor& monitor) {
  constexpr std::size_t kReportNodes = 16 * kNodeGrain;
  ProgressMeter meter(&monitor, static_cast<double>(count));
  ParallelFor(count, kNodeGrain, [&](std::size_t first, std::size_t last) {
    std::size_t counted = first;
    for (std::size_t n = first; n < last; ++n) {
      node(n);
      if ((n + 1 - first) % kNodeGrain != 0) continue;
      if (n + 1 - counted == kReportNodes) {
        meter.Add(static_cast<double>(kReportNodes));
        counted = n + 1;
      }
      if (meter.Stopped()) return;
    }
    meter.Add(static_cast<double>(last - counted));
  });
}

// The part of a radial-basis gridding that its fit takes: the decomposition
// of the n x n system (far cheaper steps than kernels, hence the divisor) and
// its matrix, against a kernel per point at every node.
double FitShare(std::size_t points, std::size_t nodes) {
  const auto n = static_cast<double>(points);
  const double fit = n * n * n / 30.0 + n * n;
  const double evaluate = static_cast<double>(nodes) * n;
  return fit + evaluate > 0.0 ? fit / (fit + evaluate) : 0.0;
}

// The surface value w and colour value c at the node (u, v).
using SurfaceMethod = std::function<void(double u, double v, double& w, double& c)>;
using VolumeMethod = std::function<double(double x, double y, double z)>;

// What a method gives the node loops: the values at a node (none when no
// node can be computed), and whether the method failed all the same. A
// singular quadratic fit fails with its coefficients all 0: every node is
// still filled, with the value 0.
template <typename Method>
struct MethodOf {
  Method at;
  bool failed = false;
};

}  // namespace

class Gridder {
 public:
  static SurfaceSites Sites(const DataSet& data, Long kind);
  static VolumeSites Sites4D(const DataSet& data);
  // The surface kind of the panel, the gridding method; the messages and the
  // monitor of the work that runs them.
  static bool Surface(DataSet& data, Long kind, Long method, MessageBoxService& messages,
                      WorkMonitor& monitor);
  static bool Volume(DataSet& data, Long method, MessageBoxService& messages, WorkMonitor& monitor);

 private:
  static MethodOf<SurfaceMethod> SurfaceMethodOf(const DataSet& data, Long method, Long kind,
                                                 const SurfaceSites& sites,
                                                 MessageBoxService& messages,
                                                 WorkMonitor& fitMonitor);
  static MethodOf<VolumeMethod> VolumeMethodOf(const DataSet& data, Long method,
                                               const VolumeSites& sites,
                                               MessageBoxService& messages);
  static void StoreNode(DataSet& data, Long kind, Long i, Long j, double u, double v, double w,
                        double c);
};

SurfaceSites Gridder::Sites(const DataSet& data, Long kind) {
  SurfaceSites s;
  const Long n = std::max(data.points_, 0);
  for (Long i = 0; i < n; ++i) {
    const double x = data.irreg3DX_(i), y = data.irreg3DY_(i), z = data.irreg3DZ_(i);
    if (kind == kIrregularCylindrical) {
      s.u.push_back(Degrees(x));
      s.v.push_back(z);
      s.w.push_back(y);
      s.colourAt.push_back({x, z});
    } else if (kind == kIrregularSpherical) {
      s.u.push_back(Degrees(x));
      s.v.push_back(Degrees(y));
      s.w.push_back(z);
    } else {
      s.u.push_back(x);
      s.v.push_back(y);
      s.w.push_back(z);
    }
    s.c.push_back(data.irreg3DC_(i));
  }
  if (kind == kIrregularCylindrical) {
    s.colourDivisors = {Radians(data.maxA_) - Radians(data.minA_), data.maxZ_ - data.minZ_};
  } else {
    s.colourAt = Zip(s.u, s.v);
  }
  return s;
}

VolumeSites Gridder::Sites4D(const DataSet& data) {
  VolumeSites s;
  const Long n = std::max(data.points_, 0);
  for (Long i = 0; i < n; ++i) {
    const std::array<double, 3> p{data.irreg4DX_(i), data.irreg4DY_(i), data.irreg4DZ_(i)};
    s.at.push_back(p);
    for (std::size_t a = 0; a < 3; ++a) s.shepard.coordinates[a].push_back(p[a]);
    s.shepard.values.push_back(data.irreg4DV_(i));
  }
  return s;
}

MethodOf<SurfaceMethod> Gridder::SurfaceMethodOf(const DataSet& data, Long method, Long kind,
                                                 const SurfaceSites& sites,
                                                 MessageBoxService& messages,
                                                 WorkMonitor& fitMonitor) {
  switch (method) {
    case 1: {
      auto wIndex = std::make_shared<NearestPointIndex<2>>(Zip(sites.u, sites.v));
      auto cIndex = std::make_shared<NearestPointIndex<2>>(sites.colourAt, sites.colourDivisors);
      const std::size_t n = NeighbourCount(data.points_);
      const bool cylindrical = kind == kIrregularCylindrical;
      return {[wIndex, cIndex, n, cylindrical, &sites](double u, double v, double& w, double& c) {
        std::vector<Neighbour> nearest;
        wIndex->Nearest({u, v}, n, nearest);
        w = InverseDistanceEstimate(nearest, sites.w);
        cIndex->Nearest({cylindrical ? Radians(u) : u, v}, n, nearest);
        c = InverseDistanceEstimate(nearest, sites.c);
      }};
    }
    case 2: {
      // One pass for both: the weights depend on the positions alone.
      auto points =
          std::make_shared<ShepardPoints<2>>(ShepardPoints<2>{{sites.u, sites.v}, sites.w});
      return {[points, &sites](double u, double v, double& w, double& c) {
        const std::array<double, 2> both = ShepardAt(*points, sites.c, {u, v});
        w = both[0];
        c = both[1];
      }};
    }
    case 3:
    case 4: {
      if (sites.u.size() > kMaxRadialPoints) {
        ShowFailure(messages, TooManyRadialPoints());
        return {};
      }
      auto model = std::make_shared<RadialBasisModel>();
      const RadialKernel kernel =
          method == 3 ? RadialKernel::Multiquadric : RadialKernel::ThinPlate;
      if (!model->Fit(kernel, sites.u, sites.v, {sites.w, sites.c}, &fitMonitor)) {
        if (fitMonitor.StopRequested()) return {};  // stopped, not failed: nothing to say
        // The method's own message is all: the gridding stops before its
        // first node without one of its own.
        ShowFailure(messages, kSolveMessage);
        return {};
      }
      return {[model](double u, double v, double& w, double& c) {
        std::vector<double> out;
        model->Evaluate(u, v, out);
        w = out[0];
        c = out[1];
      }};
    }
    case 5: {
      const Long n = static_cast<Long>(sites.u.size());
      Matrix table(std::max(n, 1), 3);
      for (Long i = 0; i < n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        table(i + 1, 1) = sites.u[at];
        table(i + 1, 2) = sites.v[at];
        table(i + 1, 3) = sites.w[at];
      }
      auto fit = std::make_shared<QuadraticFit<2>>();
      const bool fitted = PolyFit3D(table, n, *fit);
      if (!fitted) ShowFailure(messages, kGridMessage);
      // A fit never made evaluates to 0, as its zero coefficients would.
      return {[fit](double u, double v, double& w, double& c) {
                w = fit->Evaluate({u, v});
                c = w;
              },
              !fitted};
    }
    default: ShowFailure(messages, kGridMessage); return {};
  }
}

void Gridder::StoreNode(DataSet& data, Long kind, Long i, Long j, double u, double v, double w,
                        double c) {
  data.reg3DC_(i, j) = c;
  if (kind == kIrregularCylindrical) {
    data.reg3DA_(i, j) = u;
    data.reg3DB_(i, j) = w;
    data.reg3DD_(i, j) = v;
    data.reg3DX_(i, j) = w * std::cos(Radians(u));
    data.reg3DY_(i, j) = w * std::sin(Radians(u));
    data.reg3DZ_(i, j) = v;
  } else if (kind == kIrregularSpherical) {
    data.reg3DA_(i, j) = u;
    data.reg3DB_(i, j) = v;
    data.reg3DD_(i, j) = w;
    data.reg3DX_(i, j) = std::sin(Radians(v)) * w * std::cos(Radians(u));
    data.reg3DY_(i, j) = std::sin(Radians(v)) * w * std::sin(Radians(u));
    data.reg3DZ_(i, j) = std::cos(Radians(v)) * w;
  } else {
    data.reg3DX_(i, j) = u;
    data.reg3DY_(i, j) = v;
    data.reg3DZ_(i, j) = w;
  }
}

bool Gridder::Surface(DataSet& data, Long panelKind, Long method, MessageBoxService& messages,
                      WorkMonitor& monitor) {
  const Long kind = SurfaceKind(panelKind);
  GridAxis au, av;
  if (kind == kIrregularCylindrical) {
    au = AxisOf(data.minA_, data.maxA_, data.stepsX_);
    av = AxisOf(data.minZ_, data.maxZ_, data.stepsY_);
  } else if (kind == kIrregularSpherical) {
    au = AxisOf(data.minA_, data.maxA_, data.stepsX_);
    av = AxisOf(data.minB_, data.maxB_, data.stepsY_);
  } else {
    au = AxisOf(data.minX_, data.maxX_, data.stepsX_);
    av = AxisOf(data.minY_, data.maxY_, data.stepsY_);
  }
  const SurfaceSites sites = Sites(data, kind);
  const auto count = static_cast<std::size_t>(au.count) * static_cast<std::size_t>(av.count);
  const double fitShare = method == 3 || method == 4 ? FitShare(sites.u.size(), count) : 0.0;
  WorkStep fitStep(&monitor, 0.0, fitShare);
  const MethodOf<SurfaceMethod> chosen =
      SurfaceMethodOf(data, method, kind, sites, messages, fitStep);
  const SurfaceMethod& at = chosen.at;
  if (!at) return false;
  WorkStep nodeStep(&monitor, fitShare, 1.0);
  const auto perRow = static_cast<std::size_t>(av.count);
  ForEachNode(
      count,
      [&](std::size_t node) {
        const auto i = static_cast<Long>(node / perRow);
        const auto j = static_cast<Long>(node % perRow);
        const double u = au.Node(i), v = av.Node(j);
        double w = 0.0, c = 0.0;
        at(u, v, w, c);
        StoreNode(data, kind, i, j, u, v, w, c);
      },
      nodeStep);
  return !chosen.failed && !monitor.StopRequested();
}

MethodOf<VolumeMethod> Gridder::VolumeMethodOf(const DataSet& data, Long method,
                                               const VolumeSites& sites,
                                               MessageBoxService& messages) {
  switch (method) {
    case 101: {
      auto index = std::make_shared<NearestPointIndex<3>>(sites.at);
      const std::size_t n = NeighbourCount(data.points_);
      return {[index, n, &sites](double x, double y, double z) {
        std::vector<Neighbour> nearest;
        index->Nearest({x, y, z}, n, nearest);
        return InverseDistanceEstimate(nearest, sites.shepard.values);
      }};
    }
    case 102:
      return {[&sites](double x, double y, double z) {
        return ShepardAt(sites.shepard, {x, y, z});
      }};
    case 103: {
      const auto n = static_cast<Long>(sites.at.size());
      Matrix table(std::max(n, 1), 4);
      for (Long i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        for (Long a = 0; a < 3; ++a) table(i + 1, a + 1) = sites.at[k][static_cast<std::size_t>(a)];
        table(i + 1, 4) = sites.shepard.values[k];
      }
      auto fit = std::make_shared<QuadraticFit<3>>();
      const bool fitted = PolyFit4D(table, n, *fit);
      if (!fitted) ShowFailure(messages, kGridMessage);
      return {[fit](double x, double y, double z) { return fit->Evaluate({x, y, z}); }, !fitted};
    }
    default: ShowFailure(messages, kGridMessage); return {};
  }
}

bool Gridder::Volume(DataSet& data, Long method, MessageBoxService& messages,
                     WorkMonitor& monitor) {
  const GridAxis ax = AxisOf(data.minX_, data.maxX_, data.stepsX_);
  const GridAxis ay = AxisOf(data.minY_, data.maxY_, data.stepsY_);
  const GridAxis az = AxisOf(data.minZ_, data.maxZ_, data.stepsZ_);
  const VolumeSites sites = Sites4D(data);
  const MethodOf<VolumeMethod> chosen = VolumeMethodOf(data, method, sites, messages);
  const VolumeMethod& at = chosen.at;
  if (!at) return false;
  const auto ny = static_cast<std::size_t>(ay.count);
  const auto nz = static_cast<std::size_t>(az.count);
  const std::size_t count = static_cast<std::size_t>(ax.count) * ny * nz;
  ForEachNode(
      count,
      [&](std::size_t node) {
        const auto i = static_cast<Long>(node / (ny * nz));
        const auto j = static_cast<Long>(node / nz % ny);
        const auto k = static_cast<Long>(node % nz);
        const double x = ax.Node(i), y = ay.Node(j), z = az.Node(k);
        const double t = at(x, y, z);
        data.reg4DX_(i, j, k) = x;
        data.reg4DY_(i, j, k) = y;
        data.reg4DZ_(i, j, k) = z;
        data.reg4DV_(i, j, k) = t;
        data.reg4DC_(i, j, k) = t;
      },
      monitor);
  return !chosen.failed && !monitor.StopRequested();
}

bool DataSet::Grid(DataContext& context) { return RunGrid(context) == WorkEnd::Done; }

WorkEnd DataSet::RunGrid(DataContext& context) {
  if (dataType_ != 2 || (dataDim_ != 1 && dataDim_ != 2)) return WorkEnd::Done;
  // Read here, on the caller's thread: the work touches only this data set.
  const Long kind = context.panel.KindIndex();
  const Long method = dataDim_ == 1 ? context.settings.GridMethod : context.settings.GridMethod4D;
  const bool surface = dataDim_ == 1;
  return context.work.Run(
      [&](WorkMonitor& monitor, MessageBoxService& messages) {
        return surface ? Gridder::Surface(*this, kind, method, messages, monitor)
                       : Gridder::Volume(*this, method, messages, monitor);
      },
      context.messages);
}

void DataSet::NDS(double x, double y, double& value, Long n, Long kind) const {
  const SurfaceSites sites = Gridder::Sites(*this, SurfaceKind(kind));
  const NearestPointIndex<2> index(Zip(sites.u, sites.v));
  std::vector<Neighbour> nearest;
  index.Nearest({x, y}, static_cast<std::size_t>(std::max(n, 0)), nearest);
  value = InverseDistanceEstimate(nearest, sites.w);
}

void DataSet::NDSC(double x, double y, double& value, Long n, Long kind) const {
  const Long k = SurfaceKind(kind);
  const SurfaceSites sites = Gridder::Sites(*this, k);
  const NearestPointIndex<2> index(sites.colourAt, sites.colourDivisors);
  std::vector<Neighbour> nearest;
  index.Nearest({k == kIrregularCylindrical ? Radians(x) : x, y},
                static_cast<std::size_t>(std::max(n, 0)), nearest);
  value = InverseDistanceEstimate(nearest, sites.c);
}

void DataSet::NDS4D(double x, double y, double z, double& value, Long n) const {
  const VolumeSites sites = Gridder::Sites4D(*this);
  const NearestPointIndex<3> index(sites.at);
  std::vector<Neighbour> nearest;
  index.Nearest({x, y, z}, static_cast<std::size_t>(std::max(n, 0)), nearest);
  value = InverseDistanceEstimate(nearest, sites.shepard.values);
}

double DataSet::Shepard(double u, double v, bool colour, Long kind) const {
  const SurfaceSites sites = Gridder::Sites(*this, SurfaceKind(kind));
  return ShepardAt(ShepardPoints<2>{{sites.u, sites.v}, colour ? sites.c : sites.w}, {u, v});
}

double DataSet::Shepard4D(double x, double y, double z) const {
  return ShepardAt(Gridder::Sites4D(*this).shepard, {x, y, z});
}

}  // namespace qv
