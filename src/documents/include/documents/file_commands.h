// The File menu: New 2D, New 3D and New 4D Graphs, Open..., Save, SaveAs...
// and Exit, with opening a document by path (the command line, the samples).
// The commands act on one Workspace through the window's DocumentHost.
#pragma once

#include <optional>
#include <string>

#include "platform/runtime.h"

namespace qv {

class DataSet;
class DocumentHost;
class MemoryDataPanel;
struct SharedSettings;
class FileAssociation;
struct StagedDocument;
struct Workspace;

// How an attempt to open a document ended.
enum class OpenOutcome {
  Opened,     // the document replaced the current one
  Unchanged,  // no path, or the loading was stopped: nothing happened, nothing shown
  Refused,    // unreadable or unsound: a message was shown, nothing changed
};

// Texts of the commands' questions and dialogs.
inline constexpr char kSaveChangesQuestion[] = "Save changes to the file?";
inline constexpr char kSaveGraphsQuestion[] = "Do you want to save the graphs?";
inline constexpr char kDocumentFilter[] = "(*.qrv)|*.qrv";
inline constexpr char kSaveAsFilter[] = "*.qrv|*.qrv|*.bmp|*.bmp";

class FileCommands {
 public:
  // The three must outlive the commands.
  FileCommands(Workspace& workspace, DocumentHost& host, FileAssociation& association);

  // File > New 3D Graphs: asks to save when graphs exist and the document
  // is Modified (without the question they go as after No), then resets the
  // light, the scene rotation, the axis system, its fonts and the view to 3D.
  void New3D();
  // File > New 4D Graphs: as New3D with the 4D view.
  void New4D();
  // File > New 2D Graphs: turns the view flat first, then offers to save and
  // discard the graphs (Cancel keeps them in the 2D view); the offer comes
  // only when the document was Modified before the view turned.
  void New2D();
  // File > Open...: offers to save shown graphs of a Modified document, asks
  // for a file, opens it.
  void Open();
  // File > Save: asks for a file name and writes the document. Returns
  // SaveOK: true when the document was written or there was nothing to
  // save, false when the dialog was cancelled or the save failed (with a
  // message).
  bool Save();
  // File > SaveAs...: the document (first filter) or a BMP picture of the
  // drawing area (second filter).
  void SaveAs();
  // File > Exit: closes the main window, which offers to save.
  void Exit();

  // Replaces the document with the one at path (a file-system path). An
  // empty path or an empty file changes nothing; an unreadable or unsound
  // file is reported and changes nothing.
  OpenOutcome OpenDocument(const std::string& path);
  // A sample document of the Demo menu: offers to save the shown graphs as
  // Open does (Cancel, or a save that did not happen, opens nothing), then
  // opens path. A missing sample is reported without the question; a
  // missing or refused one changes nothing.
  OpenOutcome OpenSample(const std::string& path);
  // Start-up: opens the document named by commandLine, or starts a new 3D
  // document when there is none or it cannot be opened.
  void OpenAtStartUp(const std::string& commandLine);
  // Start-up: writes the document file association.
  void WriteFileAssociation();

  // The flag the New commands read after Save.
  bool SaveOK() const { return saveOK_; }

  // Whether the document changed since it was last opened, made new or
  // saved: the text a save would write is another than it was then. True
  // before any of those. The questions before New, Open, a sample and the
  // close are asked only then; a document just opened has nothing to lose.
  bool Modified();

 private:
  // Clears the mouse modes and, with graphs shown in a Modified document,
  // asks whether to save them; false when the user cancelled or the save did
  // not happen.
  bool OfferToSaveBeforeOpen();
  void PlaceLight(Long viewCode);
  void ResetNew(Long viewCode);
  void NewWithReset(Long viewCode);
  // The document text as a save writes it (checked), or nullopt after its
  // message.
  std::optional<std::string> CheckedDocumentText();
  bool WriteDocument(const std::string& path, const std::string& text);
  // The document as it is now is the one that Modified compares with.
  void MarkUnmodified();
  void MarkUnmodified(const std::string& text) { unmodifiedText_ = text; }
  bool SaveDocumentTo(const std::string& path);
  void SavePicture(const std::string& path, const struct RgbImage& picture);
  void StageDataPanel(const StagedDocument& staged, MemoryDataPanel& panel);
  void ApplyView(Long viewCode);
  void ApplySettings(const SharedSettings& from);
  void ApplyDocument(StagedDocument& staged, const MemoryDataPanel& loaded, DataSet& data);
  void ShowError(const std::string& text);

  Workspace& workspace_;
  DocumentHost& host_;
  FileAssociation& association_;
  bool saveOK_ = false;
  // The text of the document when it was last opened, made new or saved.
  std::optional<std::string> unmodifiedText_;
};

// The command line as one document path: the arguments after the program's
// name joined with single blanks ("" when there are none).
std::string CommandLinePath(int argc, const char* const* argv);

}  // namespace qv
