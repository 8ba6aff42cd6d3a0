#include "window/wx/wx_event_pump.h"

#include <wx/evtloop.h>

namespace qv {

void WxEventPump::Pump() {
  const auto now = std::chrono::steady_clock::now();
  if (now - last_ < std::chrono::milliseconds(30)) return;
  last_ = now;
  wxEventLoopBase* loop = wxEventLoopBase::GetActive();
  if (loop != nullptr) loop->YieldFor(wxEVT_CATEGORY_UI);
}

}  // namespace qv
