// Any text read as an axis record must neither crash nor leave the axis in a
// state whose record reads back differently.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "scene/axis_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  qv::RecordReader reader(qv::SplitRecord(text));
  qv::AxisSystem axis;
  axis.SetDefault();
  axis.Read(reader);
  const std::string saved = axis.Save();
  qv::RecordReader again(qv::SplitRecord(saved));
  qv::AxisSystem back;
  back.Read(again);
  if (back.Save() != saved || !again.AtEnd()) std::abort();
  return 0;
}
