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

namespace qv {

namespace {

using Icon = std::pair<std::string_view, const char* const*>;

constexpr std::array kIcons = {
    Icon{"barNew2D", barNew2D_xpm}, Icon{"barNew3D", barNew3D_xpm},
    Icon{"barNew4D", barNew4D_xpm}, Icon{"barOpen", barOpen_xpm},
    Icon{"barSave", barSave_xpm},   Icon{"barSaveAs", barSaveAs_xpm},
    Icon{"barPrint", barPrint_xpm}, Icon{"barCut", barCut_xpm},
    Icon{"barCopy", barCopy_xpm},   Icon{"barCopyAs", barCopyAs_xpm},
    Icon{"barPaste", barPaste_xpm}, Icon{"varDel", varDel_xpm},
    Icon{"barHelp", barHelp_xpm},
};

}  // namespace

const char* const* ToolIcon(std::string_view key) {
  for (const auto& [name, xpm] : kIcons) {
    if (name == key) return xpm;
  }
  return nullptr;
}

}  // namespace qv
