// Runs long work (gridding, triangulating) on a thread of its own while the
// window goes on: paints, sizes and input are served meanwhile (the window
// refuses the commands that would change the data), and once the work has
// taken longer than a glance a gauge in the status bar shows how far it got.
// Run returns when the work has ended, as a plain call would.
#pragma once

#include <atomic>
#include <functional>
#include <utility>

#include "platform/long_work.h"

class wxFrame;
class wxGauge;

namespace qv {

class WxLongWorkRunner final : public LongWorkRunner {
 public:
  explicit WxLongWorkRunner(wxFrame& frame) : frame_(frame) {}
  WorkEnd Run(const WorkJob& job, MessageBoxService& messages) override;
  void RequestStop() override { stop_ = true; }

  // The gauge while it shows (null otherwise), for tests.
  wxGauge* Gauge() const { return gauge_; }
  // Called on the window's thread after each round of events served while
  // work runs: the tests watch the window through it.
  void SetServedHook(std::function<void()> hook) { served_ = std::move(hook); }

 private:
  void ShowGauge();
  // Moves the gauge onto its field (the bar may have been resized) and sets
  // it to fraction, or pulses it while the work has said nothing (< 0).
  void UpdateGauge(double fraction);
  void HideGauge();

  wxFrame& frame_;
  wxGauge* gauge_ = nullptr;
  bool running_ = false;
  std::function<void()> served_;
  std::atomic<bool> stop_{false};
};

}  // namespace qv
