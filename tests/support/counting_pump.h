// An event pump for tests: counts its calls, and the calls made from a thread
// other than the one that made it (the window's events may only run there).
#pragma once

#include <thread>

#include "platform/event_pump.h"

namespace qv::test {

class CountingPump final : public EventPump {
 public:
  void Pump() override {
    ++calls;
    if (std::this_thread::get_id() != owner) ++fromOtherThreads;
  }
  std::thread::id owner = std::this_thread::get_id();
  long calls = 0;
  long fromOtherThreads = 0;
};

}  // namespace qv::test
