#include "dialogs/slice_dialog.h"

#include <gtest/gtest.h>

#include "dialog_bench.h"
#include "entry_text.h"

namespace qv {
namespace {

constexpr int kX = 0;
constexpr int kY = 1;
constexpr int kZ = 2;

class SliceDialogTest : public testing::Test {
 protected:
  SliceDialogTest() { EXPECT_TRUE(bench.LoadRegularVolume(4, 5, 6)); }

  test::DialogBench bench;
  SliceDialogModel model{bench.Context()};
};

TEST_F(SliceDialogTest, AFreshAddGivesTheDefaultEntry) {
  ASSERT_TRUE(model.Add(kX));
  // The position "0", four empty range fields, then 1, 1, 30, 12632256, 0.
  EXPECT_EQ(model.directions[kX].entries[0].Text(), "0     1 1 30 12632256 0");
  SliceDirection& y = model.directions[kY];
  y.position = "2.5";
  y.ranges = {"1", "10", "1", "20"};
  y.vector = true;
  y.contour = false;
  ASSERT_TRUE(model.Add(kY));
  EXPECT_EQ(y.entries[0].Text(), "2.5 1 10 1 20 1 0 1 16744703");
}

TEST_F(SliceDialogTest, ResetEmptiesTheListAndThePositionButKeepsRangesAndSwatches) {
  SliceDirection& z = model.directions[kZ];
  z.ranges = {"1", "2", "3", "4"};
  z.contourColor = 42;
  z.interval = "5";
  z.vector = true;
  ASSERT_TRUE(model.Add(kZ));
  model.Reset(kZ);
  EXPECT_TRUE(z.entries.empty());
  EXPECT_EQ(z.position, "");
  EXPECT_EQ(z.interval, "30");
  EXPECT_FALSE(z.vector);
  EXPECT_EQ(z.ranges[3], "4");
  EXPECT_EQ(z.contourColor, 42);
  ASSERT_TRUE(model.Add(kZ));
  EXPECT_EQ(z.entries[0].Text().front(), ' ');
}

TEST_F(SliceDialogTest, RemoveTakesTheSelectedEntryOnly) {
  ASSERT_TRUE(model.Add(kX));
  model.directions[kX].position = "1";
  ASSERT_TRUE(model.Add(kX));
  model.Remove(kX);  // nothing selected
  EXPECT_EQ(model.directions[kX].entries.size(), 2u);
  model.directions[kX].selected = 0;
  model.Remove(kX);
  ASSERT_EQ(model.directions[kX].entries.size(), 1u);
  EXPECT_EQ(model.directions[kX].entries[0].position, "1");
}

// The graph holds at most 50 slices a direction, at indices 1..50.
TEST_F(SliceDialogTest, AListTakesFiftySlicesAndRefusesMore) {
  for (int k = 1; k <= 50; ++k) {
    model.directions[kY].position = CStr(k % 5);
    ASSERT_TRUE(model.Add(kY)) << k;
  }
  EXPECT_TRUE(bench.messages.Shown().empty());
  EXPECT_FALSE(model.Add(kY));
  EXPECT_EQ(bench.messages.Texts(), std::vector<std::string>{kSliceListFullMessage});
  EXPECT_EQ(model.directions[kY].entries.size(), 50u);
  bench.messages.Clear();
  ASSERT_TRUE(model.Ok());
  const Graph& g = *model.Created();
  EXPECT_EQ(g.Slice4NumY, 50);
  EXPECT_EQ(g.Slice4Y(50), 0.0);
  EXPECT_EQ(g.Slice4Y(49), 4.0);
  EXPECT_EQ(g.Slice4Y(1), 1.0);
}

TEST_F(SliceDialogTest, OkStoresEachDirectionsSlicesFromIndexOne) {
  SliceDirection& x = model.directions[kX];
  x.position = "1,5";
  x.ranges = {"2", "4", "", ""};
  x.contourColor = 7;
  ASSERT_TRUE(model.Add(kX));
  SliceDirection& z = model.directions[kZ];
  z.position = "3";
  z.ranges = {"", "3", "2", ""};
  z.color = false;
  z.contour = false;
  z.vector = true;
  z.vectorColor = 9;
  ASSERT_TRUE(model.Add(kZ));
  model.colormap = false;
  ASSERT_TRUE(model.Ok());
  const Graph& g = *model.Created();
  EXPECT_EQ(g.FillStyle, 2);
  EXPECT_EQ(g.Slice4NumX, 1);
  EXPECT_EQ(g.Slice4NumY, 0);
  EXPECT_EQ(g.Slice4NumZ, 1);
  EXPECT_EQ(g.Slice4X(1), 1.5);
  EXPECT_TRUE(g.SliceXShowColor(1));
  EXPECT_TRUE(g.SliceXShowCont(1));
  EXPECT_EQ(g.SliceXContLevels(1), 30.0);
  EXPECT_EQ(g.SliceXContColor(1), 7);
  EXPECT_FALSE(g.SliceXShowVect(1));
  // X slices span rows of Y (5 nodes) then Z (6 nodes); blank boxes take
  // the axis's ends.
  EXPECT_EQ(g.Slice4YZYB(1), 2);
  EXPECT_EQ(g.Slice4YZYE(1), 4);
  EXPECT_EQ(g.Slice4YZZB(1), 1);
  EXPECT_EQ(g.Slice4YZZE(1), 6);
  // Z slices span rows of X (4 nodes) then Y (5 nodes).
  EXPECT_EQ(g.Slice4Z(1), 3.0);
  EXPECT_FALSE(g.SliceZShowColor(1));
  EXPECT_TRUE(g.SliceZShowVect(1));
  EXPECT_EQ(g.SliceZVectColor(1), 9);
  EXPECT_EQ(g.Slice4XYXB(1), 1);
  EXPECT_EQ(g.Slice4XYXE(1), 3);
  EXPECT_EQ(g.Slice4XYYB(1), 2);
  EXPECT_EQ(g.Slice4XYYE(1), 5);
}

struct SliceRefusal {
  const char* name;
  const char* position;
  std::array<const char*, 4> ranges;
  const char* interval;
};

class SliceRefusalTest : public SliceDialogTest,
                         public testing::WithParamInterface<SliceRefusal> {};

// Entries went into the graph unchecked; now OK refuses them.
TEST_P(SliceRefusalTest, ShowsIllegalDataAndCreatesNothing) {
  const SliceRefusal& r = GetParam();
  SliceDirection& y = model.directions[kY];
  y.position = r.position;
  for (std::size_t k = 0; k < 4; ++k) y.ranges[k] = r.ranges[k];
  y.interval = r.interval;
  ASSERT_TRUE(model.Add(kY));
  EXPECT_FALSE(model.Ok());
  EXPECT_EQ(bench.messages.Texts(), std::vector<std::string>{kIllegalDataMessage});
  EXPECT_EQ(bench.workspace.allGraphs.Items.Count(), 0);
}

// Y slices span rows of Z (6 nodes) then X (4 nodes).
INSTANTIATE_TEST_SUITE_P(
    Entries, SliceRefusalTest,
    testing::Values(SliceRefusal{"EmptyRange", "0", {"5", "3", "", ""}, "30"},
                    SliceRefusal{"RangePastTheNodes", "0", {"1", "7", "", ""}, "30"},
                    SliceRefusal{"RangeBelowOne", "0", {"", "", "0", "2"}, "30"},
                    SliceRefusal{"RangeNotWhole", "0", {"1.5", "", "", ""}, "30"},
                    SliceRefusal{"PositionLetters", "mid", {"", "", "", ""}, "30"},
                    SliceRefusal{"IntervalZero", "0", {"", "", "", ""}, "0"},
                    SliceRefusal{"IntervalNegative", "0", {"", "", "", ""}, "-5"}),
    [](const testing::TestParamInfo<SliceRefusal>& info) { return info.param.name; });

}  // namespace
}  // namespace qv
