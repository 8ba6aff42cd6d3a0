#include "platform/gl_text.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "platform/text_encoding.h"

namespace qv {

namespace {

// Whether a code of the text has a character (and so a glyph) in a font
// whose codes start at first.
bool HasGlyph(unsigned char code, Long first) {
  return code >= first && (code < 0x80 || Cp1252CodePoint(code) != 0);
}

// Font Lookup
struct FontFile {
  std::string path;
  int index = 0;
};

std::optional<FontFile> FindFontFile(const std::string& face, Long weight, bool italic) {
  if (!FcInit()) return std::nullopt;
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
  const int ot = weight <= 0 ? 400 : (weight > 1000 ? 1000 : weight);
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(ot));
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return std::nullopt;
  std::optional<FontFile> found;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    found = FontFile{reinterpret_cast<const char*>(file), 0};
    FcPatternGetInteger(match, FC_INDEX, 0, &found->index);
  }
  FcPatternDestroy(match);
  return found;
}

// An open FreeType face with its library, released together.
class Face {
 public:
  bool Open(const FontFile& file) {
    if (FT_Init_FreeType(&library_) != 0) {
      library_ = nullptr;
      return false;
    }
    return FT_New_Face(library_, file.path.c_str(), file.index, &face_) == 0;
  }
  ~Face() {
    if (face_ != nullptr) FT_Done_Face(face_);
    if (library_ != nullptr) FT_Done_FreeType(library_);
  }
  FT_Face get() const { return face_; }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

// Outline Glyphs
struct Point {
  double x, y;
};
using Contour = std::vector<Point>;

// Collects the contours of an outline, flattening the curves, in em units.
struct OutlineCollector {
  double scale = 1.0;
  std::vector<Contour> contours;
  Point last{0, 0};

