// The graph record: the text a graph writes into documents and onto the
// clipboard (Graph::Save), and the one reader of it that the document reader
// and Paste share.
//
// Items in order, each followed by one blank: GraphType, the graph's ID, then
// every recorded option in the order of graph_option_list.inc (a table block
// holding entry i of each of its tables for i = first .. first + count - 1),
// then GridMethod and GridMethod4D. Format 0 ends after ShowIrregData, format
// 1 after TexName, format 2 after TriWidth; formats 3 and 4 carry everything
// up to IsoSurColor, and format 5 adds PointX, PointY, PointZ and ConWidth
// after it. The writer writes format 4, and format 5 only for a graph that
// format 4 would lose something of (RecordFormatNeeded).
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

// The newest record layout, which carries the point graph's position and the
// contour plot's line width.
inline constexpr Long kNewestRecordFormat = 5;
// The layout the writer writes whenever it loses nothing, which every reader
// of the classic documents takes.
inline constexpr Long kClassicRecordFormat = 4;
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

// The oldest layout that holds everything of options that a reopened
// document would show: kClassicRecordFormat, or kNewestRecordFormat for a
// point graph (GraphType 7) placed away from the origin, or for a contour
// plot (GraphType 14) whose lines are wider than 1 pixel. A record of format
// 4 reopens with PointX, PointY, PointZ and ConWidth at 0; only those two
// kinds draw them, and a line narrower than 1 pixel is drawn 1 pixel wide,
// so a ConWidth of 1 or less draws the same after it.
Long RecordFormatNeeded(const GraphOptions& options);

// The record of a graph with these options and this ID, in the layout of
// format (0..5; the writer uses 4 and 5, never one below
// RecordFormatNeeded), ending from format 3 on with the document's gridding
// methods (GridMethod, GridMethod4D of the settings). Never fails: slice
// counts above 50 and a ColorNum above 31 are written as 50 and 31 with their
// entries.
std::string WriteGraphRecord(const GraphOptions& options, Long id, Long gridMethod,
                             Long gridMethod4D, Long format);

// Reads one graph record at the reader's position into graph and the
// gridding methods into settings. formatVersion is the document's format
// version 0..5: fields the version does not carry keep their values, and
// version 0 takes NameS as one token.
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

// Reads, exactly (RecordReading::kExact), the one record that fills the
// reader from its position to its end (the clipboard's) in whichever layout
// the writer wrote it: format 4's or format 5's. The two agree up to
// IsoSurColor, after which format 4 holds the two gridding methods and format
// 5 four items more before them; so a text with exactly those six items left
// after IsoSurColor is read as format 5's, any other as format 4's. A whole
// record of either layout reads; any other text is refused as ReadGraphRecord
// refuses it in the layout so chosen (a record cut short: "The graph record
// is cut short."). Tokens after the record are left unread, for the caller
// to refuse.
GraphRecordResult ReadWholeGraphRecord(RecordReader& reader, Graph& graph,
                                       SharedSettings& settings);

}  // namespace qv
