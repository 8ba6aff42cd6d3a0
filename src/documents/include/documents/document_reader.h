// Reading a document text into a staging document. Nothing of the open
// document is touched here: the caller replaces the document with the staged
// one only when the whole text has been read and found sound.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "documents/document_header.h"
#include "graphs/graph.h"
#include "platform/shared_settings.h"
#include "scene/axis_system.h"

namespace qv {

class DataPanel;
struct Workspace;

// The data-set record as the data panel and sheet will show it.
struct StagedDataSet {
  Long kind = 0;  // data-kind list index 0..7
  // Panel boxes the record carries, (box number 1..10, text) in record order;
  // boxes it does not carry keep their texts.
  std::vector<std::pair<int, std::string>> boxes;
  // Sheet header row, columns 0..4.
  std::array<std::string, 5> headers;
  // Data rows 1..cells.size(), columns 1..4, texts as they stand.
  std::vector<std::array<std::string, 4>> cells;
};

struct StagedDocument {
  DocumentHeader header;
  StagedDataSet data;
  // Graphs in record order, each with a unique ID.
  std::vector<std::shared_ptr<Graph>> graphs;
  // The axis system after its record was read over the current one.
  AxisSystem axis;
  // The current settings with what the document sets: GridMethod and
  // GridMethod4D from the last graph record, the scale settings (version 4),
  // and NextGraphID as the reader leaves it.
  SharedSettings settings;

  // True when a graph's kind is drawn from the data set's Delaunay triangles
  // (the data must be triangulated).
  bool NeedsTriangulation() const;
};

// The outcome of a read: ok, or the reason the text was refused.
struct DocumentReadResult {
  bool ok = false;
  std::string reason;  // a short phrase for the message ("" when ok)
};

// Most tokens a graph record of any version holds at least.
inline constexpr std::size_t kMinGraphRecordTokens = 36;

// Reads text (the container's contents, not empty) into staged, whose axis
// and settings start as workspace's.
// Refuses an unknown header, counts or sizes that are not whole numbers in
// range, more than 20000 sheet rows, non-finite numbers, IDs repeated or so
// large that the next ID would overflow, bad graph records, items (sheet
// cells above all) longer than 1000 characters and a text that ends before
// the document does. Never reads outside the tokens.
DocumentReadResult ReadDocumentText(const std::string& text, const Workspace& workspace,
                                    StagedDocument& staged);

// Writes the staged data set into panel: the kind, the boxes the record
// carries and the sheet rows 1..cells.size(). Other boxes and cells are left
// as they are.
void FillDataPanel(const StagedDataSet& data, DataPanel& panel);

// The sheet's header row of a data kind (0..7).
std::array<std::string, 5> SheetHeaders(Long kind);

}  // namespace qv
