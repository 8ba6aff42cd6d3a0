// The program-wide state of one open document: the settings, the two scene
// groups, the camera, the light, the axis system and the data set. The main
// window owns one Workspace; every other part receives what it needs of it by
// reference, so nothing here is global. Graphs read the data set and the
// settings only through the DrawContext each bounding or drawing is given.
#pragma once

#include <string>

#include "data/data_set.h"
#include "graphs/draw_context.h"
#include "platform/shared_settings.h"
#include "scene/axis_system.h"
#include "scene/camera.h"
#include "scene/light.h"
#include "scene/scene_group.h"

namespace qv {

struct Workspace {
  // Flags and settings read by every subsystem (view code, scales, centre,
  // font bases, gridding methods, ...).
  SharedSettings settings;
  // Every graph of the document, keyed by CStr(ID).
  SceneGroup allGraphs;
  // The graphs checked in the graph list, a subset of AllGraphs holding the
  // same objects.
  SceneGroup shownGraphs;
  Camera camera;
  Light sceneLight;
  AxisSystem axisSystem;
  // The one data set the graphs are drawn from, with the triangles of the last
  // Delaunay triangulation.
  DataSet dataSet;
  // The folder of the file the document was last opened from or saved to
  // (a file-system path), "" for a new document: relative texture names
  // are looked for there.
  std::string documentFolder;

  // What the graphs are bounded and drawn in: this workspace's data set and
  // settings (valid while the workspace lives).
  DrawContext Context() const { return {dataSet, settings}; }
};

}  // namespace qv
