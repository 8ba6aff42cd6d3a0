#include "iso_surface_tables.h"

namespace qv {

namespace {

using Vec3 = std::array<int, 3>;

constexpr Vec3 Minus(const Vec3& a, const Vec3& b) {
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

constexpr Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

constexpr int Dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

constexpr bool Adjacent(int a, int b) {
  const Vec3 d = Minus(kCornerOffsets[a], kCornerOffsets[b]);
  return (d[0] < 0 ? -d[0] : d[0]) + (d[1] < 0 ? -d[1] : d[1]) + (d[2] < 0 ? -d[2] : d[2]) == 1;
}

// The edge between two corners (-1 for corners not joined by one).
using CornerEdges = std::array<std::array<int, kCellCorners>, kCellCorners>;

constexpr CornerEdges MakeCornerEdges() {
  CornerEdges out{};
  for (auto& row : out) {
    for (int& e : row) e = -1;
  }
  for (int e = 0; e < kCellEdges; ++e) {
    out[kEdgeCorners[e][0]][kEdgeCorners[e][1]] = e;
    out[kEdgeCorners[e][1]][kEdgeCorners[e][0]] = e;
  }
  return out;
}

constexpr CornerEdges kCornerEdges = MakeCornerEdges();

using Face = std::array<int, 4>;

// The six faces of the cell, each as its corners in counter-clockwise order
// seen from outside.
constexpr std::array<Face, 6> CellFaces() {
  std::array<Face, 6> faces{};
  int f = 0;
  for (int axis = 0; axis < 3; ++axis) {
    for (int side = 0; side < 2; ++side) {
      Face on{};
      int count = 0;
      for (int n = 0; n < kCellCorners; ++n) {
        if (kCornerOffsets[n][axis] == side) on[count++] = n;
      }
      // Walk round the face from its first corner along the edges.
      Face walk{on[0], -1, -1, -1};
      for (int w = 1; w < 4; ++w) {
        for (int n : on) {
          const bool taken = n == walk[0] || n == walk[1] || n == walk[2];
          if (!taken && Adjacent(walk[w - 1], n)) {
            walk[w] = n;
            break;
          }
        }
      }
      Vec3 outward{0, 0, 0};
      outward[axis] = side == 1 ? 1 : -1;
      const Vec3& a = kCornerOffsets[walk[0]];
      const Vec3& b = kCornerOffsets[walk[1]];
      const Vec3& c = kCornerOffsets[walk[2]];
      if (Dot(Cross(Minus(b, a), Minus(c, b)), outward) < 0)
        walk = {walk[0], walk[3], walk[2], walk[1]};
      faces[f++] = walk;
    }
  }
  return faces;
}

// The cut points of one case joined into closed loops: on every face, a
// segment runs from each edge where the walk round the face passes from
// above the level to below it, to the next edge where it passes back. Each
// cut edge lies on two faces, which walk it in opposite directions, so it
// starts one segment and ends another: the segments close into loops. Below
// corners facing each other across a face (the ambiguous face) are always
// kept apart, and since that choice depends on the face alone, the two
// cells sharing a face cut it alike: the surface has no holes. The walking
// direction makes every loop run counter-clockwise seen from above the level.
constexpr std::array<int, kCellEdges> NextCutEdges(int cube, const std::array<Face, 6>& faces) {
  std::array<int, kCellEdges> next{};
  for (int& e : next) e = -1;
  const auto below = [cube](int corner) { return ((cube >> corner) & 1) != 0; };
  for (const Face& face : faces) {
    int crossingEdge[4]{};
    bool goesDown[4]{};
    int crossings = 0;
    for (int w = 0; w < 4; ++w) {
      const int a = face[w];
      const int b = face[(w + 1) % 4];
      if (below(a) == below(b)) continue;
      crossingEdge[crossings] = kCornerEdges[a][b];
      goesDown[crossings] = below(b);
      ++crossings;
    }
    for (int c = 0; c < crossings; ++c) {
      if (!goesDown[c]) continue;
      for (int step = 1; step < crossings; ++step) {
        const int d = (c + step) % crossings;
        if (!goesDown[d]) {
          next[crossingEdge[c]] = crossingEdge[d];
          break;
        }
      }
    }
  }
  return next;
}

// Bit f set for each face f the edge lies on (two of them).
constexpr std::array<int, kCellEdges> EdgeFaces(const std::array<Face, 6>& faces) {
  std::array<int, kCellEdges> out{};
  for (int e = 0; e < kCellEdges; ++e) {
    for (int f = 0; f < 6; ++f) {
      int ends = 0;
      for (int n : faces[f]) ends += (n == kEdgeCorners[e][0] || n == kEdgeCorners[e][1]) ? 1 : 0;
      if (ends == 2) out[e] |= 1 << f;
    }
  }
  return out;
}

// Where a loop's fan of triangles starts: at the first point that shares a
// face with none of the points it is not next to. A fan line between two
// points of one face would lie in the face, where the cell beyond it may
// draw the same line: the edge would then belong to four triangles. Every
// loop of the 256 cases has such a point (BuildTables fails to compile
// otherwise).
constexpr int FanStart(const int* loop, int length, const std::array<int, kCellEdges>& edgeFaces) {
  for (int from = 0; from < length; ++from) {
    bool clear = true;
    for (int d = 2; d + 1 < length && clear; ++d) {
      clear = (edgeFaces[loop[from]] & edgeFaces[loop[(from + d) % length]]) == 0;
    }
    if (clear) return from;
  }
  return -1;
}

constexpr MarchingCubesTables BuildTables() {
  MarchingCubesTables t{};
  const std::array<Face, 6> faces = CellFaces();
  const std::array<int, kCellEdges> edgeFaces = EdgeFaces(faces);
  for (int e = 0; e < kCellEdges; ++e) {
    const Vec3& a = kCornerOffsets[kEdgeCorners[e][0]];
    const Vec3& b = kCornerOffsets[kEdgeCorners[e][1]];
    CellEdgePlace& place = t.edgePlace[e];
    for (int axis = 0; axis < 3; ++axis) {
      if (a[axis] != b[axis]) place.axis = axis;
      place.lower[axis] = a[axis] < b[axis] ? a[axis] : b[axis];
    }
  }
  for (int cube = 0; cube < kCubeCases; ++cube) {
    std::uint16_t mask = 0;
    for (int e = 0; e < kCellEdges; ++e) {
      const bool first = ((cube >> kEdgeCorners[e][0]) & 1) != 0;
      const bool second = ((cube >> kEdgeCorners[e][1]) & 1) != 0;
      if (first != second) mask = static_cast<std::uint16_t>(mask | (1U << e));
    }
    t.edgeMask[cube] = mask;
    const std::array<int, kCellEdges> next = NextCutEdges(cube, faces);
    auto& row = t.triangles[cube];
    for (auto& entry : row) entry = -1;
    int used = 0;
    bool visited[kCellEdges]{};
    for (int start = 0; start < kCellEdges; ++start) {
      if (((mask >> start) & 1) == 0 || visited[start]) continue;
      int loop[kCellEdges]{};
      int length = 0;
      for (int e = start; !visited[e]; e = next[e]) {
        visited[e] = true;
        loop[length++] = e;
      }
      const int from = FanStart(loop, length, edgeFaces);
      // Not a constant expression: the tables would not compile.
      if (from < 0) throw "a loop without a start for its fan";
      for (int m = 1; m + 1 < length; ++m) {
        row[used++] = static_cast<std::int8_t>(loop[from]);
        row[used++] = static_cast<std::int8_t>(loop[(from + m) % length]);
        row[used++] = static_cast<std::int8_t>(loop[(from + m + 1) % length]);
      }
    }
    t.triangleCount[cube] = static_cast<std::uint8_t>(used / 3);
  }
  return t;
}

constexpr MarchingCubesTables kTables = BuildTables();

// What the drawing relies on, checked when the program is compiled.
static_assert(kTables.edgeMask[0] == 0 && kTables.edgeMask[255] == 0);
static_assert(kTables.triangles[0][0] == -1 && kTables.triangles[255][0] == -1);
static_assert(kTables.triangles[1][0] == 0 && kTables.triangles[1][1] == 8 &&
              kTables.triangles[1][2] == 3 && kTables.triangles[1][3] == -1);
static_assert(kTables.triangles[254][0] == 0 && kTables.triangles[254][1] == 3 &&
              kTables.triangles[254][2] == 8 && kTables.triangles[254][3] == -1);
constexpr bool RowsFit() {
  for (int cube = 0; cube < kCubeCases; ++cube) {
    if (kTables.triangleCount[cube] > kMaxCellTriangles) return false;
    if (kTables.triangles[cube][kTriangleRowLength - 1] != -1) return false;
  }
  return true;
}
static_assert(RowsFit());

}  // namespace

const MarchingCubesTables& MarchingCubes() { return kTables; }

}  // namespace qv
