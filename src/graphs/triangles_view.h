// The data set's Delaunay triangles as the graphs read them.
#pragma once

#include "platform/runtime.h"

namespace qv {

class DataSet;

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

}  // namespace qv
