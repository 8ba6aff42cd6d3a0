// The graph on the clipboard: the text Copy writes and the reader Paste uses.
#include "documents/graph_clipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/memory_data_panel.h"
#include "graphs/workspace.h"
#include "platform/record_reader.h"
#include "support/graph_option_fill.h"
#include "support/scripted_message_box.h"

namespace qv {
namespace {

// A 3D document over an 11 x 11 surface, and a surface graph of it with
// options of its own.
class GraphClipboardTest : public testing::Test {
 protected:
  GraphClipboardTest() {
    ws.dataSet.StepsX(11);
    ws.dataSet.StepsY(11);
    ws.dataSet.RedimRegular3D(11, 11);
    ws.settings.GridMethod = 4;
    ws.settings.GridMethod4D = 103;
    graph.SetID(5);
    graph.GraphType = kSurfaceModel;
    graph.NameS = "Mine";
    graph.StepU = 10;
    graph.StepV = 7;
    graph.LineColor = 255;
    graph.PointSize = 0.5;
    graph.ShowContour = true;
    graph.ContourLevel = -2.25;
    graph.Slice4NumY = 2;
    graph.Slice4Y(2) = 1.5;
    graph.ColorNum = 3;
    graph.ColorPos(2) = 100.0;
  }

  // The copied text with item index replaced by token ("" keeps the item
  // empty; nullptr drops it).
  std::string Changed(std::size_t index, const char* token) const {
    const std::vector<std::string> tokens = SplitRecord(CopiedGraphText(graph, ws.settings));
    std::string text;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      if (i == index && token == nullptr) continue;
      text += (i == index ? std::string(token) : tokens[i]) + " ";
    }
    return text;
  }

