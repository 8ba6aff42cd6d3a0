#include "tool_icons.h"

#include <array>
#include <utility>

// The File, Edit, Print and Help buttons.
#include "icons/barCopy.xpm"
#include "icons/barCopyAs.xpm"
#include "icons/barCut.xpm"
#include "icons/barHelp.xpm"
#include "icons/barNew2D.xpm"
#include "icons/barNew3D.xpm"
#include "icons/barNew4D.xpm"
#include "icons/barOpen.xpm"
#include "icons/barPaste.xpm"
#include "icons/barPrint.xpm"
#include "icons/barSave.xpm"
#include "icons/barSaveAs.xpm"
#include "icons/varDel.xpm"
// The Draw menu's and the View menu's buttons.
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

using Icon = std::pair<std::string_view, const char* const*>;

constexpr std::array kIcons = {
    Icon{"barNew2D", barNew2D_xpm},     Icon{"barNew3D", barNew3D_xpm},
    Icon{"barNew4D", barNew4D_xpm},     Icon{"barOpen", barOpen_xpm},
    Icon{"barSave", barSave_xpm},       Icon{"barSaveAs", barSaveAs_xpm},
    Icon{"barPrint", barPrint_xpm},     Icon{"barCut", barCut_xpm},
    Icon{"barCopy", barCopy_xpm},       Icon{"barCopyAs", barCopyAs_xpm},
    Icon{"barPaste", barPaste_xpm},     Icon{"varDel", varDel_xpm},
    Icon{"barHelp", barHelp_xpm},       Icon{"barColor", barColor_xpm},
    Icon{"barCont3D", barCont3D_xpm},   Icon{"barContour", barContour_xpm},
    Icon{"barCoord", barCoord_xpm},     Icon{"barDelaunay1", barDelaunay1_xpm},
    Icon{"barFront", barFront_xpm},     Icon{"barFunPoints", barFunPoints_xpm},
    Icon{"barGrid", barGrid_xpm},       Icon{"barISO", barISO_xpm},
    Icon{"barLight", barLight_xpm},     Icon{"barMove", barMove_xpm},
    Icon{"barRight", barRight_xpm},     Icon{"barRotX", barRotX_xpm},
    Icon{"barRotY", barRotY_xpm},       Icon{"barRotZ", barRotZ_xpm},
    Icon{"barRotate", barRotate_xpm},   Icon{"barScat4D", barScat4D_xpm},
    Icon{"barSlice4D", barSlice4D_xpm}, Icon{"barSurface", barSurface_xpm},
    Icon{"barTop", barTop_xpm},         Icon{"barVect4D", barVect4D_xpm},
    Icon{"barVector", barVector_xpm},   Icon{"barVert", barVert_xpm},
    Icon{"barZoom", barZoom_xpm},       Icon{"barZoomAll", barZoomAll_xpm},
};

}  // namespace

const char* const* ToolIcon(std::string_view key) {
  for (const auto& [name, xpm] : kIcons) {
    if (name == key) return xpm;
  }
  return nullptr;
}

}  // namespace qv
