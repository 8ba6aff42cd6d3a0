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
  kCount  // not an item: the number of items
};

inline constexpr int kMenuItemCount = static_cast<int>(MenuItem::kCount);

// The item's name ("mnuViewRotateX"), for messages and tests.
std::string_view MenuItemName(MenuItem item);

// Toolbar buttons are numbered by their position in the toolbar, from 1; 50 in all.
inline constexpr int kToolbarButtonCount = 50;

}  // namespace qv
