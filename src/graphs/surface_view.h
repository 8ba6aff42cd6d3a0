// The data set's regular surface as the graphs read it (see data_view.h).
#pragma once

#include "platform/checked_array.h"
#include "platform/runtime.h"

namespace qv {

class DataSet;

// The regular surface: node (i, j), i = 0..LastU, j = 0..LastV; -1 when empty.
class SurfaceView {
 public:
  // The nodes 0..stepU by 0..stepV of data's regular surface, clamped.
  SurfaceView(const DataSet& data, Long stepU, Long stepV);
  Long LastU() const { return lastU_; }
  Long LastV() const { return lastV_; }
  bool Empty() const { return lastU_ < 0 || lastV_ < 0; }
  double X(Long i, Long j) const { return (*x_)(i, j); }
  double Y(Long i, Long j) const { return (*y_)(i, j); }
  double Z(Long i, Long j) const { return (*z_)(i, j); }
  // The colour column; 0 where the data set holds none.
  double C(Long i, Long j) const { return hasC_ ? (*c_)(i, j) : 0.0; }

 private:
  const CheckedArray<double, 2>* x_;
  const CheckedArray<double, 2>* y_;
  const CheckedArray<double, 2>* z_;
  const CheckedArray<double, 2>* c_;
  bool hasC_ = false;
  Long lastU_ = -1;
  Long lastV_ = -1;
};

}  // namespace qv
