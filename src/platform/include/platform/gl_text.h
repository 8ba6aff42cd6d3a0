// GL text: glyph display lists made from system fonts (fontconfig finds the
// face, FreeType reads its outlines and bitmaps), and the routines that draw
// text with them.
//
// Text is Windows-1252: each code is drawn with the glyph of its Unicode
// character. Outline fonts hold 224 lists for codes 32..255 (base + code -
// 32): the glyph's front face at z = 0, its back face at z = -0.1 and the
// sides between, in units of the font's em (an em is 1.0 whatever the
// height), each list ending with a move of the glyph's advance along x.
// Bitmap fonts hold 256 glBitmap lists for codes 0..255 (base + code). A
// code outside a font's codes, or one of the five codes that Windows-1252
// leaves unassigned, is skipped, so text never calls a list outside its font.
#pragma once

#include <string>

#include "platform/message_box.h"
#include "platform/runtime.h"

namespace qv {

// The first code of an outline font and the number of lists of each kind.
inline constexpr Long kOutlineFontFirstCode = 32;
inline constexpr Long kOutlineFontLists = 256 - kOutlineFontFirstCode;
inline constexpr Long kBitmapFontLists = 256;
// Depth of the outline glyphs, in em.
inline constexpr double kOutlineExtrusion = 0.1;
// The message shown when a font cannot be made.
inline constexpr const char* kFontErrorText = "Unable to create font";

// Makes an outline font of face (resolved by fontconfig: "Arial" gives a
// metric-compatible face), weight (100..900, 400 regular) and italic flag.
// height is accepted for the callers' sake: outline glyphs are in em units.
// Sets the current GL colour from the packed colour. On success base is the
// first of the kOutlineFontLists lists and true is returned. When no lists can be reserved or
// the glyphs cannot be made, shows "Unable to create font" (critical icon),
// frees any lists reserved, sets base to 0 and returns false. Needs a current
// context.
bool CreateOutlineFont(Long& base, const std::string& face, Long height, Long weight, bool italic,
                       Long color, MessageBoxService& messages);

// The same from the face at faceIndex of a font file (no lookup, no colour).
bool CreateOutlineFontFromFile(Long& base, const std::string& path, int faceIndex,
                               MessageBoxService& messages);

// Makes a bitmap font of face at height pixels (the cell height: ascent plus
// descent) and weight: lists for codes 0..255. Failure as for
// CreateOutlineFont. Needs a current context.
bool CreateBitmapFont(Long& base, const std::string& face, Long height, Long weight,
                      MessageBoxService& messages);

// Frees a font's lists (count kOutlineFontLists or kBitmapFontLists) and sets
// base to 0. A base of 0 does nothing.
void DeleteFont(Long& base, Long count);

// Sets the colour (0..1 components) and the raster position (x, y, z), then
// draws text with the bitmap font at base. The unassigned codes are skipped;
// an empty text, or base 0, draws nothing. The list base state is restored.
void DrawBitmapText(Long base, const std::string& text, float x, float y, float z, float red,
                    float green, float blue);

// Draws text with the outline font at base from the current origin, glyph by
// glyph along +x (each glyph moves the modelview by its advance). Codes below
// 32 and the unassigned codes are skipped; an empty text, or base 0, draws
// nothing.
void DrawOutlineText(Long base, const std::string& text);

// The advance of text in em, for placing outline text: the characters that
// DrawOutlineText draws count (digits of the usual sans faces are 0.556 em
// wide; other glyphs are estimated the same).
double OutlineTextWidth(const std::string& text);

}  // namespace qv
