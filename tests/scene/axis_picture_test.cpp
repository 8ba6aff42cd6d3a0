// Offscreen pictures of the axis system: which panels show, where the text
// is, and that the 2D form draws two axes only.
#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "platform/gl_text.h"
#include "platform/osmesa/offscreen_context.h"
#include "scene/axis_system.h"
#include "scene/camera.h"
#include "scene/color.h"
#include "scene/light.h"
#include "scene/scene_fonts.h"
#include "scene/trackball.h"
#include "support/scripted_message_box.h"

namespace qv {
namespace {

constexpr int kSize = 256;
constexpr double kDegree = 3.1416 / 180;

class AxisPictureTest : public testing::Test {
 protected:
  void SetUp() override {
    glClearColor(1, 1, 1, 1);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    ASSERT_TRUE(CreateSceneFonts(settings_, messages_));
    axis_.SetDefault();
    axis_.AxisWidth = 3;
    settings_.CenterX = settings_.CenterY = settings_.CenterZ = 5;
  }

  // Draws the axis system around box_ under the scene's usual 3D rotation
  // (roll 0, pitch -30, yaw 45), or none in 2D, and reads the picture back.
  RgbaImage Render(const std::string& name) {
    Long height = kSize;
    camera_.SetScreen(kSize, height);
    camera_.ZoomAll(-5, -5, -5, 5, 5, 5, settings_.ViewCode);
    camera_.Zoom(1.9);
    light_.SetLight();
    glShadeModel(GL_SMOOTH);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    camera_.Projection(0, 0, box_);
    glMultMatrixd(&Rotation()[0][0]);
    axis_.Draw(2, box_, settings_);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview_.data());
    glGetDoublev(GL_PROJECTION_MATRIX, projection_.data());
    RgbaImage image = ctx_.ReadPixels();
    if (std::getenv("QV_WRITE_PICTURES") != nullptr) WritePng("/tmp/qv_" + name + ".png", image);
    return image;
  }

  Mat4 Rotation() const {
    Mat4 m{};
    if (settings_.ViewCode == 7) {
      BuildRotMatrix(m, {0, 0, 0, 1});
      return m;
    }
    Vec4 z{0, 0, 1, 0}, x{1, 0, 0, 0}, y{0, 1, 0, 0}, roll{}, pitch{}, yaw{};
    AxisToQuat(z, 0 * kDegree, roll);
    AxisToQuat(x, -30 * kDegree, pitch);
    AddQuats(roll, pitch, pitch);
    AxisToQuat(y, 45 * kDegree, yaw);
    AddQuats(pitch, yaw, yaw);
    BuildRotMatrix(m, yaw);
    return m;
  }

  // Window position of a centred scene point in the last picture.
  std::array<int, 2> Project(double x, double y, double z) const {
    GLint viewport[4] = {0, 0, kSize, kSize};
    double wx, wy, wz;
    gluProject(x, y, z, modelview_.data(), projection_.data(), viewport, &wx, &wy, &wz);
    return {static_cast<int>(wx), static_cast<int>(wy)};
  }

  static bool Dark(const std::array<std::uint8_t, 4>& p) {
    return p[0] < 64 && p[1] < 64 && p[2] < 64;
  }

  static bool DarkNear(const RgbaImage& image, std::array<int, 2> at, int radius) {
    for (int dy = -radius; dy <= radius; ++dy) {
      for (int dx = -radius; dx <= radius; ++dx) {
        const int x = at[0] + dx, y = at[1] + dy;
        if (x >= 0 && y >= 0 && x < image.width && y < image.height && Dark(image.At(x, y)))
          return true;
      }
    }
    return false;
  }

  OffscreenContext ctx_{kSize, kSize};
  test::ScriptedMessageBox messages_;
  SharedSettings settings_;
  AxisSystem axis_;
  Camera camera_;
  Light light_;
  Box box_{0, 10, 0, 10, 0, 10};
  std::array<double, 16> modelview_{};
  std::array<double, 16> projection_{};
};

// Each panel must show in its own colour where it projects, so a user can
// tell the planes (and therefore the axes) apart.
TEST_F(AxisPictureTest, ThreePanelsShowTheirColours) {
  axis_.ShowXYPanel = axis_.ShowXZPanel = axis_.ShowYZPanel = true;
  axis_.XYPanelColor = RGB(255, 0, 0);
  axis_.XZPanelColor = RGB(0, 255, 0);
  axis_.YZPanelColor = RGB(0, 0, 255);
  for (Long material : {4, 0}) {
    SCOPED_TRACE(material);
    axis_.XYPanelMaterial = axis_.XZPanelMaterial = axis_.YZPanelMaterial = material;
    const RgbaImage image = Render("panels");
    // Panel centres, off the grid lines: floor y = -5, walls x = -5 and z = -5.
    struct Probe {
      std::array<int, 2> at;
      int channel;
    };
    for (const Probe& p : {Probe{Project(-1.3, -5, -1.3), 0}, Probe{Project(-5, -1.3, -1.3), 1},
                           Probe{Project(-1.3, -1.3, -5), 2}}) {
      const auto px = image.At(p.at[0], p.at[1]);
      for (int iC = 0; iC < 3; ++iC) {
        if (iC != p.channel) {
          EXPECT_GT(px[p.channel], px[iC] + 60) << "channel " << p.channel;
        }
      }
    }
  }
}

// The labels and titles are the only text: taking the fonts away must take
// dark pixels away at the tick labels.
TEST_F(AxisPictureTest, LabelsAndTitlesDrawDarkText) {
  const RgbaImage withText = Render("labels");
  settings_.OutlineFontBase1 = settings_.OutlineFontBase2 = settings_.BitmapFontBase = 0;
  const RgbaImage without = Render("no_labels");
  int textPixels = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x)
      textPixels += Dark(withText.At(x, y)) && !Dark(without.At(x, y));
  }
  EXPECT_GT(textPixels, 80);
  // The label of data X = 0 sits off the corner, outside the box along -x.
  EXPECT_TRUE(DarkNear(withText, Project(-5 - 0.07 * 10, -5, -5), 4));
}

