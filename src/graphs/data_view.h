// Read-only views of the data set's arrays as the graphs use them, with the
// extent clamped to the nodes the data set holds (its StepsX, StepsY, StepsZ
// and Points, and the arrays' bounds): a graph whose StepU, StepV or StepH
// exceed the data set (after the data panel changed, or from a record) reads
// only the nodes that exist, and a view of arrays never allocated is empty.
#pragma once

#include "platform/checked_array.h"
#include "platform/runtime.h"

namespace qv {

class DataSet;

// The data kind (list index 0..7 of the data-kind list) the data set was
// last filled as.
Long DataKindOf(const DataSet& data);

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

// The triangles of the data set's last Delaunay triangulation: triangle t =
// 0..Count()-1 names three point numbers 1..Points (point number v is
// irregular point v - 1). The numbers are not checked here.
class TrianglesView {
 public:
  explicit TrianglesView(const DataSet& data);
  Long Count() const { return count_; }
  Long Vertex(Long t, int corner) const;

 private:
  const DataSet* data_;
  Long count_ = 0;
};

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
