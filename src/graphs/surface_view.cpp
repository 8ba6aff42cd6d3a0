#include "surface_view.h"

#include "data/data_set.h"
#include "view_extent.h"

namespace qv {

SurfaceView::SurfaceView(const DataSet& data, Long stepU, Long stepV)
    : x_(&data.Reg3DXArray()),
      y_(&data.Reg3DYArray()),
      z_(&data.Reg3DZArray()),
      c_(&data.Reg3DCArray()) {
  const Long upperU = CommonUpper<2>({x_, y_, z_}, 0);
  const Long upperV = CommonUpper<2>({x_, y_, z_}, 1);
  lastU_ = ClampStep(stepU, data.StepsX(), upperU);
  lastV_ = ClampStep(stepV, data.StepsY(), upperV);
  if (lastU_ < 0 || lastV_ < 0) {
    lastU_ = lastV_ = -1;
    return;
  }
  // The colour column counts only when it covers every node read.
  hasC_ = CommonUpper<2>({c_}, 0) >= lastU_ && CommonUpper<2>({c_}, 1) >= lastV_;
}

}  // namespace qv
