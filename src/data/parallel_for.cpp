#include "data/parallel_for.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace qv {
namespace {

constexpr unsigned kMaxWorkers = 8;

// Collects the first exception of the workers.
class FirstError {
 public:
  void Capture() {
    std::lock_guard lock(mutex_);
    if (!error_) error_ = std::current_exception();
  }
  void Rethrow() {
    if (error_) std::rethrow_exception(error_);
  }

 private:
  std::mutex mutex_;
  std::exception_ptr error_;
};

}  // namespace

unsigned WorkerCount(std::size_t count) {
  const unsigned hardware = std::max(1u, std::thread::hardware_concurrency());
  const unsigned limit = std::min(hardware, kMaxWorkers);
  return static_cast<unsigned>(std::min<std::size_t>(limit, std::max<std::size_t>(count, 1)));
}

void ParallelFor(std::size_t count, std::size_t grain,
                 const std::function<void(std::size_t, std::size_t)>& work) {
  if (count == 0) return;
  const unsigned workers = WorkerCount(count / std::max<std::size_t>(grain, 1));
  if (workers <= 1) {
    work(0, count);
    return;
  }
  // Small chunks taken from a shared counter balance uneven items.
  const std::size_t chunk = std::max<std::size_t>(grain, count / (workers * 16) + 1);
  std::atomic<std::size_t> next{0};
  FirstError error;
  auto run = [&] {
    try {
      for (;;) {
        const std::size_t first = next.fetch_add(chunk);
        if (first >= count) return;
        work(first, std::min(count, first + chunk));
      }
    } catch (...) {
      error.Capture();
      next = count;
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(workers - 1);
  for (unsigned t = 1; t < workers; ++t) threads.emplace_back(run);
  run();
  for (std::thread& thread : threads) thread.join();
  error.Rethrow();
}

void ParallelForPumped(std::size_t count, const std::function<void(std::size_t)>& work,
                       EventPump& pump) {
  if (count == 0) return;
  const unsigned workers = WorkerCount(count);
  std::atomic<std::size_t> next{0};
  std::atomic<std::size_t> done{0};
  std::atomic<unsigned> stopped{0};
  std::mutex mutex;
  std::condition_variable progress;
  FirstError error;
  auto run = [&] {
    try {
      for (;;) {
        const std::size_t item = next.fetch_add(1);
        if (item >= count) break;
        work(item);
        done.fetch_add(1);
        progress.notify_one();
      }
    } catch (...) {
      error.Capture();
      next = count;
    }
    stopped.fetch_add(1);
    progress.notify_one();
  };
  std::vector<std::thread> threads;
  threads.reserve(workers);
  for (unsigned t = 0; t < workers; ++t) threads.emplace_back(run);
  // The calling thread owns the window: it pumps while the workers compute.
  std::size_t pumped = 0;
  auto pumpFinished = [&] {
    for (const std::size_t finished = done.load(); pumped < finished; ++pumped) pump.Pump();
  };
  while (stopped.load() < workers) {
    {
      std::unique_lock lock(mutex);
      progress.wait_for(lock, std::chrono::milliseconds(5),
                        [&] { return done.load() > pumped || stopped.load() >= workers; });
    }
    pumpFinished();
  }
  for (std::thread& thread : threads) thread.join();
  pumpFinished();
  error.Rethrow();
}

}  // namespace qv
