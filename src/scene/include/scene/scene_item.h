// What a scene group needs of the items it holds. Graphs (Graph) are the only
// items the program makes; tests use small fakes.
//
// Bounding and drawing read things that live above the scene library (the
// data set among them), so they take a DrawContext, which the graphs library
// defines (graphs/draw_context.h). The scene never looks inside it: it passes
// the caller's context on to the items unchanged.
#pragma once

#include <string>

#include "platform/box.h"
#include "platform/runtime.h"
#include "platform/shared_settings.h"

namespace qv {

struct DrawContext;

class SceneItem {
 public:
  virtual ~SceneItem() = default;

  // Identity of the item within the document; its decimal text (CStr) is the
  // item's key in both scene groups.
  virtual Long ID() const = 0;
  // Makes what Draw will need in the drawing context (a texture, say), before
  // the scene's display lists are compiled. Needs a current context. Does
  // nothing unless the item has such things.
  virtual void PrepareDrawing(const DrawContext& /*context*/) {}
  // Draws the item into the current OpenGL context, with the scene centre
  // subtracted from every coordinate. Needs a current context.
  virtual void Draw(const DrawContext& context) = 0;
  // Frees what PrepareDrawing made, in the context it was made in (which is
  // current): called when the item is deleted and when the drawing context
  // goes away. Does nothing unless the item has such things.
  virtual void ReleaseDrawing() {}
  // Whether Draw may leave pixels it colours without a depth (a transparent
  // surface): the scene then accumulates its passes over the whole picture.
  virtual bool DrawsWithoutDepth() const { return false; }
  // The oldest document format whose record holds all of the item that a
  // reopened document would show. A document is written in the newest format
  // that any of its items needs.
  virtual Long RecordFormat() const = 0;
  // The item's record text in the layout of format (the document's, at least
  // RecordFormat()), every token followed by one blank; settings give what
  // every record carries besides the item (the gridding methods).
  virtual std::string Save(const SharedSettings& settings, Long format) const = 0;
  // The box the item occupies, in scene axes and data units (not centred).
  virtual Box GetBox(const DrawContext& context) const = 0;
  // Draws the item's colour legend into the 0..100 overlay frame that the
  // scene building sets up (origin lower left). Needs a current context.
  virtual void DrawLegend(const DrawContext& context) = 0;
  // Whether DrawLegend draws anything (a bar at the right-hand side).
  virtual bool HasLegend(const DrawContext& /*context*/) const { return false; }
  // Takes the core options of source (an item of the same concrete kind); an
  // item of another kind leaves this one unchanged.
  virtual void EqualTo(const SceneItem& source) = 0;
};

}  // namespace qv
