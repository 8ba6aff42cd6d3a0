#include "scene/light.h"

#include <GL/gl.h>

#include <array>

namespace qv {

namespace {

template <Long Lo, Long Hi>
std::array<float, Hi - Lo + 1> ToArray(const FixedTable<float, Lo, Hi>& table) {
  std::array<float, Hi - Lo + 1> values{};
  for (Long i = Lo; i <= Hi; ++i) values[i - Lo] = table(i);
  return values;
}

template <Long Lo, Long Hi>
void Fill(FixedTable<float, Lo, Hi>& table, std::array<float, Hi - Lo + 1> values) {
  for (Long i = Lo; i <= Hi; ++i) table(i) = values[i - Lo];
}

}  // namespace

Light::Light() {
  TwoSides(0) = 1.0f;
  Fill(GlobalAmbient, {1.0f, 0.0f, 0.0f, 0.0f});
  Fill(Position, {1000.0f, 1000.0f, 1000.0f, 1.0f});
  Fill(Diffuse, {1.0f, 1.0f, 1.0f, 1.0f});
  Fill(Amission, {1.0f, 1.0f, 1.0f, 1.0f});
  Fill(Specular, {1.0f, 1.0f, 1.0f, 1.0f});
}

void Light::SetLight() const {
  if (!Enabled) {
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHT1);
    return;
  }
  const auto diffuse = ToArray(Diffuse);
  const auto ambient = ToArray(Amission);
  const auto specular = ToArray(Specular);
  const auto position = ToArray(Position);
  glLightfv(GL_LIGHT0, GL_POSITION, position.data());
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse.data());
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient.data());
  glLightfv(GL_LIGHT0, GL_SPECULAR, specular.data());
  // The second light sits opposite the main one on the diagonal through its
  // X element (not the negated vector), as documents have always shown it.
  const float opposite = -position[0];
  const std::array<float, 4> position1{opposite, opposite, opposite, 1.0f};
  glLightfv(GL_LIGHT1, GL_POSITION, position1.data());
  glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse.data());
  glLightfv(GL_LIGHT1, GL_AMBIENT, ambient.data());
  glLightfv(GL_LIGHT1, GL_SPECULAR, specular.data());
  const auto globalAmbient = ToArray(GlobalAmbient);
  const auto twoSides = ToArray(TwoSides);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, globalAmbient.data());
  glLightModelfv(GL_LIGHT_MODEL_TWO_SIDE, twoSides.data());
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
}

}  // namespace qv
