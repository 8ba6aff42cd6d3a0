// Keeps the window painting while long work (gridding while a document
// opens) runs on its thread. Only the toolkit's own events (paints, sizes)
// are handled, at most every few milliseconds: user input waits until the
// work ends, so no command can start inside another one.
#pragma once

#include <chrono>

#include "platform/event_pump.h"

namespace qv {

class WxEventPump final : public EventPump {
 public:
  void Pump() override;

 private:
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace qv
