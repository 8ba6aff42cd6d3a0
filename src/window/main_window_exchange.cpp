// The main window's exchange commands: the data file commands and Print of
// the File menu, the Edit menu (copy, cut, paste and delete of graphs, the
// picture) with the list's and the drawing area's pop-up entries, the
// sheet's pop-up, and the Help menu's web entries.
#include <limits>

#include "documents/graph_clipboard.h"
#include "graphs/graph_kinds.h"
#include "platform/message_box.h"
#include "platform/message_text.h"
#include "platform/text_encoding.h"
#include "window/main_window_core.h"
#include "window/web_entries.h"

namespace qv {

namespace {

constexpr char kPasteRefused[] = "The clipboard's text could not be pasted as a graph: ";

// The picture with an opaque alpha byte after each pixel.
RgbaImage ToRgba(const RgbImage& image) {
  RgbaImage picture;
  if (image.Empty()) return picture;
  picture.width = image.width;
  picture.height = image.height;
  picture.pixels.reserve(image.rgb.size() / 3 * 4);
  for (std::size_t at = 0; at + 2 < image.rgb.size(); at += 3) {
    picture.pixels.insert(picture.pixels.end(),
                          {image.rgb[at], image.rgb[at + 1], image.rgb[at + 2], 255});
  }
  return picture;
}

}  // namespace

bool MainWindowCore::RunExchangeFileCommand(MenuItem item) {
  switch (item) {
    case MenuItem::mnuFileImport: dataFiles_.Import(); break;
    case MenuItem::mnuFileOutput: dataFiles_.Output(); break;
    case MenuItem::mnuFileGridded: dataFiles_.OutputGridded(); break;
    case MenuItem::mnuFilePrint: PrintPicture(); return true;
    default: return false;
  }
  view_.ModelsChanged();
  return true;
}

void MainWindowCore::PrintPicture() {
  if (printer_ == nullptr) return;
  const RgbaImage picture = ToRgba(CaptureDrawingArea());
  if (picture.pixels.empty()) {
    ShowEditError("The picture could not be printed: the drawing area is empty.");
    return;
  }
  const PrintResult result = printer_->PrintPicture(picture);
  if (result.outcome == PrintOutcome::Failed)
    ShowEditError("The picture could not be printed: " + result.problem + ".");
}

void MainWindowCore::CopyPicture() {
  if (workspace_->shownGraphs.Items.Count() < 1 || clipboard_ == nullptr) return;
  const RgbaImage picture = ToRgba(CaptureDrawingArea());
  if (picture.pixels.empty()) {
    ShowEditError("The picture could not be copied: the drawing area is empty.");
    return;
  }
  if (!clipboard_->SetPicture(picture))
    ShowEditError("The picture could not be copied: the clipboard could not be opened.");
}

void MainWindowCore::ShowEditError(const std::string& text) {
  services_.messages.Show(text, "Error", MsgIcon::Exclamation, MsgButtons::OK);
}

bool MainWindowCore::RunEditCommand(MenuItem item) {
  if (working_) return true;  // refused until the long work has ended
  switch (item) {
    case MenuItem::mnuEditCut: {
      // With no graph shown Copy copies nothing and the delete runs all the
      // same; a copy that failed keeps the graph, which would be lost.
      const bool noneShown = workspace_->shownGraphs.Items.Count() < 1;
      const bool cut = CopyGraph() || noneShown;
      if (cut) DeleteSelectedGraph();
      view_.ModelsChanged();
      return cut;
    }
    case MenuItem::mnuEditCopy: return CopyGraph();
    case MenuItem::mnuEditCopyAs: CopyPicture(); return true;
    case MenuItem::mnuEditPaste: PasteGraph(); return true;
    case MenuItem::mnuEditDelete: DeleteSelectedGraph(); return true;
    case MenuItem::mnuEditDelAll: DeleteAllGraphs(); return true;
    default: return false;
  }
}

bool MainWindowCore::CopyGraph() {
  Workspace& ws = *workspace_;
  if (ws.shownGraphs.Items.Count() < 1) return false;
  const Long index = list_.ListIndex();
  if (index < 0 || index >= ws.allGraphs.Items.Count()) return false;
  const std::string text = CopiedGraphText(*ws.allGraphs.Items.Item(index + 1), ws.settings);
  if (clipboard_ == nullptr || !clipboard_->SetText(Cp1252ToUtf8(text))) {
    ShowEditError("The graph could not be copied: the clipboard could not be opened.");
    return false;
  }
  flags_.CopiedCount = 1;
  return true;
}

void MainWindowCore::CutGraph() { RunEditCommand(MenuItem::mnuEditCut); }

void MainWindowCore::PasteGraph() {
  if (flags_.CopiedCount < 1 || clipboard_ == nullptr) return;
  const auto refuse = [&](const std::string& reason) {
    ShowEditError(kPasteRefused + reason + ".");
  };
  const std::optional<std::string> utf8 = clipboard_->Text();
  if (!utf8) return refuse("the clipboard holds no text");
  const std::optional<std::string> text = Utf8ToCp1252(*utf8);
  if (!text) return refuse("it holds a character that documents cannot hold");
  Workspace& ws = *workspace_;
  PastedGraph pasted = ReadPastedGraph(*text, ws, dataPanel_);
  if (!pasted.graph) return refuse(pasted.reason);
  // The next ID, past any that a graph of the document already holds.
  Long id = ws.settings.NextGraphID;
  do {
    if (id >= std::numeric_limits<Long>::max()) return refuse("the document has no graph ID left");
    ++id;
  } while (ws.allGraphs.Items.Contains(CStr(id)));
  Graph& graph = *pasted.graph;
  graph.SetID(id);
  ws.settings.NextGraphID = id;
  ws.settings.GridMethod = pasted.gridMethod;
  ws.settings.GridMethod4D = pasted.gridMethod4D;
  PrepareDataForGraph(graph, ws.dataSet, services_.messages, &work_);
  // The new entry shows the graph as the selected entry shows its own; with
  // no entry selected the graph is shown, as the user pasted it to see it.
  const Long selected = list_.ListIndex();
  const bool checked = selected < 0 || list_.Selected(selected);
  ws.allGraphs.Items.Add(pasted.graph, CStr(id));
  list_.AddItem(ListCaption(graph, ws.settings.ViewCode));
  list_.SetSelected(list_.ListCount() - 1, checked);
  OnGraphListCheck();
  view_.ModelsChanged();
}

void MainWindowCore::DeleteSelectedGraph() {
  Workspace& ws = *workspace_;
  const Long index = list_.ListIndex();
  if (ws.allGraphs.Items.Count() < 1 || index < 0 || index >= ws.allGraphs.Items.Count()) return;
  const std::shared_ptr<SceneItem> graph = ws.allGraphs.Items.Item(index + 1);
  const std::string key = CStr(graph->ID());
  // What the graph made in the drawing context goes with it, in that context.
  if (glReady_ && !released_) {
    GlContext* context = view_.DrawingContext();
    if (context != nullptr && context->MakeCurrent()) graph->ReleaseDrawing();
  }
  for (Long position = 1; position <= ws.shownGraphs.Items.Count(); ++position) {
    if (ws.shownGraphs.Items.Item(position)->ID() == graph->ID()) {
      ws.shownGraphs.Items.Remove(position);
      break;
    }
  }
  ws.allGraphs.Items.Remove(index + 1);
  list_.RemoveItem(index);
  RebuildAndShow();
  view_.ModelsChanged();
}

bool MainWindowCore::OpenWebEntry(MenuItem item) {
  const std::optional<std::string_view> address = WebAddress(item);
  if (!address) return false;
  const std::size_t hash = address->find('#');
  const std::string file(address->substr(0, hash));
  const std::string anchor(hash == std::string_view::npos ? "" : address->substr(hash + 1));
  ShowInBrowser(programFolder_.empty() ? file : programFolder_ + "/" + file, anchor);
  return true;
}

void MainWindowCore::OpenHomePage() { OpenWebEntry(MenuItem::mnuHelpHome); }

bool MainWindowCore::RunSheetCommand(MenuItem item, const SheetBlock& block) {
  if (working_) return true;  // refused until the long work has ended
  SheetEdit edit;
  switch (item) {
    case MenuItem::mnuGECutIt:
    case MenuItem::mnuGECopy: {
      if (!DataPart(sheet_, block)) return true;
      if (clipboard_ == nullptr || !clipboard_->SetText(Cp1252ToUtf8(CopyCells(sheet_, block)))) {
        ShowEditError("The cells could not be copied: the clipboard could not be opened.");
        return true;
      }
      if (item == MenuItem::mnuGECutIt) edit = ClearCells(sheet_, block);
      break;
    }
    case MenuItem::mnuGEPaste: {
      const std::optional<std::string> utf8 =
          clipboard_ != nullptr ? clipboard_->Text() : std::nullopt;
      if (!utf8) return true;
      const std::optional<std::string> text = Utf8ToCp1252(*utf8);
      if (!text) {
        edit.message =
            "The cells could not be pasted: the clipboard's text holds a character that the "
            "data sheet cannot hold.";
      } else {
        edit = PasteCells(sheet_, block, *text);
      }
      break;
    }
    case MenuItem::mnuGEDelete: edit = ClearCells(sheet_, block); break;
    case MenuItem::mnuGEInsertRow: edit = InsertRows(sheet_, block); break;
    case MenuItem::mnuGEDelRow: edit = DeleteRows(sheet_, block); break;
    case MenuItem::mnuGEInsertCol: edit = InsertColumns(sheet_, block); break;
    case MenuItem::mnuGEDelCol: edit = DeleteColumns(sheet_, block); break;
    default: return false;
  }
  // Rows that came or went take their index texts.
  if (edit.changed) WriteIndexColumn(panel_, sheet_);
  view_.ModelsChanged();
  if (!edit.message.empty()) ShowEditError(edit.message);
  return true;
}

}  // namespace qv
