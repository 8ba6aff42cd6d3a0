#include "contour_tracer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace qv {

namespace {

// A node this close to a level is raised by kNudgeRaise (both times the
// step when it is below 1, so that small values are not moved across levels).
constexpr double kNudgeReach = 1e-4;
constexpr double kNudgeRaise = 1e-5;
// Rounds of widening before giving up on a step (each at least doubles it).
constexpr int kWideningRounds = 64;
// The interior pass passes over the runs of this many edges of a row that
// lie wholly on one side of the level.
constexpr Long kScanBlock = 16;

// The strict test of a crossing: a level equal to a node's value crosses
// neither edge at that node, which the raise of the nodes prevents.
// A node that is not finite crosses nothing (a - b is finite only when both
// are).
bool Straddles(double a, double b, double level) {
  if (!((a < level && level < b) || (a > level && level > b))) return false;
  return std::isfinite(a - b);
}

}  // namespace

ContourLevels ContourLevelsOf(double min, double max, double step) {
  if (!(step > 0.0) || !std::isfinite(step) || !std::isfinite(min) || !std::isfinite(max) ||
      max < min) {
    return {};
  }
  const double cap = static_cast<double>(kMaxContourLevels);
  for (int round = 0; round < kWideningRounds; ++round) {
    const double lo = std::floor(min / step) + 1.0;
    const double hi = std::floor(max / step);
    const double count = hi - lo + 1.0;
    if (!std::isfinite(count)) {
      // The step is so small that the multiples overflow: start from a
      // step that gives about the cap over the values' magnitude.
      step = std::max(std::fabs(min), std::fabs(max)) / cap;
      continue;
    }
    if (count < 1.0) return {};
    if (count <= cap) return {lo, step, static_cast<Long>(count)};
    step *= std::ceil(count / cap);
  }
  return {};
}

std::optional<Rgb> ContourLevelColor(const ContourColoring& coloring, const ContourLevels& levels,
                                     Long k) {
  const double range = levels.Last() - levels.First();
  const double level = levels.At(k);
  switch (coloring.mode) {
    case kContourSingle: return SplitColor(coloring.color2);
    case kContourBlend: {
      const Rgb c1 = SplitColor(coloring.color1);
      const Rgb c2 = SplitColor(coloring.color2);
      const double t = range > 0.0 ? (level - levels.First()) / range : 0.0;
      return Rgb{c2.r + (c1.r - c2.r) * t, c2.g + (c1.g - c2.g) * t, c2.b + (c1.b - c2.b) * t};
    }
    case kContourMap:
      if (!(range > 0.0)) return Rgb{0.0, 0.0, 1.0};
      return LookupColor(coloring.map, MapScale(level, levels.First(), range));
    default: return std::nullopt;
  }
}

ContourTracer::ContourTracer(Long nx, Long ny, std::vector<double> values, double step) {
  if (nx < 2 || ny < 2 ||
      values.size() != static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny)) {
    return;
  }
  nx_ = nx;
  ny_ = ny;
  values_ = std::move(values);
  double lo = INFINITY, hi = -INFINITY;
  for (const double v : values_) {
    if (!std::isfinite(v)) continue;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  levels_ = ContourLevelsOf(lo, hi, step);
  RaiseNodesNearLevels();
  ComputeRunRanges();
  drawnI_.assign(values_.size(), 0);
  drawnJ_.assign(values_.size(), 0);
  maxSteps_ = 2 * nx_ * ny_;
}

void ContourTracer::RaiseNodesNearLevels() {
  if (levels_.count == 0) return;
  const double scale = std::min(levels_.step, 1.0);
  const double reach = kNudgeReach * scale;
  const double raise = kNudgeRaise * scale;
  const double count = static_cast<double>(levels_.count);
  for (double& v : values_) {
    if (!std::isfinite(v)) continue;
    // The levels within reach, lowest first; v only grows, so a level below
    // it out of reach stays out.
    const double first =
        std::clamp(std::floor((v - reach) / levels_.step - levels_.firstMultiple), 0.0, count);
    for (auto k = static_cast<Long>(first); k < levels_.count; ++k) {
      const double level = levels_.At(k);
      if (level >= v + reach) break;
      if (std::fabs(v - level) < reach) v += raise;
    }
  }
}

