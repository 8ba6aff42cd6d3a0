#include "command_table.h"

#include <array>

namespace qv {

namespace {

using M = MenuItem;

constexpr MenuRow Sep() { return {M::kCount, "", true}; }

constexpr std::array kFileMenu = {
    MenuRow{M::mnuFileNew2D, "New &2D Graphs"},
    MenuRow{M::mnuFileNew3D, "New &3D Graphs"},
    MenuRow{M::mnuFileNew4D, "New &4D Graphs"},
    Sep(),
    MenuRow{M::mnuFileOpen, "&Open..."},
    MenuRow{M::mnuFileSave, "&Save"},
    MenuRow{M::mnuFileSaveAs, "Save&As..."},
    Sep(),
    MenuRow{M::mnuFileImport, "&Import Data ..."},
    MenuRow{M::mnuFileOutput, "O&utput Data ..."},
    MenuRow{M::mnuFileGridded, "Output &Gridded Data ..."},
    Sep(),
    MenuRow{M::mnuFilePrint, "&Print...", false, "Ctrl+P"},
    Sep(),
    MenuRow{M::mnuFileExit, "E&xit"},
};

constexpr std::array kEditMenu = {
    MenuRow{M::mnuEditCut, "Cu&t"},
    MenuRow{M::mnuEditCopy, "&Copy", false, "Ctrl+C"},
    MenuRow{M::mnuEditCopyAs, "Copy &As BMP"},
    MenuRow{M::mnuEditPaste, "&Paste"},
    Sep(),
    MenuRow{M::mnuEditDelete, "&Delete"},
    MenuRow{M::mnuEditDelAll, "Delete A&ll"},
};

constexpr std::array kViewMenu = {
    MenuRow{M::mnuViewMove, "&Move"},
    MenuRow{M::mnuViewZoom, "Z&oom"},
    MenuRow{M::mnuViewFit, "Zoom to &Fit"},
    MenuRow{M::mnuViewRotateX, "Rotate About &X Axis"},
    MenuRow{M::mnuViewRotateY, "Rotate About &Y Axis"},
    MenuRow{M::mnuViewRotateZ, "Rotate About &Z Axis"},
    MenuRow{M::mnuViewRotate, "Trac&kball"},
    Sep(),
    MenuRow{M::mnuViewFront, "Fro&nt"},
    MenuRow{M::mnuViewRight, "&Right"},
    MenuRow{M::mnuViewTop, "&Top"},
    MenuRow{M::mnuViewISO, "&ISO"},
    // The view settings dialog.
    Sep(),
    MenuRow{M::mnuViewSet, "&Settings..."},
};

// The Draw menu: a point, the graph kinds in groups, the axis and light
// dialogs.
constexpr std::array kDrawMenu = {
    MenuRow{M::mnuDrawPoint, "&Point"},
    Sep(),
    MenuRow{M::mnuDrawVert, "3D &Vertex Model"},
    MenuRow{M::mnuDrawGrid, "3D &Grid Model"},
    MenuRow{M::mnuDrawTab3D, "3D &Surface Model"},
    MenuRow{M::mnuDrawDelaunay, "&Delaunay Triangles"},
    Sep(),
    MenuRow{M::mnuDrawColor, "&Color Map"},
    MenuRow{M::mnuDrawCon, "C&ontour Plot"},
    MenuRow{M::mnuDrawVector, "Vec&tor Plot"},
    MenuRow{M::mnuDrawCon3D, "&3D Contour Plot"},
    Sep(),
    MenuRow{M::mnuDraw4DScat, "&4D Scatter"},
    MenuRow{M::mnuDraw4DVec, "4D Vecto&r"},
    MenuRow{M::mnuDraw4DSlice, "4D Slic&e"},
    MenuRow{M::mnuDrawIsoSur, "4D &IsoSurface"},
    Sep(),
    MenuRow{M::mnuDrawAxis, "&Axis..."},
    MenuRow{M::mnuDrawLight, "&Light..."},
};

// The Demo menu: the sample documents, the four 3D contour plots in a
// submenu of their own.
constexpr std::array kDemo3DContourMenu = {
    MenuRow{M::mnuDemo3DCC1, "Cartesian &1"},
    MenuRow{M::mnuDemo3DCC2, "Cartesian &2"},
    MenuRow{M::mnuDemo3DCCy, "&Cylindrical"},
    MenuRow{M::mnuDemo3DCS, "&Spherical"},
};

constexpr std::array kDemoMenu = {
    MenuRow{M::mnuDemoR3, "&Regular Data 3D Surface"},
    MenuRow{M::mnuDemoI3, "&Irregular Data 3D Surface"},
    MenuRow{M::mnuDemoVG, "3D Verte&x + Grid"},
    MenuRow{M::mnuDemoSG, "3D Surface + &Grid"},
    MenuRow{M::mnuDemoFlat, "3D &Flat Surface"},
    MenuRow{M::mnuDemo3dscc, "3D Surface + Color Map + Co&ntour"},
    MenuRow{M::mnuDemo3dSpe, "3D Surface + S&pecial Graphs"},
    MenuRow{M::mnuDemo3dsc, "3D Surface + Color&map"},
    MenuRow{M::mnuDemo4dSur, "4D &Surface"},
    MenuRow{M::mnuDemoDelaunay, "&Delaunay Triangles"},
    MenuRow{M::mnuDemoCyl, "C&ylindrical Surface"},
    MenuRow{M::mnuDemoSph, "Sp&herical Surface"},
    Sep(),
    MenuRow{M::mnuDemoCC, "&Color Map + Contour"},
    MenuRow{M::mnuDemoCV, "Contour + V&ector"},
    MenuRow{M::mnuDemo3C, "&3D Contour", false, "", kDemo3DContourMenu},
    Sep(),
    MenuRow{M::mnuDemo4S, "4D Sc&atter Plot"},
    MenuRow{M::mnuDemoSlice, "4D Slice P&lot"},
    MenuRow{M::mnuDemo4DSlice2, "4D Slice Plot &2"},
    MenuRow{M::mnuDemoVector, "4D Vec&tor Plot"},
    MenuRow{M::mnuDemo4ds, "&4D Slice"},
    MenuRow{M::mnuDemo4DVecIsoSur, "4D Vector + IsoS&urface"},
    MenuRow{M::mnuDemo4DSliceIsoSur, "4D Slice + Is&oSurface"},
    MenuRow{M::mnuDemo4dsc, "4D Slice + Contour"},
    MenuRow{M::mnuDemo4SV, "4D Slice + Contour + &Vector"},
};

constexpr std::array kHelpMenu = {
    MenuRow{M::mnuHelpCon, "&Contents..."},
    Sep(),
    MenuRow{M::mnuHelpHome, "&Home Page"},
    MenuRow{M::mnuHelpCus, "Customer &Support"},
    MenuRow{M::mnuHelpVideo, "&Video Tutorials"},
    MenuRow{M::mnuHelpTwitter, "Tessaly On &Twitter"},
    MenuRow{M::mnuHelpFB, "Tessaly On &Facebook"},
    Sep(),
    MenuRow{M::mnuHelpAbout, "&About..."},
};

const std::array kMenuBar = {
    MenuTable{"&File", kFileMenu}, MenuTable{"&Edit", kEditMenu}, MenuTable{"&View", kViewMenu},
    MenuTable{"&Draw", kDrawMenu}, MenuTable{"De&mo", kDemoMenu}, MenuTable{"&Help", kHelpMenu},
};

constexpr ToolRow ToolSep(int index, std::string_view key) {
  return {index, M::kCount, key, "", "", true};
}

constexpr std::array kToolbar = {
    ToolSep(1, "barSep0"),
    ToolRow{2, M::mnuFileNew2D, "barNew2D", "New 2D Graphs", "Create new 2D graphs"},
    ToolRow{3, M::mnuFileNew3D, "barNew3D", "New 3D Graphs", "Create new 3D graphs"},
    ToolRow{4, M::mnuFileNew4D, "barNew4D", "Create 4D Graphs", "Create new 4D graphs"},
    ToolSep(5, "barSep1"),
    ToolRow{6, M::mnuFileOpen, "barOpen", "Open File", "Open file"},
    ToolRow{7, M::mnuFileSave, "barSave", "Save File", "Save file"},
    ToolRow{8, M::mnuFileSaveAs, "barSaveAs", "Save File As", "Save file as"},
    ToolSep(9, "barSep2"),
    ToolRow{10, M::mnuFilePrint, "barPrint", "Print", "Print"},
    ToolSep(11, "barSep3"),
    ToolRow{12, M::mnuEditCut, "barCut", "Cut Selected Graph", "Cut the selected graph"},
    ToolRow{13, M::mnuEditCopy, "barCopy", "Copy Graph", "Copy the selected graph"},
    ToolRow{14, M::mnuEditCopyAs, "barCopyAs", "Copy Graph As BMP", "Copy graphs as bitmap"},
    ToolRow{15, M::mnuEditPaste, "barPaste", "Paste Graph", "Paste"},
    ToolRow{16, M::mnuEditDelete, "varDel", "Delete Selected Graph", "Delete the selected graph"},
    ToolSep(17, "barSep4"),
    ToolRow{18, M::mnuHelpCon, "barHelp", "Online Help", "Get online help"},
    // The Draw menu's buttons.
    ToolSep(19, "barSep6"),
    ToolRow{20, M::mnuDrawPoint, "barFunPoints", "Add A Point", "Add a point"},
    ToolSep(21, "barSep7"),
    ToolRow{22, M::mnuDrawVert, "barVert", "Add A Vertex Model", "Add a vertex model"},
    ToolRow{23, M::mnuDrawGrid, "barGrid", "Add A Grid Model", "Add a grid model"},
    ToolRow{24, M::mnuDrawTab3D, "barSurface", "Add A Surface Model", "Add a surface model"},
    ToolRow{25, M::mnuDrawDelaunay, "barDelaunay1",
            "Create Delaunay Triangles Based On Irregular Data", "Create Delaunay Triangles"},
    ToolSep(26, "barSep8"),
    ToolRow{27, M::mnuDrawColor, "barColor", "Add A Color Map", "Add a color map"},
    ToolRow{28, M::mnuDrawCon, "barContour", "Add A Contour Plot", "Add a contour plot"},
    ToolRow{29, M::mnuDrawVector, "barVector", "Add A Vector Plot", "Add a vector plot"},
    ToolRow{30, M::mnuDrawCon3D, "barCont3D", "Add A 3D Contour", "Add a 3D contour plot"},
    ToolSep(31, "barSep12"),
    ToolRow{32, M::mnuDraw4DScat, "barScat4D", "Add A 4D Scatter Plot", "Add a 4D scatter plot"},
    ToolRow{33, M::mnuDraw4DVec, "barVect4D", "Add A 4D Vector Plot", "Add a 4D vector plot"},
    ToolRow{34, M::mnuDraw4DSlice, "barSlice4D", "Add A 4D Slice Plot", "Add a 4D slice plot"},
    ToolSep(35, "barSep15"),
    ToolRow{36, M::mnuDrawAxis, "barCoord", "Modify Coordinate System", "Set axis properties"},
    ToolRow{37, M::mnuDrawLight, "barLight", "Modify Light Properties", "Set light properties"},
    ToolSep(38, "barSep13"),
    ToolRow{39, M::mnuViewMove, "barMove", "Move The Scene", "Move the scene"},
    ToolRow{40, M::mnuViewZoom, "barZoom", "Zoom In Or Zoom Out The Scene",
            "Zoom in or zoom out the scene"},
    ToolRow{41, M::mnuViewFit, "barZoomAll", "Zoom To Fit", "Zoom to an appropriate size"},
    ToolRow{42, M::mnuViewRotateX, "barRotX", "Rotate About X Axis", "Rotate About X Axis"},
    ToolRow{43, M::mnuViewRotateY, "barRotY", "Rotate About Y Axis", "Rotate About Y Axis"},
    ToolRow{44, M::mnuViewRotateZ, "barRotZ", "Rotate About Z Axis", "Rotate About Z Axis"},
    ToolRow{45, M::mnuViewRotate, "barRotate", "Rotate The Scene", "Rotate the scene"},
    ToolSep(46, "barSep14"),
    ToolRow{47, M::mnuViewFront, "barFront", "View From The Front", "View from the front"},
    ToolRow{48, M::mnuViewRight, "barRight", "View From The Right", "View from the right"},
    ToolRow{49, M::mnuViewTop, "barTop", "View From The Top", "View from the top"},
    ToolRow{50, M::mnuViewISO, "barISO", "View ISO", "View ISO"},
};

constexpr std::array kGraphEditPopup = {
    MenuRow{M::mnuEditPaste, "&Paste"},
    MenuRow{M::mnuEditCopyAs, "Copy &As BMP"},
    MenuRow{M::mnuEditDelAll, "&Delete All"},
    // The axis and light dialogs.
    Sep(),
    MenuRow{M::mnuDrawAxis, "A&xis..."},
    MenuRow{M::mnuDrawLight, "&Light..."},
};

constexpr std::array kFunEditPopup = {
    MenuRow{M::mnuFunEdit, "&Edit..."},
    MenuRow{M::mnuFunCut, "Cu&t"},
    MenuRow{M::mnuFunCopy, "&Copy"},
    MenuRow{M::mnuFunDelete, "&Delete"},
};

constexpr std::array kSheetEditPopup = {
    MenuRow{M::mnuGESet, "&Settings..."},
    Sep(),
    MenuRow{M::mnuGECutIt, "Cu&t"},
    MenuRow{M::mnuGECopy, "&Copy"},
    MenuRow{M::mnuGEPaste, "&Paste"},
    MenuRow{M::mnuGEDelete, "&Delete"},
    Sep(),
    MenuRow{M::mnuGEInsertRow, "&Insert Row"},
    MenuRow{M::mnuGEInsertCol, "Insert C&olumn"},
    MenuRow{M::mnuGEDelRow, "Delete &Row"},
    MenuRow{M::mnuGEDelCol, "Delete Co&lumn"},
};

}  // namespace

std::span<const MenuTable> MenuBarTable() { return kMenuBar; }
std::span<const ToolRow> ToolbarTable() { return kToolbar; }
std::span<const MenuRow> GraphEditPopupTable() { return kGraphEditPopup; }
std::span<const MenuRow> FunEditPopupTable() { return kFunEditPopup; }
std::span<const MenuRow> SheetEditPopupTable() { return kSheetEditPopup; }

}  // namespace qv
