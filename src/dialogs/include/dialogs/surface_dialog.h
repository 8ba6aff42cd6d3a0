// The surface dialog ("3D Surface Properties"): the layers under a surface,
// its colouring, material, shading, texture and transparency.
#pragma once

#include <array>
#include <string>

#include "dialogs/graph_dialog.h"
#include "graphs/graph_kinds.h"

namespace qv {

class SurfaceDialogModel final : public GraphDialogModel {
 public:
  static constexpr const char* kCaption = "3D Surface Properties";
  static constexpr std::array<const char*, 6> kTabs = {"General",    "Color",   "Material",
                                                       "Smoothness", "Texture", "Transparency"};
  // The texture file dialog's filter.
  static constexpr const char* kTextureFilter = "(*.bmp)|*.bmp|*.jpg|*.jpg|*.gif|*.gif";
  // The transparency slider's range: 0 opaque to 100 invisible.
  static constexpr int kMaxTransparency = 100;

  explicit SurfaceDialogModel(DialogContext context);

  Long Kind() const override { return kSurfaceModel; }
  const char* Caption() const override { return kCaption; }

  // General: the four boxes are usable for the Cartesian data kinds only;
  // "Interval" while "Add Contour Plot" is checked.
  bool GeneralEnabled() const { return generalEnabled_; }
  bool addColorMap = false;
  bool addContour = false;
  // A blank interval takes a step of a tenth of the heights' range.
  std::string interval;
  bool addVector = false;
  bool showIrregular = false;

  // Color: the FillStyle code of the option chosen: 0 "Gradient from left
  // to right", 1 "Gradient from front to back", 2 "Gradient from top to
  // bottom" (at first), 3 "Single", 4 "Colormap".
  Long fillStyle = 2;
  Long first = kRed;
  Long second = kBlue;
  Long single = kRed;
  int map = 0;

  // Material: position in the material list, "Metal" at first.
  int material = 3;
  // Smoothness: 1 " Flat", 2 "Smooth", 3 " Smoothest" (at first).
  Long smoothness = 3;

  // Texture: the path box and "..." are usable while "Add Texture" is set.
  bool addTexture = false;
  std::string texturePath;

  // Transparency: "Overlay" (false, at first) or "Blend" (true) and the
  // slider are usable while "Transparent" is set.
  bool transparent = false;
  bool blend = false;
  int transparency = 50;

 protected:
  bool Fill(Graph& graph) override;

 private:
  bool generalEnabled_ = true;
};

}  // namespace qv
