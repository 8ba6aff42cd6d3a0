#include "window/graph_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace qv {
namespace {

// A graph with an ID and a box, which is all the list and the groups read.
class FakeGraph : public SceneItem {
 public:
  explicit FakeGraph(Long id) : id_(id) {}
  Long ID() const override { return id_; }
  void Draw(const DrawContext&) override {}
  std::string Save(const SharedSettings&) const override { return ""; }
  Box GetBox(const DrawContext&) const override { return {}; }
  void DrawLegend(const DrawContext&) override {}
  void EqualTo(const SceneItem&) override {}

 private:
  Long id_;
};

class GraphListTest : public testing::Test {
 protected:
  // Three graphs with IDs 10, 20, 30 under equal captions: only the IDs tell
  // them apart.
  void SetUp() override {
    for (Long id : {10, 20, 30}) {
      all.Items.Add(std::make_shared<FakeGraph>(id), CStr(id));
      list.AddItem("Surface Model");
    }
  }

  std::vector<Long> ShownIds() const {
    std::vector<Long> ids;
    for (const auto& [key, item] : shown.Items) ids.push_back(item->ID());
    return ids;
  }

  void Check(Long entry, bool on) {
    list.SetSelected(entry, on);
    SyncShownGraphs(all, shown, list);
  }

  SceneGroup all;
  SceneGroup shown;
  GraphList list;
};

// Guards the drawing order: shown holds graphs in the order they were checked.
TEST_F(GraphListTest, ChecksInTheOrderThreeOneTwoDrawInThatOrder) {
  Check(2, true);
  Check(0, true);
  Check(1, true);
  EXPECT_EQ(ShownIds(), (std::vector<Long>{30, 10, 20}));
  EXPECT_EQ(shown.Items.KeyAt(1), "30");
}

TEST_F(GraphListTest, UncheckingRemovesOnlyThatGraph) {
  Check(0, true);
  Check(1, true);
  Check(2, true);
  Check(1, false);
  EXPECT_EQ(ShownIds(), (std::vector<Long>{10, 30}));
  Check(0, false);
  Check(2, false);
  EXPECT_TRUE(ShownIds().empty());
}

TEST_F(GraphListTest, SettingTheSameStateAgainChangesNothing) {
  Check(1, true);
  Check(1, true);
  EXPECT_EQ(ShownIds(), std::vector<Long>{20});
}

// Graphs beyond the list's entries count as unchecked instead of reading
// past the list.
TEST_F(GraphListTest, GraphWithoutEntryCountsAsUnchecked) {
  Check(0, true);
  all.Items.Add(std::make_shared<FakeGraph>(40), "40");
  shown.Items.Add(all.Items.Item(4), "40");
  SyncShownGraphs(all, shown, list);
  EXPECT_EQ(ShownIds(), std::vector<Long>{10});
}

TEST(GraphListModel, SelectionFollowsRemovals) {
  GraphList list;
  for (const char* c : {"a", "b", "c"}) list.AddItem(c);
  EXPECT_EQ(list.ListIndex(), -1);
  list.SetListIndex(2);
  list.RemoveItem(0);
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.At(1).caption, "c");
  list.RemoveItem(1);
  EXPECT_EQ(list.ListIndex(), -1);
  list.SetListIndex(5);
  EXPECT_EQ(list.ListIndex(), -1);
  list.RemoveItem(7);  // out of range: nothing
  EXPECT_EQ(list.ListCount(), 1);
}

}  // namespace
}  // namespace qv
