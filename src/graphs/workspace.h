// The program-wide state of one open document: the settings, the two scene
// groups, the camera, the light, the axis system and the data set. The main
// window owns one Workspace; every other part receives what it needs of it by
// reference, so nothing here is global. Graphs (Cls9) keep a pointer to the
// Workspace they were made for and read the data set and settings through it.
#pragma once

#include "data/cls_data.h"
#include "scene/cls10_light.h"
#include "scene/cls3_axis_system.h"
#include "scene/cls4_camera.h"
#include "scene/cls8_scene_group.h"
#include "scene/shared_settings.h"

namespace qv {

struct Workspace {
  // Flags and settings read by every subsystem (view code, scales, centre,
  // font bases, gridding methods, ...).
  SharedSettings settings;
  // Every graph of the document, keyed by CStr(ID).
  Cls8 AllGraphs;
  // The graphs checked in the graph list, a subset of AllGraphs holding the
  // same objects.
  Cls8 ShownGraphs;
  Cls4 Camera;
  Cls10 SceneLight;
  Cls3 AxisSystem;
  // The one data set the graphs are drawn from, with the triangles of the last
  // Delaunay triangulation.
  ClsData DataSet;
};

}  // namespace qv
