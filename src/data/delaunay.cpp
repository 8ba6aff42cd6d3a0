#include "data/delaunay.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
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

// Hilbert curve index of (x, y) in a grid of 2^14 x 2^14 cells: some sixty
// cells per point at four million points, and short enough to share one
// 32-bit sort key with the round.
//
// Level by level from the top bit, the curve visits the quadrants of a cell
// in the order 0 (x low, y low), 1 (low, high), 2 (high, high), 3 (high,
// low), and runs inside each quadrant on a copy of itself turned by the
// quadrants so far: mirrored on the diagonal (swap x and y) in quadrants 0
// and 3, and in quadrant 3 also turned half round (complement both). Those
// turns form a state of two bits; the table steps two levels at a time from
// (state, two bits of x, two bits of y) to four bits of the index and the
// next state, so the index costs no branch.
constexpr unsigned kCurveBits = 14;
constexpr std::uint32_t kCurveSide = 1u << kCurveBits;

struct CurveTable {
  std::uint8_t entry[4 * 16] = {};
};

constexpr CurveTable MakeCurveTable() {
  CurveTable table;
  for (unsigned state = 0; state < 4; ++state) {
    for (unsigned bits = 0; bits < 16; ++bits) {
      unsigned swapped = state & 1, complemented = state >> 1, digits = 0;
      for (int level = 1; level >= 0; --level) {
        unsigned bx = (bits >> (2 + level)) & 1, by = (bits >> level) & 1;
        bx ^= complemented;
        by ^= complemented;
        if (swapped != 0) {
          const unsigned t = bx;
          bx = by;
          by = t;
        }
        digits = (digits << 2) | ((3 * bx) ^ by);
        if (by == 0) {
          complemented ^= bx;
          swapped ^= 1;
        }
      }
      table.entry[state * 16 + bits] =
          static_cast<std::uint8_t>(digits | (swapped << 4) | (complemented << 5));
    }
  }
  return table;
}
constexpr CurveTable kCurve = MakeCurveTable();

std::uint32_t HilbertKey(std::uint32_t x, std::uint32_t y) {
  std::uint32_t key = 0, state = 0;
  for (int shift = kCurveBits - 2; shift >= 0; shift -= 2) {
    const std::uint32_t bits = (((x >> shift) & 3) << 2) | ((y >> shift) & 3);
    const std::uint8_t e = kCurve.entry[state * 16 + bits];
    key = (key << 4) | (e & 15u);
    state = e >> 4;
  }
  return key;
}

// A well-mixed hash of the point number: the point's own draw of its round,
// the same on every run.
std::uint64_t Mix(std::uint64_t z) {
  z += 0x9e3779b97f4a7c15u;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
  return z ^ (z >> 31);
}

// Sorts keys by their upper 32 bits, keeping the order of equal ones (the
// lower 32 bits are the point numbers, already ascending): three passes of
// 11 bits, each skipped where all keys share the digit.
void SortByUpperHalf(std::vector<std::uint64_t>& keys) {
  constexpr unsigned kDigitBits = 11;
  constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
  const std::size_t n = keys.size();
  if (n < 1024) {
    std::sort(keys.begin(), keys.end());
    return;
  }
  std::vector<std::uint32_t> counts(3 * kBuckets, 0);
  for (const std::uint64_t k : keys) {
    for (unsigned d = 0; d < 3; ++d) {
      ++counts[d * kBuckets + ((k >> (32 + d * kDigitBits)) & (kBuckets - 1))];
    }
  }
  std::vector<std::uint64_t> spare(n);
  for (unsigned d = 0; d < 3; ++d) {
    std::uint32_t* count = &counts[d * kBuckets];
    if (std::find(count, count + kBuckets, n) != count + kBuckets) continue;
    std::uint32_t at = 0;
    for (std::size_t b = 0; b < kBuckets; ++b) at += std::exchange(count[b], at);
    const unsigned shift = 32 + d * kDigitBits;
    for (const std::uint64_t k : keys) spare[count[(k >> shift) & (kBuckets - 1)]++] = k;
    keys.swap(spare);
  }
}

