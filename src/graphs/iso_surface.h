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
  struct Gradient {
    double x = 0.0, y = 0.0, z = 0.0;
  };
  // What the polygoniser keeps of one node plane i, per node (j, k) at
  // j * (lastH + 1) + k.
  struct Plane {
    Long i = -1;
    // Below the level.
    std::vector<std::uint8_t> below;
    // The square of nodes (j, k), (j, k + 1), (j + 1, k), (j + 1, k + 1):
    // bits 0..3 set for those below the level.
    std::vector<std::uint8_t> square;
    // Vertex of the cut edge from the node along j and along k (read only
    // for cut edges).
    std::vector<std::uint32_t> alongV;
    std::vector<std::uint32_t> alongH;
    // The node's gradient, valid where gradientPass equals pass.
    std::vector<Gradient> gradient;
    std::vector<std::uint32_t> gradientPass;
    std::uint32_t pass = 0;
  };

  void StartPlane(Long i, Plane& plane);
  void CutPlaneEdges(Plane& plane);
  void CutEdgesAcross(Plane& lower, Plane& upper);
  void PolygoniseSlab(const Plane& lower, const Plane& upper);
  std::uint32_t AddVertex(Plane& from, Plane& to, Long j, Long k, int axis);
  const Gradient& NodeGradient(Plane& plane, std::size_t p);

  const IsoVolume* volume_ = nullptr;
  IsoMesh* mesh_ = nullptr;
  double level_ = 0.0;
  float levelF_ = 0.0f;
  std::size_t planeNodes_ = 0;
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
