#include "documents/file_association.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/file_replace.h"

extern char** environ;

namespace qv {
namespace {

constexpr char kOpenCommandSuffix[] = " %1";

std::string TypeKey(const std::string& typeName) {
  return std::string("HKEY_CLASSES_ROOT\\") + typeName;
}

bool ReadType(const RegistryStore& store, std::string& typeName) {
  return QueryStringValue(store, kExtensionKey, "", typeName) && !typeName.empty();
}

// The text with each character of the table replaced by its text.
std::string Escaped(const std::string& text,
                    std::initializer_list<std::pair<char, const char*>> replacements) {
  std::string escaped;
  for (const char c : text) {
    const auto* found = std::find_if(replacements.begin(), replacements.end(),
                                     [c](const auto& row) { return row.first == c; });
    if (found != replacements.end())
      escaped += found->second;
    else
      escaped += c;
  }
  return escaped;
}

// Quotes an Exec argument by the desktop entry rules: inside double quotes,
// ", `, $ and \ take a backslash; then the string escape doubles every
// backslash, and % is written %%.
std::string QuoteExecArgument(const std::string& argument) {
  const std::string quoted =
      "\"" + Escaped(argument, {{'"', "\\\""}, {'`', "\\`"}, {'$', "\\$"}, {'\\', "\\\\"}}) + "\"";
  return Escaped(quoted, {{'\\', "\\\\"}, {'%', "%%"}});
}

// A desktop entry value must not hold line breaks.
std::string EntryValue(const std::string& text) {
  return Escaped(text, {{'\n', "\\n"}, {'\r', "\\r"}});
}

// Runs a tool quietly and waits for it; False when it cannot run or fails.
bool RunQuietly(const std::vector<std::string>& argv) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Writes text to path unless it already holds it. Sets changed when written.
bool WriteIfDifferent(const std::string& path, const std::string& text, bool& changed) {
  const auto old = ReadWholeFile(path);
  if (old && *old == text) return true;
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  if (error) return false;
  changed = true;
  return ReplaceFile(path, text).empty();
}

// Escapes the XML markup characters of a text.
std::string XmlText(const std::string& text) {
  return Escaped(text, {{'<', "&lt;"}, {'>', "&gt;"}, {'&', "&amp;"}, {'"', "&quot;"}});
}

// Copies every size of a themed icon into the user's hicolor theme, as the
// program's icon and as the document type's. Sets changed when a file was
// written; false when one could not be.
bool InstallIcon(const ThemedIcon& icon, const std::string& dataHome, bool& changed) {
  namespace fs = std::filesystem;
  std::error_code error;
  bool ok = true;
  const std::string userTheme = dataHome + "/icons/hicolor/";
  for (const auto& size : fs::directory_iterator(icon.themeFolder, error)) {
    const std::string sizeName = size.path().filename().string();
    const auto bytes = ReadWholeFile((size.path() / "apps" / (icon.name + ".png")).string());
    if (!bytes) continue;
    ok = WriteIfDifferent(userTheme + sizeName + "/apps/" + icon.name + ".png", *bytes, changed) &&
         ok;
    ok = WriteIfDifferent(userTheme + sizeName + "/mimetypes/" + kDocumentIconName + ".png", *bytes,
                          changed) &&
         ok;
  }
  return ok && !error;
}

}  // namespace

std::string AssociationIcon(const AssociationPaths& paths) {
  return paths.programFolder + paths.separator + paths.iconName;
}

std::string AssociationCommand(const AssociationPaths& paths) {
  return paths.programFolder + paths.separator + paths.programName + kOpenCommandSuffix;
}

AssociationPaths RunningProgramPaths() {
  AssociationPaths paths;
  paths.separator = '/';
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return paths;
  paths.programFolder = exe.parent_path().string();
  paths.programName = exe.filename().string();
  paths.iconName = kProgramIconFile;
  return paths;
}

void WriteAssociationKeys(RegistryStore& store, const AssociationPaths& paths) {
  const std::string typeKey = TypeKey(kFileTypeName);
  store.CreateKey(kExtensionKey);
  SetStringValue(store, kExtensionKey, "", kFileTypeName);
  store.CreateKey(typeKey);
  SetStringValue(store, typeKey, "", kFileTypeTitle);
  store.CreateKey(typeKey + "\\DefaultIcon");
  SetStringValue(store, typeKey + "\\DefaultIcon", "", AssociationIcon(paths));
  store.CreateKey(typeKey + "\\Shell\\Open\\command");
  SetStringValue(store, typeKey + "\\Shell\\Open\\command", "", AssociationCommand(paths));
}

void UpdateAssociationKeys(RegistryStore& store, const AssociationPaths& paths) {
  std::string typeName;
  if (!ReadType(store, typeName)) return;
  SetStringValue(store, TypeKey(typeName) + "\\shell\\open\\command", "",
                 AssociationCommand(paths));
  SetStringValue(store, TypeKey(typeName) + "\\DefaultIcon", "", AssociationIcon(paths));
}

std::string UserDataHome() { return UserFolder("XDG_DATA_HOME", ".local/share"); }

std::optional<ThemedIcon> ThemedIconOf(const RegistryStore& store) {
  namespace fs = std::filesystem;
  std::string typeName;
  std::string icon;
  if (!ReadType(store, typeName) ||
      !QueryStringValue(store, TypeKey(typeName) + "\\DefaultIcon", "", icon)) {
    return std::nullopt;
  }
  const fs::path path(icon);
  std::error_code error;
  if (path.extension() != ".png" || path.parent_path().filename() != "apps" ||
      !fs::is_regular_file(path, error)) {
    return std::nullopt;
  }
  return ThemedIcon{path.parent_path().parent_path().parent_path().string(), path.stem().string()};
}

std::string MimePackageText(const RegistryStore& store) {
  std::string typeName;
  std::string title;
  if (!ReadType(store, typeName)) return "";
  if (!QueryStringValue(store, TypeKey(typeName), "", title)) title = typeName;
  std::string icons;
  if (const auto icon = ThemedIconOf(store)) {
    icons = std::string("    <icon name=\"") + kDocumentIconName + "\"/>\n" +
            "    <generic-icon name=\"" + XmlText(icon->name) + "\"/>\n";
  }
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") +
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n" +
         "  <mime-type type=\"" + kDocumentMimeType + "\">\n" + "    <comment>" + XmlText(title) +
         " document</comment>\n" + icons + "    <glob pattern=\"*.qrv\"/>\n" + "  </mime-type>\n" +
         "</mime-info>\n";
}

std::string DesktopEntryText(const RegistryStore& store) {
  std::string typeName;
  std::string title;
  std::string icon;
  std::string command;
  if (!ReadType(store, typeName)) return "";
  const std::string typeKey = TypeKey(typeName);
  if (!QueryStringValue(store, typeKey, "", title) ||
      !QueryStringValue(store, typeKey + "\\shell\\open\\command", "", command)) {
    return "";
  }
  QueryStringValue(store, typeKey + "\\DefaultIcon", "", icon);
  const std::string suffix = kOpenCommandSuffix;
  if (command.size() <= suffix.size() ||
      command.compare(command.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return "";
  }
  const std::string program = command.substr(0, command.size() - suffix.size());
  std::string entry = "[Desktop Entry]\nType=Application\nName=" + EntryValue(title) + "\n";
  entry += "Exec=" + QuoteExecArgument(EntryValue(program)) + " %f\n";
  if (const auto themed = ThemedIconOf(store)) icon = themed->name;
  if (!icon.empty()) entry += "Icon=" + EntryValue(icon) + "\n";
  entry += "Terminal=false\nNoDisplay=true\nMimeType=" + std::string(kDocumentMimeType) + ";\n";
  entry += "Categories=Graphics;\n";
  return entry;
}

bool WriteDesktopRegistration(const RegistryStore& store, const std::string& dataHome) {
  const std::string package = MimePackageText(store);
  const std::string entry = DesktopEntryText(store);
  if (dataHome.empty() || package.empty() || entry.empty()) return false;
  bool packageChanged = false;
  bool entryChanged = false;
  const std::string mimeFolder = dataHome + "/mime";
  const std::string applications = dataHome + "/applications";
  bool ok = WriteIfDifferent(mimeFolder + "/packages/quorvel-qrv.xml", package, packageChanged);
  ok = WriteIfDifferent(applications + "/quorvel.desktop", entry, entryChanged) && ok;
  bool iconChanged = false;
  if (const auto icon = ThemedIconOf(store)) ok = InstallIcon(*icon, dataHome, iconChanged) && ok;
  struct stat cache {};
  // A cache of the user's theme would hide the new icons until refreshed;
  // where there is none, none is made.
  const std::string iconTheme = dataHome + "/icons/hicolor";
  if (iconChanged && ::stat((iconTheme + "/icon-theme.cache").c_str(), &cache) == 0) {
    RunQuietly({"gtk-update-icon-cache", "-q", "-f", "-t", iconTheme});
  }
  if (packageChanged || ::stat((mimeFolder + "/mime.cache").c_str(), &cache) != 0) {
    ok = RunQuietly({"update-mime-database", mimeFolder}) && ok;
  }
  if (entryChanged) RunQuietly({"update-desktop-database", applications});
  return ok;
}

FileAssociation::FileAssociation(AssociationPaths paths, std::string dataHome)
    : paths_(std::move(paths)), dataHome_(std::move(dataHome)) {}

bool FileAssociation::WriteRegistration() {
  if (MimePackageText(store_).empty() || DesktopEntryText(store_).empty()) return true;
  return WriteDesktopRegistration(store_, dataHome_);
}

void FileAssociation::WriteAtStartUp() {
  WriteAssociationKeys(store_, paths_);
  WriteDesktopRegistration(store_, dataHome_);
}

void FileAssociation::UpdateOnSave() {
  UpdateAssociationKeys(store_, paths_);
  WriteDesktopRegistration(store_, dataHome_);
}

}  // namespace qv
