#include "documents/document_reader.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include "data/data_panel.h"
#include "data/panel_layout.h"
#include "document_tokens.h"
#include "graphs/graph_record.h"
#include "graphs/workspace.h"
#include "platform/message_text.h"
#include "platform/record_reader.h"

namespace qv {
namespace {

// Largest regular grid an irregular data set may be gridded onto; a hostile
// size would otherwise ask for arrays beyond any memory.
constexpr double kMaxStagedGridNodes = 1.0e6;
// Largest count read before the product of the counts is checked.
constexpr double kMaxWholeCount = 1.0e9;
// Tokens a text item may take after its first, as the record's text rule reads.
constexpr std::size_t kMaxTextTokens = 100;
// The next new graph takes NextGraphID + 1 and NextGraphID becomes ID + 1, so
// an ID must leave room for two more.
constexpr Long kMaxGraphID = std::numeric_limits<Long>::max() - 2;

// A failed read: thrown inside the reader and turned into its result.
struct Refusal {
  std::string reason;
};

[[noreturn]] void Refuse(std::string reason) { throw Refusal{std::move(reason)}; }

// A count token: a whole number in 0..limit, or the document is refused.
Long WholeCount(const std::string& token, double limit, const char* what) {
  const double value = Val(token);
  if (!std::isfinite(value) || value != std::floor(value))
    Refuse(std::string(what) + " is not a whole number");
  if (value < 0) Refuse(std::string(what) + " is negative");
  if (value > limit) Refuse(std::string(what) + " is too large");
  return static_cast<Long>(value);
}

void RequireFinite(const std::string& token, const char* what) {
  if (!std::isfinite(Val(token))) Refuse(std::string(what) + " holds a number out of range");
}

// Index just past the text item that starts at tokens[at] (a token beginning
// with "@"), by the record's text rule: one token when it also ends with "@",
// else up to the first of the next 100 that ends with "@" within end.
std::size_t PastText(const std::vector<std::string>& tokens, std::size_t at, std::size_t end) {
  const std::string& first = tokens[at];
  if (first.size() >= 2 && first.back() == '@') return at + 1;
  for (std::size_t iT = at + 1; iT < end && iT <= at + kMaxTextTokens; ++iT) {
    if (!tokens[iT].empty() && tokens[iT].back() == '@') return iT + 1;
  }
  return at + 1;
}

// Refuses a record whose number items hold a value beyond any Double
// ("1e999"): read as a Long it would silently become the largest Long.
// Text items, and the bare title of version-0 records (bareTitle), are words,
// not numbers, and are passed over.
void RequireFiniteItems(const std::vector<std::string>& tokens, std::size_t begin, std::size_t end,
                        std::size_t bareTitle, const std::string& what) {
  end = std::min(end, tokens.size());
  for (std::size_t iT = begin; iT < end;) {
    const std::string& token = tokens[iT];
    if (!token.empty() && token.front() == '@') {
      iT = PastText(tokens, iT, end);
      continue;
    }
    if (iT != bareTitle && !std::isfinite(Val(token)))
      Refuse(what + " holds a number out of range");
    ++iT;
  }
}

Long KindOfCode(const std::string& token) {
  const Long code = WholeCount(token, 7, "the data kind");
  if (code == 0) return kIrregularSurface;
  if (code == 1) return kRegularSurface;
  return code;
}

std::string BoxText(const StagedDataSet& data, int box) {
  for (const auto& [number, text] : data.boxes) {
    if (number == box) return text;
  }
  return "";
}

// The number of sheet rows the panel asks for, checked against the sheet.
Long SheetRows(const StagedDataSet& data, const PanelLayout& layout) {
  if (layout.irregular) {
    const Long points =
        WholeCount(BoxText(data, layout.pointsBox), kMaxWholeCount, "the point count");
    if (points > kMaxSheetRows) Refuse("the data set has more than 20000 points");
    double nodes = 1.0;
    for (const int box : layout.rowBoxes)
      nodes *= WholeCount(BoxText(data, box), kMaxStagedGridNodes, "a grid size");
    if (nodes > kMaxStagedGridNodes) Refuse("the grid is too large");
    for (const int box : layout.boundBoxes) RequireFinite(BoxText(data, box), "a bound");
    return points;
  }
  // One count alone may be too large: the message names the sheet's limit.
  double rows = 1.0;
  for (const int box : layout.rowBoxes)
    rows *= WholeCount(BoxText(data, box), kMaxWholeCount, "a row count");
  if (rows > kMaxSheetRows) Refuse("the data set has more than 20000 rows");
  return static_cast<Long>(rows);
}

void ReadCells(RecordReader& reader, const PanelLayout& layout, int version, Long rows,
               StagedDataSet& data) {
  const bool threeCells = !layout.volume && !SurfaceCellsHaveColor(version);
  data.cells.resize(static_cast<std::size_t>(rows));
  for (auto& row : data.cells) {
    for (std::size_t column = 0; column < (threeCells ? 3u : 4u); ++column) {
      row[column] = reader.Next();
      // A cell text this long holds no number, and would only cost the sheet
      // seconds and memory.
      if (row[column].size() > kMaxTokenChars)
        Refuse("a sheet cell holds more than 1000 characters");
      RequireFinite(row[column], "a sheet cell");
    }
    if (threeCells) row[3] = row[2];
  }
}

void ReadDataSet(RecordReader& reader, int version, StagedDataSet& data) {
  data.kind = KindOfCode(reader.Next());
  const PanelLayout layout = *LayoutOfKind(data.kind);
  for (const int box : layout.recordBoxes) {
    data.boxes.emplace_back(box, reader.Next());
    if (data.boxes.back().second.size() > kMaxTokenChars)
      Refuse("a box of the data panel holds more than 1000 characters");
  }
  data.headers = SheetHeaders(data.kind);
  const Long rows = SheetRows(data, layout);
  ReadCells(reader, layout, version, rows, data);
}

// Presets the steps a record does not carry (StepH) from the panel's counts.
void PresetSteps(const StagedDataSet& data, Graph& graph) {
  if (data.kind == kRegularCylindrical || data.kind == kRegularSpherical ||
      data.kind == kIrregularSpherical)
    return;
  const std::vector<int> boxes = LayoutOfKind(data.kind)->rowBoxes;
  const auto step = [&](std::size_t i) { return SaturateLong(Val(BoxText(data, boxes[i]))) - 1; };
  graph.StepU = step(0);
  graph.StepV = step(1);
  if (boxes.size() > 2) graph.StepH = step(2);
}

// Counts the record reader stores before it loops over them; a negative one
// reads no block but would be written back and misread as a table size.
void RequireCountsInRange(const Graph& graph, const std::string& what) {
  for (const Long count : {graph.Slice4NumX, graph.Slice4NumY, graph.Slice4NumZ, graph.ColorNum}) {
    if (count < 0) Refuse(what + " holds a negative count");
  }
}

void ReadGraphs(RecordReader& reader, const std::vector<std::string>& tokens, Long count,
                StagedDocument& staged) {
  const std::size_t tokenCount = tokens.size();
  std::set<Long> ids;
  for (Long i = 0; i < count; ++i) {
    const std::string what = "graph " + CStr(i + 1);
    auto graph = std::make_shared<Graph>();
    PresetSteps(staged.data, *graph);
    const std::size_t begin = reader.Position();
    const GraphRecordResult record =
        ReadGraphRecord(reader, staged.header.version, *graph, staged.settings);
    // The record's own message is a sentence; here it becomes a part of one.
    if (!record.ok) Refuse(what + ": " + InnerSentence(record.message));
    if (reader.Position() > tokenCount) Refuse("the document is cut short");
    const std::size_t bareTitle = NameByTextRule(staged.header.version) ? tokenCount : begin + 2;
    RequireFiniteItems(tokens, begin, reader.Position(), bareTitle, what);
    RequireCountsInRange(*graph, what);
    const Long id = graph->ID();
    if (id < 0 || id > kMaxGraphID) Refuse("a graph ID is out of range");
    if (!ids.insert(id).second) Refuse("two graphs have the ID " + CStr(id));
    if (id > staged.settings.NextGraphID) staged.settings.NextGraphID = id + 1;
    staged.graphs.push_back(std::move(graph));
  }
}

void ReadScale(RecordReader& reader, SharedSettings& settings) {
  const std::string mode = reader.Next();
  const Long scaleMode = WholeCount(mode, 3, "the scale mode");
  if (scaleMode < 1) Refuse("the scale mode is out of range");
  double ratios[4];
  for (double& ratio : ratios) {
    const std::string token = reader.Next();
    RequireFinite(token, "a scale ratio");
    ratio = Val(token);
  }
  settings.ScaleMode = scaleMode;
  settings.ScaleRatioX = ratios[0];
  settings.ScaleRatioY = ratios[1];
  settings.ScaleRatioZ = ratios[2];
  settings.ZoomZ = ratios[3];
}

void ReadTokens(const std::vector<std::string>& tokens, StagedDocument& staged) {
  const std::size_t tokenCount = tokens.size();
  const auto header = ParseDocumentHeader(tokens.empty() ? "" : tokens[0]);
  if (!header) Refuse("it is not a document of this program");
  staged.header = *header;
  RecordReader reader(tokens, 1);
  // More graphs than any document can hold are refused as such; more than
  // this text can hold mean that it was cut.
  const Long count =
      WholeCount(reader.Next(), static_cast<double>(kMaxDocumentTokens / kMinGraphRecordTokens),
                 "the graph count");
  if (static_cast<std::size_t>(count) > tokenCount / kMinGraphRecordTokens)
    Refuse("the document is cut short");
  ReadDataSet(reader, staged.header.version, staged.data);
  if (reader.Position() > tokenCount) Refuse("the document is cut short");
  staged.settings.NextGraphID = 0;
  ReadGraphs(reader, tokens, count, staged);
  const std::size_t axisBegin = reader.Position();
  staged.axis.Read(reader);
  RequireFiniteItems(tokens, axisBegin, reader.Position(), tokenCount, "the axis record");
  if (CarriesScaleSettings(staged.header.version)) ReadScale(reader, staged.settings);
  if (reader.Position() > tokenCount) Refuse("the document is cut short");
  for (const std::string& token : tokens) {
    if (token.size() > kMaxTokenChars) Refuse("an item holds more than 1000 characters");
  }
}

}  // namespace

bool StagedDocument::NeedsTriangulation() const {
  for (const auto& graph : graphs) {
    if (KindOf(graph->GraphType).needsTriangles) return true;
  }
  return false;
}

void FillDataPanel(const StagedDataSet& data, DataPanel& panel) {
  panel.SetKindIndex(data.kind);
  for (const auto& [box, text] : data.boxes) panel.SetText(box, text);
  for (std::size_t row = 1; row <= data.cells.size(); ++row) {
    for (Long column = 1; column <= kSheetDataColumns; ++column) {
      panel.SetCell(static_cast<Long>(row), column,
                    data.cells[row - 1][static_cast<std::size_t>(column - 1)]);
    }
  }
}

std::array<std::string, 5> SheetHeaders(Long kind) {
  switch (kind) {
    case kRegularCylindrical:
    case kIrregularCylindrical: return {"Index", "A", "R", "Z", "Color"};
    case kRegularSpherical:
    case kIrregularSpherical: return {"Index", "A", "B", "R", "Color"};
    case kRegularVolume:
    case kIrregularVolume: return {"Index", "X", "Y", "Z", "V"};
    default: return {"Index", "X", "Y", "Z", "Color"};
  }
}

DocumentReadResult ReadDocumentText(const std::string& text, const Workspace& workspace,
                                    StagedDocument& staged) {
  staged = StagedDocument{};
  staged.axis = workspace.axisSystem;
  staged.settings = workspace.settings;
  auto tokens = Tokenize(text);
  if (!tokens) return {false, "it holds more than 500000 items"};
  try {
    ReadTokens(*tokens, staged);
  } catch (const Refusal& refusal) {
    staged.graphs.clear();
    return {false, refusal.reason};
  } catch (const RuntimeError& error) {
    // A field outside its table, which the checks above should have caught.
    staged.graphs.clear();
    return {false, InnerSentence(error.what())};
  }
  return {true, ""};
}

}  // namespace qv
