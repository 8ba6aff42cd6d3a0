// How the data views find their extent: the bounds every array of a view
// shares, and a graph's step clamped to them.
#pragma once

#include <algorithm>
#include <initializer_list>

#include "platform/checked_array.h"
#include "platform/runtime.h"

namespace qv {

// The highest index along dimension d that every array holds, or -1 when one
// of them was never allocated (or does not start at 0).
template <std::size_t Rank>
inline Long CommonUpper(std::initializer_list<const CheckedArray<double, Rank>*> arrays,
                        std::size_t d) {
  Long upper = -1;
  bool first = true;
  for (const CheckedArray<double, Rank>* a : arrays) {
    if (!a->Allocated() || a->Lower(d) != 0) return -1;
    upper = first ? a->Upper(d) : std::min(upper, a->Upper(d));
    first = false;
  }
  return upper;
}

// step clamped to the nodes the data set loaded (0..nodes-1) and to what the
// arrays hold (0..upper): the arrays have one spare row past the last node,
// which holds no data. -1 (nothing) when there is no node or step < 0.
inline Long ClampStep(Long step, Long nodes, Long upper) {
  const Long last = std::min(nodes - 1, upper);
  if (last < 0 || step < 0) return -1;
  return std::min(step, last);
}

}  // namespace qv
