// What bounding and drawing a graph read besides the graph's own options:
// the data set and the shared settings (the data scales, the view kind, the
// scene centre, the legend's font). The window builds one from its Workspace
// for each build; a test builds one from just a data set and settings.
#pragma once

#include "data/data_set.h"
#include "platform/shared_settings.h"

namespace qv {

struct DrawContext {
  // The data set every graph is drawn from, with the triangles of its last
  // Delaunay triangulation.
  const DataSet& data;
  // Read: DataScaleX..DataScaleZ (data units per scene unit), ViewCode,
  // CenterX..CenterZ (the scene centre in data axes, subtracted from every
  // drawn coordinate) and BitmapFontBase (the legend's labels).
  const SharedSettings& settings;
};

}  // namespace qv
