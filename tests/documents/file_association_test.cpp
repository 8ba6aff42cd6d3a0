#include "documents/file_association.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "support/scoped_env.h"
#include "support/shipped_icon.h"
#include "support/temp_folder.h"

namespace qv {
namespace {

std::string Value(const RegistryStore& store, const std::string& key) {
  std::string text = "<none>";
  QueryStringValue(store, key, "", text);
  return text;
}

AssociationPaths ClassicPaths(std::string folder) {
  AssociationPaths paths;
  paths.programFolder = std::move(folder);
  return paths;
}

// The key table, word for word.
TEST(AssociationKeys, StartUpWritesTheWholeTable) {
  RegistryStore store;
  WriteAssociationKeys(store, ClassicPaths("C:\\Program Files\\Quorvel"));
  EXPECT_EQ(Value(store, "HKEY_CLASSES_ROOT\\.qrv"), "qrvfile");
  EXPECT_EQ(Value(store, "HKEY_CLASSES_ROOT\\qrvfile"), "Quorvel");
  EXPECT_EQ(Value(store, "HKEY_CLASSES_ROOT\\qrvfile\\DefaultIcon"),
            "C:\\Program Files\\Quorvel\\Quorvel.ico");
  EXPECT_EQ(Value(store, "HKEY_CLASSES_ROOT\\qrvfile\\Shell\\Open\\command"),
            "C:\\Program Files\\Quorvel\\Quorvel.exe %1");
  RegValue raw;
  store.QueryValue("HKEY_CLASSES_ROOT\\qrvfile", "", raw);
  EXPECT_EQ(raw.data.size(), std::string("Quorvel").size() + 1);
}

TEST(AssociationKeys, AFolderAtADriveRootGivesTwoSeparators) {
  EXPECT_EQ(AssociationCommand(ClassicPaths("C:\\")), "C:\\\\Quorvel.exe %1");
  EXPECT_EQ(AssociationIcon(ClassicPaths("C:\\")), "C:\\\\Quorvel.ico");
}

// Save rewrites the command and icon of whatever type ".qrv" names, and
// creates nothing.
TEST(AssociationKeys, UpdateRewritesTheRegisteredType) {
  RegistryStore store;
  WriteAssociationKeys(store, ClassicPaths("C:\\old"));
  SetStringValue(store, "HKEY_CLASSES_ROOT\\.qrv", "", "otherfile");
  store.CreateKey("HKEY_CLASSES_ROOT\\otherfile\\Shell\\Open\\command");
  UpdateAssociationKeys(store, ClassicPaths("D:\\new"));
  EXPECT_EQ(Value(store, "HKEY_CLASSES_ROOT\\otherfile\\shell\\open\\command"),
            "D:\\new\\Quorvel.exe %1");
  EXPECT_FALSE(store.KeyExists("HKEY_CLASSES_ROOT\\otherfile\\DefaultIcon"));
  EXPECT_EQ(Value(store, "HKEY_CLASSES_ROOT\\qrvfile\\Shell\\Open\\command"),
            "C:\\old\\Quorvel.exe %1");
}

TEST(AssociationKeys, UpdateIsSkippedWithoutARegisteredType) {
  RegistryStore store;
  UpdateAssociationKeys(store, ClassicPaths("C:\\p"));
  EXPECT_FALSE(store.KeyExists("HKEY_CLASSES_ROOT\\.qrv"));
  store.CreateKey("HKEY_CLASSES_ROOT\\.qrv");
  store.SetValue("HKEY_CLASSES_ROOT\\.qrv", "", RegValue{RegType::DWord, std::string(4, '\0')});
  UpdateAssociationKeys(store, ClassicPaths("C:\\p"));
  EXPECT_EQ(Value(store, "HKEY_CLASSES_ROOT\\.qrv"), "<none>");
}

AssociationPaths LinuxPaths(std::string folder) {
  AssociationPaths paths;
  paths.programFolder = std::move(folder);
  paths.separator = '/';
  paths.programName = "quorvel";
  paths.iconName = kProgramIconFile;
  return paths;
}

// A folder with blanks, quotes and a percent sign must still give one
// program argument in the desktop entry.
TEST(DesktopRegistration, QuotesTheProgramInTheEntry) {
  RegistryStore store;
  WriteAssociationKeys(store, LinuxPaths("/opt/my \"q\" 100%"));
  const std::string entry = DesktopEntryText(store);
  EXPECT_NE(entry.find("Exec=\"/opt/my \\\\\"q\\\\\" 100%%/quorvel\" %f\n"), std::string::npos)
      << entry;
  EXPECT_NE(entry.find("Name=Quorvel\n"), std::string::npos);
  EXPECT_NE(entry.find("MimeType=application/x-qrv;\n"), std::string::npos);
  EXPECT_EQ(DesktopEntryText(RegistryStore{}), "");
}

std::string RunTool(const std::string& command) {
  std::string output;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  if (!pipe) return "<cannot run>";
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe.get())) output += buffer;
  return output;
}

using test::ScopedEnv;

