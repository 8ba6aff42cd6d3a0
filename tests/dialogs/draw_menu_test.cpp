#include "dialogs/draw_menu.h"

#include <gtest/gtest.h>

#include "data/memory_data_panel.h"
#include "graphs/graph_kinds.h"
#include "support/scripted_message_box.h"

namespace qv {
namespace {

TEST(DrawMenuTest, TheSurfaceEntryEndsWithTheGraphsName) {
  Graph g;
  g.GraphType = kSurfaceModel;
  g.NameS = "Hills";
  EXPECT_EQ(DrawListEntry(g, kViewCode3D), "3D Surface Model  Hills");
}

TEST(DrawMenuTest, EveryKindOfTheMenuHasADialogAndNoOtherKindHasOne) {
  Workspace workspace;
  MemoryDataPanel panel;
  test::ScriptedMessageBox messages;
  for (const GraphKindRow& row : GraphKinds()) {
    const bool offered = row.views != kInNoView && row.code != kPointGraph;
    const std::unique_ptr<GraphDialogModel> model =
        MakeGraphDialog(row.code, DialogContext{workspace, panel, messages});
    EXPECT_EQ(model != nullptr, offered) << row.code;
    if (model) {
      EXPECT_EQ(model->Kind(), row.code);
    }
  }
}

TEST(DrawMenuTest, The2DKindsAndA2DPointFaceTheFront) {
  for (Long kind : {kColorMapGraph, kContourPlot, kVectorPlot}) {
    const SceneOrientation o = DrawOrientation(kind, kViewCode2D);
    EXPECT_EQ(o.pitch, 0.0);
    EXPECT_EQ(o.yaw, 0.0);
  }
  EXPECT_EQ(DrawOrientation(kPointGraph, kViewCode2D).yaw, 0.0);
  for (Long kind : {kPointGraph, kSurfaceModel, kSlice4D}) {
    const SceneOrientation o = DrawOrientation(kind, kViewCode3D);
    EXPECT_EQ(o.roll, 0.0);
    EXPECT_EQ(o.pitch, -30.0);
    EXPECT_EQ(o.yaw, 45.0);
  }
}

}  // namespace
}  // namespace qv
