// The sample documents of the Demo menu, opened through the menu's command
// from resources/samples as if the program lay in resources/: each opens
// with its graphs, in its view kind and without a message, draws a picture
// that is not blank and matches its baseline tests/expected/render/
// Sample_<file>.png, and saves to the very bytes it was read from.
//
// The samples are made by tools/make_samples; after changing them, run
//   QV_UPDATE_BASELINES=1 bin/render_tests --gtest_filter='Samples*'
// and look at every picture written before committing them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_replace.h"
#include "platform/shared_settings.h"
#include "support/picture_baseline.h"
#include "support/temp_folder.h"
#include "typed_document.h"
#include "window/demo_samples.h"
#include "window/document_program.h"

namespace qv {

void PrintTo(const DemoSample& sample, std::ostream* out) { *out << sample.file; }

namespace {

using M = MenuItem;

constexpr int kSize = 256;

// What each sample holds: its view kind and its graphs (all shown).
struct Expected {
  MenuItem item;
  Long viewCode;
  Long graphs;
};

constexpr Expected kExpected[] = {
    {M::mnuDemoR3, kViewCode3D, 1},
    {M::mnuDemoI3, kViewCode3D, 1},
    {M::mnuDemoVG, kViewCode3D, 2},
    {M::mnuDemoSG, kViewCode3D, 2},
    {M::mnuDemoFlat, kViewCode3D, 1},
    {M::mnuDemo3dscc, kViewCode3D, 1},
    {M::mnuDemo3dSpe, kViewCode3D, 3},
    {M::mnuDemo3dsc, kViewCode3D, 2},
    {M::mnuDemo4dSur, kViewCode3D, 1},
    {M::mnuDemoDelaunay, kViewCode3D, 1},
    {M::mnuDemoCyl, kViewCode3D, 1},
    {M::mnuDemoSph, kViewCode3D, 1},
    {M::mnuDemoCC, kViewCode2D, 2},
    {M::mnuDemoCV, kViewCode2D, 2},
    {M::mnuDemo3DCC1, kViewCode3D, 1},
    {M::mnuDemo3DCC2, kViewCode3D, 2},
    {M::mnuDemo3DCCy, kViewCode3D, 2},
    {M::mnuDemo3DCS, kViewCode3D, 2},
    {M::mnuDemo4S, kViewCode4D, 1},
    {M::mnuDemoSlice, kViewCode4D, 1},
    {M::mnuDemo4DSlice2, kViewCode4D, 1},
    {M::mnuDemoVector, kViewCode4D, 1},
    {M::mnuDemo4ds, kViewCode4D, 1},
    {M::mnuDemo4DVecIsoSur, kViewCode4D, 2},
    {M::mnuDemo4DSliceIsoSur, kViewCode4D, 2},
    {M::mnuDemo4dsc, kViewCode4D, 1},
    {M::mnuDemo4SV, kViewCode4D, 1},
};

const Expected* ExpectedOf(MenuItem item) {
  for (const Expected& e : kExpected) {
    if (e.item == item) return &e;
  }
  return nullptr;
}

// The file's name without ".qrv".
std::string Stem(std::string_view file) {
  return std::string(file.substr(0, file.size() - std::min<std::size_t>(file.size(), 4)));
}

std::string ProgramFolder() { return std::string(QV_SOURCE_DIR) + "/resources"; }

std::string SamplePath(const DemoSample& sample) {
  return DemoSamplePath(ProgramFolder(), sample.file);
}

// The share of pixels that differ from the background (the corner's colour).
double DrawnShare(const RgbaImage& picture) {
  const auto pixel = [&](std::size_t i) {
    return std::array{picture.pixels[4 * i], picture.pixels[4 * i + 1], picture.pixels[4 * i + 2]};
  };
  const std::size_t count = picture.pixels.size() / 4;
  if (count == 0) return 0.0;
  const auto background = pixel(0);
  std::size_t drawn = 0;
  for (std::size_t i = 0; i < count; ++i) drawn += pixel(i) != background ? 1 : 0;
  return static_cast<double>(drawn) / static_cast<double>(count);
}

class SampleDocumentTest : public testing::TestWithParam<DemoSample> {
 protected:
  static void SetUpTestSuite() { fontProblem_ = test::UseOnlyThePictureFont(); }

  void SetUp() override { ASSERT_EQ(fontProblem_, ""); }

  test::TempFolder temp_;
  static inline std::string fontProblem_;
};

TEST_P(SampleDocumentTest, OpensFromItsMenuItemAndDrawsItsBaseline) {
  const DemoSample& sample = GetParam();
  const Expected* expected = ExpectedOf(sample.item);
  ASSERT_NE(expected, nullptr) << "no expectation for " << sample.file;
  test::Program program(temp_.Path(), ProgramFolder());
  MainWindowCore& core = program.core;
  program.view.MakeContext(kSize, kSize);
  core.SetDrawingSize(kSize, kSize);
  test::FixLight(core.Shared().sceneLight);
  core.Shared().settings.ShowLegend = true;

  ASSERT_TRUE(core.RunDemoCommand(sample.item));
  ASSERT_TRUE(program.messages.Shown().empty()) << program.messages.Texts().front();
  const Workspace& ws = core.Shared();
  EXPECT_EQ(ws.settings.ViewCode, expected->viewCode);
  EXPECT_EQ(ws.allGraphs.Items.Count(), expected->graphs);
  EXPECT_EQ(ws.shownGraphs.Items.Count(), expected->graphs);
  EXPECT_FALSE(core.Flags().FitPending) << "the first check fits the view";

  core.Display();
  const RgbaImage picture = program.view.context->ReadPixels();
  const std::string name = "Sample_" + Stem(sample.file);
  EXPECT_GT(DrawnShare(picture), 0.05) << "the picture is next to blank";
  EXPECT_TRUE(test::MatchesBaseline(name, picture, {8, 0.0005}));
}

TEST_P(SampleDocumentTest, SavesTheBytesItWasOpenedFrom) {
  const DemoSample& sample = GetParam();
  test::Program program(temp_.Path(), ProgramFolder());
  ASSERT_TRUE(program.core.RunDemoCommand(sample.item));
  ASSERT_TRUE(program.messages.Shown().empty()) << program.messages.Texts().front();
  const std::string saved = temp_.File("saved.qrv");
  program.dialogs.Choose(saved);
  ASSERT_TRUE(program.files.Save());
  const std::optional<std::string> original = ReadWholeFile(SamplePath(sample));
  ASSERT_TRUE(original.has_value());
  EXPECT_TRUE(ReadWholeFile(saved) == original) << "saved " << saved << " differs";
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleDocumentTest, testing::ValuesIn(DemoSamples()),
                         [](const testing::TestParamInfo<DemoSample>& info) {
                           std::string name;
                           for (const char ch : Stem(info.param.file)) {
                             name += std::isalnum(static_cast<unsigned char>(ch)) != 0 ? ch : '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace qv
