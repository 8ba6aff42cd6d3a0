// The kinds table: every row complete, the codes without a row, and the list
// captions it gives.
#include "graphs/graph_kinds.h"

#include <gtest/gtest.h>

#include "graphs/graph.h"

namespace qv {
namespace {

struct CaptionCase {
  Long graphType;
  Long viewCode;
  const char* table;   // the table's caption, or nullptr when it has none
  const char* listed;  // the caption the list entry gets
};

void PrintTo(const CaptionCase& c, std::ostream* os) {
  *os << c.graphType << " in view " << c.viewCode;
}

class ListCaptionTest : public testing::TestWithParam<CaptionCase> {};

// The point sits at data (1.5, -2, 30): 3D captions show PointX, PointY and
// PointZ, 2D ones PointY and PointZ as x and y.
TEST_P(ListCaptionTest, FollowsTheTableAndListsEveryGraph) {
  const CaptionCase& c = GetParam();
  Graph graph;
  graph.GraphType = c.graphType;
  graph.PointX = 1.5;
  graph.PointY = -2.0;
  graph.PointZ = 30.0;
  const std::optional<std::string> table = TableCaption(graph, c.viewCode);
  if (c.table == nullptr) {
    EXPECT_FALSE(table.has_value()) << *table;
  } else {
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(*table, c.table);
  }
  EXPECT_EQ(ListCaption(graph, c.viewCode), c.listed);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ListCaptionTest,
    testing::Values(CaptionCase{6, kViewCode3D, "3D Surface Model", "3D Surface Model"},
                    CaptionCase{7, kViewCode3D, "Point  x=1.5, y=-2, z=30",
                                "Point  x=1.5, y=-2, z=30"},
                    CaptionCase{7, kViewCode2D, "Point  x=-2, y=30", "Point  x=-2, y=30"},
                    // A 4D point has no caption in the table; it keeps the 3D
                    // one so that the list stays in step with AllGraphs.
                    CaptionCase{7, kViewCode4D, nullptr, "Point  x=1.5, y=-2, z=30"},
                    CaptionCase{13, kViewCode2D, "Color Map  ", "Color Map  "},
                    CaptionCase{14, kViewCode2D, "Contour Plot", "Contour Plot"},
                    CaptionCase{15, kViewCode2D, "Vector Plot", "Vector Plot"},
                    CaptionCase{16, kViewCode3D, "3D Contour Plot", "3D Contour Plot"},
                    CaptionCase{18, kViewCode3D, "3D Vertex Model", "3D Vertex Model"},
                    CaptionCase{19, kViewCode3D, "3D Grid Model", "3D Grid Model"},
                    CaptionCase{24, kViewCode3D, "Delaunay Triangles", "Delaunay Triangles"},
                    CaptionCase{41, kViewCode4D, "4D Scatter ", "4D Scatter "},
                    CaptionCase{42, kViewCode4D, "4D Vector ", "4D Vector "},
                    CaptionCase{43, kViewCode4D, "4D Slice ", "4D Slice "},
                    CaptionCase{44, kViewCode4D, "4D IsoSurface ", "4D IsoSurface "},
                    CaptionCase{2, kViewCode3D, nullptr, "Graph 2"},
                    CaptionCase{22, kViewCode2D, nullptr, "Graph 22"}));

// A row without a step would crash the dispatcher the first time a graph of
// its kind is drawn, prepared or released.
TEST(GraphKindsTest, EveryRowHasEveryStepAndItsOwnCode) {
  Long previous = -1;
  for (const GraphKindRow& row : GraphKinds()) {
    SCOPED_TRACE(row.code);
    EXPECT_GT(row.code, previous);
    previous = row.code;
    EXPECT_EQ(&KindOf(row.code), &row);
    EXPECT_NE(row.draw, nullptr);
    EXPECT_NE(row.prepare, nullptr);
    EXPECT_NE(row.release, nullptr);
    EXPECT_EQ(row.captionRule == CaptionRule::kFixed, !row.caption.empty());
  }
}

TEST(GraphKindsTest, CodesWithoutARowDrawNothingAndBoundNothing) {
  for (Long code : {1, 3, 5, 25, 40, 45, -1, 2147483647}) {
    SCOPED_TRACE(code);
    const GraphKindRow& row = KindOf(code);
    EXPECT_EQ(row.bound, nullptr);
    EXPECT_NE(row.draw, nullptr);
    EXPECT_EQ(row.legend, LegendSource::kNone);
    EXPECT_EQ(row.views, kInNoView);
    EXPECT_FALSE(row.needsTriangles);
  }
}

}  // namespace
}  // namespace qv
