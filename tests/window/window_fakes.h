// Fakes for the main window's logic: a view with an optional offscreen
// context, File commands that record their calls and can run a scripted
// document load, and a graph that draws a flat black quad over its box and
// a red legend bar.
#pragma once

#include <GL/gl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graphs/workspace.h"
#include "platform/osmesa/offscreen_context.h"
#include "window/document_commands.h"
#include "window/main_window_core.h"
#include "window/main_window_view.h"

namespace qv::test {

class FakeView final : public MainWindowView {
 public:
  struct Popup {
    PopupMenu menu;
    double x;
    double y;
  };

  // Gives the view an offscreen drawing context of width x height pixels.
  void MakeContext(int w, int h) {
    context = std::make_unique<OffscreenContext>(w, h);
    width = w;
    height = h;
  }

  GlContext* DrawingContext() override { return context.get(); }
  int DrawingWidth() const override { return width; }
  int DrawingHeight() const override { return height; }
  void ShowPopup(PopupMenu menu, double x, double y) override { popups.push_back({menu, x, y}); }
  void ModelsChanged() override { ++modelsChanged; }
  void RepaintWindow() override { ++repaints; }
  void CloseWindow() override { ++closeRequests; }
  void CloseWindowLater() override { ++laterCloseRequests; }
  void ShowLongWork(bool running) override { longWork.push_back(running); }
  void SetIdleTicksWanted(bool wanted) override { idleWanted = wanted; }
  void ShowBusy(bool busy) override { busyCalls.push_back(busy); }
  void ShowStatusText(const std::string& text) override { statusTexts.push_back(text); }

  std::unique_ptr<OffscreenContext> context;
  int width = 200;
  int height = 100;
  std::vector<Popup> popups;
  int modelsChanged = 0;
  int repaints = 0;
  int closeRequests = 0;
  int laterCloseRequests = 0;
  // Every ShowLongWork call, in order.
  std::vector<bool> longWork;
  bool idleWanted = false;
  // Every ShowBusy call, in order.
  std::vector<bool> busyCalls;
  std::vector<std::string> statusTexts;
};

class FakeCommands final : public DocumentCommands {
 public:
  void New2D() override { calls.push_back("New2D"); }
  void New3D() override { calls.push_back("New3D"); }
  void New4D() override { calls.push_back("New4D"); }
  void Open() override {
    calls.push_back("Open");
    if (onOpen) onOpen();
  }
  bool Save() override {
    calls.push_back("Save");
    return saveResult;
  }
  void SaveAs() override { calls.push_back("SaveAs"); }
  void OpenDocument(const std::string& path) override {
    calls.push_back("OpenDocument:" + path);
    if (onOpen) onOpen();
  }
  void OpenSample(const std::string& path) override {
    calls.push_back("OpenSample:" + path);
    if (onOpen) onOpen();
  }
  void WriteFileAssociation() override { calls.push_back("WriteFileAssociation"); }
  bool Modified() override { return modified; }

  std::vector<std::string> calls;
  bool saveResult = true;
  // What Modified answers: a document with changes, unless a test says not.
  bool modified = true;
  // What Open and OpenDocument do (a scripted load).
  std::function<void()> onOpen;
};

// A graph over a box in scene axes. Draw fills the box's x/y extent at its
// middle depth with black, the scene centre subtracted as every graph does;
// DrawLegend fills 80..95 x 10..90 of the overlay frame with red.
class FakeGraph final : public SceneItem {
 public:
  FakeGraph(Long id, const Box& box, const SharedSettings& settings)
      : id_(id), box_(box), settings_(settings) {}

  Long ID() const override { return id_; }
  Long RecordFormat() const override { return 4; }
  std::string Save(const SharedSettings&, Long) const override { return ""; }
  Box GetBox(const DrawContext&) const override { return box_; }
  void EqualTo(const SceneItem&) override {}
  bool DrawsWithoutDepth() const override { return withoutDepth || saysWithoutDepth; }

  void Draw(const DrawContext&) override {
    ++draws;
    if (drawLog != nullptr) drawLog->push_back(id_);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_DEPTH_BUFFER_BIT |
                 GL_COLOR_BUFFER_BIT);
    if (withoutDepth) glDepthMask(GL_FALSE);
    if (lit) {
      // A white face under the scene's light.
      glEnable(GL_LIGHTING);
      glEnable(GL_COLOR_MATERIAL);
      glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
      glColor3f(1.0F, 1.0F, 1.0F);
      glNormal3f(0.0F, 0.0F, 1.0F);
    } else {
      glDisable(GL_LIGHTING);
      glColor4f(0.0F, 0.0F, 0.0F, translucent ? 0.5F : 1.0F);
    }
    if (translucent) {
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    // Each box pair less the centre of the data axis it carries.
    const bool flat = settings_.ViewCode == kViewCode2D;
    const double cx = flat ? settings_.CenterX : settings_.CenterY;
    const double cy = flat ? settings_.CenterY : settings_.CenterZ;
    const double z = (box_.MinZ + box_.MaxZ) / 2.0 - (flat ? settings_.CenterZ : settings_.CenterX);
    glBegin(GL_QUADS);
    glVertex3d(box_.MinX - cx, box_.MinY - cy, z);
    glVertex3d(box_.MaxX - cx, box_.MinY - cy, z);
    glVertex3d(box_.MaxX - cx, box_.MaxY - cy, z);
    glVertex3d(box_.MinX - cx, box_.MaxY - cy, z);
    glEnd();
    glPopAttrib();
  }

  // The red bar of DrawLegend, at 80..95 across and 10..90 up the overlay.
  bool HasLegend(const DrawContext&) const override { return true; }
  void DrawLegend(const DrawContext&) override {
    ++legends;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glColor3f(1.0F, 0.0F, 0.0F);
    glRectd(80.0, 10.0, 95.0, 90.0);
    glPopAttrib();
  }

  int draws = 0;
  int legends = 0;
  // Draws a white face lit by the scene's light instead of a black one.
  bool lit = false;
  // Draws with the depth mask off, as a transparent surface does, and says so.
  bool withoutDepth = false;
  // Draws its black face half transparent, blended over what lies behind.
  bool translucent = false;
  // Says it draws without depth, but draws as before.
  bool saysWithoutDepth = false;
  // When set, every Draw appends the graph's ID.
  std::vector<Long>* drawLog = nullptr;

 private:
  Long id_;
  Box box_;
  const SharedSettings& settings_;
};

// A box of half-size h around (x, y, z), scene axes.
inline Box BoxAround(double x, double y, double z, double h) {
  return {x - h, x + h, y - h, y + h, z - h, z + h};
}

// Types a regular 3 x 2 surface into the window's panel and sheet as the
// user does: node (i, j) at X = i, Y = j with the height height(i, j).
inline void TypeSmallSurface(MainWindowCore& core,
                             const std::function<double(Long, Long)>& height) {
  DataPanel& panel = core.Panel();
  panel.SetKindIndex(kRegularSurface);
  panel.SetText(1, "3");
  panel.SetText(2, "2");
  core.OnDataPanelOk();
  for (Long i = 0; i < 3; ++i) {
    for (Long j = 0; j < 2; ++j) {
      const Long row = i * 2 + j + 1;
      core.Sheet().CellEdited(row, 1, CStr(i));
      core.Sheet().CellEdited(row, 2, CStr(j));
      core.Sheet().CellEdited(row, 3, FormatDouble(height(i, j)));
    }
  }
}

}  // namespace qv::test
