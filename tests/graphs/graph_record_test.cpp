// The graph record: Save and the one reader that documents and Paste share.
#include "graphs/graph_record.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "graphs/workspace.h"
#include "scene/axis_system.h"
#include "support/graph_option_fill.h"

namespace qv {
namespace {

// Every field the record carries reads back as written: the graph's ID, the
// recorded options of the format written's record takes (the tables up to
// their counts) and the gridding methods.
void ExpectSameRecordedFields(const Graph& back, const SharedSettings& backSettings,
                              const Graph& written, const SharedSettings& writtenSettings) {
  EXPECT_EQ(back.ID(), written.ID());
  EXPECT_EQ(test::DifferingInFormat(written, back, written.RecordFormat()),
            std::vector<std::string>{});
  EXPECT_EQ(backSettings.GridMethod, writtenSettings.GridMethod);
  EXPECT_EQ(backSettings.GridMethod4D, writtenSettings.GridMethod4D);
}

// Fills every recorded number and flag with a value of its own, derived from
// seed (the texts keep theirs), with the given counts and contour flag.
void FillRecordedFields(Graph& g, Long seed, Long slices, Long colours, bool contour) {
  g.SetID(seed);
  test::OptionValues values(seed);
  test::FillOptions(g, values, [](const OptionField& row) {
    return test::RecordedOption(row) && test::NumberOption(row);
  });
  g.ShowContour = contour;
  g.Slice4NumX = g.Slice4NumY = g.Slice4NumZ = slices;
  g.ColorNum = colours;
}

class GraphRecordTest : public ::testing::Test {
 protected:
  // Reads text as one record of the given format version into graph.
  GraphRecordResult Read(const std::string& text, Long version, Graph& graph,
                         std::size_t* consumed = nullptr,
                         RecordReading reading = RecordReading::kLenient) {
    RecordReader reader(SplitRecord(text));
    const GraphRecordResult result =
        ReadGraphRecord(reader, version, graph, read_.settings, reading);
    if (consumed != nullptr) *consumed = reader.Position();
    return result;
  }

