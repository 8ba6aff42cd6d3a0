// The iso-surface of a regular volume by marching cubes: the triangles on
// which the interpolated value equals a level, as an indexed mesh. Plain
// maths, no OpenGL; the iso-surface drawer sends the mesh to GL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/runtime.h"

namespace qv {

class DataSet;
struct DrawContext;
struct GraphOptions;

// A regular volume as the polygoniser reads it: node (i, j, k), for i in
// 0..lastU, j in 0..lastV and k in 0..lastH, lies at (x, y, z) with the value
// v, all at offset i * strideU + j * strideV + k of the four arrays (the data
// set's regular 4D arrays, in its scaled units). The grid axes are taken to
// be at right angles to each other, as a regular volume's are.
struct IsoVolume {
  Long lastU = -1;
  Long lastV = -1;
  Long lastH = -1;
  std::size_t strideU = 0;
  std::size_t strideV = 0;
  const double* x = nullptr;
  const double* y = nullptr;
  const double* z = nullptr;
  const double* v = nullptr;

  std::size_t At(Long i, Long j, Long k) const {
    return static_cast<std::size_t>(i) * strideU + static_cast<std::size_t>(j) * strideV +
           static_cast<std::size_t>(k);
  }
};

// A point of the surface, in the volume's axes (data X, Y, Z): its position
// and its unit normal, which points up the gradient of the value, towards
// the side the triangles face; (0, 0, 0) where the gradient vanishes.
struct IsoVertex {
  float x, y, z;
  float nx, ny, nz;
};

// The grid edge a vertex lies on: its lower node (the offset of IsoVolume)
// and the axis it runs along from there (0 i, 1 j, 2 k).
struct IsoGridEdge {
  std::size_t node;
  int axis;
};

// The surface: each vertex once per grid edge (edges[n] is vertex n's), and
// three vertex indices a triangle, wound counter-clockwise (right-handed in
// i, j, k) seen from the side of the values above the level.
struct IsoMesh {
  std::vector<IsoVertex> vertices;
  std::vector<IsoGridEdge> edges;
  std::vector<std::uint32_t> triangles;

  std::size_t TriangleCount() const { return triangles.size() / 3; }
  void Clear() {
    vertices.clear();
    edges.clear();
    triangles.clear();
  }
};

// Polygonises volumes, keeping its working storage (two node planes of the
// volume) from one call to the next.
class IsoSurfacer {
 public:
  // Replaces mesh with the surface of volume at level (in the volume's
  // units). A node counts as below the level when the level, rounded to
  // single precision, is greater than its value so rounded. The point on a
  // cut grid edge is interpolated linearly from its lower node to its upper
  // one, once per edge, so neighbouring cells share it and the surface is
  // closed wherever it does not leave the volume; it lands on a node whose
  // value equals the level. A volume with fewer than two nodes along an axis
  // gives no triangle.
  void Polygonise(const IsoVolume& volume, double level, IsoMesh& mesh);

 private:
  struct Plane {
    // Per node (j, k) of the plane: below the level.
    std::vector<std::uint8_t> below;
    // Vertex of the cut edge from node (j, k) along j and along k (read only
    // for cut edges).
    std::vector<std::uint32_t> alongV;
    std::vector<std::uint32_t> alongH;
  };

  void MarkBelow(Long i, Plane& plane) const;
  void CutPlaneEdges(Long i, Plane& plane);
  void CutEdgesAcross(Long i, const Plane& lower, const Plane& upper);
  void PolygoniseSlab(const Plane& lower, const Plane& upper);
  std::uint32_t AddVertex(Long i, Long j, Long k, int axis);

  const IsoVolume* volume_ = nullptr;
  IsoMesh* mesh_ = nullptr;
  double level_ = 0.0;
  float levelF_ = 0.0f;
  std::size_t planeSize_ = 0;
  Plane planes_[2];
  // Vertex of the cut edge from node (i, j, k) to (i + 1, j, k) of the slab.
  std::vector<std::uint32_t> alongU_;
};

// The data set's regular volume, nodes 0..stepU x 0..stepV x 0..stepH
// (clamped to the nodes it holds), or nullopt when it holds none.
std::optional<IsoVolume> RegularVolumeOf(const DataSet& data, Long stepU, Long stepV, Long stepH);

// The iso-surface that graph draws (kind 44): the surface of the regular
// volume, every node 0..StepU x 0..StepV x 0..StepH, at IsoSurValue (data
// units, scaled like the volume's values by DataScaleV). Empty when there is
// no volume or DataScaleV is 0 or not finite.
void IsoSurfaceOfGraph(const GraphOptions& graph, const DrawContext& context, IsoSurfacer& surfacer,
                       IsoMesh& mesh);

}  // namespace qv
