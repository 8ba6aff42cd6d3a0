// The 4D slice planes: each plane where its position says, filled by the
// colour map of the value, with contour lines and vectors when asked, over
// the node ranges it names; and what a slice outside the volume, a volume of
// one layer and too many slices do.
#include <GL/gl.h>

#include <cmath>
#include <string>

#include "contour_test_support.h"
#include "gl_feedback.h"
#include "graph_draw_fixture.h"

namespace qv::test {
namespace {

// The value of the test volume at data (x, y, z): linear, so that a value
// between two layers or nodes is exactly the interpolated one.
double ValueAt(double x, double y, double z) { return x + 2 * y + 3 * z; }

enum class Family { kZ, kX, kY };

// What one slice draws, and over which nodes.
struct SliceParts {
  bool fill = true, contours = false, vectors = false;
  double interval = 0.0;
  Long contColor = 0, vectColor = 0;
  // 1-based node ranges along the plane's first and second index.
  Long b1 = 1, e1 = 5, b2 = 1, e2 = 5;
};

class SliceTest : public GraphDrawTest {
 protected:
  // 5 x 5 x 5 nodes at X, Y, Z = 0..4, the value stored as the
  // normalisation leaves it: divided by the value scale 10.
  SliceTest() {
    FillVolume(5, [](Long i, Long j, Long k) { return ValueAt(i, j, k) / 10.0; });
    ws_.settings.DataScaleV = 10.0;
    ws_.settings.ViewCode = kViewCode4D;
    ws_.settings.CenterX = 2.0;
    ws_.settings.CenterY = 1.5;
    ws_.settings.CenterZ = 1.0;
    graph_.GraphType = kSlice4D;
    graph_.ColorName = "RAINBOW";
  }

  // Adds a slice at data position `at` across the family's axis.
  void AddSlice(Family f, double at, const SliceParts& parts = SliceParts()) {
    Graph& g = graph_;
    const auto add = [&](Long& count, SliceDoubles& position, SliceFlags& color, SliceFlags& cont,
                         SliceFlags& vect, SliceDoubles& levels, SliceLongs& contColor,
                         SliceLongs& vectColor, SliceLongs& b1, SliceLongs& e1, SliceLongs& b2,
                         SliceLongs& e2) {
      const Long k = ++count;
      position(k) = at;
      color(k) = parts.fill;
      cont(k) = parts.contours;
      vect(k) = parts.vectors;
      levels(k) = parts.interval;
      contColor(k) = parts.contColor;
      vectColor(k) = parts.vectColor;
      b1(k) = parts.b1;
      e1(k) = parts.e1;
      b2(k) = parts.b2;
      e2(k) = parts.e2;
    };
    switch (f) {
      case Family::kZ:
        add(g.Slice4NumZ, g.Slice4Z, g.SliceZShowColor, g.SliceZShowCont, g.SliceZShowVect,
            g.SliceZContLevels, g.SliceZContColor, g.SliceZVectColor, g.Slice4XYXB, g.Slice4XYXE,
            g.Slice4XYYB, g.Slice4XYYE);
        break;
      case Family::kX:
        add(g.Slice4NumX, g.Slice4X, g.SliceXShowColor, g.SliceXShowCont, g.SliceXShowVect,
            g.SliceXContLevels, g.SliceXContColor, g.SliceXVectColor, g.Slice4YZYB, g.Slice4YZYE,
            g.Slice4YZZB, g.Slice4YZZE);
        break;
      case Family::kY:
        add(g.Slice4NumY, g.Slice4Y, g.SliceYShowColor, g.SliceYShowCont, g.SliceYShowVect,
            g.SliceYContLevels, g.SliceYContColor, g.SliceYVectColor, g.Slice4ZXXB, g.Slice4ZXXE,
            g.Slice4ZXZB, g.Slice4ZXZE);
        break;
    }
  }

