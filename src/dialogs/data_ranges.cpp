#include "data_ranges.h"

#include <algorithm>
#include <cmath>

namespace qv {

double SurfaceHeightRange(const DataSet& data) {
  const CheckedArray<double, 2>& z = data.Reg3DZArray();
  if (!z.Allocated()) return 0.0;
  double low = 0.0;
  double high = 0.0;
  bool any = false;
  for (Long i = z.Lower(0); i <= z.Upper(0); ++i) {
    for (Long j = z.Lower(1); j <= z.Upper(1); ++j) {
      const double v = z(i, j);
      if (!std::isfinite(v)) continue;
      low = any ? std::min(low, v) : v;
      high = any ? std::max(high, v) : v;
      any = true;
    }
  }
  return high - low;
}

}  // namespace qv
