// The addresses the Help menu's web entries and the About box open. There is
// no web site: each is a section of the help file beside the program, so a
// real site can replace them here, in one place.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "window/menu_item.h"

namespace qv {

struct WebEntry {
  MenuItem item;
  // Relative to the program's folder; the part after "#" names the section.
  std::string_view address;
};

// The home page, which the About box shows and opens.
inline constexpr std::string_view kHomeAddress = "help/index.html#home";

// One row per web entry of the Help menu, in menu order.
std::span<const WebEntry> WebEntries();
// The address of item's entry; nullopt for an item that is none.
std::optional<std::string_view> WebAddress(MenuItem item);

}  // namespace qv