  Point P(const FT_Vector* v) const { return {v->x * scale, v->y * scale}; }
  void Add(Point p) {
    contours.back().push_back(p);
    last = p;
  }
};

constexpr int kCurveSteps = 8;

int MoveTo(const FT_Vector* to, void* user) {
  auto* c = static_cast<OutlineCollector*>(user);
  c->contours.emplace_back();
  c->Add(c->P(to));
  return 0;
}

int LineTo(const FT_Vector* to, void* user) {
  auto* c = static_cast<OutlineCollector*>(user);
  c->Add(c->P(to));
  return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto* c = static_cast<OutlineCollector*>(user);
  const Point p0 = c->last, p1 = c->P(control), p2 = c->P(to);
  for (int iS = 1; iS <= kCurveSteps; ++iS) {
    const double t = static_cast<double>(iS) / kCurveSteps, u = 1.0 - t;
    c->Add({u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x,
            u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
  }
  return 0;
}

int CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user) {
  auto* c = static_cast<OutlineCollector*>(user);
  const Point p0 = c->last, p1 = c->P(control1), p2 = c->P(control2), p3 = c->P(to);
  for (int iS = 1; iS <= kCurveSteps; ++iS) {
    const double t = static_cast<double>(iS) / kCurveSteps, u = 1.0 - t;
    const double a = u * u * u, b = 3 * u * u * t, d = 3 * u * t * t, e = t * t * t;
    c->Add({a * p0.x + b * p1.x + d * p2.x + e * p3.x, a * p0.y + b * p1.y + d * p2.y + e * p3.y});
  }
  return 0;
}

// Drops repeated points and the closing point that repeats the first.
void Tidy(std::vector<Contour>& contours) {
  for (Contour& contour : contours) {
    Contour tidy;
    for (const Point& p : contour) {
      if (tidy.empty() || p.x != tidy.back().x || p.y != tidy.back().y) tidy.push_back(p);
    }
    if (tidy.size() > 1 && tidy.front().x == tidy.back().x && tidy.front().y == tidy.back().y) {
      tidy.pop_back();
    }
    contour = std::move(tidy);
  }
  std::erase_if(contours, [](const Contour& c) { return c.size() < 3; });
}

// The tessellator's vertices must outlive the polygon; a deque keeps their
// addresses when the combine callback adds more.
struct TessStore {
  std::deque<std::array<double, 3>> vertices;
};

void GLAPIENTRY TessBegin(GLenum type) { glBegin(type); }
void GLAPIENTRY TessVertex(void* data) { glVertex3dv(static_cast<const double*>(data)); }
void GLAPIENTRY TessEnd() { glEnd(); }
void GLAPIENTRY TessCombine(const GLdouble coords[3], void* /*data*/[4], const GLfloat /*w*/[4],
                            void** out, void* user) {
  auto* store = static_cast<TessStore*>(user);
  store->vertices.push_back({coords[0], coords[1], coords[2]});
  *out = store->vertices.back().data();
}

using TessCallback = void(GLAPIENTRY*)();

// Emits the filled glyph face at depth z with the given normal.
bool DrawFace(GLUtesselator* tess, const std::vector<Contour>& contours, double z, double nz) {
  TessStore store;
  glNormal3d(0.0, 0.0, nz);
  gluTessNormal(tess, 0.0, 0.0, nz);
  gluTessBeginPolygon(tess, &store);
  for (const Contour& contour : contours) {
    gluTessBeginContour(tess);
    for (const Point& p : contour) {
      store.vertices.push_back({p.x, p.y, z});
      gluTessVertex(tess, store.vertices.back().data(), store.vertices.back().data());
    }
    gluTessEndContour(tess);
  }
  gluTessEndPolygon(tess);
  return true;
}

void DrawSides(const std::vector<Contour>& contours) {
  glBegin(GL_QUADS);
  for (const Contour& contour : contours) {
    for (std::size_t iP = 0; iP < contour.size(); ++iP) {
      const Point& a = contour[iP];
      const Point& b = contour[(iP + 1) % contour.size()];
      const double dx = b.x - a.x, dy = b.y - a.y;
      const double len = std::sqrt(dx * dx + dy * dy);
      if (len > 0.0) glNormal3d(dy / len, -dx / len, 0.0);
      glVertex3d(a.x, a.y, 0.0);
      glVertex3d(b.x, b.y, 0.0);
      glVertex3d(b.x, b.y, -kOutlineExtrusion);
      glVertex3d(a.x, a.y, -kOutlineExtrusion);
    }
  }
  glEnd();
}

// An unassigned code (character 0) gets an empty list that does not move.
bool CompileOutlineGlyph(FT_Face face, GLUtesselator* tess, char32_t character, GLuint list) {
  if (character == 0) {
    glNewList(list, GL_COMPILE);
    glEndList();
    return true;
  }
  if (FT_Load_Char(face, character, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0) return false;
  OutlineCollector collector;
  collector.scale = 1.0 / face->units_per_EM;
  if (face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
    FT_Outline_Funcs funcs{MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
    if (FT_Outline_Decompose(&face->glyph->outline, &funcs, &collector) != 0) return false;
  }
  Tidy(collector.contours);
  glNewList(list, GL_COMPILE);
  if (!collector.contours.empty()) {
    DrawFace(tess, collector.contours, 0.0, 1.0);
    DrawFace(tess, collector.contours, -kOutlineExtrusion, -1.0);
    DrawSides(collector.contours);
  }
  glTranslated(face->glyph->advance.x * collector.scale, 0.0, 0.0);
  glEndList();
  return true;
}

bool CompileOutlineFont(const FontFile& file, GLuint base) {
  Face face;
  if (!face.Open(file) || !FT_IS_SCALABLE(face.get())) return false;
  std::unique_ptr<GLUtesselator, void (*)(GLUtesselator*)> tess(gluNewTess(), gluDeleteTess);
  if (!tess) return false;
  // TrueType and CFF outlines fill by the non-zero rule.
  gluTessProperty(tess.get(), GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
  gluTessCallback(tess.get(), GLU_TESS_BEGIN, reinterpret_cast<TessCallback>(TessBegin));
  gluTessCallback(tess.get(), GLU_TESS_VERTEX, reinterpret_cast<TessCallback>(TessVertex));
  gluTessCallback(tess.get(), GLU_TESS_END, reinterpret_cast<TessCallback>(TessEnd));
  gluTessCallback(tess.get(), GLU_TESS_COMBINE_DATA, reinterpret_cast<TessCallback>(TessCombine));
  for (Long code = kOutlineFontFirstCode; code < kOutlineFontFirstCode + kOutlineFontLists;
       ++code) {
    const char32_t character = Cp1252CodePoint(static_cast<unsigned char>(code));
    if (!CompileOutlineGlyph(face.get(), tess.get(), character,
                             base + static_cast<GLuint>(code - kOutlineFontFirstCode))) {
      return false;
    }
  }
  return true;
}

// Bitmap Glyphs
// A character the face lacks (or 0, unassigned) gets an empty list.
bool CompileBitmapGlyph(FT_Face face, char32_t character, GLuint list) {
  const bool loaded =
      character != 0 && FT_Get_Char_Index(face, character) != 0 &&
      FT_Load_Char(face, character, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) == 0;
  glNewList(list, GL_COMPILE);
  if (loaded) {
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    const int width = static_cast<int>(bitmap.width);
    const int rows = static_cast<int>(bitmap.rows);
    const int stride = (width + 7) / 8;
    // glBitmap wants the rows bottom-up; FreeType gives them top-down.
    std::vector<GLubyte> data(static_cast<std::size_t>(stride) * rows);
    for (int iRow = 0; iRow < rows; ++iRow) {
      const unsigned char* src = bitmap.buffer + static_cast<std::ptrdiff_t>(iRow) * bitmap.pitch;
      std::copy(src, src + stride,
                data.begin() + static_cast<std::ptrdiff_t>(rows - 1 - iRow) * stride);
    }
    glBitmap(width, rows, static_cast<GLfloat>(-face->glyph->bitmap_left),
             static_cast<GLfloat>(rows - face->glyph->bitmap_top),
             static_cast<GLfloat>(face->glyph->advance.x) / 64.0f, 0.0f,
             data.empty() ? nullptr : data.data());
  }
  glEndList();
  return true;
}

bool CompileBitmapFont(const FontFile& file, Long height, GLuint base) {
  Face face;
  if (!face.Open(file)) return false;
  FT_Size_RequestRec request{};
  request.type = FT_SIZE_REQUEST_TYPE_REAL_DIM;
  request.height = static_cast<FT_Long>(height > 0 ? height : 15) * 64;
  if (FT_Request_Size(face.get(), &request) != 0) return false;
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  bool ok = true;
  for (Long code = 0; code < kBitmapFontLists && ok; ++code) {
    ok = CompileBitmapGlyph(face.get(), Cp1252CodePoint(static_cast<unsigned char>(code)),
                            base + static_cast<GLuint>(code));
  }
  glPopClientAttrib();
  return ok;
}

template <typename Compile>
bool MakeFont(Long& base, Long count, const std::optional<FontFile>& file,
              MessageBoxService& messages, Compile compile) {
  base = 0;
  const GLuint lists = glGenLists(count);
  if (lists != 0 && file && compile(*file, lists)) {
    base = static_cast<Long>(lists);
    return true;
  }
  if (lists != 0) glDeleteLists(lists, count);
  messages.Show(kFontErrorText, "Error", MsgIcon::Critical, MsgButtons::OK);
  return false;
}

}  // namespace

bool CreateOutlineFont(Long& base, const std::string& face, Long /*height*/, Long weight,
                       bool italic, Long color, MessageBoxService& messages) {
  const double blue = Fix(color / 65536.0);
  const double green = Fix((color - 65536.0 * blue) / 256.0);
  const double red = color - 65536.0 * blue - 256.0 * green;
  glColor3d(red / 255.0, green / 255.0, blue / 255.0);
  const std::optional<FontFile> file = FindFontFile(face, weight, italic);
  return CreateOutlineFontFromFile(base, file ? file->path : "", file ? file->index : 0, messages);
}

bool CreateOutlineFontFromFile(Long& base, const std::string& path, int faceIndex,
                               MessageBoxService& messages) {
  std::optional<FontFile> file;
  if (!path.empty()) file = FontFile{path, faceIndex};
  return MakeFont(base, kOutlineFontLists, file, messages, CompileOutlineFont);
}

bool CreateBitmapFont(Long& base, const std::string& face, Long height, Long weight,
                      MessageBoxService& messages) {
  return MakeFont(base, kBitmapFontLists, FindFontFile(face, weight, false), messages,
                  [height](const FontFile& file, GLuint lists) {
                    return CompileBitmapFont(file, height, lists);
                  });
}

void DeleteFont(Long& base, Long count) {
  if (base != 0) glDeleteLists(static_cast<GLuint>(base), count);
  base = 0;
}

void DrawBitmapText(Long base, const std::string& text, float x, float y, float z, float red,
                    float green, float blue) {
  glColor3f(red, green, blue);
  glRasterPos3f(x, y, z);
  if (text.empty() || base == 0) return;
  std::vector<GLuint> lists;
  for (unsigned char c : text) {
    if (HasGlyph(c, 0)) lists.push_back(static_cast<GLuint>(base) + c);
  }
  if (lists.empty()) return;
  glPushAttrib(GL_LIST_BIT);
  glListBase(0);
  glCallLists(static_cast<GLsizei>(lists.size()), GL_UNSIGNED_INT, lists.data());
  glPopAttrib();
}

void DrawOutlineText(Long base, const std::string& text) {
  if (text.empty() || base == 0) return;
  std::vector<GLuint> lists;
  for (unsigned char c : text) {
    if (HasGlyph(c, kOutlineFontFirstCode)) {
      lists.push_back(static_cast<GLuint>(base) + static_cast<GLuint>(c - kOutlineFontFirstCode));
    }
  }
  if (lists.empty()) return;
  glPushAttrib(GL_LIST_BIT);
  glListBase(0);
  glCallLists(static_cast<GLsizei>(lists.size()), GL_UNSIGNED_INT, lists.data());
  glPopAttrib();
}

double OutlineTextWidth(const std::string& text) {
  constexpr double kDigitAdvance = 0.556;
  double width = 0.0;
  for (unsigned char c : text) {
    if (HasGlyph(c, kOutlineFontFirstCode)) width += c == ' ' || c == '.' ? 0.278 : kDigitAdvance;
  }
  return width;
}

}  // namespace qv
