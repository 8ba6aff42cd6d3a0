// The graph record: Save and the one reader that documents and Paste share.
#include "graphs/graph_record.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "graphs/workspace.h"
#include "scene/axis_system.h"

namespace qv {
namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

// Every field the record carries, by name, as text; the tables from their
// first recorded index up to their counts.
Fields RecordedFields(const Graph& g, const SharedSettings& s) {
  Fields f;
  const auto add = [&](const std::string& name, const auto& value) {
    std::ostringstream text;
    text.precision(17);
    text << value;
    f.emplace_back(name, text.str());
  };
  add("GraphType", g.GraphType);
  add("ID", g.ID());
  add("NameS", g.NameS);
  add("LineColor", g.LineColor);
  add("LineWidth", g.LineWidth);
  add("FillStyle", g.FillStyle);
  add("FirstColor", g.FirstColor);
  add("SecondColor", g.SecondColor);
  add("Material", g.Material);
  add("Show", g.Show);
  add("Smoothness", g.Smoothness);
  add("StepU", g.StepU);
  add("StepV", g.StepV);
  add("PointColor", g.PointColor);
  add("PointSize", g.PointSize);
  add("ShowColormap", g.ShowColormap);
  add("ShowContour", g.ShowContour);
  if (g.ShowContour) add("ContourLevel", g.ContourLevel);
  add("ShowVector", g.ShowVector);
  add("VertSize", g.VertSize);
  add("VertColor", g.VertColor);
  add("GridColor", g.GridColor);
  add("GridWidth", g.GridWidth);
  add("ContourLevels", g.ContourLevels);
  add("ConFillType", g.ConFillType);
  add("ConColor1", g.ConColor1);
  add("ConColor2", g.ConColor2);
  add("Contour3Levels", g.Contour3Levels);
  add("Con3FillType", g.Con3FillType);
  add("Con3Color1", g.Con3Color1);
  add("Con3Color2", g.Con3Color2);
  add("Con3Width", g.Con3Width);
  add("VectorColor", g.VectorColor);
  add("ColorMapfilltype", g.ColorMapfilltype);
  add("ColorMapcolor1", g.ColorMapcolor1);
  add("ColorMapcolor2", g.ColorMapcolor2);
  add("ShowIrregData", g.ShowIrregData);
  add("Scat4DColor", g.Scat4DColor);
  add("Vect4DColor", g.Vect4DColor);
  add("Slice4NumX", g.Slice4NumX);
  add("Slice4NumY", g.Slice4NumY);
  add("Slice4NumZ", g.Slice4NumZ);
  const auto slices = [&](const char* axis, Long count, const auto& pos, const auto& color,
                          const auto& cont, const auto& vect, const auto& levels,
                          const auto& contColor, const auto& vectColor) {
    for (Long i = 1; i <= count; ++i) {
      const std::string at = std::string(axis) + "(" + CStr(i) + ")";
      add("Slice4" + at, pos(i));
      add("ShowColor" + at, color(i));
      add("ShowCont" + at, cont(i));
      add("ShowVect" + at, vect(i));
      add("ContLevels" + at, levels(i));
      add("ContColor" + at, contColor(i));
      add("VectColor" + at, vectColor(i));
    }
  };
  slices("X", g.Slice4NumX, g.Slice4X, g.SliceXShowColor, g.SliceXShowCont, g.SliceXShowVect,
         g.SliceXContLevels, g.SliceXContColor, g.SliceXVectColor);
  slices("Y", g.Slice4NumY, g.Slice4Y, g.SliceYShowColor, g.SliceYShowCont, g.SliceYShowVect,
         g.SliceYContLevels, g.SliceYContColor, g.SliceYVectColor);
  slices("Z", g.Slice4NumZ, g.Slice4Z, g.SliceZShowColor, g.SliceZShowCont, g.SliceZShowVect,
         g.SliceZContLevels, g.SliceZContColor, g.SliceZVectColor);
  add("ShowTex", g.ShowTex);
  add("TexMode", g.TexMode);
  add("ShowTrans", g.ShowTrans);
  add("TransAlpha", g.TransAlpha);
  add("TexName", g.TexName);
  add("ShowDS", g.ShowDS);
  add("ShowDG", g.ShowDG);
  add("TriColor", g.TriColor);
  add("TriWidth", g.TriWidth);
  add("ColorName", g.ColorName);
  add("ColorNum", g.ColorNum);
  for (Long k = 0; k < g.ColorNum; ++k) {
    const std::string at = "(" + CStr(k) + ")";
    add("ColorPos" + at, g.ColorPos(k));
    add("ColorR" + at, g.ColorR(k));
    add("ColorG" + at, g.ColorG(k));
    add("ColorB" + at, g.ColorB(k));
  }
  const auto ranges = [&](const char* name, Long count, const auto& a, const auto& b,
                          const auto& c, const auto& d) {
    for (Long i = 1; i <= count; ++i) {
      const std::string at = std::string(name) + "(" + CStr(i) + ")";
      add("B1" + at, a(i));
      add("E1" + at, b(i));
      add("B2" + at, c(i));
      add("E2" + at, d(i));
    }
  };
  ranges("YZ", g.Slice4NumX, g.Slice4YZYB, g.Slice4YZYE, g.Slice4YZZB, g.Slice4YZZE);
  ranges("ZX", g.Slice4NumY, g.Slice4ZXXB, g.Slice4ZXXE, g.Slice4ZXZB, g.Slice4ZXZE);
  ranges("XY", g.Slice4NumZ, g.Slice4XYXB, g.Slice4XYXE, g.Slice4XYYB, g.Slice4XYYE);
  add("IsoSurValue", g.IsoSurValue);
  add("IsoSurColor", g.IsoSurColor);
  add("GridMethod", s.GridMethod);
  add("GridMethod4D", s.GridMethod4D);
  return f;
}

void ExpectSameFields(const Fields& actual, const Fields& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(actual[i], expected[i]) << "field " << i;
  }
}

