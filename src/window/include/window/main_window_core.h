// The main window's logic without its widgets: start-up and shut-down, the
// scene building and display, the mouse, the View menu, the pane layout, the
// graph list and the data panel. It owns the one Workspace of the program.
// The wx frame forwards its events here and shows the models; the tests drive
// it directly with a fake view.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/axis_dialog.h"
#include "documents/data_file_commands.h"
#include "documents/document_host.h"
#include "graphs/texture_cache.h"
#include "graphs/workspace.h"
#include "platform/clipboard.h"
#include "platform/long_work.h"
#include "platform/printer.h"
#include "platform/shell.h"
#include "scene/view_fit.h"
#include "window/command_states.h"
#include "window/data_sheet.h"
#include "window/dialog_service.h"
#include "window/document_commands.h"
#include "window/graph_list.h"
#include "window/interaction.h"
#include "window/main_window_view.h"
#include "window/pane_layout.h"
#include "window/scene_renderer.h"
#include "window/sheet_commands.h"
#include "window/window_data_panel.h"

namespace qv {

// The services the window hands on to the commands it runs.
// The starts of the messages shown when the help cannot be shown; the help
// file's path follows.
inline constexpr const char* kNoBrowserMessage =
    "The help could not be shown: no web browser could be started. The help file is:\n";
inline constexpr const char* kNoHelpFileMessage =
    "The help could not be shown: the help file does not exist:\n";

struct MainWindowServices {
  MessageBoxService& messages;
  FileDialogService& fileDialogs;
  // Runs the gridding and triangulation: the window's own shows their
  // progress and keeps painting meanwhile.
  LongWorkRunner& work;
};

// The main window's own flags and settings that no other object holds.
struct MainWindowFlags {
  bool FitPending = false;
  Long DisplayArg = 1;
  bool AxisChanged = false;
  bool EditMode = false;
  Long CopiedCount = 0;
  // View volume shown and set by the view settings dialog (not saved).
  double ViewMinX = -50, ViewMaxX = 50, ViewMinY = -50, ViewMaxY = 50, ViewMinZ = -50,
         ViewMaxZ = 50;
  std::string NewLine = "\r\n";
  std::string TabChar = "\t";
  std::string HelpFile;
};

class MainWindowCore final : public InteractionHost, public DocumentHost {
 public:
  // the constructor: makes the shared objects. Nothing is drawn until Start.
  MainWindowCore(MainWindowView& view, MainWindowServices services);
  ~MainWindowCore() override;
  MainWindowCore(const MainWindowCore&) = delete;
  MainWindowCore& operator=(const MainWindowCore&) = delete;

  // The File commands the window runs (New at start-up, Save at close, the
  // File menu). Must be set before Start; the window does not own them.
  void SetDocumentCommands(DocumentCommands* commands) { commands_ = commands; }
  // The desktop's shell that shows the help; the window does not own it.
  void SetShell(ShellService* shell) { shell_ = shell; }
  // The property dialogs the Draw menu, View > Settings... and the sheet's
  // pop-up show; the window does not own them. Without them those commands
  // do nothing.
  void SetDialogService(DialogService* dialogs) { dialogs_ = dialogs; }
  // The clipboard of the Edit commands and the sheet's pop-up; the window
  // does not own it. Without one they copy and paste nothing.
  void SetClipboard(ClipboardService* clipboard) { clipboard_ = clipboard; }
  // The printer of File > Print...; the window does not own it. Without one
  // nothing is printed.
  void SetPrinter(PrinterService* printer) { printer_ = printer; }