TEST_F(AxisPictureTest, BitmapTextWhenOutlineFontsAreOff) {
  axis_.BetterFonts = false;
  const RgbaImage withText = Render("bitmap_labels");
  settings_.BitmapFontBase = 0;
  const RgbaImage without = Render("bitmap_none");
  int textPixels = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x)
      textPixels += Dark(withText.At(x, y)) && !Dark(without.At(x, y));
  }
  EXPECT_GT(textPixels, 50);
}

// The 2D form must leave out the third axis: seen from the same angle as the
// 3D form, nothing dark lies along scene z.
TEST_F(AxisPictureTest, TwoDimensionalBranchDrawsNoThirdAxis) {
  axis_.SetTitleX("");
  axis_.SetTitleY("");
  axis_.SetTitleZ("");
  const RgbaImage threeD = Render("axes_3d");
  const auto alongZ = Project(-5, -5, 0.5);
  ASSERT_TRUE(DarkNear(threeD, alongZ, 1));
  settings_.ViewCode = 7;
  // Keep the 3D view angle so that a z axis, if drawn, would be seen.
  const Mat4 m = [&] {
    settings_.ViewCode = 3;
    Mat4 r = Rotation();
    settings_.ViewCode = 7;
    return r;
  }();
  Long height = kSize;
  camera_.SetScreen(kSize, height);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  camera_.Projection(0, 0, box_);
  glMultMatrixd(&m[0][0]);
  axis_.Draw(2, box_, settings_);
  const RgbaImage twoD = ctx_.ReadPixels();
  if (std::getenv("QV_WRITE_PICTURES") != nullptr) WritePng("/tmp/qv_axes_2d.png", twoD);
  EXPECT_FALSE(DarkNear(twoD, alongZ, 1));
  // The horizontal axis is still there.
  EXPECT_TRUE(DarkNear(twoD, Project(0.5, -5, -5), 1));
}

TEST_F(AxisPictureTest, FlatTwoDimensionalViewShowsPanelAndAxes) {
  settings_.ViewCode = 7;
  axis_.ShowXYPanel = true;
  axis_.XYPanelColor = RGB(0, 0, 255);
  box_ = {0, 10, 0, 10, -0.04, 0.04};
  // A 2D box carries data X, Y and the value along x, y, z.
  settings_.CenterZ = 0;
  light_.Enabled = false;
  const RgbaImage image = Render("flat_2d");
  const auto inside = image.At(Project(-1.3, -1.3, -0.04)[0], Project(-1.3, -1.3, -0.04)[1]);
  EXPECT_GT(inside[2], 200);
  EXPECT_LT(inside[0], 60);
  EXPECT_TRUE(DarkNear(image, Project(0.5, -5, -0.04), 1));
  EXPECT_TRUE(DarkNear(image, Project(-5, 0.5, -0.04), 1));
}

// The graphs are drawn after the axis system in later passes: it must hand
// back the lighting, colour material and matrix state it found.
TEST_F(AxisPictureTest, DrawRestoresTheStateItChanges) {
  axis_.ShowXYPanel = true;
  Render("state");
  GLint depthBefore = 0, depthAfter = 0, mode = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
  glEnable(GL_LIGHTING);
  axis_.Draw(2, box_, settings_);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(depthAfter, depthBefore);
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
  EXPECT_FALSE(glIsEnabled(GL_POLYGON_OFFSET_FILL));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(AxisPictureTest, SceneFontsAreThreeDistinctSets) {
  EXPECT_NE(settings_.OutlineFontBase1, settings_.OutlineFontBase2);
  EXPECT_TRUE(glIsList(settings_.BitmapFontBase + kBitmapFontLists - 1));
  DeleteSceneFonts(settings_);
  EXPECT_EQ(settings_.OutlineFontBase1 + settings_.OutlineFontBase2 + settings_.BitmapFontBase, 0);
}

// An empty group's inverted box has nothing to draw around.
TEST_F(AxisPictureTest, InvertedBoxDrawsNothing) {
  box_ = {99999999 - 0.04,  -99999999 + 0.04, 99999999 - 0.04,
          -99999999 + 0.04, 99999999 - 0.04,  -99999999 + 0.04};
  settings_.CenterX = settings_.CenterY = settings_.CenterZ = 0;
  const RgbaImage image = Render("empty");
  for (std::size_t i = 0; i < image.pixels.size(); ++i) ASSERT_EQ(image.pixels[i], 255) << i;
}

}  // namespace
}  // namespace qv
