#include "support/picture_baseline.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

// The reader's implementation, kept static so that it cannot clash with a
// library that embeds its own copy.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace qv::test {

PictureDifference ComparePictures(const RgbaImage& expected, const RgbaImage& actual, int channel) {
  PictureDifference out;
  out.sameSize = expected.width == actual.width && expected.height == actual.height &&
                 expected.pixels.size() == actual.pixels.size();
  if (!out.sameSize) {
    out.differing = static_cast<long>(actual.width) * actual.height;
    return out;
  }
  out.diff = expected;
  const std::size_t count = expected.pixels.size() / 4;
  for (std::size_t p = 0; p < count; ++p) {
    const std::uint8_t* e = &expected.pixels[p * 4];
    const std::uint8_t* a = &actual.pixels[p * 4];
    int worst = 0;
    for (int c = 0; c < 4; ++c) worst = std::max(worst, std::abs(int{e[c]} - int{a[c]}));
    out.largest = std::max(out.largest, worst);
    std::uint8_t* d = &out.diff.pixels[p * 4];
    if (worst > channel) {
      ++out.differing;
      d[0] = 255;
      d[1] = d[2] = 0;
    } else {
      // A pale copy keeps the picture readable around the red.
      for (int c = 0; c < 3; ++c) d[c] = static_cast<std::uint8_t>(191 + e[c] / 4);
    }
    d[3] = 255;
  }
  out.fraction = count == 0 ? 0.0 : static_cast<double>(out.differing) / static_cast<double>(count);
  return out;
}

std::optional<RgbaImage> ReadPng(const std::string& path) {
  int w = 0, h = 0, n = 0;
  stbi_uc* data = stbi_load(path.c_str(), &w, &h, &n, 4);
  if (data == nullptr) return std::nullopt;
  RgbaImage image;
  image.width = w;
  image.height = h;
  image.pixels.resize(static_cast<std::size_t>(w) * h * 4);
  const std::size_t stride = static_cast<std::size_t>(w) * 4;
  // PNG rows run top-down; ours bottom-up.
  for (int y = 0; y < h; ++y) {
    std::memcpy(&image.pixels[static_cast<std::size_t>(h - 1 - y) * stride], data + y * stride,
                stride);
  }
  stbi_image_free(data);
  return image;
}

bool UpdatingBaselines() {
  const char* value = std::getenv("QV_UPDATE_BASELINES");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

std::string BaselinePath(const std::string& name) {
  return std::string(QV_TEST_EXPECTED_DIR) + "/render/" + name + ".png";
}

std::string RenderOutputDir() { return QV_TEST_OUTPUT_DIR; }

namespace {

std::string Size(const RgbaImage& image) {
  return std::to_string(image.width) + "x" + std::to_string(image.height);
}

// Writes picture into the output folder as <name><suffix>.png; the path, or
// a note that it could not be written.
std::string WriteOutput(const std::string& name, const std::string& suffix,
                        const RgbaImage& picture) {
  std::error_code ignored;
  std::filesystem::create_directories(RenderOutputDir(), ignored);
  const std::string path = RenderOutputDir() + "/" + name + suffix + ".png";
  return WritePng(path, picture) ? path : "(could not write " + path + ")";
}

}  // namespace

testing::AssertionResult MatchesBaseline(const std::string& name, const RgbaImage& picture,
                                         const PictureTolerance& tolerance) {
  const std::string baselinePath = BaselinePath(name);
  if (UpdatingBaselines()) {
    if (!WritePng(baselinePath, picture)) {
      return testing::AssertionFailure() << "could not write the baseline " << baselinePath;
    }
    return testing::AssertionSuccess() << "wrote the baseline " << baselinePath;
  }
  const std::optional<RgbaImage> baseline = ReadPng(baselinePath);
  if (!baseline) {
    return testing::AssertionFailure()
           << "no baseline " << baselinePath << " for the " << Size(picture) << " picture " << name
           << "; wrote it to " << WriteOutput(name, "", picture)
           << ". Look at it and run again with QV_UPDATE_BASELINES=1 to keep it.";
  }
  const PictureDifference d = ComparePictures(*baseline, picture, tolerance.channel);
  if (d.sameSize && d.fraction <= tolerance.pixels) {
    // What an earlier failure left would only mislead.
    std::error_code ignored;
    for (const char* suffix : {".actual", ".diff", ""}) {
      std::filesystem::remove(RenderOutputDir() + "/" + name + suffix + ".png", ignored);
    }
    return testing::AssertionSuccess();
  }
  std::ostringstream message;
  message << "picture " << name << " differs from its baseline " << baselinePath << ": baseline "
          << Size(*baseline) << ", actual " << Size(picture);
  if (d.sameSize) {
    message << "; " << d.differing << " pixels (fraction " << d.fraction << ") differ by more than "
            << tolerance.channel << " in a channel, at most fraction " << tolerance.pixels
            << " may; largest channel difference " << d.largest;
  }
  message << ". Actual picture: " << WriteOutput(name, ".actual", picture);
  if (d.sameSize) message << ", diff: " << WriteOutput(name, ".diff", d.diff);
  message << ". If the change is meant, regenerate the baselines with QV_UPDATE_BASELINES=1.";
  return testing::AssertionFailure() << message.str();
}

}  // namespace qv::test

namespace qv::test {

std::string UseOnlyThePictureFont() {
  const std::filesystem::path font(kPictureFontFile);
  if (!std::filesystem::exists(font)) {
    return std::string("the pictures are drawn with ") + kPictureFontFile +
           ", which is missing (install fonts-liberation)";
  }
  std::error_code error;
  std::filesystem::create_directories(RenderOutputDir(), error);
  const std::string config = RenderOutputDir() + "/fonts.conf";
  std::ofstream out(config, std::ios::trunc);
  out << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
      << "  <dir>" << font.parent_path().string() << "</dir>\n"
      << "  <cachedir>" << RenderOutputDir() << "/fontconfig-cache</cachedir>\n"
      << "  <alias binding=\"same\"><family>Arial</family><prefer><family>Liberation Sans</family>"
         "</prefer></alias>\n</fontconfig>\n";
  out.close();
  if (!out) return "could not write " + config;
  setenv("FONTCONFIG_FILE", config.c_str(), 1);
  return "";
}

}  // namespace qv::test
