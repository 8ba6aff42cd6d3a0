#include "window/wx/wx_long_work.h"

#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/statusbr.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "platform/deferred_messages.h"

namespace qv {
namespace {

using namespace std::chrono_literals;

// Work that ends sooner shows no gauge: it would only flash.
constexpr auto kGaugeAfter = 300ms;
// How often the window's events run and the gauge moves while work runs.
constexpr auto kServeEvery = 30ms;
constexpr int kGaugeRange = 1000;
constexpr int kGaugeWidth = 160;

// Shared by the work's threads and the window's: atomics only.
class SharedMonitor final : public WorkMonitor {
 public:
  explicit SharedMonitor(const std::atomic<bool>& stop) : stop_(stop) {}
  void Progress(double fraction) override { fraction_.store(fraction, std::memory_order_relaxed); }
  bool StopRequested() const override { return stop_.load(std::memory_order_relaxed); }
  double Fraction() const { return fraction_.load(std::memory_order_relaxed); }

 private:
  const std::atomic<bool>& stop_;
  std::atomic<double> fraction_{-1.0};
};

// Paints, sizes and input; timers, idle events and the program's own queued
// calls wait, so the spin stands still and nothing starts behind the work.
void ServeWindowEvents() {
  constexpr long kServed = wxEVT_CATEGORY_UI | wxEVT_CATEGORY_USER_INPUT;
  if (wxEventLoopBase* loop = wxEventLoopBase::GetActive(); loop != nullptr) {
    loop->YieldFor(kServed);
    return;
  }
  // Before the main loop runs (a document opened at start-up): a loop of
  // the moment, as the toolkit's own yield makes one.
  wxGUIEventLoop loop;
  loop.YieldFor(kServed);
}

}  // namespace

WorkEnd WxLongWorkRunner::Run(const WorkJob& job, MessageBoxService& messages) {
  // Work started from an event served while work runs waits for nothing.
  if (running_) return ImmediateWorkRunner().Run(job, messages);
  running_ = true;
  stop_ = false;
  SharedMonitor monitor(stop_);
  DeferredMessages kept;
  std::mutex mutex;
  std::condition_variable ended;
  bool finished = false;
  bool ok = false;
  std::exception_ptr error;
  std::thread worker([&] {
    try {
      ok = job(monitor, kept);
    } catch (...) {
      error = std::current_exception();
    }
    const std::lock_guard lock(mutex);
    finished = true;
    ended.notify_all();
  });
  auto waitFor = [&](auto duration) {
    std::unique_lock lock(mutex);
    return ended.wait_for(lock, duration, [&] { return finished; });
  };
  if (!waitFor(kGaugeAfter)) {
    ShowGauge();
    do {
      UpdateGauge(monitor.Fraction());
      ServeWindowEvents();
      if (served_) served_();
    } while (!waitFor(kServeEvery));
    HideGauge();
  }
  worker.join();
  running_ = false;
  const bool stopped = stop_.exchange(false);
  if (error) {
    kept.ShowThrough(messages);
    std::rethrow_exception(error);
  }
  if (stopped) {
    kept.Forget();
    return WorkEnd::Stopped;
  }
  kept.ShowThrough(messages);
  return ok ? WorkEnd::Done : WorkEnd::Failed;
}

void WxLongWorkRunner::ShowGauge() {
  wxStatusBar* bar = frame_.GetStatusBar();
  if (bar == nullptr || gauge_ != nullptr) return;
  const int widths[2] = {-1, kGaugeWidth};
  bar->SetFieldsCount(2, widths);
  gauge_ = new wxGauge(bar, wxID_ANY, kGaugeRange, wxDefaultPosition, wxDefaultSize,
                       wxGA_HORIZONTAL | wxGA_SMOOTH);
  UpdateGauge(-1.0);
}

void WxLongWorkRunner::UpdateGauge(double fraction) {
  if (gauge_ == nullptr) return;
  wxRect field;
  if (frame_.GetStatusBar()->GetFieldRect(1, field) && gauge_->GetRect() != field) {
    gauge_->SetSize(field);
  }
  if (fraction < 0.0) {
    gauge_->Pulse();
    return;
  }
  const int value = static_cast<int>(std::lround(std::min(fraction, 1.0) * kGaugeRange));
  if (gauge_->GetValue() != value) gauge_->SetValue(value);
}

void WxLongWorkRunner::HideGauge() {
  if (gauge_ == nullptr) return;
  gauge_->Destroy();
  gauge_ = nullptr;
  if (wxStatusBar* bar = frame_.GetStatusBar(); bar != nullptr) bar->SetFieldsCount(1);
}

}  // namespace qv
