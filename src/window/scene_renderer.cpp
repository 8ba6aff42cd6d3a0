#include "window/scene_renderer.h"

#include <GL/gl.h>

#include "graphs/workspace.h"
#include "platform/gl_context.h"

namespace qv {

Quat SceneRotation(const Workspace& workspace, InteractionState& state) {
  if (state.UseCurQuat) return state.CurQuat;
  const Cls8& shown = workspace.ShownGraphs;
  state.CurQuat = RollPitchYawQuat(shown.RotRoll, shown.RotPitch, shown.RotYaw);
  return state.CurQuat;
}

void UpdateSceneCenter(Workspace& workspace) {
  const Cls1 box = workspace.ShownGraphs.GetBox();
  SharedSettings& s = workspace.settings;
  s.CenterX = (box.MaxZ + box.MinZ) / 2.0;
  s.CenterY = (box.MaxX + box.MinX) / 2.0;
  s.CenterZ = (box.MaxY + box.MinY) / 2.0;
}

void InitializeGlState() {
  glClearColor(1.0F, 1.0F, 1.0F, 1.0F);
  glEnable(GL_DITHER);
  glDepthFunc(GL_LEQUAL);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
}

namespace {

// One anti-aliasing pass: the jittered projection, the rotation, the graphs
// and the axis system around them.
void DrawPass(Workspace& ws, const AccumPass& pass, const std::array<float, 16>& rotation,
              Cls1& sceneBox) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ws.Camera.Projection(pass.jitterX, pass.jitterY, 0.0, 0.0, 1.0, ws.ShownGraphs);
  glMultMatrixf(rotation.data());
  ws.ShownGraphs.Draw();
  if (ws.ShownGraphs.Items.Count() >= 1 && ws.AxisSystem.Show) {
    sceneBox = ws.ShownGraphs.GetBox();
    ws.AxisSystem.Draw(2, sceneBox, ws.settings);
  }
  glAccum(GL_ACCUM, static_cast<GLfloat>(pass.weight));
}

// The legends, once and without jitter, in a 0..100 frame whose origin is the
// lower left corner of the drawing area.
void DrawLegends(Workspace& ws) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, 100.0, 0.0, 100.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  for (auto& [key, graph] : ws.ShownGraphs.Items) graph->DrawLegend();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

}  // namespace

void BuildScene(Workspace& ws, InteractionState& state, Cls1& sceneBox) {
  UpdateSceneCenter(ws);
  glNewList(kSceneList, GL_COMPILE_AND_EXECUTE);
  glClear(GL_ACCUM_BUFFER_BIT);
  const std::array<float, 16> rotation = RotationMatrix(SceneRotation(ws, state));
  for (const AccumPass& pass : PassPlan(state.Dragging)) DrawPass(ws, pass, rotation, sceneBox);
  glAccum(GL_RETURN, 1.0F);
  glFlush();
  if (ws.settings.ShowLegend) DrawLegends(ws);
  glEndList();
}

void DrawFrame(Workspace& ws) {
  ws.SceneLight.SetLight();
  glShadeModel(GL_SMOOTH);
  ws.Camera.Projection(0.0, 0.0, 0.0, 0.0, 1.0, ws.ShownGraphs);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glPushMatrix();
  glCallList(kSceneList);
  glPopMatrix();
  glFinish();
}

void Display(Workspace& ws, GlContext& context) {
  DrawFrame(ws);
  context.SwapBuffers();
}

}  // namespace qv
