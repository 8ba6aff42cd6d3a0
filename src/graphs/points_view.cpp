#include "points_view.h"

#include "data/data_set.h"
#include "view_extent.h"

namespace qv {

PointsView::PointsView(const DataSet& data)
    : x_(&data.Irreg3DXArray()),
      y_(&data.Irreg3DYArray()),
      z_(&data.Irreg3DZArray()),
      c_(&data.Irreg3DCArray()) {
  const Long upper = CommonUpper<1>({x_, y_, z_}, 0);
  count_ = std::max<Long>(0, std::min(data.Points(), upper + 1));
  hasC_ = count_ > 0 && CommonUpper<1>({c_}, 0) + 1 >= count_;
}

}  // namespace qv