  // Start-up and shut-down
  // Start: every default in its order, the GL state and fonts, the
  // kind list and sheet, the mouse state, the file association, then the
  // document named by commandLine (the whole line, unchanged) or a new 3D one.
  // twipsPerPixel is the screen's ratio; programFolder, the folder the
  // program lies in, gives the help file "help/index.html" beside it.
  void Start(const std::string& commandLine, double twipsPerPixel,
             const std::string& programFolder = "");
  // Initialize: the fixed GL state and the three font list sets on the
  // drawing context. False when there is no context (yet): a window whose
  // context exists only once it is shown is initialised on its first build,
  // display or resize instead.
  bool Initialize();
  // The close request. While long work runs it asks the work to stop and
  // refuses (false): the window closes once the work has ended, through
  // CloseWindowLater. Otherwise, with graphs present that changed since the
  // document was opened, made new or saved, asks "Do you want to save the
  // graphs?" (Yes/No); on Yes saves. Returns false, with everything left as it
  // was, when the save was cancelled or failed, so no graph is lost. Otherwise
  // stops the spin, frees the lists in the context and returns true: the
  // widget layer then deletes the context.
  bool ConfirmClose();
  // Runs every graph's release step and frees display list 900 and the font
  // sets in the drawing context, and draws nothing from then on. ConfirmClose calls it once the
  // window is sure to close; the widget layer deletes the context afterwards.
  void ReleaseDrawingContext();

  // Drawing
  // Recompiles display list 900 (no GL without a context: the centre and
  // rotation are still brought up to date).
  void BuildScene() override;
  // Draws one frame; nothing without a context.
  void Display() override;
  // The paint of the drawing area.
  void OnDrawingPaint() { Display(); }
  // Number of builds so far (each costs 8 or 2 passes).
  Long BuildCount() const { return buildCount_; }
  // Passes of the last build.
  int LastBuildPasses() const { return lastBuildPasses_; }
  // Number of Display calls so far (frames asked for, with or without a context).
  Long DisplayCount() const { return displayCount_; }

  // Layout
  // OnResize: lays the panes out (for every window size), tells the camera the drawing area's pixel
  // size keeping the picture's proportions, rebuilds the scene when the size changed (once a scene
  // has been built) and repaints the drawing area.
  PaneLayout OnResize(PaneInput input);
  // The camera's screen size; the view volume keeps its height and takes the
  // new aspect, so a resize never stretches the picture. Returns whether the
  // size changed. The next frame replays list 900 in full.
  bool SetDrawingSize(int widthPx, int heightPx);
  // The vertical splitter bar: pressed with any button, moved by x twips
  // relative to its own left edge while held, and on release clamped to at
  // least 1000 from either side (the right limit wins in a narrow window),
  // after which the panes are laid out with the settled edge (input's own
  // splitterLeft is ignored). Returns that layout. A press takes the bar
  // where the last layout showed it (nearer the left in a narrow window).
  void OnSplitterMouseDown();
  void OnSplitterMouseMove(double x) { splitter_.MouseMove(x); }
  PaneLayout OnSplitterMouseUp(PaneInput input);
  // The horizontal bar's release: the layout is redone (the bar's place
  // follows the data frame's height).
  PaneLayout OnSheetSplitterMouseUp(const PaneInput& input) { return OnResize(input); }
  // SplitterDragging: the bar is held (the widget layer shows it in the
  // button-shadow colour meanwhile).
  bool SplitterDragging() const { return splitter_.Dragging(); }
  // The vertical bar's left edge in twips (set by the widget layer at start,
  // which leaves the bar unreleased: see PaneInput::barReleased).
  double SplitterLeft() const { return splitter_.Left(); }
  void SetSplitterLeft(double left) {
    splitter_.SetLeft(left);
    shownSplitterLeft_.reset();
    splitterReleased_ = false;
  }
  // The user has released the bar since it was set: the layouts take its
  // place as it is (every layout of the core sets input's barReleased so).
  bool SplitterReleased() const { return splitterReleased_; }

