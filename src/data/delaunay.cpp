#include "data/delaunay.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <stdexcept>

#include "data/robust_predicates.h"

namespace qv {
namespace {

using Index = std::int32_t;
// The vertex at infinity: the corner of the "ghost" triangles that close the
// convex hull, so that points outside the hull need no super-triangle.
constexpr Index kGhost = -1;
constexpr Index kNone = -1;

// Hilbert curve index of (x, y) in a 2^16 x 2^16 grid.
std::uint32_t HilbertKey(std::uint32_t x, std::uint32_t y) {
  constexpr std::uint32_t kSide = 1u << 16;
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
// the triangle the last one left.
std::vector<Index> InsertionOrder(const double* x, const double* y, std::size_t n) {
  std::vector<Index> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::mt19937 random(20240611u);
  std::shuffle(order.begin(), order.end(), random);
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
    return static_cast<std::uint32_t>(std::clamp(t * 65535.0, 0.0, 65535.0));
  };
  std::vector<std::uint64_t> keyed(n);
  std::size_t end = n;
  while (end > 0) {
    const std::size_t begin = end > 256 ? end / 2 : 0;
    for (std::size_t k = begin; k < end; ++k) {
      const Index i = order[k];
      const std::uint64_t key =
          HilbertKey(cell((x[i] - minX) / spanX), cell((y[i] - minY) / spanY));
      keyed[k] = (key << 32) | static_cast<std::uint32_t>(i);
    }
    std::sort(keyed.begin() + static_cast<std::ptrdiff_t>(begin),
              keyed.begin() + static_cast<std::ptrdiff_t>(end));
    end = begin;
  }
  for (std::size_t k = 0; k < n; ++k) order[k] = static_cast<Index>(keyed[k] & 0xffffffffu);
  return order;
}

// Triangles with neighbour links. Triangle t has corners v[3t..3t+2], counter-
// clockwise; nb[3t+i] is the triangle across the edge opposite corner i. A
// ghost triangle (a, b, kGhost) stands outside hull edge a -> b.
class Triangulation {
 public:
  Triangulation(const double* x, const double* y, std::size_t n) : x_(x), y_(y) {
    v_.reserve(6 * n + 16);
    nb_.reserve(6 * n + 16);
    mark_.reserve(2 * n + 8);
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
  bool IsGhost(Index t) const { return v_[3 * t + 2] == kGhost; }
  double Orient(Index a, Index b, Index p) const {
    return Orient2D(x_[a], y_[a], x_[b], y_[b], x_[p], y_[p]);
  }
  bool Conflicts(Index t, Index p) const;
  Index Locate(Index p) const;
  Index NewTriangle() {
    const auto t = static_cast<Index>(v_.size() / 3);
    v_.insert(v_.end(), 3, kNone);
    nb_.insert(nb_.end(), 3, kNone);
    mark_.push_back(0);
    return t;
  }
  Index& LinkOf(Index vertex) { return link_[vertex == kGhost ? link_.size() - 1 : vertex]; }

  struct BoundaryEdge {
    Index from, to, outside, outsideSlot;
  };

  const double* x_;
  const double* y_;
  std::vector<Index> v_;
  std::vector<Index> nb_;
  std::vector<std::uint32_t> mark_;
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
    v_[3 * solid + i] = corner[i];
    // Ghost i stands outside the edge opposite corner i, run backwards.
    const Index from = corner[(i + 2) % 3];
    const Index to = corner[(i + 1) % 3];
    v_[3 * ghost[i]] = from;
    v_[3 * ghost[i] + 1] = to;
    v_[3 * ghost[i] + 2] = kGhost;
    nb_[3 * solid + i] = ghost[i];
    nb_[3 * ghost[i] + 2] = solid;
  }
  // Across (to, ghost) lies the ghost whose edge starts at `to`; across
  // (ghost, from) the ghost whose edge ends at `from`.
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      if (v_[3 * ghost[j]] == v_[3 * ghost[i] + 1]) nb_[3 * ghost[i]] = ghost[j];
      if (v_[3 * ghost[j] + 1] == v_[3 * ghost[i]]) nb_[3 * ghost[i] + 1] = ghost[j];
    }
  }
  last_ = solid;
  return true;
}

bool Triangulation::Conflicts(Index t, Index p) const {
  const Index a = v_[3 * t], b = v_[3 * t + 1], c = v_[3 * t + 2];
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
      const Index a = v_[3 * t + (e + 1) % 3];
      const Index b = v_[3 * t + (e + 2) % 3];
      if (Orient(a, b, p) < 0.0) {
        t = nb_[3 * t + e];
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
      const Index c = v_[3 * start + i];
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
  mark_[start] = inCavity;
  while (!stack_.empty()) {
    const Index t = stack_.back();
    stack_.pop_back();
    cavity_.push_back(t);
    for (int e = 0; e < 3; ++e) {
      const Index n = nb_[3 * t + e];
      if (mark_[n] == inCavity) continue;
      if (mark_[n] != outside && Conflicts(n, p)) {
        mark_[n] = inCavity;
        stack_.push_back(n);
        continue;
      }
      mark_[n] = outside;
      Index slot = 0;
      while (nb_[3 * n + slot] != t) ++slot;
      boundary_.push_back({v_[3 * t + (e + 1) % 3], v_[3 * t + (e + 2) % 3], n, slot});
    }
  }
  // One new triangle (from, to, p) per boundary edge, in the cavity's slots first.
  while (cavity_.size() < boundary_.size()) cavity_.push_back(NewTriangle());
  for (std::size_t k = 0; k < boundary_.size(); ++k) {
    const BoundaryEdge& edge = boundary_[k];
    const Index t = cavity_[k];
    v_[3 * t] = edge.from;
    v_[3 * t + 1] = edge.to;
    v_[3 * t + 2] = p;
    nb_[3 * t + 2] = edge.outside;
    nb_[3 * edge.outside + edge.outsideSlot] = t;
    LinkOf(edge.from) = t;
  }
  for (std::size_t k = 0; k < boundary_.size(); ++k) {
    const Index t = cavity_[k];
    // Across (to, p): the new triangle whose edge starts at `to`; across
    // (p, from): the one whose edge ends at `from`, which links to us.
    const Index next = LinkOf(v_[3 * t + 1]);
    nb_[3 * t] = next;
    nb_[3 * next + 1] = t;
  }
  Index solid = kNone;
  for (std::size_t k = 0; k < boundary_.size(); ++k) {
    const Index t = cavity_[k];
    Index* corner = &v_[3 * t];
    Index* across = &nb_[3 * t];
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
  const std::size_t count = v_.size() / 3;
  out.reserve(count / 2 + 1);
  for (std::size_t t = 0; t < count; ++t) {
    if (v_[3 * t + 2] == kGhost) continue;
    // Stored counter-clockwise; written clockwise.
    out.push_back({shownAs_[v_[3 * t]] + 1, shownAs_[v_[3 * t + 2]] + 1,
                   shownAs_[v_[3 * t + 1]] + 1});
  }
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
  if (third >= n) return result;  // all points on one line
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
