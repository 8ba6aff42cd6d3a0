// Reading the data panel into the data set.
//
// The sheet holds one row per node or point: a regular surface node (i, j)
// in row i * RowsY + j + 1, a regular volume node (i, j, k) in row
// (i * RowsY + j) * RowsZ + k + 1, an irregular point n in row n + 1. The
// columns by kind:
//
//   kind                        1        2        3        4
//   0, 1, 3 Cartesian           x        y        z        c (v for volumes)
//   4, 5 cylindrical            A (deg)  height   radius   c
//   6, 7 spherical              A (deg)  B (deg)  radius   c
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "data/data_set.h"
#include "data/grid_input_validation.h"
#include "data/number_text.h"
#include "data/panel_layout.h"

namespace qv {
namespace {

constexpr const char* kIllegalMessage = "Illegal data exist.";
constexpr double kInfinity = std::numeric_limits<double>::infinity();

double Radians(double degrees) { return degrees * 3.1416 / 180.0; }

// A number of a box or cell as the validation cleaned it; nullopt when it
// is not finite (a number too large for a double).
std::optional<double> NumberOf(std::string text) {
  std::string cleaned;
  ParseRealText(text, cleaned);
  const double value = Val(cleaned);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

// A count box: a whole number of at most limit, rounded as the check rounded it.
std::optional<Long> CountOf(const DataPanel& panel, int box, double limit) {
  const double value = CountValue(panel.Text(box));
  if (!std::isfinite(value) || value > limit) return std::nullopt;
  return CLng(value);
}

struct Range {
  double low = kInfinity;
  double high = -kInfinity;
  void Add(double v) {
    low = std::min(low, v);
    high = std::max(high, v);
  }
};

}  // namespace

class DataLoader {
 public:
  DataLoader(const DataPanel& panel, Long kind, const PanelLayout& layout)
      : panel_(panel), kind_(kind), layout_(layout) {}

  // Counts, arrays and cells into data; false when a number is out of range.
  bool Fill(DataSet& data);
  // The bounds of what data now holds, in data units. Irregular kinds keep
  // the angle ranges the grid was made over.
  void Bounds(DataSet& data) const;
  // The points of the cylindrical and spherical kinds, held for the gridding
  // in grid coordinates, become Cartesian positions like every other kind's.
  void PointsToCartesian(DataSet& data) const;
  // Swaps each pair of grid bounds whose minimum is above its maximum.
  void OrderBounds(DataSet& data) const;

 private:
  bool Counts(DataSet& data);
  bool GridSpan(DataSet& data);
  void Allocate(DataSet& data) const;
  bool Cells(Long row, std::array<double, 4>& cells) const;
  bool FillRegularSurface(DataSet& data) const;
  bool FillRegularVolume(DataSet& data) const;
  bool FillPoints(DataSet& data) const;