void ContourTracer::ComputeRunRanges() {
  blocks_ = (ny_ - 1 + kScanBlock - 1) / kScanBlock;
  const auto count = static_cast<std::size_t>(nx_) * static_cast<std::size_t>(blocks_);
  blockMin_.assign(count, INFINITY);
  blockMax_.assign(count, -INFINITY);
  for (Long i = 0; i < nx_; ++i) {
    for (Long b = 0; b < blocks_; ++b) {
      const std::size_t at = static_cast<std::size_t>(i * blocks_ + b);
      const Long j1 = std::min((b + 1) * kScanBlock, ny_ - 1);
      for (Long j = b * kScanBlock; j <= j1; ++j) {
        const double v = values_[Node(i, j)];
        if (v < blockMin_[at]) blockMin_[at] = v;
        if (v > blockMax_[at]) blockMax_[at] = v;
      }
    }
  }
}

std::size_t ContourTracer::Node(Long i, Long j) const {
  return static_cast<std::size_t>(i) * static_cast<std::size_t>(ny_) + static_cast<std::size_t>(j);
}

std::size_t ContourTracer::From(const ContourEdge& edge) const { return Node(edge.i, edge.j); }

std::size_t ContourTracer::To(const ContourEdge& edge) const {
  return edge.alongFirst ? Node(edge.i + 1, edge.j) : Node(edge.i, edge.j + 1);
}

std::uint16_t& ContourTracer::Drawn(const ContourEdge& edge) {
  return (edge.alongFirst ? drawnI_ : drawnJ_)[From(edge)];
}

std::uint16_t ContourTracer::Drawn(const ContourEdge& edge) const {
  return (edge.alongFirst ? drawnI_ : drawnJ_)[From(edge)];
}

bool ContourTracer::Open(const ContourEdge& edge, double level, std::uint16_t mark) const {
  return Drawn(edge) != mark && Straddles(values_[From(edge)], values_[To(edge)], level);
}

bool ContourTracer::OnBorder(const ContourEdge& edge) const {
  return edge.alongFirst ? edge.j == 0 || edge.j == ny_ - 1 : edge.i == 0 || edge.i == nx_ - 1;
}

ScenePoint ContourTracer::PointOn(const ContourEdge& edge, const ContourPlacer& placer) const {
  const double a = values_[From(edge)];
  const double b = values_[To(edge)];
  return placer.Place(edge, (level_ - a) / (b - a));
}

// The cell beyond edge and its three other edges in the order tried, each
// with the step that crosses it:
//
//   UpFirst from J(i,j), cell (i,j):     I(i,j) down j, I(i,j+1) up j, J(i+1,j) up i
//   DownFirst from J(i,j), cell (i-1,j): I(i-1,j+1) up j, I(i-1,j) down j, J(i-1,j) down i
//   UpSecond from I(i,j), cell (i,j):    J(i,j) down i, J(i+1,j) up i, I(i,j+1) up j
//   DownSecond from I(i,j), cell (i,j-1): J(i+1,j-1) up i, J(i,j-1) down i, I(i,j-1) down j
std::optional<ContourMove> ContourTracer::Next(const ContourEdge& e, ContourStep step, double level,
                                               std::uint16_t mark) const {
  using S = ContourStep;
  std::array<ContourMove, 3> tried;
  switch (step) {
    case S::kUpFirst:
      if (e.alongFirst || e.i + 1 >= nx_) return std::nullopt;
      tried = {ContourMove{{e.i, e.j, true}, S::kDownSecond},
               ContourMove{{e.i, e.j + 1, true}, S::kUpSecond},
               ContourMove{{e.i + 1, e.j, false}, S::kUpFirst}};
      break;
    case S::kDownFirst:
      if (e.alongFirst || e.i < 1) return std::nullopt;
      tried = {ContourMove{{e.i - 1, e.j + 1, true}, S::kUpSecond},
               ContourMove{{e.i - 1, e.j, true}, S::kDownSecond},
               ContourMove{{e.i - 1, e.j, false}, S::kDownFirst}};
      break;
    case S::kUpSecond:
      if (!e.alongFirst || e.j + 1 >= ny_) return std::nullopt;
      tried = {ContourMove{{e.i, e.j, false}, S::kDownFirst},
               ContourMove{{e.i + 1, e.j, false}, S::kUpFirst},
               ContourMove{{e.i, e.j + 1, true}, S::kUpSecond}};
      break;
    case S::kDownSecond:
      if (!e.alongFirst || e.j < 1) return std::nullopt;
      tried = {ContourMove{{e.i + 1, e.j - 1, false}, S::kUpFirst},
               ContourMove{{e.i, e.j - 1, false}, S::kDownFirst},
               ContourMove{{e.i, e.j - 1, true}, S::kDownSecond}};
      break;
  }
  for (const ContourMove& m : tried) {
    if (Open(m.edge, level, mark)) return m;
  }
  return std::nullopt;
}

