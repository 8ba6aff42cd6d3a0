#include "scene/scene_group.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "scene_test_context.h"

namespace qv {
namespace {

using test::kSceneContext;

// A scene item with a fixed box and record that logs its draws.
class FakeItem final : public SceneItem {
 public:
  FakeItem(Long id, Box box, std::string record, std::vector<Long>* drawLog = nullptr,
           Long format = 4)
      : box_(box), id_(id), record_(std::move(record)), drawLog_(drawLog), format_(format) {}
  Long ID() const override { return id_; }
  void Draw(const DrawContext& context) override {
    EXPECT_EQ(&context, &kSceneContext) << "the group passes its context on";
    if (drawLog_ != nullptr) drawLog_->push_back(id_);
  }
  Long RecordFormat() const override { return format_; }
  // The record with the format it was written in.
  std::string Save(const SharedSettings&, Long format) const override {
    return record_ + CStr(format) + " ";
  }
  Box GetBox(const DrawContext& context) const override {
    EXPECT_EQ(&context, &kSceneContext) << "the group passes its context on";
    return box_;
  }
  void DrawLegend(const DrawContext&) override {}
  void EqualTo(const SceneItem&) override {}
  Box box_;

 private:
  Long id_;
  std::string record_;
  std::vector<Long>* drawLog_;
  Long format_;
};

std::shared_ptr<FakeItem> Item(Long id, Box box, std::string record = "",
                               std::vector<Long>* log = nullptr, Long format = 4) {
  return std::make_shared<FakeItem>(id, box, std::move(record), log, format);
}

void Add(SceneGroup& group, const std::shared_ptr<SceneItem>& item) {
  group.Items.Add(item, CStr(item->ID()));
}

TEST(SceneGroupTest, EmptyGroupGivesTheInvertedStartBox) {
  const Box box = SceneGroup{}.GetBox(kSceneContext);
  EXPECT_DOUBLE_EQ(box.MinX, 99999999 - 0.04);
  EXPECT_DOUBLE_EQ(box.MaxX, -99999999 + 0.04);
  EXPECT_DOUBLE_EQ(box.MinZ, 99999999 - 0.04);
  EXPECT_DOUBLE_EQ((box.MinY + box.MaxY) / 2, 0);
  EXPECT_EQ(SceneGroup{}.Save("1 2 3", SharedSettings{}, 4), "1 2 3 ");
  EXPECT_EQ(SceneGroup{}.RecordFormat(), 0);
}

TEST(SceneGroupTest, BoxIsTheUnionWidenedByAnAbsoluteMargin) {
  SceneGroup point;
  Add(point, Item(1, {1, 1, 2, 2, 3, 3}));
  const Box p = point.GetBox(kSceneContext);
  EXPECT_DOUBLE_EQ(p.MinX, 0.96);
  EXPECT_DOUBLE_EQ(p.MaxX, 1.04);
  EXPECT_DOUBLE_EQ(p.MinY, 1.96);
  EXPECT_DOUBLE_EQ(p.MaxZ, 3.04);

  SceneGroup two;
  Add(two, Item(1, {-1, 0, 0, 1, 0, 1}));
  Add(two, Item(2, {5, 6, -2, 0, 0, 1}));
  const Box u = two.GetBox(kSceneContext);
  EXPECT_DOUBLE_EQ(u.MinX, -1.04);
  EXPECT_DOUBLE_EQ(u.MaxX, 6.04);
  EXPECT_DOUBLE_EQ(u.MinY, -2.04);
  EXPECT_DOUBLE_EQ(u.MaxY, 1.04);
}

// The group record must put exactly one blank between the data-set record
// and the first graph, and nothing between graphs (each ends with its own);
// every item is written in the one format the document asks for, which is
// the newest any item needs.
TEST(SceneGroupTest, SaveJoinsTheRecordsInCollectionOrderInOneFormat) {
  SceneGroup group;
  Add(group, Item(2, {}, "7 2 @a@ ", nullptr, 4));
  Add(group, Item(1, {}, "4 1 @b@ ", nullptr, 5));
  Add(group, Item(3, {}, "6 3 @c@ ", nullptr, 4));
  EXPECT_EQ(group.RecordFormat(), 5);
  EXPECT_EQ(group.Save("1 0 0", SharedSettings{}, 5), "1 0 0 7 2 @a@ 5 4 1 @b@ 5 6 3 @c@ 5 ");
}

TEST(SceneGroupTest, DrawFollowsCollectionOrderAndRemovalMovesLaterItemsUp) {
  std::vector<Long> log;
  SceneGroup group;
  for (Long id : {3, 1, 2}) Add(group, Item(id, {}, "", &log));
  group.Items.Remove("1");
  EXPECT_EQ(group.Items.Item(2)->ID(), 2);
  group.Draw(kSceneContext);
  EXPECT_EQ(log, (std::vector<Long>{3, 2}));
}

TEST(SceneGroupTest, DuplicateKeyIsRefusedAndLeavesTheGroupAlone) {
  SceneGroup group;
  Add(group, Item(5, {}));
  try {
    Add(group, Item(5, {}));
    ADD_FAILURE();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kDuplicateKey);
  }
  EXPECT_EQ(group.Items.Count(), 1);
}

// AllGraphs and ShownGraphs hold the same graph object, not copies.
TEST(SceneGroupTest, AnItemInTwoGroupsIsOneObject) {
  SceneGroup all, shown;
  auto item = Item(1, {0, 1, 0, 1, 0, 1});
  Add(all, item);
  Add(shown, item);
  std::static_pointer_cast<FakeItem>(all.Items.Item("1"))->box_.MaxX = 9;
  EXPECT_DOUBLE_EQ(shown.GetBox(kSceneContext).MaxX, 9.04);
}

}  // namespace
}  // namespace qv
