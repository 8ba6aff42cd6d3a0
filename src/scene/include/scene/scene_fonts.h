// The three font list sets the axis system and the legends write with, made
// once the drawing context exists: two outline sets ("Arial", heights 3 and
// 5, weight 400, black) and one bitmap set ("Arial", 15 pixels, weight 400).
#pragma once

#include "platform/message_box.h"
#include "platform/shared_settings.h"

namespace qv {

// Makes the three sets in the order OutlineFontBase1, OutlineFontBase2,
// BitmapFontBase and stores their bases in settings. A set that cannot be
// made is reported by its creator ("Unable to create font") and keeps base 0,
// so text in it is skipped. Returns true when all three were made. Needs a
// current context.
bool CreateSceneFonts(SharedSettings& settings, MessageBoxService& messages);
// Frees the two outline sets and makes them anew as CreateSceneFonts does,
// for text that another font replaced (the axis dialog's). Returns true when
// both were made. Needs a current context.
bool RestoreOutlineFonts(SharedSettings& settings, MessageBoxService& messages);
// Frees the three sets in the current context and sets their bases to 0.
void DeleteSceneFonts(SharedSettings& settings);

}  // namespace qv
