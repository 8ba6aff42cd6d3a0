#include "window/menu_item.h"

#include <array>

namespace qv {

namespace {

constexpr std::array<std::string_view, kMenuItemCount> kNames = {
    "mnuFileNew2D",   "mnuFileNew3D",   "mnuFileNew4D",   "mnuFileOpen",     "mnuFileSave",
    "mnuFileSaveAs",  "mnuFileImport",  "mnuFileOutput",  "mnuFileGridded",  "mnuFilePrint",
    "mnuFileExit",    "mnuEditCut",     "mnuEditCopy",    "mnuEditCopyAs",   "mnuEditPaste",
    "mnuEditDelete",  "mnuEditDelAll",  "mnuViewMove",    "mnuViewZoom",     "mnuViewFit",
    "mnuViewRotateX", "mnuViewRotateY", "mnuViewRotateZ", "mnuViewRotate",   "mnuViewFront",
    "mnuViewRight",   "mnuViewTop",     "mnuViewISO",     "mnuViewSet",      "mnuDrawPoint",
    "mnuDrawVert",    "mnuDrawGrid",    "mnuDrawTab3D",   "mnuDrawDelaunay", "mnuDrawColor",
    "mnuDrawCon",     "mnuDrawVector",  "mnuDrawCon3D",   "mnuDraw4DScat",   "mnuDraw4DVec",
    "mnuDraw4DSlice", "mnuDrawIsoSur",  "mnuDrawAxis",    "mnuDrawLight",    "mnuHelpCon",
    "mnuHelpHome",    "mnuHelpCus",     "mnuHelpVideo",   "mnuHelpTwitter",  "mnuHelpFB",
    "mnuHelpAbout",   "mnuFunEdit",     "mnuFunCut",      "mnuFunCopy",      "mnuFunDelete",
    "mnuGESet",       "mnuGECutIt",     "mnuGECopy",      "mnuGEPaste",      "mnuGEDelete",
    "mnuGEInsertRow", "mnuGEInsertCol", "mnuGEDelRow",    "mnuGEDelCol",
};

}  // namespace

std::string_view MenuItemName(MenuItem item) {
  const int index = static_cast<int>(item);
  if (index < 0 || index >= kMenuItemCount) return "";
  return kNames[static_cast<std::size_t>(index)];
}

}  // namespace qv
