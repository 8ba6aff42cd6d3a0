// What the drawing tests of the graphs share: an offscreen context with a
// workspace and one graph, data sets filled in place, a top-down view of the
// scene, and the vertices a drawing emits, caught by GL feedback and brought
// back to scene coordinates.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gl_feedback.h"
#include "graphs/graph.h"
#include "graphs/workspace.h"
#include "platform/osmesa/offscreen_context.h"
#include "platform/rgba_image.h"
#include "support/scripted_message_box.h"

namespace qv::test {

// The primitives and vertices one drawing emitted, in centred scene
// coordinates (what the drawing passed to glVertex).
struct Emitted {
  std::vector<std::array<double, 3>> vertices;
  int points = 0;
  int lines = 0;
  int polygons = 0;
  int bitmaps = 0;
};

class GraphDrawTest : public testing::Test {
 protected:
  static constexpr int kSize = 256;
  // Half the side of the cube the feedback projection maps onto the window.
  static constexpr double kReach = 100.0;

  GraphDrawTest() { glClearColor(1, 1, 1, 1); }

  // A regular surface of nu x nv nodes: data X = i, Y = j, height and
  // colour value height(i, j).
  void FillSurface(Long nu, Long nv, const std::function<double(Long, Long)>& height) {
    DataSet& d = ws_.dataSet;
    d.RedimRegular3D(nu - 1, nv - 1);
    d.StepsX(nu);
    d.StepsY(nv);
    for (Long i = 0; i < nu; ++i) {
      for (Long j = 0; j < nv; ++j) {
        const double h = height(i, j);
        d.Reg3DX(i, j, static_cast<double>(i));
        d.Reg3DY(i, j, static_cast<double>(j));
        d.Reg3DZ(i, j, h);
        d.Reg3DC(i, j, h);
      }
    }
    graph_.StepU = nu - 1;
    graph_.StepV = nv - 1;
  }

  // A regular volume of n^3 nodes at X = i, Y = j, Z = k with value(i, j, k).
  void FillVolume(Long n, const std::function<double(Long, Long, Long)>& value) {
    DataSet& d = ws_.dataSet;
    d.RedimRegular4D(n - 1, n - 1, n - 1);
    d.StepsX(n);
    d.StepsY(n);
    d.StepsZ(n);
    for (Long i = 0; i < n; ++i) {
      for (Long j = 0; j < n; ++j) {
        for (Long k = 0; k < n; ++k) {
          d.Reg4DX(i, j, k, static_cast<double>(i));
          d.Reg4DY(i, j, k, static_cast<double>(j));
          d.Reg4DZ(i, j, k, static_cast<double>(k));
          d.Reg4DV(i, j, k, value(i, j, k));
        }
      }
    }
    graph_.StepU = graph_.StepV = graph_.StepH = n - 1;
  }

  // Irregular points (x, y, z), colour value z, triangulated in the x-y plane.
  void FillPoints(const std::vector<std::array<double, 3>>& points) {
    DataSet& d = ws_.dataSet;
    const auto n = static_cast<Long>(points.size());
    d.Points(n);
    d.RedimIrregular3D(n - 1);
    std::vector<double> x(points.size() + 1), y(points.size() + 1);
    for (Long p = 0; p < n; ++p) {
      const auto& q = points[static_cast<std::size_t>(p)];
      d.Irreg3DX(p, q[0]);
      d.Irreg3DY(p, q[1]);
      d.Irreg3DZ(p, q[2]);
      d.Irreg3DC(p, q[2]);
      x[static_cast<std::size_t>(p) + 1] = q[0];
      y[static_cast<std::size_t>(p) + 1] = q[1];
    }
    d.DelaunayTriCount(d.DelaunayTriangulate(n, x, y, messages_));
  }

  // Runs draw under a projection that maps the cube -kReach..kReach onto the
  // window and returns what it emitted, unprojected.
  Emitted Capture(const std::function<void()>& draw) {
    Emitted out;
    WalkFeedback(draw, GL_3D, kReach, kSize,
                 [&](FeedbackKind kind, const std::vector<std::vector<double>>& vertices) {
                   switch (kind) {
                     case FeedbackKind::kPoint: ++out.points; break;
                     case FeedbackKind::kLine: ++out.lines; break;
                     case FeedbackKind::kPolygon: ++out.polygons; break;
                     case FeedbackKind::kPixels: ++out.bitmaps; break;
                   }
                   for (const auto& v : vertices) out.vertices.push_back({v[0], v[1], v[2]});
                 });
    return out;
  }

  // Sets a top-down orthographic view of the centred scene: scene x to the
  // right, scene z downwards on the screen, the window spanning
  // -half..half on both.
  void LookDown(double half) {
    glViewport(0, 0, kSize, kSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-half, half, -half, half, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotated(90, 1, 0, 0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_LIGHTING);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  // Window pixel of the centred scene point under the current matrices.
  std::array<int, 2> Pixel(double x, double y, double z) const {
    GLdouble mv[16], pr[16];
    GLint vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    double wx, wy, wz;
    gluProject(x, y, z, mv, pr, vp, &wx, &wy, &wz);
    return {static_cast<int>(std::floor(wx)), static_cast<int>(std::floor(wy))};
  }

  RgbaImage Picture(const std::string& name) {
    RgbaImage image = ctx_.ReadPixels();
    if (std::getenv("QV_WRITE_PICTURES") != nullptr) WritePng("/tmp/qv_" + name + ".png", image);
    return image;
  }

  static bool White(const std::array<std::uint8_t, 4>& p) {
    return p[0] > 250 && p[1] > 250 && p[2] > 250;
  }

  OffscreenContext ctx_{kSize, kSize};
  ScriptedMessageBox messages_;
  Workspace ws_;
  Graph graph_;
};

}  // namespace qv::test
