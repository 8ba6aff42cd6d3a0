#include "data/delaunay.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <numeric>
#include <random>
#include <stdexcept>
#include <utility>

#include <sys/mman.h>

#include "robust_predicates.h"

namespace qv {
namespace {

using Index = std::int32_t;
// The vertex at infinity: the corner of the "ghost" triangles that close the
// convex hull, so that points outside the hull need no super-triangle.
constexpr Index kGhost = -1;
constexpr Index kNone = -1;

// Hilbert curve index of (x, y) in a grid of 2^12 x 2^12 cells: fine enough
// for the order (a million points give some sixteen cells each) and short
// enough to share one 64-bit sort key with the round and the point number.
constexpr std::uint32_t kCurveSide = 1u << 12;
std::uint32_t HilbertKey(std::uint32_t x, std::uint32_t y) {
  constexpr std::uint32_t kSide = kCurveSide;
  std::uint32_t key = 0;
  for (std::uint32_t s = kSide / 2; s > 0; s /= 2) {
    const std::uint32_t rx = (x & s) ? 1 : 0;
    const std::uint32_t ry = (y & s) ? 1 : 0;
    key += s * s * ((3 * rx) ^ ry);
    // Turn the quadrant so that the curve runs on inside it.
    if (ry == 0) {
      if (rx == 1) {
        x = kSide - 1 - x;
        y = kSide - 1 - y;
      }
      std::swap(x, y);
    }
  }
  return key;
}

// Insertion order: a biased randomised order (rounds of doubling size, each
// sorted along a Hilbert curve), so every insertion meets a small cavity near
// the triangle the last one left. Each point draws its round by itself (the
// last round with chance 1/2, the one before with 1/4, ...), so the points
// are read once in their own order: shuffling them first cost a cache miss
// per point.
std::vector<Index> InsertionOrder(const double* x, const double* y, std::size_t n) {
  double minX = x[0], maxX = x[0], minY = y[0], maxY = y[0];
  for (std::size_t i = 1; i < n; ++i) {
    minX = std::min(minX, x[i]);
    maxX = std::max(maxX, x[i]);
    minY = std::min(minY, y[i]);
    maxY = std::max(maxY, y[i]);
  }
  const double spanX = maxX > minX ? maxX - minX : 1.0;
  const double spanY = maxY > minY ? maxY - minY : 1.0;
  auto cell = [](double t) {
    constexpr double kLast = kCurveSide - 1;
    return static_cast<std::uint32_t>(std::clamp(t * kLast, 0.0, kLast));
  };
  // Rounds until the first holds about 256 points.
  unsigned rounds = 1;
  while (rounds < 32 && (n >> rounds) > 256) ++rounds;
  std::mt19937 random(20240611u);
  // Round in the top 8 bits, the curve in the next 24, the point number last.
  std::vector<std::uint64_t> keyed(n);
  for (std::size_t i = 0; i < n; ++i) {
    const auto draw = static_cast<std::uint32_t>(random());
    const unsigned zeros = draw == 0 ? 32u : static_cast<unsigned>(std::countr_zero(draw));
    const std::uint64_t round = rounds - 1 - std::min(zeros, rounds - 1);
    const std::uint64_t curve =
        HilbertKey(cell((x[i] - minX) / spanX), cell((y[i] - minY) / spanY));
    keyed[i] = (round << 56) | (curve << 32) | static_cast<std::uint32_t>(i);
  }
  std::sort(keyed.begin(), keyed.end());
  std::vector<Index> order(n);
  for (std::size_t k = 0; k < n; ++k) order[k] = static_cast<Index>(keyed[k] & 0xffffffffu);
  return order;
}

// Growable storage of plain records in large pages where the system offers
// them: a million points make 64 MB of triangles, and faulting that in page
// by page of 4 KB cost more than the triangulation itself.
template <typename T>
class LargePageArray {
 public:
  LargePageArray() = default;
  LargePageArray(const LargePageArray&) = delete;
  LargePageArray& operator=(const LargePageArray&) = delete;
  ~LargePageArray() { std::free(data_); }

