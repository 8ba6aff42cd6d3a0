// A message-box service for benchmarks: shows nothing, answers OK, and counts
// the boxes so that a benchmark can tell a refused run from a measured one.
#pragma once

#include <string>

#include "platform/message_box.h"

namespace qv::bench {

class SilentMessages final : public MessageBoxService {
 public:
  MsgAnswer Show(const std::string&, const std::string&, MsgIcon, MsgButtons) override {
    ++shown;
    return MsgAnswer::OK;
  }
  int shown = 0;
};

}  // namespace qv::bench
