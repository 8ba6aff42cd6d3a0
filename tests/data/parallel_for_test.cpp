// The work split over the cores: every item exactly once, results as on one
// thread, errors carried back, and the window pumped from the calling thread.
#include "data/parallel_for.h"
#include "support/counting_pump.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::CountingPump;

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

TEST(ParallelForPumped, PumpsOncePerItemOnTheCallingThread) {
  for (std::size_t count : {0u, 1u, 3u, 500u}) {
    CountingPump pump;
    std::vector<double> results(count);
    ParallelForPumped(
        count, [&](std::size_t i) { results[i] = Item(i); }, pump);
    EXPECT_EQ(pump.calls, static_cast<long>(count));
    EXPECT_EQ(pump.fromOtherThreads, 0);
    for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(results[i], Item(i));
  }
}

TEST(ParallelForPumped, RethrowsAndStops) {
  CountingPump pump;
  std::atomic<int> started{0};
  std::atomic<bool> thrown{false};
  // The later items wait for the failing one and then take their time, so
  // that a loaded machine cannot finish them all before the stop is seen.
  EXPECT_THROW(ParallelForPumped(
                   10000,
                   [&](std::size_t i) {
                     ++started;
                     if (i == 20) {
                       thrown = true;
                       throw std::runtime_error("node");
                     }
                     if (i < 20) return;
                     const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(2);
                     while (!thrown && std::chrono::steady_clock::now() < giveUp)
                       std::this_thread::yield();
                     std::this_thread::sleep_for(std::chrono::milliseconds(1));
                   },
                   pump),
               std::runtime_error);
  EXPECT_LT(started.load(), 10000);
  EXPECT_LT(pump.calls, 10000);
}

TEST(WorkerCount, OneForSmallJobsAndAtMostEight) {
  EXPECT_EQ(WorkerCount(0), 1u);
  EXPECT_EQ(WorkerCount(1), 1u);
  EXPECT_LE(WorkerCount(1000000), 8u);
  EXPECT_GE(WorkerCount(1000000), 1u);
}

}  // namespace
}  // namespace qv
