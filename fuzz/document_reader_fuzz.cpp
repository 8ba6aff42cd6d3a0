// Any file opened as a document must neither crash nor leave the window in a
// state it cannot live with. The bytes are opened the way File > Open opens a
// file, into a fresh window whose controls are fakes. Then:
// - a refused file shows a message and changes nothing;
// - an opened document keeps the graph list in step with AllGraphs, every
//   graph shown, unique IDs that no new graph can take, slice and
//   colour-point counts inside their tables, and graph and axis records that
//   read back as they were written;
// - an opened document saves, and what is saved opens again and saves to the
//   same bytes (the first save may differ from the file, which it
//   normalises).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "data/memory_data_panel.h"
#include "documents/document_container.h"
#include "documents/document_host.h"
#include "documents/document_writer.h"
#include "documents/file_association.h"
#include "documents/file_commands.h"
#include "graphs/graph_record.h"
#include "graphs/workspace.h"
#include "platform/long_work.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_message_box.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "document reader fuzz: %s\n", what);
  std::abort();
}

// The main window as the File commands see it, without a display: the graph
// list is a list of captions, checking an entry shows its graph.
class FakeHost final : public qv::DocumentHost {
 public:
  explicit FakeHost(qv::Workspace& workspace) : workspace_(workspace) {}

  qv::MessageBoxService& Messages() override { return messages; }
  qv::FileDialogService& FileDialogs() override { return dialogs; }
  qv::DataPanel& Panel() override { return panel; }
  qv::LongWorkRunner& Work() override { return work_; }
  void ClearMouseModes() override {}
  void SetUseCurQuat(bool) override {}
  void EnableMenus(qv::Long) override {}
  void ViewIso() override {}
  void DeleteAllGraphs() override {
    workspace_.shownGraphs.Items.Clear();
    workspace_.allGraphs.Items.Clear();
    list.clear();
    checked.clear();
  }
  void AddListEntry(const std::string& caption) override {
    list.push_back(caption);
    checked.push_back(false);
  }
  void CheckListEntry(std::size_t index) override {
    if (index >= list.size()) Fail("a check of a list entry that does not exist");
    if (static_cast<qv::Long>(list.size()) != workspace_.allGraphs.Items.Count()) {
      Fail("the graph list is out of step with AllGraphs");
    }
    checked[index] = true;
    const qv::Long position = static_cast<qv::Long>(index) + 1;
    workspace_.shownGraphs.Items.Add(workspace_.allGraphs.Items.Item(position),
                                     workspace_.allGraphs.Items.KeyAt(position));
    fitPending = false;
  }
  void SetFitPending(bool pending) override { fitPending = pending; }
  void SetSheetRows(qv::Long) override {}
  void SetSheetHeaderRow(const std::array<std::string, 5>&) override {}
  void SetSheetRedraw(bool) override {}
  void ResetAxisFonts() override {}
  void Repaint() override {}
  qv::RgbImage CaptureDrawingArea() override { return {}; }
  void CloseMainWindow() override {}

  qv::test::ScriptedMessageBox messages;
  qv::test::ScriptedFileDialog dialogs;
  qv::MemoryDataPanel panel;
  std::vector<std::string> list;
  std::vector<bool> checked;
  bool fitPending = false;

 private:
  qv::Workspace& workspace_;
  qv::ImmediateWorkRunner work_;
};

// A fresh main window: a new 3D document, as at start-up without a file.
struct Window {
  qv::Workspace workspace;
  FakeHost host{workspace};
  qv::FileAssociation association{qv::AssociationPaths{}, ""};
  qv::FileCommands commands{workspace, host, association};
  Window() { commands.New3D(); }
};

// The file the fuzzer's bytes are written to, one per process. The File
// commands read it whole, so it is removed as soon as they return.
const std::string& ScratchPath() {
  static const std::string path = (std::filesystem::temp_directory_path() /
                                   ("qv_fuzz_document_" + std::to_string(getpid()) + ".qrv"))
                                      .string();
  return path;
}

qv::OpenOutcome Open(Window& window, std::string_view bytes) {
  {
    std::ofstream file(ScratchPath(), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) Fail("the scratch file cannot be written");
  }
  const qv::OpenOutcome outcome = window.commands.OpenDocument(ScratchPath());
  std::remove(ScratchPath().c_str());
  return outcome;
}

// The graph's record, read into a fresh graph as the clipboard reads it,
// must give the same record again and end where the record ends.
void CheckGraphRecord(const qv::Graph& graph, const qv::Workspace& workspace) {
  const std::string saved = graph.Save(workspace.settings);
  qv::RecordReader reader(qv::SplitRecord(saved));
  qv::Graph back;
  qv::SharedSettings settings = workspace.settings;
  const qv::GraphRecordResult read =
      qv::ReadGraphRecord(reader, graph.RecordFormat(), back, settings);
  if (!read.ok) Fail("a graph's record is refused when read back");
  if (!reader.AtEnd()) Fail("a graph's record reads back shorter or longer");
  if (back.Save(settings) != saved) Fail("a graph's record reads back differently");
}