  // Mouse on the drawing area (button mask 1 left, 2 right; pixels)
  void OnDrawingMouseDown(int button, double x, double y) {
    interaction_.MouseDown(button, x, y);
    UpdateIdle();
  }
  void OnDrawingMouseMove(int button, double x, double y) {
    interaction_.MouseMove(button, x, y);
    UpdateIdle();
  }
  void OnDrawingMouseUp(int button, double x, double y) {
    interaction_.MouseUp(button, x, y);
    UpdateIdle();
  }
  // One idle tick of the spin.
  void IdleTick() {
    interaction_.IdleStep();
    UpdateIdle();
  }
  // Whether an idle tick would change the picture (the widget layer ticks
  // only then, so a still or unchanging scene costs no CPU).
  bool WantsIdleTicks() const { return interaction_.WantsIdleTicks(); }
  // Whether the spin applies its steps (Dragging after the first release).
  bool SpinActive() const { return interaction_.SpinActive(); }

  // Help > Contents: shows the help file (HelpFile) in the desktop's web
  // browser. When the file is missing, or no browser starts (or there is no
  // shell), a message says so and names the help file, so that it can be
  // found or opened by hand.
  void OpenHelp();
  // The Help menu's web entries and the About box's address: the entry's
  // address of web_entries.h (a section of the help file beside the
  // program) in the browser, as Contents shows the help file. Returns false
  // for an item that is no web entry.
  bool OpenWebEntry(MenuItem item);
  void OpenHomePage();

  // View menu
  void SetMouseMode(MouseModeCommand command) {
    interaction_.SetMode(command);
    UpdateIdle();
  }
  void FitView();
  void ShowFrontView() { ApplyPreset(0, 0, 0); }
  void ShowRightView() { ApplyPreset(0, 0, 90); }
  void ShowTopView() { ApplyPreset(0, -90, 0); }
  void ShowIsoView() { ApplyPreset(0, -30, 45); }

  // File menu: runs a command with the graph-list checks it makes gathered
  // into one scene build at its end (same final state, same first-check fit).
  void RunFileCommand(MenuItem item);
  // Opens the document at path (a dropped file) as one load: one scene build
  // at its end. No save question: the Demo items ask it (RunDemoCommand).
  void OpenDocumentPath(const std::string& path);
  // Runs fn as one document load, gathering its list checks likewise.
  template <typename Fn>
  void AsOneLoad(Fn&& fn) {
    SceneBatch batch(*this);
    fn();
  }

  // Demo menu (main_window_demo.cpp): opens the item's sample document
  // from the samples folder beside the program, as File > Open opens a file
  // (the save question first) in one load. A missing or refused sample is
  // reported and the open document stays. False for an item that opens no
  // sample.
  bool RunDemoCommand(MenuItem item);

  // Graph list
  // OnGraphListCheck: brings ShownGraphs in line with the check boxes, rebuilds,
  // and draws or (with FitPending) fits; clears FitPending.
  void OnGraphListCheck();
  // The same when only entry's check box changed since the groups were last
  // in line with the list: entry alone is synced (SyncShownGraph).
  void OnGraphListCheck(Long entry);
  // The user clicked entry index's check box.
  void SetListChecked(Long index, bool checked);
  void OnGraphListMouseDown(int button, double x, double y);
  // The list pop-up's Cut, Copy and Delete act on the selected entry; with no
  // selection (ListIndex -1) they do nothing. Returns whether one ran (a
  // Copy or Cut that copied nothing did not).
  bool RunListCommand(MenuItem item);

  // File > Import Data ..., Output Data ..., Output Gridded Data ... and
  // Print... (main_window_exchange.cpp); false for any other item.
  bool RunExchangeFileCommand(MenuItem item);
  // File > Print...: draws the scene and hands the drawing area's picture to
  // the printer (its dialog first); a cancelled dialog prints nothing, a
  // failure is reported. Runs whether or not graphs are shown.
  void PrintPicture();
  // Edit > Copy As BMP: with graphs shown, draws the scene and puts the
  // drawing area's picture (its full size, read before the buffers swap) on
  // the clipboard; a failure is reported. No file is written.
  void CopyPicture();

