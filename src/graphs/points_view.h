// The data set's irregular surface points as the graphs read them (see
// data_view.h).
#pragma once

#include "platform/checked_array.h"
#include "platform/runtime.h"

namespace qv {

class DataSet;

// The irregular surface points p = 0..Count()-1.
class PointsView {
 public:
  explicit PointsView(const DataSet& data);
  Long Count() const { return count_; }
  double X(Long p) const { return (*x_)(p); }
  double Y(Long p) const { return (*y_)(p); }
  double Z(Long p) const { return (*z_)(p); }
  double C(Long p) const { return hasC_ ? (*c_)(p) : 0.0; }

 private:
  const CheckedArray<double, 1>* x_;
  const CheckedArray<double, 1>* y_;
  const CheckedArray<double, 1>* z_;
  const CheckedArray<double, 1>* c_;
  bool hasC_ = false;
  Long count_ = 0;
};

}  // namespace qv
