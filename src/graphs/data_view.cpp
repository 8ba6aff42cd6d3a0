#include "data_view.h"

#include <algorithm>
#include <initializer_list>

#include "data/data_set.h"

namespace qv {

namespace {

// The highest index along dimension d that every array holds, or -1 when one
// of them was never allocated (or does not start at 0).
template <std::size_t Rank>
Long CommonUpper(std::initializer_list<const CheckedArray<double, Rank>*> arrays, std::size_t d) {
  Long upper = -1;
  bool first = true;
  for (const CheckedArray<double, Rank>* a : arrays) {
    if (!a->Allocated() || a->Lower(d) != 0) return -1;
    upper = first ? a->Upper(d) : std::min(upper, a->Upper(d));
    first = false;
  }
  return upper;
}

// step clamped to the nodes the data set loaded (0..nodes-1) and to what the
// arrays hold (0..upper): the arrays have one spare row past the last node,
// which holds no data. -1 (nothing) when there is no node or step < 0.
Long Clamp(Long step, Long nodes, Long upper) {
  const Long last = std::min(nodes - 1, upper);
  if (last < 0 || step < 0) return -1;
  return std::min(step, last);
}

}  // namespace

Long DataKindOf(const DataSet& data) { return data.LoadedKind(); }

SurfaceView::SurfaceView(const DataSet& data, Long stepU, Long stepV)
    : x_(&data.Reg3DXArray()),
      y_(&data.Reg3DYArray()),
      z_(&data.Reg3DZArray()),
      c_(&data.Reg3DCArray()) {
  const Long upperU = CommonUpper<2>({x_, y_, z_}, 0);
  const Long upperV = CommonUpper<2>({x_, y_, z_}, 1);
  lastU_ = Clamp(stepU, data.StepsX(), upperU);
  lastV_ = Clamp(stepV, data.StepsY(), upperV);
  if (lastU_ < 0 || lastV_ < 0) {
    lastU_ = lastV_ = -1;
    return;
  }
  // The colour column counts only when it covers every node read.
  hasC_ = CommonUpper<2>({c_}, 0) >= lastU_ && CommonUpper<2>({c_}, 1) >= lastV_;
}

PointsView::PointsView(const DataSet& data)
    : x_(&data.Irreg3DXArray()),
      y_(&data.Irreg3DYArray()),
      z_(&data.Irreg3DZArray()),
      c_(&data.Irreg3DCArray()) {
  const Long upper = CommonUpper<1>({x_, y_, z_}, 0);
  count_ = std::max<Long>(0, std::min(data.Points(), upper + 1));
  hasC_ = count_ > 0 && CommonUpper<1>({c_}, 0) + 1 >= count_;
}

TrianglesView::TrianglesView(const DataSet& data) : data_(&data) {
  count_ = std::max<Long>(0, std::min(data.DelaunayTriCount(), data.DelaunayTriRecords()));
}

Long TrianglesView::Vertex(Long t, int corner) const {
  const DelaunayTri& tri = data_->DelaunayTris(t + 1);
  if (corner == 0) return tri.V1;
  if (corner == 1) return tri.V2;
  return tri.V3;
}

VolumeView::VolumeView(const DataSet& data, Long stepU, Long stepV, Long stepH)
    : x_(&data.Reg4DXArray()),
      y_(&data.Reg4DYArray()),
      z_(&data.Reg4DZArray()),
      v_(&data.Reg4DVArray()) {
  lastU_ = Clamp(stepU, data.StepsX(), CommonUpper<3>({x_, y_, z_, v_}, 0));
  lastV_ = Clamp(stepV, data.StepsY(), CommonUpper<3>({x_, y_, z_, v_}, 1));
  lastH_ = Clamp(stepH, data.StepsZ(), CommonUpper<3>({x_, y_, z_, v_}, 2));
  if (lastU_ < 0 || lastV_ < 0 || lastH_ < 0) lastU_ = lastV_ = lastH_ = -1;
}

}  // namespace qv
