#include "data/data_set.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "data/number_text.h"
#include "data/panel_layout.h"

namespace qv {
namespace {

// The inverted box of "no nodes": any node widens it to itself.
constexpr double kStartMax = -99999990000.0;
constexpr double kStartMin = 99999990000.0;
constexpr const char* kCoincidentMessage = "INCIRCUM - F - Points are coincident !!";
constexpr const char* kAppTitle = "Quorvel";

// Record Writing

// Kind code of the record: the two Cartesian surfaces swap their codes.
char KindCode(Long kind) {
  if (kind == kRegularSurface) return '1';
  if (kind == kIrregularSurface) return '0';
  return static_cast<char>('0' + kind);
}

// A count box as the loops read it: Val(text) - 1, rounded half to even.
Long LoopBound(const DataPanel& panel, int box) { return SaturateLong(Val(panel.Text(box)) - 1.0); }

double CountOf(const DataPanel& panel, int box) { return Val(panel.Text(box)); }

class RecordWriter {
 public:
  explicit RecordWriter(const DataPanel& panel) : panel_(panel) {}

  void Item(const std::string& text) {
    text_ += text;
    text_ += ' ';
  }
  void BoxText(int box) { Item(NormalizedNumText(panel_.Text(box))); }
  // The four cells of a sheet row. Returns false past the sheet's last row,
  // where no cell exists (the loops then stop: the rows only grow).
  bool Row(double row) {
    const Long r = SaturateLong(row);
    if (r > kMaxSheetRows) return false;
    for (Long column = 1; column <= kSheetDataColumns; ++column) {
      Item(NormalizedNumText(panel_.Cell(r, column)));
    }
    return true;
  }
  std::string Finish() {
    if (!text_.empty()) text_.pop_back();
    return text_;
  }

