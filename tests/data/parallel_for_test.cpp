// The work split over the cores: every item exactly once, results as on one
// thread, and errors carried back.
#include "data/parallel_for.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

double Item(std::size_t i) {
  double sum = 0;
  for (std::size_t k = 0; k < 50 + i % 17; ++k) sum += std::sin(static_cast<double>(i * k));
  return sum;
}

TEST(ParallelFor, EveryItemOnceAndResultsAsOnOneThread) {
  for (std::size_t count : {0u, 1u, 7u, 1000u, 100003u}) {
    std::vector<std::atomic<int>> visits(count);
    std::vector<double> results(count), serial(count);
    ParallelFor(count, 16, [&](std::size_t first, std::size_t last) {
      ASSERT_LT(first, last);
      for (std::size_t i = first; i < last; ++i) {
        visits[i].fetch_add(1);
        results[i] = Item(i);
      }
    });
    for (std::size_t i = 0; i < count; ++i) serial[i] = Item(i);
    for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(visits[i].load(), 1) << i;
    EXPECT_EQ(results, serial);
  }
}

TEST(ParallelFor, RethrowsTheWorkersError) {
  std::atomic<std::size_t> done{0};
  EXPECT_THROW(ParallelFor(100000, 10,
                           [&](std::size_t first, std::size_t last) {
                             if (first <= 5000 && 5000 < last) throw std::runtime_error("item");
                             done += last - first;
                           }),
               std::runtime_error);
  EXPECT_LT(done.load(), 100000u);
}

// The helper threads serve one job at a time: a job within a job, and jobs
// from several threads at once, each still see every item once.
TEST(ParallelFor, JobsWithinJobsAndFromSeveralThreads) {
  constexpr std::size_t kOuter = 64, kInner = 1000;
  auto nested = [&](std::vector<std::atomic<int>>& visits) {
    ParallelFor(kOuter, 1, [&](std::size_t first, std::size_t last) {
      for (std::size_t i = first; i < last; ++i) {
        ParallelFor(kInner, 10, [&](std::size_t from, std::size_t to) {
          for (std::size_t k = from; k < to; ++k) visits[i * kInner + k].fetch_add(1);
        });
      }
    });
  };
  std::vector<std::atomic<int>> mine(kOuter * kInner), theirs(kOuter * kInner);
  std::thread other([&] { nested(theirs); });
  nested(mine);
  other.join();
  for (std::size_t i = 0; i < mine.size(); ++i) {
    ASSERT_EQ(mine[i].load(), 1) << i;
    ASSERT_EQ(theirs[i].load(), 1) << i;
  }
}

// Jobs in quick succession and after the helpers have gone to sleep.
TEST(ParallelFor, JobsInARowAndAfterAPause) {
  for (int job = 0; job < 200; ++job) {
    if (job % 50 == 49) std::this_thread::sleep_for(std::chrono::milliseconds(30));
    std::vector<std::atomic<int>> visits(777);
    ParallelFor(visits.size(), 1, [&](std::size_t first, std::size_t last) {
      for (std::size_t i = first; i < last; ++i) visits[i].fetch_add(1);
    });
    for (std::size_t i = 0; i < visits.size(); ++i) ASSERT_EQ(visits[i].load(), 1) << job;
  }
}

}  // namespace
}  // namespace qv
