// A dialog service for tests: records the caption of every dialog shown and
// plays the user: an optional edit of the model, then OK (the model's Ok
// decides whether the dialog closes that way) or Cancel.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "window/dialog_service.h"

namespace qv::test {

class ScriptedDialogs final : public DialogService {
 public:
  bool Show(AxisDialogModel& model) override { return Play(model, editAxis); }
  bool Show(LightDialogModel& model) override { return Play(model, editLight); }
  bool Show(ViewDialogModel& model) override { return Play(model, editView); }
  bool Show(PointDialogModel& model) override { return Play(model, editPoint); }
  bool Show(GridSizeDialogModel& model) override { return Play(model, editGridSize); }
  bool Show(GraphDialogModel& model) override { return Play(model, editGraph); }

  // Press OK (true) or Cancel (false) after the edit. A refused OK is
  // followed by Cancel, as a user gives up.
  bool pressOk = true;
  std::function<void(AxisDialogModel&)> editAxis;
  std::function<void(LightDialogModel&)> editLight;
  std::function<void(ViewDialogModel&)> editView;
  std::function<void(PointDialogModel&)> editPoint;
  std::function<void(GridSizeDialogModel&)> editGridSize;
  std::function<void(GraphDialogModel&)> editGraph;

  std::vector<std::string> captions;

 private:
  template <typename Model>
  bool Play(Model& model, const std::function<void(Model&)>& edit) {
    captions.emplace_back(model.Caption());
    if (edit) edit(model);
    return pressOk && model.Ok();
  }
};

}  // namespace qv::test
