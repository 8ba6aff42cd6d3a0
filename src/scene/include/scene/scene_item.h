// What a scene group needs of the items it holds. Graphs (Graph) are the only
// items the program makes; tests use small fakes.
//
// Drawing takes no scene-level arguments: an item that needs the shared
// settings or the data set holds a reference to the Workspace it was made for
// (the scene library cannot see the Workspace, which lives above it).
#pragma once

#include <string>

#include "platform/runtime.h"
#include "platform/box.h"

namespace qv {

class SceneItem {
 public:
  virtual ~SceneItem() = default;

  // Identity of the item within the document; its decimal text (CStr) is the
  // item's key in both scene groups.
  virtual Long ID() const = 0;
  // Draws the item into the current OpenGL context, with the scene centre
  // subtracted from every coordinate. Needs a current context.
  virtual void Draw() = 0;
  // The item's record text for the document, every token followed by one blank.
  virtual std::string Save() const = 0;
  // The box the item occupies, in scene axes and data units (not centred).
  virtual Box GetBox() const = 0;
  // Draws the item's colour legend into the 0..100 overlay frame that the
  // scene building sets up (origin lower left). Needs a current context.
  virtual void DrawLegend() = 0;
  // Takes the core options of source (an item of the same concrete kind); an
  // item of another kind leaves this one unchanged.
  virtual void EqualTo(const SceneItem& source) = 0;
};

}  // namespace qv
