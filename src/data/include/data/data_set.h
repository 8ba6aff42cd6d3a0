// The one data set of a document: the numbers of the data sheet held as
// regular (gridded) or irregular (scattered) surface or volume data, with the
// data kind, the grid sizes and the bounds, and the triangles of the last
// Delaunay triangulation. GetData fills it from the data panel, Grid fills the
// regular arrays from the scattered points, Normalize sets the drawing scales.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "data/data_panel.h"
#include "data/delaunay.h"
#include "platform/checked_array.h"
#include "platform/event_pump.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "platform/box.h"
#include "platform/shared_settings.h"

namespace qv {

// What reading and gridding need of the rest of the program.
struct DataContext {
  // Read for the kind, the boxes and the cells; the check of the panel writes
  // the cleaned texts of the count and bound boxes back.
  DataPanel& panel;
  SharedSettings& settings;
  MessageBoxService& messages;
  // Called between the nodes of the radial-basis and thin-plate gridding.
  EventPump& pump;
};

// Returned by a gridding method that cannot produce a value.
inline constexpr double kGridFailure = 9999999999.0;
// The most grid nodes an irregular data set may ask for (all axes together).
inline constexpr Long kMaxGridNodes = 1000000;

class DataSet {
 public:
  // Created empty: every scalar 0, every array unallocated.
  DataSet() = default;