// Insertion order: a biased randomised order (rounds of doubling size, each
// sorted along a Hilbert curve), so every insertion meets a small cavity near
// the triangle the last one left. Each point draws its round by itself (the
// last round with chance 1/2, the one before with 1/4, ...), so the points
// are read once in their own order.
std::vector<Index> InsertionOrder(const double* x, const double* y, std::size_t n) {
  double minX = x[0], maxX = x[0], minY = y[0], maxY = y[0];
  for (std::size_t i = 1; i < n; ++i) {
    minX = std::min(minX, x[i]);
    maxX = std::max(maxX, x[i]);
    minY = std::min(minY, y[i]);
    maxY = std::max(maxY, y[i]);
  }
  // One scale for both axes keeps the cells square, so a long thin set of
  // points is not cut into cells that are long and thin as well.
  const double span = std::max(maxX - minX, maxY - minY);
  const double toCell = span > 0.0 ? (kCurveSide - 1) / span : 0.0;
  auto cell = [toCell](double offset) {
    constexpr double kLast = kCurveSide - 1;
    // Not a number when the span overflows: those points share cell 0.
    const double at = offset * toCell;
    return at > 0.0 ? static_cast<std::uint32_t>(std::min(at, kLast)) : 0u;
  };
  // Rounds until the first holds about 256 points.
  unsigned rounds = 1;
  while (rounds < 16 && (n >> rounds) > 256) ++rounds;
  // Round in the top bits of the upper half, the curve below it, the point
  // number in the lower half.
  std::vector<std::uint64_t> keyed(n);
  for (std::size_t i = 0; i < n; ++i) {
    const auto draw = static_cast<std::uint32_t>(Mix(i));
    const unsigned zeros = draw == 0 ? 32u : static_cast<unsigned>(std::countr_zero(draw));
    const std::uint64_t round = rounds - 1 - std::min(zeros, rounds - 1);
    const std::uint64_t curve = HilbertKey(cell(x[i] - minX), cell(y[i] - minY));
    keyed[i] = (round << (32 + 2 * kCurveBits)) | (curve << 32) | static_cast<std::uint32_t>(i);
  }
  SortByUpperHalf(keyed);
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

// A point in insertion order: the walks and the cavities read the points
// of one neighbourhood, which then lie together in memory.
struct Site {
  double x, y;
};

// Triangles with neighbour links. Triangle t has corners tri_[t].v, counter-
// clockwise; tri_[t].nb[i] is the triangle across the edge opposite corner i. A
// ghost triangle (a, b, kGhost) stands outside hull edge a -> b. Corners are
// ranks in the insertion order.
class Triangulation {
 public:
  // order: the point numbers (0-based) in insertion order.
  Triangulation(const double* x, const double* y, const std::vector<Index>& order) : order_(order) {
    const std::size_t n = order.size();
    site_.resize(n);
    for (std::size_t k = 0; k < n; ++k) site_[k] = {x[order[k]], y[order[k]]};
    tri_.Reserve(2 * n + 8);
    link_.assign(n + 1, kNone);
    shownAs_ = order;
  }

  bool Start(Index a, Index b, Index c);
  // Inserts the point of rank p; false when it coincides with a corner
  // already present, which from then on is written as the lower of the two
  // point numbers.
  bool Insert(Index p);
  void Collect(std::vector<DelaunayTri>& out) const;

 private:
  bool IsGhost(Index t) const { return tri_[t].v[2] == kGhost; }
  double Orient(Index a, Index b, Index p) const {
    const Site &sa = site_[a], &sb = site_[b], &sp = site_[p];
    return Orient2D(sa.x, sa.y, sb.x, sb.y, sp.x, sp.y);
  }
  bool Conflicts(Index t, Index p) const;
  Index Locate(Index p);
  Index NewTriangle() {
    const auto t = static_cast<Index>(tri_.Size());
    tri_.PushBack({{kNone, kNone, kNone}, {kNone, kNone, kNone}, 0, 0});
    return t;
  }
  Index& LinkOf(Index vertex) { return link_[vertex == kGhost ? link_.size() - 1 : vertex]; }
  // 0, 1 or 2, evenly: the walk's first edge.
  unsigned NextEdge() {
    random_ ^= random_ << 13;
    random_ ^= random_ >> 17;
    random_ ^= random_ << 5;
    return static_cast<unsigned>((static_cast<std::uint64_t>(random_) * 3) >> 32);
  }

  struct BoundaryEdge {
    Index from, to, outside, outsideSlot;
  };

  // Corners and neighbours side by side: the walk and the cavity search read
  // both, and one triangle then lies in one cache line.
  struct alignas(32) Tri {
    Index v[3];
    Index nb[3];
    std::uint32_t mark;
    Index unused;
  };
  const std::vector<Index>& order_;
  std::vector<Site> site_;
  LargePageArray<Tri> tri_;
  std::vector<Index> link_;
  // The point number written for each corner: the first of equal points,
  // whichever of them the order inserted.
  std::vector<Index> shownAs_;
  std::uint32_t stamp_ = 0;
  Index last_ = 0;
  std::uint32_t random_ = 2463534242u;
  std::vector<Index> cavity_;
  std::vector<Index> stack_;
  std::vector<BoundaryEdge> boundary_;
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
  const Site &sa = site_[a], &sb = site_[b], &sp = site_[p];
  if (c != kGhost) {
    const Site& sc = site_[c];
    return InCircle(sa.x, sa.y, sb.x, sb.y, sc.x, sc.y, sp.x, sp.y) > 0.0;
  }
  // A ghost's circle is the open half-plane outside its hull edge plus the
  // open edge itself.
  const double side = Orient(a, b, p);
  if (side != 0.0) return side > 0.0;
  if (sa.x != sb.x) return std::min(sa.x, sb.x) < sp.x && sp.x < std::max(sa.x, sb.x);
  return std::min(sa.y, sb.y) < sp.y && sp.y < std::max(sa.y, sb.y);
}

// Walks from the last new triangle towards p, across any edge that p lies
// strictly beyond. Ends in a solid triangle holding p (inside or on its
// border) or in the ghost beyond the hull edge that p lies outside of. The
// edge just crossed is not tested again: p lies strictly on this side of it.
Index Triangulation::Locate(Index p) {
  static constexpr int kNext[5] = {0, 1, 2, 0, 1};
  Index t = last_;
  Index came = kNone;
  for (;;) {
    // A random first edge keeps the walk from circling on degenerate meshes.
    const unsigned first = NextEdge();
    const Tri& tri = tri_[t];
    Index next = kNone;
    for (unsigned k = 0; k < 3; ++k) {
      const int e = kNext[first + k];
      if (tri.nb[e] == came) continue;
      if (Orient(tri.v[kNext[e + 1]], tri.v[kNext[e + 2]], p) < 0.0) {
        next = tri.nb[e];
        break;
      }
    }
    if (next == kNone) return t;
    came = t;
    t = next;
    if (IsGhost(t)) return t;
  }
}

bool Triangulation::Insert(Index p) {
  const Index start = Locate(p);
  const Site sp = site_[p];
  if (!IsGhost(start)) {
    for (int i = 0; i < 3; ++i) {
      const Index c = tri_[start].v[i];
      if (site_[c].x == sp.x && site_[c].y == sp.y) {
        shownAs_[c] = std::min(shownAs_[c], order_[p]);
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
  Triangulation mesh(x, y, order);
  mesh.Start(0, static_cast<Index>(second), static_cast<Index>(third));
  for (std::size_t k = 1; k < n; ++k) {
    if (k == second || k == third) continue;
    if (!mesh.Insert(static_cast<Index>(k))) ++result.duplicates;
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