  // Edit menu (main_window_exchange.cpp)
  // Runs an Edit command, or the list pop-up's or the drawing area's entry
  // for one; false for an item that is none of them.
  bool RunEditCommand(MenuItem item);
  // Edit > Copy: puts the selected entry's graph on the clipboard as text
  // (CopiedGraphText) and sets CopiedCount to 1. Nothing is copied when no
  // graph is shown or no entry is selected; a clipboard that cannot be
  // opened is reported. Returns whether the graph was copied.
  bool CopyGraph();
  // Edit > Cut: Copy, then Delete. With no graph shown nothing is copied and
  // the selected graph is deleted; a copy that failed deletes nothing.
  void CutGraph();
  // Edit > Paste: after a Copy in this run (CopiedCount), reads the
  // clipboard's text (UTF-8 there, Windows-1252 here: a character that
  // Windows-1252 cannot hold refuses it) with ReadPastedGraph. A refused text
  // is reported and changes nothing. A graph read gets the next ID, the
  // record's gridding methods, the triangles its kind needs, and a list entry
  // captioned as opening gives it (ListCaption), checked as the selected entry
  // is (checked when none is), then the list's check handler shows it.
  void PasteGraph();
  // Edit > Delete: the selected entry's graph leaves both groups and the
  // list (its release step runs first), then the scene is rebuilt and shown.
  // Nothing happens with no graph or no selection.
  void DeleteSelectedGraph();

  // The sheet's pop-up (main_window_exchange.cpp): runs its command on the
  // block of cells selected in the sheet. Cut and Copy put the block on the
  // clipboard as tab-separated text, Paste writes the clipboard's text there
  // (UTF-8 there, Windows-1252 in the sheet: a character the sheet cannot
  // hold refuses it); a refusal is reported and changes nothing. Returns
  // false for an item that is none of the pop-up's.
  bool RunSheetCommand(MenuItem item, const SheetBlock& block);

  // Data panel
  void OnDataKindChosen(int kind);
  // The OK button; a refused size shows its message. Otherwise the data set
  // is read again from the panel and sheet (irregular data gridded by the
  // document's method) and the scene shows it.
  void OnDataPanelOk();
  // The method list: the document grids the panel's kind by method from now
  // on (GridMethod for the surfaces, GridMethod4D for the volume; a method
  // the kind's list does not hold changes nothing). OK grids by it.
  void OnGridMethodChosen(Long method);
  // The method the document grids the panel's kind by (0 for a regular kind).
  Long PanelGridMethod() const;
  void OnSheetMouseDown(int button, double x, double y);

  // Draw menu and property dialogs (main_window_dialogs.cpp)
  // Runs a Draw menu command (a graph kind, Point, Axis..., Light...) or
  // View > Settings...; returns false for any other item. A graph-kind
  // command reads the data set first (a refusal ends it), shows its dialog,
  // and for a graph the dialog added orients the scene, appends the list
  // entry and checks it, which draws the graph.
  bool RunDialogCommand(MenuItem item);
  // The sheet pop-up's "Settings...": the grid size dialog, which sizes the
  // sheet on OK.
  void OpenGridSizeDialog();
  // Checks the data panel and reads the data set from it, gridding
  // irregular data (the view shows busy meanwhile) and triangulating the
  // points when a graph needs them. A refusal or a failed gridding shows its
  // message and leaves the data set as it was: false. triangulated, when
  // given, tells whether the points read were triangulated.
  bool ReadDataSet(bool* triangulated = nullptr);
  // The axis dialog's label and title fonts, kept until a document is made
  // new or opened.
  const AxisFontChoices& AxisFonts() const { return axisFonts_; }

