// The graph's bounding box in scene axes (x = data Y, y = data Z, z = data
// X; in 2D data X, Y and the value), from the data set or the point position.
#include <string>

#include <gtest/gtest.h>

#include "data/memory_data_panel.h"
#include "graph_geometry.h"
#include "graphs/graph.h"
#include "graphs/workspace.h"
#include "platform/long_work.h"
#include "support/scripted_message_box.h"

namespace qv {
namespace {

constexpr double kStartMax = -99999990000.0;
constexpr double kStartMin = 99999990000.0;

void ExpectBox(const Box& b, double minX, double maxX, double minY, double maxY, double minZ,
               double maxZ) {
  EXPECT_DOUBLE_EQ(b.MinX, minX);
  EXPECT_DOUBLE_EQ(b.MaxX, maxX);
  EXPECT_DOUBLE_EQ(b.MinY, minY);
  EXPECT_DOUBLE_EQ(b.MaxY, maxY);
  EXPECT_DOUBLE_EQ(b.MinZ, minZ);
  EXPECT_DOUBLE_EQ(b.MaxZ, maxZ);
}

void ExpectInverted(const Box& b) {
  ExpectBox(b, kStartMin, kStartMax, kStartMin, kStartMax, kStartMin, kStartMax);
}

class GraphBoxTest : public ::testing::Test {
 protected:
  // Loads the panel into the data set. Every axis of the fixtures spans 10
  // units, so the square scaling leaves the values as typed.
  void Load() {
    DataContext context{panel_, ws_.settings, messages_, work_};
    ASSERT_TRUE(ws_.dataSet.GetData(context)) << ::testing::PrintToString(messages_.Texts());
    ASSERT_DOUBLE_EQ(ws_.settings.DataScaleX, 1.0);
    ASSERT_DOUBLE_EQ(ws_.settings.DataScaleY, 1.0);
    ASSERT_DOUBLE_EQ(ws_.settings.DataScaleZ, 1.0);
  }

  // A regular surface of 3 by 2 nodes: X = 1, 6, 11 along the first index,
  // Y = 1, 11 along the second, Z = 1 + 2 * i + 3 * j + (i == 2 ? 3 : 0)
  // (1..11), colour 10 * i - j. No node lies at 0, so reading the arrays'
  // spare row of zeros past the last node shows in the box.
  void LoadSurface() {
    panel_.SetKindIndex(kRegularSurface);
    panel_.SetText(1, "3");
    panel_.SetText(2, "2");
    for (Long i = 0; i < 3; ++i) {
      for (Long j = 0; j < 2; ++j) {
        const Long z = 1 + 2 * i + 3 * j + (i == 2 ? 3 : 0);
        panel_.SetRow(i * 2 + j + 1,
                      {CStr(1 + 5 * i), CStr(1 + 10 * j), CStr(z), CStr(10 * i - j)});
      }
    }
    Load();
  }

  // A regular volume of 2 by 2 by 2 nodes spanning 1..11 on every axis, with
  // values V = 1 + 100 * i + 10 * j + k.
  void LoadVolume() {
    panel_.SetKindIndex(kRegularVolume);
    panel_.SetText(1, "2");
    panel_.SetText(2, "2");
    panel_.SetText(4, "2");
    for (Long i = 0; i < 2; ++i) {
      for (Long j = 0; j < 2; ++j) {
        for (Long k = 0; k < 2; ++k) {
          panel_.SetRow((i * 2 + j) * 2 + k + 1,
                        {CStr(1 + 10 * i), CStr(1 + 10 * j), CStr(1 + 10 * k),
                         CStr(1 + 100 * i + 10 * j + k)});
        }
      }
    }
    Load();
  }

  Box BoxOf(Long kind, Long stepU, Long stepV, Long stepH = 0) {
    Graph g;
    g.GraphType = kind;
    g.StepU = stepU;
    g.StepV = stepV;
    g.StepH = stepH;
    return g.GetBox(ws_.Context());
  }

