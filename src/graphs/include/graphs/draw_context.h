// What bounding and drawing a graph read besides the graph's own options:
// the data set and the shared settings (the data scales, the view kind, the
// scene centre, the legend's font), and for the prepare steps what they
// make their GL objects with. The window builds one from its Workspace for
// each build; a test builds one from just a data set and settings.
#pragma once

#include <functional>
#include <string>

#include "data/data_set.h"
#include "platform/shared_settings.h"

namespace qv {

class TextureCache;

// What the prepare steps use besides the data and the settings.
struct DrawResources {
  // The drawing context's textures; without them no texture is made.
  TextureCache* textures = nullptr;
  // The open document's folder (a file-system path), where relative and
  // Windows-style texture names are looked for; "" for the working folder.
  std::string documentFolder;
  // Shows a short note in the status bar (Windows-1252 text); may be empty.
  std::function<void(const std::string&)> showStatus;
};

struct DrawContext {
  // The data set every graph is drawn from, with the triangles of its last
  // Delaunay triangulation.
  const DataSet& data;
  // Read: DataScaleX..DataScaleZ (data units per scene unit), ViewCode,
  // CenterX..CenterZ (the scene centre in data axes, subtracted from every
  // drawn coordinate) and BitmapFontBase (the legend's labels).
  const SharedSettings& settings;
  // Read by the prepare steps only; nullptr where nothing is to be made.
  const DrawResources* resources = nullptr;
};

}  // namespace qv