  Workspace ws_;
  // The workspace the records are read into (its gridding methods change).
  Workspace read_;
};

// Format 5 only for what format 4 would lose: a point graph away from the
// origin, a contour plot whose lines are wider than the 1 pixel that every
// width up to 1 draws. Its record is format 4's with PointX, PointY, PointZ
// and ConWidth before the gridding methods, and each layout reads back.
TEST_F(GraphRecordTest, WritesFormatFiveOnlyForWhatFormatFourWouldLose) {
  struct Case {
    const char* name;
    Long kind;
    double x, y, z;
    Long conWidth;
    Long format;
  };
  const Case cases[] = {
      {"point at the origin", kPointGraph, 0, 0, 0, 0, 4},
      {"point at minus zero", kPointGraph, -0.0, 0, -0.0, 0, 4},
      {"point placed along x", kPointGraph, 1.5, 0, 0, 0, 5},
      {"point placed along y", kPointGraph, 0, -2, 0, 0, 5},
      {"point placed a little along z", kPointGraph, 0, 0, 1e-300, 0, 5},
      {"point with a wide contour width", kPointGraph, 0, 0, 0, 3, 4},
      {"surface with a position", kSurfaceModel, 1, 2, 3, 0, 4},
      {"contour plot width 0", kContourPlot, 0, 0, 0, 0, 4},
      {"contour plot width 1", kContourPlot, 0, 0, 0, 1, 4},
      {"contour plot width -4", kContourPlot, 0, 0, 0, -4, 4},
      {"contour plot width 2", kContourPlot, 0, 0, 0, 2, 5},
      {"contour plot width 8", kContourPlot, 0, 0, 0, 8, 5},
      {"3D contour plot width 3", kContour3DPlot, 0, 0, 0, 3, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Graph g;
    FillRecordedFields(g, 7, 1, 2, true);
    g.GraphType = c.kind;
    g.PointX = c.x;
    g.PointY = c.y;
    g.PointZ = c.z;
    g.ConWidth = c.conWidth;
    EXPECT_EQ(g.RecordFormat(), c.format);
    EXPECT_EQ(g.Save(ws_.settings), g.Save(ws_.settings, c.format));
    std::vector<std::string> classic = SplitRecord(g.Save(ws_.settings, 4));
    const std::vector<std::string> newest = SplitRecord(g.Save(ws_.settings, 5));
    classic.insert(classic.end() - 2,
                   {FormatDouble(c.x), FormatDouble(c.y), FormatDouble(c.z), CStr(c.conWidth)});
    EXPECT_EQ(newest, classic);

    for (const Long format : {Long{4}, Long{5}}) {
      SCOPED_TRACE("written in format " + CStr(format));
      RecordReader reader(SplitRecord(g.Save(ws_.settings, format)));
      Graph back;
      ASSERT_TRUE(ReadWholeGraphRecord(reader, back, read_.settings).ok);
      EXPECT_TRUE(reader.AtEnd());
      EXPECT_EQ(test::DifferingInFormat(g, back, format), std::vector<std::string>{});
      const Graph fresh;
      EXPECT_EQ(back.PointX, format == 5 ? g.PointX : fresh.PointX);
      EXPECT_EQ(back.ConWidth, format == 5 ? g.ConWidth : fresh.ConWidth);
    }
  }
}

// Every kind, the counts at 0 and at their maxima, titles with one and two
// blanks and empty texts: what Save writes reads back field for field, and
// the reader takes exactly the record's tokens.
TEST_F(GraphRecordTest, EveryGraphReadsBackFieldForField) {
  struct Case {
    Long kind;
    Long slices;
    Long colours;
    bool contour;
    const char* name;
    const char* texture;
    const char* colorName;
  };
  const Case cases[] = {
      {kStoredSurface2, 0, 0, false, "Surface", "", ""},
      {kLineGraph, 0, 1, true, "two words", "a.bmp", "RAINBOW"},
      {kSurfaceModel, 50, 31, true, "two  blanks", "my texture.bmp", "Mine"},
      {kPointGraph, 0, 6, false, "Point  x=1  y=2  z=3", "", "@GREY"},
      {kStoredSurface12, 1, 2, true, "", "", "two words"},
      {kColorMapGraph, 0, 31, false, "Color Map", "", "Earth"},
      {kContourPlot, 50, 0, true, "Contour Plot", "c:\\tex\\one two.jpg", ""},
      {kVectorPlot, 2, 3, false, "Vector Plot", "", "Marine"},
      {kContour3DPlot, 0, 5, true, "3D Contour Plot", "", "FIERY"},
      {kVertexModel, 0, 0, false, "3D Vertex Model", "", ""},
      {kGridModel, 3, 0, false, "3D Grid Model", "", ""},
      {kStoredSurface21, 0, 0, false, "x", "", ""},
      {kStoredSurface22, 0, 0, true, "a b c d e f", "", ""},
      {kDelaunayGraph, 0, 6, true, "Delaunay Triangles", "", "Rainbow"},
      {kScatter4D, 0, 6, false, "4D Scatter", "", ""},
      {kVector4D, 0, 6, false, "4D Vector", "", ""},
      {kSlice4D, 50, 31, true, "4D Slice", "", "Mine  own"},
      {kIsoSurface4D, 0, 6, false, "4D IsoSurface", "", ""},
      {99, 7, 9, true, "unknown kind", "x", "y"},
  };
  Long seed = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("kind ") + CStr(c.kind) + " \"" + c.name + "\"");
    Graph g;
    g.GraphType = c.kind;
    g.NameS = c.name;
    g.TexName = c.texture;
    g.ColorName = c.colorName;
    FillRecordedFields(g, ++seed, c.slices, c.colours, c.contour);
    g.PointZ = 0.5;  // placed, whatever the other two
    g.ConWidth = 3;
    ws_.settings.GridMethod = static_cast<Long>(seed % 5 + 1);
    ws_.settings.GridMethod4D = static_cast<Long>(seed % 3 + 101);
    const std::string text = g.Save(ws_.settings);
    ASSERT_EQ(text.back(), ' ');

    Graph back;
    back.StepH = 8;
    back.CoordType = 4;
    std::size_t consumed = 0;
    ASSERT_TRUE(Read(text, g.RecordFormat(), back, &consumed).ok);
    EXPECT_EQ(consumed, SplitRecord(text).size());
    ExpectSameRecordedFields(back, read_.settings, g, ws_.settings);
    // The point's position and the contour width come back in format 5,
    // which the placed point and the contour plot's 3-pixel lines need; the
    // other kinds do not draw them and are written in format 4, which keeps
    // the reader's (a new graph's) values.
    const bool newest = c.kind == kPointGraph || c.kind == kContourPlot;
    ASSERT_EQ(g.RecordFormat(), newest ? kNewestRecordFormat : kClassicRecordFormat);
    const Graph fresh;
    EXPECT_EQ(back.PointX, newest ? g.PointX : fresh.PointX);
    EXPECT_EQ(back.PointY, newest ? g.PointY : fresh.PointY);
    EXPECT_EQ(back.PointZ, newest ? g.PointZ : fresh.PointZ);
    EXPECT_EQ(back.ConWidth, newest ? g.ConWidth : fresh.ConWidth);
    // Fields the record does not carry keep the reader's values.
    EXPECT_EQ(back.StepH, 8);
    EXPECT_EQ(back.CoordType, 4);
    EXPECT_EQ(back.Save(read_.settings), text);
    // What Save writes is in the writer's form item for item.
    Graph exact;
    ASSERT_TRUE(Read(text, g.RecordFormat(), exact, &consumed, RecordReading::kExact).ok);
    EXPECT_EQ(consumed, SplitRecord(text).size());
    ExpectSameRecordedFields(exact, read_.settings, g, ws_.settings);
  }
}

// Read exactly (as the clipboard's records are), an item not in the form
// the writer gives it refuses the whole record with a message naming the
// field, and nothing of the graph or the settings changes.
TEST_F(GraphRecordTest, ExactReadingRefusesItemsNotInTheWritersForm) {
  Graph source;
  source.LineColor = 255;
  source.Slice4NumX = 1;
  const std::vector<std::string> tokens = SplitRecord(source.Save(ws_.settings));
  // Items by token index for a one-token title and no contour level.
  constexpr std::size_t kId = 1, kName = 2, kLineColor = 3, kStepU = 11, kPointSize = 14,
                        kShowColormap = 15, kSlice4NumX = 38, kSlice4X1 = 39;
  ASSERT_EQ(tokens[kLineColor], "255");
  ASSERT_EQ(tokens[kSlice4NumX], "1");
  const std::size_t kGridMethod4D = tokens.size() - 1;
  struct Case {
    std::size_t index;
    const char* token;  // nullptr: the record ends before this item
    const char* message;
  };
  const Case cases[] = {
      {kId, "1.5", "The graph record's ID is not a whole number."},
      {kLineColor, "", "The graph record's LineColor is not a whole number."},
      {kLineColor, "12abc", "The graph record's LineColor is not a whole number."},
      {kLineColor, "99999999999", "The graph record's LineColor is not a whole number."},
      {kStepU, "2147483648", "The graph record's StepU is not a whole number."},
      {kStepU, "+3", "The graph record's StepU is not a whole number."},
      {kPointSize, "1e999", "The graph record's PointSize is not a number."},
      {kPointSize, "0.5x", "The graph record's PointSize is not a number."},
      {kPointSize, ".", "The graph record's PointSize is not a number."},
      {kPointSize, "1E", "The graph record's PointSize is not a number."},
      {kShowColormap, "True", "The graph record's ShowColormap is not a flag (1 or 0)."},
      {kShowColormap, "2", "The graph record's ShowColormap is not a flag (1 or 0)."},
      {kName, "Surface", "The graph record's NameS is not a text between two \"@\"s."},
      {kSlice4NumX, "-1", "The graph record's Slice4NumX is negative."},
      {kSlice4NumX, "51", "The graph record holds more than 50 slices."},
      {kSlice4X1, "x", "The graph record's Slice4X(1) is not a number."},
      {kGridMethod4D, "102.5", "The graph record's GridMethod4D is not a whole number."},
      {kGridMethod4D, nullptr, "The graph record is cut short."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message + std::string(" at item ") + CStr(static_cast<long long>(c.index)));
    std::string text;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      if (i == c.index && c.token == nullptr) break;
      text += (i == c.index ? std::string(c.token) : tokens[i]) + " ";
    }
    Graph g;
    g.NameS = "kept";
    read_.settings.GridMethod = 5;
    const std::string before = g.Save(read_.settings);
    const GraphRecordResult result =
        Read(text, source.RecordFormat(), g, nullptr, RecordReading::kExact);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(g.Save(read_.settings), before);
    EXPECT_EQ(read_.settings.GridMethod, 5);
  }
}

