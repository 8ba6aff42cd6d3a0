#include "data_view.h"

#include "data/data_set.h"

namespace qv {

Long DataKindOf(const DataSet& data) { return data.LoadedKind(); }

}  // namespace qv