 private:
  const DataPanel& panel_;
  std::string text_;
};

void WriteSurfaceNodes(const DataPanel& panel, RecordWriter& out) {
  for (Long i = 0; i <= LoopBound(panel, 1); ++i) {
    for (Long j = 0; j <= LoopBound(panel, 2); ++j) {
      if (!out.Row(static_cast<double>(i) * CountOf(panel, 2) + j + 1)) return;
    }
  }
}

void WriteVolumeNodes(const DataPanel& panel, RecordWriter& out) {
  for (Long i = 0; i <= LoopBound(panel, 1); ++i) {
    for (Long j = 0; j <= LoopBound(panel, 2); ++j) {
      for (Long k = 0; k <= LoopBound(panel, 4); ++k) {
        const double row =
            (static_cast<double>(i) * CountOf(panel, 2) + j) * CountOf(panel, 4) + k + 1;
        if (!out.Row(row)) return;
      }
    }
  }
}

void WritePoints(const DataPanel& panel, RecordWriter& out) {
  for (Long n = 0; n <= LoopBound(panel, 3); ++n) {
    if (!out.Row(static_cast<double>(n) + 1)) return;
  }
}

// Scaling

// A range of data as a drawing scale: 10 units for the range, 1 when the
// range is empty (a flat or single-valued axis).
double ScaleOfRange(double low, double high) {
  const double range = std::fabs(high - low);
  return range > 0.0 && std::isfinite(range) ? range / 10.0 : 1.0;
}

// A user factor (ratio, zoom) that means nothing counts as 1.
double UsableFactor(double factor) { return factor > 0.0 && std::isfinite(factor) ? factor : 1.0; }

template <std::size_t Rank>
void DivideAll(CheckedArray<double, Rank>& values, double scale) {
  if (!values.Allocated()) return;
  double* first = values.data();
  std::for_each(first, first + values.size(), [scale](double& v) { v /= scale; });
}

// Grows box by the nodes 0..count-1 of one axis pair, clamped to the array.
template <std::size_t Rank>
Long LastNode(const CheckedArray<double, Rank>& values, std::size_t dim, Long steps) {
  if (!values.Allocated()) return -1;
  return std::min(steps - 1, values.Upper(dim));
}

void Widen(double v, double& low, double& high) {
  low = std::min(low, v);
  high = std::max(high, v);
}

}  // namespace

std::string DataSet::Save(const DataPanel& panel) const {
  const Long kind = panel.KindIndex();
  const std::optional<PanelLayout> layout = LayoutOfKind(kind);
  if (!layout) return "";
  RecordWriter out(panel);
  out.Item(std::string(1, KindCode(kind)));
  for (int box : layout->recordBoxes) out.BoxText(box);
  if (layout->irregular) {
    WritePoints(panel, out);
  } else if (layout->volume) {
    WriteVolumeNodes(panel, out);
  } else {
    WriteSurfaceNodes(panel, out);
  }
  return out.Finish();
}

Box DataSet::GetBox() const {
  Box box{kStartMin, kStartMax, kStartMin, kStartMax, kStartMin, kStartMax};
  if (dataDim_ == 2) {
    const Long lastI = LastNode(reg4DX_, 0, stepsX_);
    const Long lastJ = LastNode(reg4DX_, 1, stepsY_);
    const Long lastK = LastNode(reg4DX_, 2, stepsZ_);
    for (Long i = 0; i <= lastI; ++i) {
      for (Long j = 0; j <= lastJ; ++j) {
        for (Long k = 0; k <= lastK; ++k) {
          Widen(reg4DY_(i, j, k), box.MinX, box.MaxX);
          Widen(reg4DZ_(i, j, k), box.MinY, box.MaxY);
          Widen(reg4DX_(i, j, k), box.MinZ, box.MaxZ);
        }
      }
    }
    return box;
  }
  const Long lastI = LastNode(reg3DX_, 0, stepsX_);
  const Long lastJ = LastNode(reg3DX_, 1, stepsY_);
  for (Long i = 0; i <= lastI; ++i) {
    for (Long j = 0; j <= lastJ; ++j) {
      Widen(reg3DY_(i, j), box.MinX, box.MaxX);
      Widen(reg3DZ_(i, j), box.MinY, box.MaxY);
      Widen(reg3DX_(i, j), box.MinZ, box.MaxZ);
    }
  }
  return box;
}

void DataSet::Normalize(SharedSettings& settings) {
  double sx = ScaleOfRange(minX_, maxX_);
  double sy = ScaleOfRange(minY_, maxY_);
  double sz = ScaleOfRange(minZ_, maxZ_);
  if (settings.ScaleMode == 2) {
    // One scale for all three axes keeps the data's proportions.
    const double widest =
        std::max({std::fabs(maxX_ - minX_), std::fabs(maxY_ - minY_), std::fabs(maxZ_ - minZ_)});
    sx = sy = sz = ScaleOfRange(0.0, widest);
  } else if (settings.ScaleMode == 3) {
    sx /= UsableFactor(settings.ScaleRatioX);
    sy /= UsableFactor(settings.ScaleRatioY);
    sz /= UsableFactor(settings.ScaleRatioZ);
  }
  sz /= UsableFactor(settings.ZoomZ);
  const double sv = dataDim_ == 2 ? ScaleOfRange(mInv_, maxV_) : 1.0;
  settings.DataScaleX = sx;
  settings.DataScaleY = sy;
  settings.DataScaleZ = sz;
  settings.DataScaleV = sv;

  if (dataDim_ == 2) {
    DivideAll(reg4DX_, sx);
    DivideAll(reg4DY_, sy);
    DivideAll(reg4DZ_, sz);
    DivideAll(reg4DV_, sv);
    if (dataType_ == 2) {
      DivideAll(irreg4DX_, sx);
      DivideAll(irreg4DY_, sy);
      DivideAll(irreg4DZ_, sz);
      DivideAll(irreg4DV_, sv);
    }
  } else {
    DivideAll(reg3DX_, sx);
    DivideAll(reg3DY_, sy);
    DivideAll(reg3DZ_, sz);
    if (dataType_ == 2) {
      DivideAll(irreg3DX_, sx);
      DivideAll(irreg3DY_, sy);
      DivideAll(irreg3DZ_, sz);
    }
  }
}

namespace {

// The triangulation of the points (x[k], y[k]), k = 1..n, with the coincident
// points reported once through messages.
DelaunayResult TriangulateReporting(Long n, const std::vector<double>& x,
                                    const std::vector<double>& y, MessageBoxService& messages) {
  DelaunayResult result;
  try {
    result = TriangulatePoints(x.data() + 1, y.data() + 1, static_cast<std::size_t>(n));
  } catch (const std::invalid_argument&) {
    result = {};  // a point off the number line: no triangles rather than a crash
  }
  if (result.duplicates > 0) {
    messages.Show(kCoincidentMessage, kAppTitle, MsgIcon::None, MsgButtons::OK);
  }
  return result;
}

}  // namespace

Long DataSet::DelaunayTriangulate(Long n, const std::vector<double>& x,
                                  const std::vector<double>& y, MessageBoxService& messages) {
  if (n < 0) n = 0;
  const auto need = static_cast<std::size_t>(n) + 1;
  if (x.size() < need || y.size() < need) {
    throw RuntimeError(kSubscriptOutOfRange, "the point arrays hold fewer than n + 1 entries");
  }
  delaunayTris_ = TriangulateReporting(n, x, y, messages).triangles;
  return static_cast<Long>(delaunayTris_.size());
}

bool DataSet::TriangulateIrregularPoints(MessageBoxService& messages, LongWorkRunner* work) {
  const Long n = Points();
  if (n < 1) return false;
  // Positions 1..n hold the points; the triangulation needs room up to n + 3.
  std::vector<double> x(static_cast<std::size_t>(n) + 4, 0.0);
  std::vector<double> y(static_cast<std::size_t>(n) + 4, 0.0);
  try {
    for (Long k = 0; k < n; ++k) {
      x[static_cast<std::size_t>(k) + 1] = Irreg3DX(k);
      y[static_cast<std::size_t>(k) + 1] = Irreg3DY(k);
    }
  } catch (const RuntimeError&) {
    return false;  // fewer points loaded than counted: nothing sound to triangulate
  }
  ImmediateWorkRunner immediate;
  LongWorkRunner& runner = work != nullptr ? *work : immediate;
  // The work sees only the copies; this data set may be the one drawn meanwhile.
  DelaunayResult result;
  const WorkEnd end = runner.Run(
      [&](WorkMonitor& monitor, MessageBoxService& kept) {
        result = TriangulateReporting(n, x, y, kept);
        monitor.Progress(1.0);
        return true;
      },
      messages);
  if (end != WorkEnd::Done) return false;
  delaunayTris_ = std::move(result.triangles);
  DelaunayTriCount(static_cast<Long>(delaunayTris_.size()));
  return true;
}

const DelaunayTri& DataSet::DelaunayTris(Long record) const {
  if (record < 1 || record > static_cast<Long>(delaunayTris_.size())) {
    throw RuntimeError(kSubscriptOutOfRange,
                       "triangle record " + CStr(record) + " outside 1.." +
                           CStr(static_cast<long long>(delaunayTris_.size())));
  }
  return delaunayTris_[static_cast<std::size_t>(record - 1)];
}

}  // namespace qv
