#include <GL/gl.h>

#include <array>

#include <gtest/gtest.h>

#include "platform/osmesa/offscreen_context.h"
#include "scene/light.h"
#include "scene/material_preset.h"

namespace qv {
namespace {

using Four = std::array<float, 4>;

Four LightParam(GLenum light, GLenum what) {
  Four v{};
  glGetLightfv(light, what, v.data());
  return v;
}

Four Material(GLenum what) {
  Four v{};
  glGetMaterialfv(GL_FRONT, what, v.data());
  return v;
}

void ExpectFour(const Four& got, const Four& want) {
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(got[i], want[i]) << "element " << i;
}

class LightTest : public testing::Test {
 protected:
  void SetUp() override {
    // Positions are stored in eye coordinates: keep the modelview identity.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  OffscreenContext ctx_{8, 8};
};

TEST_F(LightTest, DefaultLightReadsBack) {
  Light light;
  light.SetLight();
  ExpectFour(LightParam(GL_LIGHT0, GL_POSITION), {1000, 1000, 1000, 1});
  ExpectFour(LightParam(GL_LIGHT1, GL_POSITION), {-1000, -1000, -1000, 1});
  ExpectFour(LightParam(GL_LIGHT1, GL_DIFFUSE), {1, 1, 1, 1});
  Four ambient{};
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient.data());
  ExpectFour(ambient, {1, 0, 0, 0});
  GLboolean twoSide = GL_FALSE;
  glGetBooleanv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
  EXPECT_TRUE(twoSide);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
}

// The second light is placed from the X element alone, not the negated vector.
TEST_F(LightTest, SecondLightUsesTheNegatedXElement) {
  Light light;
  light.Position(0) = 10;
  light.Position(1) = 20;
  light.Position(2) = 30;
  light.Amission(0) = 0.25f;
  light.SetLight();
  ExpectFour(LightParam(GL_LIGHT1, GL_POSITION), {-10, -10, -10, 1});
  EXPECT_FLOAT_EQ(LightParam(GL_LIGHT1, GL_AMBIENT)[0], 0.25f);
}

TEST_F(LightTest, DisabledLightTurnsLightingOffAndSetsNothing) {
  Light light;
  light.Position(0) = 10;
  light.Enabled = false;
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  light.SetLight();
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
  // GL's own default position, untouched.
  ExpectFour(LightParam(GL_LIGHT0, GL_POSITION), {0, 0, 1, 0});
}

TEST_F(LightTest, IndexOutsideTheFieldIsSubscriptError) {
  Light light;
  try {
    light.TwoSides(1) = 0;
    ADD_FAILURE();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kSubscriptOutOfRange);
  }
  EXPECT_THROW(light.Position(4), RuntimeError);
}

TEST_F(LightTest, MaterialPresetsReadBack) {
  struct Case {
    Long kind;
    Four ambient, diffuse, emission;
    float shininess;
  };
  for (const Case& c :
       {Case{0, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 0},
        Case{14, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 0},
        Case{5, {0, 0, 0, 0}, {0, 0, 0, 0}, {0.0188407f, 0.940276f, 1, 0}, 6.530611f},
        Case{1,
             {0.936975f, 0.0923259f, 0.42843f, 0},
             {0.536861f, 0.0529003f, 0.24549f, 0.832432f},
             {0, 0, 0, 0},
             106.55129f},
        Case{13,
             {0.0486486f, 0.0486486f, 0.0486486f, 0},
             {0.205405f, 0.205405f, 0.205405f, 0},
             {0, 0, 0, 0},
             128}}) {
    SCOPED_TRACE(c.kind);
    MaterialPreset material;
    material.SetMaterial(c.kind);
    ExpectFour(Material(GL_AMBIENT), c.ambient);
    ExpectFour(Material(GL_DIFFUSE), c.diffuse);
    ExpectFour(Material(GL_EMISSION), c.emission);
    float shininess = -1;
    glGetMaterialfv(GL_BACK, GL_SHININESS, &shininess);
    EXPECT_FLOAT_EQ(shininess, c.shininess);
  }
  // Outside 1..13 the material keeps what it had.
  MaterialPreset kept;
  kept.SetMaterial(3);
  kept.SetMaterial(99);
  EXPECT_FLOAT_EQ(Material(GL_DIFFUSE)[3], 0.34747f);
  EXPECT_EQ(MaterialPreset::PresetName(3), "Glass");
  EXPECT_EQ(MaterialPreset::PresetName(14), "");
}

}  // namespace
}  // namespace qv
