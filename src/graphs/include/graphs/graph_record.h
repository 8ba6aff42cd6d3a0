// The graph record: the text a graph writes into documents and onto the
// clipboard (Graph::Save), and the one reader of it that the document reader
// and Paste share.
//
// Items in order, each followed by one blank: GraphType, ID, NameS, LineColor,
// LineWidth, FillStyle, FirstColor, SecondColor, Material, Show, Smoothness,
// StepU, StepV, PointColor, PointSize, ShowColormap, ShowContour
// [ContourLevel when ShowContour], ShowVector, VertSize, VertColor, GridColor,
// GridWidth, ContourLevels, ConFillType, ConColor1, ConColor2, Contour3Levels,
// Con3FillType, Con3Color1, Con3Color2, Con3Width, VectorColor,
// ColorMapfilltype, ColorMapcolor1, ColorMapcolor2, ShowIrregData (format 0
// ends here), Scat4DColor, Vect4DColor, the X, Y and Z slice counts each
// followed by its slice blocks, ShowTex, TexMode, ShowTrans, TransAlpha,
// TexName (format 1 ends here), ShowDS, ShowDG, TriColor, TriWidth (format 2
// ends here), ColorName, ColorNum, the colour points, the slice ranges,
// IsoSurValue, IsoSurColor, GridMethod, GridMethod4D.
//
// Texts are written between two "@"s after the cleaning of the axis titles
// (AxisSystem::CleanTitle): a leading blank, an "@" before a blank or more than 100
// blanks would otherwise end the text early or late when read back and shift
// every later field.
#pragma once

#include <string>

#include "graphs/graph.h"
#include "platform/record_reader.h"
#include "platform/shared_settings.h"

namespace qv {

// The newest record layout, which the clipboard and new documents carry.
inline constexpr Long kNewestRecordFormat = 4;

// The outcome of reading one record.
struct GraphRecordResult {
  bool ok = true;
  // Why the record was refused ("" when ok).
  std::string message;
};

// Reads one graph record at the reader's position into graph and the
// gridding methods into settings. formatVersion is the document's format
// version 0..4 (kNewestRecordFormat for the clipboard): fields the version
// does not carry keep their values, and version 0 takes NameS as one token.
// Longs are rounded half to even and saturated to the Long range, non-finite
// Doubles read as 0, missing tokens as empty. A slice count above 50 or a
// colour-point count above 31 refuses the record: ok is false, graph and
// settings are unchanged and the reader stands somewhere inside the record.
GraphRecordResult ReadGraphRecord(RecordReader& reader, Long formatVersion, Graph& graph,
                                  SharedSettings& settings);

}  // namespace qv