  // Scalar Properties
  // Bounds are in data units; the write stores, the read returns, unchecked.
  double MinX() const { return minX_; }
  void MinX(double value) { minX_ = value; }
  double MaxX() const { return maxX_; }
  void MaxX(double value) { maxX_ = value; }
  double MinY() const { return minY_; }
  void MinY(double value) { minY_ = value; }
  double MaxY() const { return maxY_; }
  void MaxY(double value) { maxY_ = value; }
  double MinZ() const { return minZ_; }
  void MinZ(double value) { minZ_ = value; }
  double MaxZ() const { return maxZ_; }
  void MaxZ(double value) { maxZ_ = value; }
  double MinC() const { return minC_; }
  void MinC(double value) { minC_ = value; }
  double MaxC() const { return maxC_; }
  void MaxC(double value) { maxC_ = value; }
  double MInv() const { return mInv_; }
  void MInv(double value) { mInv_ = value; }
  double MaxV() const { return maxV_; }
  void MaxV(double value) { maxV_ = value; }
  double MinA() const { return minA_; }
  void MinA(double value) { minA_ = value; }
  double MaxA() const { return maxA_; }
  void MaxA(double value) { maxA_ = value; }
  double MinB() const { return minB_; }
  void MinB(double value) { minB_ = value; }
  double MaxB() const { return maxB_; }
  void MaxB(double value) { maxB_ = value; }
  Long DataType() const { return dataType_; }
  void DataType(Long value) { dataType_ = value; }
  Long DataDim() const { return dataDim_; }
  void DataDim(Long value) { dataDim_ = value; }
  Long StepsX() const { return stepsX_; }
  void StepsX(Long value) { stepsX_ = value; }
  Long StepsY() const { return stepsY_; }
  void StepsY(Long value) { stepsY_ = value; }
  Long StepsZ() const { return stepsZ_; }
  void StepsZ(Long value) { stepsZ_ = value; }
  Long Points() const { return points_; }
  void Points(Long value) { points_ = value; }
  // Element Accessors
  // Indices first, the value last on writes. Throw RuntimeError(kSubscriptOutOfRange)
  // outside the allocated bounds or on an array never allocated.
  double Reg3DX(Long i, Long j) const { return reg3DX_(i, j); }
  void Reg3DX(Long i, Long j, double value) { reg3DX_(i, j) = value; }
  const CheckedArray<double, 2>& Reg3DXArray() const { return reg3DX_; }
  double Reg3DY(Long i, Long j) const { return reg3DY_(i, j); }
  void Reg3DY(Long i, Long j, double value) { reg3DY_(i, j) = value; }
  const CheckedArray<double, 2>& Reg3DYArray() const { return reg3DY_; }
  double Reg3DZ(Long i, Long j) const { return reg3DZ_(i, j); }
  void Reg3DZ(Long i, Long j, double value) { reg3DZ_(i, j) = value; }
  const CheckedArray<double, 2>& Reg3DZArray() const { return reg3DZ_; }
  double Reg3DC(Long i, Long j) const { return reg3DC_(i, j); }
  void Reg3DC(Long i, Long j, double value) { reg3DC_(i, j) = value; }
  const CheckedArray<double, 2>& Reg3DCArray() const { return reg3DC_; }
  double Reg3DA(Long i, Long j) const { return reg3DA_(i, j); }
  void Reg3DA(Long i, Long j, double value) { reg3DA_(i, j) = value; }
  const CheckedArray<double, 2>& Reg3DAArray() const { return reg3DA_; }
  double Reg3DB(Long i, Long j) const { return reg3DB_(i, j); }
  void Reg3DB(Long i, Long j, double value) { reg3DB_(i, j) = value; }
  const CheckedArray<double, 2>& Reg3DBArray() const { return reg3DB_; }
  double Reg3DD(Long i, Long j) const { return reg3DD_(i, j); }
  void Reg3DD(Long i, Long j, double value) { reg3DD_(i, j) = value; }
  const CheckedArray<double, 2>& Reg3DDArray() const { return reg3DD_; }
  double Reg4DX(Long i, Long j, Long k) const { return reg4DX_(i, j, k); }
  void Reg4DX(Long i, Long j, Long k, double value) { reg4DX_(i, j, k) = value; }
  const CheckedArray<double, 3>& Reg4DXArray() const { return reg4DX_; }
  double Reg4DY(Long i, Long j, Long k) const { return reg4DY_(i, j, k); }
  void Reg4DY(Long i, Long j, Long k, double value) { reg4DY_(i, j, k) = value; }
  const CheckedArray<double, 3>& Reg4DYArray() const { return reg4DY_; }
  double Reg4DZ(Long i, Long j, Long k) const { return reg4DZ_(i, j, k); }
  void Reg4DZ(Long i, Long j, Long k, double value) { reg4DZ_(i, j, k) = value; }
  const CheckedArray<double, 3>& Reg4DZArray() const { return reg4DZ_; }
  double Reg4DV(Long i, Long j, Long k) const { return reg4DV_(i, j, k); }
  void Reg4DV(Long i, Long j, Long k, double value) { reg4DV_(i, j, k) = value; }
  const CheckedArray<double, 3>& Reg4DVArray() const { return reg4DV_; }
  double Reg4DA(Long i, Long j, Long k) const { return reg4DA_(i, j, k); }
  void Reg4DA(Long i, Long j, Long k, double value) { reg4DA_(i, j, k) = value; }
  const CheckedArray<double, 3>& Reg4DAArray() const { return reg4DA_; }
  double Reg4DB(Long i, Long j, Long k) const { return reg4DB_(i, j, k); }
  void Reg4DB(Long i, Long j, Long k, double value) { reg4DB_(i, j, k) = value; }
  const CheckedArray<double, 3>& Reg4DBArray() const { return reg4DB_; }
  double Reg4DC(Long i, Long j, Long k) const { return reg4DC_(i, j, k); }
  void Reg4DC(Long i, Long j, Long k, double value) { reg4DC_(i, j, k) = value; }
  const CheckedArray<double, 3>& Reg4DCArray() const { return reg4DC_; }
  double Irreg3DX(Long n) const { return irreg3DX_(n); }
  void Irreg3DX(Long n, double value) { irreg3DX_(n) = value; }
  const CheckedArray<double, 1>& Irreg3DXArray() const { return irreg3DX_; }
  double Irreg3DY(Long n) const { return irreg3DY_(n); }
  void Irreg3DY(Long n, double value) { irreg3DY_(n) = value; }
  const CheckedArray<double, 1>& Irreg3DYArray() const { return irreg3DY_; }
  double Irreg3DZ(Long n) const { return irreg3DZ_(n); }
  void Irreg3DZ(Long n, double value) { irreg3DZ_(n) = value; }
  const CheckedArray<double, 1>& Irreg3DZArray() const { return irreg3DZ_; }
  double Irreg3DC(Long n) const { return irreg3DC_(n); }
  void Irreg3DC(Long n, double value) { irreg3DC_(n) = value; }
  const CheckedArray<double, 1>& Irreg3DCArray() const { return irreg3DC_; }
  double Irreg4DX(Long n) const { return irreg4DX_(n); }
  void Irreg4DX(Long n, double value) { irreg4DX_(n) = value; }
  const CheckedArray<double, 1>& Irreg4DXArray() const { return irreg4DX_; }
  double Irreg4DY(Long n) const { return irreg4DY_(n); }
  void Irreg4DY(Long n, double value) { irreg4DY_(n) = value; }
  const CheckedArray<double, 1>& Irreg4DYArray() const { return irreg4DY_; }
  double Irreg4DZ(Long n) const { return irreg4DZ_(n); }
  void Irreg4DZ(Long n, double value) { irreg4DZ_(n) = value; }
  const CheckedArray<double, 1>& Irreg4DZArray() const { return irreg4DZ_; }
  double Irreg4DV(Long n) const { return irreg4DV_(n); }
  void Irreg4DV(Long n, double value) { irreg4DV_(n) = value; }
  const CheckedArray<double, 1>& Irreg4DVArray() const { return irreg4DV_; }

