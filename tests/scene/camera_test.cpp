#include "scene/camera.h"

#include <GL/gl.h>

#include <array>
#include <cmath>

#include <gtest/gtest.h>

#include "platform/osmesa/offscreen_context.h"
#include "scene/scene_group.h"
#include "scene_test_context.h"

namespace qv {
namespace {

using Matrix = std::array<double, 16>;

Matrix Read(GLenum which) {
  Matrix m{};
  glGetDoublev(which, m.data());
  return m;
}

// glOrtho's matrix, column-major.
Matrix Ortho(double l, double r, double b, double t, double n, double f) {
  return {2 / (r - l),
          0,
          0,
          0,
          0,
          2 / (t - b),
          0,
          0,
          0,
          0,
          -2 / (f - n),
          0,
          -(r + l) / (r - l),
          -(t + b) / (t - b),
          -(f + n) / (f - n),
          1};
}

// glFrustum's matrix, column-major.
Matrix Frustum(double l, double r, double b, double t, double n, double f) {
  return {2 * n / (r - l),
          0,
          0,
          0,
          0,
          2 * n / (t - b),
          0,
          0,
          (r + l) / (r - l),
          (t + b) / (t - b),
          -(f + n) / (f - n),
          -1,
          0,
          0,
          -2 * f * n / (f - n),
          0};
}

void ExpectMatrix(const Matrix& got, const Matrix& want) {
  for (int i = 0; i < 16; ++i) {
    EXPECT_NEAR(got[i], want[i], 1e-5 * (1 + std::fabs(want[i]))) << "element " << i;
  }
}

class CameraTest : public testing::Test {
 protected:
  OffscreenContext ctx_{200, 200};
  Camera camera_;
};

// A height of 0 must not be stored, or SetViewRect divides by zero.
TEST_F(CameraTest, SetScreenWritesOneBackForAZeroHeight) {
  Long height = 0;
  camera_.SetScreen(640, height);
  EXPECT_EQ(height, 1);
  EXPECT_EQ(camera_.ScreenWidth, 640);
  EXPECT_EQ(camera_.ScreenHeight, 1);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 640);
  EXPECT_EQ(viewport[3], 0);
}

TEST_F(CameraTest, SetViewRectTakesTheScreensAspect) {
  Long height = 200;
  camera_.SetScreen(400, height);
  camera_.SetViewRect(5, 10);
  EXPECT_DOUBLE_EQ(camera_.VolWidth, 20);
  EXPECT_DOUBLE_EQ(camera_.VolHeight, 10);
}

TEST_F(CameraTest, ZoomOfZeroOrLessChangesNothing) {
  for (double factor : {0.0, -2.0, std::nan("")}) {
    camera_.Zoom(factor);
    EXPECT_DOUBLE_EQ(camera_.VolWidth, 40) << factor;
    EXPECT_DOUBLE_EQ(camera_.VolHeight, 40) << factor;
  }
  camera_.Zoom(0.5);
  EXPECT_DOUBLE_EQ(camera_.VolWidth, 20);
  EXPECT_DOUBLE_EQ(camera_.VolHeight, 20);
}

// A 2D picture lies in the x-y plane, seen from the front: the fit frames
// its x and y extents, whichever is larger, and centres on both; the z
// extent runs towards the viewer and does not count.
TEST_F(CameraTest, ZoomAllIn2DFramesTheXAndYExtents) {
  camera_.ZoomAll(-3, -100, -1, 5, 100, 1, 7);
  EXPECT_DOUBLE_EQ(camera_.VolHeight, 200);
  EXPECT_DOUBLE_EQ(camera_.RefPos.x, 1);
  EXPECT_DOUBLE_EQ(camera_.RefPos.y, 0);
  EXPECT_DOUBLE_EQ(camera_.RefPos.z, 0);
  EXPECT_DOUBLE_EQ(camera_.EyePos.y, 0);
  EXPECT_DOUBLE_EQ(camera_.EyePos.z, 1000);

  camera_.ZoomAll(-3, 1, -100, 5, 3, 100, 7);
  EXPECT_DOUBLE_EQ(camera_.VolHeight, 8);
  EXPECT_DOUBLE_EQ(camera_.RefPos.x, 1);
  EXPECT_DOUBLE_EQ(camera_.RefPos.y, 2);
  EXPECT_DOUBLE_EQ(camera_.EyePos.x, 1);
  EXPECT_DOUBLE_EQ(camera_.EyePos.y, 2);
}

TEST_F(CameraTest, ZoomAllIn3DKeepsDirectionAndDistance) {
  camera_.SetEye(10, 20, 30);
  camera_.ZoomAll(-3, -100, -1, 5, 100, 3, 3);
  EXPECT_DOUBLE_EQ(camera_.VolHeight, 200);
  EXPECT_DOUBLE_EQ(camera_.RefPos.x, 1);
  EXPECT_DOUBLE_EQ(camera_.RefPos.y, 0);
  EXPECT_DOUBLE_EQ(camera_.RefPos.z, 1);
  EXPECT_DOUBLE_EQ(camera_.EyePos.x, 11);
  EXPECT_DOUBLE_EQ(camera_.EyePos.y, 20);
  EXPECT_DOUBLE_EQ(camera_.EyePos.z, 31);
}

TEST_F(CameraTest, OrthographicProjectionReadsBackWithJitter) {
  camera_.Projection(0.5, -0.25, 0, 0, 1.0, SceneGroup{}, test::kSceneContext);
  // Both offsets are divided by the viewport width (200).
  const double ox = -0.5 * 40 / 200, oy = 0.25 * 40 / 200;
  ExpectMatrix(Read(GL_PROJECTION_MATRIX),
               Ortho(-20 + ox, 20 + ox, -20 + oy, 20 + oy, 0.001, 2000));
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  // Eye on +z looking at the origin: the viewing transform moves the world by -1000 in z.
  EXPECT_NEAR(Read(GL_MODELVIEW_MATRIX)[14], -1000, 1e-9);
}

TEST_F(CameraTest, PerspectiveProjectionUsesTheShownBox) {
  camera_.ProjectType = 2;
  const Box box{0, 4, 0, 10, 0, 6};
  camera_.Projection(0, 0, box);
  ExpectMatrix(Read(GL_PROJECTION_MATRIX), Frustum(-20, 20, -20, 20, 990, 2000));
  EXPECT_DOUBLE_EQ(camera_.VolNear, 0.01);
  camera_.Projection(0, 0, box);
  ExpectMatrix(Read(GL_PROJECTION_MATRIX), Frustum(-20, 20, -20, 20, 990, 2000));
  camera_.ProjectType = 1;
  camera_.Projection(0, 0, box);
  ExpectMatrix(Read(GL_PROJECTION_MATRIX), Ortho(-20, 20, -20, 20, 0.01, 2000));
}

// A box of extent 1000 or more made the near distance 0 or negative; GL then
// refused the frustum and the scene vanished.
TEST_F(CameraTest, PerspectiveNearIsClampedForHugeBoxes) {
  camera_.ProjectType = 2;
  for (double extent : {1000.0, 5000.0}) {
    camera_.Projection(0, 0, Box{0, extent, 0, 1, 0, 1});
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << extent;
    ExpectMatrix(Read(GL_PROJECTION_MATRIX),
                 Frustum(-20, 20, -20, 20, Camera::kMinPerspectiveNear, 2000));
  }
}

TEST_F(CameraTest, ZeroWidthViewportUsesOffsetsOfOne) {
  glViewport(0, 0, 0, 0);
  camera_.Projection(0.3, 0.3, Box{});
  ExpectMatrix(Read(GL_PROJECTION_MATRIX), Ortho(-19, 21, -19, 21, 0.001, 2000));
}

TEST_F(CameraTest, MoveViewPansEyeAndReferenceTogether) {
  camera_.MoveView(0.1, 0.25);
  EXPECT_DOUBLE_EQ(camera_.EyePos.x, -4);
  EXPECT_DOUBLE_EQ(camera_.EyePos.y, -10);
  EXPECT_DOUBLE_EQ(camera_.EyePos.z, 1000);
  EXPECT_DOUBLE_EQ(camera_.RefPos.x, -4);
  EXPECT_DOUBLE_EQ(camera_.RefPos.y, -10);
  // With the eye on the reference point there is no direction: nothing moves.
  camera_.SetEye(1, 2, 3);
  camera_.SetRef(1, 2, 3);
  camera_.MoveView(0.5, 0.5);
  EXPECT_DOUBLE_EQ(camera_.EyePos.x, 1);
}

TEST_F(CameraTest, VecUpIsBoundsChecked) {
  EXPECT_DOUBLE_EQ(camera_.VecUp(1), 1);
  camera_.SetVecUp(2, 0.5);
  EXPECT_DOUBLE_EQ(camera_.VecUp(2), 0.5);
  for (Long bad : {-1, 3}) {
    try {
      camera_.VecUp(bad);
      ADD_FAILURE() << bad;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), kSubscriptOutOfRange);
    }
  }
}

TEST_F(CameraTest, SetViewTypePlacesTheEyeOnStandardDirections) {
  camera_.SetViewType(3);
  EXPECT_DOUBLE_EQ(camera_.EyePos.y, 1000);
  EXPECT_DOUBLE_EQ(camera_.VecUp(2), 1);
  camera_.SetViewType(9);
  const double k = 1000 / std::sqrt(3.0);
  EXPECT_NEAR(camera_.EyePos.x, k, 1e-9);
  EXPECT_NEAR(camera_.EyePos.z, k, 1e-9);
  camera_.SetViewType(42);
  EXPECT_NEAR(camera_.EyePos.x, k, 1e-9);
}

}  // namespace
}  // namespace qv
