// The last-in-first-out stack of values that the parser uses for its
// operators. Its store grows ten slots at a time and never shrinks; the slots
// above the top keep their old values until later pushes overwrite them.
#pragma once

#include <limits>
#include <vector>

#include "expr/object_error.h"
#include "platform/runtime.h"

namespace qv {

// Raises the empty-stack error of Pop (kPopOnEmptyStack, "Pop method invoked
// on empty stack") or of GetPopValue (kGetPopValueOnEmptyStack).
[[noreturn]] void ThrowPopOnEmptyStack();
[[noreturn]] void ThrowGetPopValueOnEmptyStack();

template <typename T>
class ValueStack {
 public:
  // Slots added each time the store is full.
  static constexpr Long kGrowth = 10;

  // Number of items on the stack.
  Long StackSize() const { return count_; }
  // Number of slots allocated: 0 for a new stack, then a multiple of kGrowth.
  Long Capacity() const { return capacity_; }

  // Puts a copy of value on top. Throws RuntimeError(kOverflow) if the count
  // would leave the Long range.
  void Push(const T& value) {
    if (count_ == capacity_) Grow();
    items_[static_cast<std::size_t>(count_++)] = value;
  }
  // Removes the top item and returns it. Throws ObjectError(kPopOnEmptyStack)
  // on an empty stack, which it leaves unchanged.
  T Pop() {
    if (count_ == 0) ThrowPopOnEmptyStack();
    return items_[static_cast<std::size_t>(--count_)];
  }
  // Returns the top item and leaves it on the stack. Throws
  // ObjectError(kGetPopValueOnEmptyStack) on an empty stack.
  T GetPopValue() const {
    if (count_ == 0) ThrowGetPopValueOnEmptyStack();
    return items_[static_cast<std::size_t>(count_ - 1)];
  }

 private:
  void Grow() {
    if (capacity_ > std::numeric_limits<Long>::max() - kGrowth) throw RuntimeError(kOverflow);
    capacity_ += kGrowth;
    // The logical capacity steps by ten; the vector below reallocates
    // geometrically, so a deep stack does not copy itself on every step.
    items_.resize(static_cast<std::size_t>(capacity_));
  }

  std::vector<T> items_;
  Long capacity_ = 0;
  Long count_ = 0;
};

}  // namespace qv