  void Reserve(std::size_t capacity) {
    if (capacity <= capacity_) return;
    constexpr std::size_t kLargePage = std::size_t{2} << 20;
    const std::size_t bytes = (capacity * sizeof(T) + kLargePage - 1) / kLargePage * kLargePage;
    auto* grown = static_cast<T*>(std::aligned_alloc(kLargePage, bytes));
    if (grown == nullptr) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    madvise(grown, bytes, MADV_HUGEPAGE);  // a hint; ignored where unsupported
#endif
    if (size_ > 0) std::memcpy(static_cast<void*>(grown), data_, size_ * sizeof(T));
    std::free(data_);
    data_ = grown;
    capacity_ = bytes / sizeof(T);
  }
  void PushBack(const T& value) {
    if (size_ == capacity_) Reserve(2 * capacity_ + 16);
    data_[size_++] = value;
  }
  std::size_t Size() const { return size_; }
  T& operator[](std::size_t i) { return data_[i]; }
  const T& operator[](std::size_t i) const { return data_[i]; }

 private:
  T* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// Triangles with neighbour links. Triangle t has corners tri_[t].v, counter-
// clockwise; tri_[t].nb[i] is the triangle across the edge opposite corner i. A
// ghost triangle (a, b, kGhost) stands outside hull edge a -> b.
class Triangulation {
 public:
  Triangulation(const double* x, const double* y, std::size_t n) : x_(x), y_(y) {
    tri_.Reserve(2 * n + 8);
    link_.assign(n + 1, kNone);
    shownAs_.resize(n);
    std::iota(shownAs_.begin(), shownAs_.end(), 0);
  }

  bool Start(Index a, Index b, Index c);
  // Inserts point p; false when it coincides with a corner already present,
  // which from then on is written as the lower of the two point numbers.
  bool Insert(Index p);
  void Collect(std::vector<DelaunayTri>& out) const;

 private:
  bool IsGhost(Index t) const { return tri_[t].v[2] == kGhost; }
  double Orient(Index a, Index b, Index p) const {
    return Orient2D(x_[a], y_[a], x_[b], y_[b], x_[p], y_[p]);
  }
  bool Conflicts(Index t, Index p) const;
  Index Locate(Index p) const;
  Index NewTriangle() {
    const auto t = static_cast<Index>(tri_.Size());
    tri_.PushBack({{kNone, kNone, kNone}, {kNone, kNone, kNone}, 0, 0});
    return t;
  }
  Index& LinkOf(Index vertex) { return link_[vertex == kGhost ? link_.size() - 1 : vertex]; }

  struct BoundaryEdge {
    Index from, to, outside, outsideSlot;
  };

