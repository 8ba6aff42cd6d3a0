#include "platform/deferred_messages.h"

#include <exception>
#include <utility>

#include "platform/long_work.h"

namespace qv {

MsgAnswer DeferredMessages::Show(const std::string& text, const std::string& title, MsgIcon icon,
                                 MsgButtons buttons) {
  const std::lock_guard lock(mutex_);
  kept_.push_back({text, title, icon, buttons});
  return MsgAnswer::OK;
}

void DeferredMessages::ShowThrough(MessageBoxService& target) {
  std::vector<Kept> kept;
  {
    const std::lock_guard lock(mutex_);
    kept.swap(kept_);
  }
  for (const Kept& k : kept) target.Show(k.text, k.title, k.icon, k.buttons);
}

std::string DeferredMessages::FirstText() const {
  const std::lock_guard lock(mutex_);
  return kept_.empty() ? std::string() : kept_.front().text;
}

void DeferredMessages::Forget() {
  const std::lock_guard lock(mutex_);
  kept_.clear();
}

bool DeferredMessages::Empty() const {
  const std::lock_guard lock(mutex_);
  return kept_.empty();
}

namespace {

// Reports nowhere and never asks to stop.
class UnwatchedWork final : public WorkMonitor {
 public:
  void Progress(double) override {}
  bool StopRequested() const override { return false; }
};

}  // namespace

WorkEnd ImmediateWorkRunner::Run(const WorkJob& job, MessageBoxService& messages) {
  UnwatchedWork monitor;
  // The job's messages are kept here too, so that they reach messages as
  // they would from work on another thread.
  DeferredMessages kept;
  bool ok = false;
  try {
    ok = job(monitor, kept);
  } catch (...) {
    kept.ShowThrough(messages);
    throw;
  }
  kept.ShowThrough(messages);
  return ok ? WorkEnd::Done : WorkEnd::Failed;
}

}  // namespace qv
