// The lines and polygons a drawing emits, caught by GL feedback with their
// colours and brought back to centred scene coordinates.
#pragma once

#include <GL/gl.h>

#include <array>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

namespace qv::test {

struct FeedbackVertex {
  std::array<double, 3> p;
  std::array<double, 4> rgba;
};

struct Feedback {
  std::vector<std::array<FeedbackVertex, 2>> segments;
  std::vector<std::vector<FeedbackVertex>> polygons;
  int points = 0;
};

// Runs draw under a projection that maps the cube -reach..reach onto a size
// x size window and returns what it emitted.
inline Feedback CaptureFeedback(const std::function<void()>& draw, double reach = 100.0,
                                int size = 256) {
  std::vector<GLfloat> b(1 << 23);
  glFeedbackBuffer(static_cast<GLsizei>(b.size()), GL_3D_COLOR, b.data());
  glRenderMode(GL_FEEDBACK);
  glViewport(0, 0, size, size);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-reach, reach, -reach, reach, -reach, reach);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  draw();
  const GLint count = glRenderMode(GL_RENDER);
  EXPECT_GE(count, 0) << "feedback buffer overflow";
  Feedback out;
  GLint at = 0;
  const auto vertex = [&] {
    FeedbackVertex v;
    v.p = {(2.0 * b[at] / size - 1.0) * reach, (2.0 * b[at + 1] / size - 1.0) * reach,
           -(2.0 * b[at + 2] - 1.0) * reach};
    v.rgba = {b[at + 3], b[at + 4], b[at + 5], b[at + 6]};
    at += 7;
    return v;
  };
  while (at < count) {
    const auto token = static_cast<GLint>(b[at++]);
    switch (token) {
      case GL_LINE_RESET_TOKEN:
      case GL_LINE_TOKEN: {
        const FeedbackVertex a = vertex();
        out.segments.push_back({a, vertex()});
        break;
      }
      case GL_POLYGON_TOKEN: {
        const auto n = static_cast<GLint>(b[at++]);
        std::vector<FeedbackVertex> polygon;
        for (GLint k = 0; k < n; ++k) polygon.push_back(vertex());
        out.polygons.push_back(polygon);
        break;
      }
      case GL_POINT_TOKEN:
      case GL_BITMAP_TOKEN:
      case GL_DRAW_PIXEL_TOKEN:
      case GL_COPY_PIXEL_TOKEN:
        ++out.points;
        vertex();
        break;
      case GL_PASS_THROUGH_TOKEN: ++at; break;
      default: ADD_FAILURE() << "unknown feedback token " << token; return out;
    }
  }
  return out;
}

}  // namespace qv::test
