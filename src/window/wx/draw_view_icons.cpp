#include "draw_view_icons.h"

#include <array>
#include <utility>

// The images are C source text, embedded at compile time.
#include "icons/barColor.xpm"
#include "icons/barCont3D.xpm"
#include "icons/barContour.xpm"
#include "icons/barCoord.xpm"
#include "icons/barDelaunay1.xpm"
#include "icons/barFront.xpm"
#include "icons/barFunPoints.xpm"
#include "icons/barGrid.xpm"
#include "icons/barISO.xpm"
#include "icons/barLight.xpm"
#include "icons/barMove.xpm"
#include "icons/barRight.xpm"
#include "icons/barRotX.xpm"
#include "icons/barRotY.xpm"
#include "icons/barRotZ.xpm"
#include "icons/barRotate.xpm"
#include "icons/barScat4D.xpm"
#include "icons/barSlice4D.xpm"
#include "icons/barSurface.xpm"
#include "icons/barTop.xpm"
#include "icons/barVect4D.xpm"
#include "icons/barVector.xpm"
#include "icons/barVert.xpm"
#include "icons/barZoom.xpm"
#include "icons/barZoomAll.xpm"

namespace qv {

namespace {

const std::array<std::pair<std::string_view, const char* const*>, 25> kIcons = {{
    {"barColor", barColor_xpm},
    {"barCont3D", barCont3D_xpm},
    {"barContour", barContour_xpm},
    {"barCoord", barCoord_xpm},
    {"barDelaunay1", barDelaunay1_xpm},
    {"barFront", barFront_xpm},
    {"barFunPoints", barFunPoints_xpm},
    {"barGrid", barGrid_xpm},
    {"barISO", barISO_xpm},
    {"barLight", barLight_xpm},
    {"barMove", barMove_xpm},
    {"barRight", barRight_xpm},
    {"barRotX", barRotX_xpm},
    {"barRotY", barRotY_xpm},
    {"barRotZ", barRotZ_xpm},
    {"barRotate", barRotate_xpm},
    {"barScat4D", barScat4D_xpm},
    {"barSlice4D", barSlice4D_xpm},
    {"barSurface", barSurface_xpm},
    {"barTop", barTop_xpm},
    {"barVect4D", barVect4D_xpm},
    {"barVector", barVector_xpm},
    {"barVert", barVert_xpm},
    {"barZoom", barZoom_xpm},
    {"barZoomAll", barZoomAll_xpm},
}};

}  // namespace

const char* const* DrawViewIcon(std::string_view key) {
  for (const auto& [name, image] : kIcons) {
    if (name == key) return image;
  }
  return nullptr;
}

}  // namespace qv
