// A long gridding in the real window: the gauge in the status bar shows how
// far it got, the drawing area keeps painting, and the window ends whole
// whether the gridding ran to its end or the window was closed half-way.
#include "window/wx/wx_long_work.h"

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "running_window.h"
#include "support/scripted_file_dialog.h"
#include "support/scripted_message_box.h"
#include "support/scripted_shell.h"
#include "window/wx/main_frame.h"

namespace qv {
namespace {

using namespace std::chrono_literals;
using test::PumpFor;

// What the window showed while the work ran, sampled on the window's thread.
struct Seen {
  int samples = 0;
  int samplesWithGauge = 0;
  std::vector<int> gaugeValues;
  Long paintsWhileWorking = 0;
  bool okButtonEnabled = true;
  // Panel boxes found enabled while the work ran.
  int boxesEnabled = 0;
};

// Which of the panel's boxes 1..10 are enabled.
std::vector<bool> BoxesEnabled(MainFrame& frame) {
  std::vector<bool> enabled;
  for (int box = 1; box <= 10; ++box) enabled.push_back(frame.PanelBox(box)->IsEnabled());
  return enabled;
}

class LongWorkWindowTest : public test::RunningWindowTest {
 protected:
  // Scattered points on an irregular surface whose multiquadric gridding onto
  // nodes x nodes takes seconds: the tests stop it once they have seen what
  // they look for, so that they take no longer on a slow machine.
  void TypeLongGridding(int points, int nodes) {
    MainWindowCore& core = Core();
    core.OnDataKindChosen(kIrregularSurface);
    core.PanelModel().texts[3].text = std::to_string(points);
    core.OnDataPanelOk();
    for (Long k = 1; k <= points; ++k) {
      const double x = static_cast<double>(k * 37 % 1000) / 10.0;
      const double y = static_cast<double>(k * 61 % 997) / 10.0;
      core.Sheet().CellEdited(k, 1, FormatDouble(x));
      core.Sheet().CellEdited(k, 2, FormatDouble(y));
      core.Sheet().CellEdited(k, 3, FormatDouble(std::sin(x / 9.0) + std::cos(y / 7.0)));
      core.Sheet().CellEdited(k, 4, "0");
    }
    DataPanel& panel = core.Panel();
    panel.SetText(1, "0");
    panel.SetText(2, "100");
    panel.SetText(4, std::to_string(nodes));
    panel.SetText(5, "0");
    panel.SetText(6, "100");
    panel.SetText(7, std::to_string(nodes));
    core.Shared().settings.GridMethod = 3;
    frame_->ModelsChanged();
    PumpFor(50ms);
  }

  // Watches the window after each round of events it served while the work
  // runs: notes what it shows, asks the drawing area to repaint (as an
  // uncovered window would be) and runs then.
  void Watch(std::function<void(const Seen&)> then = nullptr) {
    frame_->LongWork().SetServedHook([this, then] {
      ++seen_.samples;
      if (wxGauge* gauge = frame_->LongWork().Gauge(); gauge != nullptr) {
        ++seen_.samplesWithGauge;
        seen_.gaugeValues.push_back(gauge->GetValue());
      }
      seen_.paintsWhileWorking = Core().DisplayCount() - displaysBefore_;
      seen_.okButtonEnabled = seen_.okButtonEnabled && frame_->OkButton()->IsEnabled();
      for (const bool enabled : BoxesEnabled(*frame_)) seen_.boxesEnabled += enabled ? 1 : 0;
      EXPECT_TRUE(Core().Working());
      frame_->DrawingArea()->Refresh(false);
      if (then) then(seen_);
    });
  }

  Long displaysBefore_ = 0;
  Seen seen_;
};

TEST_F(LongWorkWindowTest, GaugeMovesAndTheWindowPaintsWhileTheGriddingRuns) {
  TypeLongGridding(5000, 1000);
  const Long stepsBefore = Core().Shared().dataSet.StepsX();
  const std::vector<bool> boxesBefore = BoxesEnabled(*frame_);
  ASSERT_NE(std::count(boxesBefore.begin(), boxesBefore.end(), false), 0);  // the kind has some off
  displaysBefore_ = Core().DisplayCount();
  Watch([this](const Seen& seen) {
    if (seen.paintsWhileWorking >= 3 && !seen.gaugeValues.empty() && seen.gaugeValues.back() > 0)
      frame_->LongWork().RequestStop();
  });
  const auto start = std::chrono::steady_clock::now();
  Core().OnDataPanelOk();
  const auto took = std::chrono::steady_clock::now() - start;
  const Seen& seen = seen_;
  EXPECT_GT(seen.samplesWithGauge, 0);
  EXPECT_GE(seen.paintsWhileWorking, 3);
  ASSERT_FALSE(seen.gaugeValues.empty());
  EXPECT_GT(seen.gaugeValues.back(), 0);
  EXPECT_TRUE(std::is_sorted(seen.gaugeValues.begin(), seen.gaugeValues.end()));
  EXPECT_FALSE(seen.okButtonEnabled);
  EXPECT_EQ(seen.boxesEnabled, 0);
  EXPECT_LT(took, 60s);
  // Afterwards: the stopped gridding changed nothing and said nothing, the
  // gauge is gone, the panel and the commands are back.
  EXPECT_FALSE(Core().Working());
  EXPECT_EQ(Core().Shared().dataSet.StepsX(), stepsBefore);
  EXPECT_EQ(frame_->LongWork().Gauge(), nullptr);
  EXPECT_EQ(frame_->GetStatusBar()->GetFieldsCount(), 1);
  EXPECT_TRUE(frame_->OkButton()->IsEnabled());
  EXPECT_EQ(BoxesEnabled(*frame_), boxesBefore);
  EXPECT_TRUE(Core().Commands().MenuEnabled(MenuItem::mnuFileOpen));
  EXPECT_TRUE(messages_.Shown().empty()) << messages_.Texts().front();
}

// Work shorter than a glance shows no gauge, and its result is the data set.
TEST_F(LongWorkWindowTest, ShortGriddingShowsNoGauge) {
  TypeLongGridding(50, 20);
  displaysBefore_ = Core().DisplayCount();
  Watch();
  Core().OnDataPanelOk();
  EXPECT_EQ(seen_.samplesWithGauge, 0);
  EXPECT_EQ(Core().Shared().dataSet.StepsX(), 20);
  EXPECT_TRUE(messages_.Shown().empty()) << messages_.Texts().front();
}

TEST_F(LongWorkWindowTest, ClosingWhileTheGriddingRunsStopsItAndCloses) {
  TypeLongGridding(5000, 1000);
  const Long stepsBefore = Core().Shared().dataSet.StepsX();
  displaysBefore_ = Core().DisplayCount();
  bool asked = false;
  Watch([this, &asked](const Seen& seen) {
    if (asked || seen.samplesWithGauge == 0) return;
    asked = true;
    frame_->Close(false);  // as the window manager's close button does
  });
  const auto start = std::chrono::steady_clock::now();
  Core().OnDataPanelOk();
  const auto took = std::chrono::steady_clock::now() - start;
  ASSERT_TRUE(asked);
  ASSERT_TRUE(alive_);  // the close waits for the work
  EXPECT_EQ(Core().Shared().dataSet.StepsX(), stepsBefore);
  EXPECT_TRUE(messages_.Shown().empty()) << messages_.Texts().front();
  EXPECT_LT(took, 60s);
  PumpFor(200ms);
  EXPECT_FALSE(alive_);
}

}  // namespace
}  // namespace qv