  // Long work
  // Whether gridding or triangulation runs. Meanwhile the commands that
  // change the data set or the graphs are disabled and refused (they do
  // nothing), and the close is put off until the work has ended.
  bool Working() const { return working_; }

  // Models
  Workspace& Shared() { return *workspace_; }
  const Workspace& Shared() const { return *workspace_; }
  InteractionState& Mouse() { return interaction_.State(); }
  const InteractionState& Mouse() const { return interaction_.State(); }
  MainWindowFlags& Flags() { return flags_; }
  CommandStates& Commands() { return commandStates_; }
  const CommandStates& Commands() const { return commandStates_; }
  GraphList& List() { return list_; }
  const GraphList& List() const { return list_; }
  DataPanelModel& PanelModel() { return panel_; }
  SheetModel& Sheet() { return sheet_; }
  const Box& SceneBox() const { return sceneBox_; }

  // InteractionHost
  void ZoomCamera(double factor) override { workspace_->camera.Zoom(factor); }
  void MoveCamera(double dx, double dy) override { workspace_->camera.MoveView(dx, dy); }
  void ShowGraphEditPopup(double x, double y) override {
    view_.ShowPopup(PopupMenu::GraphEdit, x, y);
  }
  double DrawingWidth() const override { return view_.DrawingWidth(); }
  double DrawingHeight() const override { return view_.DrawingHeight(); }

  // DocumentHost
  MessageBoxService& Messages() override { return hostMessages_; }
  FileDialogService& FileDialogs() override { return services_.fileDialogs; }
  DataPanel& Panel() override { return dataPanel_; }
  LongWorkRunner& Work() override { return work_; }
  void ClearMouseModes() override;
  void SetUseCurQuat(bool use) override {
    interaction_.State().UseCurQuat = use;
    UpdateIdle();
  }
  void EnableMenus(Long viewCode) override;
  void ViewIso() override { ShowIsoView(); }
  void DeleteAllGraphs() override;
  void AddListEntry(const std::string& caption) override;
  void CheckListEntry(std::size_t index) override;
  void SetFitPending(bool pending) override { flags_.FitPending = pending; }
  void BeginSceneBatch() override { ++batchDepth_; }
  void EndSceneBatch() override;
  // Whether a scene batch (a document load) is open.
  bool InSceneBatch() const { return batchDepth_ > 0; }
  void SetSheetRows(Long rows) override;
  void SetSheetHeaderRow(const std::array<std::string, 5>& headers) override;
  void SetSheetRedraw(bool on) override;
  // Makes the outline sets anew only when the axis dialog replaced them. No
  // scene build is needed: the new or opened document shows no graph, and so
  // no axis text, until its next build.
  void ResetAxisFonts() override;
  void Repaint() override { view_.RepaintWindow(); }
  RgbImage CaptureDrawingArea() override;
  void CloseMainWindow() override { view_.CloseWindow(); }

 private:
  void ApplyPreset(double roll, double pitch, double yaw);
  // The camera part of Zoom to Fit: the shown box about its own middle,
  // widened where that would cut the picture (below).
  void FitCamera();
  // What the fit keeps in view: the rotation the next build takes, the
  // box's corners and the axis system's points and texts about the box's
  // middle, and the part of the drawing area they must stay in (a margin
  // all round, and left of the legend's bar where a shown graph draws one).
  std::array<float, 16> FitRotation() const;
  std::vector<SceneMark> FitFootprint(const Box& box) const;
  ViewFrame FitFrame() const;
  // BuildScene then Display, or, inside a scene batch, a note that the
  // batch's end must build.
  void RebuildAndShow();
  // The rebuild and draw (or fit) after ShownGraphs changed with the list's
  // check boxes; clears FitPending.
  void ShowCheckChange();
  // view.ModelsChanged, or, inside a scene batch, a note that the batch's end
  // must show the models.
  void ShowModels();
  void UpdateIdle();
  // The drawing context made current, initialising it on first use; nullptr
  // when there is none or after it was released.
  GlContext* CurrentContext();
  // The graphs' release steps in the drawing context, when one was set up
  // and not yet released (before the graphs are deleted).
  void ReleaseGraphResources();
  // Draw menu and property dialogs
  void RunGraphCommand(Long kind);
  void RunPointCommand();
  void RunAxisCommand();
  void RunLightCommand();
  void RunViewSettings();
  // Orients the scene for a graph a Draw command added, appends its list
  // entry and checks it (which draws).
  void ShowDrawnGraph(const Graph& graph);
  DialogContext MakeDialogContext(bool trianglesCurrent = false);
  // What the graphs' prepare steps make their GL objects with: the
  // context's textures, the document's folder, the view's status bar.
  DrawResources PrepareResources();
  // Shows the local file at path, at anchor, in the browser: nothing when
  // the file is missing, a message naming it when no browser starts.
  void ShowInBrowser(const std::string& path, const std::string& anchor);
  // The Edit commands' failures, under the title "Error".
  void ShowEditError(const std::string& text);

