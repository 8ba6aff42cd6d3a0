// The program's icon as it is shipped beside the program, for tests of what
// the association makes of it.
#pragma once

#include <filesystem>
#include <string>

namespace qv::test {

// The committed hicolor tree of the program's icon, one folder per size.
inline std::string ShippedIconTheme() {
  return std::string(QV_SOURCE_DIR) + "/resources/icons/hicolor";
}

// Lays the shipped icon tree into programFolder/icons/hicolor, as the build
// and the install put it beside the program. False when it cannot be copied.
inline bool ShipIconBeside(const std::string& programFolder) {
  std::error_code error;
  const std::filesystem::path target = std::filesystem::path(programFolder) / "icons" / "hicolor";
  std::filesystem::create_directories(target, error);
  std::filesystem::copy(ShippedIconTheme(), target, std::filesystem::copy_options::recursive,
                        error);
  return !error;
}

}  // namespace qv::test
