#include "window/main_window_core.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "documents/window_capture.h"
#include "enable_patterns.h"
#include "graphs/graph.h"
#include "platform/message_box.h"
#include "scene/scene_fonts.h"
#include "window/scene_renderer.h"

namespace qv {

MainWindowCore::MainWindowCore(MainWindowView& view, MainWindowServices services)
    : view_(view),
      services_(services),
      workspace_(std::make_unique<Workspace>()),
      sheetText_(std::make_unique<SheetText>()),
      sheet_(*sheetText_),
      dataPanel_(panel_, sheet_, [this](Long kind) { OnDataKindChosen(static_cast<int>(kind)); }),
      interaction_(*this, workspace_->settings.RotateAxis) {}

MainWindowCore::~MainWindowCore() = default;

// Start-up and shut-down

bool MainWindowCore::Initialize() {
  GlContext* context = released_ ? nullptr : view_.DrawingContext();
  if (context == nullptr || !context->MakeCurrent()) {
    glReady_ = false;
    return false;
  }
  if (glReady_) DeleteSceneFonts(workspace_->settings);  // a second call makes them anew
  InitializeGlState();
  // The axis system and the legends write with these three sets.
  CreateSceneFonts(workspace_->settings, services_.messages);
  glReady_ = true;
  return true;
}

GlContext* MainWindowCore::CurrentContext() {
  if (released_) return nullptr;
  // A toolkit window may get its context only once it is shown, after the
  // load step: the fixed state and the fonts are then made on first use.
  if (!glReady_) return Initialize() ? view_.DrawingContext() : nullptr;
  GlContext* context = view_.DrawingContext();
  return context != nullptr && context->MakeCurrent() ? context : nullptr;
}

void MainWindowCore::ReleaseDrawingContext() {
  if (glReady_ && !released_) {
    GlContext* context = view_.DrawingContext();
    // The lists and what the graphs prepared belong to the context: they are
    // freed in it, before it goes.
    if (context != nullptr && context->MakeCurrent()) {
      ReleaseGraphs(workspace_->allGraphs);
      textures_.Clear();
      DeleteSceneLists(sceneLists_);
      DeleteSceneFonts(workspace_->settings);
    }
  }
  glReady_ = false;
  released_ = true;
}

void MainWindowCore::Start(const std::string& commandLine, double twipsPerPixel,
                           const std::string& programFolder) {
  SharedSettings& s = workspace_->settings;
  flags_.FitPending = false;
  twipsPerPixel_ = twipsPerPixel > 0.0 ? twipsPerPixel : 15.0;
  Initialize();  // a window without a context keeps running; drawing then does nothing
  flags_.DisplayArg = 1;
  workspace_->axisSystem.Show = true;
  flags_.AxisChanged = false;
  s.DataScaleX = s.DataScaleY = s.DataScaleZ = s.DataScaleV = 0.0;
  s.RotateAxis = 0;
  workspace_->dataSet.DataDim(1);
  s.ScaleRatioX = s.ScaleRatioY = s.ScaleRatioZ = 1.0;
  s.ScaleMode = 1;
  s.ZoomZ = 1.0;
  s.ShowLegend = true;
  s.GridMethod = 2;
  s.GridMethod4D = 102;
  OnDataKindChosen(0);
  PrepareSheet(sheet_, 0, twipsPerPixel_);
  PrepareStartPanel(panel_);
  flags_.ViewMinX = flags_.ViewMinY = flags_.ViewMinZ = -50.0;
  flags_.ViewMaxX = flags_.ViewMaxY = flags_.ViewMaxZ = 50.0;
  flags_.HelpFile = programFolder.empty() ? "help/index.html" : programFolder + "/help/index.html";
  programFolder_ = programFolder;
  flags_.EditMode = false;
  flags_.CopiedCount = 0;
  flags_.NewLine = "\r\n";
  flags_.TabChar =
      std::string(1, '\t');  // a one-character literal trips a false -Wrestrict in GCC 12
  interaction_.ResetModes();
  interaction_.State().CurQuat = TrackballQuat(1, 0.0, 0.0, 0.0, 0.0);
  if (commands_ != nullptr) {
    commands_->WriteFileAssociation();
    if (!commandLine.empty()) {
      AsOneLoad([&] { commands_->OpenDocument(commandLine); });
    } else {
      commands_->New3D();
    }
  }
  view_.ModelsChanged();
}

bool MainWindowCore::ConfirmClose() {
  // Closing now would pull the window from under the work's caller: the work
  // is stopped, and the close comes again once it has ended.
  if (working_) {
    closeAfterWork_ = true;
    quietUntilClose_ = true;
    services_.work.RequestStop();
    return false;
  }
  quietUntilClose_ = false;
  // The question comes first: a cancelled or failed save keeps the window,
  // its context and its graphs exactly as they were.
  // Graphs saved as they are have nothing to lose.
  if (workspace_->allGraphs.Items.Count() >= 1 && (commands_ == nullptr || commands_->Modified())) {
    const MsgAnswer answer = services_.messages.Show("Do you want to save the graphs?", "Note",
                                                     MsgIcon::Exclamation, MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes) {
      const bool saved = commands_ != nullptr && commands_->Save();
      if (!saved) return false;
    }
  }
  interaction_.Close();
  UpdateIdle();
  ReleaseDrawingContext();
  return true;
}

// Drawing

void MainWindowCore::BuildScene() {
  ++buildCount_;
  InteractionState& state = interaction_.State();
  lastBuildPasses_ = static_cast<int>(PassPlan(state.Dragging).size());
  if (CurrentContext() != nullptr) {
    const DrawResources resources = PrepareResources();
    qv::BuildScene(*workspace_, state, sceneBox_, sceneLists_, &resources);
    return;
  }
  // Without a context the picture is lost anyway, but the state that later
  // commands read (the centre, CurQuat) must be what a build leaves.
  UpdateSceneCenter(*workspace_);
  SceneRotation(*workspace_, state);
  if (workspace_->shownGraphs.Items.Count() >= 1 && workspace_->axisSystem.Show) {
    sceneBox_ = workspace_->shownGraphs.GetBox(workspace_->Context());
  }
}

void MainWindowCore::Display() {
  ++displayCount_;
  GlContext* context = CurrentContext();
  if (context == nullptr) return;
  qv::Display(*workspace_, *context, sceneLists_);
}

// Layout

PaneLayout MainWindowCore::OnResize(PaneInput input) {
  input.barReleased = splitterReleased_;
  const PaneLayout layout = LayoutPanes(input);
  shownSplitterLeft_ = layout.splitter.left;
  // List 900 holds the projections of the size it was built for: a new size
  // needs a new build, or the picture would stretch until the next one.
  if (SetDrawingSize(layout.drawingWidthPx, layout.drawingHeightPx) && buildCount_ > 0)
    BuildScene();
  OnDrawingPaint();
  return layout;
}

bool MainWindowCore::SetDrawingSize(int widthPx, int heightPx) {
  Camera& camera = workspace_->camera;
  CurrentContext();  // the viewport is set in the drawing context
  const double oldWidth = camera.ScreenWidth;
  const double oldHeight = camera.ScreenHeight;
  Long w = std::max(1, widthPx);
  Long h = std::max(0, heightPx);
  camera.SetScreen(w, h);
  // Keep the picture's proportions: the view volume keeps its height and
  // takes the new aspect, instead of stretching until the next fit.
  camera.SetViewRect(camera.VolWidth, camera.VolHeight);
  // The buffers may have been reallocated: the next frame replays list 900.
  sceneLists_.returnValid = false;
  return camera.ScreenWidth != oldWidth || camera.ScreenHeight != oldHeight;
}

void MainWindowCore::OnSplitterMouseDown() {
  if (shownSplitterLeft_) splitter_.SetLeft(*shownSplitterLeft_);
  splitter_.MouseDown();
}

PaneLayout MainWindowCore::OnSplitterMouseUp(PaneInput input) {
  input.splitterLeft = splitter_.MouseUp(input.clientWidth);
  splitterReleased_ = true;
  return OnResize(input);
}

// Help

void MainWindowCore::OpenHelp() { ShowInBrowser(flags_.HelpFile, ""); }

void MainWindowCore::ShowInBrowser(const std::string& path, const std::string& anchor) {
  std::error_code error;
  const bool there = std::filesystem::is_regular_file(path, error);
  if (there && shell_ != nullptr && shell_->OpenInBrowser(path, anchor)) return;
  services_.messages.Show(std::string(there ? kNoBrowserMessage : kNoHelpFileMessage) + path,
                          "Error", MsgIcon::Exclamation, MsgButtons::OK);
}

// View menu

namespace {

// Zoom to Fit: the view's height over the box's largest extent, the pan
// that makes room for the legend (a share of the view's width) and the
// margin the picture keeps from the drawing area's edges (a share of its
// width or height).
constexpr double kFitZoom = 2.1;
constexpr double kLegendPan = -0.05;
constexpr double kFitMargin = 0.02;

// The box moved so that its middle is the origin.
Box AboutItsMiddle(const Box& box) {
  const double midX = (box.MaxX + box.MinX) / 2.0;
  const double midY = (box.MaxY + box.MinY) / 2.0;
  const double midZ = (box.MaxZ + box.MinZ) / 2.0;
  return {box.MinX - midX, box.MaxX - midX, box.MinY - midY,
          box.MaxY - midY, box.MinZ - midZ, box.MaxZ - midZ};
}

}  // namespace

void MainWindowCore::FitCamera() {
  Workspace& ws = *workspace_;
  if (ws.shownGraphs.Items.Count() < 1) return;
  const SharedSettings& s = ws.settings;
  // About the middle of the box shown now, which the build after the fit
  // makes the scene centre: the centre of the last build is stale once
  // graphs were shown, hidden or changed without a build since.
  const Box box = ws.shownGraphs.GetBox(ws.Context());
  const Box about = AboutItsMiddle(box);
  ws.camera.ZoomAll(about.MinX, about.MinY, about.MinZ, about.MaxX, about.MaxY, about.MaxZ,
                    s.ViewCode);
  ws.camera.Zoom(kFitZoom);
  const double pan = s.ShowLegend ? kLegendPan : 0.0;
  // The zoom leaves the box's largest extent a little under half the view's
  // height: in a window narrower than high, or with the axis titles beyond
  // the box's corners in the diagonal view, the picture was cut at the sides
  // and ran under the legend. The view then grows until the whole picture
  // lies in the drawing area, left of the legend where one is drawn.
  const double needed =
      HeightToShow(ws.camera, FitRotation(), FitFootprint(box), FitFrame(), pan, box);
  if (needed > ws.camera.VolHeight) ws.camera.Zoom(needed / ws.camera.VolHeight);
  // Room for the legend on the right.
  if (s.ShowLegend) ws.camera.MoveView(pan, 0.0);
}

std::array<float, 16> MainWindowCore::FitRotation() const {
  // The rotation the build after the fit takes, without recording it.
  InteractionState state = interaction_.State();
  return RotationMatrix(SceneRotation(*workspace_, state));
}

std::vector<SceneMark> MainWindowCore::FitFootprint(const Box& box) const {
  const Workspace& ws = *workspace_;
  // The axis system as the build after the fit draws it: about the box's
  // own middle.
  SharedSettings centred = ws.settings;
  SetSceneCenter(centred, box);
  std::vector<SceneMark> marks;
  const Box about = AboutItsMiddle(box);
  for (int iCorner = 0; iCorner < 8; ++iCorner) {
    marks.push_back({{(iCorner & 1) != 0 ? about.MaxX : about.MinX,
                      (iCorner & 2) != 0 ? about.MaxY : about.MinY,
                      (iCorner & 4) != 0 ? about.MaxZ : about.MinZ}});
  }
  if (ws.axisSystem.Show) ws.axisSystem.AddFootprint(box, centred, marks);
  return marks;
}

ViewFrame MainWindowCore::FitFrame() const {
  const Workspace& ws = *workspace_;
  ViewFrame frame{kFitMargin, 1.0 - kFitMargin, kFitMargin, 1.0 - kFitMargin};
  if (!ws.settings.ShowLegend) return frame;
  for (const auto& [key, item] : ws.shownGraphs.Items) {
    if (item->HasLegend(ws.Context())) {
      frame.right = Graph::kLegendLeft / 100.0 - kFitMargin;
      break;
    }
  }
  return frame;
}

void MainWindowCore::FitView() {
  FitCamera();
  BuildScene();
  Display();
}

void MainWindowCore::ApplyPreset(double roll, double pitch, double yaw) {
  SceneGroup& shown = workspace_->shownGraphs;
  shown.RotRoll = roll;
  shown.RotPitch = pitch;
  shown.RotYaw = yaw;
  interaction_.State().UseCurQuat = false;
  BuildScene();
  Display();
  // A spin now redraws the preset unchanged: no ticks are needed for it.
  UpdateIdle();
}

// File menu

void MainWindowCore::RunFileCommand(MenuItem item) {
  if (working_) return;
  if (RunExchangeFileCommand(item)) return;
  if (commands_ == nullptr) return;
  switch (item) {
    case MenuItem::mnuFileNew2D: AsOneLoad([&] { commands_->New2D(); }); break;
    case MenuItem::mnuFileNew3D: AsOneLoad([&] { commands_->New3D(); }); break;
    case MenuItem::mnuFileNew4D: AsOneLoad([&] { commands_->New4D(); }); break;
    case MenuItem::mnuFileOpen: AsOneLoad([&] { commands_->Open(); }); break;
    case MenuItem::mnuFileSave: commands_->Save(); break;
    case MenuItem::mnuFileSaveAs: commands_->SaveAs(); break;
    case MenuItem::mnuFileExit: view_.CloseWindow(); break;
    default: break;
  }
  view_.ModelsChanged();
}

void MainWindowCore::OpenDocumentPath(const std::string& path) {
  if (commands_ == nullptr || working_) return;
  AsOneLoad([&] { commands_->OpenDocument(path); });
  view_.ModelsChanged();
}

void MainWindowCore::EndSceneBatch() {
  if (batchDepth_ <= 0) return;  // an unmatched end changes nothing
  if (--batchDepth_ > 0) return;
  if (modelsPending_) {
    modelsPending_ = false;
    view_.ModelsChanged();
  }
  if (buildPending_) {
    buildPending_ = false;
    BuildScene();
    Display();
  }
}

void MainWindowCore::RebuildAndShow() {
  if (batchDepth_ > 0) {
    buildPending_ = true;
    return;
  }
  BuildScene();
  Display();
}

// Graph list

void MainWindowCore::OnGraphListCheck() {
  Workspace& ws = *workspace_;
  SyncShownGraphs(ws.allGraphs, ws.shownGraphs, list_);
  ShowCheckChange();
}

void MainWindowCore::OnGraphListCheck(Long entry) {
  Workspace& ws = *workspace_;
  SyncShownGraph(ws.allGraphs, ws.shownGraphs, list_, entry);
  ShowCheckChange();
}

void MainWindowCore::ShowCheckChange() {
  Workspace& ws = *workspace_;
  if (batchDepth_ > 0) {
    // Inside a load every check would rebuild the scene; only the last build
    // is ever seen. The first-check fit is made as that check would make it:
    // about the centre of the graphs shown at that moment.
    if (flags_.FitPending) {
      UpdateSceneCenter(ws);
      FitCamera();
    }
    flags_.FitPending = false;
    buildPending_ = true;
    return;
  }
  BuildScene();
  if (!flags_.FitPending) {
    Display();
  } else {
    FitView();
  }
  flags_.FitPending = false;
}

void MainWindowCore::SetListChecked(Long index, bool checked) {
  if (index < 0 || index >= list_.ListCount()) return;
  list_.SetSelected(index, checked);
  // A click syncs the whole list, as it always did, whatever changed the
  // groups since; that costs one pass over the graphs.
  OnGraphListCheck();
}

void MainWindowCore::OnGraphListMouseDown(int button, double x, double y) {
  if (button == kRightButton) view_.ShowPopup(PopupMenu::FunEdit, x, y);
}

bool MainWindowCore::RunListCommand(MenuItem item) {
  if (working_) return false;
  if (item == MenuItem::mnuFunEdit) return false;  // "Edit..." has no action
  // No selection: the commands must not fall back to the first graph.
  if (list_.ListIndex() < 0 || list_.ListIndex() >= list_.ListCount()) return false;
  switch (item) {
    case MenuItem::mnuFunCut: return RunEditCommand(MenuItem::mnuEditCut);
    case MenuItem::mnuFunCopy: return RunEditCommand(MenuItem::mnuEditCopy);
    case MenuItem::mnuFunDelete: return RunEditCommand(MenuItem::mnuEditDelete);
    default: return false;
  }
}

// Data panel

void MainWindowCore::OnDataKindChosen(int kind) {
  if (working_) return;
  qv::OnDataKindChosen(kind, panel_, sheet_, commandStates_);
  view_.ModelsChanged();
}

void MainWindowCore::OnDataPanelOk() {
  if (working_) return;
  const SheetSizeResult result = qv::OnDataPanelOk(panel_, sheet_);
  // The boxes show the counts put back before the refusal is read.
  view_.ModelsChanged();
  if (!result.message.empty()) {
    services_.messages.Show(result.message, "Error", MsgIcon::Exclamation, MsgButtons::OK);
    return;
  }
  // The data typed into the sheet reaches the graphs.
  if (ReadDataSet()) RebuildAndShow();
}

void MainWindowCore::OnGridMethodChosen(Long method) {
  if (working_) return;
  const std::vector<GridMethodEntry>& methods = GridMethodsOfKind(panel_.kind);
  if (std::none_of(methods.begin(), methods.end(),
                   [method](const GridMethodEntry& e) { return e.method == method; }))
    return;
  SharedSettings& settings = workspace_->settings;
  (panel_.kind == kIrregularVolume ? settings.GridMethod4D : settings.GridMethod) = method;
  view_.ModelsChanged();
}

Long MainWindowCore::PanelGridMethod() const {
  if (GridMethodsOfKind(panel_.kind).empty()) return 0;
  const SharedSettings& settings = workspace_->settings;
  return panel_.kind == kIrregularVolume ? settings.GridMethod4D : settings.GridMethod;
}

void MainWindowCore::OnSheetMouseDown(int button, double x, double y) {
  if (button != kRightButton) return;
  if (SheetPopupAllowed(x, y, sheet_.columnWidthPx[0], sheet_.rowHeight)) {
    view_.ShowPopup(PopupMenu::SheetEdit, x, y);
  }
}

// DocumentHost

void MainWindowCore::ClearMouseModes() {
  interaction_.ClearModes();
  // A new document starts still.
  interaction_.State().Dragging = false;
  UpdateIdle();
}

void MainWindowCore::EnableMenus(Long viewCode) {
  EnableMenusForViewCode(viewCode, commandStates_);
  view_.ModelsChanged();
}

void MainWindowCore::ReleaseGraphResources() {
  // Only a context that was set up can hold what the graphs prepared.
  if (!glReady_ || released_) return;
  GlContext* context = view_.DrawingContext();
  if (context != nullptr && context->MakeCurrent()) ReleaseGraphs(workspace_->allGraphs);
}

DrawResources MainWindowCore::PrepareResources() {
  return {&textures_, workspace_->documentFolder,
          [this](const std::string& text) { view_.ShowStatusText(text); }};
}

void MainWindowCore::DeleteAllGraphs() {
  ReleaseGraphResources();
  workspace_->shownGraphs.Items.Clear();
  workspace_->allGraphs.Items.Clear();
  list_.Clear();
  RebuildAndShow();
  view_.ModelsChanged();
}

void MainWindowCore::AddListEntry(const std::string& caption) {
  list_.AddItem(caption);
  ShowModels();
}

void MainWindowCore::CheckListEntry(std::size_t index) {
  const Long i = static_cast<Long>(index);
  if (i < 0 || i >= list_.ListCount()) return;
  list_.SetSelected(i, true);
  // The other entries are in line with the groups: only this one is synced.
  OnGraphListCheck(i);
  ShowModels();
}

void MainWindowCore::ShowModels() {
  // A load adds and checks every entry of the document: the view shows the
  // models once at its end, not once an entry.
  if (batchDepth_ > 0) {
    modelsPending_ = true;
    return;
  }
  view_.ModelsChanged();
}

void MainWindowCore::SetSheetRows(Long rows) {
  sheet_.SetRows(rows);
  WriteIndexColumn(panel_, sheet_);
  // A document or data file read in sizes the sheet after its boxes are set.
  AcceptPanel(panel_);
}

void MainWindowCore::SetSheetHeaderRow(const std::array<std::string, 5>& headers) {
  for (Long col = 0; col < 5; ++col)
    sheet_.SetCellText(0, col, headers[static_cast<std::size_t>(col)]);
}

void MainWindowCore::SetSheetRedraw(bool on) {
  if (on) view_.ModelsChanged();
}

RgbImage MainWindowCore::CaptureDrawingArea() {
  GlContext* context = CurrentContext();
  if (context == nullptr) return {};
  DrawFrame(*workspace_, sceneLists_);
  RgbImage image = CaptureBackBuffer(context->Width(), context->Height());
  context->SwapBuffers();
  return image;
}

void MainWindowCore::UpdateIdle() { view_.SetIdleTicksWanted(interaction_.WantsIdleTicks()); }

}  // namespace qv
