#include "documents/document_writer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "data/memory_data_panel.h"
#include "document_builder.h"
#include "documents/document_container.h"
#include "documents/document_reader.h"
#include "graphs/graph.h"
#include "graphs/graph_record.h"
#include "platform/file_replace.h"
#include "platform/record_reader.h"
#include "support/graph_option_fill.h"

namespace qv {
namespace {

struct RefusedDataCase {
  const char* name;
  int box;
  const char* text;
  const char* reason;
};

class RefusedDataSetTest : public testing::TestWithParam<RefusedDataCase> {};

// The data set's refusal is a sentence of its own; inside the reason of "The
// document can not be saved: <reason>." it reads as a part of one sentence.
TEST_P(RefusedDataSetTest, ReasonWrapsTheDataSetsMessage) {
  const RefusedDataCase& c = GetParam();
  Workspace workspace;
  workspace.settings.ViewCode = 3;
  auto graph = test::MakeGraph(kSurfaceModel, 1);
  workspace.allGraphs.Items.Add(graph, "1");
  workspace.shownGraphs.Items.Add(graph, "1");
  MemoryDataPanel panel;
  test::FillPanel(panel, 0);
  panel.SetText(c.box, c.text);
  const DocumentWriteResult result = WriteDocumentText(workspace, panel);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.reason, c.reason);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, RefusedDataSetTest,
    testing::Values(
        RefusedDataCase{"NoRows", 1, "0",
                        "its data set is refused (the number of Rows X must larger than 0)"},
        RefusedDataCase{"NoColumns", 2, "0",
                        "its data set is refused (the number of Rows Y must larger than 0)"}),
    [](const testing::TestParamInfo<RefusedDataCase>& info) {
      return std::string(info.param.name);
    });

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// Which format a save writes: format 4 ("D41".."D43", the classic record
// layout) unless a graph holds what format 4 would lose, then format 5 for
// every record of the document.

// A document as opening leaves it, short of the gridding: the staged
// settings, axis and graphs (all shown) in a workspace, the data in a panel.
struct OpenedDocument {
  int version = 0;
  Workspace workspace;
  MemoryDataPanel panel;

  Graph& GraphAt(Long position) {
    return static_cast<Graph&>(*workspace.shownGraphs.Items.Item(position));
  }
};

std::unique_ptr<OpenedDocument> Opened(const std::string& text) {
  auto doc = std::make_unique<OpenedDocument>();
  StagedDocument staged;
  const DocumentReadResult read = ReadDocumentText(text, doc->workspace, staged);
  EXPECT_TRUE(read.ok) << read.reason;
  if (!read.ok) return nullptr;
  doc->version = staged.header.version;
  doc->workspace.settings = staged.settings;
  doc->workspace.settings.ViewCode = staged.header.viewCode;
  doc->workspace.axisSystem = staged.axis;
  for (const auto& graph : staged.graphs) {
    doc->workspace.allGraphs.Items.Add(graph, CStr(graph->ID()));
    doc->workspace.shownGraphs.Items.Add(graph, CStr(graph->ID()));
  }
  FillDataPanel(staged.data, doc->panel);
  return doc;
}

struct WrittenFormatCase {
  const char* name;
  const char* fixture;
  // Moves the point graphs away from the origin.
  bool placePoint;
  // Given to every graph; -1 keeps the widths as read.
  Long conWidth;
  // The format the save must write.
  int version;
};

void PrintTo(const WrittenFormatCase& c, std::ostream* os) { *os << c.name; }

class WrittenFormatTest : public testing::TestWithParam<WrittenFormatCase> {};

TEST_P(WrittenFormatTest, WritesFormatFourUnlessAGraphNeedsFive) {
  const WrittenFormatCase& c = GetParam();
  const std::string fixture = test::DocumentFixture(c.fixture);
  const std::unique_ptr<OpenedDocument> doc = Opened(fixture);
  ASSERT_TRUE(doc);
  const Long graphs = doc->workspace.shownGraphs.Items.Count();
  for (Long position = 1; position <= graphs; ++position) {
    Graph& g = doc->GraphAt(position);
    if (c.placePoint && g.GraphType == kPointGraph) {
      g.PointX = 1.5;
      g.PointY = -2;
      g.PointZ = 0.25;
    }
    if (c.conWidth >= 0) g.ConWidth = c.conWidth;
  }
  const DocumentWriteResult written = WriteDocumentText(doc->workspace, doc->panel);
  ASSERT_TRUE(written.ok) << written.reason;
  const std::vector<std::string> tokens = SplitRecord(written.text);
  const Long viewCode = doc->workspace.settings.ViewCode;
  const char viewDigit = viewCode == kViewCode3D ? '1' : viewCode == kViewCode2D ? '2' : '3';
  EXPECT_EQ(tokens.front(), "D" + std::to_string(c.version) + viewDigit);
  if (doc->version == 4) {
    // A format-4 document that needs no more is written byte for byte as it
    // was; in format 5 each record holds four items more.
    if (c.version == 4) {
      EXPECT_EQ(written.text, fixture);
    } else {
      EXPECT_EQ(tokens.size(), SplitRecord(fixture).size() + 4 * static_cast<std::size_t>(graphs));
    }
  }

  // What was written reads back as the same graphs; what format 4 does not
  // carry reads as a new graph's, which draws the same.
  const std::unique_ptr<OpenedDocument> back = Opened(written.text);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->version, c.version);
  ASSERT_EQ(back->workspace.shownGraphs.Items.Count(), graphs);
  const Graph fresh;
  for (Long position = 1; position <= graphs; ++position) {
    const Graph& w = doc->GraphAt(position);
    const Graph& r = back->GraphAt(position);
    SCOPED_TRACE("graph " + CStr(position) + " of kind " + CStr(w.GraphType));
    EXPECT_EQ(r.ID(), w.ID());
    EXPECT_EQ(test::DifferingInFormat(w, r, c.version), std::vector<std::string>{});
    if (c.version == 4) {
      EXPECT_EQ(RecordFormatNeeded(w), kClassicRecordFormat);
      EXPECT_EQ(r.PointX, fresh.PointX);
      EXPECT_EQ(r.ConWidth, fresh.ConWidth);
    }
  }
  // ... and saves to the same bytes again.
  const DocumentWriteResult again = WriteDocumentText(back->workspace, back->panel);
  ASSERT_TRUE(again.ok) << again.reason;
  EXPECT_EQ(again.text, written.text);
}

