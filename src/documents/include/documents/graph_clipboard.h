// The graph on the clipboard: the text Copy puts there and the reader Paste
// takes it back with. The text is the view code of the document it was
// copied from, one blank, then the graph's record (graphs/graph_record.h),
// in Windows-1252 like documents.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "graphs/graph.h"
#include "platform/shared_settings.h"

namespace qv {

class DataPanel;
class DataSet;
class LongWorkRunner;
class MessageBoxService;
struct Workspace;

// Most tokens a pasted text may hold.
inline constexpr std::size_t kMaxPasteTokens = 20000;

// The clipboard text of graph copied from a document of settings.ViewCode,
// its record in the format a document would write it in (format 4 unless
// the graph needs format 5).
std::string CopiedGraphText(const SceneItem& graph, const SharedSettings& settings);

// What reading a pasted text gave.
struct PastedGraph {
  // The graph read, or null when the text was refused.
  std::shared_ptr<Graph> graph;
  // Why it was refused: a phrase for the message ("" when read).
  std::string reason;
  // The record's gridding methods, which the document takes with the graph.
  Long gridMethod = 0;
  Long gridMethod4D = 0;
};

// Reads text as a graph for the document of workspace, whose data panel is
// panel, changing neither. The text is refused, whole, when it is not the
// text of a copy (its first item a view code this document shows: 3 or 6 in
// a 3D document, 7 in a 2D one, any of them in a 4D one), when it holds more
// than kMaxPasteTokens items or an item longer than any document holds, when
// its record (of format 4 or 5, ReadWholeGraphRecord) is cut short, goes on
// past its end or holds an item not in the form Copy writes
// (graphs/graph_record.h, RecordReading::kExact), when its
// kind is none the program knows or its gridding methods are unknown, and
// when its steps do not fit the data set (graphs/graph_steps.h). For volume
// data (kinds 2 and 3) the steps are first the panel's row counts minus 1.
// The graph keeps the record's ID; the caller gives it a new one.
PastedGraph ReadPastedGraph(std::string_view text, const Workspace& workspace,
                            const DataPanel& panel);

// What a graph of graph's kind needs of data before it is drawn: the
// triangles of the points for the Delaunay kind, made when data holds none
// yet (failures of the triangulation are shown through messages).
void PrepareDataForGraph(const Graph& graph, DataSet& data, MessageBoxService& messages,
                         LongWorkRunner* work = nullptr);

}  // namespace qv
