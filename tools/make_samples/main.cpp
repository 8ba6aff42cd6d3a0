// qv_make_samples <folder>: writes every sample document of the Demo menu,
// and the image the textured one wears, into folder (which must exist).
// Prints the name of each file written; exits non-zero on the first failure.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/file_replace.h"
#include "samples.h"

namespace qv::samples {

std::span<const SampleMaker> SampleMakers() {
  static const std::vector<SampleMaker> all = [] {
    std::vector<SampleMaker> makers;
    for (const auto& m : SampleMakers3D()) makers.push_back(m);
    for (const auto& m : SampleMakers2D4D()) makers.push_back(m);
    return makers;
  }();
  return all;
}

}  // namespace qv::samples

int main(int argc, char** argv) {
  using namespace qv::samples;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const auto fail = [](const std::string& file, const std::string& why) {
    std::fprintf(stderr, "%s: %s\n", file.c_str(), why.c_str());
    return 1;
  };
  for (const SampleMaker& maker : SampleMakers()) {
    SampleDocument doc(maker.viewCode);
    maker.make(doc);
    const std::string failure = doc.Save(folder + "/" + maker.file);
    if (!failure.empty()) return fail(maker.file, failure);
    std::printf("%s\n", maker.file);
  }
  const std::string failure = qv::ReplaceFile(folder + "/" + kWoodTexture, WoodTextureBytes());
  if (!failure.empty()) return fail(kWoodTexture, failure);
  std::printf("%s\n", kWoodTexture);
  return 0;
}