std::optional<ContourMove> ContourTracer::NextCrossing(const ContourEdge& edge, ContourStep step,
                                                       Long k) const {
  if (k < 0 || k >= levels_.count) return std::nullopt;
  return Next(edge, step, levels_.At(k), static_cast<std::uint16_t>(k + 1));
}

void ContourTracer::TryStart(const ContourEdge& start, ContourStep step,
                             const ContourPlacer& placer, ContourSink& sink) {
  if (!Open(start, level_, mark_)) return;
  // The line begins with its second point, so a start without an exit
  // draws nothing.
  bool begun = false;
  ContourEdge at = start;
  for (Long n = 0; n < maxSteps_; ++n) {
    const std::optional<ContourMove> next = Next(at, step, level_, mark_);
    if (!next) break;
    Drawn(next->edge) = mark_;
    if (!begun) {
      sink.BeginLine();
      sink.Vertex(PointOn(start, placer));
      begun = true;
    }
    sink.Vertex(PointOn(next->edge, placer));
    if (next->edge == start || OnBorder(next->edge)) break;
    at = next->edge;
    step = next->step;
  }
  Drawn(start) = mark_;
  if (begun) sink.EndLine();
}

void ContourTracer::TraceLevel(const ContourPlacer& placer, ContourSink& sink) {
  using S = ContourStep;
  const double level = level_;
  for (Long j = 0; j + 1 < ny_; ++j) TryStart({0, j, false}, S::kUpFirst, placer, sink);
  for (Long i = 0; i + 1 < nx_; ++i) TryStart({i, 0, true}, S::kUpSecond, placer, sink);
  for (Long j = 0; j + 1 < ny_; ++j) TryStart({nx_ - 1, j, false}, S::kDownFirst, placer, sink);
  for (Long i = 0; i + 1 < nx_; ++i) TryStart({i, ny_ - 1, true}, S::kDownSecond, placer, sink);
  for (Long i = 1; i + 1 < nx_; ++i) {
    const double* v = &values_[Node(i, 0)];
    const double* lo = &blockMin_[static_cast<std::size_t>(i * blocks_)];
    const double* hi = &blockMax_[static_cast<std::size_t>(i * blocks_)];
    for (Long b = 0; b < blocks_; ++b) {
      // Most runs of a row lie wholly on one side of the level.
      if (!(lo[b] < level && level < hi[b])) continue;
      const Long j1 = std::min((b + 1) * kScanBlock, ny_ - 1);
      for (Long j = b * kScanBlock; j < j1; ++j) {
        if ((v[j] < level) != (v[j + 1] < level)) {
          TryStart({i, j, false}, S::kUpFirst, placer, sink);
        }
      }
    }
  }
}

void ContourTracer::Trace(const ContourPlacer& placer, const ContourColoring& coloring,
                          ContourSink& sink) {
  if (levels_.count == 0) return;
  std::fill(drawnI_.begin(), drawnI_.end(), 0);
  std::fill(drawnJ_.begin(), drawnJ_.end(), 0);
  for (Long k = 0; k < levels_.count; ++k) {
    level_ = levels_.At(k);
    mark_ = static_cast<std::uint16_t>(k + 1);
    sink.BeginLevel(level_, ContourLevelColor(coloring, levels_, k));
    TraceLevel(placer, sink);
  }
}

}  // namespace qv
