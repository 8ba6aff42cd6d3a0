// The Draw menu, View > Settings... and the sheet pop-up's "Settings...":
// the commands that show a property dialog, and the reading of the data set
// that the graph commands, the data panel's OK and the axis dialog share.
#include <array>
#include <optional>
#include <utility>

#include "data/panel_layout.h"
#include "dialogs/draw_menu.h"
#include "graphs/graph_kinds.h"
#include "scene/scene_fonts.h"
#include "window/main_window_core.h"

namespace qv {

namespace {

// The graph kind of a graph-kind command of the Draw menu, nullopt for any
// other item.
std::optional<Long> KindOfCommand(MenuItem item) {
  using M = MenuItem;
  switch (item) {
    case M::mnuDrawVert: return kVertexModel;
    case M::mnuDrawGrid: return kGridModel;
    case M::mnuDrawTab3D: return kSurfaceModel;
    case M::mnuDrawDelaunay: return kDelaunayGraph;
    case M::mnuDrawColor: return kColorMapGraph;
    case M::mnuDrawCon: return kContourPlot;
    case M::mnuDrawVector: return kVectorPlot;
    case M::mnuDrawCon3D: return kContour3DPlot;
    case M::mnuDraw4DScat: return kScatter4D;
    case M::mnuDraw4DVec: return kVector4D;
    case M::mnuDraw4DSlice: return kSlice4D;
    case M::mnuDrawIsoSur: return kIsoSurface4D;
    default: return std::nullopt;
  }
}

bool NeedsTriangles(const SceneGroup& graphs) {
  for (const auto& [key, item] : graphs.Items) {
    const auto* graph = dynamic_cast<const Graph*>(item.get());
    if (graph != nullptr && KindOf(graph->GraphType).needsTriangles) return true;
  }
  return false;
}

// Shows the view busy for its lifetime.
class BusyScope {
 public:
  BusyScope(MainWindowView& view, bool busy) : view_(view), busy_(busy) {
    if (busy_) view_.ShowBusy(true);
  }
  ~BusyScope() {
    if (busy_) view_.ShowBusy(false);
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  MainWindowView& view_;
  bool busy_;
};

}  // namespace

bool MainWindowCore::RunDialogCommand(MenuItem item) {
  using M = MenuItem;
  const std::optional<Long> kind = KindOfCommand(item);
  if (!kind && item != M::mnuDrawPoint && item != M::mnuDrawAxis && item != M::mnuDrawLight &&
      item != M::mnuViewSet)
    return false;
  // A dialog needs its service; a command arriving while long work runs
  // waits for nothing and does nothing.
  if (dialogs_ == nullptr || working_) return true;
  if (kind) {
    RunGraphCommand(*kind);
  } else if (item == M::mnuDrawPoint) {
    RunPointCommand();
  } else if (item == M::mnuDrawAxis) {
    RunAxisCommand();
  } else if (item == M::mnuDrawLight) {
    RunLightCommand();
  } else {
    RunViewSettings();
  }
  view_.ModelsChanged();
  return true;
}

DialogContext MainWindowCore::MakeDialogContext(bool trianglesCurrent) {
  return DialogContext{*workspace_, dataPanel_, services_.messages, &work_, trianglesCurrent};
}

bool MainWindowCore::ReadDataSet(bool* triangulated) {
  if (triangulated != nullptr) *triangulated = false;
  const std::optional<PanelLayout> layout = LayoutOfKind(panel_.kind);
  if (!layout || working_) return false;
  Workspace& ws = *workspace_;
  // Read into a scratch set: a refusal or a failed gridding keeps the data
  // the graphs are drawn from.
  DataSet data;
  SharedSettings settings = ws.settings;
  bool read = false;
  {
    const BusyScope busy(view_, layout->irregular);
    DataContext context{dataPanel_, settings, services_.messages, work_};
    read = data.GetData(context);
  }
  view_.ModelsChanged();  // the panel shows the cleaned texts
  if (!read) return false;
  const bool made =
      NeedsTriangles(ws.allGraphs) && data.TriangulateIrregularPoints(services_.messages, &work_);
  if (triangulated != nullptr) *triangulated = made;
  ws.dataSet = std::move(data);
  ws.settings.DataScaleX = settings.DataScaleX;
  ws.settings.DataScaleY = settings.DataScaleY;
  ws.settings.DataScaleZ = settings.DataScaleZ;
  ws.settings.DataScaleV = settings.DataScaleV;
  return true;
}

void MainWindowCore::RunGraphCommand(Long kind) {
  flags_.EditMode = false;
  // The sheet's data reaches the graphs: typed data is read before the graph
  // is made from it.
  bool triangulated = false;
  if (!ReadDataSet(&triangulated)) return;
  const Long before = workspace_->allGraphs.Items.Count();
  const std::unique_ptr<GraphDialogModel> model =
      MakeGraphDialog(kind, MakeDialogContext(triangulated));
  if (!model) return;
  dialogs_->Show(*model);
  if (workspace_->allGraphs.Items.Count() > before && model->Created()) {
    ShowDrawnGraph(*model->Created());
    return;
  }
  // No new graph: the picture shows the data just read, once.
  RebuildAndShow();
  view_.RepaintWindow();
}

void MainWindowCore::RunPointCommand() {
  flags_.EditMode = false;
  const Long before = workspace_->allGraphs.Items.Count();
  PointDialogModel model(MakeDialogContext());
  dialogs_->Show(model);
  if (workspace_->allGraphs.Items.Count() > before && model.Created()) {
    ShowDrawnGraph(*model.Created());
    return;
  }
  view_.RepaintWindow();
}

void MainWindowCore::ShowDrawnGraph(const Graph& graph) {
  Workspace& ws = *workspace_;
  const Long viewCode = ws.settings.ViewCode;
  const SceneOrientation orientation = DrawOrientation(graph.GraphType, viewCode);
  ws.shownGraphs.RotRoll = orientation.roll;
  ws.shownGraphs.RotPitch = orientation.pitch;
  ws.shownGraphs.RotYaw = orientation.yaw;
  // The orientation must show even after a trackball drag, whose rotation
  // would otherwise replace the angles.
  interaction_.State().UseCurQuat = false;
  if (ws.shownGraphs.Items.Count() == 0) return;
  list_.AddItem(DrawListEntry(graph, viewCode));
  // Checking the new entry draws the graph at once.
  CheckListEntry(static_cast<std::size_t>(ws.allGraphs.Items.Count() - 1));
}

void MainWindowCore::RunAxisCommand() {
  AxisDialogModel model(*workspace_, axisFonts_, services_.messages);
  if (!dialogs_->Show(model)) {
    flags_.AxisChanged = false;
    view_.RepaintWindow();
    return;
  }
  flags_.AxisChanged = true;
  // The scales just stored take effect through the data set; a refused panel
  // keeps the data as it was (its message has been shown).
  ReadDataSet();
  if (CurrentContext() != nullptr) {
    RecreateAxisFonts(workspace_->settings, axisFonts_, services_.messages);
    axisFontsReplaced_ = true;
  }
  // The fit rebuilds and draws the scene with everything the dialog changed.
  FitView();
  flags_.AxisChanged = false;
}

void MainWindowCore::ResetAxisFonts() {
  axisFonts_ = AxisFontChoices{};
  if (!axisFontsReplaced_ || CurrentContext() == nullptr) return;
  RestoreOutlineFonts(workspace_->settings, services_.messages);
  axisFontsReplaced_ = false;
}

void MainWindowCore::RunLightCommand() {
  LightDialogModel model(workspace_->sceneLight, services_.messages);
  dialogs_->Show(model);
  // The display applies the light: the repaint shows the new one.
  view_.RepaintWindow();
}

void MainWindowCore::RunViewSettings() {
  std::array<double, 6> bounds = {flags_.ViewMinX, flags_.ViewMaxX, flags_.ViewMinY,
                                  flags_.ViewMaxY, flags_.ViewMinZ, flags_.ViewMaxZ};
  ViewDialogModel model(workspace_->camera, bounds, services_.messages);
  if (dialogs_->Show(model)) {
    flags_.ViewMinX = bounds[0];
    flags_.ViewMaxX = bounds[1];
    flags_.ViewMinY = bounds[2];
    flags_.ViewMaxY = bounds[3];
    flags_.ViewMinZ = bounds[4];
    flags_.ViewMaxZ = bounds[5];
  }
  view_.RepaintWindow();
}

void MainWindowCore::OpenGridSizeDialog() {
  if (dialogs_ == nullptr || working_) return;
  GridSizeDialogModel model(sheet_.Rows(), sheet_.Cols(), services_.messages);
  if (dialogs_->Show(model)) {
    sheet_.SetRows(model.Rows());
    sheet_.SetCols(model.Columns());
  }
  view_.ModelsChanged();
}

}  // namespace qv
