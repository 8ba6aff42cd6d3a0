#include "data/parallel_for.h"

#include <sched.h>

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

// The cores this process may run on. The hardware's count alone overstates
// them when the process is bound to fewer (taskset, a container's cpuset),
// and threads beyond them only take turns on the same cores.
unsigned UsableCores() {
  static const unsigned cores = [] {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) {
      return static_cast<unsigned>(CPU_COUNT(&set));
    }
    return std::max(1u, std::thread::hardware_concurrency());
  }();
  return cores;
}

}  // namespace

unsigned WorkerCount(std::size_t count) {
  const unsigned limit = std::min(UsableCores(), kMaxWorkers);
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
