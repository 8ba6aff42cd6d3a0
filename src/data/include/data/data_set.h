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
#include "platform/box.h"
#include "platform/checked_array.h"
#include "platform/long_work.h"
#include "platform/message_box.h"
#include "platform/runtime.h"
#include "platform/shared_settings.h"

namespace qv {

// What reading and gridding need of the rest of the program.
struct DataContext {
  // Read for the kind, the boxes and the cells; the check of the panel writes
  // the cleaned texts of the count and bound boxes back.
  DataPanel& panel;
  SharedSettings& settings;
  MessageBoxService& messages;
  // Runs the gridding, which may take long: the window's runner shows how far
  // it got and keeps the window painting meanwhile.
  LongWorkRunner& work;
};

// What loading does with a gridding that fails: refuse the whole data set
// (keeping the one loaded before), or keep the data with the nodes as the
// failed gridding left them.
enum class FailedGrid { Refuse, Keep };

// Returned by a gridding method that cannot produce a value.
inline constexpr double kGridFailure = 9999999999.0;
// The most grid nodes an irregular data set may ask for (all axes together).
inline constexpr Long kMaxGridNodes = 1000000;

// Data Set Field Lists
// Every scalar and array of the data set, listed once; the class below
// generates a member and its accessors from each row. A scalar row is
// X(type, Name, member); an array row is X(Name, member, rank), the rank
// being the number of indices.
#define QV_DATA_SET_SCALARS(X)                                                 \
  /* Kind of the last load: DataType 1 regular, 2 irregular; DataDim 1 surface \
     (3D data), 2 volume (4D data); 0 before any load. */                      \
  X(Long, DataType, dataType_)                                                 \
  X(Long, DataDim, dataDim_)                                                   \
  /* Node counts of the regular grid along data X, Y and Z. */                 \
  X(Long, StepsX, stepsX_)                                                     \
  X(Long, StepsY, stepsY_)                                                     \
  X(Long, StepsZ, stepsZ_)                                                     \
  /* Number of irregular points. */                                            \
  X(Long, Points, points_)                                                     \
  /* Bounds of data X, Y, Z and of the colour column C, in data units. */      \
  X(double, MinX, minX_)                                                       \
  X(double, MaxX, maxX_)                                                       \
  X(double, MinY, minY_)                                                       \
  X(double, MaxY, maxY_)                                                       \
  X(double, MinZ, minZ_)                                                       \
  X(double, MaxZ, maxZ_)                                                       \
  X(double, MinC, minC_)                                                       \
  X(double, MaxC, maxC_)                                                       \
  /* MInv: the minimum of the volume value V (MaxV its maximum). */            \
  X(double, MInv, mInv_)                                                       \
  X(double, MaxV, maxV_)                                                       \
  /* Bounds of the angles A and B of cylindrical and spherical data. */        \
  X(double, MinA, minA_)                                                       \
  X(double, MaxA, maxA_)                                                       \
  X(double, MinB, minB_)                                                       \
  X(double, MaxB, maxB_)

#define QV_DATA_SET_ARRAYS(X)                                                 \
  /* Regular surface node (i, j): Cartesian X, Y, Z and the colour value C;   \
     for cylindrical data also the typed angle A, radius B and height D, for  \
     spherical data the typed angles A and B (degrees) and radius D. */       \
  X(Reg3DX, reg3DX_, 2)                                                       \
  X(Reg3DY, reg3DY_, 2)                                                       \
  X(Reg3DZ, reg3DZ_, 2)                                                       \
  X(Reg3DC, reg3DC_, 2)                                                       \
  X(Reg3DA, reg3DA_, 2)                                                       \
  X(Reg3DB, reg3DB_, 2)                                                       \
  X(Reg3DD, reg3DD_, 2)                                                       \
  /* Regular volume node (i, j, k): X, Y, Z, the value V, V again in C; A and \
     B are never filled. */                                                   \
  X(Reg4DX, reg4DX_, 3)                                                       \
  X(Reg4DY, reg4DY_, 3)                                                       \
  X(Reg4DZ, reg4DZ_, 3)                                                       \
  X(Reg4DV, reg4DV_, 3)                                                       \
  X(Reg4DA, reg4DA_, 3)                                                       \
  X(Reg4DB, reg4DB_, 3)                                                       \
  X(Reg4DC, reg4DC_, 3)                                                       \
  /* Irregular surface point n: X, Y, Z and the colour value C. */            \
  X(Irreg3DX, irreg3DX_, 1)                                                   \
  X(Irreg3DY, irreg3DY_, 1)                                                   \
  X(Irreg3DZ, irreg3DZ_, 1)                                                   \
  X(Irreg3DC, irreg3DC_, 1)                                                   \
  /* Irregular volume point n: X, Y, Z and the value V. */                    \
  X(Irreg4DX, irreg4DX_, 1)                                                   \
  X(Irreg4DY, irreg4DY_, 1)                                                   \
  X(Irreg4DZ, irreg4DZ_, 1)                                                   \
  X(Irreg4DV, irreg4DV_, 1)

// The accessors of one scalar: Name() reads, Name(value) stores, unchecked.
#define QV_DATA_SET_SCALAR_ACCESSORS(Type, Name, member) \
  Type Name() const { return member; }                   \
  void Name(Type value) { member = value; }

// The accessors of one array of rank 1, 2 or 3: Name(indices...) reads,
// Name(indices..., value) stores, NameArray() gives the whole array.
#define QV_DATA_SET_ARRAY_ACCESSORS(Name, member, rank) \
  QV_DATA_SET_ARRAY_ACCESSORS_##rank(Name, member)
#define QV_DATA_SET_ARRAY_ACCESSORS_1(Name, member)      \
  double Name(Long n) const { return member(n); }        \
  void Name(Long n, double value) { member(n) = value; } \
  const CheckedArray<double, 1>& Name##Array() const { return member; }
#define QV_DATA_SET_ARRAY_ACCESSORS_2(Name, member)                 \
  double Name(Long i, Long j) const { return member(i, j); }        \
  void Name(Long i, Long j, double value) { member(i, j) = value; } \
  const CheckedArray<double, 2>& Name##Array() const { return member; }
#define QV_DATA_SET_ARRAY_ACCESSORS_3(Name, member)                            \
  double Name(Long i, Long j, Long k) const { return member(i, j, k); }        \
  void Name(Long i, Long j, Long k, double value) { member(i, j, k) = value; } \
  const CheckedArray<double, 3>& Name##Array() const { return member; }

#define QV_DATA_SET_SCALAR_MEMBER(Type, Name, member) Type member{};
#define QV_DATA_SET_ARRAY_MEMBER(Name, member, rank) CheckedArray<double, rank> member;

class DataSet {
 public:
  // Created empty: every scalar 0, every array unallocated.
  DataSet() = default;

