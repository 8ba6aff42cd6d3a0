// The association of ".qrv" documents with the program. Its keys are first
// written into a registry-like store, exactly as the program has always laid
// them out; that store is then written out as the desktop's registration in
// the user's own data folder: a MIME package for application/x-qrv and a
// desktop entry that opens the program with the document's path.
// Every failure is silent: the program runs the same without an association.
#pragma once

#include <optional>
#include <string>

#include "documents/registry_store.h"

namespace qv {

// Store keys of the association.
inline constexpr char kExtensionKey[] = "HKEY_CLASSES_ROOT\\.qrv";
inline constexpr char kFileTypeName[] = "qrvfile";
inline constexpr char kFileTypeTitle[] = "Quorvel";
// The MIME type the desktop knows documents by.
inline constexpr char kDocumentMimeType[] = "application/x-qrv";
// The program's icon beside the program, in a hicolor tree of one folder per
// size, and the name the icon theme knows it by.
inline constexpr char kProgramIconFile[] = "icons/hicolor/48x48/apps/quorvel.png";
inline constexpr char kProgramIconName[] = "quorvel";
// The document type's icon name, by the MIME type (the "/" made a "-").
inline constexpr char kDocumentIconName[] = "application-x-qrv";

// Where the program and its icon lie.
struct AssociationPaths {
  std::string programFolder;  // used without change
  char separator = '\\';      // put between the folder and a file name
  std::string programName = "Quorvel.exe";
  std::string iconName = "Quorvel.ico";
};

// The icon value: the folder, the separator and the icon's name.
std::string AssociationIcon(const AssociationPaths& paths);
// The open command: the folder, the separator, the program's name and " %1",
// with no quotes.
std::string AssociationCommand(const AssociationPaths& paths);
// The paths of the running program (its folder from /proc/self/exe, "/"),
// with the icon shipped beside it.
AssociationPaths RunningProgramPaths();

// The start-up keys: ".qrv" = "qrvfile", "qrvfile" = "Quorvel", its
// "DefaultIcon" and "Shell\Open\command". Results are not tested.
void WriteAssociationKeys(RegistryStore& store, const AssociationPaths& paths);
// The update of Save and Save As: reads the type name from ".qrv" and, only
// when that succeeds, sets the open command and the icon of that type's
// existing keys. Nothing is created: a missing key stays unwritten.
void UpdateAssociationKeys(RegistryStore& store, const AssociationPaths& paths);

// The desktop's registration
// The user's data folder: $XDG_DATA_HOME, else $HOME/.local/share ("" when
// neither is set).
std::string UserDataHome();
// A themed icon: an icon path of the form <theme>/<size>/apps/<name>.png.
// Every size found in <theme> is installed into the user's own hicolor
// theme, and the desktop finds the icon by its name.
struct ThemedIcon {
  std::string themeFolder;  // the folder of the size folders
  std::string name;         // the file name without ".png"
};
// The themed icon that the store's type names as its icon, if it names one.
std::optional<ThemedIcon> ThemedIconOf(const RegistryStore& store);
// The MIME package text for the document type of the store (empty when the
// store holds no type for ".qrv"). With a themed icon the type takes the
// document icon kDocumentIconName, and the program's icon as its generic one.
std::string MimePackageText(const RegistryStore& store);
// The desktop entry text built from the store's type title, icon and open
// command (empty when the store lacks them). A themed icon is named by its
// theme name, any other icon by its path.
std::string DesktopEntryText(const RegistryStore& store);
// Writes the MIME package to <dataHome>/mime/packages/quorvel-qrv.xml, the
// desktop entry to <dataHome>/applications/quorvel.desktop and a themed
// icon's sizes to <dataHome>/icons/hicolor/<size>/apps/<name>.png and
// .../mimetypes/<kDocumentIconName>.png, and refreshes the desktop's
// databases when a file changed. False on any failure.
bool WriteDesktopRegistration(const RegistryStore& store, const std::string& dataHome);

// The association as the window uses it: one store for the program's life.
class FileAssociation {
 public:
  FileAssociation(AssociationPaths paths, std::string dataHome);
  // Start-up: the whole association, then the desktop registration.
  void WriteAtStartUp();
  // Save and Save As: the update of the open command and icon, then the
  // desktop registration again.
  void UpdateOnSave();
  // Writes the desktop registration of the keys as they are now: true when
  // written, or when the keys hold no whole association (nothing to write).
  bool WriteRegistration();
  const RegistryStore& Store() const { return store_; }
  RegistryStore& Store() { return store_; }

 private:
  AssociationPaths paths_;
  std::string dataHome_;
  RegistryStore store_;
};

}  // namespace qv
