// The value ranges of the data set that the dialogs' automatic choices and
// checks read.
#pragma once

#include "data/data_set.h"

namespace qv {

// Highest minus lowest height of the regular surface nodes, in the units the
// surface drawing works in; 0 when there are none.
double SurfaceHeightRange(const DataSet& data);

}  // namespace qv
