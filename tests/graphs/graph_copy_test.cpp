// The graph's options, their defaults and table bounds, and the four ways of
// making or copying a graph (init, Equal, EqualTo, TabEqualTo).
#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "graphs/graph.h"
#include "graphs/workspace.h"
#include "support/graph_option_fill.h"

namespace qv {
namespace {

// Throws unless fn raises the runtime's subscript error.
void ExpectSubscriptError(const std::function<void()>& fn, const std::string& what) {
  try {
    fn();
    ADD_FAILURE() << what << " did not fail";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kSubscriptOutOfRange) << what;
  }
}

// A graph with every option set to a value of its own (the tables whole),
// three slices along each axis and seven colour points.
void FillEverything(Graph& g, Long base) {
  g.SetID(base);
  test::OptionValues values(base);
  test::FillOptions(g, values, test::AnyOption);
  g.GraphType = kSurfaceModel;
  g.NameS = "graph " + CStr(base);
  g.TexName = "tex" + CStr(base) + ".bmp";
  g.ColorName = "mine" + CStr(base);
  g.Slice4NumX = g.Slice4NumY = g.Slice4NumZ = 3;
  g.ColorNum = 7;
}

class GraphTest : public ::testing::Test {
 protected:
  Workspace ws_;
};

// A new graph: StepU = StepV = 1, the six rainbow points with an empty name,
// and 0, empty or false everywhere else.
TEST_F(GraphTest, NewGraphHoldsTheDefaults) {
  const Graph g;
  EXPECT_EQ(g.StepU, 1);
  EXPECT_EQ(g.StepV, 1);
  EXPECT_EQ(g.StepH, 0);
  EXPECT_EQ(g.ID(), 0);
  EXPECT_EQ(g.NameS, "");
  EXPECT_EQ(g.ColorName, "");
  EXPECT_EQ(g.TexName, "");
  ASSERT_EQ(g.ColorNum, 6);
  const double pos[] = {0, 20, 40, 60, 80, 100};
  const Long rgb[][3] = {{153, 102, 255}, {0, 0, 255},   {0, 255, 0},
                         {255, 255, 0},   {255, 102, 0}, {255, 0, 0}};
  for (Long k = 0; k < 6; ++k) {
    EXPECT_EQ(g.ColorPos(k), pos[k]) << k;
    EXPECT_EQ(g.ColorR(k), rgb[k][0]) << k;
    EXPECT_EQ(g.ColorG(k), rgb[k][1]) << k;
    EXPECT_EQ(g.ColorB(k), rgb[k][2]) << k;
  }
  EXPECT_EQ(g.ColorPos(6), 0.0);
  for (Long f : {g.GraphType, g.CoordType, g.FillStyle, g.LineWidth, g.Material, g.Show,
                 g.Slice4NumX, g.Slice4NumY, g.Slice4NumZ, g.ConWidth, g.TriWidth}) {
    EXPECT_EQ(f, 0);
  }
  for (double f : {g.PointX, g.PointY, g.PointZ, g.PointSize, g.MInv, g.MaxV, g.TransAlpha}) {
    EXPECT_EQ(f, 0.0);
  }
  EXPECT_FALSE(g.ShowContour || g.ShowVector || g.ShowColormap || g.ShowTex || g.ShowTrans ||
               g.ShowDS || g.ShowDG || g.ShowIrregData);
  EXPECT_EQ(g.Slice4X(50), 0.0);
  EXPECT_FALSE(g.SliceZShowVect(50));
}

// Each table reaches its last index and refuses the next one on both sides.
TEST_F(GraphTest, TablesCheckTheirBounds) {
  Graph g;
  struct Case {
    const char* name;
    Long upper;
    std::function<void(Long)> touch;
  };
  const Case cases[] = {
      {"Slice4X", 50, [&](Long i) { g.Slice4X(i) = 1.0; }},
      {"SliceYShowCont", 50, [&](Long i) { g.SliceYShowCont(i) = true; }},
      {"SliceZVectColor", 50, [&](Long i) { g.SliceZVectColor(i) = 1; }},
      {"Slice4XYYE", 50, [&](Long i) { g.Slice4XYYE(i) = 1; }},
      {"ColorPos", 30, [&](Long i) { g.ColorPos(i) = 1.0; }},
      {"ColorB", 30, [&](Long i) { g.ColorB(i) = 1; }},
      {"VertTab3D first index", 200, [&](Long i) { g.VertTab3D(i, 0); }},
      {"VertTab3D second index", 200, [&](Long i) { g.VertTab3D(0, i); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NO_THROW(c.touch(0));
    EXPECT_NO_THROW(c.touch(c.upper));
    ExpectSubscriptError([&] { c.touch(c.upper + 1); }, std::string(c.name) + " past the end");
    ExpectSubscriptError([&] { c.touch(-1); }, std::string(c.name) + " at -1");
  }
}

TEST_F(GraphTest, VertTab3DMakesOneMarkerPerSlot) {
  Graph g;
  const std::shared_ptr<PointMarker> first = g.VertTab3D(5, 7);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->x, 0.0);
  EXPECT_EQ(first->y, 0.0);
  EXPECT_EQ(first->z, 0.0);
  EXPECT_EQ(g.VertTab3D(5, 7), first);
  EXPECT_NE(g.VertTab3D(7, 5), first);
  auto mine = std::make_shared<PointMarker>();
  g.SetVertTab3D(200, 200, mine);
  EXPECT_EQ(g.VertTab3D(200, 200), mine);
  ExpectSubscriptError([&] { g.SetVertTab3D(201, 0, mine); }, "SetVertTab3D(201, 0)");
}

// init makes a new graph from the 22 core options; the graph it is called on
// stays as it was, and a point graph's position stays 0 until set.
TEST_F(GraphTest, InitMakesANewGraphFromTheCoreOptions) {
  Graph maker;
  FillEverything(maker, 1000);
  const std::string before = maker.Save(ws_.settings);
  const std::shared_ptr<Graph> g =
      maker.init(12, "Point  x=1", kPointGraph, 3, "a", "b", "c", 4, 5, 6.5, 7.5, 8.5, 9.5, 2, 11,
                 12, 13, 14, 5, 3, 2, true, false, true, 0.25);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(maker.Save(ws_.settings), before);
  EXPECT_EQ(g->ID(), 12);
  EXPECT_EQ(g->NameS, "Point  x=1");
  EXPECT_EQ(g->GraphType, kPointGraph);
  EXPECT_EQ(g->CoordType, 3);
  EXPECT_EQ(g->StepU, 4);
  EXPECT_EQ(g->StepV, 5);
  EXPECT_EQ(g->MinU, 6.5);
  EXPECT_EQ(g->MaxU, 7.5);
  EXPECT_EQ(g->MInv, 8.5);
  EXPECT_EQ(g->MaxV, 9.5);
  EXPECT_EQ(g->FillStyle, 2);
  EXPECT_EQ(g->FirstColor, 11);
  EXPECT_EQ(g->SecondColor, 12);
  EXPECT_EQ(g->LineColor, 13);
  EXPECT_EQ(g->LineWidth, 14);
  EXPECT_EQ(g->Material, 5);
  EXPECT_EQ(g->Show, 3);
  EXPECT_EQ(g->Smoothness, 2);
  EXPECT_TRUE(g->ShowContour);
  EXPECT_FALSE(g->ShowVector);
  EXPECT_TRUE(g->ShowColormap);
  EXPECT_EQ(g->ContourLevel, 0.25);
  EXPECT_EQ(g->PointX, 0.0);
  EXPECT_EQ(g->PointY, 0.0);
  EXPECT_EQ(g->PointZ, 0.0);
  EXPECT_EQ(g->AuxText(1), "");
  EXPECT_EQ(g->ColorNum, 6);
}

TEST_F(GraphTest, EqualStoresTheCoreOptionsAndTextsButNotTheID) {
  Graph g;
  g.SetID(77);
  g.Equal("Surface", kSurfaceModel, 2, "t1", "t2", "t3", 9, 8, 1.5, 2.5, 3.5, 4.5, 4, 10, 20, 30, 3,
          6, 3, 1, false, true, false, 7.5);
  EXPECT_EQ(g.ID(), 77);
  EXPECT_EQ(g.NameS, "Surface");
  EXPECT_EQ(g.GraphType, kSurfaceModel);
  EXPECT_EQ(g.AuxText(1), "t1");
  EXPECT_EQ(g.AuxText(2), "t2");
  EXPECT_EQ(g.AuxText(3), "t3");
  EXPECT_EQ(g.StepU, 9);
  EXPECT_EQ(g.StepV, 8);
  EXPECT_EQ(g.MaxV, 4.5);
  EXPECT_EQ(g.FillStyle, 4);
  EXPECT_EQ(g.LineWidth, 3);
  EXPECT_EQ(g.Smoothness, 1);
  EXPECT_TRUE(g.ShowVector);
  EXPECT_EQ(g.ContourLevel, 7.5);
  ExpectSubscriptError([&] { g.AuxText(4); }, "AuxText(4)");
}

// EqualTo takes the core, point, texture, transparency and iso-surface
// options; the ID, StepH, the other kinds' options, the colour map and every
// table stay.
TEST_F(GraphTest, EqualToCopiesTheCoreOptionsOnly) {
  Graph source;
  FillEverything(source, 1000);
  Graph target;
  FillEverything(target, 5000);
  const Graph before = target;
  target.EqualTo(source);
  EXPECT_EQ(target.ID(), 5000);
  EXPECT_EQ(target.StepH, before.StepH);
  EXPECT_EQ(target.NameS, source.NameS);
  EXPECT_EQ(target.StepU, source.StepU);
  EXPECT_EQ(target.MInv, source.MInv);
  EXPECT_EQ(target.LineWidth, source.LineWidth);
  EXPECT_EQ(target.PointX, source.PointX);
  EXPECT_EQ(target.PointSize, source.PointSize);
  EXPECT_EQ(target.ContourLevel, source.ContourLevel);
  EXPECT_EQ(target.TexName, source.TexName);
  EXPECT_EQ(target.TransAlpha, source.TransAlpha);
  EXPECT_EQ(target.IsoSurColor, source.IsoSurColor);
  EXPECT_EQ(target.IsoSurValue, source.IsoSurValue);
  // Not copied:
  EXPECT_NE(target.VertSize, source.VertSize);
  EXPECT_NE(target.ContourLevels, source.ContourLevels);
  EXPECT_NE(target.Scat4DColor, source.Scat4DColor);
  EXPECT_NE(target.TriColor, source.TriColor);
  EXPECT_EQ(target.ColorName, "mine5000");
  EXPECT_EQ(target.ColorPos(1), before.ColorPos(1));
  EXPECT_EQ(target.Slice4X(1), before.Slice4X(1));
}

// A scene item of another kind cannot be copied from and changes nothing.
TEST_F(GraphTest, EqualToFromAnotherItemKindChangesNothing) {
  struct OtherItem : SceneItem {
    Long ID() const override { return 1; }
    void Draw(const DrawContext&) override {}
    Long RecordFormat() const override { return 4; }
    std::string Save(const SharedSettings&, Long) const override { return "x "; }
    Box GetBox(const DrawContext&) const override { return {}; }
    void DrawLegend(const DrawContext&) override {}
    void EqualTo(const SceneItem&) override {}
  } other;
  Graph g;
  FillEverything(g, 300);
  const std::string before = g.Save(ws_.settings);
  g.EqualTo(other);
  EXPECT_EQ(g.Save(ws_.settings), before);
}

// TabEqualTo copies the slice entries 1..count and the colour points
// 0..ColorNum-1, nothing at slice index 0 nor above the counts.
TEST_F(GraphTest, TabEqualToCopiesTheTablesUpToTheCounts) {
  Graph source;
  FillEverything(source, 1000);
  source.Slice4NumX = 0;
  source.Slice4NumY = 2;
  source.ColorNum = 5;
  Graph target;
  FillEverything(target, 5000);
  const Graph before = target;
  target.TabEqualTo(source);

  EXPECT_EQ(target.ID(), 5000);
  EXPECT_EQ(target.StepH, before.StepH);
  EXPECT_NE(target.MInv, source.MInv);
  EXPECT_NE(target.PointX, source.PointX);
  EXPECT_NE(target.PointColor, source.PointColor);
  EXPECT_EQ(target.VertSize, source.VertSize);
  EXPECT_EQ(target.ConWidth, source.ConWidth);
  EXPECT_EQ(target.TriWidth, source.TriWidth);
  EXPECT_EQ(target.ColorName, "mine1000");
  EXPECT_EQ(target.Slice4NumX, 0);
  EXPECT_EQ(target.Slice4NumY, 2);

  // No X slice and no Y-Z range entry with a count of 0.
  EXPECT_EQ(target.Slice4X(1), before.Slice4X(1));
  EXPECT_EQ(target.Slice4YZYB(1), before.Slice4YZYB(1));
  // Y slices 1 and 2 and their ranges, not 0 and not 3.
  EXPECT_EQ(target.Slice4Y(0), before.Slice4Y(0));
  EXPECT_EQ(target.Slice4Y(1), source.Slice4Y(1));
  EXPECT_EQ(target.SliceYContColor(2), source.SliceYContColor(2));
  EXPECT_EQ(target.Slice4ZXZE(2), source.Slice4ZXZE(2));
  EXPECT_EQ(target.Slice4Y(3), before.Slice4Y(3));
  EXPECT_EQ(target.Slice4ZXXB(3), before.Slice4ZXXB(3));
  // Z slices 1..3.
  EXPECT_EQ(target.SliceZContLevels(3), source.SliceZContLevels(3));
  EXPECT_EQ(target.Slice4XYYE(3), source.Slice4XYYE(3));
  // Colour points 0..4, not 5.
  EXPECT_EQ(target.ColorPos(4), source.ColorPos(4));
  EXPECT_EQ(target.ColorB(4), source.ColorB(4));
  EXPECT_EQ(target.ColorPos(5), before.ColorPos(5));
}

// A slice count past the table fails at the first index beyond it, with the
// entries before it copied.
TEST_F(GraphTest, TabEqualToFailsAtTheFirstIndexPastTheTable) {
  Graph source;
  source.Slice4NumX = 51;
  for (Long i = 1; i <= 50; ++i) source.Slice4X(i) = i;
  Graph target;
  ExpectSubscriptError([&] { target.TabEqualTo(source); }, "51 X slices");
  EXPECT_EQ(target.Slice4X(50), 50.0);

  Graph colours;
  colours.ColorNum = 32;
  colours.ColorR(30) = 9;
  ExpectSubscriptError([&] { target.TabEqualTo(colours); }, "32 colour points");
  EXPECT_EQ(target.ColorR(30), 9);
}

// The scene groups reach a graph only through the item interface.
TEST_F(GraphTest, GroupsReachTheGraphAsASceneItem) {
  auto g = std::make_shared<Graph>();
  g->SetID(42);
  g->GraphType = kPointGraph;
  g->PointX = 2;
  ws_.allGraphs.Items.Add(g, CStr(g->ID()));
  const SceneItem& item = *ws_.allGraphs.Items.Item("42");
  EXPECT_EQ(item.ID(), 42);
  EXPECT_EQ(item.RecordFormat(), 5);
  EXPECT_EQ(item.Save(ws_.settings, 5), g->Save(ws_.settings));
  EXPECT_EQ(item.GetBox(ws_.Context()).MaxX, 2.0);
  EXPECT_EQ(ws_.allGraphs.RecordFormat(), 5);
  EXPECT_EQ(ws_.allGraphs.Save("data", ws_.settings, 5), "data " + g->Save(ws_.settings));
}

}  // namespace
}  // namespace qv