// The whole association in a throw-away data folder: the files are written,
// the desktop accepts the entry, and a ".qrv" file is known by its type.
TEST(DesktopRegistration, WritesAnAssociationTheDesktopAccepts) {
  test::TempFolder folder;
  const ScopedEnv dataHome("XDG_DATA_HOME", folder.Path());
  ASSERT_EQ(UserDataHome(), folder.Path());
  FileAssociation association(LinuxPaths("/usr/lib/quorvel"), UserDataHome());
  association.WriteAtStartUp();
  const std::string entryPath = folder.File("applications/quorvel.desktop");
  ASSERT_NE(folder.Read("mime/packages/quorvel-qrv.xml"), "<missing>");
  ASSERT_NE(folder.Read("applications/quorvel.desktop"), "<missing>");
  EXPECT_EQ(RunTool("desktop-file-validate '" + entryPath + "' 2>&1; echo rc=$?"), "rc=0\n");

  ASSERT_EQ(ReplaceFile(folder.File("sample.qrv"), "\x08\x00\x00\x00"), "");
  // xdg-mime asks the desktop's own MIME database; GNOME's tool reads
  // XDG_DATA_HOME.
  const ScopedEnv desktop("XDG_CURRENT_DESKTOP", "GNOME");
  EXPECT_EQ(RunTool("xdg-mime query filetype '" + folder.File("sample.qrv") + "' 2>/dev/null"),
            "application/x-qrv\n");

  // Saving rewrites the same registration and keeps it valid.
  association.UpdateOnSave();
  EXPECT_EQ(RunTool("desktop-file-validate '" + entryPath + "' 2>&1; echo rc=$?"), "rc=0\n");
}

// The width and height a PNG's header gives, or 0 x 0 for what is no PNG.
std::pair<unsigned, unsigned> PngSize(const std::string& bytes) {
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
      bytes.compare(12, 4, "IHDR") != 0) {
    return {0, 0};
  }
  auto number = [&](std::size_t at) {
    unsigned value = 0;
    for (std::size_t k = 0; k < 4; ++k)
      value = value << 8 | static_cast<unsigned char>(bytes[at + k]);
    return value;
  };
  return {number(16), number(20)};
}

// The icon the desktop entry and the document type name must be where the
// desktop looks for it: in the user's hicolor theme, at every shipped size,
// and each shipped picture must be of the size its folder says.
TEST(DesktopRegistration, InstallsTheShippedIconForTheEntryAndTheType) {
  test::TempFolder folder;
  const std::string program = folder.File("program");
  ASSERT_TRUE(test::ShipIconBeside(program));
  const std::string dataHome = folder.File("data");
  FileAssociation association(LinuxPaths(program), dataHome);
  association.WriteAtStartUp();
  EXPECT_EQ(Value(association.Store(), "HKEY_CLASSES_ROOT\\qrvfile\\DefaultIcon"),
            program + "/" + kProgramIconFile);

  for (const unsigned size : {16U, 32U, 48U, 256U}) {
    const std::string sizeFolder = std::to_string(size) + "x" + std::to_string(size);
    const auto shipped =
        ReadWholeFile(test::ShippedIconTheme() + "/" + sizeFolder + "/apps/quorvel.png");
    ASSERT_TRUE(shipped) << sizeFolder;
    EXPECT_EQ(PngSize(*shipped), std::make_pair(size, size)) << sizeFolder;
    const std::string theme = "data/icons/hicolor/" + sizeFolder;
    // (Compared as a truth: a failure must not print the pictures.)
    EXPECT_TRUE(folder.Read(theme + "/apps/quorvel.png") == *shipped) << sizeFolder;
    EXPECT_TRUE(folder.Read(theme + "/mimetypes/application-x-qrv.png") == *shipped) << sizeFolder;
  }
  const std::string entry = folder.Read("data/applications/quorvel.desktop");
  EXPECT_NE(entry.find("\nIcon=quorvel\n"), std::string::npos) << entry;
  EXPECT_EQ(RunTool("desktop-file-validate '" + folder.File("data/applications/quorvel.desktop") +
                    "' 2>&1; echo rc=$?"),
            "rc=0\n");
  // The MIME database took the type's icons from the package.
  EXPECT_NE(folder.Read("data/mime/icons").find("application/x-qrv:application-x-qrv\n"),
            std::string::npos);
  EXPECT_NE(folder.Read("data/mime/generic-icons").find("application/x-qrv:quorvel\n"),
            std::string::npos);
}

// Failures are silent: a data folder that cannot be written changes nothing
// and throws nothing.
TEST(DesktopRegistration, FailsSilently) {
  RegistryStore store;
  WriteAssociationKeys(store, LinuxPaths("/usr/lib/quorvel"));
  EXPECT_FALSE(WriteDesktopRegistration(store, "/proc/no-such-place"));
  EXPECT_FALSE(WriteDesktopRegistration(store, ""));
  EXPECT_FALSE(WriteDesktopRegistration(RegistryStore{}, "/tmp"));
}

}  // namespace
}  // namespace qv