  // Scalar Properties
  // Bounds are in data units; the write stores, the read returns, unchecked.
  QV_DATA_SET_SCALARS(QV_DATA_SET_SCALAR_ACCESSORS)

  // Element Accessors
  // Indices first, the value last on writes. Throw RuntimeError(kSubscriptOutOfRange)
  // outside the allocated bounds or on an array never allocated.
  QV_DATA_SET_ARRAYS(QV_DATA_SET_ARRAY_ACCESSORS)

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
  // the data set stays as it was. A stopped gridding also leaves it as it
  // was, and so does a failed one unless failedGrid is FailedGrid::Keep:
  // then the data set is loaded (true) with its nodes as the failed method
  // left them (see Grid), its message shown, so that the user's points stay
  // reachable and can be gridded again by another method. After a load the
  // irregular points of every kind are Cartesian positions and the bounds
  // are in data units. Returns false when refused, when no kind is selected,
  // or when the gridding was stopped or failed (and was not kept).
  bool GetData(DataContext& context, FailedGrid failedGrid = FailedGrid::Refuse);
  // Fills this data set from the panel as GetData does, with the same checks
  // and messages, but keeps the regular arrays as the gridding made them: in
  // data units, not normalised, the angles of cylindrical and spherical data
  // in degrees as typed (their A, B and D arrays as the sheet's columns), and
  // each grid range from its smaller bound to its larger, for writing the
  // grid out. Changed only when it returns true.
  bool LoadGridded(DataContext& context);
  // Grids the irregular points onto the regular arrays by GridMethod (surfaces:
  // 1 inverse distance, 2 Shepard, 3 multiquadric, 4 thin plate, 5 quadratic
  // fit) or GridMethod4D (volumes: 101, 102, 103), StepsX x StepsY (x StepsZ)
  // nodes from the minimum to the maximum of each axis (a single node sits at
  // the minimum). The surface kind is the panel's: for the cylindrical kind
  // (5) the points hold the angle A in radians in Irreg3DX, the radius in
  // Irreg3DY and the height in Irreg3DZ, and the grid spans MinA..MaxA by
  // MinZ..MaxZ; for the spherical kind (7) Irreg3DX and Irreg3DY hold A and B
  // in radians, Irreg3DZ the radius, over MinA..MaxA by MinB..MaxB. The
  // nodes are computed through the context's runner, which hears the part
  // done and may stop the gridding: false then, with nothing shown (the
  // arrays hold part of a grid). Returns false with one message when no
  // grid can be made: "Can not solve the linear eqution group." for a
  // singular radial-basis system, "Can not generate a regular data grid,
  // please try another method." for an unknown method or more than 7500
  // points for methods 3 and 4 (each with the arrays untouched), and for a
  // singular quadratic fit, whose zero coefficients then fill every node
  // (the value 0 at each node's place). Regular data sets are left alone
  // (true).
  // Throws RuntimeError(kSubscriptOutOfRange) when the arrays are not allocated for the counts.
  bool Grid(DataContext& context);
  // Grid, telling a gridding that failed (Failed) from one that was stopped
  // (Stopped).
  WorkEnd RunGrid(DataContext& context);
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
  // as 1). No points give 0. (NDS: nearest data set, the surface value; NDSC
  // the colour value; NDS4D the volume value.)
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
  // Triangulates the loaded irregular surface points (Irreg3DX, Irreg3DY,
  // Points of them) for the Delaunay graphs and stores the triangle count.
  // Nothing happens without points; arrays holding fewer points than
  // counted leave the triangles as they were. With a runner the
  // triangulation runs through it on copies of the points, and the triangles
  // are stored once it has ended (not when it was stopped). True when the
  // triangles were stored.
  bool TriangulateIrregularPoints(MessageBoxService& messages, LongWorkRunner* work = nullptr);

  // The data kind (0..7) of the last GetData, -1 before any.
  Long LoadedKind() const { return loadedKind_; }

 private:
  friend class DataLoader;
  friend class Gridder;

  QV_DATA_SET_SCALARS(QV_DATA_SET_SCALAR_MEMBER)
  QV_DATA_SET_ARRAYS(QV_DATA_SET_ARRAY_MEMBER)
  Long loadedKind_ = -1;
  std::vector<DelaunayTri> delaunayTris_;
  Long delaunayTriCount_ = 0;
};

}  // namespace qv
