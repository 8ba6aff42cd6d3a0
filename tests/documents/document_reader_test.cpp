#include "documents/document_reader.h"

#include <gtest/gtest.h>

#include <functional>

#include "data/data_panel.h"
#include "document_builder.h"
#include "document_tokens.h"
#include "graphs/workspace.h"
#include "platform/record_reader.h"

namespace qv {
namespace {

std::string Fixture(const std::string& name) { return test::DocumentFixture(name); }

// Settings and axis a document of an older version must leave alone.
void PresetWorkspace(Workspace& workspace) {
  workspace.settings.GridMethod = 4;
  workspace.settings.GridMethod4D = 101;
  workspace.settings.ScaleMode = 2;
  workspace.settings.ScaleRatioX = 1.5;
  workspace.settings.ScaleRatioY = 2.5;
  workspace.settings.ScaleRatioZ = 3.5;
  workspace.settings.ZoomZ = 4.5;
  workspace.axisSystem.BetterFonts = false;
}

// Older formats

struct OlderFormat {
  const char* file;
  int version;
  Long viewCode;
  Long kind;       // data-kind list index
  Long firstKind;  // GraphType of the first graph
  Long stepH;      // preset of the volume kinds (0 for surfaces)
};

void PrintTo(const OlderFormat& c, std::ostream* os) { *os << c.file; }

class OlderFormatTest : public testing::TestWithParam<OlderFormat> {};

TEST_P(OlderFormatTest, ReadsWhatItsVersionCarriesAndKeepsTheRest) {
  const OlderFormat& c = GetParam();
  Workspace workspace;
  PresetWorkspace(workspace);
  StagedDocument staged;
  const DocumentReadResult read = ReadDocumentText(Fixture(c.file), workspace, staged);
  ASSERT_TRUE(read.ok) << read.reason;
  EXPECT_EQ(staged.header.version, c.version);
  EXPECT_EQ(staged.header.viewCode, c.viewCode);

  // The data set: surface groups of these versions hold three cells, the
  // third standing in for the colour column; volumes always hold four.
  EXPECT_EQ(staged.data.kind, c.kind);
  ASSERT_FALSE(staged.data.cells.empty());
  const bool volume = c.kind == kRegularVolume || c.kind == kIrregularVolume;
  for (const auto& row : staged.data.cells) {
    if (!volume) {
      EXPECT_EQ(row[3], row[2]);
    }
  }
  if (volume) {
    EXPECT_EQ(staged.data.cells.back()[3], c.kind == kRegularVolume ? "3" : "1");
  }

  ASSERT_EQ(staged.graphs.size(), 2u);
  const Graph& a = *staged.graphs[0];
  const Graph& b = *staged.graphs[1];
  const Graph fresh;
  // Items every version carries.
  EXPECT_EQ(a.GraphType, c.firstKind);
  EXPECT_EQ(a.ID(), 2);
  EXPECT_EQ(a.LineColor, 255);
  EXPECT_EQ(a.PointSize, 0.5);
  EXPECT_TRUE(a.ShowColormap);  // written "True"
  EXPECT_TRUE(a.ShowContour);
  EXPECT_EQ(a.ContourLevel, 7.5);
  EXPECT_EQ(a.Con3Width, 2);
  EXPECT_TRUE(a.ShowIrregData);
  EXPECT_EQ(a.StepH, c.stepH);
  EXPECT_EQ(b.ID(), 5);
  EXPECT_EQ(b.PointColor, 255);
  EXPECT_EQ(b.PointSize, 4.0);
  EXPECT_EQ(staged.settings.NextGraphID, 6);
  // Version 0 takes the title as one bare token, "@" and all.
  EXPECT_EQ(a.NameS, c.version == 0 ? "Peak" : "Main Peak");
  EXPECT_EQ(b.NameS, c.version == 0 ? "@odd@" : "");

  if (c.version >= 1) {
    EXPECT_EQ(a.Scat4DColor, 111);
    ASSERT_EQ(a.Slice4NumX, 1);
    EXPECT_EQ(a.Slice4X(1), 2.5);
    EXPECT_TRUE(a.SliceXShowVect(1));
    EXPECT_EQ(a.SliceXVectColor(1), 44);
    EXPECT_TRUE(a.ShowTex);
    EXPECT_EQ(a.TransAlpha, 0.25);
    EXPECT_EQ(a.TexName, "wood grain.bmp");
  } else {
    EXPECT_EQ(a.Scat4DColor, fresh.Scat4DColor);
    EXPECT_EQ(a.Slice4NumX, fresh.Slice4NumX);
    EXPECT_EQ(a.ShowTex, fresh.ShowTex);
    EXPECT_EQ(a.TexName, fresh.TexName);
  }
  if (c.version >= 2) {
    EXPECT_TRUE(a.ShowDS);
    EXPECT_EQ(a.TriColor, 4444);
    EXPECT_EQ(a.TriWidth, 3);
  } else {
    EXPECT_EQ(a.ShowDS, fresh.ShowDS);
    EXPECT_EQ(a.TriColor, fresh.TriColor);
  }
  if (c.version >= 3) {
    EXPECT_EQ(a.ColorName, "EARTH");
    ASSERT_EQ(a.ColorNum, 2);
    EXPECT_EQ(a.ColorPos(1), 100.0);
    EXPECT_EQ(a.ColorB(1), 60);
    EXPECT_EQ(a.Slice4YZYB(1), 1);
    EXPECT_EQ(a.Slice4YZZE(1), 4);
    EXPECT_EQ(a.IsoSurValue, 0.75);
    EXPECT_EQ(staged.settings.GridMethod, 3);
    EXPECT_EQ(staged.settings.GridMethod4D, 103);
  } else {
    EXPECT_EQ(a.ColorName, fresh.ColorName);
    EXPECT_EQ(a.ColorNum, fresh.ColorNum);
    EXPECT_EQ(a.IsoSurValue, fresh.IsoSurValue);
    EXPECT_EQ(staged.settings.GridMethod, 4);
    EXPECT_EQ(staged.settings.GridMethod4D, 101);
  }
  // No version before 4 carries the scale settings.
  EXPECT_EQ(staged.settings.ScaleMode, 2);
  EXPECT_EQ(staged.settings.ScaleRatioX, 1.5);
  EXPECT_EQ(staged.settings.ScaleRatioY, 2.5);
  EXPECT_EQ(staged.settings.ScaleRatioZ, 3.5);
  EXPECT_EQ(staged.settings.ZoomZ, 4.5);

  // The axis record is the same in every version.
  EXPECT_TRUE(staged.axis.Show);
  EXPECT_TRUE(staged.axis.ShowXYPanel);  // written "True"
  EXPECT_FALSE(staged.axis.ShowXZPanel);
  EXPECT_EQ(staged.axis.LabelNumZ, 5);
  EXPECT_EQ(staged.axis.TitleY(), "Right Side");
  EXPECT_EQ(staged.axis.AxisColor, 777);
  EXPECT_EQ(staged.axis.AxisWidth, 2);
  EXPECT_TRUE(staged.axis.BetterFonts);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, OlderFormatTest,
    testing::Values(OlderFormat{"d1.txt", 0, 3, kRegularSurface, kSurfaceModel, 0},
                    OlderFormat{"d2.txt", 0, 7, kRegularSurface, kColorMapGraph, 0},
                    OlderFormat{"d11.txt", 1, 3, kIrregularSurface, kDelaunayGraph, 0},
                    OlderFormat{"d12.txt", 1, 7, kRegularCylindrical, kContourPlot, 0},
                    OlderFormat{"d13.txt", 1, 11, kRegularVolume, kSlice4D, 1},
                    OlderFormat{"d21.txt", 2, 3, kRegularSpherical, kVertexModel, 0},
                    OlderFormat{"d22.txt", 2, 7, kIrregularCylindrical, kVectorPlot, 0},
                    OlderFormat{"d23.txt", 2, 11, kIrregularVolume, kVector4D, 2},
                    OlderFormat{"d31.txt", 3, 3, kIrregularSpherical, kGridModel, 0},
                    OlderFormat{"d32.txt", 3, 7, kRegularSurface, kContour3DPlot, 0},
                    OlderFormat{"d33.txt", 3, 11, kRegularVolume, kIsoSurface4D, 1}),
    [](const testing::TestParamInfo<OlderFormat>& info) {
      return std::string(info.param.file).substr(0, std::string(info.param.file).find('.'));
    });

// The panel texts land in the boxes the kind's record order names.
TEST(DocumentReader, PutsPanelTextsIntoTheirBoxes) {
  Workspace workspace;
  StagedDocument staged;
  ASSERT_TRUE(ReadDocumentText(Fixture("d22.txt"), workspace, staged).ok);
  const std::vector<std::pair<int, std::string>> expected{{3, "4"},   {4, "5"}, {10, "5"}, {1, "0"},
                                                          {2, "360"}, {8, "0"}, {9, "10"}};
  EXPECT_EQ(staged.data.boxes, expected);
  EXPECT_EQ(staged.data.headers, (std::array<std::string, 5>{"Index", "A", "R", "Z", "Color"}));
  ASSERT_EQ(staged.data.cells.size(), 4u);
  EXPECT_EQ(staged.data.cells[2], (std::array<std::string, 4>{"180", "10", "3", "3"}));
}

// Damaged and hostile documents

// A small version-4 document built from its parts, so that each case spoils
// one part of an otherwise sound document.
std::string GraphRecord(const std::string& id, const std::string& sliceCount = "0",
                        const std::string& colorCount = "0", const std::string& lineColor = "255",
                        const std::string& title = "@Main@") {
  std::string r = "6 " + id + " " + title + " " + lineColor +
                  " 1 4 0 0 1 1 0 1 1 0 1 0 0 0 1 0 0 1 10 1 0 0 5 1 0 0 1 0 1 0 0 0 ";
  r += "0 0 " + sliceCount + " ";
  if (Val(sliceCount) >= 1 && Val(sliceCount) <= 2) {
    for (int i = 0; i < static_cast<int>(Val(sliceCount)); ++i) r += "1.5 1 0 0 5 0 0 ";
  }
  r += "0 0 0 0 0 1 @@ 0 0 0 1 @RAINBOW@ " + colorCount + " ";
  if (Val(colorCount) >= 1 && Val(colorCount) <= 2) {
    for (int k = 0; k < static_cast<int>(Val(colorCount)); ++k) r += "50 255 0 0 ";
  }
  if (Val(sliceCount) >= 1 && Val(sliceCount) <= 2) {
    for (int i = 0; i < static_cast<int>(Val(sliceCount)); ++i) r += "0 1 0 1 ";
  }
  r += "0 0 2 102 ";
  return r;
}

struct DocumentParts {
  std::string header = "D41";
  std::string count = "1";
  std::string data = "1 2 2 0 0 1 1 0 1 2 2 1 0 3 3 1 1 4 4";
  std::vector<std::string> graphs{GraphRecord("1")};
  std::string axis = "1 1 0 0 1 1 1 1 1 1 2 2 2 @X@ @Y@ @Z@ 1 1 1 1 1 1 4 4 4 0 1 1 ";
  std::string scale = "1 1 1 1 1";

