#include "window/web_entries.h"

#include <array>

namespace qv {

namespace {

constexpr std::array kEntries = {
    WebEntry{MenuItem::mnuHelpHome, kHomeAddress},
    WebEntry{MenuItem::mnuHelpCus, "help/index.html#support"},
    WebEntry{MenuItem::mnuHelpVideo, "help/index.html#videos"},
    WebEntry{MenuItem::mnuHelpTwitter, "help/index.html#social"},
    WebEntry{MenuItem::mnuHelpFB, "help/index.html#social"},
};

}  // namespace

std::span<const WebEntry> WebEntries() { return kEntries; }

std::optional<std::string_view> WebAddress(MenuItem item) {
  for (const WebEntry& entry : kEntries) {
    if (entry.item == item) return entry.address;
  }
  return std::nullopt;
}

}  // namespace qv
