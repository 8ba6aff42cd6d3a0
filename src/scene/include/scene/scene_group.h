// A scene group: an ordered, keyed collection of graphs with the operations
// on all of them (box, drawing, record) and the model orientation.
#pragma once

#include <memory>
#include <string>

#include "platform/box.h"
#include "platform/keyed_collection.h"
#include "scene/axis_system.h"
#include "scene/scene_item.h"

namespace qv {

class SceneGroup {
 public:
  // The graphs, keyed by CStr(ID). The same item may sit in several groups
  // at once: a change made through one group is seen through the other.
  KeyedCollection<std::shared_ptr<SceneItem>> Items;

  // Kept for the group's interface; no operation of the program reads them.
  bool DrawAxis = true;
  std::shared_ptr<AxisSystem> Axis = std::make_shared<AxisSystem>();
  double ScaleX = 1.0;
  double ScaleY = 1.0;
  double ScaleZ = 1.0;
  double TransX = 0.0;
  double TransY = 0.0;
  double TransZ = 0.0;

  // Model rotation in degrees, applied by the scene building.
  double RotRoll = 0.0;
  double RotPitch = 0.0;
  double RotYaw = 0.0;

  // The union of the items' boxes (each bounded in context) widened by 0.04
  // on every side. An empty group gives minima 99999999 - 0.04 and maxima
  // -99999999 + 0.04.
  Box GetBox(const DrawContext& context) const;
  // Draws every item in collection order into the current OpenGL context.
  void Draw(const DrawContext& context) const;
  // The newest RecordFormat() of the items; 0 for an empty group.
  Long RecordFormat() const;
  // The group record: dataSetRecord (which ends without a blank), one blank,
  // then each item's Save text in format, in collection order. The caller
  // passes the data set's record because the data set lives above the scene
  // library.
  std::string Save(const std::string& dataSetRecord, const SharedSettings& settings,
                   Long format) const;
};

}  // namespace qv