  Workspace ws;
  MemoryDataPanel panel;
  Graph graph;
};

TEST_F(GraphClipboardTest, CopiedTextReadsBackAsTheSameGraph) {
  const std::string text = CopiedGraphText(graph, ws.settings);
  EXPECT_EQ(text, "3 " + graph.Save(ws.settings));
  const PastedGraph pasted = ReadPastedGraph(text, ws, panel);
  ASSERT_TRUE(pasted.graph) << pasted.reason;
  EXPECT_EQ(DifferingRecordedOptions(*pasted.graph, graph), std::vector<std::string>{});
  EXPECT_EQ(pasted.gridMethod, 4);
  EXPECT_EQ(pasted.gridMethod4D, 103);
  // Reading changes nothing of the document.
  EXPECT_EQ(ws.settings.NextGraphID, 0);
}

// Copy writes the record in the format a document would write it in: 4,
// or 5 for what 4 would lose. Paste reads both layouts, the Part's format-4
// record of other programs and older copies of format 5 alike, told apart by
// the items after IsoSurColor (two, or six).
TEST_F(GraphClipboardTest, CopyWritesTheFormatTheGraphNeedsAndPasteReadsBoth) {
  struct Case {
    const char* name;
    Long kind;
    double pointX;
    Long conWidth;
    Long format;  // the format Copy writes
  };
  const Case cases[] = {
      {"surface", kSurfaceModel, 0, 0, 4},
      {"point at the origin", kPointGraph, 0, 0, 4},
      {"placed point", kPointGraph, -2.5, 0, 5},
      {"contour plot 1 pixel wide", kContourPlot, 0, 1, 4},
      {"contour plot 3 pixels wide", kContourPlot, 0, 3, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    graph.GraphType = c.kind;
    graph.PointX = c.pointX;
    graph.ConWidth = c.conWidth;
    EXPECT_EQ(CopiedGraphText(graph, ws.settings), "3 " + graph.Save(ws.settings, c.format));
    for (const Long format : {Long{4}, Long{5}}) {
      SCOPED_TRACE("pasted in format " + CStr(format));
      const PastedGraph pasted = ReadPastedGraph("3 " + graph.Save(ws.settings, format), ws, panel);
      ASSERT_TRUE(pasted.graph) << pasted.reason;
      EXPECT_EQ(test::DifferingInFormat(graph, *pasted.graph, format), std::vector<std::string>{});
      // What format 4 does not carry is a new graph's.
      EXPECT_EQ(pasted.graph->PointX, format == 5 ? c.pointX : 0.0);
      EXPECT_EQ(pasted.graph->ConWidth, format == 5 ? c.conWidth : 0);
      EXPECT_EQ(pasted.gridMethod4D, 103);
    }
  }
}

// Either layout cut short, or followed by what is no record, is still
// refused whole.
TEST_F(GraphClipboardTest, CutOrSpoiledRecordsOfEitherFormatAreRefused) {
  graph.GraphType = kPointGraph;
  graph.PointX = 1.5;
  const std::string classic = "3 " + graph.Save(ws.settings, 4);
  const std::string newest = "3 " + graph.Save(ws.settings, 5);
  // The text without its last n items.
  const auto without = [](const std::string& text, std::size_t n) {
    std::vector<std::string> tokens = SplitRecord(text);
    tokens.resize(tokens.size() - n);
    std::string cut;
    for (const std::string& t : tokens) cut += t + " ";
    return cut;
  };
  // The format-4 text with four items before its gridding methods.
  const auto withFour = [&](const std::string& items) {
    const std::vector<std::string> tokens = SplitRecord(classic);
    std::string text;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      if (i == tokens.size() - 2) text += items;
      text += tokens[i] + " ";
    }
    return text;
  };
  ASSERT_EQ(withFour("1.5 0 0 0 "), newest);
  // A text that is neither layout is read as format 4's, whose two gridding
  // methods then meet what follows IsoSurColor.
  struct Case {
    std::string text;
    std::string reason;
  };
  const Case cases[] = {
      {without(classic, 1), "the graph record is cut short"},
      {without(classic, 2), "the graph record is cut short"},
      {without(classic, 3), "the graph record is cut short"},
      {without(newest, 7), "the graph record is cut short"},
      {without(newest, 30), "the graph record is cut short"},
      {without(newest, 3), "the graph record's GridMethod is not a whole number"},
      {without(newest, 1), "the graph record's GridMethod is not a whole number"},
      {newest + "0 ", "the graph record's GridMethod is not a whole number"},
      {withFour("x y z w "), "the graph record's PointX is not a number"},
      {withFour("0 0 0 1.5 "), "the graph record's ConWidth is not a whole number"},
      {classic + "0 0 ", "the text goes on after the graph record"},
      {classic + classic, "the text goes on after the graph record"},
      {"3 the quick brown fox jumps over the lazy dog",
       "the graph record's GraphType is not a whole number"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(c.text.size() > 60 ? c.text.size() - 60 : 0));
    const PastedGraph pasted = ReadPastedGraph(c.text, ws, panel);
    EXPECT_FALSE(pasted.graph);
    EXPECT_EQ(pasted.reason, c.reason);
  }
}

// Texts that are no copy of a graph this document can take are refused,
// whole, with the reason the message gives.
TEST_F(GraphClipboardTest, HostileTextsAreRefusedWithTheirReason) {
  const std::size_t kLineColor = 4, kStepU = 12, kSlice4NumX = 40;
  const std::string copied = CopiedGraphText(graph, ws.settings);
  std::string manyItems = "3";
  for (int i = 0; i < 20000; ++i) manyItems += " 0";
  struct Case {
    std::string text;
    std::string reason;
  };
  const Case cases[] = {
      {"", "it is not a graph copied by this program"},
      {"Some words from another program", "it is not a graph copied by this program"},
      {"3abc " + copied.substr(2), "it is not a graph copied by this program"},
      {" " + copied, "it is not a graph copied by this program"},
      {"3", "the graph record is cut short"},
      {copied.substr(0, 40), "the graph record is cut short"},
      {copied.substr(0, copied.size() - 4), "the graph record is cut short"},
      {copied + "0 ", "the text goes on after the graph record"},
      {copied.substr(0, copied.size() - 1) + "\r\n",
       "the graph record's GridMethod4D is not a whole number"},
      {"7 " + copied.substr(2),
       "the graph was copied from a 2D document, which a 3D document "
       "cannot show"},
      {"11 " + copied.substr(2),
       "the graph was copied from a 4D document, which a 3D document "
       "cannot show"},
      {Changed(kLineColor, "1e999"), "the graph record's LineColor is not a whole number"},
      {Changed(kLineColor, ""), "the graph record's LineColor is not a whole number"},
      {Changed(kStepU, "11"),
       "its StepU is 11, but the data set's grid has 11 nodes along its first axis"},
      {Changed(kStepU, "-3"),
       "its StepU is -3, but the data set's grid has 11 nodes along its first axis"},
      {Changed(kSlice4NumX, "51"), "the graph record holds more than 50 slices"},
      {Changed(kSlice4NumX, "-1"), "the graph record's Slice4NumX is negative"},
      {Changed(1, "1000"), "its kind of graph (1000) is unknown"},
      {Changed(1, "-1"), "its kind of graph (-1) is unknown"},
      {Changed(SplitRecord(copied).size() - 2, "9"), "its gridding methods are unknown"},
      {Changed(SplitRecord(copied).size() - 1, "100"), "its gridding methods are unknown"},
      {Changed(3, ("@" + std::string(1001, 'x') + "@").c_str()),
       "an item holds more than 1000 characters"},
      {manyItems, "it holds more than 20000 items"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 80));
    const PastedGraph pasted = ReadPastedGraph(c.text, ws, panel);
    EXPECT_FALSE(pasted.graph);
    EXPECT_EQ(pasted.reason, c.reason);
  }
}

