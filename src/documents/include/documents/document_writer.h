// The writer of the whole document: header, shown-graph count, data-set
// record, the records of the shown graphs, the axis record and the scale
// settings. It produces only documents that open again: a text the reader
// would refuse is not written.
#pragma once

#include <optional>
#include <string>

namespace qv {

class DataPanel;
struct Workspace;

struct DocumentWriteResult {
  bool ok = false;
  std::string text;    // the document text when ok
  std::string reason;  // why it cannot be saved, for the message
};

// Builds the document text of workspace with the data panel and sheet of
// panel. Refuses (ok false) a view code other than 3, 7 and 11, and any
// document the reader would refuse (counts that are not whole numbers,
// more than 20000 sheet rows, numbers out of range, ...) or whose data set
// would refuse its panel on opening.
DocumentWriteResult WriteDocumentText(const Workspace& workspace, const DataPanel& panel);

// The text WriteDocumentText would write, without its checks: for telling
// whether a document changed. nullopt for a view code other than 3, 7 and 11.
std::optional<std::string> DocumentText(const Workspace& workspace, const DataPanel& panel);

}  // namespace qv
