// The program-wide flags and settings that the scene, the data set, the graphs,
// the documents and the window all read. One instance lives in the Workspace
// (graphs/workspace.h) and is passed where needed; nothing here is global.
#pragma once

#include "platform/runtime.h"

namespace qv {

// The values of ViewCode, one per view kind of a document.
inline constexpr Long kViewCode3D = 3;
inline constexpr Long kViewCode2D = 7;
inline constexpr Long kViewCode4D = 11;

struct SharedSettings {
  // View kind of the document: kViewCode3D, kViewCode2D or kViewCode4D.
  Long ViewCode = kViewCode3D;
  // ID the next new graph gets.
  Long NextGraphID = 0;
  // Trackball axis: 1 free, 2 about X, 3 about Y, 4 about Z.
  Long RotateAxis = 1;
  // Gridding of irregular surfaces: 1 inverse distance, 2 Shepard, 3 radial
  // basis functions, 4 thin-plate spline, 5 quadratic fit.
  Long GridMethod = 2;
  // Gridding of irregular volumes: 101 inverse distance, 102 Shepard, 103 quadratic fit.
  Long GridMethod4D = 102;
  // Normalisation: 1 square, 2 equal, 3 custom (with the ratios below).
  Long ScaleMode = 1;
  double ScaleRatioX = 1.0;
  double ScaleRatioY = 1.0;
  double ScaleRatioZ = 1.0;
  double ZoomZ = 1.0;
  bool ShowLegend = true;
  // The scene centre in data axes, subtracted from every drawn coordinate:
  // data (X, Y, Z) is drawn at scene (Y - CenterY, Z - CenterZ, X - CenterX).
  double CenterX = 0.0;
  double CenterY = 0.0;
  double CenterZ = 0.0;
  // Scales that bring the data into a 10-unit box (set by DataSet::Normalize).
  double DataScaleX = 1.0;
  double DataScaleY = 1.0;
  double DataScaleZ = 1.0;
  double DataScaleV = 1.0;
  // Display-list bases of the fonts made at start-up (0 until then).
  Long OutlineFontBase1 = 0;
  Long OutlineFontBase2 = 0;
  Long BitmapFontBase = 0;
};

}  // namespace qv