// Fills every recorded field with a value of its own, derived from seed, and
// the given counts. The Doubles have fractions but fewer than 15 significant
// digits, which is what the record's number text keeps.
void FillRecordedFields(Graph& g, Long seed, Long slices, Long colours, bool contour) {
  g.SetID(seed);
  Long v = seed;
  for (Long* f : {&g.LineColor, &g.LineWidth, &g.FillStyle, &g.FirstColor, &g.SecondColor,
                  &g.Material, &g.Show, &g.Smoothness, &g.StepU, &g.StepV, &g.PointColor,
                  &g.VertSize, &g.VertColor, &g.GridColor, &g.GridWidth, &g.ConFillType,
                  &g.ConColor1, &g.ConColor2, &g.Con3FillType, &g.Con3Color1, &g.Con3Color2,
                  &g.Con3Width, &g.VectorColor, &g.ColorMapfilltype, &g.ColorMapcolor1,
                  &g.ColorMapcolor2, &g.Scat4DColor, &g.Vect4DColor, &g.TexMode, &g.TriColor,
                  &g.TriWidth, &g.IsoSurColor}) {
    *f = (++v) * 37 % 16777216 - 3;
  }
  for (double* f : {&g.PointSize, &g.ContourLevel, &g.ContourLevels, &g.Contour3Levels,
                    &g.TransAlpha, &g.IsoSurValue}) {
    *f = (++v) * 0.125 - 11.0;
  }
  g.ShowColormap = seed % 2 == 0;
  g.ShowContour = contour;
  g.ShowVector = seed % 3 == 0;
  g.ShowIrregData = !g.ShowColormap;
  g.ShowTex = g.ShowTrans = true;
  g.ShowDS = seed % 2 == 1;
  g.ShowDG = !g.ShowDS;
  g.Slice4NumX = g.Slice4NumY = g.Slice4NumZ = slices;
  for (Long i = 1; i <= slices; ++i) {
    for (auto* t : {&g.Slice4X, &g.Slice4Y, &g.Slice4Z, &g.SliceXContLevels,
                    &g.SliceYContLevels, &g.SliceZContLevels}) {
      (*t)(i) = (++v) * 0.25 - 3.0;
    }
    for (auto* t : {&g.SliceXShowColor, &g.SliceXShowCont, &g.SliceXShowVect,
                    &g.SliceYShowColor, &g.SliceYShowCont, &g.SliceYShowVect,
                    &g.SliceZShowColor, &g.SliceZShowCont, &g.SliceZShowVect}) {
      (*t)(i) = (++v) % 2 == 0;
    }
    for (auto* t : {&g.SliceXContColor, &g.SliceXVectColor, &g.SliceYContColor,
                    &g.SliceYVectColor, &g.SliceZContColor, &g.SliceZVectColor, &g.Slice4ZXXB,
                    &g.Slice4ZXXE, &g.Slice4ZXZB, &g.Slice4ZXZE, &g.Slice4YZYB, &g.Slice4YZYE,
                    &g.Slice4YZZB, &g.Slice4YZZE, &g.Slice4XYXB, &g.Slice4XYXE, &g.Slice4XYYB,
                    &g.Slice4XYYE}) {
      (*t)(i) = ++v;
    }
  }
  g.ColorNum = colours;
  for (Long k = 0; k < colours; ++k) {
    g.ColorPos(k) = k * 3.25;
    g.ColorR(k) = (++v) % 256;
    g.ColorG(k) = (++v) % 256;
    g.ColorB(k) = (++v) % 256;
  }
}

