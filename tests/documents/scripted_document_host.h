// A DocumentHost for tests: the window's state in memory (a data panel, a
// graph list with check marks, the sheet's size and header row), scripted
// message boxes and file dialogs, and a record of every call the document
// commands make.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "data/memory_data_panel.h"
#include "documents/document_host.h"
#include "graphs/graph.h"
#include "graphs/workspace.h"
#include "platform/long_work.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_message_box.h"

namespace qv::test {

struct ListEntry {
  std::string caption;
  bool checked = false;
};

class ScriptedDocumentHost final : public DocumentHost {
 public:
  explicit ScriptedDocumentHost(Workspace& workspace) : workspace_(workspace) {}

  MessageBoxService& Messages() override { return messages; }
  FileDialogService& FileDialogs() override { return dialogs; }
  DataPanel& Panel() override { return panel; }
  LongWorkRunner& Work() override { return work_; }

  void ClearMouseModes() override { ++mouseModeClears; }
  void SetUseCurQuat(bool use) override { useCurQuat = use; }
  void EnableMenus(Long viewCode) override { enabledViews.push_back(viewCode); }
  void ViewIso() override { ++isoViews; }

  void DeleteAllGraphs() override;
  void AddListEntry(const std::string& caption) override { list.push_back({caption, false}); }
  // Checks the entry and shows its graph, as the list's check handler does;
  // the first check with FitPending set fits the view.
  void CheckListEntry(std::size_t index) override;
  void SetFitPending(bool pending) override { fitPending = pending; }

  void SetSheetRows(Long rows) override { sheetRows = rows; }
  void SetSheetHeaderRow(const std::array<std::string, 5>& headers) override {
    sheetHeaders = headers;
  }
  void SetSheetRedraw(bool on) override { redraws.push_back(on); }

  void ResetAxisFonts() override { ++axisFontResets; }
  void Repaint() override { ++repaints; }
  RgbImage CaptureDrawingArea() override {
    ++captures;
    return picture;
  }
  void CloseMainWindow() override { ++closes; }

  // Adds a graph to AllGraphs with a list entry, checked (and shown) or not,
  // as the Draw menu would.
  void AddGraph(std::shared_ptr<Graph> graph, bool shown);

  ScriptedMessageBox messages;
  ScriptedFileDialog dialogs;
  MemoryDataPanel panel;
  std::vector<ListEntry> list;
  // What the commands asked of the window.
  int mouseModeClears = 0;
  bool useCurQuat = true;
  std::vector<Long> enabledViews;
  int isoViews = 0;
  int deleteAlls = 0;
  bool fitPending = false;
  int fits = 0;
  Long sheetRows = 0;
  std::array<std::string, 5> sheetHeaders;
  std::vector<bool> redraws;
  int axisFontResets = 0;
  int repaints = 0;
  int captures = 0;
  int closes = 0;
  // The drawing area's picture that CaptureDrawingArea hands out.
  RgbImage picture;

 private:
  Workspace& workspace_;
  ImmediateWorkRunner work_;
};

}  // namespace qv::test