  // Array Allocation
  // Allocate the arrays of one kind, 0..upper in each dimension, every value
  // 0, for code that fills a data set without the data panel (tests, tools).
  void RedimRegular3D(Long upperI, Long upperJ) {
    for (auto* a : {&reg3DX_, &reg3DY_, &reg3DZ_, &reg3DC_}) a->Redim0(upperI, upperJ);
  }
  void RedimRegular4D(Long upperI, Long upperJ, Long upperK) {
    for (auto* a : {&reg4DX_, &reg4DY_, &reg4DZ_, &reg4DV_}) a->Redim0(upperI, upperJ, upperK);
  }
  void RedimIrregular3D(Long upper) {
    for (auto* a : {&irreg3DX_, &irreg3DY_, &irreg3DZ_, &irreg3DC_}) a->Redim0(upper);
  }
  void RedimIrregular4D(Long upper) {
    for (auto* a : {&irreg4DX_, &irreg4DY_, &irreg4DZ_, &irreg4DV_}) a->Redim0(upper);
  }

  // Data Set Operations
  // Fills the data set from the panel: the kind (DataType, DataDim), the
  // counts, the arrays of that kind (re-allocated with upper bound = count),
  // the bounds; grids irregular data (Grid) and normalises (Normalize). The
  // panel is first checked (ValidateGridInput); its message, or "Illegal data
  // exist." for a number out of range or counts the sheet (20000 rows) or the
  // grid (kMaxGridNodes) cannot hold, is shown under the title "Error" and
  // the data set stays as it was. A failed gridding also leaves it as it was.
  // After a load the irregular points of every kind are Cartesian positions
  // and the bounds are in data units. Returns false when refused, when no
  // kind is selected, or when the gridding failed.
  bool GetData(DataContext& context);
  // Grids the irregular points onto the regular arrays by GridMethod (surfaces:
  // 1 inverse distance, 2 Shepard, 3 multiquadric, 4 thin plate, 5 quadratic
  // fit) or GridMethod4D (volumes: 101, 102, 103), StepsX x StepsY (x StepsZ)
  // nodes from the minimum to the maximum of each axis (a single node sits at
  // the minimum). The surface kind is the panel's: for the cylindrical kind
  // (5) the points hold the angle A in radians in Irreg3DX, the radius in
  // Irreg3DY and the height in Irreg3DZ, and the grid spans MinA..MaxA by
  // MinZ..MaxZ; for the spherical kind (7) Irreg3DX and Irreg3DY hold A and B
  // in radians, Irreg3DZ the radius, over MinA..MaxA by MinB..MaxB. Methods 3
  // and 4 call the event pump once per node. Shows "Can not generate a
  // regular data grid, please try another method." and returns false, the
  // arrays untouched, when no grid can be made (an unknown method, a singular
  // fit, more than 7500 points for methods 3 and 4; a singular radial-basis
  // system first shows "Can not solve the linear eqution group."). Regular
  // data sets are left alone (true). Throws
  // RuntimeError(kSubscriptOutOfRange) when the arrays are not allocated for
  // the counts.
  bool Grid(DataContext& context);
  // The box of the current regular data in scene axes (scene x = data Y, y =
  // data Z, z = data X), in the scaled units the graphs draw in. With no
  // nodes the box is inverted (max -99999990000, min 99999990000).
  Box GetBox() const;
  // Sets DataScaleX..DataScaleV from the bounds and ScaleMode (1 square: each
  // range becomes 10 units; 2 equal: one scale, the largest range 10 units; 3
  // custom: the square scales divided by ScaleRatioX/Y/Z), the height scale
  // divided by ZoomZ, and DataScaleV = value range / 10 (volumes; 1 for
  // surfaces). A zero range gives scale 1; a zero or invalid ratio or zoom
  // counts as 1, an unknown ScaleMode as 1. Divides the coordinate arrays of
  // the current kind, regular and irregular (and the volume values), by the
  // scales; the bounds stay in data units. Call once after the arrays were
  // loaded.
  void Normalize(SharedSettings& settings);
  // The data-set record of the document, from the panel (not from the arrays):
  // the kind code, the kind's boxes, then the four cells of every node or
  // point row, each through NormalizeNumText, blank-separated. "" when no
  // kind is selected. Rows past the sheet's last are not written.
  std::string Save(const DataPanel& panel) const;