class GraphRecordTest : public ::testing::Test {
 protected:
  // Reads text as one record of the given format version into graph.
  GraphRecordResult Read(const std::string& text, Long version, Graph& graph,
                         std::size_t* consumed = nullptr) {
    RecordReader reader(SplitRecord(text));
    const GraphRecordResult result = ReadGraphRecord(reader, version, graph, read_.settings);
    if (consumed != nullptr) *consumed = reader.Position();
    return result;
  }

  Workspace ws_;
  // The workspace the records are read into (its gridding methods change).
  Workspace read_;
};

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
      {2, 0, 0, false, "Surface", "", ""},
      {4, 0, 1, true, "two words", "a.bmp", "RAINBOW"},
      {kSurfaceModel, 50, 31, true, "two  blanks", "my texture.bmp", "Mine"},
      {kPointGraph, 0, 6, false, "Point  x=1  y=2  z=3", "", "@GREY"},
      {12, 1, 2, true, "", "", "two words"},
      {kColorMapGraph, 0, 31, false, "Color Map", "", "Earth"},
      {kContourPlot, 50, 0, true, "Contour Plot", "c:\\tex\\one two.jpg", ""},
      {kVectorPlot, 2, 3, false, "Vector Plot", "", "Marine"},
      {kContour3DPlot, 0, 5, true, "3D Contour Plot", "", "FIERY"},
      {kVertexModel, 0, 0, false, "3D Vertex Model", "", ""},
      {kGridModel, 3, 0, false, "3D Grid Model", "", ""},
      {21, 0, 0, false, "x", "", ""},
      {22, 0, 0, true, "a b c d e f", "", ""},
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
    Graph g(ws_);
    g.GraphType = c.kind;
    g.NameS = c.name;
    g.TexName = c.texture;
    g.ColorName = c.colorName;
    FillRecordedFields(g, ++seed, c.slices, c.colours, c.contour);
    ws_.settings.GridMethod = static_cast<Long>(seed % 5 + 1);
    ws_.settings.GridMethod4D = static_cast<Long>(seed % 3 + 101);
    const std::string text = g.Save();
    ASSERT_EQ(text.back(), ' ');

    Graph back(read_);
    back.PointX = 1.5;
    back.StepH = 8;
    back.ConWidth = 9;
    back.CoordType = 4;
    std::size_t consumed = 0;
    ASSERT_TRUE(Read(text, kNewestRecordFormat, back, &consumed).ok);
    EXPECT_EQ(consumed, SplitRecord(text).size());
    ExpectSameFields(RecordedFields(back, read_.settings), RecordedFields(g, ws_.settings));
    // Fields the record does not carry keep the reader's values.
    EXPECT_EQ(back.PointX, 1.5);
    EXPECT_EQ(back.StepH, 8);
    EXPECT_EQ(back.ConWidth, 9);
    EXPECT_EQ(back.CoordType, 4);
    EXPECT_EQ(back.Save(), text);
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
    Graph g(ws_);
    FillRecordedFields(g, 5, 1, 2, true);
    g.NameS = c.title;
    g.TexName = c.title;
    g.ColorName = c.title;
    Graph back(read_);
    std::size_t consumed = 0;
    const std::string text = g.Save();
    ASSERT_TRUE(Read(text, kNewestRecordFormat, back, &consumed).ok);
    EXPECT_EQ(consumed, SplitRecord(text).size());
    EXPECT_EQ(back.NameS, c.readBack);
    EXPECT_EQ(back.TexName, c.readBack);
    EXPECT_EQ(back.ColorName, c.readBack);
    g.NameS = g.TexName = g.ColorName = c.readBack;
    ExpectSameFields(RecordedFields(back, read_.settings), RecordedFields(g, ws_.settings));
  }
  const std::string cut = AxisSystem::CleanTitle(longTitle);
  EXPECT_EQ(std::count(cut.begin(), cut.end(), ' '), 100);
}

