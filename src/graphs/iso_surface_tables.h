// The marching-cubes tables: for each of the 256 ways the eight corners of a
// cell can lie below or above the level, which of the twelve cell edges the
// surface cuts (the edge table) and the triangles that join the cut points
// (the triangle table). They are derived from the cell's geometry when the
// program is compiled, so nothing is built or parsed while drawing.
//
// Corners (node offsets along i, j, k) and edges of a cell:
//
//              4 -------- 4 -------- 5
//             /|                    /|            j
//            7 |                   5 |            |
//           /  8                  /  9            +---- i
//          7 -------- 6 -------- 6   |           /
//          |   |                 |   |          k
//          |   0 -------- 0 -----|-- 1
//         11  /                 10  /
//          | 3                   | 1
//          |/                    |/
//          3 -------- 2 -------- 2
//
//   corner 0 (0,0,0)  1 (1,0,0)  2 (1,0,1)  3 (0,0,1)
//          4 (0,1,0)  5 (1,1,0)  6 (1,1,1)  7 (0,1,1)
//   edge 0 (0-1)  1 (1-2)  2 (2-3)  3 (3-0)   4 (4-5)  5 (5-6)
//        6 (6-7)  7 (7-4)  8 (0-4)  9 (1-5)  10 (2-6) 11 (3-7)
//
// Cube index: bit n is set when corner n lies below the level. Every
// triangle is wound counter-clockwise (right-handed in i, j, k) seen from
// the side of the corners above the level.
#pragma once

#include <array>
#include <cstdint>

namespace qv {

inline constexpr int kCellCorners = 8;
inline constexpr int kCellEdges = 12;
inline constexpr int kCubeCases = 256;
// No case needs more than five triangles.
inline constexpr int kMaxCellTriangles = 5;
// A row of the triangle table: up to five triples, then -1 (so entry 15 is
// always -1).
inline constexpr int kTriangleRowLength = 16;

// Offsets (0 or 1 along i, j, k) of each corner from the cell's first node.
inline constexpr std::array<std::array<int, 3>, kCellCorners> kCornerOffsets = {{
    {0, 0, 0},
    {1, 0, 0},
    {1, 0, 1},
    {0, 0, 1},
    {0, 1, 0},
    {1, 1, 0},
    {1, 1, 1},
    {0, 1, 1},
}};

// First and second corner of each edge.
inline constexpr std::array<std::array<int, 2>, kCellEdges> kEdgeCorners = {{
    {0, 1},
    {1, 2},
    {2, 3},
    {3, 0},
    {4, 5},
    {5, 6},
    {6, 7},
    {7, 4},
    {0, 4},
    {1, 5},
    {2, 6},
    {3, 7},
}};

// Where an edge lies in the grid: the axis it runs along (0 i, 1 j, 2 k) and
// the offsets of its lower node from the cell's first node.
struct CellEdgePlace {
  int axis;
  std::array<int, 3> lower;
};

struct MarchingCubesTables {
  // Bit e set when the corners of edge e lie on different sides.
  std::array<std::uint16_t, kCubeCases> edgeMask{};
  // Triangles as triples of edge numbers, -1 after the last.
  std::array<std::array<std::int8_t, kTriangleRowLength>, kCubeCases> triangles{};
  std::array<std::uint8_t, kCubeCases> triangleCount{};
  std::array<CellEdgePlace, kCellEdges> edgePlace{};
};

// The tables (built at compile time; see iso_surface_tables.cpp).
const MarchingCubesTables& MarchingCubes();

}  // namespace qv
