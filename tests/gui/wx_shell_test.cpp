#include "platform/wx/wx_shell.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

// A folder with a stand-in for the desktop's opener first on PATH: it writes
// its argument beside itself and exits with the given code.
class WxShellTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() / ("qv-shell-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_);
    path_ = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    setenv("PATH", (folder_.string() + ":" + path_).c_str(), 1);
    std::ofstream(folder_ / "help.html") << "<html></html>";
  }
  void TearDown() override {
    setenv("PATH", path_.c_str(), 1);
    std::filesystem::remove_all(folder_);
  }
  void Opener(int exitCode) {
    const auto script = folder_ / "xdg-open";
    std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << (folder_ / "asked").string()
                          << "'\nexit " << exitCode << "\n";
    chmod(script.c_str(), 0755);
  }
  std::string Asked() const {
    std::ifstream in(folder_ / "asked");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::filesystem::path folder_;
  std::string path_;
  // Long enough for the stand-in to answer while the machine is busy.
  WxShell shell_{std::chrono::seconds(30)};
};

TEST_F(WxShellTest, AnOpenerThatSucceedsShowsTheFilesUrl) {
  Opener(0);
  EXPECT_TRUE(shell_.OpenInBrowser((folder_ / "help.html").string()));
  EXPECT_EQ(Asked(), "file://" + (folder_ / "help.html").string());
  // A section of the file: its anchor follows the address.
  EXPECT_TRUE(shell_.OpenInBrowser((folder_ / "help.html").string(), "support"));
  EXPECT_EQ(Asked(), "file://" + (folder_ / "help.html").string() + "#support");
}

// xdg-open without any browser exits with 3 ("no method available"): the
// toolkit's own launch called that a success.
TEST_F(WxShellTest, AnOpenerThatFindsNoBrowserIsAFailure) {
  Opener(3);
  EXPECT_FALSE(shell_.OpenInBrowser((folder_ / "help.html").string()));
}

TEST_F(WxShellTest, NoOpenerAtAllIsAFailure) {
  setenv("PATH", folder_.c_str(), 1);  // holds no xdg-open
  EXPECT_FALSE(shell_.OpenInBrowser((folder_ / "help.html").string()));
}

}  // namespace
}  // namespace qv