  // Gridding Methods
  // Inverse distance over the n nearest distinct points for the node (x, y)
  // of data kind `kind` (5 cylindrical, 7 spherical, other Cartesian; x and y
  // in the grid's coordinates, angles in degrees, points as Grid reads them):
  // the surface value, the colour value, and the volume value at (x, y, z).
  // A node closer than 0.1 to its nearest point takes that point's value. The
  // colour search of the cylindrical kind measures angle and height relative
  // to the grid's ranges MaxA - MinA and MaxZ - MinZ (an empty range counts
  // as 1). No points give 0.
  void NDS(double x, double y, double& value, Long n, Long kind) const;
  void NDSC(double x, double y, double& value, Long n, Long kind) const;
  void NDS4D(double x, double y, double z, double& value, Long n) const;
  // Shepard's inverse-distance-squared mean over all points, in the same
  // coordinates as NDS; exact at a data point. colour picks Irreg3DC.
  double Shepard(double u, double v, bool colour, Long kind) const;
  double Shepard4D(double x, double y, double z) const;

  // Delaunay Triangulation
  // Triangulates the points (x[k], y[k]), k = 1..n (index 0 unused), into
  // DelaunayTris and returns the triangle count (the caller stores it in
  // DelaunayTriCount). Coincident points are triangulated once and reported
  // once: "INCIRCUM - F - Points are coincident !!". Throws
  // RuntimeError(kSubscriptOutOfRange) when an array holds fewer than n + 1
  // entries.
  Long DelaunayTriangulate(Long n, const std::vector<double>& x, const std::vector<double>& y,
                           MessageBoxService& messages);
  // Record 1..count of the last triangulation; throws
  // RuntimeError(kSubscriptOutOfRange) outside the records made.
  const DelaunayTri& DelaunayTris(Long record) const;
  Long DelaunayTriRecords() const { return static_cast<Long>(delaunayTris_.size()); }
  Long DelaunayTriCount() const { return delaunayTriCount_; }
  void DelaunayTriCount(Long count) { delaunayTriCount_ = count; }

  // The data kind (0..7) of the last GetData, -1 before any.
  Long LoadedKind() const { return loadedKind_; }

 private:
  friend class DataLoader;
  friend class Gridder;

  Long dataType_ = 0;
  Long dataDim_ = 0;
  Long stepsX_ = 0;
  Long stepsY_ = 0;
  Long stepsZ_ = 0;
  Long points_ = 0;
  double minX_ = 0.0;
  double maxX_ = 0.0;
  double minY_ = 0.0;
  double maxY_ = 0.0;
  double minZ_ = 0.0;
  double maxZ_ = 0.0;
  double minC_ = 0.0;
  double maxC_ = 0.0;
  double mInv_ = 0.0;
  double maxV_ = 0.0;
  double minA_ = 0.0;
  double maxA_ = 0.0;
  double minB_ = 0.0;
  double maxB_ = 0.0;
  CheckedArray<double, 2> reg3DX_;
  CheckedArray<double, 2> reg3DY_;
  CheckedArray<double, 2> reg3DZ_;
  CheckedArray<double, 2> reg3DC_;
  CheckedArray<double, 2> reg3DA_;
  CheckedArray<double, 2> reg3DB_;
  CheckedArray<double, 2> reg3DD_;
  CheckedArray<double, 3> reg4DX_;
  CheckedArray<double, 3> reg4DY_;
  CheckedArray<double, 3> reg4DZ_;
  CheckedArray<double, 3> reg4DV_;
  CheckedArray<double, 3> reg4DA_;
  CheckedArray<double, 3> reg4DB_;
  CheckedArray<double, 3> reg4DC_;
  CheckedArray<double, 1> irreg3DX_;
  CheckedArray<double, 1> irreg3DY_;
  CheckedArray<double, 1> irreg3DZ_;
  CheckedArray<double, 1> irreg3DC_;
  CheckedArray<double, 1> irreg4DX_;
  CheckedArray<double, 1> irreg4DY_;
  CheckedArray<double, 1> irreg4DZ_;
  CheckedArray<double, 1> irreg4DV_;
  Long loadedKind_ = -1;
  std::vector<DelaunayTri> delaunayTris_;
  Long delaunayTriCount_ = 0;
};

}  // namespace qv
