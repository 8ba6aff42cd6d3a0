#include "toolbar_style.h"

#include <dlfcn.h>

namespace qv {

namespace {

// The style sheet calls of the toolkit's own library, which the program has
// loaded through wx: wx offers no call for the spacing, and the build has
// no headers of that library. The signatures are those of its stable C ABI.
using CssProviderNew = void* (*)();
using CssProviderLoad = int (*)(void* provider, const char* data, long length, void** error);
using DefaultScreen = void* (*)();
using AddScreenProvider = void (*)(void* screen, void* provider, unsigned priority);

// The style sheet applies over the theme (the toolkit's "application"
// priority) and under the user's own sheet.
constexpr unsigned kApplicationPriority = 600;

constexpr char kCompactSheet[] =
    "toolbar { padding: 1px; }"
    "toolbar button { padding: 2px; min-width: 0; min-height: 0; }"
    "toolbar separator { margin-left: 3px; margin-right: 3px; }";

template <typename F>
F Lookup(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_DEFAULT, name));
}

}  // namespace

void UseCompactToolbarSpacing() {
  static bool done = false;
  if (done) return;
  done = true;
  const auto providerNew = Lookup<CssProviderNew>("gtk_css_provider_new");
  const auto load = Lookup<CssProviderLoad>("gtk_css_provider_load_from_data");
  const auto screenOf = Lookup<DefaultScreen>("gdk_screen_get_default");
  const auto add = Lookup<AddScreenProvider>("gtk_style_context_add_provider_for_screen");
  if (providerNew == nullptr || load == nullptr || screenOf == nullptr || add == nullptr) return;
  void* screen = screenOf();
  if (screen == nullptr) return;
  // The screen keeps the provider for the rest of the run.
  void* provider = providerNew();
  if (provider == nullptr) return;
  if (load(provider, kCompactSheet, -1, nullptr) == 0) return;
  add(screen, provider, kApplicationPriority);
}

}  // namespace qv
