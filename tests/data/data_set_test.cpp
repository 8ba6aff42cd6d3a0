#include "data/data_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>

#include "data_set_test_support.h"

namespace qv {
namespace {

using test::DataBench;

constexpr double kDeg = 3.1416 / 180.0;

void ExpectError9(const std::function<void()>& access) {
  try {
    access();
    ADD_FAILURE() << "no error raised";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), kSubscriptOutOfRange);
  }
}

// Data-Set Record

struct RecordCase {
  const char* name;
  Long kind;
  std::map<int, std::string> boxes;
  std::vector<std::vector<std::string>> rows;  // from row 1
  std::string expected;
};

// Distinct box texts so that the record shows the order of the boxes.
const std::map<int, std::string> kIrregularBoxes = {{1, "-1"}, {2, "1"}, {3, "2"}, {4, "5"},
                                                    {5, "-2"}, {6, "2"}, {7, "6"}, {8, "-3"},
                                                    {9, "3"},  {10, "7"}};
const std::vector<std::vector<std::string>> kTwoPoints = {{"1", "2", "3", "4"},
                                                          {"5", "6", "7", "8"}};

std::vector<std::vector<std::string>> Numbered(int rows) {
  std::vector<std::vector<std::string>> out;
  for (int r = 0; r < rows; ++r) {
    std::vector<std::string> row;
    for (int c = 1; c <= 4; ++c) row.push_back(std::to_string(r * 4 + c));
    out.push_back(row);
  }
  return out;
}

std::string NumbersTo(int last) {
  std::string out;
  for (int k = 1; k <= last; ++k) out += " " + std::to_string(k);
  return out;
}

class RecordTest : public testing::TestWithParam<RecordCase> {};

TEST_P(RecordTest, WritesKindBoxesAndCellsInOrder) {
  const RecordCase& c = GetParam();
  DataBench bench;
  bench.panel.SetKindIndex(c.kind);
  for (const auto& [box, text] : c.boxes) bench.panel.SetText(box, text);
  for (std::size_t r = 0; r < c.rows.size(); ++r) {
    for (std::size_t col = 0; col < c.rows[r].size(); ++col) {
      bench.panel.SetCell(static_cast<Long>(r + 1), static_cast<Long>(col + 1), c.rows[r][col]);
    }
  }
  const std::string before = bench.panel.Text(1);
  EXPECT_EQ(bench.data.Save(bench.panel), c.expected);
  EXPECT_EQ(bench.panel.Text(1), before);  // writing changes nothing
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, RecordTest,
    testing::Values(
        RecordCase{"RegularCartesian",
                   kRegularSurface,
                   {{1, "2"}, {2, "3"}},
                   Numbered(6),
                   "1 2 3" + NumbersTo(24)},
        RecordCase{"RegularCylindrical",
                   kRegularCylindrical,
                   {{1, "2"}, {2, "3"}},
                   Numbered(6),
                   "4 2 3" + NumbersTo(24)},
        RecordCase{"RegularSpherical",
                   kRegularSpherical,
                   {{1, "2"}, {2, "3"}},
                   Numbered(6),
                   "6 2 3" + NumbersTo(24)},
        RecordCase{"IrregularCartesianWritesCodeZero", kIrregularSurface, kIrregularBoxes,
                   kTwoPoints, "0 2 5 6 -1 1 -2 2" + NumbersTo(8)},
        RecordCase{"IrregularSpherical", kIrregularSpherical, kIrregularBoxes, kTwoPoints,
                   "7 2 5 6 -1 1 -2 2" + NumbersTo(8)},
        RecordCase{"IrregularCylindricalUsesHeightBoxes", kIrregularCylindrical, kIrregularBoxes,
                   kTwoPoints, "5 2 5 7 -1 1 -3 3" + NumbersTo(8)},
        RecordCase{"IrregularVolumeTenBoxes", kIrregularVolume, kIrregularBoxes, kTwoPoints,
                   "3 2 5 6 7 -1 1 -2 2 -3 3" + NumbersTo(8)},
        // Node (i, j, k) in row (i * RowsY + j) * RowsZ + k + 1.
        RecordCase{"RegularVolume",
                   kRegularVolume,
                   {{1, "2"}, {2, "1"}, {4, "2"}},
                   Numbered(4),
                   "2 2 1 2" + NumbersTo(16)},
        // The three size boxes of the regular volume are cleaned like all others.
        RecordCase{"RegularVolumeSizesCleaned",
                   kRegularVolume,
                   {{1, " 1"}, {2, "1 "}, {4, "1"}},
                   Numbered(1),
                   "2 1 1 1 1 2 3 4"},
        RecordCase{"DecimalCommaBecomesPoint",
                   kRegularSurface,
                   {{1, "1"}, {2, "1"}},
                   {{"1,5", "2", "3", "4"}},
                   "1 1 1 1.5 2 3 4"},
        RecordCase{"IllegalCharacterWritesEmptyItem",
                   kRegularSurface,
                   {{1, "1"}, {2, "1"}},
                   {{"1;5", "2", "3", "4"}},
                   "1 1 1  2 3 4"},
        RecordCase{
            "ZeroCountWritesNoRows", kRegularSurface, {{1, "0"}, {2, "3"}}, Numbered(3), "1 0 3"},
        RecordCase{"NoKindSelected", -1, {{1, "2"}, {2, "3"}}, Numbered(6), ""}),
    [](const testing::TestParamInfo<RecordCase>& info) { return std::string(info.param.name); });