  const DataPanel& panel_;
  Long kind_;
  const PanelLayout& layout_;
};

bool DataLoader::Counts(DataSet& data) {
  std::array<Long, 3> steps{0, 0, 0};
  const double perAxis = layout_.irregular ? kMaxGridNodes : kMaxSheetRows;
  double total = 1.0;
  for (std::size_t axis = 0; axis < layout_.rowBoxes.size(); ++axis) {
    const std::optional<Long> count = CountOf(panel_, layout_.rowBoxes[axis], perAxis);
    if (!count) return false;
    steps[axis] = *count;
    total *= *count;
  }
  if (total > perAxis) return false;
  data.stepsX_ = steps[0];
  data.stepsY_ = steps[1];
  data.stepsZ_ = steps[2];
  if (layout_.irregular) {
    const std::optional<Long> points = CountOf(panel_, layout_.pointsBox, kMaxSheetRows);
    if (!points) return false;
    data.points_ = *points;
  }
  return true;
}

bool DataLoader::GridSpan(DataSet& data) {
  // Targets of the bound boxes (min and max per axis), in the box order.
  std::vector<double*> targets;
  if (kind_ == kIrregularCylindrical) {
    targets = {&data.minA_, &data.maxA_, &data.minZ_, &data.maxZ_};
  } else if (kind_ == kIrregularSpherical) {
    targets = {&data.minA_, &data.maxA_, &data.minB_, &data.maxB_};
  } else {
    targets = {&data.minX_, &data.maxX_, &data.minY_, &data.maxY_, &data.minZ_, &data.maxZ_};
  }
  for (std::size_t b = 0; b < layout_.boundBoxes.size(); ++b) {
    const std::optional<double> value = NumberOf(panel_.Text(layout_.boundBoxes[b]));
    if (!value) return false;
    *targets[b] = *value;
  }
  return true;
}

void DataLoader::Allocate(DataSet& data) const {
  const Long sx = data.stepsX_, sy = data.stepsY_, sz = data.stepsZ_;
  if (layout_.volume) {
    for (auto* a : {&data.reg4DX_, &data.reg4DY_, &data.reg4DZ_, &data.reg4DV_, &data.reg4DC_}) {
      a->Redim0(sx, sy, sz);
    }
    if (layout_.irregular) {
      for (auto* a : {&data.irreg4DX_, &data.irreg4DY_, &data.irreg4DZ_, &data.irreg4DV_}) {
        a->Redim0(data.points_);
      }
    }
    return;
  }
  for (auto* a : {&data.reg3DX_, &data.reg3DY_, &data.reg3DZ_, &data.reg3DC_, &data.reg3DA_,
                  &data.reg3DB_, &data.reg3DD_}) {
    a->Redim0(sx, sy);
  }
  if (layout_.irregular) {
    for (auto* a : {&data.irreg3DX_, &data.irreg3DY_, &data.irreg3DZ_, &data.irreg3DC_}) {
      a->Redim0(data.points_);
    }
  }
}

bool DataLoader::Cells(Long row, std::array<double, 4>& cells) const {
  for (Long column = 1; column <= kSheetDataColumns; ++column) {
    const std::optional<double> value = NumberOf(panel_.Cell(row, column));
    if (!value) return false;
    cells[static_cast<std::size_t>(column - 1)] = *value;
  }
  return true;
}

bool DataLoader::FillRegularSurface(DataSet& data) const {
  std::array<double, 4> c{};
  for (Long i = 0; i < data.stepsX_; ++i) {
    for (Long j = 0; j < data.stepsY_; ++j) {
      if (!Cells(i * data.stepsY_ + j + 1, c)) return false;
      data.reg3DC_(i, j) = c[3];
      if (kind_ == kRegularCylindrical) {
        // A, height, radius.
        data.reg3DA_(i, j) = c[0];
        data.reg3DB_(i, j) = c[2];
        data.reg3DD_(i, j) = c[1];
        data.reg3DX_(i, j) = c[2] * std::cos(Radians(c[0]));
        data.reg3DY_(i, j) = c[2] * std::sin(Radians(c[0]));
        data.reg3DZ_(i, j) = c[1];
      } else if (kind_ == kRegularSpherical) {
        // A, B, radius.
        data.reg3DA_(i, j) = c[0];
        data.reg3DB_(i, j) = c[1];
        data.reg3DD_(i, j) = c[2];
        data.reg3DX_(i, j) = std::sin(Radians(c[1])) * c[2] * std::cos(Radians(c[0]));
        data.reg3DY_(i, j) = std::sin(Radians(c[1])) * c[2] * std::sin(Radians(c[0]));
        data.reg3DZ_(i, j) = std::cos(Radians(c[1])) * c[2];
      } else {
        data.reg3DX_(i, j) = c[0];
        data.reg3DY_(i, j) = c[1];
        data.reg3DZ_(i, j) = c[2];
      }
    }
  }
  return true;
}

bool DataLoader::FillRegularVolume(DataSet& data) const {
  std::array<double, 4> c{};
  for (Long i = 0; i < data.stepsX_; ++i) {
    for (Long j = 0; j < data.stepsY_; ++j) {
      for (Long k = 0; k < data.stepsZ_; ++k) {
        if (!Cells((i * data.stepsY_ + j) * data.stepsZ_ + k + 1, c)) return false;
        data.reg4DX_(i, j, k) = c[0];
        data.reg4DY_(i, j, k) = c[1];
        data.reg4DZ_(i, j, k) = c[2];
        data.reg4DV_(i, j, k) = c[3];
        data.reg4DC_(i, j, k) = c[3];
      }
    }
  }
  return true;
}

bool DataLoader::FillPoints(DataSet& data) const {
  std::array<double, 4> c{};
  for (Long n = 0; n < data.points_; ++n) {
    if (!Cells(n + 1, c)) return false;
    if (layout_.volume) {
      data.irreg4DX_(n) = c[0];
      data.irreg4DY_(n) = c[1];
      data.irreg4DZ_(n) = c[2];
      data.irreg4DV_(n) = c[3];
      continue;
    }
    data.irreg3DC_(n) = c[3];
    if (kind_ == kIrregularCylindrical) {
      // Angle in radians, radius, height: the layout the gridding reads.
      data.irreg3DX_(n) = Radians(c[0]);
      data.irreg3DY_(n) = c[2];
      data.irreg3DZ_(n) = c[1];
    } else if (kind_ == kIrregularSpherical) {
      data.irreg3DX_(n) = Radians(c[0]);
      data.irreg3DY_(n) = Radians(c[1]);
      data.irreg3DZ_(n) = c[2];
    } else {
      data.irreg3DX_(n) = c[0];
      data.irreg3DY_(n) = c[1];
      data.irreg3DZ_(n) = c[2];
    }
  }
  return true;
}

bool DataLoader::Fill(DataSet& data) {
  data.dataType_ = layout_.irregular ? 2 : 1;
  data.dataDim_ = layout_.volume ? 2 : 1;
  if (!Counts(data)) return false;
  if (layout_.irregular && !GridSpan(data)) return false;
  Allocate(data);
  if (layout_.irregular) return FillPoints(data);
  return layout_.volume ? FillRegularVolume(data) : FillRegularSurface(data);
}

void DataLoader::PointsToCartesian(DataSet& data) const {
  if (kind_ != kIrregularCylindrical && kind_ != kIrregularSpherical) return;
  for (Long n = 0; n < data.points_; ++n) {
    const double x = data.irreg3DX_(n), y = data.irreg3DY_(n), z = data.irreg3DZ_(n);
    if (kind_ == kIrregularCylindrical) {
      // x = angle, y = radius, z = height.
      data.irreg3DX_(n) = y * std::cos(x);
      data.irreg3DY_(n) = y * std::sin(x);
    } else {
      // x = A, y = B, z = radius.
      data.irreg3DX_(n) = std::sin(y) * z * std::cos(x);
      data.irreg3DY_(n) = std::sin(y) * z * std::sin(x);
      data.irreg3DZ_(n) = std::cos(y) * z;
    }
  }
}

void DataLoader::OrderBounds(DataSet& data) const {
  for (auto [low, high] : {std::pair{&data.minX_, &data.maxX_}, std::pair{&data.minY_, &data.maxY_},
                           std::pair{&data.minZ_, &data.maxZ_}, std::pair{&data.minA_, &data.maxA_},
                           std::pair{&data.minB_, &data.maxB_}}) {
    if (*low > *high) std::swap(*low, *high);
  }
}

void DataLoader::Bounds(DataSet& data) const {
  Range x, y, z, c, a, b;
  const Long sx = data.stepsX_, sy = data.stepsY_, sz = data.stepsZ_;
  if (layout_.volume) {
    for (Long i = 0; i < sx; ++i) {
      for (Long j = 0; j < sy; ++j) {
        for (Long k = 0; k < sz; ++k) {
          x.Add(data.reg4DX_(i, j, k));
          y.Add(data.reg4DY_(i, j, k));
          z.Add(data.reg4DZ_(i, j, k));
          c.Add(data.reg4DV_(i, j, k));
        }
      }
    }
    for (Long n = 0; layout_.irregular && n < data.points_; ++n) {
      x.Add(data.irreg4DX_(n));
      y.Add(data.irreg4DY_(n));
      z.Add(data.irreg4DZ_(n));
      c.Add(data.irreg4DV_(n));
    }
    data.mInv_ = c.low;
    data.maxV_ = c.high;
  } else {
    for (Long i = 0; i < sx; ++i) {
      for (Long j = 0; j < sy; ++j) {
        x.Add(data.reg3DX_(i, j));
        y.Add(data.reg3DY_(i, j));
        z.Add(data.reg3DZ_(i, j));
        c.Add(data.reg3DC_(i, j));
        a.Add(data.reg3DA_(i, j));
        b.Add(data.reg3DB_(i, j));  // the angle B of the spherical kind only
      }
    }
    for (Long n = 0; layout_.irregular && n < data.points_; ++n) {
      x.Add(data.irreg3DX_(n));
      y.Add(data.irreg3DY_(n));
      z.Add(data.irreg3DZ_(n));
      c.Add(data.irreg3DC_(n));
    }
    if (kind_ == kRegularCylindrical || kind_ == kRegularSpherical) {
      data.minA_ = a.low;
      data.maxA_ = a.high;
    }
    if (kind_ == kRegularSpherical) {
      data.minB_ = b.low;
      data.maxB_ = b.high;
    }
  }
  data.minX_ = x.low;
  data.maxX_ = x.high;
  data.minY_ = y.low;
  data.maxY_ = y.high;
  data.minZ_ = z.low;
  data.maxZ_ = z.high;
  data.minC_ = c.low;
  data.maxC_ = c.high;
}

namespace {

// The panel checked, read and (irregular data) gridded into staged; false,
// with its message shown, when refused or when the gridding was stopped or
// failed (a failure passes with FailedGrid::Keep). With orderBounds each grid
// range runs from its smaller bound to its larger.
bool StageData(DataContext& context, const PanelLayout& layout, DataLoader& loader, DataSet& staged,
               bool orderBounds, FailedGrid failedGrid) {
  std::string message;
  if (!ValidateGridInput(context.panel, message)) {
    context.messages.Show(message, "Error", MsgIcon::Exclamation, MsgButtons::OK);
    return false;
  }
  if (!loader.Fill(staged)) {
    context.messages.Show(kIllegalMessage, "Error", MsgIcon::Exclamation, MsgButtons::OK);
    return false;
  }
  if (orderBounds) loader.OrderBounds(staged);
  if (!layout.irregular) return true;
  const WorkEnd end = staged.RunGrid(context);
  return end == WorkEnd::Done || (end == WorkEnd::Failed && failedGrid == FailedGrid::Keep);
}

}  // namespace

bool DataSet::LoadGridded(DataContext& context) {
  const Long kind = context.panel.KindIndex();
  const std::optional<PanelLayout> layout = LayoutOfKind(kind);
  if (!layout) return false;
  DataSet staged;
  DataLoader loader(context.panel, kind, *layout);
  if (!StageData(context, *layout, loader, staged, true, FailedGrid::Refuse)) return false;
  staged.loadedKind_ = kind;
  *this = std::move(staged);
  return true;
}

bool DataSet::GetData(DataContext& context, FailedGrid failedGrid) {
  const Long kind = context.panel.KindIndex();
  const std::optional<PanelLayout> layout = LayoutOfKind(kind);
  if (!layout) return false;
  // Everything is built aside and swapped in at the end, so a refused panel
  // or a failed gridding leaves the data set as it was.
  DataSet staged;
  DataLoader loader(context.panel, kind, *layout);
  if (!StageData(context, *layout, loader, staged, false, failedGrid)) return false;
  loader.PointsToCartesian(staged);
  loader.Bounds(staged);
  staged.Normalize(context.settings);
  staged.loadedKind_ = kind;
  // The triangles belong to the document reader's last triangulation.
  staged.delaunayTris_ = std::move(delaunayTris_);
  staged.delaunayTriCount_ = delaunayTriCount_;
  *this = std::move(staged);
  return true;
}

}  // namespace qv
