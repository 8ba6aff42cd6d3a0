#include "iso_surface.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "data/data_set.h"
#include "iso_surface_tables.h"
#include "volume_view.h"

namespace qv {

namespace {

// a + mu (b - a), exactly a at 0 and b at 1.
float Blend(float a, float b, float mu) {
  if (mu == 0.0f) return a;
  if (mu == 1.0f) return b;
  return a + mu * (b - a);
}

// The cube index bits that a square code (see IsoSurfacer::Plane) gives when
// its plane is the cell's lower one (node plane i) or its upper one (i + 1).
struct SquareCorners {
  std::array<std::uint8_t, 16> lower{};
  std::array<std::uint8_t, 16> upper{};
};

constexpr SquareCorners MakeSquareCorners() {
  SquareCorners out;
  for (unsigned square = 0; square < 16; ++square) {
    for (int n = 0; n < kCellCorners; ++n) {
      const auto& o = kCornerOffsets[n];
      if (((square >> (o[1] * 2 + o[2])) & 1) == 0) continue;
      auto& bits = o[0] == 0 ? out.lower : out.upper;
      bits[square] = static_cast<std::uint8_t>(bits[square] | (1u << n));
    }
  }
  return out;
}

constexpr SquareCorners kSquareCorners = MakeSquareCorners();

}  // namespace

// The plane's flags and squares; its gradients are made anew as needed.
void IsoSurfacer::StartPlane(Long i, Plane& plane) {
  const IsoVolume& vol = *volume_;
  plane.i = i;
  if (++plane.pass == 0) {
    std::fill(plane.gradientPass.begin(), plane.gradientPass.end(), 0u);
    plane.pass = 1;
  }
  const std::size_t nh = static_cast<std::size_t>(vol.lastH) + 1;
  std::uint8_t* below = plane.below.data();
  for (Long j = 0; j <= vol.lastV; ++j) {
    const double* v = vol.v + vol.At(i, j, 0);
    std::uint8_t* row = below + static_cast<std::size_t>(j) * nh;
    for (std::size_t k = 0; k < nh; ++k) row[k] = levelF_ > static_cast<float>(v[k]) ? 1 : 0;
  }
  std::uint8_t* square = plane.square.data();
  for (Long j = 0; j < vol.lastV; ++j) {
    const std::size_t row = static_cast<std::size_t>(j) * nh;
    for (std::size_t p = row; p < row + nh - 1; ++p) {
      square[p] = static_cast<std::uint8_t>(below[p] | below[p + 1] << 1 | below[p + nh] << 2 |
                                            below[p + nh + 1] << 3);
    }
  }
}

// The gradient of the value at node p of plane in the volume's axes: along
// each grid axis the difference to the neighbours on both sides (to the one
// neighbour on a face of the volume), divided by their distance, along the
// direction from the one to the other. Dividing by the distance keeps the
// central and the one-sided differences on one scale and the direction true
// where the nodes are further apart along one axis than along another.
const IsoSurfacer::Gradient& IsoSurfacer::NodeGradient(Plane& plane, std::size_t p) {
  Gradient& g = plane.gradient[p];
  if (plane.gradientPass[p] == plane.pass) return g;
  plane.gradientPass[p] = plane.pass;
  const IsoVolume& vol = *volume_;
  const std::size_t nh = static_cast<std::size_t>(vol.lastH) + 1;
  const Long index[3] = {plane.i, static_cast<Long>(p / nh), static_cast<Long>(p % nh)};
  const Long last[3] = {vol.lastU, vol.lastV, vol.lastH};
  const std::size_t stride[3] = {vol.strideU, vol.strideV, 1};
  const std::size_t at = vol.At(index[0], index[1], index[2]);
  g = Gradient{};
  for (int axis = 0; axis < 3; ++axis) {
    const std::size_t lo = index[axis] > 0 ? at - stride[axis] : at;
    const std::size_t hi = index[axis] < last[axis] ? at + stride[axis] : at;
    if (lo == hi) continue;
    const double dx = vol.x[hi] - vol.x[lo];
    const double dy = vol.y[hi] - vol.y[lo];
    const double dz = vol.z[hi] - vol.z[lo];
    const double squared = dx * dx + dy * dy + dz * dz;
    if (!(squared > 0.0)) continue;
    const double f = (vol.v[hi] - vol.v[lo]) / squared;
    g.x += f * dx;
    g.y += f * dy;
    g.z += f * dz;
  }
  return g;
}

// The point where the value crosses the level on the grid edge from node
// (j, k) of plane from along axis (to its neighbour in plane to along i, in
// the same plane along j and k), with its normal blended by the same weight.
std::uint32_t IsoSurfacer::AddVertex(Plane& from, Plane& to, Long j, Long k, int axis) {
  const IsoVolume& vol = *volume_;
  const std::size_t nh = static_cast<std::size_t>(vol.lastH) + 1;
  const std::size_t pa = static_cast<std::size_t>(j) * nh + static_cast<std::size_t>(k);
  const std::size_t pb = axis == 0 ? pa : axis == 1 ? pa + nh : pa + 1;
  const std::size_t a = vol.At(from.i, j, k);
  const std::size_t b = a + (axis == 0 ? vol.strideU : axis == 1 ? vol.strideV : 1);
  const float va = static_cast<float>(vol.v[a]);
  const float vb = static_cast<float>(vol.v[b]);
  float mu = 0.0f;
  if (levelF_ == va || va == vb) {
    mu = 0.0f;
  } else if (levelF_ == vb) {
    mu = 1.0f;
  } else {
    mu = static_cast<float>((level_ - va) / (static_cast<double>(vb) - va));
  }
  const auto at = [&](const double* q, std::size_t n) { return static_cast<float>(q[n]); };
  IsoVertex out{};
  out.x = Blend(at(vol.x, a), at(vol.x, b), mu);
  out.y = Blend(at(vol.y, a), at(vol.y, b), mu);
  out.z = Blend(at(vol.z, a), at(vol.z, b), mu);
  const Gradient ga = NodeGradient(from, pa);
  const Gradient& gb = NodeGradient(axis == 0 ? to : from, pb);
  const double nx = ga.x + mu * (gb.x - ga.x);
  const double ny = ga.y + mu * (gb.y - ga.y);
  const double nz = ga.z + mu * (gb.z - ga.z);
  const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
  if (length > 0.0 && std::isfinite(length)) {
    out.nx = static_cast<float>(nx / length);
    out.ny = static_cast<float>(ny / length);
    out.nz = static_cast<float>(nz / length);
  }
  mesh_->vertices.push_back(out);
  mesh_->edges.push_back({a, axis});
  return static_cast<std::uint32_t>(mesh_->vertices.size() - 1);
}

// The points on the cut edges that lie in the plane.
void IsoSurfacer::CutPlaneEdges(Plane& plane) {
  const IsoVolume& vol = *volume_;
  const std::size_t nh = static_cast<std::size_t>(vol.lastH) + 1;
  const std::uint8_t* below = plane.below.data();
  for (Long j = 0; j <= vol.lastV; ++j) {
    const std::size_t row = static_cast<std::size_t>(j) * nh;
    for (Long k = 0; k <= vol.lastH; ++k) {
      const std::size_t p = row + static_cast<std::size_t>(k);
      if (k < vol.lastH && below[p] != below[p + 1]) {
        plane.alongH[p] = AddVertex(plane, plane, j, k, 2);
      }
      if (j < vol.lastV && below[p] != below[p + nh]) {
        plane.alongV[p] = AddVertex(plane, plane, j, k, 1);
      }
    }
  }
}

// The points on the cut edges between two neighbouring planes.
void IsoSurfacer::CutEdgesAcross(Plane& lower, Plane& upper) {
  const IsoVolume& vol = *volume_;
  const std::size_t nh = static_cast<std::size_t>(vol.lastH) + 1;
  for (Long j = 0; j <= vol.lastV; ++j) {
    const std::size_t row = static_cast<std::size_t>(j) * nh;
    for (Long k = 0; k <= vol.lastH; ++k) {
      const std::size_t p = row + static_cast<std::size_t>(k);
      if (lower.below[p] != upper.below[p]) alongU_[p] = AddVertex(lower, upper, j, k, 0);
    }
  }
}

// The triangles of the cells between two neighbouring planes, whose cut
// edges all have their points by now.
void IsoSurfacer::PolygoniseSlab(const Plane& lower, const Plane& upper) {
  const MarchingCubesTables& tables = MarchingCubes();
  const IsoVolume& vol = *volume_;
  const std::size_t nh = static_cast<std::size_t>(vol.lastH) + 1;
  // Where each edge's point of the cell at p = j * nh + k lies, relative
  // to p.
  const std::uint32_t* edge[kCellEdges];
  for (int e = 0; e < kCellEdges; ++e) {
    const CellEdgePlace& place = tables.edgePlace[e];
    const Plane& plane = place.lower[0] == 0 ? lower : upper;
    const std::uint32_t* base = place.axis == 0   ? alongU_.data()
                                : place.axis == 1 ? plane.alongV.data()
                                                  : plane.alongH.data();
    edge[e] = base + place.lower[1] * nh + place.lower[2];
  }
  const std::uint8_t* squareLow = lower.square.data();
  const std::uint8_t* squareHigh = upper.square.data();
  std::vector<std::uint32_t>& out = mesh_->triangles;
  for (Long j = 0; j < vol.lastV; ++j) {
    const std::size_t row = static_cast<std::size_t>(j) * nh;
    for (std::size_t p = row; p < row + nh - 1; ++p) {
      const unsigned cube =
          kSquareCorners.lower[squareLow[p]] | kSquareCorners.upper[squareHigh[p]];
      if (cube == 0 || cube == 255) continue;
      const std::int8_t* t = tables.triangles[cube].data();
      for (; *t >= 0; ++t) out.push_back(edge[*t][p]);
    }
  }
}

void IsoSurfacer::Polygonise(const IsoVolume& volume, double level, IsoMesh& mesh) {
  mesh.Clear();
  if (volume.lastU < 1 || volume.lastV < 1 || volume.lastH < 1) return;
  volume_ = &volume;
  mesh_ = &mesh;
  level_ = level;
  levelF_ = static_cast<float>(level);
  planeNodes_ =
      (static_cast<std::size_t>(volume.lastV) + 1) * (static_cast<std::size_t>(volume.lastH) + 1);
  for (Plane& plane : planes_) {
    plane.below.resize(planeNodes_);
    plane.square.resize(planeNodes_);
    plane.alongV.resize(planeNodes_);
    plane.alongH.resize(planeNodes_);
    plane.gradient.resize(planeNodes_);
    plane.gradientPass.resize(planeNodes_);
  }
  alongU_.resize(planeNodes_);
  StartPlane(0, planes_[0]);
  CutPlaneEdges(planes_[0]);
  for (Long i = 0; i < volume.lastU; ++i) {
    Plane& lower = planes_[i % 2];
    Plane& upper = planes_[(i + 1) % 2];
    StartPlane(i + 1, upper);
    CutPlaneEdges(upper);
    CutEdgesAcross(lower, upper);
    PolygoniseSlab(lower, upper);
  }
  volume_ = nullptr;
  mesh_ = nullptr;
}

std::optional<IsoVolume> RegularVolumeOf(const DataSet& data, Long stepU, Long stepV, Long stepH) {
  const VolumeView view(data, stepU, stepV, stepH);
  if (view.Empty()) return std::nullopt;
  const CheckedArray<double, 3>* arrays[4] = {&data.Reg4DXArray(), &data.Reg4DYArray(),
                                              &data.Reg4DZArray(), &data.Reg4DVArray()};
  // The four arrays are read through one set of strides.
  for (const CheckedArray<double, 3>* a : arrays) {
    for (std::size_t d = 0; d < 3; ++d) {
      if (a->Upper(d) != arrays[0]->Upper(d)) return std::nullopt;
    }
  }
  IsoVolume vol;
  vol.lastU = view.LastU();
  vol.lastV = view.LastV();
  vol.lastH = view.LastH();
  vol.strideV = static_cast<std::size_t>(arrays[0]->Upper(2)) + 1;
  vol.strideU = vol.strideV * (static_cast<std::size_t>(arrays[0]->Upper(1)) + 1);
  vol.x = arrays[0]->data();
  vol.y = arrays[1]->data();
  vol.z = arrays[2]->data();
  vol.v = arrays[3]->data();
  return vol;
}

}  // namespace qv
