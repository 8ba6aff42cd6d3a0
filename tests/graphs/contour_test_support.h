// What the contour tests share: a sink that records the lines, a placer
// that puts each crossing at its grid position, the test fields and the
// comparisons of colours and points.
#pragma once

#include <cmath>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "contour_tracer.h"

namespace qv::test {

struct RecordedLine {
  double level = 0.0;
  std::optional<Rgb> colour;
  std::vector<ScenePoint> points;
};

// Keeps every line with its level and colour, and every level begun.
class RecordingSink final : public ContourSink {
 public:
  void BeginLevel(double level, const std::optional<Rgb>& colour) override {
    levels.push_back(level);
    colour_ = colour;
  }
  void BeginLine() override { lines.push_back({levels.back(), colour_, {}}); }
  void Vertex(const ScenePoint& p) override { lines.back().points.push_back(p); }
  void EndLine() override {}

  std::vector<RecordedLine> LinesAt(double level) const {
    std::vector<RecordedLine> at;
    for (const RecordedLine& line : lines) {
      if (std::fabs(line.level - level) <= 1e-9 * std::fabs(level)) at.push_back(line);
    }
    return at;
  }
  bool Closed(const RecordedLine& line) const {
    return line.points.front().x == line.points.back().x &&
           line.points.front().y == line.points.back().y &&
           line.points.front().z == line.points.back().z;
  }

  std::vector<double> levels;
  std::vector<RecordedLine> lines;

 private:
  std::optional<Rgb> colour_;
};

// A crossing at its grid position: (i + f, j, 0) on an I-edge, (i, j + f, 0)
// on a J-edge.
class GridPositionPlacer final : public ContourPlacer {
 public:
  ScenePoint Place(const ContourEdge& e, double f) const override {
    return e.alongFirst ? ScenePoint{e.i + f, static_cast<double>(e.j), 0.0}
                        : ScenePoint{static_cast<double>(e.i), e.j + f, 0.0};
  }
};

// x^2 + y^2 on n x n nodes (n odd) spaced `spacing` apart around the centre
// node, node (i, j) at i * n + j.
inline std::vector<double> CircleField(Long n, double spacing) {
  std::vector<double> v;
  const double c = (n - 1) / 2.0;
  for (Long i = 0; i < n; ++i) {
    for (Long j = 0; j < n; ++j) {
      const double x = (i - c) * spacing, y = (j - c) * spacing;
      v.push_back(x * x + y * y);
    }
  }
  return v;
}

inline bool OnGridBorder(const ScenePoint& p, Long nx, Long ny) {
  return p.x == 0 || p.y == 0 || p.x == nx - 1 || p.y == ny - 1;
}

inline void ExpectRgb(const Rgb& actual, const Rgb& expected, double tolerance = 1e-9) {
  EXPECT_NEAR(actual.r, expected.r, tolerance);
  EXPECT_NEAR(actual.g, expected.g, tolerance);
  EXPECT_NEAR(actual.b, expected.b, tolerance);
}

inline void ExpectPoints(const std::vector<ScenePoint>& actual,
                         const std::vector<ScenePoint>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t k = 0; k < actual.size(); ++k) {
    EXPECT_NEAR(actual[k].x, expected[k].x, 1e-9) << k;
    EXPECT_NEAR(actual[k].y, expected[k].y, 1e-9) << k;
    EXPECT_NEAR(actual[k].z, expected[k].z, 1e-9) << k;
  }
}

}  // namespace qv::test
