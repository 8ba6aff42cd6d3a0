#include "scene/scene_fonts.h"

#include "platform/gl_text.h"

namespace qv {

namespace {
constexpr const char* kFace = "Arial";
constexpr Long kWeight = 400;
}  // namespace

namespace {
bool CreateOutlineSets(SharedSettings& settings, MessageBoxService& messages) {
  const bool first =
      CreateOutlineFont(settings.OutlineFontBase1, kFace, 3, kWeight, false, 0, messages);
  const bool second =
      CreateOutlineFont(settings.OutlineFontBase2, kFace, 5, kWeight, false, 0, messages);
  return first && second;
}
}  // namespace

bool CreateSceneFonts(SharedSettings& settings, MessageBoxService& messages) {
  const bool outlines = CreateOutlineSets(settings, messages);
  const bool bitmap = CreateBitmapFont(settings.BitmapFontBase, kFace, 15, kWeight, messages);
  return outlines && bitmap;
}

bool RestoreOutlineFonts(SharedSettings& settings, MessageBoxService& messages) {
  DeleteFont(settings.OutlineFontBase1, kOutlineFontLists);
  DeleteFont(settings.OutlineFontBase2, kOutlineFontLists);
  return CreateOutlineSets(settings, messages);
}

void DeleteSceneFonts(SharedSettings& settings) {
  DeleteFont(settings.OutlineFontBase1, kOutlineFontLists);
  DeleteFont(settings.OutlineFontBase2, kOutlineFontLists);
  DeleteFont(settings.BitmapFontBase, kBitmapFontLists);
}

}  // namespace qv
