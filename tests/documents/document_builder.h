// Documents built in memory for the document tests: a workspace with its
// scripted window and File commands, filled with data of a chosen kind and
// graphs of every kind whose options all differ from a new graph's.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "documents/file_association.h"
#include "documents/file_commands.h"
#include "graphs/workspace.h"
#include "scripted_document_host.h"
#include "support/temp_folder.h"

namespace qv::test {

// Every graph kind the list has a caption for.
inline const std::vector<Long> kEveryGraphKind{
    kSurfaceModel,  kPointGraph,  kColorMapGraph, kContourPlot,   kVectorPlot,
    kContour3DPlot, kVertexModel, kGridModel,     kDelaunayGraph, kScatter4D,
    kVector4D,      kSlice4D,     kIsoSurface4D};

// One open program: workspace, window, association (into a temporary data
// folder) and the File commands.
struct TestProgram {
  TestProgram();

  TempFolder folder;  // files of the test, and the association's data folder
  Workspace workspace;
  ScriptedDocumentHost host{workspace};
  FileAssociation association;
  FileCommands commands{workspace, host, association};
};

// A graph of graphType with every recorded field set from id, so that two
// graphs of one document differ in every field too.
std::shared_ptr<Graph> MakeGraph(Long graphType, Long id);

// Sets the panel to data kind 0..7 with small data of that kind: counts,
// bounds and sheet cells.
void FillPanel(MemoryDataPanel& panel, Long kind);

// Fills program with a document: view code, data kind, a shown graph of
// every kind (IDs 1..13) and one hidden graph (ID 40), the axis options and
// the scale and gridding settings.
void BuildDocument(TestProgram& program, Long viewCode, Long kind);

// Compares every field the graph record carries.
void ExpectSameGraph(const Graph& expected, const Graph& actual);
// Compares every field the axis record carries.
void ExpectSameAxis(const AxisSystem& expected, const AxisSystem& actual);

// The document text in a file ("" when it is no sound container).
std::string DocumentTextOf(const std::string& path);

// The text of the document fixture tests/inputs/documents/<name>.
std::string DocumentFixture(const std::string& name);

}  // namespace qv::test