  // What the drawing emits seen with the family's planes facing the viewer
  // (an edge-on plane's fill is moved in depth by its polygon offset), the
  // vertices turned back to data axes (X, Y, Z), not centred.
  Feedback CaptureFacing(Family f) {
    Feedback out = CaptureFeedback(
        [&] {
          if (f == Family::kZ) glRotated(90, 1, 0, 0);   // scene (x, -z, y) in view
          if (f == Family::kY) glRotated(-90, 0, 1, 0);  // scene (-z, y, x) in view
          graph_.Draw(ws_.Context());
        },
        10.0);
    const SharedSettings& s = ws_.settings;
    const auto back = [&](FeedbackVertex& v) {
      std::array<double, 3> scene = v.p;
      if (f == Family::kZ) scene = {v.p[0], v.p[2], -v.p[1]};
      if (f == Family::kY) scene = {v.p[2], v.p[1], -v.p[0]};
      v.p = {scene[2] + s.CenterX, scene[0] + s.CenterY, scene[1] + s.CenterZ};
    };
    for (auto& segment : out.segments) {
      for (FeedbackVertex& v : segment) back(v);
    }
    for (auto& polygon : out.polygons) {
      for (FeedbackVertex& v : polygon) back(v);
    }
    return out;
  }

  Rgb MapColourAt(const std::array<double, 3>& p) const {
    return LookupColor(FindNamedColorMap("RAINBOW")->points,
                       MapScale(ValueAt(p[0], p[1], p[2]) / 10.0, 0.0, 2.4));
  }
};

int AxisOf(Family f) { return f == Family::kX ? 0 : f == Family::kY ? 1 : 2; }

constexpr double kTol = 1e-3;

// Three slices across each axis (between layers, on a layer, between): every
// fill lies in its plane inside the volume and shows at each corner the map's
// colour of the value there, over the volume's range 0..24.
TEST_F(SliceTest, EachPlaneLiesWhereItsPositionSaysColouredByTheMap) {
  for (const Family f : {Family::kZ, Family::kX, Family::kY}) {
    SCOPED_TRACE(AxisOf(f));
    graph_.Slice4NumX = graph_.Slice4NumY = graph_.Slice4NumZ = 0;
    const double at[] = {0.5, 2.0, 3.25};
    for (const double a : at) AddSlice(f, a);
    const Feedback fb = CaptureFacing(f);
    ASSERT_FALSE(fb.polygons.empty());
    const std::size_t perSlice = fb.polygons.size() / 3;
    ASSERT_EQ(fb.polygons.size(), 3 * perSlice);
    for (std::size_t n = 0; n < fb.polygons.size(); ++n) {
      for (const FeedbackVertex& v : fb.polygons[n]) {
        ASSERT_NEAR(v.p[AxisOf(f)], at[n / perSlice], kTol) << "polygon " << n;
        for (const double c : v.p) ASSERT_TRUE(c > -kTol && c < 4 + kTol);
        const Rgb expected = MapColourAt(v.p);
        ASSERT_NEAR(v.rgba[0], expected.r, 0.01);
        ASSERT_NEAR(v.rgba[1], expected.g, 0.01);
        ASSERT_NEAR(v.rgba[2], expected.b, 0.01);
      }
    }
  }
}

// The Z slices are drawn first, then the X slices, then the Y slices, told
// apart by the planes their contour lines lie in.
TEST_F(SliceTest, ZSlicesComeFirstThenXThenY) {
  SliceParts parts;
  parts.fill = false;
  parts.contours = true;
  parts.interval = 2;
  AddSlice(Family::kY, 1.0, parts);
  AddSlice(Family::kX, 3.0, parts);
  AddSlice(Family::kZ, 2.0, parts);
  const Feedback fb = CaptureFacing(Family::kX);
  std::string order;
  for (const auto& segment : fb.segments) {
    std::string planes;
    for (const auto& [f, name] :
         {std::pair{Family::kZ, 'Z'}, {Family::kX, 'X'}, {Family::kY, 'Y'}}) {
      const double at = f == Family::kZ ? 2.0 : f == Family::kX ? 3.0 : 1.0;
      if (std::fabs(segment[0].p[AxisOf(f)] - at) < kTol &&
          std::fabs(segment[1].p[AxisOf(f)] - at) < kTol) {
        planes += name;
      }
    }
    // A segment where two planes meet tells nothing.
    if (planes.size() != 1) continue;
    if (order.empty() || order.back() != planes[0]) order += planes;
  }
  EXPECT_EQ(order, "ZXY");
}

// Contours every 5 of the value's data units (its drawing units are ten
// times smaller): in the plane, in the slice's colour, where the value
// reaches the level.
TEST_F(SliceTest, ContoursStandOnTheirLevelInThePlane) {
  SliceParts parts;
  parts.fill = false;
  parts.contours = true;
  parts.interval = 5;
  parts.contColor = RGB(0, 128, 255);
  for (const Family f : {Family::kZ, Family::kX, Family::kY}) {
    SCOPED_TRACE(AxisOf(f));
    graph_.Slice4NumX = graph_.Slice4NumY = graph_.Slice4NumZ = 0;
    AddSlice(f, 1.5, parts);
    const Feedback fb = CaptureFacing(f);
    ASSERT_FALSE(fb.segments.empty());
    for (const auto& segment : fb.segments) {
      for (const FeedbackVertex& v : segment) {
        ASSERT_NEAR(v.p[AxisOf(f)], 1.5, kTol);
        const double value = ValueAt(v.p[0], v.p[1], v.p[2]);
        ASSERT_NEAR(value / 5, std::round(value / 5), 1e-3) << value;
        ASSERT_NEAR(v.rgba[1], 128 / 255.0, 1e-6);
        ASSERT_NEAR(v.rgba[2], 1.0, 1e-6);
      }
    }
  }
}

// Vectors at the interior nodes of the range, uphill along the value's
// slope within the plane (for a Z slice: 1 along X, 2 along Y), in the
// slice's vector colour.
TEST_F(SliceTest, VectorsFollowTheSlopeWithinThePlane) {
  SliceParts parts;
  parts.fill = false;
  parts.vectors = true;
  parts.vectColor = RGB(255, 0, 0);
  AddSlice(Family::kZ, 1.5, parts);
  const Feedback fb = CaptureFacing(Family::kZ);
  ASSERT_EQ(fb.segments.size(), 9u);  // nodes 1..3 x 1..3
  for (const auto& [from, to] : fb.segments) {
    const double dx = to.p[0] - from.p[0], dy = to.p[1] - from.p[1], dz = to.p[2] - from.p[2];
    EXPECT_NEAR(from.p[0], std::round(from.p[0]), kTol);
    EXPECT_NEAR(from.p[1], std::round(from.p[1]), kTol);
    EXPECT_NEAR(dz, 0.0, kTol);
    EXPECT_GT(dx, 0.0);
    EXPECT_NEAR(dy, 2 * dx, kTol);
    EXPECT_LT(std::hypot(dx, dy), 1.0) << "longer than the node spacing";
    EXPECT_NEAR(from.rgba[0], 1.0, 1e-6);
    EXPECT_NEAR(from.rgba[1], 0.0, 1e-6);
  }
}

// Ranges are 1-based nodes clamped to the plane: 2..3 by 1..5 is one by four
// cells, 0..1000 the whole plane, a reversed range or a single node nothing.
TEST_F(SliceTest, RangesSelectTheirCellsClampedToThePlane) {
  struct RangeCase {
    Long b1, e1, b2, e2;
    std::size_t cells;
  };
  std::size_t polygonsPerCell = 0;
  for (const RangeCase& r :
       {RangeCase{1, 5, 1, 5, 16}, RangeCase{2, 3, 1, 5, 4}, RangeCase{0, 1000, -7, 1000, 16},
        RangeCase{4, 2, 1, 5, 0}, RangeCase{3, 3, 1, 5, 0}}) {
    SCOPED_TRACE(std::to_string(r.b1) + ".." + std::to_string(r.e1));
    graph_.Slice4NumZ = 0;
    SliceParts parts;
    parts.b1 = r.b1;
    parts.e1 = r.e1;
    parts.b2 = r.b2;
    parts.e2 = r.e2;
    AddSlice(Family::kZ, 2.0, parts);
    const Feedback fb = CaptureFacing(Family::kZ);
    if (polygonsPerCell == 0) polygonsPerCell = fb.polygons.size() / 16;
    ASSERT_GE(polygonsPerCell, 1u);
    EXPECT_EQ(fb.polygons.size(), r.cells * polygonsPerCell);
  }
}

// A slice outside the volume is skipped (it took the layers of the slice
// before it); a volume of one layer draws its layer and divides by nothing.
TEST_F(SliceTest, OutsideSlicesAreSkippedAndOneLayerIsEnough) {
  AddSlice(Family::kZ, 2.0);
  const std::size_t one = CaptureFacing(Family::kZ).polygons.size();
  AddSlice(Family::kZ, 9.0);
  AddSlice(Family::kZ, -0.5);
  EXPECT_EQ(CaptureFacing(Family::kZ).polygons.size(), one);

  DataSet& d = ws_.dataSet;
  d.RedimRegular4D(4, 4, 0);
  d.StepsZ(1);
  for (Long i = 0; i < 5; ++i) {
    for (Long j = 0; j < 5; ++j) {
      d.Reg4DX(i, j, 0, i);
      d.Reg4DY(i, j, 0, j);
      d.Reg4DV(i, j, 0, ValueAt(i, j, 0) / 10);
    }
  }
  graph_.StepH = 0;
  graph_.Slice4NumZ = graph_.Slice4NumX = 0;
  AddSlice(Family::kZ, 0.0);
  AddSlice(Family::kZ, 0.5);
  SliceParts parts;
  parts.contours = parts.vectors = true;
  parts.interval = 2;
  AddSlice(Family::kX, 1.5, parts);
  const Feedback fb = CaptureFacing(Family::kZ);
  EXPECT_EQ(fb.polygons.size(), one) << "the layer once, the slice at 0.5 skipped";
  for (const auto& polygon : fb.polygons) {
    for (const FeedbackVertex& v : polygon) ASSERT_TRUE(std::isfinite(v.p[0] + v.p[1] + v.p[2]));
  }
}

// Counts above 50 (the tables hold slices 1..50) draw the 50.
TEST_F(SliceTest, AtMostFiftySlicesPerAxis) {
  for (int k = 0; k < 50; ++k) AddSlice(Family::kZ, 2.0);
  const std::size_t fifty = CaptureFacing(Family::kZ).polygons.size();
  graph_.Slice4NumZ = 60;
  Feedback fb;
  ASSERT_NO_THROW(fb = CaptureFacing(Family::kZ));
  EXPECT_EQ(fb.polygons.size(), fifty);
}

// The scattered points the volume was gridded from come after the slices.
TEST_F(SliceTest, IrregularPointsAfterTheSlices) {
  AddSlice(Family::kZ, 2.0);
  DataSet& d = ws_.dataSet;
  d.RedimIrregular4D(1);
  d.Points(2);
  for (Long p = 0; p < 2; ++p) {
    d.Irreg4DX(p, 1.0 + p);
    d.Irreg4DY(p, 2.0);
    d.Irreg4DZ(p, 3.0);
  }
  EXPECT_EQ(CaptureFeedback([&] { graph_.Draw(ws_.Context()); }).points, 0);
  graph_.ShowIrregData = true;
  EXPECT_EQ(CaptureFeedback([&] { graph_.Draw(ws_.Context()); }).points, 2);
}

}  // namespace
}  // namespace qv::test