// One record against its reviewed text, token by token. Set
// QV_UPDATE_GOLDEN=1 to rewrite the file, then review the diff.
TEST_F(GraphRecordTest, RecordMatchesTheGoldenText) {
  Graph g(ws_);
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
  const std::string text = g.Save();

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
  for (const Case c : {Case{0, "D1"}, Case{1, "D11"}, Case{2, "D21"}, Case{3, "D31"},
                       Case{4, "D41"}}) {
    SCOPED_TRACE(c.header);
    std::string text = c.version == 0 ? core : "6 3 @Surface@" + core.substr(11);
    if (c.version >= 1) text += since1;
    if (c.version >= 2) text += since2;
    if (c.version >= 3) text += since3;
    text += "NEXT ";
    // The values a graph of the document reader holds before its record.
    Graph g(read_);
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
  Graph source(ws_);
  source.NameS = "one";
  std::string text = source.Save();
  Graph g(read_);
  ASSERT_TRUE(Read(text, 0, g).ok);
  EXPECT_EQ(g.NameS, "@one@");
}

// Flags of items 16, 17, 18 and 36 also accept "True"; the others only "1".
// Longs round half to even.
TEST_F(GraphRecordTest, FlagsAndLongsFollowTheReaderRules) {
  Graph source(ws_);
  source.ShowTex = true;
  std::vector<std::string> tokens = SplitRecord(source.Save());
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
  Graph g(read_);
  ASSERT_TRUE(Read(text, kNewestRecordFormat, g).ok);
  EXPECT_EQ(g.LineWidth, 2);
  EXPECT_EQ(g.StepU, 4);
  EXPECT_TRUE(g.ShowColormap);
  EXPECT_TRUE(g.ShowIrregData);
  EXPECT_FALSE(g.ShowTex);
}

// Hostile numbers: huge Longs saturate, non-finite Doubles read as 0, text
// where a number belongs reads as 0.
TEST_F(GraphRecordTest, HostileNumbersNeverFail) {
  Graph source(ws_);
  std::vector<std::string> tokens = SplitRecord(source.Save());
  constexpr std::size_t kLineColor = 3, kLineWidth = 4, kStepU = 11, kStepV = 12,
                        kPointSize = 14, kContourLevels = 22;
  tokens[kLineColor] = "1e30";
  tokens[kLineWidth] = "-99999999999";
  tokens[kStepU] = "1e999";
  tokens[kStepV] = "abc";
  tokens[kPointSize] = "1e999";
  tokens[kContourLevels] = "-1e999";
  std::string text;
  for (const std::string& t : tokens) text += t + " ";
  Graph g(read_);
  ASSERT_TRUE(Read(text, kNewestRecordFormat, g).ok);
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
    std::vector<std::string> tokens = SplitRecord(Graph(ws_).Save());
    constexpr std::size_t kSlice4NumX = 38, kSlice4NumZ = 40, kColorNum = 51;
    tokens[kSlice4NumX] = CStr(c.slicesX);
    tokens[kSlice4NumZ] = CStr(c.slicesZ);
    tokens[kColorNum] = CStr(c.colours);
    std::string text;
    for (const std::string& t : tokens) text += t + " ";
    text += std::string(2000, '1');

    Graph g(read_);
    g.NameS = "kept";
    read_.settings.GridMethod = 5;
    const std::string before = g.Save();
    const GraphRecordResult result = Read(text, kNewestRecordFormat, g);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(g.Save(), before);
    EXPECT_EQ(read_.settings.GridMethod, 5);
  }
}

