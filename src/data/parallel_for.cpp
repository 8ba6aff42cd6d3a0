#include "data/parallel_for.h"

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
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

// Threads kept for the jobs of ParallelFor. Starting threads for every job
// costs more than many jobs themselves (most of a millisecond where the
// cores are virtual and sleep when idle), and the gridding and the solvers
// run several short jobs in a row. After a job the helpers stay awake for a
// few milliseconds, giving way to any other thread, in case the next comes;
// then they sleep. One job at a time: a job asked for while another runs (a
// job within a job, or one from another thread) gets threads of its own.
class HelperThreads {
 public:
  // The one set of helpers, kept until the process ends.
  static HelperThreads& Shared() {
    static HelperThreads* const helpers = new HelperThreads;
    return *helpers;
  }

  // Runs body on the calling thread and on up to count helpers, and returns
  // once every helper that began it has ended. body must not throw. False,
  // with nothing run, while another job has the helpers.
  bool Run(unsigned count, const std::function<void()>& body) {
    std::unique_lock busy(busy_, std::try_to_lock);
    if (!busy) return false;
    while (started_ < count) {
      std::thread([this] { Serve(); }).detach();
      ++started_;
    }
    job_ = &body;
    wanted_.store(count, std::memory_order_relaxed);
    done_.store(0, std::memory_order_relaxed);
    seats_.store(0, std::memory_order_release);
    generation_.fetch_add(1, std::memory_order_acq_rel);
    generation_.notify_all();
    body();
    // Helpers still asleep are not waited for: they find the job closed.
    const unsigned began = std::min(seats_.exchange(kClosed, std::memory_order_acq_rel), count);
    AwaitChange(done_, [&](unsigned done) { return done == began; });
    return true;
  }

 private:
  static constexpr unsigned kClosed = 1u << 30;
  static constexpr int kAwakeYields = 4000;

  // Waits until ready(value) holds, awake at first, then asleep.
  template <typename T, typename Ready>
  static void AwaitChange(std::atomic<T>& value, const Ready& ready) {
    for (int yields = 0;; ++yields) {
      const T now = value.load(std::memory_order_acquire);
      if (ready(now)) return;
      if (yields < kAwakeYields) {
        std::this_thread::yield();
      } else {
        value.wait(now, std::memory_order_acquire);
      }
    }
  }

  void Serve() {
    unsigned long seen = generation_.load(std::memory_order_acquire);
    for (;;) {
      AwaitChange(generation_, [&](unsigned long generation) { return generation != seen; });
      seen = generation_.load(std::memory_order_acquire);
      // A seat taken after the job closed, or past those wanted, is none.
      const unsigned seat = seats_.fetch_add(1, std::memory_order_acq_rel);
      if (seat >= wanted_.load(std::memory_order_relaxed)) continue;
      (*job_)();
      done_.fetch_add(1, std::memory_order_acq_rel);
      done_.notify_one();
    }
  }

  std::mutex busy_;
  unsigned started_ = 0;
  // The job: set by Run before the seats open, read by helpers with a seat.
  // A helper late for one job reads the count of the next.
  const std::function<void()>* job_ = nullptr;
  std::atomic<unsigned> wanted_{0};
  std::atomic<unsigned> seats_{kClosed};
  std::atomic<unsigned> done_{0};
  std::atomic<unsigned long> generation_{0};
};

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
  if (!HelperThreads::Shared().Run(workers - 1, run)) {
    std::vector<std::thread> threads;
    threads.reserve(workers - 1);
    for (unsigned t = 1; t < workers; ++t) threads.emplace_back(run);
    run();
    for (std::thread& thread : threads) thread.join();
  }
  error.Rethrow();
}

}  // namespace qv
