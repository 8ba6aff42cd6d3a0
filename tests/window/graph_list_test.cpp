#include "window/graph_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qv {
namespace {

// A graph with an ID and a box, which is all the list and the groups read.
class FakeGraph : public SceneItem {
 public:
  explicit FakeGraph(Long id) : id_(id) {}
  Long ID() const override { return id_; }
  void Draw(const DrawContext&) override {}
  Long RecordFormat() const override { return 4; }
  std::string Save(const SharedSettings&, Long) const override { return ""; }
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

// A member put under a key other than its ID is still found by its ID, and
// taken out when its entry is unchecked.
TEST_F(GraphListTest, MemberUnderAnotherKeyIsFoundByItsId) {
  Check(0, true);
  shown.Items.Add(all.Items.Item(2), "second");
  list.SetSelected(1, true);
  SyncShownGraphs(all, shown, list);
  EXPECT_EQ(ShownIds(), (std::vector<Long>{10, 20}));
  Check(1, false);
  EXPECT_EQ(ShownIds(), std::vector<Long>{10});
}

// The sync of one entry, used while a document's entries are checked one by
// one, must leave shown as the sync of the whole list does, in the same
// order and under the same keys, click after click.
struct Click {
  Long entry;
  bool on;
};

struct ClickCase {
  const char* name;
  std::vector<Click> clicks;
};

void PrintTo(const ClickCase& c, std::ostream* out) { *out << c.name; }

class SingleEntrySyncTest : public GraphListTest, public testing::WithParamInterface<ClickCase> {
 protected:
  static std::vector<std::pair<std::string, Long>> Members(const SceneGroup& group) {
    std::vector<std::pair<std::string, Long>> members;
    for (const auto& [key, item] : group.Items) members.emplace_back(key, item->ID());
    return members;
  }
};

TEST_P(SingleEntrySyncTest, LeavesShownAsTheWholeListSyncDoes) {
  SceneGroup wholeSynced;
  for (const Click& click : GetParam().clicks) {
    list.SetSelected(click.entry, click.on);
    SyncShownGraph(all, shown, list, click.entry);
    SyncShownGraphs(all, wholeSynced, list);
    ASSERT_EQ(Members(shown), Members(wholeSynced)) << "after entry " << click.entry;
  }
}

const ClickCase kClickCases[] = {
    {"EveryEntryCheckedInTurn", {{0, true}, {1, true}, {2, true}}},
    {"CheckedBackwardsDrawInThatOrder", {{2, true}, {1, true}, {0, true}}},
    {"UncheckedInTheMiddleAndCheckedAgainGoesLast",
     {{0, true}, {1, true}, {2, true}, {1, false}, {1, true}}},
    {"SameStateTwice", {{1, true}, {1, true}, {1, false}, {1, false}}},
    {"EntriesPastTheGraphsChangeNothing", {{0, true}, {3, true}, {-1, true}}},
};

INSTANTIATE_TEST_SUITE_P(Clicks, SingleEntrySyncTest, testing::ValuesIn(kClickCases),
                         [](const testing::TestParamInfo<ClickCase>& info) {
                           return std::string(info.param.name);
                         });

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