TEST(RecordLimitTest, StopsAtTheSheetsLastRow) {
  // A count beyond the sheet would otherwise loop over rows that do not exist.
  DataBench bench;
  bench.panel.SetKindIndex(kIrregularSurface);
  bench.panel.SetText(3, "1e9");
  const std::string record = bench.data.Save(bench.panel);
  const auto items = std::count(record.begin(), record.end(), ' ') + 1;
  EXPECT_EQ(items, 1 + 7 + 4 * kMaxSheetRows);
}

// Element Access

TEST(ElementAccessTest, FreshDataSetIsZeroAndUnallocated) {
  DataSet data;
  EXPECT_EQ(data.DataType(), 0);
  EXPECT_EQ(data.Points(), 0);
  EXPECT_EQ(data.MaxV(), 0.0);
  EXPECT_EQ(data.LoadedKind(), -1);
  ExpectError9([&] { data.Reg3DX(0, 0); });
  ExpectError9([&] { data.Reg4DV(0, 0, 0); });
  ExpectError9([&] { data.Reg4DA(0, 0, 0); });
  ExpectError9([&] { data.Irreg3DC(0); });
  ExpectError9([&] { data.Irreg4DX(0, 1.0); });
  ExpectError9([&] { data.DelaunayTris(1); });
}

TEST(ElementAccessTest, BoundsAreZeroToCount) {
  DataBench bench;
  bench.panel.SetKindIndex(kRegularSurface);
  bench.Boxes({"3", "4"});
  ASSERT_TRUE(bench.Load());
  // Upper bound = count: one element more than the nodes.
  EXPECT_EQ(bench.data.Reg3DX(3, 4), 0.0);
  ExpectError9([&] { bench.data.Reg3DX(4, 0); });
  ExpectError9([&] { bench.data.Reg3DZ(0, -1); });
  ExpectError9([&] { bench.data.Reg3DC(0, 5, 1.0); });
  // The volume arrays of another kind stay unallocated.
  ExpectError9([&] { bench.data.Reg4DX(0, 0, 0); });
}

