#include "window/scene_renderer.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

#include "graphs/workspace.h"
#include "platform/gl_context.h"

namespace qv {

Quat SceneRotation(const Workspace& workspace, InteractionState& state) {
  if (state.UseCurQuat) return state.CurQuat;
  const SceneGroup& shown = workspace.shownGraphs;
  state.CurQuat = RollPitchYawQuat(shown.RotRoll, shown.RotPitch, shown.RotYaw);
  return state.CurQuat;
}

void UpdateSceneCenter(Workspace& workspace) {
  SetSceneCenter(workspace.settings, workspace.shownGraphs.GetBox(workspace.Context()));
}

void SetSceneCenter(SharedSettings& s, const Box& box) {
  const double midX = (box.MaxX + box.MinX) / 2.0;
  const double midY = (box.MaxY + box.MinY) / 2.0;
  const double midZ = (box.MaxZ + box.MinZ) / 2.0;
  // Each centre is the middle of its own data axis: a 2D document's box
  // carries data X, Y and the value along x, y, z, a 3D or 4D one data Y, Z
  // and X.
  const bool flat = s.ViewCode == kViewCode2D;
  s.CenterX = flat ? midX : midZ;
  s.CenterY = flat ? midY : midX;
  s.CenterZ = flat ? midZ : midY;
}

namespace {
// White, the background of every picture.
constexpr std::array<float, 4> kClearColour{1.0F, 1.0F, 1.0F, 1.0F};
constexpr std::array<std::uint8_t, 4> kClearBytes{255, 255, 255, 255};
}  // namespace

std::vector<PixelRect> DrawnBands(std::span<const std::uint8_t> rgba, std::span<const float> depth,
                                  int width, int height, std::array<std::uint8_t, 4> clearColour,
                                  int margin, int bands) {
  const auto w = static_cast<std::size_t>(std::max(width, 0));
  const auto h = static_cast<std::size_t>(std::max(height, 0));
  if (w == 0 || h == 0 || bands < 1 || rgba.size() < w * h * 4 || depth.size() < w * h) return {};
  std::uint32_t clear = 0;
  std::memcpy(&clear, clearColour.data(), sizeof clear);
  // The first and last column drawn on in each row; first > last for none.
  std::vector<int> first(h, width);
  std::vector<int> last(h, -1);
  for (std::size_t y = 0; y < h; ++y) {
    const std::uint8_t* colourRow = rgba.data() + y * w * 4;
    const float* depthRow = depth.data() + y * w;
    auto drawn = [&](std::size_t x) {
      std::uint32_t colour = 0;
      std::memcpy(&colour, colourRow + x * 4, sizeof colour);
      return colour != clear || depthRow[x] != 1.0F;
    };
    std::size_t x0 = 0;
    while (x0 < w && !drawn(x0)) ++x0;
    if (x0 == w) continue;
    std::size_t x1 = w - 1;
    while (!drawn(x1)) --x1;
    first[y] = static_cast<int>(x0);
    last[y] = static_cast<int>(x1);
  }
  // A band's rectangle holds every pixel of its rows within margin (across
  // and up or down) of a drawn pixel, so its columns come from its rows and
  // the margin rows around them.
  std::vector<PixelRect> rects;
  const int bandHeight = (height + bands - 1) / bands;
  for (int r0 = 0; r0 < height; r0 += bandHeight) {
    const int r1 = std::min(r0 + bandHeight, height) - 1;
    int left = width;
    int right = -1;
    int bottom = height;
    int top = -1;
    for (int y = std::max(r0 - margin, 0); y <= std::min(r1 + margin, height - 1); ++y) {
      const auto row = static_cast<std::size_t>(y);
      if (first[row] > last[row]) continue;
      left = std::min(left, first[row]);
      right = std::max(right, last[row]);
      bottom = std::min(bottom, y);
      top = y;
    }
    if (right < 0) continue;
    const int x0 = std::max(left - margin, 0);
    const int x1 = std::min(right + margin, width - 1);
    const int y0 = std::max(bottom - margin, r0);
    const int y1 = std::min(top + margin, r1);
    rects.push_back({x0, y0, x1 - x0 + 1, y1 - y0 + 1});
  }
  return rects;
}

void InitializeGlState() {
  glClearColor(kClearColour[0], kClearColour[1], kClearColour[2], kClearColour[3]);
  glEnable(GL_DITHER);
  glDepthFunc(GL_LEQUAL);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  // List 900 is named, not generated: an empty list holds the name until the
  // first build, so that no generated list (a font, a part of the build) is
  // ever given it.
  if (glIsList(kSceneList) == GL_FALSE) {
    glNewList(kSceneList, GL_COMPILE);
    glEndList();
  }
}

namespace {

// Offsets of the build's lists from SceneLists::base.
constexpr unsigned kFirstPassList = 0;
constexpr unsigned kContentList = 1;
constexpr unsigned kOtherPassesList = 2;
constexpr unsigned kFinishList = 3;
constexpr int kHelperListCount = 4;

// The start of an anti-aliasing pass: the jittered projection and the rotation.
void SetUpPass(Workspace& ws, const AccumPass& pass, const std::array<float, 16>& rotation) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ws.camera.Projection(pass.jitterX, pass.jitterY, 0.0, 0.0, 1.0, ws.shownGraphs, ws.Context());
  glMultMatrixf(rotation.data());
}

// What every pass draws: the graphs and the axis system around them.
void DrawContent(Workspace& ws, Box& sceneBox) {
  ws.shownGraphs.Draw(ws.Context());
  if (ws.shownGraphs.Items.Count() >= 1 && ws.axisSystem.Show) {
    sceneBox = ws.shownGraphs.GetBox(ws.Context());
    ws.axisSystem.Draw(2, sceneBox, ws.settings);
  }
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
  for (const auto& [key, graph] : ws.shownGraphs.Items) graph->DrawLegend(ws.Context());
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

// The light and shading every pass is drawn under. The light's position is
// taken in the camera's viewing frame (the projection leaves the model-view
// matrix at the viewing transform), whatever the last frame left there.
void ApplyLight(Workspace& ws) {
  ws.camera.Projection(0.0, 0.0, 0.0, 0.0, 1.0, ws.shownGraphs, ws.Context());
  ws.sceneLight.SetLight();
  glShadeModel(GL_SMOOTH);
}

// GL 1.1 blends the colour buffer's alpha by the colours' own factors, so a
// smooth line leaves alpha below 1 along its fringes, lowest where two of
// its segments meet inside a pixel, and a transparent face leaves it where
// it lies. The picture is opaque (its background is the clear colour): a
// picture read back would show those pixels lighter wherever its alpha is
// shown, a line as dashes. Sets the alpha of every pixel to 1 and leaves the
// colours as they are.
void MakePictureOpaque() {
  glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
  glClearColor(0.0F, 0.0F, 0.0F, 1.0F);
  glClear(GL_COLOR_BUFFER_BIT);
  glPopAttrib();
}

// The end of every picture: the accumulated passes returned, the legends
// over them, the picture made opaque.
void FinishPicture(Workspace& ws) {
  glAccum(GL_RETURN, 1.0F);
  glFlush();
  if (ws.settings.ShowLegend) DrawLegends(ws);
  MakePictureOpaque();
}

bool SameLight(const Light& a, const Light& b) {
  return a.Enabled == b.Enabled && a.TwoSides == b.TwoSides && a.GlobalAmbient == b.GlobalAmbient &&
         a.Position == b.Position && a.Diffuse == b.Diffuse && a.Amission == b.Amission &&
         a.Specular == b.Specular;
}

bool HasAccumulationBuffer() {
  GLint bits = 0;
  glGetIntegerv(GL_ACCUM_RED_BITS, &bits);
  return bits > 0;
}

// The jitter moves a pass by less than a pixel from pass 0, a bitmap
// (snapped to whole pixels) by one, a smooth line's fringe by one more.
constexpr int kJitterMargin = 3;

// Bands of the picture that the accumulation covers apart: more fit the
// drawn pixels closer, each costs a call per pass.
constexpr int kAccumulationBands = 8;

// Where the accumulation must run: the rectangles pass 0 drew on, read back
// from the picture it left; the whole viewport when a shown graph draws
// without writing depth (what it covers may be exactly the clear colour under
// one light and not under another) or the picture cannot be read back.
std::vector<PixelRect> AccumulatedRects(const Workspace& ws) {
  // The camera's viewport starts at the lower left corner.
  GLint viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, viewport);
  const int width = viewport[2];
  const int height = viewport[3];
  const std::vector<PixelRect> whole{{0, 0, width, height}};
  if (!HasAccumulationBuffer() || width <= 0 || height <= 0) return whole;
  for (const auto& [key, graph] : ws.shownGraphs.Items) {
    if (graph->DrawsWithoutDepth()) return whole;
  }
  while (glGetError() != GL_NO_ERROR) {
  }
  const RgbaImage colour = ReadGlPixels(width, height);
  const std::vector<float> depth = ReadGlDepth(width, height);
  if (glGetError() != GL_NO_ERROR) return whole;
  return DrawnBands(colour.pixels, depth, width, height, kClearBytes, kJitterMargin,
                    kAccumulationBands);
}

// Loads or accumulates the colour buffer inside rects only.
void AccumulateIn(std::span<const PixelRect> rects, GLenum op, double weight) {
  glEnable(GL_SCISSOR_TEST);
  for (const PixelRect& rect : rects) {
    glScissor(rect.x, rect.y, rect.width, rect.height);
    glAccum(op, static_cast<GLfloat>(weight));
  }
  glDisable(GL_SCISSOR_TEST);
}

}  // namespace

