#include "data/parallel_for.h"

#include <algorithm>
#include <atomic>
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

}  // namespace qv
