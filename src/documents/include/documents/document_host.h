// What the File commands and the document reader need of the main window.
// The window implements it over its real controls; the document tests use a
// scripted fake. Every call runs on the window thread.
#pragma once

#include <array>
#include <cstddef>
#include <exception>
#include <string>

#include "documents/rgb_image.h"
#include "platform/runtime.h"

namespace qv {

class DataPanel;
class LongWorkRunner;
class FileDialogService;
class MessageBoxService;

class DocumentHost {
 public:
  virtual ~DocumentHost() = default;

  // Services
  // Message boxes for questions and failures.
  virtual MessageBoxService& Messages() = 0;
  // The open and save dialogs.
  virtual FileDialogService& FileDialogs() = 0;
  // The data-kind list, the panel boxes Text1..Text10 and the sheet cells.
  virtual DataPanel& Panel() = 0;
  // Runs long work (gridding and triangulating while a document opens) while
  // the window shows how far it got.
  virtual LongWorkRunner& Work() = 0;

  // Interaction state
  // Turns the zoom, move and rotate mouse modes off and stops a spin.
  virtual void ClearMouseModes() = 0;
  // Sets UseCurQuat: False makes the scene turn by the group angles alone.
  virtual void SetUseCurQuat(bool use) = 0;
  // Applies the menu and toolbar enable pattern of a view kind: viewCode 3
  // (EnableMenus3D), 7 (EnableMenus2D) or 11 (EnableMenus4D).
  virtual void EnableMenus(Long viewCode) = 0;
  // View > ISO (used by New 2D before it turns the scene flat).
  virtual void ViewIso() = 0;

  // Graph list
  // Edit > Delete All: runs the graphs' release steps in the drawing context,
  // empties AllGraphs, ShownGraphs and the list, then rebuilds the scene and
  // shows it.
  virtual void DeleteAllGraphs() = 0;
  // Appends an unchecked entry; the caller has already appended its graph to
  // AllGraphs, so entry i stays the graph at position i + 1.
  virtual void AddListEntry(const std::string& caption) = 0;
  // Checks entry index (from 0) and runs the list's check handler, which adds
  // the graph to ShownGraphs, rebuilds the scene and draws; with FitPending
  // set it fits the view instead and clears FitPending.
  virtual void CheckListEntry(std::size_t index) = 0;
  // Sets FitPending, read by the next check change.
  virtual void SetFitPending(bool pending) = 0;
  // A load that checks n entries would rebuild the scene n times, and only
  // the last build is ever seen. Between BeginSceneBatch and the matching
  // EndSceneBatch the window gathers the builds of check changes and deletes
  // into one build (and draw) at the end, with the same final state and the
  // same first-check fit. Batches nest; only the outermost end builds.
  virtual void BeginSceneBatch() {}
  virtual void EndSceneBatch() {}

  // Data sheet
  // Sets the sheet's row count, the header row included (node or point
  // count + 1), and writes the index column of the new rows.
  virtual void SetSheetRows(Long rows) = 0;
  // Writes the sheet's header row, columns 0..4 ("Index", then the kind's
  // column names: "X", "Y", "Z", "Color" for Cartesian surfaces, "V" last for
  // volumes).
  virtual void SetSheetHeaderRow(const std::array<std::string, 5>& headers) = 0;
  // Switches the sheet's redrawing off while many cells are written, and on
  // again (with a repaint).
  virtual void SetSheetRedraw(bool on) = 0;

  // Axis text
  // Gives the axis labels and titles the fonts they have at start-up and
  // forgets the axis dialog's font choices. Documents hold no fonts, so a new
  // or opened document must not show those chosen for the one before.
  virtual void ResetAxisFonts() = 0;

  // Drawing area and window
  // Repaints the main window (the opened document's panel shows at once).
  virtual void Repaint() = 0;
  // Draws the scene into the drawing area's back buffer and reads it with
  // CaptureBackBuffer (documents/window_capture.h) before the buffers are
  // swapped: the client area at screen resolution. Empty when there is no
  // context or the area has no pixels.
  virtual RgbImage CaptureDrawingArea() = 0;
  // File > Exit: closes the main window, whose close handler offers to save.
  virtual void CloseMainWindow() = 0;
};

// Holds a scene batch of host for its lifetime, so that an error thrown
// inside a load still ends the batch. While such an error unwinds, a failure
// of the final build is dropped in favour of the error already on its way.
class SceneBatch {
 public:
  explicit SceneBatch(DocumentHost& host) : host_(host), uncaught_(std::uncaught_exceptions()) {
    host_.BeginSceneBatch();
  }
  ~SceneBatch() noexcept(false) {
    if (std::uncaught_exceptions() == uncaught_) {
      host_.EndSceneBatch();
      return;
    }
    try {
      host_.EndSceneBatch();
    } catch (...) {
    }
  }
  SceneBatch(const SceneBatch&) = delete;
  SceneBatch& operator=(const SceneBatch&) = delete;

 private:
  DocumentHost& host_;
  int uncaught_;
};

}  // namespace qv
