// The Demo menu of the running program's main window: its items in order,
// the 3D contour samples in their submenu, and every item opening its sample
// from the samples folder beside the program.
#include <wx/checklst.h>
#include <wx/menu.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "documents/file_association.h"
#include "documents/file_commands.h"
#include "graphs/graph.h"
#include "running_window.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_message_box.h"
#include "support/scripted_shell.h"
#include "window/demo_samples.h"
#include "window/wx/main_frame.h"

namespace qv {
namespace {

using namespace std::chrono_literals;
using test::AllWhite;
using test::Captions;
using test::PumpFor;

class DemoMenuTest : public test::RunningWindowTest {
 protected:
  // The program's folder: the test program's own (with the samples the
  // build copies beside it) unless a test names another.
  virtual std::string ProgramFolder() const { return ""; }

  void Configure(MainFrameOptions& options) override { options.programFolder = ProgramFolder(); }

  void Click(MenuItem item) {
    Menu(item);
    PumpFor(30ms);
  }
};

TEST_F(DemoMenuTest, HoldsTheSamplesInOrderWithTheContoursInASubmenu) {
  wxMenuBar* bar = frame_->GetMenuBar();
  const int demo = bar->FindMenu("Demo");
  ASSERT_NE(demo, wxNOT_FOUND);
  EXPECT_EQ(bar->GetMenuLabelText(demo + 1), "Help");
  const wxMenu& menu = *bar->GetMenu(demo);
  EXPECT_EQ(Captions(menu), (std::vector<std::string>{"Regular Data 3D Surface",
                                                      "Irregular Data 3D Surface",
                                                      "3D Vertex + Grid",
                                                      "3D Surface + Grid",
                                                      "3D Flat Surface",
                                                      "3D Surface + Color Map + Contour",
                                                      "3D Surface + Special Graphs",
                                                      "3D Surface + Colormap",
                                                      "4D Surface",
                                                      "Delaunay Triangles",
                                                      "Cylindrical Surface",
                                                      "Spherical Surface",
                                                      "-",
                                                      "Color Map + Contour",
                                                      "Contour + Vector",
                                                      "3D Contour",
                                                      "-",
                                                      "4D Scatter Plot",
                                                      "4D Slice Plot",
                                                      "4D Slice Plot 2",
                                                      "4D Vector Plot",
                                                      "4D Slice",
                                                      "4D Vector + IsoSurface",
                                                      "4D Slice + IsoSurface",
                                                      "4D Slice + Contour",
                                                      "4D Slice + Contour + Vector"}));
  const wxMenuItem* contours = menu.FindItem(MainFrame::MenuId(MenuItem::mnuDemo3C));
  ASSERT_NE(contours, nullptr);
  ASSERT_NE(contours->GetSubMenu(), nullptr);
  EXPECT_EQ(Captions(*contours->GetSubMenu()),
            (std::vector<std::string>{"Cartesian 1", "Cartesian 2", "Cylindrical", "Spherical"}));
  // Every sample has its item in the menu.
  for (const DemoSample& sample : DemoSamples()) {
    EXPECT_NE(menu.FindItem(MainFrame::MenuId(sample.item)), nullptr) << sample.file;
  }
}

// One item after another, as a user tries them: each sample replaces the
// last and shows its graphs. A sample just opened has nothing to lose, so
// none asks whether to save the one before (each once did).
TEST_F(DemoMenuTest, EveryItemOpensItsSampleInTheWindow) {
  const std::string samples =
      (std::filesystem::path(RunningProgramPaths().programFolder) / kSamplesFolder).string();
  std::vector<std::string> before;
  for (const DemoSample& sample : DemoSamples()) {
    SCOPED_TRACE(std::string(sample.file));
    messages_.Clear();
    messages_.Script({MsgAnswer::No});
    Click(sample.item);

    const std::vector<std::string> texts = messages_.Texts();
    ASSERT_TRUE(texts.empty()) << texts.front();
    const Workspace& ws = Core().Shared();
    EXPECT_EQ(ws.documentFolder, samples);
    EXPECT_GE(ws.allGraphs.Items.Count(), 1);
    EXPECT_EQ(ws.shownGraphs.Items.Count(), ws.allGraphs.Items.Count());
    EXPECT_EQ(frame_->GraphListBox()->GetCount(),
              static_cast<unsigned>(ws.allGraphs.Items.Count()));
    EXPECT_FALSE(AllWhite(Core().CaptureDrawingArea()));
    // The graphs are the sample's own, not those of the one before.
    std::vector<std::string> names;
    for (const auto& [key, item] : ws.allGraphs.Items) {
      const auto graph = std::dynamic_pointer_cast<Graph>(item);
      names.push_back(graph != nullptr ? graph->NameS : "?");
    }
    EXPECT_NE(names, before);
    before = names;
  }
  // A changed graph is unsaved work: the next item asks.
  std::dynamic_pointer_cast<Graph>(Core().Shared().allGraphs.Items.Item(1))->NameS += " changed";
  messages_.Clear();
  messages_.Script({MsgAnswer::No});
  Click(DemoSamples().front().item);
  EXPECT_EQ(messages_.Texts(), std::vector<std::string>{kSaveGraphsQuestion});
}

// A program folder whose samples hold only "3D Vertex + Grid".
class DemoMenuMissingSampleTest : public DemoMenuTest {
 protected:
  std::string ProgramFolder() const override { return temp_.File("program"); }
  void BeforeStart() override {
    const std::filesystem::path samples = std::filesystem::path(ProgramFolder()) / kSamplesFolder;
    std::filesystem::create_directories(samples);
    const std::string file(*DemoSampleFile(MenuItem::mnuDemoVG));
    std::filesystem::copy_file(std::string(QV_SOURCE_DIR) + "/resources/samples/" + file,
                               samples / file);
  }
};

// A sample that is not there is reported, and the window keeps showing
// the document it had.
TEST_F(DemoMenuMissingSampleTest, IsReportedAndTheDocumentStays) {
  Click(MenuItem::mnuDemoVG);
  ASSERT_TRUE(messages_.Shown().empty()) << messages_.Texts().front();
  const Workspace& ws = Core().Shared();
  ASSERT_EQ(ws.allGraphs.Items.Count(), 2);
  const RgbImage before = Core().CaptureDrawingArea();

  Click(MenuItem::mnuDemoSph);
  ASSERT_EQ(messages_.Texts().size(), 1u);
  EXPECT_NE(messages_.Texts().front().find("sphere.qrv"), std::string::npos)
      << messages_.Texts().front();
  EXPECT_EQ(ws.settings.ViewCode, kViewCode3D);
  EXPECT_EQ(ws.allGraphs.Items.Count(), 2);
  EXPECT_EQ(ws.shownGraphs.Items.Count(), 2);
  EXPECT_EQ(frame_->GraphListBox()->GetCount(), 2u);
  EXPECT_TRUE(Core().CaptureDrawingArea().rgb == before.rgb) << "the picture changed";
}

}  // namespace
}  // namespace qv