void PrepareShownGraphs(Workspace& ws, const DrawResources* resources) {
  DrawContext context = ws.Context();
  context.resources = resources;
  for (const auto& [key, graph] : ws.shownGraphs.Items) graph->PrepareDrawing(context);
}

void ReleaseGraphs(SceneGroup& group) {
  for (const auto& [key, graph] : group.Items) graph->ReleaseDrawing();
}

void BuildScene(Workspace& ws, InteractionState& state, Box& sceneBox, SceneLists& lists,
                const DrawResources* resources) {
  UpdateSceneCenter(ws);
  // What the graphs need in the context (textures) cannot be made while a
  // list is being compiled.
  PrepareShownGraphs(ws, resources);
  const std::array<float, 16> rotation = RotationMatrix(SceneRotation(ws, state));
  const std::span<const AccumPass> plan = PassPlan(state.Dragging);
  if (lists.base == 0) lists.base = glGenLists(kHelperListCount);
  const GLuint base = lists.base;
  ApplyLight(ws);
  lists.light = ws.sceneLight;
  if (base == 0) {
    // No lists to spare: everything goes into list 900, pass by pass.
    glNewList(kSceneList, GL_COMPILE_AND_EXECUTE);
    glClear(GL_ACCUM_BUFFER_BIT);
    for (std::size_t iPass = 0; iPass < plan.size(); ++iPass) {
      SetUpPass(ws, plan[iPass], rotation);
      DrawContent(ws, sceneBox);
      glAccum(iPass == 0 ? GL_LOAD : GL_ACCUM, static_cast<GLfloat>(plan[iPass].weight));
    }
    FinishPicture(ws);
    glEndList();
    lists.returnValid = false;
    return;
  }
  // Each part is compiled and executed in turn, so everything runs in the
  // order and GL state of one list (the axis system reads the model-view
  // matrix while it draws); list 900 then only calls the parts.
  glNewList(base + kFirstPassList, GL_COMPILE_AND_EXECUTE);
  glClearAccum(kClearColour[0], kClearColour[1], kClearColour[2], kClearColour[3]);
  glClear(GL_ACCUM_BUFFER_BIT);
  SetUpPass(ws, plan[0], rotation);
  glEndList();
  glNewList(base + kContentList, GL_COMPILE_AND_EXECUTE);
  DrawContent(ws, sceneBox);
  glEndList();
  const std::vector<PixelRect> drawn = AccumulatedRects(ws);
  glNewList(base + kOtherPassesList, GL_COMPILE_AND_EXECUTE);
  AccumulateIn(drawn, GL_LOAD, plan[0].weight);
  for (std::size_t iPass = 1; iPass < plan.size(); ++iPass) {
    SetUpPass(ws, plan[iPass], rotation);
    glCallList(base + kContentList);
    AccumulateIn(drawn, GL_ACCUM, plan[iPass].weight);
  }
  glEndList();
  glNewList(base + kFinishList, GL_COMPILE_AND_EXECUTE);
  FinishPicture(ws);
  glEndList();
  glNewList(kSceneList, GL_COMPILE);
  for (unsigned part = 0; part < kHelperListCount; ++part) glCallList(base + part);
  glEndList();
  lists.returnValid = HasAccumulationBuffer();
}

void DrawFrame(Workspace& ws, SceneLists& lists) {
  ApplyLight(ws);
  glPushMatrix();
  if (lists.returnValid && lists.base != 0 && SameLight(lists.light, ws.sceneLight)) {
    // The accumulation buffer still holds the sum of the last build's passes
    // and the depth buffer its last pass: the return overwrites every pixel,
    // and the legends are drawn over it as the build drew them.
    glCallList(lists.base + kFinishList);
  } else {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glCallList(kSceneList);
    lists.returnValid =
        lists.base != 0 && glIsList(kSceneList) == GL_TRUE && HasAccumulationBuffer();
    lists.light = ws.sceneLight;
  }
  glPopMatrix();
  glFinish();
}

void Display(Workspace& ws, GlContext& context, SceneLists& lists) {
  DrawFrame(ws, lists);
  context.SwapBuffers();
}

void DeleteSceneLists(SceneLists& lists) {
  glDeleteLists(kSceneList, 1);
  if (lists.base != 0) glDeleteLists(lists.base, kHelperListCount);
  lists = {};
}

}  // namespace qv
