// The Demo menu's sample documents: which file each item opens. The files
// lie in the folder "samples" beside the program, in the build tree and in
// an installed tree alike.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "window/menu_item.h"

namespace qv {

struct DemoSample {
  MenuItem item;
  // The file's name in the samples folder.
  std::string_view file;
};

// The folder of the samples, beside the program.
inline constexpr std::string_view kSamplesFolder = "samples";

// One row per item that opens a sample, in menu order.
std::span<const DemoSample> DemoSamples();
// The file item opens; nullopt for an item that opens none.
std::optional<std::string_view> DemoSampleFile(MenuItem item);
// The path of a sample file beside the program in programFolder (relative
// to the working folder when programFolder is ""), with one separator
// between the parts whatever programFolder ends with.
std::string DemoSamplePath(const std::string& programFolder, std::string_view file);

}  // namespace qv
