// Compiles the scene into display list 900 and shows it. BuildScene draws the
// shown graphs under the scene rotation and the axis system around them in
// jittered accumulation passes, then the legends as a flat overlay; Display
// replays the list. Both need the drawing context current.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/box.h"
#include "platform/shared_settings.h"
#include "scene/light.h"
#include "window/interaction.h"
#include "window/pass_plan.h"

namespace qv {

struct Workspace;
struct DrawResources;
class SceneGroup;
class GlContext;

// The display list the scene is compiled into.
inline constexpr unsigned kSceneList = 900;

// The rotation a build uses: CurQuat while UseCurQuat is set, otherwise the
// shown group's roll, pitch and yaw (which is then copied into CurQuat, so a
// following trackball drag starts from the preset). Plain maths, no GL.
Quat SceneRotation(const Workspace& workspace, InteractionState& state);

// Writes the scene centre into the settings from the box of the shown graphs:
// CenterX the middle of the box's Z extent, CenterY of its X extent, CenterZ
// of its Y extent; in a 2D document, whose box lies in data X, Y and value
// along x, y, z, CenterX, CenterY, CenterZ the middles of the x, y, z
// extents. An empty group gives 0.
void UpdateSceneCenter(Workspace& workspace);
// The same centre from box into settings.
void SetSceneCenter(SharedSettings& settings, const Box& box);

// Sets the fixed state of a new context: white clear colour, dithering, depth
// test LEQUAL with clear depth 1; and holds the name of list 900 (an empty
// list until the first build). The context must be current.
void InitializeGlState();

// A rectangle of the drawing area in pixels, from its lower left corner.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRect&) const = default;
};

// Rectangles holding every pixel a pass drew on and every pixel within margin
// of one (across and up or down), inside the width x height area: a pixel was
// drawn on when its colour (rgba, 4 bytes a pixel, rows bottom-up) is not
// clearColour or its depth (one a pixel) is not 1, the clear depth. The rows
// are cut into `bands` bands of equal height (the last may be lower), each
// with at most one rectangle, from the bottom up; none where nothing was
// drawn, and none for buffers smaller than the area.
std::vector<PixelRect> DrawnBands(std::span<const std::uint8_t> rgba, std::span<const float> depth,
                                  int width, int height, std::array<std::uint8_t, 4> clearColour,
                                  int margin, int bands);

// The lists a build makes beside list 900, and whether a repaint may take
// the picture from the accumulation buffer. One per drawing context.
//
//   list 900 = call base+0   clear the accumulation buffer to the clear
//                            colour, set up pass 0
//              call base+1   the shown graphs and the axis system
//              call base+2   load pass 0; passes 1.. (set-up, call base+1,
//                            accumulate)
//              call base+3   return the accumulation, the legend overlay
//
// The graphs are drawn once a build (base+1 is called by every pass) rather
// than once a pass, and a repaint whose accumulation buffer still holds the
// last build's sum replays base+3 alone. Loading and accumulating cover only
// the rectangles pass 0 drew on (with a margin for the jitter): outside them
// every pass is the clear colour, which the cleared buffer already holds.
// Coverage does not depend on the light, so a replay in a changed light keeps
// the rectangles; a scene that draws without writing depth (a transparent
// surface) is accumulated whole.
struct SceneLists {
  unsigned base = 0;  // the first of four lists, 0 until the first build
  // The accumulation buffer (and the depth buffer) hold what the last build
  // or full replay left: cleared by a resize, which may reallocate them.
  bool returnValid = false;
  // The light that picture was lit by: a repaint after the light changed
  // (the light dialog asks for no rebuild) replays the passes in the new light.
  Light light;
};

// The prepare step of every shown graph (what drawing needs in the context,
// such as textures), which must run outside list compilation, with the
// resources it makes them with (nullptr: none are made). BuildScene runs it
// first. The context must be current.
void PrepareShownGraphs(Workspace& workspace, const DrawResources* resources = nullptr);
// The release step of every graph of group, freeing what their prepare steps
// made. The context they were made in must be current.
void ReleaseGraphs(SceneGroup& group);

// Runs the graphs' prepare steps (with resources), then recompiles and
// executes display list 900 (compile-and-execute, so the back buffer holds
// the picture afterwards). sceneBox receives the box the axis system was
// drawn around. The context must be current.
void BuildScene(Workspace& workspace, InteractionState& state, Box& sceneBox, SceneLists& lists,
                const DrawResources* resources = nullptr);

// One frame without the swap: the unjittered projection, the light (in the
// camera's viewing frame, so every frame is lit alike), smooth shading, then
// either the accumulated picture returned with the legends drawn again (when
// lists.returnValid and the light is unchanged) or clear and list 900
// replayed whole; finish. Both give the same picture. The context must be
// current.
void DrawFrame(Workspace& workspace, SceneLists& lists);

// Draws one frame: DrawFrame, then the swap. Before the first build the frame
// is the clear colour. The context must be current.
void Display(Workspace& workspace, GlContext& context, SceneLists& lists);

// Frees the lists of a build, list 900 included. The context must be current.
void DeleteSceneLists(SceneLists& lists);

}  // namespace qv
