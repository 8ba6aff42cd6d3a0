// Long work (gridding, triangulating) handed to whoever shows the window: it
// may run the work on a thread of its own while the window goes on painting
// and shows how far it got, or run it at once. Either way Run returns when the
// work has ended, so its caller reads on as after a plain call.
#pragma once

#include <functional>

#include "platform/message_box.h"
#include "platform/work_monitor.h"

namespace qv {

// How the work ended: it ran to its end and succeeded, it failed (and said
// why through its messages), or it was asked to stop (and showed nothing).
enum class WorkEnd { Done, Failed, Stopped };

// The work itself. It reads and writes only data of its own, nothing that the
// window draws or may change meanwhile: no widget, no GL, not the shown data
// set. Its messages go to the service it is given, which keeps them until the
// work has ended (so they can only be notices: every question gets OK). It
// reports to the monitor and returns true when it succeeded.
using WorkJob = std::function<bool(WorkMonitor& monitor, MessageBoxService& messages)>;

class LongWorkRunner {
 public:
  virtual ~LongWorkRunner() = default;
  // Runs job and returns once it has ended. Its messages are shown through
  // messages afterwards on the calling thread, in the order and with the
  // texts the job gave them; work that was stopped shows none. An exception
  // the job throws is thrown here, after its messages.
  virtual WorkEnd Run(const WorkJob& job, MessageBoxService& messages) = 0;
  // Asks the work that runs now to stop as soon as it can (its Run then ends
  // Stopped); nothing when none runs. Called on the thread that runs Run,
  // from an event served while the work runs.
  virtual void RequestStop() {}
};

// Runs the work at once on the calling thread, unwatched and never stopped:
// what runs without a window (and the tests) use.
class ImmediateWorkRunner final : public LongWorkRunner {
 public:
  WorkEnd Run(const WorkJob& job, MessageBoxService& messages) override;
};

}  // namespace qv
