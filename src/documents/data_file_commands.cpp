#include "documents/data_file_commands.h"

#include "data/data_panel.h"
#include "data/data_set.h"
#include "data/grid_input_validation.h"
#include "data/panel_layout.h"
#include "document_tokens.h"
#include "documents/document_host.h"
#include "documents/text_data.h"
#include "graphs/workspace.h"
#include "path_text.h"
#include "platform/file_dialog.h"
#include "platform/file_replace.h"
#include "platform/message_box.h"
#include "save_choice.h"

namespace qv {

namespace {

// The largest file that can hold a sound text data file: at most
// kMaxTextDataItems items of at most kMaxTokenChars characters, each with its
// separator (a CR LF at most). A larger file is refused before it is read.
constexpr std::uint64_t kMaxTextDataBytes =
    std::uint64_t{kMaxTextDataItems} * (kMaxTokenChars + 2) + 3;

FileDialogRequest Request(const char* title) {
  FileDialogRequest request;
  request.title = title;
  request.filter = kTextDataFilter;
  return request;
}

}  // namespace

DataFileCommands::DataFileCommands(Workspace& workspace, DocumentHost& host)
    : workspace_(workspace), host_(host) {}

void DataFileCommands::ShowError(const std::string& text) {
  host_.Messages().Show(text, "Error", MsgIcon::Exclamation, MsgButtons::OK);
}

void DataFileCommands::Import() {
  const FileDialogResult chosen = host_.FileDialogs().ShowOpen(Request("Open"));
  if (chosen.Cancelled()) return;
  ImportFile(chosen.fileName);
}

bool DataFileCommands::ImportFile(const std::string& path) {
  const auto refuse = [&](const std::string& reason) {
    ShowError("The data file " + QuotedPath(path) + " could not be imported: " + reason + ".");
    return false;
  };
  const FileBytes bytes = ReadRegularFile(path, kMaxTextDataBytes);
  if (!bytes.Ok()) {
    return refuse(ReadProblemText(bytes, "the file is larger than any data file can be"));
  }
  const TextDataRead read = ReadTextData(bytes.bytes);
  if (!read.ok) return refuse(read.reason);
  const TextDataFile& data = read.data;
  DataPanel& panel = host_.Panel();
  panel.SetKindIndex(data.kind);
  for (const auto& [box, text] : data.boxes) panel.SetText(box, text);
  host_.SetSheetRows(static_cast<Long>(data.cells.size()) + 1);
  host_.SetSheetRedraw(false);
  for (std::size_t row = 1; row <= data.cells.size(); ++row) {
    for (Long column = 1; column <= kSheetDataColumns; ++column) {
      panel.SetCell(static_cast<Long>(row), column,
                    data.cells[row - 1][static_cast<std::size_t>(column - 1)]);
    }
  }
  host_.SetSheetRedraw(true);
  return true;
}

bool DataFileCommands::Write(const std::string& text) {
  const FileDialogResult chosen =
      ChooseFileToSave(host_.FileDialogs(), host_.Messages(), Request("Output"));
  if (chosen.Cancelled()) return false;
  const std::string failure = ReplaceFile(chosen.fileName, text);
  if (failure.empty()) return true;
  ShowError("The data file " + QuotedPath(chosen.fileName) + " could not be written: " + failure +
            ".");
  return false;
}

void DataFileCommands::Output() {
  DataPanel& panel = host_.Panel();
  std::string message;
  if (!ValidateGridInput(panel, message)) {
    ShowError(message);
    return;
  }
  Write(OutputDataText(panel));
}

void DataFileCommands::OutputGridded() {
  DataPanel& panel = host_.Panel();
  const Long kind = panel.KindIndex();
  const std::optional<PanelLayout> layout = LayoutOfKind(kind);
  if (!layout || !layout->irregular) return;
  // A data set of its own, gridded by the document's methods: the one the
  // graphs are drawn from keeps its data whatever happens here.
  DataSet grid;
  SharedSettings settings = workspace_.settings;
  DataContext context{panel, settings, host_.Messages(), host_.Work()};
  if (!grid.LoadGridded(context)) return;
  Write(GriddedDataText(grid, kind));
}

}  // namespace qv