INSTANTIATE_TEST_SUITE_P(Documents, WrittenFormatTest,
                         testing::Values(
                             // Older formats read, then written: format 4 unless edited to need 5.
                             WrittenFormatCase{"Version0View3D", "d1.txt", false, -1, 4},
                             WrittenFormatCase{"Version0View2D", "d2.txt", false, -1, 4},
                             WrittenFormatCase{"Version1View3D", "d11.txt", false, -1, 4},
                             WrittenFormatCase{"Version1View2D", "d12.txt", false, -1, 4},
                             WrittenFormatCase{"Version1View4D", "d13.txt", false, -1, 4},
                             WrittenFormatCase{"Version2View3D", "d21.txt", false, -1, 4},
                             WrittenFormatCase{"Version2View2D", "d22.txt", false, -1, 4},
                             WrittenFormatCase{"Version2View4D", "d23.txt", false, -1, 4},
                             WrittenFormatCase{"Version3View3D", "d31.txt", false, -1, 4},
                             WrittenFormatCase{"Version3View2D", "d32.txt", false, -1, 4},
                             WrittenFormatCase{"Version3View4D", "d33.txt", false, -1, 4},
                             WrittenFormatCase{"Version3View3DPointPlaced", "d31.txt", true, -1, 5},
                             WrittenFormatCase{"Version1View2DContourPlotWidth3", "d12.txt", false,
                                               3, 5},
                             // Format 4: with a point graph and a contour plot in 3D and 2D.
                             WrittenFormatCase{"View3DWidth0", "d41.txt", false, 0, 4},
                             WrittenFormatCase{"View3DWidth1", "d41.txt", false, 1, 4},
                             WrittenFormatCase{"View3DWidth3", "d41.txt", false, 3, 5},
                             WrittenFormatCase{"View3DPointPlacedWidth0", "d41.txt", true, 0, 5},
                             WrittenFormatCase{"View3DPointPlacedWidth1", "d41.txt", true, 1, 5},
                             WrittenFormatCase{"View3DPointPlacedWidth3", "d41.txt", true, 3, 5},
                             WrittenFormatCase{"View2DWidth0", "d42.txt", false, 0, 4},
                             WrittenFormatCase{"View2DWidth1", "d42.txt", false, 1, 4},
                             WrittenFormatCase{"View2DWidth3", "d42.txt", false, 3, 5},
                             WrittenFormatCase{"View2DPointPlacedWidth0", "d42.txt", true, 0, 5},
                             WrittenFormatCase{"View2DPointPlacedWidth1", "d42.txt", true, 1, 5},
                             WrittenFormatCase{"View2DPointPlacedWidth3", "d42.txt", true, 3, 5},
                             // No contour plot: the width is drawn by nothing, format 4 loses
                             // nothing that shows.
                             WrittenFormatCase{"View4DWidth0", "d43.txt", false, 0, 4},
                             WrittenFormatCase{"View4DWidth1", "d43.txt", false, 1, 4},
                             WrittenFormatCase{"View4DWidth3", "d43.txt", false, 3, 4},
                             WrittenFormatCase{"View4DPointPlacedWidth0", "d43.txt", true, 0, 5},
                             WrittenFormatCase{"View4DPointPlacedWidth1", "d43.txt", true, 1, 5},
                             WrittenFormatCase{"View4DPointPlacedWidth3", "d43.txt", true, 3, 5}),
                         [](const testing::TestParamInfo<WrittenFormatCase>& info) {
                           return std::string(info.param.name);
                         });

// A document of format 4 as an independent writer produces it, opened and
// saved unchanged through the File commands, gives the very same bytes.
TEST(DocumentWriter, FormatFourDocumentSavesToItsOwnBytes) {
  for (const char* name : {"d41.txt", "d42.txt", "d43.txt"}) {
    SCOPED_TRACE(name);
    test::TestProgram p;
    const std::string first = p.folder.File("first.qrv");
    const std::string bytes = EncodeContainer(test::DocumentFixture(name));
    ASSERT_EQ(ReplaceFile(first, bytes), "");
    ASSERT_EQ(p.commands.OpenDocument(first), OpenOutcome::Opened)
        << (p.host.messages.Shown().empty() ? "" : p.host.messages.Texts().front());
    const std::string second = p.folder.File("second.qrv");
    p.host.dialogs.Choose(second);
    ASSERT_TRUE(p.commands.Save());
    EXPECT_TRUE(p.host.messages.Shown().empty());
    EXPECT_EQ(ReadWholeFile(second), bytes);
  }
}

}  // namespace
}  // namespace qv
