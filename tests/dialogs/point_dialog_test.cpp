#include "dialogs/point_dialog.h"

#include <gtest/gtest.h>

#include "dialog_bench.h"
#include "dialogs/draw_menu.h"
#include "graphs/graph_kinds.h"

namespace qv {
namespace {

class PointDialogTest : public testing::Test {
 protected:
  PointDialogModel Open(Long viewCode) {
    bench.workspace.settings.ViewCode = viewCode;
    return PointDialogModel(bench.Context());
  }
  test::DialogBench bench;
};

TEST_F(PointDialogTest, OpensEmptyRedAtSizeTwoWithZShownOutside2D) {
  const PointDialogModel model = Open(kViewCode3D);
  EXPECT_STREQ(model.Caption(), "Point Properties");
  EXPECT_EQ(model.x + model.y + model.z, "");
  EXPECT_EQ(model.color, 255);
  EXPECT_EQ(model.size, 1);
  EXPECT_TRUE(model.ZShown());
  EXPECT_FALSE(Open(kViewCode2D).ZShown());
  EXPECT_TRUE(Open(kViewCode4D).ZShown());
}

TEST_F(PointDialogTest, A3DPointStoresTheTypedAxesRotatedAndTakesTheNextID) {
  bench.workspace.settings.NextGraphID = 4;
  PointDialogModel model = Open(kViewCode3D);
  model.x = "1";
  model.y = "2";
  model.z = "3";
  model.size = 4;
  model.color = 65280;
  ASSERT_TRUE(model.Ok());
  const Graph& g = *model.Created();
  EXPECT_EQ(g.GraphType, kPointGraph);
  EXPECT_EQ(g.ID(), 5);
  EXPECT_EQ(bench.workspace.settings.NextGraphID, 5);
  EXPECT_EQ(g.PointX, 2.0);
  EXPECT_EQ(g.PointY, 3.0);
  EXPECT_EQ(g.PointZ, 1.0);
  EXPECT_EQ(g.PointSize, 5.0);
  EXPECT_EQ(g.PointColor, 65280);
  EXPECT_EQ(g.CoordType, 0);
  EXPECT_EQ(g.FillStyle, 4);
  EXPECT_EQ(g.FirstColor, 16711680);
  EXPECT_EQ(g.Material, 4);
  EXPECT_EQ(g.Show, 2);
  EXPECT_EQ(g.Smoothness, 2);
  EXPECT_EQ(g.LineWidth, 1);
  EXPECT_EQ(g.MaxU, 1.0);
  EXPECT_TRUE(bench.workspace.allGraphs.Items.Contains("5"));
  EXPECT_TRUE(bench.workspace.shownGraphs.Items.Contains("5"));
  EXPECT_EQ(DrawListEntry(g, kViewCode3D), "Point  x=1, y=2, z=3");
}

TEST_F(PointDialogTest, A2DPointLeavesPointXAtZero) {
  PointDialogModel model = Open(kViewCode2D);
  model.x = "1,5";
  model.y = " ";
  model.z = "junk in the hidden box";
  ASSERT_TRUE(model.Ok());
  const Graph& g = *model.Created();
  EXPECT_EQ(g.PointX, 0.0);
  EXPECT_EQ(g.PointY, 1.5);
  EXPECT_EQ(g.PointZ, 0.0);
  EXPECT_EQ(g.CoordType, 1);
  EXPECT_EQ(model.x, "1.5");
  EXPECT_EQ(DrawListEntry(g, kViewCode2D), "Point  x=1.5, y=0");
}

struct PointRefusal {
  const char* name;
  const char* x;
  const char* y;
  const char* z;
  const char* message;
  const char* title;
};

class PointRefusalTest : public PointDialogTest,
                         public testing::WithParamInterface<PointRefusal> {};

TEST_P(PointRefusalTest, ShowsItsMessageAndCreatesNothing) {
  const PointRefusal& c = GetParam();
  PointDialogModel model = Open(kViewCode3D);
  model.x = c.x;
  model.y = c.y;
  model.z = c.z;
  EXPECT_FALSE(model.Ok());
  ASSERT_EQ(bench.messages.Shown().size(), 1u);
  EXPECT_EQ(bench.messages.Shown()[0].text, c.message);
  EXPECT_EQ(bench.messages.Shown()[0].title, c.title);
  EXPECT_EQ(bench.workspace.allGraphs.Items.Count(), 0);
  EXPECT_EQ(bench.workspace.settings.NextGraphID, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PointRefusalTest,
    testing::Values(PointRefusal{"Letter", "1", "2", "z", kIllegalDataMessage, "Error"},
                    PointRefusal{"BeyondDouble", "1e400", "2", "3", kIllegalDataMessage, "Error"},
                    PointRefusal{"TwoBlanks", "  ", "2", "3", kInputAllParametersMessage, "Note"}),
    [](const testing::TestParamInfo<PointRefusal>& info) { return info.param.name; });

}  // namespace
}  // namespace qv
