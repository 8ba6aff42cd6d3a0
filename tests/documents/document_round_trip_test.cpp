// Saving a document and opening it again, through the File commands and a
// scripted window: every view kind with every data kind, graphs of every
// kind, and long texts beyond the classic container.
#include <gtest/gtest.h>

#include "data/panel_layout.h"
#include "document_builder.h"
#include "documents/document_container.h"
#include "documents/document_header.h"
#include "documents/document_writer.h"
#include "graphs/graph_kinds.h"
#include "platform/file_replace.h"

namespace qv {
namespace {

using test::TestProgram;

const Graph& GraphAt(const SceneGroup& group, Long position) {
  return static_cast<const Graph&>(*group.Items.Item(position));
}

struct RoundTripCase {
  Long viewCode;
  Long kind;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
  *os << "view " << c.viewCode << " kind " << c.kind;
}

class RoundTripTest : public testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTripTest, OpensWhatWasSavedFieldForFieldAndSavesTheSameBytes) {
  const RoundTripCase& c = GetParam();
  TestProgram saved;
  test::BuildDocument(saved, c.viewCode, c.kind);
  const std::string first = saved.folder.File("first.qrv");
  saved.host.dialogs.Choose(first);
  ASSERT_TRUE(saved.commands.Save());
  ASSERT_TRUE(saved.host.messages.Shown().empty()) << saved.host.messages.Texts().front();

  TestProgram opened;
  ASSERT_EQ(opened.commands.OpenDocument(first), OpenOutcome::Opened)
      << (opened.host.messages.Shown().empty() ? "" : opened.host.messages.Texts().front());
  const Workspace& e = saved.workspace;
  const Workspace& a = opened.workspace;

  // The view and the settings the document carries.
  EXPECT_EQ(a.settings.ViewCode, c.viewCode);
  EXPECT_EQ(opened.host.enabledViews.back(), c.viewCode);
  EXPECT_EQ(a.settings.ScaleMode, 3);
  EXPECT_EQ(a.settings.ScaleRatioX, 1.5);
  EXPECT_EQ(a.settings.ScaleRatioY, 0.75);
  EXPECT_EQ(a.settings.ScaleRatioZ, 2.0);
  EXPECT_EQ(a.settings.ZoomZ, 1.25);
  EXPECT_EQ(a.settings.GridMethod, 1);
  EXPECT_EQ(a.settings.GridMethod4D, 101);
  EXPECT_EQ(a.settings.NextGraphID, 14);

  // The panel and the sheet, cell for cell.
  const MemoryDataPanel& ep = saved.host.panel;
  const MemoryDataPanel& ap = opened.host.panel;
  EXPECT_EQ(ap.KindIndex(), c.kind);
  const PanelLayout layout = *LayoutOfKind(c.kind);
  for (const int box : layout.recordBoxes) EXPECT_EQ(ap.Text(box), ep.Text(box)) << "box " << box;
  ASSERT_GT(opened.host.sheetRows, 1);
  for (Long row = 1; row < opened.host.sheetRows; ++row) {
    for (Long column = 1; column <= kSheetDataColumns; ++column) {
      EXPECT_EQ(ap.Cell(row, column), ep.Cell(row, column)) << row << ", " << column;
    }
  }

  // The shown graphs, in order, all listed, checked and shown again; the
  // hidden one is not saved.
  ASSERT_EQ(a.allGraphs.Items.Count(), 13);
  ASSERT_EQ(a.shownGraphs.Items.Count(), 13);
  ASSERT_EQ(opened.host.list.size(), 13u);
  for (Long position = 1; position <= 13; ++position) {
    const Graph& graph = GraphAt(a.allGraphs, position);
    test::ExpectSameGraph(GraphAt(e.shownGraphs, position), graph);
    EXPECT_TRUE(opened.host.list[static_cast<std::size_t>(position - 1)].checked);
    EXPECT_EQ(opened.host.list[static_cast<std::size_t>(position - 1)].caption,
              ListCaption(graph, c.viewCode));
  }
  EXPECT_EQ(opened.host.fits, 1);
  test::ExpectSameAxis(e.axisSystem, a.axisSystem);