  MainWindowView& view_;
  MainWindowServices services_;
  DocumentCommands* commands_ = nullptr;
  ShellService* shell_ = nullptr;
  DialogService* dialogs_ = nullptr;
  AxisFontChoices axisFonts_;
  // The axis dialog's OK made the outline sets from axisFonts_.
  bool axisFontsReplaced_ = false;
  // The runner the commands get: the window's, with the data-changing
  // commands off while it runs.
  class WindowWork final : public LongWorkRunner {
   public:
    explicit WindowWork(MainWindowCore& core) : core_(core) {}
    WorkEnd Run(const WorkJob& job, MessageBoxService& messages) override;

   private:
    MainWindowCore& core_;
  };
  WindowWork work_{*this};
  // Long work runs (events other than input run meanwhile).
  bool working_ = false;
  // The window was asked to close while the work ran: it closes after.
  bool closeAfterWork_ = false;
  // Work was stopped for a close: the notices of the commands that ran it
  // are not shown until the close is asked again.
  bool quietUntilClose_ = false;
  // The messages the commands get as their host's.
  class QuietWhileClosing final : public MessageBoxService {
   public:
    explicit QuietWhileClosing(MainWindowCore& core) : core_(core) {}
    MsgAnswer Show(const std::string& text, const std::string& title, MsgIcon icon,
                   MsgButtons buttons) override;

   private:
    MainWindowCore& core_;
  };
  QuietWhileClosing hostMessages_{*this};
  ClipboardService* clipboard_ = nullptr;
  PrinterService* printer_ = nullptr;
  // The folder the program lies in ("" for the working folder).
  std::string programFolder_;
  std::unique_ptr<Workspace> workspace_;
  std::unique_ptr<SheetText> sheetText_;
  SheetModel sheet_;
  DataPanelModel panel_;
  WindowDataPanel dataPanel_;
  CommandStates commandStates_;
  GraphList list_;
  Interaction interaction_;
  MainWindowFlags flags_;
  Box sceneBox_;
  SceneLists sceneLists_;
  // The textures of the drawing context, shared by the graphs that show the
  // same file; cleared when the context goes.
  TextureCache textures_;
  SplitterDrag splitter_{3000.0};
  std::optional<double> shownSplitterLeft_;  // where the last layout put the bar
  bool splitterReleased_ = false;
  double twipsPerPixel_ = 15.0;
  Long buildCount_ = 0;
  Long displayCount_ = 0;
  int lastBuildPasses_ = 0;
  // A document load in progress gathers its scene builds into one.
  int batchDepth_ = 0;
  bool buildPending_ = false;
  bool modelsPending_ = false;
  bool glReady_ = false;
  bool released_ = false;
  // The data file commands, with this window as their host.
  DataFileCommands dataFiles_{*workspace_, *this};
};

}  // namespace qv
