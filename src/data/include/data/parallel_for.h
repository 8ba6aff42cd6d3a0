// Runs independent work items on the cores. Every item writes only its own
// results, so the outcome is the same as a run on one thread.
#pragma once

#include <cstddef>
#include <functional>

namespace qv {

// Number of worker threads used for count items: 1 for small jobs, at most
// the cores the process may run on (and at most 8).
unsigned WorkerCount(std::size_t count);

// Calls work(first, last) on disjoint ranges that cover 0..count-1, from
// several threads, and returns when all have finished. grain is the smallest
// range worth a thread. The first exception thrown by work is rethrown here.
void ParallelFor(std::size_t count, std::size_t grain,
                 const std::function<void(std::size_t, std::size_t)>& work);

}  // namespace qv
