// What long work (gridding, fitting, triangulating) tells the one who waits
// for it, and what it is asked: how far it got, and whether to stop. The work
// may run off the window thread and on several threads at once.
#pragma once

#include <algorithm>

namespace qv {

class WorkMonitor {
 public:
  virtual ~WorkMonitor() = default;
  // The part of the work done so far, 0 to 1. Reports never go down and the
  // last one of finished work is 1; they may come from any thread of the
  // work, never two at once.
  virtual void Progress(double fraction) = 0;
  // Whether the work should stop as soon as it can. Work that stops leaves
  // what it was to change as it was, and shows nothing. Any thread may ask.
  virtual bool StopRequested() const = 0;
};

// One step of a longer job: the step's own fractions 0..1 reach the job's
// monitor as its share from..to. A null job monitor makes it report nothing.
class WorkStep final : public WorkMonitor {
 public:
  WorkStep(WorkMonitor* job, double from, double to) : job_(job), from_(from), to_(to) {}
  void Progress(double fraction) override {
    if (job_ != nullptr) job_->Progress(from_ + (to_ - from_) * std::clamp(fraction, 0.0, 1.0));
  }
  bool StopRequested() const override { return job_ != nullptr && job_->StopRequested(); }

 private:
  WorkMonitor* job_;
  double from_;
  double to_;
};

// Whether monitor (which may be null) asks the work to stop.
inline bool StopRequested(const WorkMonitor* monitor) {
  return monitor != nullptr && monitor->StopRequested();
}

}  // namespace qv