TEST(ElementAccessTest, WriteReadsBackBitForBit) {
  DataBench bench;
  bench.panel.SetKindIndex(kRegularSurface);
  bench.Boxes({"2", "2"});
  ASSERT_TRUE(bench.Load());
  const double value = 0.1 + 0.2;
  bench.data.Reg3DD(1, 1, value);
  const double back = bench.data.Reg3DD(1, 1);
  EXPECT_EQ(std::memcmp(&back, &value, sizeof value), 0);
  // A refused write changes nothing.
  ExpectError9([&] { bench.data.Reg3DD(3, 1, 5.0); });
  EXPECT_EQ(bench.data.Reg3DD(1, 1), value);
}

// Reading the Panel

struct Node {
  double x, y, z, c;
};

// Sets a regular surface of nodesX by nodesY from cells(i, j).
void RegularSurface(DataBench& bench, Long kind, int nodesX, int nodesY,
                    const std::function<Node(int, int)>& cells) {
  bench.panel.SetKindIndex(kind);
  bench.Boxes({std::to_string(nodesX), std::to_string(nodesY)});
  for (int i = 0; i < nodesX; ++i) {
    for (int j = 0; j < nodesY; ++j) {
      const Node n = cells(i, j);
      bench.panel.SetRow(i * nodesY + j + 1, {FormatDouble(n.x), FormatDouble(n.y),
                                              FormatDouble(n.z), FormatDouble(n.c)});
    }
  }
}

TEST(GetDataTest, RegularCartesianSurface) {
  DataBench bench;
  RegularSurface(bench, kRegularSurface, 3, 2, [](int i, int j) {
    return Node{10.0 * i, 5.0 * j, i + j + 1.0, -1.0 * i};
  });
  ASSERT_TRUE(bench.Load());
  const DataSet& d = bench.data;
  EXPECT_EQ(d.DataType(), 1);
  EXPECT_EQ(d.DataDim(), 1);
  EXPECT_EQ(d.StepsX(), 3);
  EXPECT_EQ(d.StepsY(), 2);
  EXPECT_EQ(d.LoadedKind(), kRegularSurface);
  // Bounds in data units, arrays in drawing units (each range 10 units).
  EXPECT_EQ(d.MaxX(), 20.0);
  EXPECT_EQ(d.MaxY(), 5.0);
  EXPECT_EQ(d.MinZ(), 1.0);
  EXPECT_EQ(d.MaxZ(), 4.0);
  EXPECT_EQ(d.MinC(), -2.0);
  EXPECT_EQ(d.MaxC(), 0.0);
  EXPECT_DOUBLE_EQ(bench.settings.DataScaleX, 2.0);
  EXPECT_DOUBLE_EQ(bench.settings.DataScaleY, 0.5);
  EXPECT_DOUBLE_EQ(bench.settings.DataScaleZ, 0.3);
  EXPECT_EQ(bench.settings.DataScaleV, 1.0);
  EXPECT_DOUBLE_EQ(d.Reg3DX(2, 1), 10.0);
  EXPECT_DOUBLE_EQ(d.Reg3DY(2, 1), 10.0);
  EXPECT_DOUBLE_EQ(d.Reg3DZ(2, 1), 4.0 / 0.3);
  EXPECT_EQ(d.Reg3DC(2, 1), -2.0);  // the colour column is not scaled
  EXPECT_TRUE(bench.messages.Shown().empty());
}