  // What was opened saves to the very same bytes.
  const std::string second = opened.folder.File("second.qrv");
  opened.host.dialogs.Choose(second);
  ASSERT_TRUE(opened.commands.Save());
  EXPECT_EQ(ReadWholeFile(second), ReadWholeFile(first));
}

std::vector<RoundTripCase> EveryViewAndDataKind() {
  std::vector<RoundTripCase> cases;
  for (const Long view : {kViewCode3D, kViewCode2D, kViewCode4D}) {
    for (Long kind = 0; kind <= 7; ++kind) cases.push_back({view, kind});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryKind, RoundTripTest, testing::ValuesIn(EveryViewAndDataKind()),
                         [](const testing::TestParamInfo<RoundTripCase>& info) {
                           return "View" + CStr(info.param.viewCode) + "Kind" +
                                  CStr(info.param.kind);
                         });

// A hidden axis system is the single "0"; the scale settings follow it.
TEST(DocumentRoundTrip, KeepsTheScaleSettingsAfterAHiddenAxis) {
  TestProgram saved;
  test::BuildDocument(saved, kViewCode3D, kRegularSurface);
  saved.workspace.axisSystem.Show = false;
  const std::string path = saved.folder.File("hidden.qrv");
  saved.host.dialogs.Choose(path);
  ASSERT_TRUE(saved.commands.Save());
  const std::string text = test::DocumentTextOf(path);
  // ... GridMethod, GridMethod4D of the last record, the axis, the scale.
  EXPECT_TRUE(text.ends_with(" 1 101 0 3 1.5 0.75 2 1.25")) << text.substr(text.size() - 40);

  TestProgram opened;
  ASSERT_EQ(opened.commands.OpenDocument(path), OpenOutcome::Opened);
  EXPECT_FALSE(opened.workspace.axisSystem.Show);
  EXPECT_EQ(opened.workspace.settings.ScaleMode, 3);
  EXPECT_EQ(opened.workspace.settings.ZoomZ, 1.25);
}

// A 101 x 101 regular surface is a text far beyond the classic 16-bit
// length; it must be stored whole and read back intact.
TEST(DocumentRoundTrip, KeepsATextBeyond64KiBIntact) {
  TestProgram saved;
  test::BuildDocument(saved, kViewCode3D, kRegularSurface);
  MemoryDataPanel& panel = saved.host.panel;
  panel.SetText(1, "101");
  panel.SetText(2, "101");
  for (Long row = 1; row <= 101 * 101; ++row) {
    panel.SetRow(row, {CStr(row / 101), CStr(row % 101), FormatDouble(0.001 * row),
                       FormatDouble(-0.5 * row)});
  }
  const std::string path = saved.folder.File("large.qrv");
  saved.host.dialogs.Choose(path);
  ASSERT_TRUE(saved.commands.Save());
  const auto bytes = ReadWholeFile(path);
  ASSERT_TRUE(bytes.has_value());
  ASSERT_GT(bytes->size(), 65536u);
  EXPECT_EQ(bytes->substr(2, 2), "\xFF\xFF");

  TestProgram opened;
  ASSERT_EQ(opened.commands.OpenDocument(path), OpenOutcome::Opened);
  EXPECT_EQ(opened.host.sheetRows, 101 * 101 + 1);
  for (const Long row : {Long{1}, Long{5000}, Long{101 * 101}}) {
    for (Long column = 1; column <= 4; ++column) {
      EXPECT_EQ(opened.host.panel.Cell(row, column), panel.Cell(row, column))
          << row << ", " << column;
    }
  }
  EXPECT_EQ(opened.workspace.allGraphs.Items.Count(), 13);
}

// Saving over a longer document leaves no tail behind, and a file that an
// older writer overwrote in place, tail and all, still opens whole.
TEST(DocumentRoundTrip, IgnoresTheStaleTailOfAnOverwrittenFile) {
  TestProgram saved;
  test::BuildDocument(saved, kViewCode2D, kRegularSurface);
  const std::string path = saved.folder.File("doc.qrv");
  ASSERT_EQ(ReplaceFile(path, std::string(200000, 'x')), "");
  saved.host.dialogs.Choose(path);
  ASSERT_TRUE(saved.commands.Save());
  const auto bytes = ReadWholeFile(path);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(bytes->find('x', 4 + test::DocumentTextOf(path).size()), std::string::npos);
  EXPECT_LT(bytes->size(), 200000u);

  const std::string tailed = saved.folder.File("tailed.qrv");
  ASSERT_EQ(ReplaceFile(tailed, *bytes + " 7 7 7 @old@ tail of a longer document"), "");
  TestProgram opened;
  ASSERT_EQ(opened.commands.OpenDocument(tailed), OpenOutcome::Opened);
  EXPECT_EQ(opened.workspace.allGraphs.Items.Count(), 13);
  const std::string again = opened.folder.File("again.qrv");
  opened.host.dialogs.Choose(again);
  ASSERT_TRUE(opened.commands.Save());
  EXPECT_EQ(ReadWholeFile(again), bytes);
}

}  // namespace
}  // namespace qv
