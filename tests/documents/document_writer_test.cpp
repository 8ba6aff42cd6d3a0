#include "documents/document_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "data/memory_data_panel.h"
#include "document_builder.h"
#include "graphs/graph.h"

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