TEST(GetDataTest, CylindricalUsesTheShortPi) {
  DataBench bench;
  RegularSurface(bench, kRegularCylindrical, 2, 2, [](int i, int j) {
    return Node{90.0 * i, 2.0 * j, 3.0, 0.0};  // A, height, radius
  });
  ASSERT_TRUE(bench.Load());
  const DataSet& d = bench.data;
  const SharedSettings& s = bench.settings;
  // cos(90 degrees) with 3.1416 is not 0: the short value of pi is used.
  EXPECT_DOUBLE_EQ(d.Reg3DX(1, 0) * s.DataScaleX, 3.0 * std::cos(90.0 * 3.1416 / 180.0));
  EXPECT_DOUBLE_EQ(d.Reg3DY(1, 0) * s.DataScaleY, 3.0 * std::sin(90.0 * 3.1416 / 180.0));
  EXPECT_DOUBLE_EQ(d.Reg3DZ(1, 1) * s.DataScaleZ, 2.0);
  EXPECT_EQ(d.Reg3DA(1, 1), 90.0);
  EXPECT_EQ(d.Reg3DB(1, 1), 3.0);
  EXPECT_EQ(d.Reg3DD(1, 1), 2.0);
  EXPECT_EQ(d.MinA(), 0.0);
  EXPECT_EQ(d.MaxA(), 90.0);
  EXPECT_DOUBLE_EQ(d.MaxX(), 3.0);
}

TEST(GetDataTest, SphericalConversion) {
  DataBench bench;
  RegularSurface(bench, kRegularSpherical, 2, 2, [](int i, int j) {
    return Node{30.0 + 60.0 * i, 45.0 + 90.0 * j, 2.0, 1.0};  // A, B, radius
  });
  ASSERT_TRUE(bench.Load());
  const DataSet& d = bench.data;
  const SharedSettings& s = bench.settings;
  const double a = 90.0 * kDeg, b = 135.0 * kDeg;
  EXPECT_NEAR(d.Reg3DX(1, 1) * s.DataScaleX, std::sin(b) * 2.0 * std::cos(a), 1e-12);
  EXPECT_NEAR(d.Reg3DY(1, 1) * s.DataScaleY, std::sin(b) * 2.0 * std::sin(a), 1e-12);
  EXPECT_NEAR(d.Reg3DZ(1, 1) * s.DataScaleZ, std::cos(b) * 2.0, 1e-12);
  EXPECT_EQ(d.MinA(), 30.0);
  EXPECT_EQ(d.MaxA(), 90.0);
  EXPECT_EQ(d.MinB(), 45.0);
  EXPECT_EQ(d.MaxB(), 135.0);
  EXPECT_EQ(d.Reg3DD(0, 0), 2.0);
}

TEST(GetDataTest, RegularVolumeRowsAndValueScale) {
  DataBench bench;
  bench.panel.SetKindIndex(kRegularVolume);
  bench.Boxes({"2", "3", "", "2"});
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 3; ++j) {
      for (int k = 0; k < 2; ++k) {
        const Long row = (i * 3 + j) * 2 + k + 1;
        bench.panel.SetRow(row, {std::to_string(i), std::to_string(j), std::to_string(k),
                                 std::to_string(100 * i + 10 * j + k)});
      }
    }
  }
  ASSERT_TRUE(bench.Load());
  const DataSet& d = bench.data;
  EXPECT_EQ(d.DataType(), 1);
  EXPECT_EQ(d.DataDim(), 2);
  EXPECT_EQ(d.StepsZ(), 2);
  EXPECT_EQ(d.MInv(), 0.0);
  EXPECT_EQ(d.MaxV(), 121.0);
  EXPECT_DOUBLE_EQ(bench.settings.DataScaleV, 12.1);
  EXPECT_DOUBLE_EQ(d.Reg4DV(1, 2, 1) * bench.settings.DataScaleV, 121.0);
  EXPECT_DOUBLE_EQ(d.Reg4DY(1, 2, 1) * bench.settings.DataScaleY, 2.0);
  EXPECT_EQ(d.Reg4DC(1, 2, 1), 121.0);
}

struct RefusalCase {
  const char* name;
  Long kind;
  std::vector<std::string> boxes;
  Long row;
  const char* cell;
  const char* message;
};

class RefusedPanelTest : public testing::TestWithParam<RefusalCase> {};

