// Lets long loops keep the window responsive: they call Pump between steps so
// that pending events run. Tests count the calls.
#pragma once

namespace qv {

class EventPump {
 public:
  virtual ~EventPump() = default;
  // Runs the events that are waiting, then returns.
  virtual void Pump() = 0;
};

// A pump for code that runs without a window.
class NullEventPump final : public EventPump {
 public:
  void Pump() override {}
};

}  // namespace qv
