#include "volume_view.h"

#include "data/data_set.h"
#include "view_extent.h"

namespace qv {

VolumeView::VolumeView(const DataSet& data, Long stepU, Long stepV, Long stepH)
    : x_(&data.Reg4DXArray()),
      y_(&data.Reg4DYArray()),
      z_(&data.Reg4DZArray()),
      v_(&data.Reg4DVArray()) {
  lastU_ = ClampStep(stepU, data.StepsX(), CommonUpper<3>({x_, y_, z_, v_}, 0));
  lastV_ = ClampStep(stepV, data.StepsY(), CommonUpper<3>({x_, y_, z_, v_}, 1));
  lastH_ = ClampStep(stepH, data.StepsZ(), CommonUpper<3>({x_, y_, z_, v_}, 2));
  if (lastU_ < 0 || lastV_ < 0 || lastH_ < 0) lastU_ = lastV_ = lastH_ = -1;
}

}  // namespace qv
