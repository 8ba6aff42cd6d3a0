#include "documents/file_commands.h"

#include <filesystem>
#include <system_error>

#include "bmp_writer.h"
#include "data/data_panel.h"
#include "data/memory_data_panel.h"
#include "data_set_bridge.h"
#include "document_tokens.h"
#include "documents/document_container.h"
#include "documents/document_file.h"
#include "documents/document_host.h"
#include "documents/document_reader.h"
#include "documents/document_writer.h"
#include "documents/file_association.h"
#include "graphs/graph_kinds.h"
#include "graphs/workspace.h"
#include "path_text.h"
#include "platform/deferred_messages.h"
#include "platform/file_dialog.h"
#include "platform/file_replace.h"
#include "platform/long_work.h"
#include "platform/message_box.h"
#include "platform/message_text.h"
#include "platform/text_encoding.h"
#include "save_choice.h"

namespace qv {
namespace {

// The folder of the document file at path, where its relative texture
// names are looked for.
std::string FolderOf(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return (error ? std::filesystem::path(path) : absolute).parent_path().string();
}

constexpr char kErrorTitle[] = "Error";
constexpr char kNoteTitle[] = "Note";

MsgAnswer AskYesNoCancel(DocumentHost& host, const char* question) {
  return host.Messages().Show(question, kNoteTitle, MsgIcon::Exclamation, MsgButtons::YesNoCancel);
}

FileDialogRequest Request(const char* title, const char* filter) {
  FileDialogRequest request;
  request.title = title;
  request.filter = filter;
  return request;
}

void SetRotation(SceneGroup& group, double roll, double pitch, double yaw) {
  group.RotRoll = roll;
  group.RotPitch = pitch;
  group.RotYaw = yaw;
}

}  // namespace

FileCommands::FileCommands(Workspace& workspace, DocumentHost& host, FileAssociation& association)
    : workspace_(workspace), host_(host), association_(association) {}

void FileCommands::ShowError(const std::string& text) {
  host_.Messages().Show(text, kErrorTitle, MsgIcon::Exclamation, MsgButtons::OK);
}

// New documents

// Documents do not hold the light: it is placed for the view kind, so a
// document looks the same whatever was open before it.
void FileCommands::PlaceLight(Long viewCode) {
  const float lightAt = viewCode == kViewCode2D ? 0.0f : 1000.0f;
  workspace_.sceneLight.Position(0) = lightAt;
  workspace_.sceneLight.Position(1) = lightAt;
}

void FileCommands::ResetNew(Long viewCode) {
  PlaceLight(viewCode);
  SetRotation(workspace_.shownGraphs, 0.0, -30.0, 45.0);
  host_.ClearMouseModes();
  workspace_.settings.ViewCode = viewCode;
  workspace_.axisSystem.BetterFonts = true;
  workspace_.axisSystem.SetDefault();
  host_.ResetAxisFonts();
  workspace_.settings.NextGraphID = 0;
  workspace_.documentFolder.clear();
  host_.EnableMenus(viewCode);
  MarkUnmodified();
}

void FileCommands::NewWithReset(Long viewCode) {
  if (workspace_.allGraphs.Items.Count() == 0) {
    ResetNew(viewCode);
    return;
  }
  // Graphs that are saved as they are go without the question.
  const MsgAnswer answer = Modified() ? AskYesNoCancel(host_, kSaveChangesQuestion) : MsgAnswer::No;
  switch (answer) {
    case MsgAnswer::Yes:
      // A cancelled dialog or a failed write is no save: the graphs stay.
      if (!Save()) return;
      host_.DeleteAllGraphs();
      ResetNew(viewCode);
      saveOK_ = false;
      return;
    case MsgAnswer::No:
      host_.DeleteAllGraphs();
      ResetNew(viewCode);
      return;
    default: return;
  }
}

void FileCommands::New3D() { NewWithReset(kViewCode3D); }

void FileCommands::New4D() { NewWithReset(kViewCode4D); }

void FileCommands::New2D() {
  // Read before the view turns flat, which is itself a change of the text.
  const bool modified = workspace_.allGraphs.Items.Count() != 0 && Modified();
  host_.ViewIso();
  PlaceLight(kViewCode2D);
  SetRotation(workspace_.shownGraphs, 0.0, 0.0, 0.0);
  host_.ClearMouseModes();
  workspace_.settings.ViewCode = kViewCode2D;
  workspace_.axisSystem.BetterFonts = true;
  if (workspace_.allGraphs.Items.Count() != 0) {
    const MsgAnswer answer = modified ? AskYesNoCancel(host_, kSaveChangesQuestion) : MsgAnswer::No;
    if (answer == MsgAnswer::Yes) {
      if (Save()) host_.DeleteAllGraphs();
    } else if (answer == MsgAnswer::No) {
      host_.DeleteAllGraphs();
    }
  }
  if (workspace_.allGraphs.Items.Count() == 0) {
    // Only now is it a new document; kept graphs keep their fonts.
    host_.ResetAxisFonts();
    workspace_.settings.NextGraphID = 0;
    workspace_.documentFolder.clear();
  }
  host_.EnableMenus(kViewCode2D);
  if (workspace_.allGraphs.Items.Count() == 0) MarkUnmodified();
}

// Opening

bool FileCommands::OfferToSaveBeforeOpen() {
  host_.ClearMouseModes();
  if (workspace_.shownGraphs.Items.Count() != 0 && Modified()) {
    const MsgAnswer answer = AskYesNoCancel(host_, kSaveGraphsQuestion);
    if (answer == MsgAnswer::Cancel) return false;
    // A save the user asked for that did not happen must not lose the graphs.
    if (answer == MsgAnswer::Yes && !Save()) return false;
  }
  return true;
}

void FileCommands::Open() {
  if (!OfferToSaveBeforeOpen()) return;
  const FileDialogResult chosen =
      host_.FileDialogs().ShowOpen(Request("Open File", kDocumentFilter));
  OpenDocument(chosen.fileName);
}

OpenOutcome FileCommands::OpenSample(const std::string& path) {
  // A sample that is not there is said so at once: asking to save first
  // would only lead to that message.
  std::error_code error;
  const bool present = std::filesystem::is_regular_file(path, error);
  if (present && !OfferToSaveBeforeOpen()) return OpenOutcome::Unchanged;
  return OpenDocument(path);
}

OpenOutcome FileCommands::OpenDocument(const std::string& path) {
  if (path.empty()) return OpenOutcome::Unchanged;
  const auto refuse = [&](const std::string& reason) {
    ShowError("The document " + QuotedPath(path) + " could not be opened: " + reason + ".");
    return OpenOutcome::Refused;
  };
  const ContainerText value = ReadDocumentFile(path);
  if (!value.ok) return refuse(value.problem);
  // An empty file (or container) holds no document: the user asked for one,
  // so say why nothing opened.
  if (value.text.empty()) return refuse("the file is empty");
  StagedDocument staged;
  const DocumentReadResult read = ReadDocumentText(value.text, workspace_, staged);
  if (!read.ok) return refuse(read.reason);
  // The data set is loaded (and gridded) from a scratch panel first: a data
  // set that its own checks refuse leaves the open document as it was. One
  // that cannot be gridded still opens, so that the user reaches the data
  // and can grid it by another method; the gridding has said why.
  MemoryDataPanel panel;
  StageDataPanel(staged, panel);
  DataSet data;
  // A refusal becomes the reason of the one message; the gridding's own
  // messages are shown as they are.
  DeferredMessages dataMessages;
  if (!LoadDataSet(data, panel, staged.settings, dataMessages, host_.Work())) {
    if (dataMessages.Empty()) return OpenOutcome::Unchanged;  // stopped: the window closes
    return refuse(InnerSentence(dataMessages.FirstText()));
  }
  dataMessages.ShowThrough(host_.Messages());
  // Any Delaunay graph needs the triangles of the points just loaded, not
  // only when it happens to be the last record.
  if (staged.NeedsTriangulation()) data.TriangulateIrregularPoints(host_.Messages(), &host_.Work());
  // Set before the document's graphs are first drawn, which looks for their
  // textures there.
  workspace_.documentFolder = FolderOf(path);
  ApplyDocument(staged, panel, data);
  MarkUnmodified();
  return OpenOutcome::Opened;
}

void FileCommands::OpenAtStartUp(const std::string& commandLine) {
  if (!commandLine.empty() && OpenDocument(commandLine) == OpenOutcome::Opened) return;
  // Without a document the window would have no view kind and no enable
  // pattern: start a new 3D document instead.
  New3D();
}

void FileCommands::WriteFileAssociation() { association_.WriteAtStartUp(); }

// Saving

bool FileCommands::Modified() {
  if (!unmodifiedText_) return true;
  const std::optional<std::string> text = DocumentText(workspace_, host_.Panel());
  return !text || *text != *unmodifiedText_;
}

void FileCommands::MarkUnmodified() { unmodifiedText_ = DocumentText(workspace_, host_.Panel()); }

std::optional<std::string> FileCommands::CheckedDocumentText() {
  DocumentWriteResult document = WriteDocumentText(workspace_, host_.Panel());
  if (!document.ok) {
    ShowError("The document could not be saved: " + document.reason + ".");
    return std::nullopt;
  }
  return std::move(document.text);
}

bool FileCommands::WriteDocument(const std::string& path, const std::string& text) {
  const std::string failure = ReplaceFile(path, EncodeContainer(text));
  if (failure.empty()) {
    workspace_.documentFolder = FolderOf(path);
    MarkUnmodified(text);
    return true;
  }
  ShowError("The document " + QuotedPath(path) + " could not be saved: " + failure + ".");
  return false;
}

bool FileCommands::Save() {
  saveOK_ = true;
  if (workspace_.allGraphs.Items.Count() == 0) return saveOK_;
  // The text is made (and checked) before the dialog, as it always was: a
  // document that cannot be saved asks for no file name.
  const std::optional<std::string> text = CheckedDocumentText();
  if (!text) {
    saveOK_ = false;
    return saveOK_;
  }
  const FileDialogResult chosen =
      ChooseFileToSave(host_.FileDialogs(), host_.Messages(), Request("Save", kDocumentFilter));
  // A cancelled dialog is no save: a New answered Yes keeps the graphs.
  saveOK_ = !chosen.Cancelled() && WriteDocument(chosen.fileName, *text);
  association_.UpdateOnSave();
  return saveOK_;
}

bool FileCommands::SaveDocumentTo(const std::string& path) {
  const std::optional<std::string> text = CheckedDocumentText();
  return text && WriteDocument(path, *text);
}

void FileCommands::SavePicture(const std::string& path, const RgbImage& picture) {
  if (picture.Empty()) {
    ShowError("The picture could not be saved: the drawing area is empty.");
    return;
  }
  // The picture is the drawing area, column for column: the writer's stride
  // pads each row to 4 bytes, so no column need be dropped or added (cutting
  // the width to a multiple of 4 lost up to two columns, widening it read
  // past the drawable).
  const std::string failure = SaveGLBitmap(path, picture.width - 1, picture.height, picture);
  if (!failure.empty())
    ShowError("The picture " + QuotedPath(path) + " could not be saved: " + failure + ".");
}

void FileCommands::SaveAs() {
  const RgbImage picture = host_.CaptureDrawingArea();
  const FileDialogResult chosen =
      ChooseFileToSave(host_.FileDialogs(), host_.Messages(), Request("Save As", kSaveAsFilter));
  if (chosen.Cancelled()) return;
  if (chosen.filterIndex == 1) {
    SaveDocumentTo(chosen.fileName);
  } else {
    SavePicture(chosen.fileName, picture);
  }
  association_.UpdateOnSave();
}

void FileCommands::Exit() { host_.CloseMainWindow(); }

// Replacing the document

void FileCommands::StageDataPanel(const StagedDocument& staged, MemoryDataPanel& panel) {
  // Boxes the record does not carry keep the texts the window shows.
  for (int box = 1; box <= 10; ++box) panel.SetText(box, host_.Panel().Text(box));
  FillDataPanel(staged.data, panel);
}

void FileCommands::ApplyView(Long viewCode) {
  workspace_.settings.ViewCode = viewCode;
  PlaceLight(viewCode);  // as New places it
  if (viewCode == kViewCode2D) {
    SetRotation(workspace_.shownGraphs, 0.0, 0.0, 0.0);
  } else {
    SetRotation(workspace_.shownGraphs, 0.0, -30.0, 45.0);
  }
  host_.SetUseCurQuat(false);
  host_.EnableMenus(viewCode);
}

void FileCommands::ApplySettings(const SharedSettings& from) {
  SharedSettings& settings = workspace_.settings;
  settings.GridMethod = from.GridMethod;
  settings.GridMethod4D = from.GridMethod4D;
  settings.ScaleMode = from.ScaleMode;
  settings.ScaleRatioX = from.ScaleRatioX;
  settings.ScaleRatioY = from.ScaleRatioY;
  settings.ScaleRatioZ = from.ScaleRatioZ;
  settings.ZoomZ = from.ZoomZ;
  settings.NextGraphID = from.NextGraphID;
  // The scales the data set was normalised with.
  settings.DataScaleX = from.DataScaleX;
  settings.DataScaleY = from.DataScaleY;
  settings.DataScaleZ = from.DataScaleZ;
  settings.DataScaleV = from.DataScaleV;
}

void FileCommands::ApplyDocument(StagedDocument& staged, const MemoryDataPanel& loaded,
                                 DataSet& data) {
  // The delete and every check would each rebuild the scene; one build at
  // the end shows the same.
  SceneBatch batch(host_);
  host_.DeleteAllGraphs();
  workspace_.settings.NextGraphID = 0;
  host_.Repaint();
  const Long viewCode = staged.header.viewCode;
  ApplyView(viewCode);

  // The panel gets the texts as the data set's checks left them.
  DataPanel& panel = host_.Panel();
  panel.SetKindIndex(staged.data.kind);
  for (const auto& box : staged.data.boxes) panel.SetText(box.first, loaded.Text(box.first));
  host_.SetSheetRows(static_cast<Long>(staged.data.cells.size()) + 1);
  host_.SetSheetHeaderRow(staged.data.headers);
  host_.SetSheetRedraw(false);
  for (std::size_t row = 1; row <= staged.data.cells.size(); ++row) {
    for (Long column = 1; column <= kSheetDataColumns; ++column) {
      panel.SetCell(static_cast<Long>(row), column, loaded.Cell(static_cast<Long>(row), column));
    }
  }
  for (const auto& graph : staged.graphs) {
    workspace_.allGraphs.Items.Add(graph, CStr(graph->ID()));
    host_.AddListEntry(ListCaption(*graph, viewCode));
  }
  host_.SetSheetRedraw(true);

  workspace_.axisSystem = staged.axis;
  host_.ResetAxisFonts();
  ApplySettings(staged.settings);
  workspace_.dataSet = std::move(data);
  host_.SetFitPending(true);
  for (std::size_t entry = 0; entry < staged.graphs.size(); ++entry) host_.CheckListEntry(entry);
}

std::string CommandLinePath(int argc, const char* const* argv) {
  std::string path;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) path += ' ';
    path += argv[i];
  }
  return path;
}

}  // namespace qv