// A negative count reads as no entries, and a record cut short reads zeros
// and empty texts instead of failing.
TEST_F(GraphRecordTest, NegativeCountsAndShortRecordsReadNothingMore) {
  Graph source(ws_);
  source.ColorNum = 0;
  std::vector<std::string> tokens = SplitRecord(source.Save());
  tokens[38] = "-4";
  tokens[51] = "-1";
  std::string text;
  for (const std::string& t : tokens) text += t + " ";
  Graph g(read_);
  std::size_t consumed = 0;
  ASSERT_TRUE(Read(text, kNewestRecordFormat, g, &consumed).ok);
  EXPECT_EQ(consumed, tokens.size());
  EXPECT_EQ(g.Slice4NumX, -4);
  EXPECT_EQ(g.ColorNum, -1);

  Graph shortRecord(read_);
  ASSERT_TRUE(Read("6 9 @Only a title@ 255 ", kNewestRecordFormat, shortRecord).ok);
  EXPECT_EQ(shortRecord.NameS, "Only a title");
  EXPECT_EQ(shortRecord.LineColor, 255);
  EXPECT_EQ(shortRecord.StepU, 0);
}

// With ShowContour off the record has "0 " at item 17 and no level; on, "1 "
// and the level. A PointSize of 0.5 is "0.5" whatever the locale.
TEST_F(GraphRecordTest, ContourLevelOnlyWithTheContourFlag) {
  Graph g(ws_);
  g.PointSize = 0.5;
  g.ContourLevel = 2.25;
  std::vector<std::string> off = SplitRecord(g.Save());
  EXPECT_EQ(off[14], "0.5");
  EXPECT_EQ(off[16], "0");
  EXPECT_EQ(off[17], "0");
  g.ShowContour = true;
  std::vector<std::string> on = SplitRecord(g.Save());
  EXPECT_EQ(on[16], "1");
  EXPECT_EQ(on[17], "2.25");
  EXPECT_EQ(on.size(), off.size() + 1);
}


// Records damaged at random (tokens replaced, dropped, doubled, cut short)
// never make the reader fail or read outside a table, and whatever it
// accepts writes a record that reads back to the same record.
TEST_F(GraphRecordTest, DamagedRecordsNeverFailAndWhatIsKeptReadsBackTheSame) {
  const char* const pool[] = {"",   "@",    "@@",   "@a",    "b@",   "@c@", "0",     "1",
                              "50", "51",   "31",   "32",    "-1",   "2.5", "1e999", "-1e999",
                              "nan", "True", "abc", "1e30", "2147483648", "0.1", "-0", "@ @"};
  std::vector<std::vector<std::string>> sources;
  for (Long slices : {0, 2, 50}) {
    Graph g(ws_);
    g.NameS = "a  title";
    g.TexName = "t.bmp";
    FillRecordedFields(g, slices + 3, slices, slices == 50 ? 31 : 3, slices != 2);
    sources.push_back(SplitRecord(g.Save()));
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
    Graph g(read_);
    GraphRecordResult result;
    ASSERT_NO_THROW(result = Read(text, version, g));
    if (!result.ok) continue;
    const std::string saved = g.Save();
    Graph back(read_);
    std::size_t consumed = 0;
    ASSERT_TRUE(Read(saved, kNewestRecordFormat, back, &consumed).ok);
    EXPECT_EQ(consumed, SplitRecord(saved).size());
    ASSERT_EQ(back.Save(), saved);
  }
}


// Counts past the tables, set by code that bypasses the dialogs, made Save
// read outside the tables (and the document's save fail); they are written
// as the tables' sizes with their entries, and read back as such.
TEST_F(GraphRecordTest, SaveWritesCountsPastTheTablesAsTheTableSizes) {
  Graph g(ws_);
  FillRecordedFields(g, 9, 50, 31, false);
  const std::string atLimits = g.Save();
  g.Slice4NumX = 51;
  g.Slice4NumY = 2147483647;
  g.Slice4NumZ = 60;
  g.ColorNum = 32;
  std::string text;
  ASSERT_NO_THROW(text = g.Save());
  EXPECT_EQ(text, atLimits);
  Graph back(read_);
  ASSERT_TRUE(Read(text, kNewestRecordFormat, back).ok);
  EXPECT_EQ(back.Slice4NumX, 50);
  EXPECT_EQ(back.Slice4NumY, 50);
  EXPECT_EQ(back.ColorNum, 31);
}

}  // namespace
}  // namespace qv
