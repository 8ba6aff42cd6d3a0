#include "enable_patterns.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

using M = MenuItem;

struct PatternCase {
  const char* name;
  Long viewCode;
  // Items and buttons the kind enables and disables (a sample of every group).
  std::vector<MenuItem> onItems;
  std::vector<MenuItem> offItems;
  std::vector<int> onButtons;
  std::vector<int> offButtons;
};

class EnablePatternTest : public testing::TestWithParam<PatternCase> {};

// Guards the table: a wrong row would leave rotations on in 2D or graph kinds
// on in the wrong view kind.
TEST_P(EnablePatternTest, SetsEveryRowOfItsColumn) {
  const PatternCase& c = GetParam();
  CommandStates states;
  // Start from the opposite of every expectation so that each row must be set.
  for (MenuItem item : c.onItems) states.SetMenuEnabled(item, false);
  for (MenuItem item : c.offItems) states.SetMenuEnabled(item, true);
  for (int b : c.onButtons) states.SetButtonEnabled(b, false);
  for (int b : c.offButtons) states.SetButtonEnabled(b, true);

  ASSERT_TRUE(EnableMenusForViewCode(c.viewCode, states));

  for (MenuItem item : c.onItems) EXPECT_TRUE(states.MenuEnabled(item)) << MenuItemName(item);
  for (MenuItem item : c.offItems) EXPECT_FALSE(states.MenuEnabled(item)) << MenuItemName(item);
  for (int b : c.onButtons) EXPECT_TRUE(states.ButtonEnabled(b)) << "button " << b;
  for (int b : c.offButtons) EXPECT_FALSE(states.ButtonEnabled(b)) << "button " << b;
}

INSTANTIATE_TEST_SUITE_P(
    ViewKinds, EnablePatternTest,
    testing::Values(
        PatternCase{"TwoD",
                    kViewCode2D,
                    {M::mnuDrawColor, M::mnuDrawCon, M::mnuDrawVector},
                    {M::mnuViewRotateX, M::mnuViewRotateY, M::mnuViewRotateZ, M::mnuViewRotate,
                     M::mnuViewFront, M::mnuViewRight, M::mnuViewTop, M::mnuViewISO, M::mnuDrawVert,
                     M::mnuDrawGrid, M::mnuDrawTab3D, M::mnuDrawCon3D, M::mnuDraw4DScat,
                     M::mnuDraw4DVec, M::mnuDraw4DSlice, M::mnuDrawIsoSur, M::mnuDrawLight},
                    {27, 28, 29, 36, 39, 40, 41},
                    {22, 23, 24, 25, 30, 32, 33, 34, 37, 42, 43, 44, 45, 47, 48, 49, 50}},
        PatternCase{"ThreeD",
                    kViewCode3D,
                    {M::mnuViewRotateX, M::mnuViewRotateY, M::mnuViewRotateZ, M::mnuViewRotate,
                     M::mnuViewFront, M::mnuViewRight, M::mnuViewTop, M::mnuViewISO, M::mnuDrawVert,
                     M::mnuDrawGrid, M::mnuDrawTab3D, M::mnuDrawCon3D, M::mnuDrawLight},
                    {M::mnuDrawColor, M::mnuDrawCon, M::mnuDrawVector, M::mnuDraw4DScat,
                     M::mnuDraw4DVec, M::mnuDraw4DSlice, M::mnuDrawIsoSur},
                    {22, 23, 24, 25, 30, 36, 37, 39, 40, 41, 42, 43, 44, 45, 47, 48, 49, 50},
                    {27, 28, 29, 32, 33, 34}},
        PatternCase{
            "FourD",
            kViewCode4D,
            {M::mnuViewRotateX, M::mnuViewRotateY, M::mnuViewRotateZ, M::mnuViewRotate,
             M::mnuViewFront, M::mnuViewRight, M::mnuViewTop, M::mnuViewISO, M::mnuDraw4DScat,
             M::mnuDraw4DVec, M::mnuDraw4DSlice, M::mnuDrawIsoSur, M::mnuDrawLight},
            {M::mnuDrawVert, M::mnuDrawGrid, M::mnuDrawTab3D, M::mnuDrawCon3D, M::mnuDrawColor,
             M::mnuDrawCon, M::mnuDrawVector},
            {32, 33, 34, 36, 37, 39, 40, 41, 42, 43, 44, 45, 47, 48, 49, 50},
            {22, 23, 24, 25, 27, 28, 29, 30}}),
    [](const testing::TestParamInfo<PatternCase>& info) { return std::string(info.param.name); });

// Guards the items the patterns must leave alone: the Delaunay menu item
// follows the data kind, and Move/Zoom/Fit/Settings/Point/Axis and the file
// buttons are never switched by a view kind.
TEST(EnablePatterns, LeaveItemsOutsideTheTableAlone) {
  const std::vector<MenuItem> untouched = {M::mnuViewMove, M::mnuViewZoom,  M::mnuViewFit,
                                           M::mnuViewSet,  M::mnuDrawPoint, M::mnuDrawDelaunay,
                                           M::mnuDrawAxis, M::mnuFileNew2D};
  for (Long code : {kViewCode2D, kViewCode3D, kViewCode4D}) {
    CommandStates states;
    for (MenuItem item : untouched) states.SetMenuEnabled(item, false);
    for (int b : {2, 3, 4, 6, 7, 12, 20}) states.SetButtonEnabled(b, false);
    EnableMenusForViewCode(code, states);
    for (MenuItem item : untouched) EXPECT_FALSE(states.MenuEnabled(item)) << MenuItemName(item);
    for (int b : {2, 3, 4, 6, 7, 12, 20}) EXPECT_FALSE(states.ButtonEnabled(b)) << b;
  }
}

// Guards the order the routines set their rows in: menu items first, then the
// buttons in ascending order (the widget layer mirrors changes as they come).
TEST(EnablePatterns, SetsItemsFirstThenButtonsAscending) {
  CommandStates states;
  std::vector<CommandStates::Change> changes;
  states.SetListener([&](const CommandStates::Change& c) { changes.push_back(c); });
  EnableMenus3D(states);
  ASSERT_FALSE(changes.empty());
  bool inButtons = false;
  int lastButton = 0;
  for (const auto& c : changes) {
    if (c.button == 0) {
      EXPECT_FALSE(inButtons) << "menu item after a button: " << MenuItemName(c.item);
    } else {
      inButtons = true;
      EXPECT_GT(c.button, lastButton);
      lastButton = c.button;
    }
  }
  EXPECT_EQ(lastButton, 50);
}

TEST(EnablePatterns, UnknownViewCodeChangesNothing) {
  CommandStates states;
  int calls = 0;
  states.SetListener([&](const CommandStates::Change&) { ++calls; });
  EXPECT_FALSE(EnableMenusForViewCode(5, states));
  EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace qv
