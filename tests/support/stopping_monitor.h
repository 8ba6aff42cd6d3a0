// A monitor of long work that keeps the reports and asks to stop from the
// report at stopAt on (never, for a stopAt above 1).
#pragma once

#include <vector>

#include "platform/work_monitor.h"

namespace qv::test {

class StoppingMonitor final : public WorkMonitor {
 public:
  explicit StoppingMonitor(double stopAt) : stopAt_(stopAt) {}
  void Progress(double fraction) override {
    fractions.push_back(fraction);
    if (fraction >= stopAt_) stop_ = true;
  }
  bool StopRequested() const override { return stop_; }
  std::vector<double> fractions;

 private:
  double stopAt_;
  bool stop_ = false;
};

}  // namespace qv::test
