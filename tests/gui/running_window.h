// The running program's main window for the tests under a display: started
// without a document, in a folder of its own, with scripted services.
#pragma once

#include <wx/menu.h>
#include <wx/toolbar.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/scripted_file_dialog.h"
#include "support/scripted_message_box.h"
#include "support/scripted_shell.h"
#include "support/temp_folder.h"
#include "window/wx/main_frame.h"

namespace qv::test {

// Lets the toolkit run (paints, sizes, timers) for a while.
inline void PumpFor(std::chrono::milliseconds duration) {
  const auto end = std::chrono::steady_clock::now() + duration;
  while (std::chrono::steady_clock::now() < end) {
    wxYield();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

// The captions of a menu's items as the user reads them (mnemonics stripped,
// shortcuts kept after a tab), separators as "-".
inline std::vector<std::string> Captions(const wxMenu& menu) {
  std::vector<std::string> captions;
  for (const wxMenuItem* item : menu.GetMenuItems()) {
    captions.push_back(
        item->IsSeparator()
            ? "-"
            : wxStripMenuCodes(item->GetItemLabel(), wxStrip_Mnemonics).utf8_string());
  }
  return captions;
}

inline bool AllWhite(const RgbImage& image) {
  for (std::uint8_t byte : image.rgb) {
    if (byte != 255) return false;
  }
  return true;
}

class RunningWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(temp_.Path().empty());
    BeforeStart();
    MainFrameOptions options;
    options.messages = &messages_;
    options.fileDialogs = &dialogs_;
    options.shell = &shell_;
    options.dataHome = temp_.File("data");
    options.size = wxSize(900, 650);
    Configure(options);
    frame_ = new MainFrame(options);
    alive_ = frame_;
    frame_->Start("");
    PumpFor(std::chrono::milliseconds(100));
  }

  void TearDown() override {
    if (alive_) {
      // What the test left in the document is not saved.
      messages_.Script({MsgAnswer::No});
      alive_->Close(true);
      PumpFor(std::chrono::milliseconds(50));
    }
  }

  // Runs in the test's folder before the window is made.
  virtual void BeforeStart() {}
  // Adds to or changes the window's services before it is made.
  virtual void Configure(MainFrameOptions&) {}

  MainWindowCore& Core() { return frame_->Core(); }

  // The menu item chosen, as a click on it delivers it.
  void Menu(MenuItem item) {
    wxCommandEvent event(wxEVT_MENU, MainFrame::MenuId(item));
    event.SetEventObject(frame_);
    frame_->GetEventHandler()->ProcessEvent(event);
  }

  // The toolbar button with this index clicked.
  void Tool(int index) {
    wxCommandEvent event(wxEVT_TOOL, MainFrame::ToolId(index));
    event.SetEventObject(frame_->GetToolBar());
    frame_->GetEventHandler()->ProcessEvent(event);
  }

  TempFolder temp_;
  ScriptedMessageBox messages_;
  ScriptedFileDialog dialogs_;
  ScriptedShell shell_;
  MainFrame* frame_ = nullptr;
  wxWeakRef<MainFrame> alive_;
};

}  // namespace qv::test
