// The commands of the main window's menus, by the names the program gives them.
// The enable patterns, the toolbar and the widget layer refer to commands
// through this one list, so a later command needs only a new entry here.
#pragma once

#include <string_view>

namespace qv {

// Every menu item the main window knows, in menu order. The names are those of
// the items in the program's menus (mnuViewRotateX is View > Rotate X).
enum class MenuItem {
  // File
  mnuFileNew2D,
  mnuFileNew3D,
  mnuFileNew4D,
  mnuFileOpen,
  mnuFileSave,
  mnuFileSaveAs,
  mnuFileImport,
  mnuFileOutput,
  mnuFileGridded,
  mnuFilePrint,
  mnuFileExit,
  // Edit
  mnuEditCut,
  mnuEditCopy,
  mnuEditCopyAs,
  mnuEditPaste,
  mnuEditDelete,
  mnuEditDelAll,
  // View
  mnuViewMove,
  mnuViewZoom,
  mnuViewFit,
  mnuViewRotateX,
  mnuViewRotateY,
  mnuViewRotateZ,
  mnuViewRotate,
  mnuViewFront,
  mnuViewRight,
  mnuViewTop,
  mnuViewISO,
  mnuViewSet,
  // Draw
  mnuDrawPoint,
  mnuDrawVert,
  mnuDrawGrid,
  mnuDrawTab3D,
  mnuDrawDelaunay,
  mnuDrawColor,
  mnuDrawCon,
  mnuDrawVector,
  mnuDrawCon3D,
  mnuDraw4DScat,
  mnuDraw4DVec,
  mnuDraw4DSlice,
  mnuDrawIsoSur,
  mnuDrawAxis,
  mnuDrawLight,
  // Help
  mnuHelpCon,
  mnuHelpHome,
  mnuHelpCus,
  mnuHelpVideo,
  mnuHelpTwitter,
  mnuHelpFB,
  mnuHelpAbout,
  // Graph-list pop-up (FunEdit)
  mnuFunEdit,
  mnuFunCut,
  mnuFunCopy,
  mnuFunDelete,
  // Data-sheet pop-up (mnuGE)
  mnuGESet,
  mnuGECutIt,
  mnuGECopy,
  mnuGEPaste,
  mnuGEDelete,
  mnuGEInsertRow,
  mnuGEInsertCol,
  mnuGEDelRow,
  mnuGEDelCol,
  // Demo (the menu between Draw and Help): the sample documents, in menu
  // order, with the "3D Contour" submenu (mnuDemo3C, no command of its own)
  // holding the four items after it.
  mnuDemoR3,
  mnuDemoI3,
  mnuDemoVG,
  mnuDemoSG,
  mnuDemoFlat,
  mnuDemo3dscc,
  mnuDemo3dSpe,
  mnuDemo3dsc,
  mnuDemo4dSur,
  mnuDemoDelaunay,
  mnuDemoCyl,
  mnuDemoSph,
  mnuDemoCC,
  mnuDemoCV,
  mnuDemo3C,
  mnuDemo3DCC1,
  mnuDemo3DCC2,
  mnuDemo3DCCy,
  mnuDemo3DCS,
  mnuDemo4S,
  mnuDemoSlice,
  mnuDemo4DSlice2,
  mnuDemoVector,
  mnuDemo4ds,
  mnuDemo4DVecIsoSur,
  mnuDemo4DSliceIsoSur,
  mnuDemo4dsc,
  mnuDemo4SV,
  kCount  // not an item: the number of items
};

inline constexpr int kMenuItemCount = static_cast<int>(MenuItem::kCount);

// The item's name ("mnuViewRotateX"), for messages and tests.
std::string_view MenuItemName(MenuItem item);

// Toolbar buttons are numbered by their position in the toolbar, from 1; 50 in all.
inline constexpr int kToolbarButtonCount = 50;

}  // namespace qv
