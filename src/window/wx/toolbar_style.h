// The toolbar's spacing. The toolkit's theme pads every button by six pixels
// a side and every separator by eight, so the fifty items took some 1560
// pixels and even a 1280 pixel window hid the last buttons behind the
// overflow arrow; the compact spacing fits them into about 1220.
#pragma once

namespace qv {

// Gives the program's toolbars compact spacing: two pixels around each
// button's picture, three beside each separator. Call once the toolkit has
// started; later calls do nothing. Where the toolkit offers no style sheets
// the toolbar keeps the theme's spacing.
void UseCompactToolbarSpacing();

}  // namespace qv
