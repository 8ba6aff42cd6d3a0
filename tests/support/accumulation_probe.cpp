#include "support/accumulation_probe.h"

#include <GL/gl.h>

namespace qv::test {

AccumulationProbe DrawAccumulationProbe(int width, int height) {
  const int edge = width / 2;
  glViewport(0, 0, width, height);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_DITHER);
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  glClearAccum(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_ACCUM_BUFFER_BIT);
  const float jitter[2] = {0.25f, -0.25f};
  for (float dx : jitter) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(dx, 0.0f, 0.0f);
    glColor3f(0.0f, 0.0f, 0.0f);
    // The edge at edge + 0.5 is the centre of column edge: +0.25 covers it,
    // -0.25 does not.
    glRectf(0.0f, 0.0f, static_cast<float>(edge) + 0.5f, static_cast<float>(height));
    glAccum(GL_ACCUM, 0.5f);
  }
  glAccum(GL_RETURN, 1.0f);
  glFinish();
  return {edge, edge / 2, edge + (width - edge) / 2, height / 2};
}

}  // namespace qv::test
