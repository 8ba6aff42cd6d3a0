// The point dialog ("Point Properties"): adds a point graph at the typed
// position, in the colour and size chosen.
#pragma once

#include <memory>
#include <string>

#include "dialogs/dialog_context.h"
#include "dialogs/graph_dialog.h"
#include "graphs/graph.h"

namespace qv {

class PointDialogModel {
 public:
  static constexpr const char* kCaption = "Point Properties";

  // The boxes start empty; the Z box is shown in 3D and 4D documents only.
  explicit PointDialogModel(DialogContext context);

  const char* Caption() const { return kCaption; }

  std::string x, y, z;
  bool ZShown() const { return zShown_; }
  // The swatch, red at first.
  Long color = kRed;
  // Position in the size list "1".."8"; "2" at first.
  int size = 1;

  // OK: cleans the shown boxes by ParseRealText in the order y, z, x,
  // writing the cleaned texts back. A refused box or a number beyond a
  // Double shows "Illegal data exist." (title "Error"); a box left blank
  // shows "Input all parameters please." (title "Note"); both return false
  // with nothing created. Otherwise adds a point graph (GraphType 7, the
  // next ID) at the position, stored in the point fields by the view kind,
  // to both groups and returns true.
  bool Ok();
  // The graph the last accepted OK added.
  const std::shared_ptr<Graph>& Created() const { return created_; }

 private:
  DialogContext context_;
  bool zShown_ = true;
  std::shared_ptr<Graph> created_;
};

}  // namespace qv
