// Whole-picture checks against stored baselines: a rendered picture is
// compared with tests/expected/render/<name>.png within a tolerance.
//
//   EXPECT_TRUE(MatchesBaseline("SurfaceWithAxisAndLegend", image, {8, 0.002}));
//
// On a mismatch the message gives both fractions and both sizes, and the
// actual picture and a diff picture (differing pixels red over a pale copy
// of the baseline) are written to the build's render output folder. With no
// baseline the actual picture is written there and the check fails. With
// QV_UPDATE_BASELINES=1 in the environment every checked picture replaces
// its baseline instead (look at them before committing).
#pragma once

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/rgba_image.h"

namespace qv::test {

// How far a picture may stray from its baseline. A pixel differs when one of
// its four channels is off by more than `channel`; the picture matches when
// at most the fraction `pixels` (0..1) of its pixels differ.
struct PictureTolerance {
  int channel = 0;
  double pixels = 0.0;
};

// The outcome of comparing two pictures pixel by pixel.
struct PictureDifference {
  bool sameSize = false;
  long differing = 0;   // pixels beyond the channel tolerance (all when sizes differ)
  double fraction = 1;  // differing / pixel count
  int largest = 0;      // largest channel difference seen
  RgbaImage diff;       // differing pixels red, the others a pale copy of expected
};

PictureDifference ComparePictures(const RgbaImage& expected, const RgbaImage& actual, int channel);

// Reads a PNG as RGBA with rows bottom-up, as ReadPixels gives them;
// nullopt when the file is missing or no PNG.
std::optional<RgbaImage> ReadPng(const std::string& path);

// True when QV_UPDATE_BASELINES=1: checks then write their baselines.
bool UpdatingBaselines();

// Where the baseline of name lies, and the folder failures are written to.
std::string BaselinePath(const std::string& name);
std::string RenderOutputDir();

// The whole check of picture against the baseline of name (see the top).
testing::AssertionResult MatchesBaseline(const std::string& name, const RgbaImage& picture,
                                         const PictureTolerance& tolerance);

}  // namespace qv::test

namespace qv::test {

// The one font file the pictures are drawn with (fonts-liberation).
inline constexpr const char* kPictureFontFile =
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";

// Makes fontconfig see only the picture font's folder, with "Arial" (the
// face the scene fonts ask for) taken from it, so that the fonts installed
// on a machine cannot change the text in the pictures. Call it before the
// process makes its first font. Returns "" or what went wrong.
std::string UseOnlyThePictureFont();

}  // namespace qv::test
