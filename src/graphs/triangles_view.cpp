#include "triangles_view.h"

#include <algorithm>

#include "data/data_set.h"

namespace qv {

TrianglesView::TrianglesView(const DataSet& data) : data_(&data) {
  count_ = std::max<Long>(0, std::min(data.DelaunayTriCount(), data.DelaunayTriRecords()));
}

Long TrianglesView::Vertex(Long t, int corner) const {
  const DelaunayTri& tri = data_->DelaunayTris(t + 1);
  if (corner == 0) return tri.V1;
  if (corner == 1) return tri.V2;
  return tri.V3;
}

}  // namespace qv
