#include "progress_meter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

#include "data/parallel_for.h"

namespace qv {
namespace {

// Keeps every report, and counts those that came while another was heard.
class KeepingMonitor final : public WorkMonitor {
 public:
  void Progress(double fraction) override {
    if (inside_.exchange(true)) ++overlaps;
    fractions.push_back(fraction);
    inside_ = false;
  }
  bool StopRequested() const override { return stop; }

  std::vector<double> fractions;
  int overlaps = 0;
  bool stop = false;

 private:
  std::atomic<bool> inside_{false};
};

struct MeterCase {
  const char* name;
  std::size_t units;
  std::size_t grain;
};

class ProgressMeterTest : public testing::TestWithParam<MeterCase> {};

// Units added from several threads at once: the reports rise, never overlap,
// are few (a gauge shows no finer steps) and end at 1 exactly once.
TEST_P(ProgressMeterTest, ReportsRiseFromAllThreadsToOne) {
  const MeterCase& c = GetParam();
  KeepingMonitor monitor;
  ProgressMeter meter(&monitor, static_cast<double>(c.units));
  ParallelFor(c.units, c.grain, [&](std::size_t first, std::size_t last) {
    for (std::size_t i = first; i < last; ++i) meter.Add(1.0);
  });
  ASSERT_FALSE(monitor.fractions.empty());
  EXPECT_TRUE(std::is_sorted(monitor.fractions.begin(), monitor.fractions.end()));
  EXPECT_EQ(monitor.fractions.back(), 1.0);
  EXPECT_EQ(std::count(monitor.fractions.begin(), monitor.fractions.end(), 1.0), 1);
  EXPECT_LE(monitor.fractions.size(), 1002U);
  EXPECT_EQ(monitor.overlaps, 0);
  meter.Finish();  // already whole: nothing more
  EXPECT_EQ(std::count(monitor.fractions.begin(), monitor.fractions.end(), 1.0), 1);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ProgressMeterTest,
                         testing::Values(MeterCase{"One", 1, 1}, MeterCase{"Few", 7, 1},
                                         MeterCase{"Many", 200000, 64}),
                         [](const testing::TestParamInfo<MeterCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(ProgressMeter, StopStaysOnceAsked) {
  KeepingMonitor monitor;
  ProgressMeter meter(&monitor, 10.0);
  EXPECT_FALSE(meter.Stopped());
  monitor.stop = true;
  EXPECT_TRUE(meter.Stopped());
  monitor.stop = false;
  EXPECT_TRUE(meter.Stopped());
}

TEST(ProgressMeter, WithoutMonitorCountsOnly) {
  ProgressMeter meter(nullptr, 0.0);
  meter.Add(5.0);
  meter.Finish();
  EXPECT_FALSE(meter.Stopped());
}

}  // namespace
}  // namespace qv
