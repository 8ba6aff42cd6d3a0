#include "scene/point_marker.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "scene/color.h"

namespace qv {

namespace {

constexpr int kMaxPixels = 32;

// A cross or diamond outline n pixels square, as glBitmap rows (bottom-up,
// one byte a row of up to 8 pixels, four bytes for 32).
std::vector<GLubyte> SymbolBitmap(MarkerSymbol symbol, int n) {
  constexpr int kStride = kMaxPixels / 8;
  std::vector<GLubyte> rows(static_cast<std::size_t>(kStride) * n, 0);
  const int c = n / 2;
  for (int iy = 0; iy < n; ++iy) {
    for (int ix = 0; ix < n; ++ix) {
      const int dx = std::abs(ix - c), dy = std::abs(iy - c);
      const bool on =
          symbol == MarkerSymbol::Cross ? (dx <= 0 || dy <= 0) : (dx + dy == c || dx + dy == c - 1);
      if (on) rows[iy * kStride + ix / 8] |= static_cast<GLubyte>(0x80 >> (ix % 8));
    }
  }
  return rows;
}

void DrawPoint(bool round, int pixels) {
  if (round) {
    // A smooth point is round only when its coverage is blended.
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  } else {
    glDisable(GL_POINT_SMOOTH);
  }
  glPointSize(static_cast<GLfloat>(pixels));
}

}  // namespace

void PointMarker::init(double px, double py, double pz, Long color, double size, Long symbol) {
  x = px;
  y = py;
  z = pz;
  Color = color;
  Size = size;
  Symbol = symbol;
}

int PointMarker::PixelSize() const {
  const double across = 2.0 + 2.0 * (Size > 0.0 ? Size : 0.0);
  return across >= kMaxPixels ? kMaxPixels : static_cast<int>(std::lround(across));
}

void PointMarker::Draw(const SharedSettings& settings) const {
  const double sx = y - settings.CenterY, sy = z - settings.CenterZ, sz = x - settings.CenterX;
  const auto symbol = static_cast<MarkerSymbol>(Symbol);
  const int pixels = PixelSize();
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_POINT_BIT | GL_COLOR_BUFFER_BIT);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glDisable(GL_LIGHTING);
  SetGlColor(Color);
  if (symbol == MarkerSymbol::Cross || symbol == MarkerSymbol::Diamond) {
    // Drawn as a bitmap at the raster position, so it keeps its pixel size.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glRasterPos3d(sx, sy, sz);
    const std::vector<GLubyte> bitmap = SymbolBitmap(symbol, pixels);
    // glBitmap reads rows of width pixels; our rows are 32 wide, hence 32.
    glPixelStorei(GL_UNPACK_ROW_LENGTH, kMaxPixels);
    const GLfloat origin = static_cast<GLfloat>(pixels / 2);
    glBitmap(pixels, pixels, origin, origin, 0.0f, 0.0f, bitmap.data());
  } else {
    DrawPoint(symbol != MarkerSymbol::Square, pixels);
    glBegin(GL_POINTS);
    glVertex3d(sx, sy, sz);
    glEnd();
  }
  glPopClientAttrib();
  glPopAttrib();
}

}  // namespace qv