// Texts that would end early or late when read back are cleaned as the axis
// titles are; the fields after them keep their places.
TEST_F(GraphRecordTest, TextsThatWouldShiftLaterFieldsAreCleaned) {
  std::string longTitle = "w";
  for (int i = 0; i < 120; ++i) longTitle += " w";
  struct Case {
    std::string title;
    std::string readBack;
  };
  const Case cases[] = {
      {" leading blank", "leading blank"},
      {"   ", ""},
      {"ends@ here", "ends here"},
      {"a@@ b", "a b"},
      {"@ x", "x"},
      {"@", "@"},
      {"a @", "a @"},
      {"trailing ", "trailing "},
      {longTitle, AxisSystem::CleanTitle(longTitle)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("\"" + c.title + "\"");
    Graph g;
    FillRecordedFields(g, 5, 1, 2, true);
    g.NameS = c.title;
    g.TexName = c.title;
    g.ColorName = c.title;
    Graph back;
    std::size_t consumed = 0;
    const std::string text = g.Save(ws_.settings);
    ASSERT_TRUE(Read(text, g.RecordFormat(), back, &consumed).ok);
    EXPECT_EQ(consumed, SplitRecord(text).size());
    EXPECT_EQ(back.NameS, c.readBack);
    EXPECT_EQ(back.TexName, c.readBack);
    EXPECT_EQ(back.ColorName, c.readBack);
    g.NameS = g.TexName = g.ColorName = c.readBack;
    ExpectSameRecordedFields(back, read_.settings, g, ws_.settings);
  }
  const std::string cut = AxisSystem::CleanTitle(longTitle);
  EXPECT_EQ(std::count(cut.begin(), cut.end(), ' '), 100);
}

// One record against its reviewed text, token by token. Set
// QV_UPDATE_GOLDEN=1 to rewrite the file, then review the diff.
TEST_F(GraphRecordTest, RecordMatchesTheGoldenText) {
  Graph g;
  g.GraphType = kSlice4D;
  g.SetID(7);
  g.NameS = "My  slices";
  g.LineColor = 255;
  g.LineWidth = 2;
  g.FillStyle = 4;
  g.FirstColor = 16711680;
  g.SecondColor = 65280;
  g.Material = 5;
  g.Show = 3;
  g.Smoothness = 2;
  g.StepU = 10;
  g.StepV = 12;
  g.PointColor = 33023;
  g.PointSize = 0.5;
  g.ShowColormap = true;
  g.ShowContour = true;
  g.ContourLevel = 0.25;
  g.VertSize = 3;
  g.ContourLevels = 1.5;
  g.Contour3Levels = -2.75;
  g.Con3Width = 1;
  g.Scat4DColor = 128;
  g.Slice4NumX = 2;
  g.Slice4X(1) = 1.5;
  g.SliceXShowColor(1) = true;
  g.SliceXContLevels(1) = 0.1;
  g.SliceXContColor(1) = 255;
  g.Slice4X(2) = -3;
  g.SliceXShowCont(2) = true;
  g.SliceXShowVect(2) = true;
  g.SliceXVectColor(2) = 65535;
  g.Slice4NumY = 1;
  g.Slice4Y(1) = 1E-7;
  g.Slice4YZYB(1) = 0;
  g.Slice4YZYE(1) = 10;
  g.Slice4YZZB(2) = 1;
  g.Slice4YZZE(2) = 9;
  g.Slice4ZXXB(1) = 2;
  g.Slice4ZXZE(1) = 8;
  g.ShowTrans = true;
  g.TransAlpha = 0.6;
  g.TexName = "";
  g.ShowDG = true;
  g.TriWidth = 1;
  g.ColorName = "Mine";
  g.ColorNum = 3;
  g.ColorPos(1) = 50;
  g.ColorR(1) = 10;
  g.ColorPos(2) = 100;
  g.ColorB(2) = 255;
  g.IsoSurValue = 1E+20;
  g.IsoSurColor = 16777215;
  ws_.settings.GridMethod = 3;
  ws_.settings.GridMethod4D = 103;
  const std::string text = g.Save(ws_.settings);

  const std::string path = std::string(QV_TEST_EXPECTED_DIR) + "/graphs/record_golden.txt";
  if (std::getenv("QV_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << text;
  }
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file) << "no golden text at " << path << "; run with QV_UPDATE_GOLDEN=1";
  const std::string golden((std::istreambuf_iterator<char>(file)), {});
  const std::vector<std::string> expected = SplitRecord(golden);
  const std::vector<std::string> actual = SplitRecord(text);
  for (std::size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
    EXPECT_EQ(actual[i], expected[i]) << "token " << i;
  }
  EXPECT_EQ(actual.size(), expected.size());
  EXPECT_EQ(text, golden);
}

// A record of each format version holds only its fields: the reader takes
// exactly those tokens, and the fields the version lacks keep their values.
TEST_F(GraphRecordTest, EachFormatVersionReadsOnlyItsFields) {
  const std::string core =
      "6 3 Surface 255 2 4 16711680 65280 5 3 2 20 30 7 0.5 1 0 1 4 128 8421504 1 0.5 1 255 "
      "65535 2 3 16776960 16711935 2 0 4 33023 65280 1 ";
  const std::string since1 = "111 222 0 0 0 1 2 1 0.75 @wood.bmp@ ";
  const std::string since2 = "1 1 4210752 3 ";
  const std::string since3 = "@Grey@ 2 0 200 200 200 100 50 50 50 1.5 999 3 103 ";
  struct Case {
    Long version;
    const char* header;
  };
  for (const Case c :
       {Case{0, "D1"}, Case{1, "D11"}, Case{2, "D21"}, Case{3, "D31"}, Case{4, "D41"}}) {
    SCOPED_TRACE(c.header);
    std::string text = c.version == 0 ? core : "6 3 @Surface@" + core.substr(11);
    if (c.version >= 1) text += since1;
    if (c.version >= 2) text += since2;
    if (c.version >= 3) text += since3;
    text += "NEXT ";
    // The values a graph of the document reader holds before its record.
    Graph g;
    g.Scat4DColor = -1;
    g.TexName = "before";
    g.TransAlpha = -1;
    g.ShowDG = false;
    g.TriWidth = -1;
    g.ColorName = "before";
    g.IsoSurValue = -1;
    g.IsoSurColor = -1;
    read_.settings.GridMethod = 2;
    read_.settings.GridMethod4D = 102;
    std::size_t consumed = 0;
    ASSERT_TRUE(Read(text, c.version, g, &consumed).ok);
    EXPECT_EQ(SplitRecord(text)[consumed], "NEXT");

    EXPECT_EQ(g.NameS, "Surface");
    EXPECT_EQ(g.PointColor, 7);
    EXPECT_TRUE(g.ShowColormap);
    EXPECT_FALSE(g.ShowContour);
    EXPECT_TRUE(g.ShowVector);
    EXPECT_EQ(g.Con3Width, 2);
    EXPECT_TRUE(g.ShowIrregData);
    EXPECT_EQ(g.Scat4DColor, c.version >= 1 ? 111 : -1);
    EXPECT_EQ(g.TexName, c.version >= 1 ? "wood.bmp" : "before");
    EXPECT_EQ(g.TransAlpha, c.version >= 1 ? 0.75 : -1);
    EXPECT_EQ(g.ShowDG, c.version >= 2);
    EXPECT_EQ(g.TriWidth, c.version >= 2 ? 3 : -1);
    EXPECT_EQ(g.ColorName, c.version >= 3 ? "Grey" : "before");
    EXPECT_EQ(g.ColorNum, c.version >= 3 ? 2 : 6);
    EXPECT_EQ(g.ColorR(1), c.version >= 3 ? 50 : 0);
    EXPECT_EQ(g.IsoSurValue, c.version >= 3 ? 1.5 : -1);
    EXPECT_EQ(g.IsoSurColor, c.version >= 3 ? 999 : -1);
    EXPECT_EQ(read_.settings.GridMethod, c.version >= 3 ? 3 : 2);
    EXPECT_EQ(read_.settings.GridMethod4D, c.version >= 3 ? 103 : 102);
  }
}

// Version 0 takes the title as one token as it stands, "@" and all.
TEST_F(GraphRecordTest, VersionZeroTakesTheTitleAsOneToken) {
  Graph source;
  source.NameS = "one";
  std::string text = source.Save(ws_.settings);
  Graph g;
  ASSERT_TRUE(Read(text, 0, g).ok);
  EXPECT_EQ(g.NameS, "@one@");
}

// Flags of items 16, 17, 18 and 36 also accept "True"; the others only "1".
// Longs round half to even.
TEST_F(GraphRecordTest, FlagsAndLongsFollowTheReaderRules) {
  Graph source;
  source.ShowTex = true;
  std::vector<std::string> tokens = SplitRecord(source.Save(ws_.settings));
  // Items by token index for a one-token title and no contour level.
  constexpr std::size_t kLineWidth = 4, kStepU = 11, kShowColormap = 15, kShowIrreg = 35,
                        kShowTex = 41;
  tokens[kLineWidth] = "2.5";
  tokens[kStepU] = "3.5";
  tokens[kShowColormap] = "True";
  tokens[kShowIrreg] = "True";
  tokens[kShowTex] = "True";
  std::string text;
  for (const std::string& t : tokens) text += t + " ";
  Graph g;
  ASSERT_TRUE(Read(text, source.RecordFormat(), g).ok);
  EXPECT_EQ(g.LineWidth, 2);
  EXPECT_EQ(g.StepU, 4);
  EXPECT_TRUE(g.ShowColormap);
  EXPECT_TRUE(g.ShowIrregData);
  EXPECT_FALSE(g.ShowTex);
}

// Hostile numbers: huge Longs saturate, non-finite Doubles read as 0, text
// where a number belongs reads as 0.
TEST_F(GraphRecordTest, HostileNumbersNeverFail) {
  Graph source;
  std::vector<std::string> tokens = SplitRecord(source.Save(ws_.settings));
  constexpr std::size_t kLineColor = 3, kLineWidth = 4, kStepU = 11, kStepV = 12, kPointSize = 14,
                        kContourLevels = 22;
  tokens[kLineColor] = "1e30";
  tokens[kLineWidth] = "-99999999999";
  tokens[kStepU] = "1e999";
  tokens[kStepV] = "abc";
  tokens[kPointSize] = "1e999";
  tokens[kContourLevels] = "-1e999";
  std::string text;
  for (const std::string& t : tokens) text += t + " ";
  Graph g;
  ASSERT_TRUE(Read(text, source.RecordFormat(), g).ok);
  EXPECT_EQ(g.LineColor, 2147483647);
  EXPECT_EQ(g.LineWidth, -2147483647 - 1);
  EXPECT_EQ(g.StepU, 2147483647);
  EXPECT_EQ(g.StepV, 0);
  EXPECT_EQ(g.PointSize, 0.0);
  EXPECT_EQ(g.ContourLevels, 0.0);
}

// A count past its table used to read and write outside the slice and colour
// tables; the record is refused with a message and nothing changes.
TEST_F(GraphRecordTest, CountsPastTheTablesRefuseTheRecord) {
  struct Case {
    const char* name;
    Long slicesX, slicesZ, colours;
  };
  const Case cases[] = {
      {"51 X slices", 51, 0, 3},
      {"51 Z slices", 0, 51, 3},
      {"32 colour points", 0, 0, 32},
      {"the largest Long of slices", 2147483647, 0, 3},
      {"the largest Long of colour points", 0, 0, 2147483647},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> tokens = SplitRecord(Graph().Save(ws_.settings));
    constexpr std::size_t kSlice4NumX = 38, kSlice4NumZ = 40, kColorNum = 51;
    tokens[kSlice4NumX] = CStr(c.slicesX);
    tokens[kSlice4NumZ] = CStr(c.slicesZ);
    tokens[kColorNum] = CStr(c.colours);
    std::string text;
    for (const std::string& t : tokens) text += t + " ";
    text += std::string(2000, '1');

    Graph g;
    g.NameS = "kept";
    read_.settings.GridMethod = 5;
    const std::string before = g.Save(read_.settings);
    const GraphRecordResult result = Read(text, kNewestRecordFormat, g);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(g.Save(read_.settings), before);
    EXPECT_EQ(read_.settings.GridMethod, 5);
  }
}

// A negative count reads as no entries, and a record cut short reads zeros
// and empty texts instead of failing.
TEST_F(GraphRecordTest, NegativeCountsAndShortRecordsReadNothingMore) {
  Graph source;
  source.ColorNum = 0;
  std::vector<std::string> tokens = SplitRecord(source.Save(ws_.settings));
  tokens[38] = "-4";
  tokens[51] = "-1";
  std::string text;
  for (const std::string& t : tokens) text += t + " ";
  Graph g;
  std::size_t consumed = 0;
  ASSERT_TRUE(Read(text, source.RecordFormat(), g, &consumed).ok);
  EXPECT_EQ(consumed, tokens.size());
  EXPECT_EQ(g.Slice4NumX, -4);
  EXPECT_EQ(g.ColorNum, -1);

  Graph shortRecord;
  ASSERT_TRUE(Read("6 9 @Only a title@ 255 ", kNewestRecordFormat, shortRecord).ok);
  EXPECT_EQ(shortRecord.NameS, "Only a title");
  EXPECT_EQ(shortRecord.LineColor, 255);
  EXPECT_EQ(shortRecord.StepU, 0);
}

// With ShowContour off the record has "0 " at item 17 and no level; on, "1 "
// and the level. A PointSize of 0.5 is "0.5" whatever the locale.
TEST_F(GraphRecordTest, ContourLevelOnlyWithTheContourFlag) {
  Graph g;
  g.PointSize = 0.5;
  g.ContourLevel = 2.25;
  std::vector<std::string> off = SplitRecord(g.Save(ws_.settings));
  EXPECT_EQ(off[14], "0.5");
  EXPECT_EQ(off[16], "0");
  EXPECT_EQ(off[17], "0");
  g.ShowContour = true;
  std::vector<std::string> on = SplitRecord(g.Save(ws_.settings));
  EXPECT_EQ(on[16], "1");
  EXPECT_EQ(on[17], "2.25");
  EXPECT_EQ(on.size(), off.size() + 1);
}

// Records damaged at random (tokens replaced, dropped, doubled, cut short)
// never make the reader fail or read outside a table, and whatever it
// accepts writes a record that reads back to the same record.
TEST_F(GraphRecordTest, DamagedRecordsNeverFailAndWhatIsKeptReadsBackTheSame) {
  const char* const pool[] = {"",    "@",    "@@",  "@a",   "b@",         "@c@", "0",     "1",
                              "50",  "51",   "31",  "32",   "-1",         "2.5", "1e999", "-1e999",
                              "nan", "True", "abc", "1e30", "2147483648", "0.1", "-0",    "@ @"};
  std::vector<std::vector<std::string>> sources;
  for (Long slices : {0, 2, 50}) {
    Graph g;
    g.NameS = "a  title";
    g.TexName = "t.bmp";
    FillRecordedFields(g, slices + 3, slices, slices == 50 ? 31 : 3, slices != 2);
    sources.push_back(SplitRecord(g.Save(read_.settings)));
  }
  std::mt19937 rng(20261210);
  for (int iRun = 0; iRun < 1000; ++iRun) {
    std::vector<std::string> tokens = sources[rng() % sources.size()];
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int iEdit = 0; iEdit < edits && !tokens.empty(); ++iEdit) {
      const std::size_t at = rng() % tokens.size();
      switch (rng() % 4) {
        case 0: tokens[at] = pool[rng() % std::size(pool)]; break;
        case 1: tokens.erase(tokens.begin() + static_cast<long>(at)); break;
        case 2: tokens.insert(tokens.begin() + static_cast<long>(at), tokens[at]); break;
        default: tokens.resize(at); break;
      }
    }
    std::string text;
    for (const std::string& t : tokens) text += t + " ";
    const Long version = static_cast<Long>(rng() % 5);
    SCOPED_TRACE("version " + CStr(version) + ": " + text);
    Graph g;
    GraphRecordResult result;
    ASSERT_NO_THROW(result = Read(text, version, g));
    if (!result.ok) continue;
    const std::string saved = g.Save(read_.settings);
    Graph back;
    std::size_t consumed = 0;
    ASSERT_TRUE(Read(saved, g.RecordFormat(), back, &consumed).ok);
    EXPECT_EQ(consumed, SplitRecord(saved).size());
    ASSERT_EQ(back.Save(read_.settings), saved);
  }
}

// Counts past the tables, set by code that bypasses the dialogs, made Save
// read outside the tables (and the document's save fail); they are written
// as the tables' sizes with their entries, and read back as such.
TEST_F(GraphRecordTest, SaveWritesCountsPastTheTablesAsTheTableSizes) {
  Graph g;
  FillRecordedFields(g, 9, 50, 31, false);
  const std::string atLimits = g.Save(ws_.settings);
  g.Slice4NumX = 51;
  g.Slice4NumY = 2147483647;
  g.Slice4NumZ = 60;
  g.ColorNum = 32;
  std::string text;
  ASSERT_NO_THROW(text = g.Save(ws_.settings));
  EXPECT_EQ(text, atLimits);
  Graph back;
  ASSERT_TRUE(Read(text, g.RecordFormat(), back).ok);
  EXPECT_EQ(back.Slice4NumX, 50);
  EXPECT_EQ(back.Slice4NumY, 50);
  EXPECT_EQ(back.ColorNum, 31);
}

}  // namespace
}  // namespace qv
