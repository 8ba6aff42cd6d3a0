// The data set's regular volume as the graphs read it (see data_view.h).
#pragma once

#include "platform/checked_array.h"
#include "platform/runtime.h"

namespace qv {

class DataSet;

// The regular volume: node (i, j, k) up to LastU, LastV, LastH; -1 when empty.
class VolumeView {
 public:
  VolumeView(const DataSet& data, Long stepU, Long stepV, Long stepH);
  Long LastU() const { return lastU_; }
  Long LastV() const { return lastV_; }
  Long LastH() const { return lastH_; }
  bool Empty() const { return lastU_ < 0 || lastV_ < 0 || lastH_ < 0; }
  double X(Long i, Long j, Long k) const { return (*x_)(i, j, k); }
  double Y(Long i, Long j, Long k) const { return (*y_)(i, j, k); }
  double Z(Long i, Long j, Long k) const { return (*z_)(i, j, k); }
  double V(Long i, Long j, Long k) const { return (*v_)(i, j, k); }

 private:
  const CheckedArray<double, 3>* x_;
  const CheckedArray<double, 3>* y_;
  const CheckedArray<double, 3>* z_;
  const CheckedArray<double, 3>* v_;
  Long lastU_ = -1;
  Long lastV_ = -1;
  Long lastH_ = -1;
};

}  // namespace qv