void CheckAxisRecord(const qv::AxisSystem& axis) {
  const std::string saved = axis.Save();
  qv::RecordReader reader(qv::SplitRecord(saved));
  qv::AxisSystem back;
  back.Read(reader);
  if (!reader.AtEnd() || back.Save() != saved) Fail("the axis record reads back differently");
}

void CheckOpened(const Window& window) {
  const qv::Workspace& workspace = window.workspace;
  const FakeHost& host = window.host;
  const qv::Long count = workspace.allGraphs.Items.Count();
  if (static_cast<qv::Long>(host.list.size()) != count)
    Fail("the graph list is out of step with AllGraphs");
  if (workspace.shownGraphs.Items.Count() != count) Fail("an opened graph is not shown");
  if (host.fitPending && count != 0) Fail("the first check did not fit the view");
  std::set<qv::Long> ids;
  for (qv::Long position = 1; position <= count; ++position) {
    const auto* graph =
        dynamic_cast<const qv::Graph*>(workspace.allGraphs.Items.Item(position).get());
    if (graph == nullptr) Fail("AllGraphs holds something that is no graph");
    const qv::Long id = graph->ID();
    if (workspace.allGraphs.Items.KeyAt(position) != qv::CStr(id))
      Fail("a graph is not keyed by its ID");
    if (!ids.insert(id).second) Fail("two graphs share an ID");
    // New graphs take NextGraphID + 1, so no ID may lie beyond NextGraphID.
    if (id > workspace.settings.NextGraphID) Fail("a new graph could take an ID in use");
    for (const qv::Long slices : {graph->Slice4NumX, graph->Slice4NumY, graph->Slice4NumZ}) {
      if (slices < 0 || slices > qv::kMaxSlices) Fail("a slice count outside 0..50");
    }
    if (graph->ColorNum < 0 || graph->ColorNum > 31) Fail("a colour-point count outside 0..31");
    if (host.list[static_cast<std::size_t>(position - 1)].empty())
      Fail("a graph without a list caption");
    CheckGraphRecord(*graph, workspace);
  }
  CheckAxisRecord(workspace.axisSystem);
}

// A refused or empty file changes nothing of the fresh window.
void CheckUnchanged(const Window& window, const Window& fresh) {
  if (window.workspace.allGraphs.Items.Count() != 0 || !window.host.list.empty())
    Fail("a refused file left graphs");
  if (window.workspace.axisSystem.Save() != fresh.workspace.axisSystem.Save())
    Fail("a refused file changed the axis");
  if (window.host.panel.KindIndex() != fresh.host.panel.KindIndex())
    Fail("a refused file changed the data kind");
  for (int box = 1; box <= 10; ++box) {
    if (window.host.panel.Text(box) != fresh.host.panel.Text(box))
      Fail("a refused file changed the panel");
  }
  if (!window.host.panel.Cell(1, 1).empty()) Fail("a refused file changed the sheet");
  if (window.workspace.settings.ViewCode != fresh.workspace.settings.ViewCode)
    Fail("a refused file changed the view");
}

// Saves the open document; a document that opened but cannot be saved would
// keep the user's work hostage.
std::string Save(const Window& window) {
  const qv::DocumentWriteResult written =
      qv::WriteDocumentText(window.workspace, window.host.panel);
  if (!written.ok) {
    std::fprintf(stderr, "the writer refused: %s\n", written.reason.c_str());
    Fail("an opened document cannot be saved");
  }
  return qv::EncodeContainer(written.text);
}

void CheckSavesAgain(const Window& window) {
  const std::string first = Save(window);
  Window again;
  if (Open(again, first) != qv::OpenOutcome::Opened) {
    for (const std::string& text : again.host.messages.Texts())
      std::fprintf(stderr, "%s\n", text.c_str());
    Fail("a saved document does not open");
  }
  if (Save(again) != first) Fail("a saved document saves again differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const qv::ContainerText value = qv::DecodeContainer(bytes);
  if (value.ok && qv::DecodeContainer(qv::EncodeContainer(value.text)).text != value.text) {
    Fail("the container does not keep its text");
  }
  // Bytes that are no sound container are also opened as the text of one, so
  // that a mutation of the length field does not hide the text from the
  // reader.
  std::vector<std::string> files{std::string(bytes)};
  if (!value.ok) files.push_back(qv::EncodeContainer(bytes));
  for (const std::string& file : files) {
    const Window fresh;
    Window window;
    switch (Open(window, file)) {
      case qv::OpenOutcome::Opened:
        CheckOpened(window);
        CheckSavesAgain(window);
        break;
      case qv::OpenOutcome::Refused:
        if (window.host.messages.Shown().empty()) Fail("a refused file shows no message");
        CheckUnchanged(window, fresh);
        break;
      case qv::OpenOutcome::Unchanged:
        if (!window.host.messages.Shown().empty()) Fail("an empty file shows a message");
        CheckUnchanged(window, fresh);
        break;
    }
  }
  return 0;
}
