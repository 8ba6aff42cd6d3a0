#include "graphs/graph_record.h"

#include <algorithm>

#include "graphs/workspace.h"
#include "scene/axis_system.h"

namespace qv {

namespace {

// The record items of one graph, appended with their blank each.
class RecordWriter {
 public:
  void WriteLong(Long value) { Put(CStr(value)); }
  void Double(double value) { Put(FormatDouble(value)); }
  void Flag(bool value) { Put(value ? "1" : "0"); }
  // Cleaned as the axis titles are, so that no text shifts the fields after
  // it when read back.
  void Text(const std::string& text) { Put("@" + AxisSystem::CleanTitle(text) + "@"); }
  std::string Take() { return std::move(text_); }

 private:
  void Put(const std::string& item) {
    text_ += item;
    text_ += ' ';
  }
  std::string text_;
};

// The slice options of one axis that the record carries in each block.
template <auto Pos, auto ShowColor, auto ShowCont, auto ShowVect, auto ContLevels,
          auto ContColor, auto VectColor>
struct SliceBlock {
  static void Write(RecordWriter& w, const Graph& g, Long i) {
    w.Double((g.*Pos)(i));
    w.Flag((g.*ShowColor)(i));
    w.Flag((g.*ShowCont)(i));
    w.Flag((g.*ShowVect)(i));
    w.Double((g.*ContLevels)(i));
    w.WriteLong((g.*ContColor)(i));
    w.WriteLong((g.*VectColor)(i));
  }
  static void Read(RecordReader& r, Graph& g, Long i) {
    (g.*Pos)(i) = r.ReadDouble();
    (g.*ShowColor)(i) = r.ReadFlag(false);
    (g.*ShowCont)(i) = r.ReadFlag(false);
    (g.*ShowVect)(i) = r.ReadFlag(false);
    (g.*ContLevels)(i) = r.ReadDouble();
    (g.*ContColor)(i) = r.ReadLong();
    (g.*VectColor)(i) = r.ReadLong();
  }
};
using XBlock = SliceBlock<&Graph::Slice4X, &Graph::SliceXShowColor, &Graph::SliceXShowCont,
                          &Graph::SliceXShowVect, &Graph::SliceXContLevels,
                          &Graph::SliceXContColor, &Graph::SliceXVectColor>;
using YBlock = SliceBlock<&Graph::Slice4Y, &Graph::SliceYShowColor, &Graph::SliceYShowCont,
                          &Graph::SliceYShowVect, &Graph::SliceYContLevels,
                          &Graph::SliceYContColor, &Graph::SliceYVectColor>;
using ZBlock = SliceBlock<&Graph::Slice4Z, &Graph::SliceZShowColor, &Graph::SliceZShowCont,
                          &Graph::SliceZShowVect, &Graph::SliceZContLevels,
                          &Graph::SliceZContColor, &Graph::SliceZVectColor>;

// The four begin/end indices of one slice.
template <auto A, auto B, auto C, auto D>
struct RangeBlock {
  static void Write(RecordWriter& w, const Graph& g, Long i) {
    w.WriteLong((g.*A)(i));
    w.WriteLong((g.*B)(i));
    w.WriteLong((g.*C)(i));
    w.WriteLong((g.*D)(i));
  }
  static void Read(RecordReader& r, Graph& g, Long i) {
    (g.*A)(i) = r.ReadLong();
    (g.*B)(i) = r.ReadLong();
    (g.*C)(i) = r.ReadLong();
    (g.*D)(i) = r.ReadLong();
  }
};
using XRange = RangeBlock<&Graph::Slice4YZYB, &Graph::Slice4YZYE, &Graph::Slice4YZZB,
                          &Graph::Slice4YZZE>;
using YRange = RangeBlock<&Graph::Slice4ZXXB, &Graph::Slice4ZXXE, &Graph::Slice4ZXZB,
                          &Graph::Slice4ZXZE>;
using ZRange = RangeBlock<&Graph::Slice4XYXB, &Graph::Slice4XYXE, &Graph::Slice4XYYB,
                          &Graph::Slice4XYYE>;

void WriteCore(RecordWriter& w, const Graph& g) {
  w.WriteLong(g.GraphType);
  w.WriteLong(g.ID());
  w.Text(g.NameS);
  for (Long v : {g.LineColor, g.LineWidth, g.FillStyle, g.FirstColor, g.SecondColor,
                 g.Material, g.Show, g.Smoothness, g.StepU, g.StepV, g.PointColor}) {
    w.WriteLong(v);
  }
  w.Double(g.PointSize);
  w.Flag(g.ShowColormap);
  w.Flag(g.ShowContour);
  if (g.ShowContour) w.Double(g.ContourLevel);
  w.Flag(g.ShowVector);
  for (Long v : {g.VertSize, g.VertColor, g.GridColor, g.GridWidth}) w.WriteLong(v);
  w.Double(g.ContourLevels);
  for (Long v : {g.ConFillType, g.ConColor1, g.ConColor2}) w.WriteLong(v);
  w.Double(g.Contour3Levels);
  for (Long v : {g.Con3FillType, g.Con3Color1, g.Con3Color2, g.Con3Width, g.VectorColor,
                 g.ColorMapfilltype, g.ColorMapcolor1, g.ColorMapcolor2}) {
    w.WriteLong(v);
  }
  w.Flag(g.ShowIrregData);
}

// The counts as written: a count past its table (which only code that
// bypasses the dialogs can set) is written as the table's size, so that saving
// never fails and the record's blocks match its counts.
Long WrittenSlices(Long count) { return std::min(count, Graph::kMaxSlices); }
Long WrittenColors(Long count) { return std::min(count, kMaxColorPoints); }

void WriteSlicesAndTexture(RecordWriter& w, const Graph& g) {
  w.WriteLong(g.Scat4DColor);
  w.WriteLong(g.Vect4DColor);
  w.WriteLong(WrittenSlices(g.Slice4NumX));
  for (Long i = 1; i <= WrittenSlices(g.Slice4NumX); ++i) XBlock::Write(w, g, i);
  w.WriteLong(WrittenSlices(g.Slice4NumY));
  for (Long i = 1; i <= WrittenSlices(g.Slice4NumY); ++i) YBlock::Write(w, g, i);
  w.WriteLong(WrittenSlices(g.Slice4NumZ));
  for (Long i = 1; i <= WrittenSlices(g.Slice4NumZ); ++i) ZBlock::Write(w, g, i);
  w.Flag(g.ShowTex);
  w.WriteLong(g.TexMode);
  w.Flag(g.ShowTrans);
  w.Double(g.TransAlpha);
  w.Text(g.TexName);
  w.Flag(g.ShowDS);
  w.Flag(g.ShowDG);
  w.WriteLong(g.TriColor);
  w.WriteLong(g.TriWidth);
}

void WriteColorMapAndRest(RecordWriter& w, const Graph& g, const SharedSettings& settings) {
  w.Text(g.ColorName);
  w.WriteLong(WrittenColors(g.ColorNum));
  for (Long k = 0; k <= WrittenColors(g.ColorNum) - 1; ++k) {
    w.Double(g.ColorPos(k));
    w.WriteLong(g.ColorR(k));
    w.WriteLong(g.ColorG(k));
    w.WriteLong(g.ColorB(k));
  }
  for (Long i = 1; i <= WrittenSlices(g.Slice4NumX); ++i) XRange::Write(w, g, i);
  for (Long i = 1; i <= WrittenSlices(g.Slice4NumY); ++i) YRange::Write(w, g, i);
  for (Long i = 1; i <= WrittenSlices(g.Slice4NumZ); ++i) ZRange::Write(w, g, i);
  w.Double(g.IsoSurValue);
  w.WriteLong(g.IsoSurColor);
  w.WriteLong(settings.GridMethod);
  w.WriteLong(settings.GridMethod4D);
}

// Reading

bool SliceCountFits(Long count) { return count <= Graph::kMaxSlices; }

void ReadCore(RecordReader& r, Long version, Graph& g) {
  g.GraphType = r.ReadLong();
  g.SetID(r.ReadLong());
  if (version == 0) {
    g.NameS = r.Next();
  } else {
    r.ReadText(g.NameS);
  }
  for (Long* field : {&g.LineColor, &g.LineWidth, &g.FillStyle, &g.FirstColor,
                      &g.SecondColor, &g.Material, &g.Show, &g.Smoothness, &g.StepU, &g.StepV,
                      &g.PointColor}) {
    *field = r.ReadLong();
  }
  g.PointSize = r.ReadDouble();
  g.ShowColormap = r.ReadFlag(true);
  g.ShowContour = r.ReadFlag(true);
  if (g.ShowContour) g.ContourLevel = r.ReadDouble();
  g.ShowVector = r.ReadFlag(true);
  for (Long* field : {&g.VertSize, &g.VertColor, &g.GridColor, &g.GridWidth}) {
    *field = r.ReadLong();
  }
  g.ContourLevels = r.ReadDouble();
  for (Long* field : {&g.ConFillType, &g.ConColor1, &g.ConColor2}) *field = r.ReadLong();
  g.Contour3Levels = r.ReadDouble();
  for (Long* field : {&g.Con3FillType, &g.Con3Color1, &g.Con3Color2, &g.Con3Width,
                      &g.VectorColor, &g.ColorMapfilltype, &g.ColorMapcolor1,
                      &g.ColorMapcolor2}) {
    *field = r.ReadLong();
  }
  g.ShowIrregData = r.ReadFlag(true);
}

// Reads one slice count and its blocks; false when the count is too large.
template <typename Block>
bool ReadSlices(RecordReader& r, Graph& g, Long Graph::*count) {
  g.*count = r.ReadLong();
  if (!SliceCountFits(g.*count)) return false;
  for (Long i = 1; i <= g.*count; ++i) Block::Read(r, g, i);
  return true;
}

GraphRecordResult ReadSlicesAndTexture(RecordReader& r, Long version, Graph& g) {
  g.Scat4DColor = r.ReadLong();
  g.Vect4DColor = r.ReadLong();
  if (!ReadSlices<XBlock>(r, g, &Graph::Slice4NumX) ||
      !ReadSlices<YBlock>(r, g, &Graph::Slice4NumY) ||
      !ReadSlices<ZBlock>(r, g, &Graph::Slice4NumZ)) {
    return {false, "The graph record holds more than 50 slices."};
  }
  g.ShowTex = r.ReadFlag(false);
  g.TexMode = r.ReadLong();
  g.ShowTrans = r.ReadFlag(false);
  g.TransAlpha = r.ReadDouble();
  r.ReadText(g.TexName);
  if (version >= 2) {
    g.ShowDS = r.ReadFlag(false);
    g.ShowDG = r.ReadFlag(false);
    g.TriColor = r.ReadLong();
    g.TriWidth = r.ReadLong();
  }
  return {};
}

GraphRecordResult ReadColorMapAndRest(RecordReader& r, Graph& g, SharedSettings& settings) {
  r.ReadText(g.ColorName);
  g.ColorNum = r.ReadLong();
  if (g.ColorNum > kMaxColorPoints) {
    return {false, "The graph record holds more than 31 colour points."};
  }
  for (Long k = 0; k <= g.ColorNum - 1; ++k) {
    g.ColorPos(k) = r.ReadDouble();
    g.ColorR(k) = r.ReadLong();
    g.ColorG(k) = r.ReadLong();
    g.ColorB(k) = r.ReadLong();
  }
  for (Long i = 1; i <= g.Slice4NumX; ++i) XRange::Read(r, g, i);
  for (Long i = 1; i <= g.Slice4NumY; ++i) YRange::Read(r, g, i);
  for (Long i = 1; i <= g.Slice4NumZ; ++i) ZRange::Read(r, g, i);
  g.IsoSurValue = r.ReadDouble();
  g.IsoSurColor = r.ReadLong();
  settings.GridMethod = r.ReadLong();
  settings.GridMethod4D = r.ReadLong();
  return {};
}

}  // namespace

std::string Graph::Save() const {
  RecordWriter w;
  WriteCore(w, *this);
  WriteSlicesAndTexture(w, *this);
  WriteColorMapAndRest(w, *this, Owner().settings);
  return w.Take();
}

GraphRecordResult ReadGraphRecord(RecordReader& reader, Long formatVersion, Graph& graph,
                                  SharedSettings& settings) {
  // Read into copies so that a refused record changes nothing.
  Graph g = graph;
  SharedSettings s = settings;
  ReadCore(reader, formatVersion, g);
  if (formatVersion >= 1) {
    GraphRecordResult result = ReadSlicesAndTexture(reader, formatVersion, g);
    if (!result.ok) return result;
  }
  if (formatVersion >= 3) {
    GraphRecordResult result = ReadColorMapAndRest(reader, g, s);
    if (!result.ok) return result;
  }
  graph = g;
  settings = s;
  return {};
}

}  // namespace qv
