// A long-work runner for tests: runs the work at once on the calling thread
// as the window's would on its own, keeps every fraction the work reports and
// how each run ended, and can act while the work runs (what the window serves
// meanwhile) or ask it to stop.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/deferred_messages.h"
#include "platform/long_work.h"

namespace qv::test {

class ScriptedWorkRunner final : public LongWorkRunner {
 public:
  WorkEnd Run(const WorkJob& job, MessageBoxService& messages) override {
    ++runs;
    stop_ = false;
    Monitor monitor(*this);
    DeferredMessages kept;
    const bool ok = job(monitor, kept);
    // A copy: the hook may replace itself.
    if (const std::function<void()> hook = whileRunning; hook) hook();
    const WorkEnd end = stop_ ? WorkEnd::Stopped : ok ? WorkEnd::Done : WorkEnd::Failed;
    if (end == WorkEnd::Stopped) {
      kept.Forget();
    } else {
      kept.ShowThrough(messages);
    }
    ends.push_back(end);
    return end;
  }
  void RequestStop() override { stop_ = true; }

  // Every fraction reported, in the order they came, of all runs.
  std::vector<double> Fractions() const {
    const std::lock_guard lock(mutex_);
    return fractions_;
  }
  // Runs after each job has computed, before its messages are shown: what
  // the window serves while the work runs.
  std::function<void()> whileRunning;
  // The work is asked to stop at the first report at or above this part.
  double stopAt = 2.0;
  int runs = 0;
  std::vector<WorkEnd> ends;
  // Reports that came while another report was still being heard.
  std::atomic<int> overlappingReports = 0;

 private:
  class Monitor final : public WorkMonitor {
   public:
    explicit Monitor(ScriptedWorkRunner& runner) : runner_(runner) {}
    void Progress(double fraction) override {
      // A flag of its own: the mutex is also taken by the threads asking
      // whether to stop, which is no overlap of reports.
      if (runner_.hearing_.exchange(true)) ++runner_.overlappingReports;
      const std::lock_guard lock(runner_.mutex_);
      runner_.fractions_.push_back(fraction);
      runner_.hearing_.store(false);
      if (fraction >= runner_.stopAt) runner_.stop_ = true;
    }
    bool StopRequested() const override {
      const std::lock_guard lock(runner_.mutex_);
      return runner_.stop_;
    }

   private:
    ScriptedWorkRunner& runner_;
  };

  mutable std::mutex mutex_;
  std::vector<double> fractions_;
  bool stop_ = false;
  std::atomic<bool> hearing_ = false;
};

}  // namespace qv::test
