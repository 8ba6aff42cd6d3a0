// The graph record: the text a graph writes into documents and onto the
// clipboard (Graph::Save), and the one reader of it that the document reader
// and Paste share.
//
// Items in order, each followed by one blank: GraphType, the graph's ID, then
// every recorded option in the order of graph_option_list.inc (a table block
// holding entry i of each of its tables for i = first .. first + count - 1),
// then GridMethod and GridMethod4D. Format 0 ends after ShowIrregData, format
// 1 after TexName, format 2 after TriWidth; formats 3 and 4 carry everything.
//
// Texts are written between two "@"s after the cleaning of the axis titles
// (AxisSystem::CleanTitle): a leading blank, an "@" before a blank or more than 100
// blanks would otherwise end the text early or late when read back and shift
// every later field.
#pragma once

#include <string>

#include "graphs/graph.h"
#include "graphs/graph_options.h"
#include "platform/record_reader.h"
#include "platform/shared_settings.h"

namespace qv {

// The newest record layout, which the clipboard and new documents carry.
inline constexpr Long kNewestRecordFormat = 5;
// The first format whose records end with the two gridding methods.
inline constexpr Long kGridMethodsSince = 3;

// How the reader takes the items of a record.
enum class RecordReading {
  // As documents have always been read: a number item by its leading number
  // (no number reads 0), a flag by its "1", a text that does not open with
  // "@" leaves its field as it was.
  kLenient,
  // Every item exactly in the form the writer gives it, or the record is
  // refused: a Long as a whole number in the Long range, a Double as a
  // finite number and nothing else, a flag as "1" or "0", a text between two
  // "@"s; counts from 0 to their tables' size; no item missing at the end.
  // For records that come from outside any document (the clipboard).
  kExact,
};

// The outcome of reading one record.
struct GraphRecordResult {
  bool ok = true;
  // Why the record was refused ("" when ok).
  std::string message;
};

// The record of a graph with these options and this ID, ending with the
// document's gridding methods (GridMethod, GridMethod4D of the settings).
// Never fails: slice counts above 50 and a ColorNum above 31 are written as
// 50 and 31 with their entries.
std::string WriteGraphRecord(const GraphOptions& options, Long id, Long gridMethod,
                             Long gridMethod4D);

// Reads one graph record at the reader's position into graph and the
// gridding methods into settings. formatVersion is the document's format
// version 0..5 (kNewestRecordFormat for the clipboard): fields the version
// does not carry keep their values, and version 0 takes NameS as one token.
// Read kLenient, Longs are rounded half to even and saturated to the Long
// range, non-finite Doubles read as 0, missing tokens as empty. A slice count
// above 50 or a colour-point count above 31 refuses the record, and so does,
// read kExact, any item not in the writer's form (the message names the
// field: "The graph record's LineColor is not a whole number."): ok is
// false, graph and settings are unchanged and the reader stands somewhere
// inside the record.
GraphRecordResult ReadGraphRecord(RecordReader& reader, Long formatVersion, Graph& graph,
                                  SharedSettings& settings,
                                  RecordReading reading = RecordReading::kLenient);

}  // namespace qv