// A 3D document takes 3D copies (and the older 6), a 2D document 2D copies,
// a 4D document every copy.
TEST_F(GraphClipboardTest, EachViewKindTakesTheCopiesItShows) {
  graph.GraphType = kPointGraph;
  const std::string record = graph.Save(ws.settings);
  struct Case {
    Long viewCode;
    const char* code;
    bool taken;
  };
  const Case cases[] = {
      {kViewCode3D, "3", true},   {kViewCode3D, "6", true},   {kViewCode3D, "7", false},
      {kViewCode3D, "11", false}, {kViewCode2D, "7", true},   {kViewCode2D, "3", false},
      {kViewCode2D, "6", false},  {kViewCode2D, "11", false}, {kViewCode4D, "3", true},
      {kViewCode4D, "6", true},   {kViewCode4D, "7", true},   {kViewCode4D, "11", true},
      {kViewCode4D, "4", false},  {kViewCode4D, "0", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + " into view code " + CStr(c.viewCode));
    ws.settings.ViewCode = c.viewCode;
    EXPECT_EQ(static_cast<bool>(ReadPastedGraph(c.code + (" " + record), ws, panel).graph),
              c.taken);
  }
}

// For volume data the steps are the panel's row counts minus 1, whatever
// the record held, and they must fit the data set's volume.
TEST_F(GraphClipboardTest, VolumeDataTakesThePanelsRowCountsAsSteps) {
  ws.settings.ViewCode = kViewCode4D;
  ws.dataSet.StepsX(11);
  ws.dataSet.StepsY(21);
  ws.dataSet.StepsZ(31);
  ws.dataSet.RedimRegular4D(11, 21, 31);
  graph.GraphType = kSlice4D;
  graph.StepU = graph.StepV = 2;
  panel.SetKindIndex(kRegularVolume);
  panel.SetText(1, "11");
  panel.SetText(2, "21");
  panel.SetText(4, "31");
  const PastedGraph pasted = ReadPastedGraph(CopiedGraphText(graph, ws.settings), ws, panel);
  ASSERT_TRUE(pasted.graph) << pasted.reason;
  EXPECT_EQ(pasted.graph->StepU, 10);
  EXPECT_EQ(pasted.graph->StepV, 20);
  EXPECT_EQ(pasted.graph->StepH, 30);

  panel.SetText(4, "32");
  EXPECT_EQ(ReadPastedGraph(CopiedGraphText(graph, ws.settings), ws, panel).reason,
            "its StepH is 31, but the data set's grid has 31 nodes along its third axis");
}

// A Delaunay graph needs the points' triangles: they are made when the data
// set holds none, and kept when it does.
TEST_F(GraphClipboardTest, DelaunayGraphsGetTheTrianglesTheyNeed) {
  DataSet data;
  data.Points(4);
  data.RedimIrregular3D(4);
  const double corners[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
  for (Long k = 0; k < 4; ++k) {
    data.Irreg3DX(k, corners[k][0]);
    data.Irreg3DY(k, corners[k][1]);
  }
  test::ScriptedMessageBox messages;
  graph.GraphType = kSurfaceModel;
  PrepareDataForGraph(graph, data, messages);
  EXPECT_EQ(data.DelaunayTriCount(), 0);
  graph.GraphType = kDelaunayGraph;
  PrepareDataForGraph(graph, data, messages);
  EXPECT_EQ(data.DelaunayTriCount(), 2);
  data.DelaunayTriCount(7);
  PrepareDataForGraph(graph, data, messages);
  EXPECT_EQ(data.DelaunayTriCount(), 7);
  EXPECT_TRUE(messages.Shown().empty());
}

}  // namespace
}  // namespace qv
