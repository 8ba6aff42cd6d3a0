#include "progress_meter.h"

#include <algorithm>

namespace qv {
namespace {

// Smaller steps than this are not reported: a gauge cannot show them.
constexpr double kReportStep = 0.001;

}  // namespace

ProgressMeter::ProgressMeter(WorkMonitor* monitor, double total)
    : monitor_(monitor), total_(std::max(total, 1.0)) {}

void ProgressMeter::Add(double units) {
  const double done = done_.fetch_add(units) + units;
  Report(std::min(done / total_, 1.0));
}

void ProgressMeter::Finish() { Report(1.0); }

bool ProgressMeter::Stopped() {
  if (stopped_.load(std::memory_order_relaxed)) return true;
  if (!StopRequested(monitor_)) return false;
  stopped_.store(true, std::memory_order_relaxed);
  return true;
}

void ProgressMeter::Report(double fraction) {
  if (monitor_ == nullptr) return;
  // Most additions stay below the next step: they cost no lock.
  if (fraction < 1.0 && fraction < next_.load(std::memory_order_relaxed)) return;
  const std::lock_guard lock(mutex_);
  // Under the lock, so that a later report can never overtake a larger one.
  if (fraction < reported_ + kReportStep && !(fraction >= 1.0 && reported_ < 1.0)) return;
  reported_ = fraction;
  next_.store(fraction + kReportStep, std::memory_order_relaxed);
  monitor_->Progress(fraction);
}

}  // namespace qv