  const double* x_;
  const double* y_;
  // Corners and neighbours side by side: the walk and the cavity search read
  // both, and one triangle then lies in one cache line.
  struct alignas(32) Tri {
    Index v[3];
    Index nb[3];
    std::uint32_t mark;
    Index unused;
  };
  LargePageArray<Tri> tri_;
  std::vector<Index> link_;
  // The point number written for each corner: the first of equal points,
  // whichever of them the shuffled order inserted.
  std::vector<Index> shownAs_;
  std::uint32_t stamp_ = 0;
  Index last_ = 0;
  std::vector<Index> cavity_;
  std::vector<Index> stack_;
  std::vector<BoundaryEdge> boundary_;
  std::minstd_rand random_{7u};
};

bool Triangulation::Start(Index a, Index b, Index c) {
  if (Orient(a, b, c) < 0) std::swap(b, c);
  const Index solid = NewTriangle();
  const Index corner[3] = {a, b, c};
  Index ghost[3];
  for (int i = 0; i < 3; ++i) ghost[i] = NewTriangle();
  for (int i = 0; i < 3; ++i) {
    tri_[solid].v[i] = corner[i];
    // Ghost i stands outside the edge opposite corner i, run backwards.
    const Index from = corner[(i + 2) % 3];
    const Index to = corner[(i + 1) % 3];
    tri_[ghost[i]].v[0] = from;
    tri_[ghost[i]].v[1] = to;
    tri_[ghost[i]].v[2] = kGhost;
    tri_[solid].nb[i] = ghost[i];
    tri_[ghost[i]].nb[2] = solid;
  }
  // Across (to, ghost) lies the ghost whose edge starts at `to`; across
  // (ghost, from) the ghost whose edge ends at `from`.
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      if (tri_[ghost[j]].v[0] == tri_[ghost[i]].v[1]) tri_[ghost[i]].nb[0] = ghost[j];
      if (tri_[ghost[j]].v[1] == tri_[ghost[i]].v[0]) tri_[ghost[i]].nb[1] = ghost[j];
    }
  }
  last_ = solid;
  return true;
}

bool Triangulation::Conflicts(Index t, Index p) const {
  const Index a = tri_[t].v[0], b = tri_[t].v[1], c = tri_[t].v[2];
  if (c != kGhost) {
    return InCircle(x_[a], y_[a], x_[b], y_[b], x_[c], y_[c], x_[p], y_[p]) > 0.0;
  }
  // A ghost's circle is the open half-plane outside its hull edge plus the
  // open edge itself.
  const double side = Orient(a, b, p);
  if (side != 0.0) return side > 0.0;
  if (x_[a] != x_[b]) {
    return std::min(x_[a], x_[b]) < x_[p] && x_[p] < std::max(x_[a], x_[b]);
  }
  return std::min(y_[a], y_[b]) < y_[p] && y_[p] < std::max(y_[a], y_[b]);
}

// Walks from the last new triangle towards p, across any edge that p lies
// strictly beyond. Ends in a solid triangle holding p (inside or on its
// border) or in the ghost beyond the hull edge that p lies outside of.
Index Triangulation::Locate(Index p) const {
  Index t = last_;
  // A random first edge keeps the walk from circling on degenerate meshes.
  std::minstd_rand random(static_cast<unsigned>(p) + 1u);
  for (;;) {
    const int first = static_cast<int>(random() % 3);
    bool moved = false;
    for (int k = 0; k < 3 && !moved; ++k) {
      const int e = (first + k) % 3;
      const Index a = tri_[t].v[(e + 1) % 3];
      const Index b = tri_[t].v[(e + 2) % 3];
      if (Orient(a, b, p) < 0.0) {
        t = tri_[t].nb[e];
        moved = true;
      }
    }
    if (!moved || IsGhost(t)) return t;
  }
}

bool Triangulation::Insert(Index p) {
  const Index start = Locate(p);
  if (!IsGhost(start)) {
    for (int i = 0; i < 3; ++i) {
      const Index c = tri_[start].v[i];
      if (x_[c] == x_[p] && y_[c] == y_[p]) {
        shownAs_[c] = std::min(shownAs_[c], p);
        return false;
      }
    }
  }
  // The cavity: every triangle whose circle holds p, found from the start.
  stamp_ += 2;
  const std::uint32_t inCavity = stamp_, outside = stamp_ + 1;
  cavity_.clear();
  boundary_.clear();
  stack_.assign(1, start);
  tri_[start].mark = inCavity;
  while (!stack_.empty()) {
    const Index t = stack_.back();
    stack_.pop_back();
    cavity_.push_back(t);
    for (int e = 0; e < 3; ++e) {
      const Index n = tri_[t].nb[e];
      if (tri_[n].mark == inCavity) continue;
      if (tri_[n].mark != outside && Conflicts(n, p)) {
        tri_[n].mark = inCavity;
        stack_.push_back(n);
        continue;
      }
      tri_[n].mark = outside;
      Index slot = 0;
      while (tri_[n].nb[slot] != t) ++slot;
      boundary_.push_back({tri_[t].v[(e + 1) % 3], tri_[t].v[(e + 2) % 3], n, slot});
    }
  }
  // One new triangle (from, to, p) per boundary edge, in the cavity's slots first.
  while (cavity_.size() < boundary_.size()) cavity_.push_back(NewTriangle());
  for (std::size_t k = 0; k < boundary_.size(); ++k) {
    const BoundaryEdge& edge = boundary_[k];
    const Index t = cavity_[k];
    tri_[t].v[0] = edge.from;
    tri_[t].v[1] = edge.to;
    tri_[t].v[2] = p;
    tri_[t].nb[2] = edge.outside;
    tri_[edge.outside].nb[edge.outsideSlot] = t;
    LinkOf(edge.from) = t;
  }
  for (std::size_t k = 0; k < boundary_.size(); ++k) {
    const Index t = cavity_[k];
    // Across (to, p): the new triangle whose edge starts at `to`; across
    // (p, from): the one whose edge ends at `from`, which links to us.
    const Index next = LinkOf(tri_[t].v[1]);
    tri_[t].nb[0] = next;
    tri_[next].nb[1] = t;
  }
  Index solid = kNone;
  for (std::size_t k = 0; k < boundary_.size(); ++k) {
    const Index t = cavity_[k];
    Index* corner = &tri_[t].v[0];
    Index* across = &tri_[t].nb[0];
    // Keep the ghost corner last: (a, ghost, p) -> (p, a, ghost) and
    // (ghost, b, p) -> (b, p, ghost).
    if (corner[1] == kGhost) {
      std::rotate(corner, corner + 2, corner + 3);
      std::rotate(across, across + 2, across + 3);
    } else if (corner[0] == kGhost) {
      std::rotate(corner, corner + 1, corner + 3);
      std::rotate(across, across + 1, across + 3);
    } else {
      solid = t;
    }
  }
  if (solid != kNone) last_ = solid;
  return true;
}

void Triangulation::Collect(std::vector<DelaunayTri>& out) const {
  out.clear();
  const std::size_t count = tri_.Size();
  out.reserve(count);
  for (std::size_t t = 0; t < count; ++t) {
    if (tri_[t].v[2] == kGhost) continue;
    // Stored counter-clockwise; written clockwise.
    out.push_back(
        {shownAs_[tri_[t].v[0]] + 1, shownAs_[tri_[t].v[2]] + 1, shownAs_[tri_[t].v[1]] + 1});
  }
}

// The number of points equal to an earlier one.
std::size_t CountDuplicates(const double* x, const double* y, std::size_t n) {
  std::vector<std::pair<double, double>> sites(n);
  for (std::size_t i = 0; i < n; ++i) sites[i] = {x[i], y[i]};
  std::sort(sites.begin(), sites.end());
  return n - static_cast<std::size_t>(std::unique(sites.begin(), sites.end()) - sites.begin());
}

}  // namespace