  std::string Text() const {
    std::string text = header + " " + count + " " + data + " ";
    for (const auto& graph : graphs) text += graph;
    return text + axis + scale;
  }
};

DocumentReadResult Read(const std::string& text, StagedDocument& staged) {
  static const Workspace workspace;
  return ReadDocumentText(text, workspace, staged);
}

TEST(DocumentReader, ReadsTheSoundBaseDocument) {
  StagedDocument staged;
  const DocumentReadResult read = Read(DocumentParts{}.Text(), staged);
  ASSERT_TRUE(read.ok) << read.reason;
  ASSERT_EQ(staged.graphs.size(), 1u);
  EXPECT_EQ(staged.graphs[0]->NameS, "Main");
  EXPECT_EQ(staged.data.cells.size(), 4u);
}

struct DamagedCase {
  const char* name;
  std::function<void(DocumentParts&)> spoil;
  const char* reason;  // a part of the refusal's reason
};

const std::vector<DamagedCase>& DamagedCases() {
  static const std::vector<DamagedCase> cases{
      {"WrongHeader", [](DocumentParts& d) { d.header = "D44"; }, "not a document"},
      {"NoVersionThreeD", [](DocumentParts& d) { d.header = "D3"; }, "not a document"},
      {"LowerCaseHeader", [](DocumentParts& d) { d.header = "d41"; }, "not a document"},
      {"HugeGraphCount", [](DocumentParts& d) { d.count = "2000000000"; },
       "graph count is too large"},
      {"GraphCountBeyondTheText", [](DocumentParts& d) { d.count = "40"; }, "cut short"},
      {"NegativeGraphCount", [](DocumentParts& d) { d.count = "-1"; }, "graph count is negative"},
      {"FractionalGraphCount", [](DocumentParts& d) { d.count = "2.5"; }, "not a whole number"},
      {"InfiniteGraphCount", [](DocumentParts& d) { d.count = "1e999"; }, "not a whole number"},
      {"MoreGraphsCountedThanWritten", [](DocumentParts& d) { d.count = "2"; }, "cut short"},
      {"UnknownDataKind", [](DocumentParts& d) { d.data = "9 2 2"; }, "data kind is too large"},
      {"SheetBeyond20000Rows", [](DocumentParts& d) { d.data = "1 200 101"; },
       "more than 20000 rows"},
      {"VolumeBeyond20000Rows", [](DocumentParts& d) { d.data = "2 30 30 30"; },
       "more than 20000 rows"},
      {"NegativeRowCount", [](DocumentParts& d) { d.data = "1 -2 2"; }, "row count is negative"},
      {"FractionalRowCount", [](DocumentParts& d) { d.data = "1 2.5 2"; }, "not a whole number"},
      {"PointsBeyond20000", [](DocumentParts& d) { d.data = "0 20001 5 5 0 1 0 1"; },
       "more than 20000 points"},
      {"HugeGrid", [](DocumentParts& d) { d.data = "0 1 2000 2000 0 1 0 1 0 0 0 0"; },
       "grid is too large"},
      {"InfiniteBound", [](DocumentParts& d) { d.data = "0 1 5 5 1e999 1 0 1 0 0 0 0"; },
       "out of range"},
      {"InfiniteCell", [](DocumentParts& d) { d.data = "1 1 1 0 1e999 1 1"; }, "out of range"},
      {"SliceCountBeyondTheTable", [](DocumentParts& d) { d.graphs = {GraphRecord("1", "51")}; },
       "50 slices"},
      {"ColorCountBeyondTheTable",
       [](DocumentParts& d) { d.graphs = {GraphRecord("1", "0", "32")}; }, "31 colour"},
      {"NegativeSliceCount", [](DocumentParts& d) { d.graphs = {GraphRecord("1", "-1")}; },
       "negative count"},
      {"NegativeColorCount", [](DocumentParts& d) { d.graphs = {GraphRecord("1", "0", "-4")}; },
       "negative count"},
      {"InfiniteLong", [](DocumentParts& d) { d.graphs = {GraphRecord("1", "0", "0", "1e999")}; },
       "out of range"},
      {"IDAtTheTopOfTheRange", [](DocumentParts& d) { d.graphs = {GraphRecord("2147483647")}; },
       "ID is out of range"},
      {"IDLeavingNoRoomForTheNext",
       [](DocumentParts& d) { d.graphs = {GraphRecord("2147483646")}; }, "ID is out of range"},
      {"InfiniteID", [](DocumentParts& d) { d.graphs = {GraphRecord("1e999")}; }, "out of range"},
      {"NegativeID", [](DocumentParts& d) { d.graphs = {GraphRecord("-3")}; },
       "ID is out of range"},
      {"DuplicateIDs",
       [](DocumentParts& d) {
         d.count = "2";
         d.graphs = {GraphRecord("4"), GraphRecord("4")};
       },
       "two graphs have the ID 4"},
      {"InfiniteAxisLong",
       [](DocumentParts& d) {
         d.axis = "1 1 0 0 1 1 1 1 1 1 2 1e999 2 @X@ @Y@ @Z@ 1 1 1 1 1 1 4 4 4 0 1 1 ";
       },
       "axis record"},
      {"ScaleModeZero", [](DocumentParts& d) { d.scale = "0 1 1 1 1"; }, "scale mode"},
      {"ScaleModeBeyond", [](DocumentParts& d) { d.scale = "4 1 1 1 1"; }, "scale mode"},
      {"InfiniteScaleRatio", [](DocumentParts& d) { d.scale = "1 1 1e999 1 1"; }, "scale ratio"},
      {"TruncatedInTheGraph",
       [](DocumentParts& d) {
         d.graphs = {GraphRecord("1").substr(0, 40)};
         d.axis = d.scale = "";
       },
       "cut short"},
      {"TruncatedInTheData",
       [](DocumentParts& d) {
         d.count = "0";
         d.data = "1 2 2 0 0 1";
         d.graphs.clear();
         d.axis = d.scale = "";
       },
       "cut short"},
      {"TruncatedBeforeTheScale", [](DocumentParts& d) { d.scale = "1 1"; }, "cut short"},
  };
  return cases;
}

void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }

class DamagedDocumentTest : public testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedDocumentTest, IsRefusedWithAReason) {
  DocumentParts parts;
  GetParam().spoil(parts);
  StagedDocument staged;
  const DocumentReadResult read = Read(parts.Text(), staged);
  EXPECT_FALSE(read.ok);
  EXPECT_NE(read.reason.find(GetParam().reason), std::string::npos) << read.reason;
  EXPECT_TRUE(staged.graphs.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedDocumentTest, testing::ValuesIn(DamagedCases()),
                         [](const testing::TestParamInfo<DamagedCase>& info) {
                           return info.param.name;
                         });

// The reason is a part of the message "The document could not be opened:
// <reason>." A record's own sentence wrapped into it once kept its full stop
// and capital ("graph 1: The graph record holds more than 50 slices..").
TEST_P(DamagedDocumentTest, ReasonReadsAsAPartOfOneSentence) {
  DocumentParts parts;
  GetParam().spoil(parts);
  StagedDocument staged;
  const std::string reason = Read(parts.Text(), staged).reason;
  ASSERT_FALSE(reason.empty());
  EXPECT_NE(reason.back(), '.') << reason;
  EXPECT_TRUE(reason[0] < 'A' || reason[0] > 'Z') << reason;
  for (std::size_t at = reason.find(": "); at != std::string::npos;
       at = reason.find(": ", at + 1)) {
    const char next = reason[at + 2];
    EXPECT_TRUE(next < 'A' || next > 'Z') << reason;
  }
}

TEST(DocumentReader, GraphRecordRefusalsAreWrappedIntoTheReason) {
  struct Case {
    std::string record;
    const char* reason;
  };
  for (const Case& c :
       {Case{GraphRecord("1", "51"), "graph 1: the graph record holds more than 50 slices"},
        Case{GraphRecord("1", "0", "32"),
             "graph 1: the graph record holds more than 31 colour points"}}) {
    DocumentParts parts;
    parts.graphs = {c.record};
    StagedDocument staged;
    EXPECT_EQ(Read(parts.Text(), staged).reason, c.reason);
  }
}

// Limits that are just inside stay readable.
TEST(DocumentReader, AcceptsValuesAtTheLimits) {
  StagedDocument staged;
  DocumentParts parts;
  parts.graphs = {GraphRecord("2147483645", "2", "2")};
  DocumentReadResult read = Read(parts.Text(), staged);
  ASSERT_TRUE(read.ok) << read.reason;
  EXPECT_EQ(staged.settings.NextGraphID, 2147483646);

  parts = DocumentParts{};
  parts.data = "0 20000 5 5 0 1 0 1";
  for (int n = 0; n < 20000; ++n) parts.data += " 1 2 3 4";
  read = Read(parts.Text(), staged);
  ASSERT_TRUE(read.ok) << read.reason;
  EXPECT_EQ(staged.data.cells.size(), 20000u);
}

// Titles are words: a word that happens to read as a huge number is no
// number item, in the "@" texts of newer documents and in the bare titles of
// version 0.
TEST(DocumentReader, TakesHugeNumbersInTitlesAsWords) {
  StagedDocument staged;
  DocumentParts parts;
  parts.graphs = {GraphRecord("1", "0", "0", "255", "@Peak 1e999 high@")};
  DocumentReadResult read = Read(parts.Text(), staged);
  ASSERT_TRUE(read.ok) << read.reason;
  EXPECT_EQ(staged.graphs[0]->NameS, "Peak 1e999 high");

  std::string v0 = Fixture("d1.txt");
  v0.replace(v0.find("Peak"), 4, "1e999");
  read = Read(v0, staged);
  ASSERT_TRUE(read.ok) << read.reason;
  EXPECT_EQ(staged.graphs[0]->NameS, "1e999");
}

// The tokeniser's bound: a text of more items than a document may hold is
// refused, not cut to a document that was never written.
TEST(DocumentReader, RefusesMoreThan500000Items) {
  std::string text = DocumentParts{}.Text() + " ";
  text.reserve(text.size() + 2 * kMaxDocumentTokens);
  for (std::size_t iT = 0; iT < kMaxDocumentTokens; ++iT) text += "0 ";
  StagedDocument staged;
  const DocumentReadResult read = Read(text, staged);
  EXPECT_FALSE(read.ok);
  EXPECT_NE(read.reason.find("500000"), std::string::npos);
}

}  // namespace
}  // namespace qv
