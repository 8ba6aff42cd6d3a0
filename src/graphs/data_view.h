// Read-only views of the data set's arrays as the graphs use them, with the
// extent clamped to the nodes the data set holds (its StepsX, StepsY, StepsZ
// and Points, and the arrays' bounds): a graph whose StepU, StepV or StepH
// exceed the data set (after the data panel changed, or from a record) reads
// only the nodes that exist, and a view of arrays never allocated is empty.
#pragma once

#include "platform/runtime.h"
#include "points_view.h"
#include "surface_view.h"
#include "triangles_view.h"
#include "volume_view.h"

namespace qv {

class DataSet;

// The data kind (list index 0..7 of the data-kind list) the data set was
// last filled as.
Long DataKindOf(const DataSet& data);

}  // namespace qv