DelaunayResult TriangulatePoints(const double* x, const double* y, std::size_t n) {
  DelaunayResult result;
  for (std::size_t i = 0; i < n; ++i) {
    if (!std::isfinite(x[i]) || !std::isfinite(y[i])) {
      throw std::invalid_argument("TriangulatePoints: point " + std::to_string(i + 1) +
                                  " is not finite");
    }
  }
  if (n < 3) return result;
  const std::vector<Index> order = InsertionOrder(x, y, n);
  // The first triangle: the first two distinct points and the first point
  // off their line.
  std::size_t second = 1;
  while (second < n && x[order[second]] == x[order[0]] && y[order[second]] == y[order[0]]) {
    ++second;
  }
  std::size_t third = second + 1;
  while (third < n && Orient2D(x[order[0]], y[order[0]], x[order[second]], y[order[second]],
                               x[order[third]], y[order[third]]) == 0.0) {
    ++third;
  }
  if (third >= n) {
    // All points on one line: no triangles, but equal points are still
    // reported as for any other set.
    result.duplicates = CountDuplicates(x, y, n);
    return result;
  }
  Triangulation mesh(x, y, n);
  mesh.Start(order[0], order[second], order[third]);
  for (std::size_t k = 1; k < n; ++k) {
    if (k == second || k == third) continue;
    if (!mesh.Insert(order[k])) ++result.duplicates;
  }
  mesh.Collect(result.triangles);
  return result;
}

bool InCircum(double xp, double yp, double x1, double y1, double x2, double y2, double x3,
              double y3, double& xc, double& yc, double& r) {
  const double orientation = Orient2D(x1, y1, x2, y2, x3, y3);
  if (orientation == 0.0) return false;
  // Centre from the determinant form, relative to the first corner.
  const double bx = x2 - x1, by = y2 - y1;
  const double cx = x3 - x1, cy = y3 - y1;
  const double d = 2.0 * (bx * cy - by * cx);
  const double b2 = bx * bx + by * by;
  const double c2 = cx * cx + cy * cy;
  xc = x1 + (cy * b2 - by * c2) / d;
  yc = y1 + (bx * c2 - cx * b2) / d;
  r = std::hypot(x2 - xc, y2 - yc);
  const double side = InCircle(x1, y1, x2, y2, x3, y3, xp, yp);
  return orientation > 0.0 ? side >= 0.0 : side <= 0.0;
}

}  // namespace qv
