// What a drawing emits, caught by GL feedback and brought back to centred
// scene coordinates: every primitive in turn, or the lines and polygons with
// their colours.
#pragma once

#include <GL/gl.h>

#include <array>
#include <functional>
#include <utility>
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

// The kinds of primitive a feedback buffer holds.
enum class FeedbackKind { kPoint, kLine, kPolygon, kPixels };

// Runs draw in feedback mode (vertices of the given type) under a projection
// that maps the cube -reach..reach onto a size x size window, and calls
// visit(kind, vertices) for every primitive it emitted, each vertex brought
// back to centred scene coordinates followed by the rest of its floats.
inline void WalkFeedback(
    const std::function<void()>& draw, GLenum type, double reach, int size,
    const std::function<void(FeedbackKind, const std::vector<std::vector<double>>&)>& visit) {
  const int stride = type == GL_3D_COLOR ? 7 : 3;
  std::vector<GLfloat> b(1 << 23);
  glFeedbackBuffer(static_cast<GLsizei>(b.size()), type, b.data());
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
  GLint at = 0;
  std::vector<std::vector<double>> vertices;
  const auto take = [&](GLint n) {
    vertices.clear();
    for (GLint k = 0; k < n; ++k, at += stride) {
      std::vector<double> v(b.begin() + at, b.begin() + at + stride);
      v[0] = (2.0 * v[0] / size - 1.0) * reach;
      v[1] = (2.0 * v[1] / size - 1.0) * reach;
      v[2] = -(2.0 * v[2] - 1.0) * reach;
      vertices.push_back(std::move(v));
    }
  };
  while (at < count) {
    const auto token = static_cast<GLint>(b[at++]);
    switch (token) {
      case GL_POINT_TOKEN:
        take(1);
        visit(FeedbackKind::kPoint, vertices);
        break;
      case GL_LINE_RESET_TOKEN:
      case GL_LINE_TOKEN:
        take(2);
        visit(FeedbackKind::kLine, vertices);
        break;
      case GL_POLYGON_TOKEN:
        take(static_cast<GLint>(b[at++]));
        visit(FeedbackKind::kPolygon, vertices);
        break;
      case GL_BITMAP_TOKEN:
      case GL_DRAW_PIXEL_TOKEN:
      case GL_COPY_PIXEL_TOKEN:
        take(1);
        visit(FeedbackKind::kPixels, vertices);
        break;
      case GL_PASS_THROUGH_TOKEN: ++at; break;
      default: ADD_FAILURE() << "unknown feedback token " << token; return;
    }
  }
}

// Runs draw under a projection that maps the cube -reach..reach onto a size
// x size window and returns what it emitted.
inline Feedback CaptureFeedback(const std::function<void()>& draw, double reach = 100.0,
                                int size = 256) {
  Feedback out;
  const auto colored = [](const std::vector<double>& v) {
    return FeedbackVertex{{v[0], v[1], v[2]}, {v[3], v[4], v[5], v[6]}};
  };
  WalkFeedback(draw, GL_3D_COLOR, reach, size,
               [&](FeedbackKind kind, const std::vector<std::vector<double>>& vertices) {
                 switch (kind) {
                   case FeedbackKind::kLine:
                     out.segments.push_back({colored(vertices[0]), colored(vertices[1])});
                     break;
                   case FeedbackKind::kPolygon: {
                     std::vector<FeedbackVertex> polygon;
                     for (const auto& v : vertices) polygon.push_back(colored(v));
                     out.polygons.push_back(std::move(polygon));
                     break;
                   }
                   case FeedbackKind::kPoint:
                   case FeedbackKind::kPixels: ++out.points; break;
                 }
               });
  return out;
}

}  // namespace qv::test