  Workspace ws_;
  MemoryDataPanel panel_;
  test::ScriptedMessageBox messages_;
  ImmediateWorkRunner work_;
};

// The kinds drawn from the regular surface; 2, 12, 21 and 22 among them, which
// the surface drawing draws too: left out of the box, they were drawn
// outside the fitted view.
TEST_F(GraphBoxTest, SurfaceKindsBoundTheirNodes) {
  LoadSurface();
  for (Long kind : std::initializer_list<Long>{
           kSurfaceModel, kColorMapGraph, kContourPlot, kVectorPlot, kContour3DPlot,
           kStoredSurface17, kVertexModel, kGridModel, kStoredSurface2, kStoredSurface12,
           kStoredSurface21, kStoredSurface22}) {
    SCOPED_TRACE(kind);
    ExpectBox(BoxOf(kind, 2, 1), 1, 11, 1, 11, 1, 11);
  }
  // Only the nodes up to StepU and StepV count.
  ExpectBox(BoxOf(kSurfaceModel, 1, 0), 1, 1, 1, 3, 1, 6);
}

// StepU, StepV beyond the data set's nodes (a record, or a data set made
// smaller) read outside the arrays; the box covers the nodes that exist.
TEST_F(GraphBoxTest, StepsBeyondTheDataSetAreClamped) {
  LoadSurface();
  ExpectBox(BoxOf(kSurfaceModel, 3, 2), 1, 11, 1, 11, 1, 11);
  ExpectBox(BoxOf(kSurfaceModel, 2147483647, 1000), 1, 11, 1, 11, 1, 11);
  ExpectInverted(BoxOf(kSurfaceModel, -1, 1));
  ExpectInverted(BoxOf(kScatter4D, 1, 1, 1));
}

TEST_F(GraphBoxTest, ALayerUnderTheSurfaceLowersTheBoxByThree) {
  LoadSurface();
  for (int layer = 0; layer < 3; ++layer) {
    Graph g;
    g.GraphType = kSurfaceModel;
    g.StepU = 2;
    g.StepV = 1;
    g.ShowContour = layer == 0;
    g.ShowVector = layer == 1;
    g.ShowColormap = layer == 2;
    ExpectBox(g.GetBox(ws_.Context()), 1, 11, -2, 11, 1, 11);
  }
}

// A 2D document's picture lies in data X, data Y and the value along x, y,
// z, and so does its box: the one the axis system is drawn around and Zoom
// to Fit frames. A layer's room goes below the lowest value.
TEST_F(GraphBoxTest, TwoDimensionalBoxesCarryDataXYAndTheValue) {
  LoadSurface();
  ws_.settings.ViewCode = kViewCode2D;
  for (Long kind : {kColorMapGraph, kContourPlot, kVectorPlot}) {
    SCOPED_TRACE(kind);
    ExpectBox(BoxOf(kind, 1, 0), 1, 6, 1, 1, 1, 3);
  }
  Graph g;
  g.GraphType = kColorMapGraph;
  g.StepU = 1;
  g.StepV = 0;
  g.ShowVector = true;
  ExpectBox(g.GetBox(ws_.Context()), 1, 6, 1, 1, -2, 3);
}

// The line kind bounds row 0 of the regular surface up to StepU - 1.
TEST_F(GraphBoxTest, LineKindsBoundRowZero) {
  LoadSurface();
  for (Long kind : std::initializer_list<Long>{kStoredLine0, kLineGraph, kStoredLine9,
                                               kStoredLine20, kStoredLine23}) {
    SCOPED_TRACE(kind);
    ExpectBox(BoxOf(kind, 2, 0), 1, 11, 1, 4, 1, 1);
  }
  ExpectBox(BoxOf(kLineGraph, 1, 0), 1, 1, 1, 1, 1, 1);
  ExpectBox(BoxOf(kLineGraph, 100, 0), 1, 11, 1, 4, 1, 1);
  ExpectInverted(BoxOf(kLineGraph, 0, 0));
}

TEST_F(GraphBoxTest, VolumeKindsBoundTheNodesAndTheValueRange) {
  LoadVolume();
  for (Long kind : {kScatter4D, kVector4D, kSlice4D, kIsoSurface4D}) {
    SCOPED_TRACE(kind);
    Graph g;
    g.GraphType = kind;
    g.StepU = g.StepV = g.StepH = 1;
    ExpectBox(g.GetBox(ws_.Context()), 1, 11, 1, 11, 1, 11);
    // The values are scaled like the coordinates.
    EXPECT_DOUBLE_EQ(g.MInv, 1.0 / ws_.settings.DataScaleV);
    EXPECT_DOUBLE_EQ(g.MaxV, 112.0 / ws_.settings.DataScaleV);
  }
  Graph g;
  g.GraphType = kSlice4D;
  g.StepU = 0;
  g.StepV = 1;
  g.StepH = 50;
  ExpectBox(g.GetBox(ws_.Context()), 1, 11, 1, 11, 1, 1);
  EXPECT_DOUBLE_EQ(g.MaxV, 12.0 / ws_.settings.DataScaleV);
}

// Irregular points bound the Delaunay kind; the gridded surface does not.
TEST_F(GraphBoxTest, DelaunayBoundsTheIrregularPoints) {
  panel_.SetKindIndex(kIrregularSurface);
  panel_.SetText(3, "4");
  for (int box : {4, 7}) panel_.SetText(box, "3");
  for (int box : {1, 5}) panel_.SetText(box, "0");
  for (int box : {2, 6}) panel_.SetText(box, "10");
  panel_.SetRow(1, {"0", "0", "1", "5"});
  panel_.SetRow(2, {"10", "0", "2", "6"});
  panel_.SetRow(3, {"0", "10", "11", "7"});
  panel_.SetRow(4, {"10", "10", "1", "8"});
  Load();
  ExpectBox(BoxOf(kDelaunayGraph, 0, 0), 0, 10, 1, 11, 0, 10);
}

TEST_F(GraphBoxTest, NoDataGivesTheInvertedBox) {
  for (Long kind : {kSurfaceModel, kLineGraph, kDelaunayGraph, kScatter4D, kIsoSurface4D}) {
    SCOPED_TRACE(kind);
    ExpectInverted(BoxOf(kind, 5, 5, 5));
  }
}

// A kind the box does not know adds nothing to a union.
TEST_F(GraphBoxTest, UnknownKindsGiveTheInvertedBox) {
  LoadSurface();
  for (Long kind : {1, 3, 5, 8, 25, 40, 45, 99, -6}) {
    SCOPED_TRACE(kind);
    ExpectInverted(BoxOf(kind, 2, 1));
  }
}

TEST_F(GraphBoxTest, PointBoxRunsFromTheOrigin) {
  Graph g;
  g.GraphType = kPointGraph;
  ExpectBox(g.GetBox(ws_.Context()), -1, 1, -1, 1, -1, 1);
  g.PointX = 2;
  g.PointY = -4;
  ExpectBox(g.GetBox(ws_.Context()), 0, 2, -4, 0, 0, 0);
  ws_.settings.DataScaleX = 4;
  ws_.settings.DataScaleY = 2;
  ws_.settings.DataScaleZ = 8;
  g.PointZ = 12;
  ExpectBox(g.GetBox(ws_.Context()), 0, 1, -0.5, 0, 0, 3);
}

// The 2D point is drawn at (PointY, PointZ), but the box was taken from
// PointX and PointY, so the drawn point fell outside it (and the view fit
// missed it). The box holds the drawn point in 2D and 3D alike.
TEST_F(GraphBoxTest, PointBoxHoldsTheDrawnPoint) {
  struct Case {
    Long viewCode;
    double x, y, z;
  };
  const Case cases[] = {
      {7, 0, 3, -2}, {7, 5, 0, 4},  {7, -1, -6, 0}, {3, 1, 2, 3},
      {3, -1, 0, 9}, {11, 4, 4, 4}, {7, 9, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "view " << c.viewCode << " (" << c.x << ", " << c.y << ", " << c.z << ")");
    ws_.settings.ViewCode = c.viewCode;
    ws_.settings.DataScaleX = 2;
    ws_.settings.DataScaleY = 4;
    Graph g;
    g.GraphType = kPointGraph;
    g.PointX = c.x;
    g.PointY = c.y;
    g.PointZ = c.z;
    const Box b = g.GetBox(ws_.Context());
    const ScenePoint p = PointGraphPosition(g, ws_.Context());
    EXPECT_LE(b.MinX, p.x);
    EXPECT_GE(b.MaxX, p.x);
    EXPECT_LE(b.MinY, p.y);
    EXPECT_GE(b.MaxY, p.y);
    EXPECT_LE(b.MinZ, p.z);
    EXPECT_GE(b.MaxZ, p.z);
  }
  ws_.settings.ViewCode = 7;
  Graph g;
  g.GraphType = kPointGraph;
  g.PointX = 100;  // not drawn in 2D
  g.PointY = 6;
  g.PointZ = -8;
  ExpectBox(g.GetBox(ws_.Context()), 0, 3, -2, 0, 0, 0);
}

}  // namespace
}  // namespace qv