// A panel that cannot be read must leave the loaded data set and the drawing
// scales exactly as they were.
TEST_P(RefusedPanelTest, ShowsMessageAndChangesNothing) {
  const RefusalCase& c = GetParam();
  DataBench bench;
  RegularSurface(bench, kRegularSurface, 2, 2, [](int i, int j) {
    return Node{1.0 * i, 2.0 * j, 3.0 * i * j, 4.0};
  });
  ASSERT_TRUE(bench.Load());
  const double scaleX = bench.settings.DataScaleX;
  const double x11 = bench.data.Reg3DX(1, 1);

  bench.panel.SetKindIndex(c.kind);
  bench.Boxes(c.boxes);
  if (c.row > 0) bench.panel.SetCell(c.row, 1, c.cell);
  EXPECT_FALSE(bench.Load());
  ASSERT_EQ(bench.messages.Shown().size(), 1u);
  EXPECT_EQ(bench.messages.Shown()[0].text, c.message);
  EXPECT_EQ(bench.messages.Shown()[0].title, "Error");
  EXPECT_EQ(bench.messages.Shown()[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(bench.data.LoadedKind(), kRegularSurface);
  EXPECT_EQ(bench.data.DataType(), 1);
  EXPECT_EQ(bench.data.StepsX(), 2);
  EXPECT_EQ(bench.data.Reg3DX(1, 1), x11);
  EXPECT_EQ(bench.data.MaxY(), 2.0);
  EXPECT_EQ(bench.settings.DataScaleX, scaleX);
}

INSTANTIATE_TEST_SUITE_P(
    Panels, RefusedPanelTest,
    testing::Values(
        RefusalCase{"LetterInCell", kRegularSurface, {}, 3, "abc", "Illegal data exist."},
        RefusalCase{"NumberTooLarge", kRegularSurface, {}, 2, "1e999", "Illegal data exist."},
        RefusalCase{
            "NoRowsX", kRegularSurface, {"0"}, 0, "", "The number of Rows X must larger than 0."},
        RefusalCase{"TooFewPoints",
                    kIrregularSurface,
                    {"0", "1", "3", "5", "0", "1", "5"},
                    0,
                    "",
                    "The number of points must larger than 3."},
        RefusalCase{"BoundTooLarge",
                    kIrregularSurface,
                    {"0", "1e400", "4", "5", "0", "1", "5"},
                    0,
                    "",
                    "Illegal data exist."},
        RefusalCase{"GridTooLarge",
                    kIrregularSurface,
                    {"0", "1", "4", "2000", "0", "1", "2000"},
                    0,
                    "",
                    "Illegal data exist."},
        // 1.5 x 1.5 nodes load as 2 x 2: the fourth row is checked as well.
        RefusalCase{"FractionalCountsCheckEveryLoadedRow",
                    kRegularSurface,
                    {"1.5", "1.5"},
                    4,
                    "abc",
                    "Illegal data exist."},
        RefusalCase{"SheetTooSmall",
                    kRegularVolume,
                    {"100", "100", "", "3"},
                    0,
                    "",
                    "Illegal data exist."}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST(GetDataTest, NoKindSelectedChangesNothing) {
  DataBench bench;
  bench.panel.SetKindIndex(-1);
  EXPECT_FALSE(bench.Load());
  EXPECT_EQ(bench.data.LoadedKind(), -1);
  EXPECT_TRUE(bench.messages.Shown().empty());
}

TEST(GetDataTest, ReloadKeepsTheTriangles) {
  // The triangles belong to the reader's triangulation, made after the load.
  DataBench bench;
  std::vector<double> x{0, 0, 1, 0}, y{0, 0, 0, 1};
  bench.data.DelaunayTriCount(bench.data.DelaunayTriangulate(3, x, y, bench.messages));
  RegularSurface(bench, kRegularSurface, 2, 2, [](int, int) { return Node{1, 2, 3, 4}; });
  ASSERT_TRUE(bench.Load());
  EXPECT_EQ(bench.data.DelaunayTriCount(), 1);
  EXPECT_EQ(bench.data.DelaunayTriRecords(), 1);
}

// Normalising

struct ScaleCase {
  const char* name;
  Long mode;
  double ratioX, ratioY, ratioZ, zoomZ;
  double scaleX, scaleY, scaleZ;
};

class NormalizeTest : public testing::TestWithParam<ScaleCase> {};

// Ranges 20 (x), 5 (y) and 0 (z): a flat axis gets scale 1.
TEST_P(NormalizeTest, ScalesByMode) {
  const ScaleCase& c = GetParam();
  DataSet data;
  data.DataDim(1);
  data.MinX(-10.0);
  data.MaxX(10.0);
  data.MinY(0.0);
  data.MaxY(5.0);
  data.MinZ(3.0);
  data.MaxZ(3.0);
  SharedSettings s;
  s.ScaleMode = c.mode;
  s.ScaleRatioX = c.ratioX;
  s.ScaleRatioY = c.ratioY;
  s.ScaleRatioZ = c.ratioZ;
  s.ZoomZ = c.zoomZ;
  data.Normalize(s);
  EXPECT_DOUBLE_EQ(s.DataScaleX, c.scaleX);
  EXPECT_DOUBLE_EQ(s.DataScaleY, c.scaleY);
  EXPECT_DOUBLE_EQ(s.DataScaleZ, c.scaleZ);
  EXPECT_EQ(s.DataScaleV, 1.0);
  EXPECT_EQ(data.MaxX(), 10.0);  // the bounds stay in data units
}

INSTANTIATE_TEST_SUITE_P(
    Modes, NormalizeTest,
    testing::Values(ScaleCase{"Square", 1, 1, 1, 1, 1, 2.0, 0.5, 1.0},
                    ScaleCase{"Equal", 2, 1, 1, 1, 1, 2.0, 2.0, 2.0},
                    ScaleCase{"CustomRatios", 3, 4, 0.5, 2, 1, 0.5, 1.0, 0.5},
                    ScaleCase{"CustomInvalidRatiosCountAsOne", 3, 0, -2, std::nan(""), 1, 2.0, 0.5,
                              1.0},
                    ScaleCase{"ZoomRaisesTheHeight", 1, 1, 1, 1, 4, 2.0, 0.5, 0.25},
                    ScaleCase{"ZeroZoomCountsAsOne", 2, 1, 1, 1, 0, 2.0, 2.0, 2.0},
                    ScaleCase{"UnknownModeIsSquare", 9, 1, 1, 1, 1, 2.0, 0.5, 1.0}),
    [](const testing::TestParamInfo<ScaleCase>& info) { return std::string(info.param.name); });

TEST(GetBoxTest, GraphsBoxIsTheScaledNodesInSceneAxes) {
  DataBench bench;
  bench.settings.ScaleMode = 2;
  RegularSurface(bench, kRegularSurface, 2, 2, [](int i, int j) {
    return Node{40.0 * i - 20.0, 10.0 * j, 5.0 * i * j, 0.0};
  });
  ASSERT_TRUE(bench.Load());
  EXPECT_DOUBLE_EQ(bench.settings.DataScaleX, 4.0);
  const Box box = bench.data.GetBox();
  // scene x = data Y, scene y = data Z, scene z = data X.
  EXPECT_DOUBLE_EQ(box.MinX, 0.0);
  EXPECT_DOUBLE_EQ(box.MaxX, 2.5);
  EXPECT_DOUBLE_EQ(box.MaxY, 1.25);
  EXPECT_DOUBLE_EQ(box.MinZ, -5.0);
  EXPECT_DOUBLE_EQ(box.MaxZ, 5.0);
}

TEST(GetBoxTest, EmptyDataSetHasInvertedBox) {
  const Box box = DataSet().GetBox();
  EXPECT_EQ(box.MaxX, -99999990000.0);
  EXPECT_EQ(box.MinZ, 99999990000.0);
}

// Triangulation

TEST(DelaunayTest, SquareGivesTwoTriangles) {
  test::ScriptedMessageBox messages;
  DataSet data;
  std::vector<double> x{0, 0, 1, 0, 1, 0, 0, 0}, y{0, 0, 0, 1, 1, 0, 0, 0};
  const Long count = data.DelaunayTriangulate(4, x, y, messages);
  EXPECT_EQ(count, 2);
  for (Long t = 1; t <= count; ++t) {
    const DelaunayTri& tri = data.DelaunayTris(t);
    for (Long v : {tri.V1, tri.V2, tri.V3}) {
      EXPECT_GE(v, 1);
      EXPECT_LE(v, 4);
    }
  }
  ExpectError9([&] { data.DelaunayTris(3); });
  EXPECT_TRUE(messages.Shown().empty());
}

TEST(DelaunayTest, CoincidentPointsReportedOnce) {
  test::ScriptedMessageBox messages;
  DataSet data;
  std::vector<double> x{0, 0, 1, 0, 1, 1}, y{0, 0, 0, 1, 0, 0};
  EXPECT_EQ(data.DelaunayTriangulate(5, x, y, messages), 1);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"INCIRCUM - F - Points are coincident !!"});
}

// Through a runner the triangles come once the work has ended, its message
// after it; stopped work leaves the triangles there were.
struct RunnerTriangulationCase {
  const char* name;
  double stopAt;
  Long triangles;
  std::vector<std::string> messages;
};

class TriangulateThroughRunnerTest : public testing::TestWithParam<RunnerTriangulationCase> {};

TEST_P(TriangulateThroughRunnerTest, StoresTheTrianglesOnlyWhenDone) {
  const RunnerTriangulationCase& c = GetParam();
  DataBench bench;
  // Five points, two of them the same: a square of two triangles.
  bench.IrregularSurface(kIrregularSurface, 3, 3, 0, 1, 0, 1,
                         {{0, 0, 1, 0}, {1, 0, 1, 0}, {0, 1, 1, 0}, {1, 1, 1, 0}, {1, 1, 1, 0}});
  ASSERT_TRUE(bench.Load());
  std::vector<double> x{0, 0, 1, 0}, y{0, 0, 0, 1};
  bench.data.DelaunayTriCount(bench.data.DelaunayTriangulate(3, x, y, bench.messages));
  ASSERT_EQ(bench.data.DelaunayTriCount(), 1);
  bench.work.stopAt = c.stopAt;
  bench.data.TriangulateIrregularPoints(bench.messages, &bench.work);
  EXPECT_EQ(bench.data.DelaunayTriCount(), c.triangles);
  EXPECT_EQ(bench.data.DelaunayTriRecords(), c.triangles);
  EXPECT_EQ(bench.messages.Texts(), c.messages);
}

INSTANTIATE_TEST_SUITE_P(Ends, TriangulateThroughRunnerTest,
                         testing::Values(
                             RunnerTriangulationCase{
                                 "Done", 2.0, 2, {"INCIRCUM - F - Points are coincident !!"}},
                             RunnerTriangulationCase{"Stopped", 0.0, 1, {}}),
                         [](const testing::TestParamInfo<RunnerTriangulationCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(DelaunayTest, ShortArraysRaiseError9) {
  test::ScriptedMessageBox messages;
  DataSet data;
  std::vector<double> x{0, 0, 1}, y{0, 0, 0, 1};
  ExpectError9([&] { data.DelaunayTriangulate(3, x, y, messages); });
}

TEST(DelaunayTest, TooFewPointsGiveNoTriangles) {
  test::ScriptedMessageBox messages;
  DataSet data;
  std::vector<double> x{0, 0, 1}, y{0, 0, 0};
  EXPECT_EQ(data.DelaunayTriangulate(2, x, y, messages), 0);
}

}  // namespace
}  // namespace qv
