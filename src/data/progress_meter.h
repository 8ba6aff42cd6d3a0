// Counts the work that several threads get done and reports it to a monitor
// as a fraction that only rises, at most about once per thousandth, so that
// the monitor is neither flooded nor called by two threads at once.
#pragma once

#include <atomic>
#include <mutex>

#include "platform/work_monitor.h"

namespace qv {

class ProgressMeter {
 public:
  // total: the units the whole work counts (at least 1 is assumed). A null
  // monitor makes the meter count only.
  ProgressMeter(WorkMonitor* monitor, double total);

  // Adds units done; any thread may call it.
  void Add(double units);
  // Reports the whole work done (fraction 1).
  void Finish();
  // Whether the monitor asks to stop; once it has, the answer stays yes.
  bool Stopped();

 private:
  void Report(double fraction);

  WorkMonitor* monitor_;
  double total_;
  std::atomic<double> done_{0.0};
  std::atomic<bool> stopped_{false};
  // The fraction below which a report is not worth the lock.
  std::atomic<double> next_{0.0};
  std::mutex mutex_;
  double reported_ = -1.0;
};

}  // namespace qv
